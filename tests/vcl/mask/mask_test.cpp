// The masked edit driven as a user drives it: typing, Backspace and Delete,
// arrows, pastes and cuts through the clipboard, Escape, and leaving the
// control, for phone, date and postcode masks with and without saved
// literals.
#include <gtest/gtest.h>

#include "vcl/clipbrd.h"
#include "vcl/mask.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;

namespace {

const char* const Phone = "!\\(999\\)000-0000;1;_";
const char* const PhoneBare = "!\\(999\\)000-0000;0;_";
const char* const Date = "!99/99/00;1;_";
const char* const Zip = "00000-9999;0;_";

class MaskEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBounds(0, 0, 300, 200);
    Edit = vt::Place<TMaskEdit>(Form, 8, 8, 150, 21);
    Other = vt::Place<TEdit>(Form, 8, 40, 150, 21);
    Cancel = vt::Place<TButton>(Form, 8, 80, 75, 25);
    Cancel->SetCancel(true);
    Cancel->OnClick = [this](TObject*) { ++CancelClicks; };
    Edit->OnChange = [this](TObject*) { ++Changes; };
    vt::ShowForm(Form);
  }
  void TearDown() override { delete Form; }

  // Gives the edit its mask and the focus, with the caret on the first position.
  void Enter(const char* Mask) {
    Edit->SetEditMask(Mask);
    ASSERT_TRUE(vt::MoveFocus(Edit));
    vt::PressKey(VK_HOME);
    Changes = 0;
  }

  TForm* Form = nullptr;
  TMaskEdit* Edit = nullptr;
  TEdit* Other = nullptr;
  TButton* Cancel = nullptr;
  int Changes = 0;
  int CancelClicks = 0;
};

TEST_F(MaskEditTest, TypingAPhoneNumberFillsThePositionsAndSkipsTheLiterals) {
  Enter(Phone);
  EXPECT_EQ(Edit->EditText(), "(___)___-____");
  EXPECT_EQ(Edit->SelStart(), 1); // the caret rests on the first digit, selected
  EXPECT_EQ(Edit->SelLength(), 1);
  vt::TypeText("415");
  EXPECT_EQ(Edit->EditText(), "(415)___-____");
  EXPECT_EQ(Edit->SelStart(), 5); // past the ')'
  vt::TypeText("5551212");
  EXPECT_EQ(Edit->EditText(), "(415)555-1212");
  EXPECT_EQ(Edit->Text(), "(415)555-1212");
  EXPECT_EQ(Changes, 10); // one change per character
  EXPECT_TRUE(Edit->Modified());
  EXPECT_EQ(Edit->SelStart(), 13);
  const int Beeps = vt::BeepCount();
  vt::TypeText("9"); // no room left
  EXPECT_EQ(Edit->EditText(), "(415)555-1212");
  EXPECT_GT(vt::BeepCount(), Beeps);
}

TEST_F(MaskEditTest, WithoutSavedLiteralsTextIsTheDigitsOnly) {
  Enter(PhoneBare);
  vt::TypeText("4155551212");
  EXPECT_EQ(Edit->EditText(), "(415)555-1212");
  EXPECT_EQ(Edit->Text(), "4155551212");
  Edit->SetTextBuf("5551234"); // right-aligned under '!'
  EXPECT_EQ(Edit->EditText(), "(___)555-1234");
  EXPECT_EQ(Edit->Text(), "5551234");
}

TEST_F(MaskEditTest, RefusedCharactersBeepAndChangeNothing) {
  Enter(Phone);
  const int Beeps = vt::BeepCount();
  vt::TypeText("a");
  EXPECT_EQ(Edit->EditText(), "(___)___-____");
  EXPECT_EQ(Changes, 0);
  EXPECT_EQ(vt::BeepCount(), Beeps + 1);
  vt::TypeText("4-"); // a literal out of its place is refused too
  EXPECT_EQ(Edit->EditText(), "(4__)___-____");
  EXPECT_EQ(vt::BeepCount(), Beeps + 2);
}

