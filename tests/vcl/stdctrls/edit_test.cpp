// The edit window driven by keystrokes, mouse and clipboard.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "vcl/clipbrd.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

class EditTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 300, 200);
    Edit = vt::Place<TEdit>(Form, 8, 8, 150, 21);
    Other = vt::Place<TEdit>(Form, 8, 40, 150, 21);
    Edit->OnChange = [this](TObject*) { ++Changes; };
    vt::ShowForm(Form);
    ASSERT_TRUE(vt::MoveFocus(Edit));
  }
  void TearDown() override { delete Form; }

  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  TEdit* Other = nullptr;
  int Changes = 0;
};

TEST_F(EditTest, TypedCharactersAreInsertedAtTheCaretAndEachFiresOnChange) {
  vt::TypeText("Hello");
  EXPECT_EQ(Edit->Text(), "Hello");
  EXPECT_EQ(Edit->SelStart(), 5);
  EXPECT_EQ(Changes, 5);
  EXPECT_TRUE(Edit->Modified());
  vt::PressKey(VK_HOME);
  vt::TypeText(">");
  EXPECT_EQ(Edit->Text(), ">Hello");
  EXPECT_EQ(Edit->SelStart(), 1);
}

TEST_F(EditTest, TypingReplacesTheSelection) {
  Edit->SetTextBuf("abcdef");
  Edit->SetSelStart(1);
  Edit->SetSelLength(3);
  EXPECT_EQ(Edit->SelText(), "bcd");
  vt::TypeText("X");
  EXPECT_EQ(Edit->Text(), "aXef");
  EXPECT_EQ(Edit->SelStart(), 2);
  EXPECT_EQ(Edit->SelLength(), 0);
}

TEST_F(EditTest, BackspaceAndDeleteRemoveOneCharacterOrTheSelection) {
  Edit->SetTextBuf("abcdef");
  Edit->SetSelStart(3);
  vt::PressKey(VK_BACK);
  EXPECT_EQ(Edit->Text(), "abdef");
  vt::PressKey(VK_DELETE);
  EXPECT_EQ(Edit->Text(), "abef");
  EXPECT_EQ(Edit->SelStart(), 2);
  vt::PressKey(VK_HOME);
  vt::PressKey(VK_BACK); // nothing before the caret
  EXPECT_EQ(Edit->Text(), "abef");
  vt::PressKey(VK_END, {ssShift}); // selects everything after the caret
  vt::PressKey(VK_DELETE);
  EXPECT_EQ(Edit->Text(), "");
}

TEST_F(EditTest, ShiftArrowsExtendTheSelectionFromTheAnchor) {
  Edit->SetTextBuf("abcdef");
  Edit->SetSelStart(2);
  vt::PressKey(VK_RIGHT, {ssShift});
  vt::PressKey(VK_RIGHT, {ssShift});
  EXPECT_EQ(Edit->SelStart(), 2);
  EXPECT_EQ(Edit->SelLength(), 2);
  vt::PressKey(VK_LEFT, {ssShift});
  vt::PressKey(VK_LEFT, {ssShift});
  vt::PressKey(VK_LEFT, {ssShift});
  EXPECT_EQ(Edit->SelStart(), 1);
  EXPECT_EQ(Edit->SelLength(), 1);
  vt::PressKey(VK_HOME, {ssShift});
  EXPECT_EQ(Edit->SelText(), "ab");
  vt::PressKey(VK_RIGHT);
  EXPECT_EQ(Edit->SelLength(), 0);
  vt::PressKey('A', {ssCtrl});
  EXPECT_EQ(Edit->SelText(), "abcdef");
}

TEST_F(EditTest, CutCopyAndPasteGoThroughTheClipboard) {
  Edit->SetTextBuf("hello world");
  Edit->SetSelStart(0);
  Edit->SetSelLength(5);
  vt::PressKey('C', {ssCtrl});
  EXPECT_EQ(Clipboard()->AsText(), "hello");
  EXPECT_EQ(Edit->Text(), "hello world");
  vt::PressKey('X', {ssCtrl});
  EXPECT_EQ(Edit->Text(), " world");
  vt::PressKey(VK_END);
  vt::PressKey('V', {ssCtrl});
  EXPECT_EQ(Edit->Text(), " worldhello");
  // Shift+Delete cuts and Shift+Insert pastes as well.
  Edit->SetSelStart(0);
  Edit->SetSelLength(1);
  vt::PressKey(VK_DELETE, {ssShift});
  EXPECT_EQ(Clipboard()->AsText(), " ");
  vt::PressKey(VK_INSERT, {ssShift});
  EXPECT_EQ(Edit->Text(), " worldhello");
}

