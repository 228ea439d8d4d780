// The currency validator: money rounding away from zero, the four-decimal
// limit, the "$" display and the money-format range message.
#include <gtest/gtest.h>

#include "validate/float.h"
#include "validator_testing.h"
#include "vcl/sysutils.h"

namespace {

using namespace Validate;
using ValidateTesting::TMessageRecorder;
using ValidateTesting::TStandInEdit;

class CurrencyValidatorTest : public ::testing::Test {
protected:
  void SetUp() override { vcl::ResetLocale(); }
  void TearDown() override { vcl::ResetLocale(); }
};

TEST_F(CurrencyValidatorTest, SetTextNeverRoundsDown) {
  const struct {
    int Precision;
    std::string Text;
    std::string Result;
  } Cases[] = {
      {2, "1.23", "1.23"},
      {2, "1.2300", "1.23"},
      {2, "1.231", "1.24"},
      {2, "-1.231", "-1.24"},
      {2, "0.001", "0.01"},
      {2, "1.2301", "1.24"},
      {2, "0.995", "1.00"},
      {2, "12", "12"},
      {0, "12.00", "12."}, // the separator stays
      {0, "12.3", "13"},
      {4, "1.00001", "1.0001"},
      // The whole excess counts, however long.
      {2, "1.23" + std::string(300, '0'), "1.23"},
      {2, "1.23" + std::string(300, '0') + "1", "1.24"},
      // Large amounts keep their cents.
      {2, "12345678901234.561", "12345678901234.57"},
  };
  for (const auto& C : Cases) {
    TCurrencyValidator V(nullptr);
    V.SetPrecision(C.Precision);
    std::string S = C.Text;
    V.SetText(S);
    EXPECT_EQ(S, C.Result) << C.Text.substr(0, 20);
  }
}

TEST_F(CurrencyValidatorTest, PrecisionIsLimitedToFourWithoutNotifying) {
  TStandInEdit Edit;
  TCurrencyValidator V(&Edit);
  Edit.Validator = &V;
  V.SetPrecision(6);
  EXPECT_EQ(V.Precision(), 4);
  EXPECT_EQ(Edit.ValidatorChanges, 0);
  V.SetMax(5);
  EXPECT_EQ(Edit.ValidatorChanges, 1);
}

// A program that sets a bound means it: the range switches on with it, for
// decimals as for money.
template <typename V> void BoundsSwitchOn() {
  V Price(nullptr);
  Price.SetMax(999.5);
  EXPECT_FALSE(Price.NoBounds());
  EXPECT_TRUE(Price.IsValid("999.5"));
  EXPECT_FALSE(Price.IsValid("1000"));
  EXPECT_FALSE(Price.IsValid("-1")) << "Min is 0";
  V Discount(nullptr);
  Discount.SetMin(0); // equal to the Min held
  EXPECT_FALSE(Discount.NoBounds());
  EXPECT_FALSE(Discount.IsValid("0.01"));
}

TEST_F(CurrencyValidatorTest, ABoundSetFromCodeSwitchesTheRangeOn) {
  BoundsSwitchOn<TFloatValidator>();
  BoundsSwitchOn<TCurrencyValidator>();
}

TEST_F(CurrencyValidatorTest, JudgesLikeTheFloatValidator) {
  TCurrencyValidator V(nullptr);
  EXPECT_EQ(V.Precision(), 2);
  EXPECT_TRUE(V.NoBounds());
  std::string S = "1.234";
  EXPECT_FALSE(V.IsValidInput(S, false));
  S = "-1.23";
  EXPECT_TRUE(V.IsValidInput(S, false));
  V.SetMax(100);
  V.SetNoBounds(false);
  EXPECT_TRUE(V.IsValid("99.99"));
  EXPECT_FALSE(V.IsValid("100.01"));
  EXPECT_FALSE(V.IsValid("$5"));
}

TEST_F(CurrencyValidatorTest, Display) {
  TCurrencyValidator V(nullptr);
  EXPECT_EQ(V.GetDisplayText(""), "");
  EXPECT_EQ(V.GetDisplayText("1234.5"), "$1,234.50");
  EXPECT_EQ(V.GetDisplayText("-5"), "$-5.00");
  vcl::CurrencyString = "EUR";
  EXPECT_EQ(V.GetDisplayText(".5"), "$0.50") << "the sign is fixed";
}

TEST_F(CurrencyValidatorTest, Messages) {
  TMessageRecorder Boxes;
  TStandInEdit Edit;
  Edit.Text = "12";
  Edit.Caret = 2;
  TCurrencyValidator V(&Edit);
  V.ShowErrorMessage(true, "x");
  EXPECT_EQ(Boxes.TakeError(), "\"12x\" contains invalid character(s) for a decimal number.");

  V.ShowErrorMessage(false, "abc");
  EXPECT_EQ(Boxes.TakeError(), "\"abc\" is not a valid currency between $0.00 and $0.00.");

  V.SetMax(1234.5);
  V.SetMin(-5);
  V.SetPrecision(1);
  V.ShowErrorMessage(false, "50% \"off\"");
  EXPECT_EQ(Boxes.TakeError(),
            "\"50% \"off\"\" is not a valid currency between ($5.0) and $1,234.5.");
}

} // namespace