TEST_F(MaskEditTest, BackspaceAndDeleteBlankPositionsAndNeverShiftTheRest) {
  Enter(Phone);
  vt::TypeText("4155551212");
  vt::PressKey(VK_BACK); // the last digit
  EXPECT_EQ(Edit->EditText(), "(415)555-121_");
  EXPECT_EQ(Edit->SelStart(), 12);
  for (int I = 0; I < 4; ++I) // over the '-'
    vt::PressKey(VK_BACK);
  EXPECT_EQ(Edit->EditText(), "(415)55_-____");
  EXPECT_EQ(Edit->SelStart(), 7);
  vt::PressKey(VK_HOME);
  vt::PressKey(VK_RIGHT);
  vt::PressKey(VK_DELETE); // the '1' under the caret
  EXPECT_EQ(Edit->EditText(), "(4_5)55_-____");
  EXPECT_EQ(Edit->SelStart(), 2);
  vt::TypeText("1");
  EXPECT_EQ(Edit->EditText(), "(415)55_-____");
}

TEST_F(MaskEditTest, ArrowsHomeAndEndStopOnEditablePositionsOnly) {
  Enter(Phone);
  vt::TypeText("415");
  EXPECT_EQ(Edit->SelStart(), 5);
  vt::PressKey(VK_LEFT); // from 5 over the ')' to 3
  EXPECT_EQ(Edit->SelStart(), 3);
  vt::PressKey(VK_RIGHT);
  EXPECT_EQ(Edit->SelStart(), 5);
  vt::PressKey(VK_END);
  EXPECT_EQ(Edit->SelStart(), 13);
  EXPECT_EQ(Edit->SelLength(), 0);
  vt::PressKey(VK_HOME);
  EXPECT_EQ(Edit->SelStart(), 1);
  vt::PressKey(VK_LEFT); // nothing before the first position
  EXPECT_EQ(Edit->SelStart(), 1);
  vt::PressKey(VK_RIGHT, {ssShift}); // Shift extends as in any edit
  EXPECT_EQ(Edit->SelLength(), 2);
}

TEST_F(MaskEditTest, TypingOverASelectionBlanksItFirst) {
  Enter(Date);
  vt::TypeText("123199");
  EXPECT_EQ(Edit->Text(), "12/31/99");
  Edit->SetSelStart(0);
  Edit->SetSelLength(5); // "12/31"
  vt::TypeText("0");
  EXPECT_EQ(Edit->EditText(), "0_/__/99");
  EXPECT_EQ(Edit->SelStart(), 1);
}

TEST_F(MaskEditTest, PastesFitThePositionsOrAreRefusedWhole) {
  Enter(Phone);
  vt::PasteText("(415) 555-1212");
  EXPECT_EQ(Edit->EditText(), "(415)555-1212");
  EXPECT_EQ(Changes, 1);
  Edit->SelectAll();
  vt::PasteText("800-555-0199");
  EXPECT_EQ(Edit->Text(), "(800)555-0199");
  const int Beeps = vt::BeepCount();
  Edit->SelectAll();
  vt::PasteText("call me");
  EXPECT_EQ(Edit->Text(), "(800)555-0199");
  EXPECT_GT(vt::BeepCount(), Beeps);
  vt::PressKey(VK_HOME);
  vt::PasteText("21"); // overwrites from the caret on
  EXPECT_EQ(Edit->Text(), "(210)555-0199");
}

TEST_F(MaskEditTest, CutCopiesTheSelectionAndLeavesBlanks) {
  Enter(Zip);
  vt::TypeText("123456789");
  EXPECT_EQ(Edit->Text(), "123456789");
  Edit->SetSelStart(3);
  Edit->SetSelLength(4); // "45-6"
  vt::PressKey('X', {ssCtrl});
  EXPECT_EQ(Clipboard()->AsText(), "45-6");
  EXPECT_EQ(Edit->EditText(), "123__-_789");
  EXPECT_EQ(Edit->Text(), "123   789"); // no literals, blanks as spaces
  vt::PressKey('V', {ssCtrl});
  EXPECT_EQ(Edit->EditText(), "12345-6789");
}

TEST_F(MaskEditTest, LeavingWithARequiredPositionBlankIsRefused) {
  Enter(Phone);
  vt::TypeText("415555");
  vt::TMessageBoxRecorder Boxes;
  EXPECT_FALSE(vt::MoveFocus(Other));
  ASSERT_EQ(Boxes.Boxes().size(), 1u);
  EXPECT_EQ(Boxes.Boxes()[0].Msg, "Invalid input value. Use escape key to abandon changes");
  EXPECT_EQ(Boxes.Boxes()[0].DlgType, mtError);
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->SelStart(), 9); // the first missing digit
  EXPECT_EQ(Edit->SelLength(), 1);
  vt::TypeText("1212");
  EXPECT_TRUE(vt::MoveFocus(Other));
}