TEST_F(EditTest, APasteBecomesOneLine) {
  struct Case {
    const char* Clip;
    const char* Line;
  };
  for (const Case& C : {Case{"12\r\n", "12"}, Case{"one\r\ntwo", "one two"},
                        Case{"a\n\nb\rc\n", "a b c"}, Case{"\r\nlead", "lead"}}) {
    Edit->SetTextBuf("");
    Changes = 0;
    vt::PasteText(C.Clip);
    EXPECT_EQ(Edit->Text(), C.Line) << C.Clip;
    EXPECT_EQ(Changes, 1) << C.Clip;
  }
}

TEST_F(EditTest, ReadOnlyRefusesEveryChangeButAllowsCopy) {
  Edit->SetTextBuf("fixed");
  Edit->SetReadOnly(true);
  Changes = 0;
  const int Beeps = vt::BeepCount();
  Edit->SelectAll();
  vt::TypeText("x");
  vt::PressKey(VK_BACK);
  vt::PressKey(VK_DELETE);
  vt::PasteText("pasted");
  vt::PressKey('X', {ssCtrl});
  EXPECT_EQ(Edit->Text(), "fixed");
  EXPECT_EQ(Changes, 0);
  EXPECT_GT(vt::BeepCount(), Beeps);
  Clipboard()->SetAsText("");
  vt::PressKey('C', {ssCtrl});
  EXPECT_EQ(Clipboard()->AsText(), "fixed");
}

TEST_F(EditTest, MaxLengthLimitsTypingAndTruncatesPastes) {
  Edit->SetMaxLength(4);
  vt::TypeText("abcdef");
  EXPECT_EQ(Edit->Text(), "abcd");
  Edit->SetSelStart(1);
  Edit->SetSelLength(2); // replacing a selection makes room
  vt::PasteText("XYZ");
  EXPECT_EQ(Edit->Text(), "aXYd");
  // Code may still set a longer text, as the window allows it.
  Edit->SetTextBuf("longer than four");
  EXPECT_EQ(Edit->Text(), "longer than four");
}

TEST_F(EditTest, CharCaseConvertsTypedPastedAndAssignedText) {
  struct Case {
    TEditCharCase CharCase;
    const char* Expected;
  };
  for (const Case& C : {Case{ecUpperCase, "ABCÉX"}, Case{ecLowerCase, "abcéx"}}) {
    Edit->SetCharCase(ecNormal);
    Edit->SetTextBuf("");
    Edit->SetCharCase(C.CharCase);
    vt::TypeText("aB");
    vt::PasteText("cÉ");
    Edit->SetSelText("x");
    EXPECT_EQ(Edit->Text(), C.Expected);
  }
  Edit->SetCharCase(ecNormal);
  Edit->SetTextBuf("MiXed");
  Edit->SetCharCase(ecUpperCase);
  EXPECT_EQ(Edit->Text(), "MIXED");
}

TEST_F(EditTest, PasswordEditsRefuseToCopyTheirText) {
  Edit->SetPasswordChar('*');
  vt::TypeText("secret");
  Clipboard()->SetAsText("before");
  Edit->SelectAll();
  vt::PressKey('C', {ssCtrl});
  vt::PressKey('X', {ssCtrl});
  EXPECT_EQ(Clipboard()->AsText(), "before");
  EXPECT_EQ(Edit->Text(), "secret");
}

