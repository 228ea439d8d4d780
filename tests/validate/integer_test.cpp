// The integer validator: typing rules, range, bounds invariants, display and
// messages.
#include "validate/integer.h"

#include <gtest/gtest.h>

#include "validator_testing.h"
#include "vcl/sysutils.h"

namespace {

using namespace Validate;
using ValidateTesting::TMessageRecorder;
using ValidateTesting::TStandInEdit;

class IntegerValidatorTest : public ::testing::Test {
protected:
  void SetUp() override { vcl::ResetLocale(); }
};

struct Range {
  bool NoBounds;
  int Min;
  int Max;
};

void Configure(TIntegerValidator& V, const Range& R) {
  V.SetMax(R.Max);
  V.SetMin(R.Min);
  V.SetNoBounds(R.NoBounds);
}

constexpr Range Unbounded{true, 0, 0};
constexpr Range Percent{false, 0, 100};
constexpr Range AroundZero{false, -50, 50};

struct InputCase {
  Range R;
  bool LeadingZeros;
  std::string Text;
  bool Expected;
};

TEST_F(IntegerValidatorTest, Typing) {
  const InputCase Cases[] = {
      {Unbounded, false, "", true},     {Unbounded, false, "-", true},
      {Unbounded, false, "-5", true},   {Unbounded, false, "5-", false},
      {Unbounded, false, "--5", false}, {Unbounded, false, "0", true},
      {Unbounded, false, "05", false},  {Unbounded, false, "-05", true},
      {Unbounded, true, "05", true},    {Unbounded, false, "1 2", false},
      {Unbounded, false, "+5", false},  {Unbounded, false, "99999999999", true},
      {Percent, false, "-", false},     {Percent, false, "-5", false},
      {Percent, false, "500", true}, // the range waits for the complete text
      {AroundZero, false, "-5", true},  {AroundZero, false, "a", false},
  };
  for (const InputCase& C : Cases) {
    TIntegerValidator V(nullptr);
    Configure(V, C.R);
    V.SetLeadingZeros(C.LeadingZeros);
    std::string S = C.Text;
    EXPECT_EQ(V.IsValidInput(S, false), C.Expected) << "'" << C.Text << "'";
    EXPECT_EQ(S, C.Text);
  }
}

struct CompleteCase {
  Range R;
  std::string Text;
  bool Expected;
};

TEST_F(IntegerValidatorTest, CompleteText) {
  const CompleteCase Cases[] = {
      {Unbounded, "", true},
      {Unbounded, "-", false},
      {Unbounded, "007", true}, // no filter or leading-zero rule here
      {Unbounded, " 12", true},
      {Unbounded, "+12", true},
      {Unbounded, "$1F", true},
      {Unbounded, "12 ", false},
      {Unbounded, "2147483647", true},
      {Unbounded, "-2147483648", true},
      {Unbounded, "2147483648", false},
      {Unbounded, "1.5", false},
      {Percent, "0", true},
      {Percent, "100", true},
      {Percent, "101", false},
      {Percent, "-1", false},
      {Percent, "", true},
      {AroundZero, "-50", true},
      {AroundZero, "-51", false},
  };
  for (const CompleteCase& C : Cases) {
    TIntegerValidator V(nullptr);
    Configure(V, C.R);
    EXPECT_EQ(V.IsValid(C.Text), C.Expected) << "'" << C.Text << "'";
  }
}

TEST_F(IntegerValidatorTest, Defaults) {
  TIntegerValidator V(nullptr);
  EXPECT_TRUE(V.NoBounds());
  EXPECT_EQ(V.Min(), 0);
  EXPECT_EQ(V.Max(), 0);
  EXPECT_FALSE(V.LeadingZeros());
  EXPECT_EQ(V.FilterChars(), "0123456789-");
  EXPECT_EQ(V.FilterType(), ftValidChars);
}

TEST_F(IntegerValidatorTest, BoundsKeepMinBelowMax) {
  TIntegerValidator V(nullptr);
  V.SetNoBounds(false);
  EXPECT_EQ(V.FilterChars(), "0123456789");
  V.SetMax(10);
  V.SetMin(50);
  EXPECT_EQ(V.Max(), 50);
  EXPECT_EQ(V.Min(), 50);

  TIntegerValidator W(nullptr);
  W.SetNoBounds(false);
  W.SetMax(-3);
  EXPECT_EQ(W.Min(), -3);
  EXPECT_EQ(W.Max(), -3);
  EXPECT_EQ(W.FilterChars(), "0123456789-");
  W.SetMin(-10);
  W.SetMax(20);
  EXPECT_EQ(W.FilterChars(), "0123456789-") << "Min is still negative";
  W.SetMin(1);
  EXPECT_EQ(W.FilterChars(), "0123456789");
}

// A program that sets a bound means it: the range switches on with it.
TEST_F(IntegerValidatorTest, ABoundSetFromCodeSwitchesTheRangeOn) {
  TIntegerValidator Quantity(nullptr);
  Quantity.SetMin(1);
  Quantity.SetMax(999);
  EXPECT_FALSE(Quantity.NoBounds());
  EXPECT_TRUE(Quantity.IsValid("999"));
  EXPECT_FALSE(Quantity.IsValid("1000"));
  EXPECT_EQ(Quantity.FilterChars(), "0123456789") << "no negative value can be valid";

  // A bound equal to the one held switches the range on too, and the owner
  // hears of it: a text outside the range is cleared.
  TStandInEdit Edit;
  TIntegerValidator V(&Edit);
  Edit.Validator = &V;
  Edit.Text = "5";
  V.SetMax(0);
  EXPECT_FALSE(V.NoBounds());
  EXPECT_EQ(Edit.ValidatorChanges, 1);
  EXPECT_EQ(Edit.Text, "");

  // Switched off by the program, the range stays off until a bound is set again.
  V.SetNoBounds(true);
  EXPECT_TRUE(V.IsValid("5"));
  V.SetMin(-5);
  EXPECT_FALSE(V.IsValid("5"));
}

TEST_F(IntegerValidatorTest, OnlyMinAndMaxNotifyTheOwner) {
  TStandInEdit Edit;
  TIntegerValidator V(&Edit);
  Edit.Validator = &V;
  V.SetNoBounds(false);
  EXPECT_EQ(Edit.ValidatorChanges, 0);
  V.SetLeadingZeros(true);
  EXPECT_EQ(Edit.ValidatorChanges, 0);
  V.SetMax(100);
  EXPECT_EQ(Edit.ValidatorChanges, 1);
  V.SetMax(100);
  EXPECT_EQ(Edit.ValidatorChanges, 1);
  Edit.Text = "5";
  V.SetMin(10);
  EXPECT_EQ(Edit.ValidatorChanges, 2);
  EXPECT_EQ(Edit.Text, "") << "5 fell out of the range";
}

TEST_F(IntegerValidatorTest, Display) {
  const struct {
    bool LeadingZeros;
    const char* Text;
    const char* Shown;
  } Cases[] = {
      {false, "", ""},
      {false, "1", "1"},
      {false, "100", "100"},
      {false, "1000", "1,000"},
      {false, "-1000", "-1,000"},
      {false, "-123", "-123"},
      {false, "123", "123"},
      {false, "1234567", "1,234,567"},
      {false, "-123456", "-123,456"},
      {false, "0012345", "0,012,345"},
      {true, "0012345", "0012345"},
      {true, "12345", "12,345"},
  };
  for (const auto& C : Cases) {
    TIntegerValidator V(nullptr);
    V.SetLeadingZeros(C.LeadingZeros);
    EXPECT_EQ(V.GetDisplayText(C.Text), C.Shown) << C.Text;
  }
}

TEST_F(IntegerValidatorTest, DisplayGroupsWithTheLocaleUnderADecimalComma) {
  TIntegerValidator V(nullptr);
  vcl::ThousandSeparator = ' ';
  EXPECT_EQ(V.GetDisplayText("-1234567"), "-1,234,567");
  vcl::DecimalSeparator = ',';
  EXPECT_EQ(V.GetDisplayText("-1234567"), "-1 234 567");
  vcl::ThousandSeparator = '.';
  EXPECT_EQ(V.GetDisplayText("1234567"), "1.234.567");
  vcl::ThousandSeparator = ',';
  EXPECT_EQ(V.GetDisplayText("1234567"), "1.234.567");
}

// A text of any length is grouped: every fourth character from the right
// is a comma, and only those are.
TEST_F(IntegerValidatorTest, DisplayOfAVeryLongNumber) {
  TIntegerValidator V(nullptr);
  const std::string Digits(800000, '7');
  const std::string Shown = V.GetDisplayText("-" + Digits);
  ASSERT_EQ(Shown.size(), 1 + Digits.size() + (Digits.size() - 1) / 3);
  EXPECT_EQ(Shown[0], '-');
  for (std::size_t I = 1; I < Shown.size(); ++I)
    ASSERT_EQ(Shown[Shown.size() - I] == ',', I % 4 == 0) << I;
}

TEST_F(IntegerValidatorTest, Messages) {
  TMessageRecorder Boxes;
  TIntegerValidator V(nullptr);
  V.ShowErrorMessage(false, "abc");
  EXPECT_EQ(Boxes.TakeError(), "\"abc\" is not a valid integer between 0 and 0.");

  Configure(V, Percent);
  V.ShowErrorMessage(true, "-");
  EXPECT_EQ(Boxes.TakeError(), "\"-\" is not a digit or (-).");
  V.ShowErrorMessage(true, "12a");
  EXPECT_EQ(Boxes.TakeError(), "\"12a\" contains invalid character(s) for an integer.");
  V.ShowErrorMessage(false, "101");
  EXPECT_EQ(Boxes.TakeError(), "\"101\" is not a valid integer between 0 and 100.");

  V.SetMin(-2147483647 - 1);
  V.ShowErrorMessage(false, "50%d \"%s\"");
  EXPECT_EQ(Boxes.TakeError(),
            "\"50%d \"%s\"\" is not a valid integer between -2147483648 and 100.");
}

} // namespace
