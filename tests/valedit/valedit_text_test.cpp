// Every validator kind driven through the edit as a user would: keystrokes
// screened, refused keys reported once and kept from the window, pastes
// screened, the value judged on leaving, the display text while unfocused.
#include <functional>

#include "valedit_fixture.h"
#include "vcl/clipbrd.h"

namespace valedit_test {
namespace {

using namespace ValEdit;
using namespace Validate;

struct TKindCase {
  const char* Name;
  vcl::Byte Kind;
  std::function<void(TValidator*)> Setup;
  std::string Keys;      // typed one by one into the empty control
  std::string Typed;     // what the window then holds
  std::string Refused;   // the keys refused on the way, in order
  std::string InputBox;  // the box for the first refused key
  std::string Display;   // shown once the focus has left
  std::string Invalid;   // a text typed with input screening off, refused on exit
  std::string FocusBox;  // the box for it
  std::string Shown;     // the window after typing it (completed where the kind completes)
  std::string BadPaste;  // a clipboard text refused as input
  std::string PasteBox;  // the box for it
  std::string GoodPaste; // a clipboard text accepted into the empty control
  std::string Pasted;    // the window after it (completed where the kind completes)
};

void Bounds(TValidator* V, int Min, int Max) {
  auto* I = static_cast<TIntegerValidator*>(V);
  I->SetNoBounds(false);
  I->SetMin(Min);
  I->SetMax(Max);
}

void FloatBounds(TValidator* V, double Min, double Max) {
  auto* F = static_cast<TCustomFloatValidator*>(V);
  F->SetNoBounds(false);
  F->SetMin(Min);
  F->SetMax(Max);
}

const TKindCase Cases[] = {
    {"Filter", vkFilter,
     [](TValidator* V) { static_cast<TFilterValidator*>(V)->SetFilterChars("ABC"); }, "AB1C", "ABC",
     "1", "\"1\" is an invalid character.", "ABC", "AB1", "\"AB1\" contains invalid character(s).",
     "AB1", "A1", "\"A1\" contains invalid character(s).", "CAB", "CAB"},
    {"Integer", vkInteger, [](TValidator* V) { Bounds(V, -50, 5000); }, "12a34", "1234", "a",
     "\"a\" is not a digit or (-).", "1,234", "9999",
     "\"9999\" is not a valid integer between -50 and 5000.", "9999", "4x",
     "\"4x\" contains invalid character(s) for an integer.", "-42", "-42"},
    {"Float", vkFloat, [](TValidator* V) { FloatBounds(V, 0, 10000); }, "1234.5.6", "1234.56", ".",
     "\"1234.5.\" contains more than one decimal.", "1,234.56", "20000",
     "\"20000\" is not a valid number between 0.00 and 10000.00.", "20000", "1.234",
     "\"1.234\" contains more than 2 digits after the decimal.", "7.5", "7.5"},
    {"Currency", vkCurrency, [](TValidator* V) { FloatBounds(V, 0, 1000); }, "12.345", "12.34", "5",
     "\"12.345\" contains more than 2 digits after the decimal.", "$12.34", "5000",
     "\"5000\" is not a valid currency between $0.00 and $1,000.00.", "5000", "1.2.3",
     "\"1.2.3\" contains more than one decimal.", "99.5", "99.5"},
    {"Lookup", vkStringLookup,
     [](TValidator* V) {
       auto* L = static_cast<TStringLookupValidator*>(V);
       L->Items()->Add("banana");
       L->Items()->Add("cherry");
       L->Items()->Add("chestnut");
     },
     "bx", "banana", "x", "\"x\" does not resemble any of the valid words.", "banana", "zz",
     "\"zz\" is not a valid word.", "zz", "xyz",
     "\"xyz\" does not resemble any of the valid words.", "cher", "cherry"},
    {"Picture", vkPicture,
     [](TValidator* V) { static_cast<TPictureValidator*>(V)->SetPicture("###-###"); }, "12a3456",
     "123-456", "a", "\"a\" contains invalid input for the picture:\r###-###", "123-456", "12345",
     "\"123-45\" does not completely match the picture:\r###-###", "123-45", "12a",
     "\"12a\" contains invalid input for the picture:\r###-###", "123", "123-"},
    {"Date", vkDate, nullptr, "1/2x/03", "1/2/03", "x", "\"x\" does not resemble a date.",
     "1/2/2003", "12", "\"12/\" does not resemble a date.", "12/", "1/x",
     "\"1/x\" does not resemble a date.", "3/4/05", "3/4/05"},
    {"Time", vkTime, nullptr, "9:4x5p", "9:45 PM", "x", "\"x\" does not resemble a time.",
     "9:45 PM", "1:2", "\"1:2\" does not resemble a time.", "1:2", "9x",
     "\"9x\" does not resemble a time.", "10:15", "10:15 "},
};

void PrintTo(const TKindCase& C, std::ostream* Out) {
  *Out << C.Name;
}

class KindTest : public ValEditTest, public ::testing::WithParamInterface<TKindCase> {
protected:
  void SetUp() override {
    ValEditTest::SetUp();
    Edit->SetKind(GetParam().Kind);
    if (GetParam().Setup)
      GetParam().Setup(Edit->Validator());
    Edit->SetShowErrors({veInput, veFocus});
    Changes.clear();
  }
};

TEST_P(KindTest, KeystrokesAreScreenedAndRefusedKeysReportedOnce) {
  const TKindCase& C = GetParam();
  Enter();
  vt::TypeText(C.Keys);
  EXPECT_EQ(Edit->Text(), C.Typed);
  EXPECT_EQ(Edit->EditText(), C.Typed);
  std::vector<std::string> Expected;
  for (char Ch : C.Refused)
    Expected.emplace_back(1, Ch);
  EXPECT_EQ(InputErrors, Expected);
  ASSERT_EQ(Boxes.Boxes().size(), C.Refused.size());
  EXPECT_EQ(Boxes.Boxes()[0].Msg, C.InputBox);
  EXPECT_EQ(Boxes.Boxes()[0].DlgType, vcl::mtError);
  // One OnChange for each accepted key, none for a refused one, whatever
  // the validator completed on the way.
  EXPECT_EQ(Changes.size(), C.Keys.size() - C.Refused.size());
  EXPECT_EQ(Changes.back(), C.Typed);
}

TEST_P(KindTest, UnfocusedShowsTheDisplayTextAndFocusedTheStoredText) {
  const TKindCase& C = GetParam();
  Enter();
  vt::TypeText(C.Keys);
  Changes.clear();
  const std::size_t BoxesBefore = Boxes.Boxes().size();
  ASSERT_TRUE(Leave());
  EXPECT_EQ(Edit->Text(), C.Display);
  EXPECT_EQ(Edit->DisplayText(), C.Display);
  EXPECT_EQ(Exits, 1);
  Enter();
  EXPECT_EQ(Edit->Text(), Edit->EditText());
  EXPECT_EQ(Edit->DisplayText(), C.Display);
  EXPECT_TRUE(Changes.empty()) << "focus swaps fire no OnChange";
  EXPECT_EQ(Boxes.Boxes().size(), BoxesBefore);
}

TEST_P(KindTest, RefusedExitReportsTheTextAndKeepsTheFocus) {
  const TKindCase& C = GetParam();
  Edit->SetValidation({vtFocus});
  Enter();
  vt::TypeText(C.Invalid);
  ASSERT_EQ(Edit->Text(), C.Shown);
  EXPECT_FALSE(Leave());
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->Text(), C.Shown);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{C.FocusBox});
  EXPECT_EQ(FocusErrors, std::vector<std::string>{C.Shown});
  EXPECT_EQ(Exits, 0);
}