TEST_F(EditTest, UndoAndRedoWalkTheHistoryOfEdits) {
  vt::TypeText("ab");
  vt::PressKey(VK_BACK);
  EXPECT_EQ(Edit->Text(), "a");
  const std::vector<std::pair<TShiftState, const char*>> Keys = {
      {{ssCtrl}, "ab"}, {{ssCtrl}, "a"}, {{ssCtrl}, ""}, {{ssCtrl}, ""}};
  for (const auto& [Shift, Text] : Keys) {
    vt::PressKey('Z', Shift);
    EXPECT_EQ(Edit->Text(), Text);
  }
  EXPECT_FALSE(Edit->CanUndo());
  vt::PressKey('Y', {ssCtrl});
  EXPECT_EQ(Edit->Text(), "a");
  vt::PressKey('Z', {ssCtrl, ssShift});
  EXPECT_EQ(Edit->Text(), "ab");
  EXPECT_EQ(Edit->SelStart(), 2);
  // A new edit forgets what was undone.
  vt::TypeText("c");
  EXPECT_FALSE(Edit->CanRedo());
  vt::PressKey('Y', {ssCtrl});
  EXPECT_EQ(Edit->Text(), "abc");
}

TEST_F(EditTest, UndoBringsBackTheSelectionAndCaretOfTheEdit) {
  Edit->SetTextBuf("abcdef");
  Edit->SetSelStart(1);
  Edit->SetSelLength(3);
  vt::TypeText("X");
  Edit->Undo();
  EXPECT_EQ(Edit->Text(), "abcdef");
  EXPECT_EQ(Edit->SelText(), "bcd");
  Edit->SetSelStart(3);
  vt::PressKey(VK_BACK);
  Edit->Undo();
  EXPECT_EQ(Edit->SelStart(), 3);
  EXPECT_EQ(Edit->SelLength(), 0);
}

TEST_F(EditTest, TextFromCodeStartsANewHistory) {
  vt::TypeText("ab");
  ASSERT_TRUE(Edit->CanUndo());
  Edit->SetTextBuf("new");
  EXPECT_FALSE(Edit->CanUndo());
  vt::PressKey('Z', {ssCtrl});
  EXPECT_EQ(Edit->Text(), "new");
  // A replacement from code is not an undo step either; one of the user's is.
  vt::PressKey(VK_END);
  vt::TypeText("s");
  Edit->SetSelText("!");
  EXPECT_FALSE(Edit->CanUndo());
  Edit->Perform(EM_REPLACESEL, 1, reinterpret_cast<std::intptr_t>("?"));
  EXPECT_EQ(Edit->Text(), "news!?");
  Edit->Undo();
  EXPECT_EQ(Edit->Text(), "news!");
  EXPECT_TRUE(Edit->CanRedo());
  Edit->ClearUndo();
  EXPECT_FALSE(Edit->CanRedo());
}

TEST_F(EditTest, AReadOnlyEditNeitherUndoesNorRedoes) {
  vt::TypeText("ab");
  Edit->SetReadOnly(true);
  Edit->Undo();
  EXPECT_EQ(Edit->Text(), "ab");
  Edit->SetReadOnly(false);
  Edit->Undo();
  Edit->SetReadOnly(true);
  Edit->Redo();
  EXPECT_EQ(Edit->Text(), "a");
}

TEST_F(EditTest, ClipboardAndClearingOperationsFromCode) {
  Edit->SetTextBuf("hello world");
  Edit->SetSelStart(6);
  Edit->SetSelLength(5);
  Edit->CopyToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "world");
  Edit->SetSelStart(0);
  Edit->SetSelLength(6);
  Edit->CutToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "hello ");
  EXPECT_EQ(Edit->Text(), "world");
  Edit->SetSelStart(5);
  Edit->PasteFromClipboard();
  EXPECT_EQ(Edit->Text(), "worldhello ");
  EXPECT_EQ(Edit->CaretPos(), 11);
  Edit->SetSelStart(5);
  Edit->SetSelLength(6);
  Edit->ClearSelection();
  EXPECT_EQ(Edit->Text(), "world");
  Edit->Undo();
  EXPECT_EQ(Edit->Text(), "worldhello ");
  Changes = 0;
  Edit->Clear();
  EXPECT_EQ(Edit->Text(), "");
  EXPECT_EQ(Changes, 1);
  EXPECT_FALSE(Edit->CanUndo());
}

