// Texts typed into a validating edit as a user types them, where what the
// validator makes of the typing once fell short: a date typed without its
// year, a picture completion the picture itself refuses, and grouped
// displays under a decimal comma.
#include "valedit_fixture.h"

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

} // namespace
} // namespace valedit_test