TEST_P(KindTest, WithoutErrorBoxesARefusedExitStillFiresOnFocusError) {
  const TKindCase& C = GetParam();
  Edit->SetValidation({vtFocus});
  Edit->SetShowErrors({});
  Enter();
  vt::TypeText(C.Invalid);
  EXPECT_FALSE(Leave());
  EXPECT_TRUE(Boxes.Boxes().empty());
  EXPECT_EQ(FocusErrors, std::vector<std::string>{C.Shown});
}

TEST_P(KindTest, WithoutFocusValidationAnyTextMayBeLeft) {
  const TKindCase& C = GetParam();
  Edit->SetValidation({});
  Enter();
  vt::TypeText(C.Invalid);
  EXPECT_TRUE(Leave());
  EXPECT_EQ(Edit->EditText(), C.Shown);
  EXPECT_TRUE(Boxes.Boxes().empty());
  EXPECT_TRUE(FocusErrors.empty());
}

TEST_P(KindTest, RefusedKeysShowNoBoxUnlessInputErrorsAreShown) {
  const TKindCase& C = GetParam();
  Edit->SetShowErrors({veFocus});
  Enter();
  vt::TypeText(C.Keys);
  EXPECT_EQ(Edit->Text(), C.Typed);
  EXPECT_EQ(InputErrors.size(), C.Refused.size());
  EXPECT_TRUE(Boxes.Boxes().empty());
}