TEST_F(EditTest, ModifiedFollowsTheUsersEditsOnly) {
  Edit->SetTextBuf("code");
  EXPECT_FALSE(Edit->Modified());
  Edit->SetSelText("more ");
  EXPECT_FALSE(Edit->Modified());
  vt::TypeText("x");
  EXPECT_TRUE(Edit->Modified());
  Edit->SetModified(false);
  EXPECT_EQ(Edit->Perform(EM_GETMODIFY), 0);
  Edit->Undo();
  EXPECT_TRUE(Edit->Modified());
}

TEST_F(EditTest, TheCaretIsTheMovingEndOfTheSelection) {
  Edit->SetTextBuf("abcdef");
  Edit->SetSelStart(4);
  vt::PressKey(VK_LEFT, {ssShift});
  vt::PressKey(VK_LEFT, {ssShift});
  EXPECT_EQ(Edit->SelStart(), 2);
  EXPECT_EQ(Edit->CaretPos(), 2);
  vt::PressKey(VK_RIGHT, {ssCtrl, ssShift});
  EXPECT_EQ(Edit->SelStart(), 4);
  EXPECT_EQ(Edit->CaretPos(), 6);
}

TEST_F(EditTest, SettingTheTextNotifiesAndResetsSelectionAndModified) {
  vt::TypeText("abc");
  Changes = 0;
  Edit->SetTextBuf("new");
  EXPECT_EQ(Changes, 1);
  EXPECT_FALSE(Edit->Modified());
  EXPECT_EQ(Edit->SelStart(), 0);
  EXPECT_EQ(Edit->SelLength(), 0);
  Edit->SetSelText("very ");
  EXPECT_EQ(Edit->Text(), "very new");
  EXPECT_EQ(Changes, 2);
}

TEST_F(EditTest, SelectionRequestsAreClampedToTheText) {
  Edit->SetTextBuf("abc");
  Edit->SetSelStart(10);
  EXPECT_EQ(Edit->SelStart(), 3);
  Edit->SetSelStart(1);
  Edit->SetSelLength(10);
  EXPECT_EQ(Edit->SelLength(), 2);
  Edit->Perform(EM_SETSEL, 0, -1);
  EXPECT_EQ(Edit->SelText(), "abc");
}

TEST_F(EditTest, AutoSelectSelectsAllOnKeyboardEntry) {
  Other->SetTextBuf("other");
  ASSERT_TRUE(vt::MoveFocus(Other));
  EXPECT_EQ(Other->SelText(), "other");
  Other->SetAutoSelect(false);
  Other->SetSelStart(2);
  ASSERT_TRUE(vt::MoveFocus(Edit));
  ASSERT_TRUE(vt::MoveFocus(Other));
  EXPECT_EQ(Other->SelLength(), 0);
}

TEST_F(EditTest, ClickingPlacesTheCaretWithoutAutoSelect) {
  Other->SetTextBuf("other");
  vt::Click(Other);
  EXPECT_TRUE(Other->Focused());
  EXPECT_EQ(Other->SelLength(), 0);
  EXPECT_GT(Other->SelStart(), 0);
}

TEST_F(EditTest, MarginsAndFormattingRectangleAreKept) {
  const std::intptr_t Margins = Edit->Perform(EM_GETMARGINS);
  EXPECT_EQ(LoWord(Margins), 1);
  Edit->Perform(EM_SETMARGINS, EC_LEFTMARGIN, MakeLong(5, 0));
  EXPECT_EQ(LoWord(Edit->Perform(EM_GETMARGINS)), 5);
  TRect R = Rect(0, 0, 40, 18);
  Edit->Perform(EM_SETRECTNP, 0, reinterpret_cast<std::intptr_t>(&R));
  TRect Back;
  Edit->Perform(EM_GETRECT, 0, reinterpret_cast<std::intptr_t>(&Back));
  EXPECT_EQ(Back.Right, 40 - 1); // the right margin stays inside
}

TEST_F(EditTest, LongTextScrollsSoThatTheCaretStaysVisible) {
  vt::TypeText(std::string(60, 'W'));
  const TPixelBuffer Scrolled = vt::PaintForm(Form);
  vt::PressKey(VK_HOME);
  const TPixelBuffer AtStart = vt::PaintForm(Form);
  EXPECT_FALSE(Scrolled == AtStart);
  TPoint Caret;
  ASSERT_TRUE(GetCaretPos(Caret));
  EXPECT_LE(Caret.X, 3);
}

} // namespace
