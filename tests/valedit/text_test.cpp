// The validating edit's text as a user edits it: undo and redo across
// completions, completions against MaxLength, pastes screened as the window
// inserts them, typing on over a completion, and the stored text kept level
// with the window when the window refuses a key or a paste.
#include "valedit_fixture.h"
#include "vcl/clipbrd.h"

namespace valedit_test {
namespace {

using namespace ValEdit;
using namespace Validate;

class TextTest : public ValEditTest {
public:
  void Lookup(std::initializer_list<const char*> Words) {
    Edit->SetKind(vkStringLookup);
    for (const char* W : Words)
      ValidatorAs<TStringLookupValidator>()->Items()->Add(W);
  }
  void Picture(const char* Pic) {
    Edit->SetKind(vkPicture);
    ValidatorAs<TPictureValidator>()->SetPicture(Pic);
  }
  void IntegerBounds(int Min, int Max) {
    Edit->SetKind(vkInteger);
    auto* I = ValidatorAs<TIntegerValidator>();
    I->SetNoBounds(false);
    I->SetMin(Min);
    I->SetMax(Max);
  }
  void Undo() { vt::PressKey('Z', {vcl::ssCtrl}); }
  void Redo() { vt::PressKey('Y', {vcl::ssCtrl}); }
};

TEST_F(TextTest, ACompletionIsUndoneBeforeTheKeyThatCausedIt) {
  Lookup({"Banana", "Cherry"});
  Enter();
  vt::TypeText("b");
  ASSERT_EQ(Edit->Text(), "Banana");
  const std::pair<void (TextTest::*)(), const char*> Steps[] = {{&TextTest::Undo, "b"},
                                                                {&TextTest::Undo, ""},
                                                                {&TextTest::Redo, "b"},
                                                                {&TextTest::Redo, "Banana"},
                                                                {&TextTest::Undo, "b"}};
  for (const auto& [Step, Text] : Steps) {
    Changes.clear();
    (this->*Step)();
    EXPECT_EQ(Edit->Text(), Text);
    EXPECT_EQ(Edit->EditText(), Text);
    EXPECT_EQ(Changes, std::vector<std::string>{Text});
  }
  // Typing on from the undone state completes again.
  vt::TypeText("a");
  EXPECT_EQ(Edit->EditText(), "Banana");
}

TEST_F(TextTest, AFilledLiteralIsAStepOfItsOwn) {
  Picture("###-####");
  Enter();
  vt::TypeText("555");
  ASSERT_EQ(Edit->Text(), "555-");
  Undo();
  EXPECT_EQ(Edit->EditText(), "555");
  EXPECT_EQ(Edit->SelStart(), 3);
  Undo();
  EXPECT_EQ(Edit->EditText(), "55");
}

TEST_F(TextTest, ARefusedKeyLeavesNoStepAndTextFromCodeStartsANewHistory) {
  Edit->SetKind(vkInteger);
  Enter();
  vt::TypeText("12a");
  EXPECT_EQ(InputErrors, std::vector<std::string>{"a"});
  Undo();
  EXPECT_EQ(Edit->EditText(), "1");
  Edit->SetEditText("42");
  Undo();
  EXPECT_EQ(Edit->EditText(), "42");
}

TEST_F(TextTest, ACompletionThatWouldPassMaxLengthIsLeftOut) {
  struct TCase {
    const char* Name;
    std::function<void(TextTest&)> Setup;
    int MaxLength;
    const char* Keys;
    const char* Want;
  };
  const auto Fruit = [](TextTest& T) { T.Lookup({"Banana"}); };
  const auto Phone = [](TextTest& T) { T.Picture("###-####"); };
  const TCase Cases[] = {
      {"word", Fruit, 3, "b", "b"},
      {"word that fits", Fruit, 6, "b", "Banana"},
      {"literal", Phone, 3, "555", "555"},
      {"literal that fits", Phone, 4, "555", "555-"},
      {"the key that fits is taken", Phone, 5, "5551", "555-1"},
  };
  Edit->SetValidation({vtInput}); // an unfinished text may be left
  for (const TCase& C : Cases) {
    C.Setup(*this);
    Edit->SetMaxLength(C.MaxLength);
    Enter();
    vt::TypeText(C.Keys);
    EXPECT_EQ(Edit->Text(), C.Want) << C.Name;
    EXPECT_EQ(Edit->EditText(), C.Want) << C.Name;
    ASSERT_TRUE(Leave());
    Edit->SetKind(vkNone);
    Edit->SetEditText("");
  }
  EXPECT_TRUE(InputErrors.empty());
}

TEST_F(TextTest, APasteIsScreenedAsTheWindowWouldInsertIt) {
  IntegerBounds(0, 20000);
  Enter();
  vt::PasteText("12\r\n");
  EXPECT_EQ(Edit->EditText(), "12");
  EXPECT_TRUE(InputErrors.empty());
  // Lines inside the text are joined with a blank, which an integer refuses.
  vt::PasteText("3\r\n4");
  EXPECT_EQ(InputErrors, std::vector<std::string>{"3 4"});
  EXPECT_EQ(Edit->EditText(), "12");
  // Cut to MaxLength, the paste fits the bounds: only "345" would be pasted.
  Edit->SetMaxLength(5);
  vt::PasteText("3456789");
  EXPECT_EQ(Edit->EditText(), "12345");
  EXPECT_EQ(InputErrors.size(), 1u);
}

TEST_F(TextTest, APasteFromTheContextMenuIsScreenedAsCtrlVIs) {
  IntegerBounds(0, 20000);
  Edit->SetEditText("1234");
  ASSERT_EQ(Edit->Text(), "1,234");
  // The right click enters the edit, which shows the value as typed.
  vcl::Clipboard()->SetAsText("5x");
  vt::RightClickAt(Edit, 2, 2);
  ASSERT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->Text(), "1234");
  ASSERT_TRUE(vt::ClickMenuItem("Select All"));
  vt::RightClickAt(Edit, 2, 2);
  ASSERT_TRUE(vt::ClickMenuItem("Paste"));
  EXPECT_EQ(InputErrors, std::vector<std::string>{"5x"});
  EXPECT_EQ(Edit->Text(), "1234");
  vcl::Clipboard()->SetAsText("56");
  vt::PressKey(vcl::VK_APPS);
  vt::TypeText("p");
  EXPECT_EQ(Edit->EditText(), "56");
  EXPECT_EQ(InputErrors.size(), 1u);
  ASSERT_TRUE(Leave());
  EXPECT_EQ(Edit->Text(), "56");
}

TEST_F(TextTest, TextDroppedFromAnotherEditIsScreenedAsAPaste) {
  IntegerBounds(0, 20000);
  Edit->SetEditText("12");
  Other->SetDragMode(vcl::dmAutomatic);
  Edit->OnDragOver = [this](vcl::TObject*, vcl::TObject* Source, int, int, vcl::TDragState,
                            bool& Accept) { Accept = Source == Other; };
  Edit->OnDragDrop = [this](vcl::TObject*, vcl::TObject* Source, int X, int) {
    Edit->DropText(static_cast<vcl::TEdit*>(Source)->Text(), X);
  };
  // Dropped in front of the 12: the edit is entered and the caret put there.
  Other->SetTextBuf("3x");
  vt::DragAndDrop(Other, 5, 5, Edit, 1, 5);
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(InputErrors, std::vector<std::string>{"3x"});
  EXPECT_EQ(Edit->Text(), "12");
  Other->SetTextBuf("34");
  vt::DragAndDrop(Other, 5, 5, Edit, 1, 5);
  EXPECT_EQ(Edit->EditText(), "3412");
  EXPECT_EQ(InputErrors.size(), 1u);
  // Read-only, the edit takes nothing, as it takes no paste.
  Edit->SetReadOnly(true);
  vt::DragAndDrop(Other, 5, 5, Edit, 1, 5);
  EXPECT_EQ(Edit->EditText(), "3412");
  EXPECT_EQ(InputErrors.size(), 1u);
}

TEST_F(TextTest, TypingACompletedWordOnIsTakenKeyByKey) {
  Lookup({"Banana", "Cherry"});
  Edit->SetShowErrors({veInput, veFocus});
  Enter();
  vt::TypeText("b");
  ASSERT_EQ(Edit->Text(), "Banana");
  vt::TypeText("anana");
  EXPECT_EQ(Edit->Text(), "Banana");
  EXPECT_EQ(Edit->SelStart(), 6);
  EXPECT_TRUE(InputErrors.empty());
  EXPECT_TRUE(Boxes.Boxes().empty());
  // A key that fits neither after the word nor in place of the completed
  // part is refused once, and the caret stays at the end.
  Edit->SetEditText("");
  vt::TypeText("bx");
  EXPECT_EQ(Edit->Text(), "Banana");
  EXPECT_EQ(Edit->SelStart(), 6);
  EXPECT_EQ(Edit->SelLength(), 0);
  EXPECT_EQ(InputErrors, std::vector<std::string>{"x"});
  EXPECT_EQ(Boxes.Boxes().size(), 1u);
}

TEST_F(TextTest, AFilledLiteralMayBeTypedOver) {
  Picture("###-####");
  Enter();
  vt::TypeText("555-1");
  EXPECT_EQ(Edit->EditText(), "555-1");
  EXPECT_TRUE(InputErrors.empty());
}

TEST_F(TextTest, SelectCompletionSelectsTheCompletedPart) {
  Lookup({"Banana", "Cherry"});
  Edit->SetSelectCompletion(true);
  Enter();
  vt::TypeText("b");
  EXPECT_EQ(Edit->Text(), "Banana");
  EXPECT_EQ(Edit->SelText(), "anana");
  vt::TypeText("a");
  EXPECT_EQ(Edit->Text(), "Banana");
  EXPECT_EQ(Edit->SelText(), "nana");
  vt::PressKey(vcl::VK_BACK);
  EXPECT_EQ(Edit->Text(), "Ba");
  EXPECT_EQ(Edit->EditText(), "Ba");
  vt::TypeText("c");
  EXPECT_EQ(InputErrors, std::vector<std::string>{"c"});
  EXPECT_EQ(Edit->Text(), "Ba");
  // Typing over the whole completed part with a word's next letters.
  vt::TypeText("n");
  EXPECT_EQ(Edit->SelText(), "ana");
  vt::TypeText("ana");
  EXPECT_EQ(Edit->Text(), "Banana");
  EXPECT_EQ(InputErrors.size(), 1u);
}

TEST_F(TextTest, TheStoredTextStaysWithTheWindowWhenTheWindowRefuses) {
  IntegerBounds(0, 1000000);
  Edit->SetEditText("123456");
  Edit->SetMaxLength(5);
  Enter();
  // A selected digit replaced by a key or a paste would leave six digits
  // over a limit of five: the window refuses both.
  Edit->SetSelStart(1);
  Edit->SetSelLength(1);
  vt::TypeText("9");
  EXPECT_EQ(Edit->Text(), "123456");
  EXPECT_EQ(Edit->EditText(), "123456");
  vt::PasteText("7");
  EXPECT_EQ(Edit->EditText(), "123456");
  EXPECT_TRUE(InputErrors.empty());
  ASSERT_TRUE(Leave());
  EXPECT_EQ(Edit->Text(), "123,456");
}

} // namespace
} // namespace valedit_test