TEST_P(KindTest, PasteIsScreenedAndARefusalReportsTheWholeClipboardText) {
  const TKindCase& C = GetParam();
  Enter();
  vt::PasteText(C.BadPaste);
  EXPECT_EQ(Edit->Text(), "");
  EXPECT_EQ(InputErrors, std::vector<std::string>{C.BadPaste});
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{C.PasteBox});
  EXPECT_TRUE(Changes.empty());
  vt::PasteText(C.GoodPaste);
  EXPECT_EQ(Edit->Text(), C.Pasted);
  EXPECT_EQ(Edit->EditText(), C.Pasted);
  EXPECT_EQ(Changes, std::vector<std::string>{C.Pasted});
}

TEST_P(KindTest, WithoutInputValidationNothingIsScreened) {
  const TKindCase& C = GetParam();
  Edit->SetValidation({vtFocus});
  Enter();
  vt::PasteText(C.BadPaste);
  EXPECT_EQ(Edit->Text(), C.BadPaste);
  EXPECT_TRUE(InputErrors.empty());
  EXPECT_TRUE(Boxes.Boxes().empty());
}

TEST_P(KindTest, TypingOverAWholeSelectionReplacesIt) {
  const TKindCase& C = GetParam();
  Enter();
  vt::TypeText(C.Keys);
  Edit->SelectAll();
  InputErrors.clear();
  vt::TypeText(C.Keys);
  EXPECT_EQ(Edit->Text(), C.Typed);
  EXPECT_EQ(InputErrors.size(), C.Refused.size());
}

TEST_P(KindTest, ARefusedKeyOverAPartialSelectionChangesNothing) {
  const TKindCase& C = GetParam();
  Enter();
  vt::TypeText(C.Keys);
  Edit->SetSelStart(1);
  Edit->SetSelLength(1);
  const std::size_t ChangesBefore = Changes.size();
  InputErrors.clear();
  // 'x' is refused by every kind's validator wherever it is typed.
  vt::TypeText("x");
  EXPECT_EQ(InputErrors.size(), 1u);
  EXPECT_EQ(Edit->Text(), C.Typed);
  EXPECT_EQ(Edit->EditText(), C.Typed);
  EXPECT_EQ(Edit->SelStart(), 1);
  EXPECT_EQ(Edit->SelLength(), 1);
  EXPECT_EQ(Changes.size(), ChangesBefore);
}

TEST_P(KindTest, BackspaceAndDeleteAreNeverScreened) {
  const TKindCase& C = GetParam();
  Enter();
  vt::TypeText(C.Keys);
  InputErrors.clear();
  Boxes.SetAnswer(vcl::mrOk);
  vt::PressKey(vcl::VK_BACK);
  EXPECT_EQ(Edit->Text(), C.Typed.substr(0, C.Typed.size() - 1));
  Edit->SetSelStart(0);
  vt::PressKey(vcl::VK_DELETE);
  EXPECT_EQ(Edit->Text(), C.Typed.substr(1, C.Typed.size() - 2));
  EXPECT_EQ(Edit->EditText(), Edit->Text());
  EXPECT_TRUE(InputErrors.empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, KindTest, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<TKindCase>& I) {
                           return std::string(I.param.Name);
                         });

} // namespace
} // namespace valedit_test

// ---------------------------------------------------------------------------
// The validating edit's text as a user edits it: undo and redo across
// completions, completions against MaxLength, pastes screened as the window
// inserts them, typing on over a completion, and the stored text kept level
// with the window when the window refuses a key or a paste.

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

// ---------------------------------------------------------------------------
// Texts typed into a validating edit as a user types them, where what the
// validator makes of the typing once fell short: a date typed without its
// year, a picture completion the picture itself refuses, and grouped
// displays under a decimal comma.

