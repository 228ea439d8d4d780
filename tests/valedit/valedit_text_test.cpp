// Every validator kind driven through the edit as a user would: keystrokes
// screened, refused keys reported once and kept from the window, pastes
// screened, the value judged on leaving, the display text while unfocused.
#include <functional>

#include "valedit_fixture.h"

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