TEST_F(MaskEditTest, AnUntouchedOrOptionalOnlyTextMayBeLeft) {
  Enter(Phone);
  EXPECT_TRUE(vt::MoveFocus(Other)); // not modified: not checked
  Enter(Phone);
  vt::PressKey(VK_RIGHT);
  vt::PressKey(VK_RIGHT);
  vt::PressKey(VK_RIGHT); // past the optional area code
  vt::TypeText("5551212");
  EXPECT_TRUE(vt::MoveFocus(Other));
  EXPECT_EQ(Edit->Text(), "(   )555-1212");
}

TEST_F(MaskEditTest, EscapeRestoresTheTextFromBeforeTheEditInsteadOfCancelling) {
  Edit->SetEditMask(Phone);
  Edit->SetTextBuf("4155551212");
  ASSERT_TRUE(vt::MoveFocus(Edit));
  vt::PressKey(VK_HOME);
  vt::TypeText("999");
  EXPECT_EQ(Edit->Text(), "(999)555-1212");
  vt::PressKey(VK_ESCAPE);
  EXPECT_EQ(Edit->Text(), "(415)555-1212");
  EXPECT_FALSE(Edit->Modified());
  EXPECT_EQ(CancelClicks, 0);
  vt::PressKey(VK_ESCAPE); // nothing to undo now: the form's cancel button has it
  EXPECT_EQ(CancelClicks, 1);
}

TEST_F(MaskEditTest, TheMaskConvertsCaseAndRefusesWhatItsPositionsDoNotTake) {
  Enter(">LL<ll-00");
  vt::TypeText("abCD12");
  EXPECT_EQ(Edit->EditText(), "ABcd-12");
  Enter(">LL<ll-00");
  const int Beeps = vt::BeepCount();
  vt::TypeText("1");
  EXPECT_GT(vt::BeepCount(), Beeps);
}

TEST_F(MaskEditTest, ChangingTheMaskCarriesTheValueOver) {
  Edit->SetTextBuf("4155551212");
  Edit->SetEditMask(PhoneBare);
  EXPECT_EQ(Edit->EditText(), "(415)555-1212");
  EXPECT_EQ(Edit->MaxLength(), 13);
  Edit->SetEditMask(Phone);
  EXPECT_EQ(Edit->Text(), "(415)555-1212");
  Edit->SetEditMask("");
  EXPECT_EQ(Edit->Text(), "(415)555-1212");
  EXPECT_FALSE(Edit->IsMasked());
  EXPECT_EQ(Edit->MaxLength(), 0);
}

TEST_F(MaskEditTest, AReadOnlyMaskedEditTakesNoInput) {
  Edit->SetEditMask(Phone);
  Edit->SetReadOnly(true);
  ASSERT_TRUE(vt::MoveFocus(Edit));
  vt::TypeText("415");
  vt::PasteText("5551212");
  vt::PressKey(VK_DELETE);
  EXPECT_EQ(Edit->EditText(), "(___)___-____");
}

TEST_F(MaskEditTest, WithoutAMaskItIsAPlainEdit) {
  ASSERT_TRUE(vt::MoveFocus(Edit));
  vt::TypeText("free text");
  vt::PressKey(VK_BACK);
  EXPECT_EQ(Edit->Text(), "free tex");
  EXPECT_EQ(Edit->EditText(), "free tex");
  EXPECT_TRUE(vt::MoveFocus(Other));
}

TEST_F(MaskEditTest, FormFilesStoreTheMaskBeforeTheText) {
  Edit->SetName("Zip1");
  Edit->SetEditMask(Zip);
  Edit->SetTextBuf("123456789");
  const std::string Text = ComponentToText(Form);
  EXPECT_NE(Text.find("EditMask = '00000-9999;0;_'"), std::string::npos) << Text;
  EXPECT_LT(Text.find("EditMask"), Text.find("Text = '123456789'")) << Text;
  TForm* Copy = new TForm(nullptr);
  ReadComponentText(Text, Copy);
  auto* Read = dynamic_cast<TMaskEdit*>(Copy->FindComponent("Zip1"));
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->EditText(), "12345-6789");
  delete Copy;
}

} // namespace