namespace valedit_test {
namespace {

using namespace ValEdit;
using namespace Validate;

using TypedEntryTest = ValEditTest;

// Typing the day fills in the separator before the year; leaving the
// control then completes the year as it does for a text without that
// separator.
TEST_F(TypedEntryTest, ADateTypedWithoutItsYearIsCompletedOnLeaving) {
  vt::TFixedClock Clock(vcl::EncodeDate(2026, 6, 15));
  Edit->SetKind(vkDate);
  Enter();
  vt::TypeText("12");
  vt::TypeText("25");
  EXPECT_EQ(Edit->Text(), "12/25/");
  vt::PressKey(vcl::VK_TAB);
  EXPECT_FALSE(Edit->Focused());
  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_TRUE(FocusErrors.empty());
  EXPECT_EQ(Edit->EditText(), "12/25/2026");
  EXPECT_EQ(Edit->Text(), "12/25/2026");
}

// With *3-x, the first '-' would be completed to --x, which the picture
// refuses: the text stays as typed, and the user can go on typing.
TEST_F(TypedEntryTest, ACompletionThePictureRefusesIsNotApplied) {
  Edit->SetKind(vkPicture);
  ValidatorAs<TPictureValidator>()->SetPicture("*3-x");
  Enter();
  vt::TypeText("-");
  EXPECT_EQ(Edit->Text(), "-");
  vt::TypeText("-");
  EXPECT_EQ(Edit->Text(), "---x");
  EXPECT_TRUE(InputErrors.empty());
  EXPECT_TRUE(Leave());
  EXPECT_EQ(Edit->Text(), "---x");
}

// Under a decimal comma the grouping takes the locale's thousands separator,
// so the display reads as one number again.
TEST_F(TypedEntryTest, GroupedDisplaysFollowADecimalComma) {
  vcl::DecimalSeparator = ',';
  vcl::ThousandSeparator = '.';
  const struct {
    vcl::Byte Kind;
    const char* Typed;
    const char* Display;
  } Rows[] = {
      {vkFloat, "1234,5", "1.234,50"},
      {vkFloat, "1234567", "1.234.567,00"},
      {vkCurrency, "-1234,5", "$-1.234,50"},
      {vkInteger, "1234567", "1.234.567"},
  };
  for (const auto& Row : Rows) {
    Edit->SetKind(Row.Kind);
    Edit->SetEditText("");
    Enter();
    vt::TypeText(Row.Typed);
    EXPECT_TRUE(Leave()) << Row.Typed;
    EXPECT_EQ(Edit->Text(), Row.Display) << Row.Typed;
    EXPECT_EQ(Edit->EditText(), Row.Typed);
  }
  // A thousands separator equal to the decimal one would be no better: the
  // digits are grouped with a full stop instead.
  vcl::ThousandSeparator = ',';
  Edit->SetKind(vkFloat);
  Edit->SetEditText("");
  Enter();
  vt::TypeText("1234,5");
  EXPECT_TRUE(Leave());
  EXPECT_EQ(Edit->Text(), "1.234,50");
}

// Separators outside ASCII are typed as one key each and shown as one
// character: the Arabic decimal and thousands separators, the French
// narrow no-break space.
TEST_F(TypedEntryTest, SeparatorsOutsideAsciiAreTypedAndShown) {
  const struct {
    char32_t Decimal;
    char32_t Thousand;
    vcl::Byte Kind;
    const char* Typed;
    const char* Display;
  } Rows[] = {
      {U'\u066B', U'\u066C', vkFloat, "1234567٫5", "1٬234٬567٫50"},
      {U'\u066B', U'\u066C', vkFloat, "12 5", "12٫50"}, // a blank types the separator
      {',', U'\u202F', vkInteger, "1234567", "1\u202F234\u202F567"},
      {',', U'\u202F', vkFloat, "-1234,5", "-1\u202F234,50"},
  };
  for (const auto& Row : Rows) {
    vcl::DecimalSeparator = Row.Decimal;
    vcl::ThousandSeparator = Row.Thousand;
    Edit->SetKind(vkPicture); // the next kind makes its validator under these settings
    Edit->SetKind(Row.Kind);
    Edit->SetEditText("");
    Enter();
    vt::TypeText(Row.Typed);
    EXPECT_TRUE(InputErrors.empty()) << Row.Typed;
    EXPECT_TRUE(Leave()) << Row.Typed;
    EXPECT_EQ(Edit->Text(), Row.Display) << Row.Typed;
  }
  EXPECT_DOUBLE_EQ(Edit->AsFloat(), -1234.5);
}

} // namespace
} // namespace valedit_test
