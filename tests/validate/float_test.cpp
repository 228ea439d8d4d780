// The float validator: typing rules, range, rounding of assigned texts,
// display and messages, also under a locale whose decimal separator is ','.
#include "validate/float.h"

#include <gtest/gtest.h>

#include "validator_testing.h"
#include "vcl/sysutils.h"

namespace {

using namespace Validate;
using ValidateTesting::TMessageRecorder;
using ValidateTesting::TStandInEdit;

class FloatValidatorTest : public ::testing::Test {
protected:
  void SetUp() override { vcl::ResetLocale(); }
  void TearDown() override { vcl::ResetLocale(); }
};

struct InputCase {
  int Precision;
  bool LeadingZeros;
  std::string Text;
  bool Expected;
  std::string After; // the text as the validator leaves it
};

TEST_F(FloatValidatorTest, Typing) {
  const InputCase Cases[] = {
      {2, false, "", true, ""},
      {2, false, "1.23", true, "1.23"},
      {2, false, "1.234", false, "1.234"},
      {2, false, "1.2.3", false, "1.2.3"},
      {2, false, "-1.5", true, "-1.5"},
      {2, false, "-", true, "-"},
      {2, false, "1-", false, "1-"},
      {2, false, "--1", false, "--1"},
      {2, false, "01.5", false, "01.5"},
      {2, false, "0.5", true, "0.5"},
      {2, false, ".5", true, ".5"},
      {2, false, "0", true, "0"},
      {2, true, "01.5", true, "01.5"},
      {2, false, "1e5", false, "1e5"},
      {2, false, "1 5", true, "1.5"}, // a blank stands for the separator
      {2, false, "1 5 ", false, "1.5 "},
      {0, false, "12", true, "12"},
      {0, false, "12.", false, "12."},
  };
  for (const InputCase& C : Cases) {
    TFloatValidator V(nullptr);
    V.SetPrecision(C.Precision);
    V.SetLeadingZeros(C.LeadingZeros);
    std::string S = C.Text;
    EXPECT_EQ(V.IsValidInput(S, true), C.Expected) << "'" << C.Text << "'";
    EXPECT_EQ(S, C.After) << "'" << C.Text << "'";
  }
}

TEST_F(FloatValidatorTest, Defaults) {
  vcl::CurrencyDecimals = 3;
  TFloatValidator V(nullptr);
  EXPECT_EQ(V.Precision(), 3) << "the locale's count of decimals";
  EXPECT_TRUE(V.NoBounds());
  EXPECT_EQ(V.Min(), 0.0);
  EXPECT_EQ(V.Max(), 0.0);
  EXPECT_FALSE(V.LeadingZeros());
  EXPECT_EQ(V.FilterChars(), "0123456789.-");

  vcl::CurrencyDecimals = 20;
  TFloatValidator Wide(nullptr);
  EXPECT_EQ(Wide.Precision(), 20) << "the constructor does not apply the limit";
}

TEST_F(FloatValidatorTest, PrecisionIsLimitedAndNotifies) {
  TStandInEdit Edit;
  TFloatValidator V(&Edit);
  V.SetPrecision(20);
  EXPECT_EQ(V.Precision(), 15);
  EXPECT_EQ(Edit.ValidatorChanges, 1);
  V.SetPrecision(15);
  EXPECT_EQ(Edit.ValidatorChanges, 1);
  V.SetNoBounds(false);
  V.SetLeadingZeros(true);
  EXPECT_EQ(Edit.ValidatorChanges, 1);
}

TEST_F(FloatValidatorTest, BoundsKeepMinBelowMaxAndDecideTheMinus) {
  TFloatValidator V(nullptr);
  V.SetNoBounds(false);
  EXPECT_EQ(V.FilterChars(), "0123456789.");
  V.SetMax(10.5);
  V.SetMin(20.25);
  EXPECT_EQ(V.Max(), 20.25);
  V.SetMax(-1);
  EXPECT_EQ(V.Min(), -1.0);
  EXPECT_EQ(V.FilterChars(), "0123456789.-");
}

struct CompleteCase {
  bool NoBounds;
  double Min;
  double Max;
  std::string Text;
  bool Expected;
};

TEST_F(FloatValidatorTest, CompleteText) {
  const CompleteCase Cases[] = {
      {true, 0, 0, "", true},
      {true, 0, 0, "abc", false},
      {true, 0, 0, "-", false},
      {true, 0, 0, " -1.5e3 ", true},
      {true, 0, 0, "1.23456", true}, // decimals are not judged here
      {false, -1.5, 10, "-1.5", true},
      {false, -1.5, 10, "-1.51", false},
      {false, -1.5, 10, "10.00", true},
      {false, -1.5, 10, "10.001", false},
      {false, 0, 0, "", true},
      // A bound spelled exactly is inside the range, even where the text's
      // value lies a hair outside the double that holds the bound.
      {false, 0.1, 0.3, "0.1", true},
      {false, 0.1, 0.3, "0.3", true},
  };
  for (const CompleteCase& C : Cases) {
    TFloatValidator V(nullptr);
    V.SetMax(C.Max);
    V.SetMin(C.Min);
    V.SetNoBounds(C.NoBounds);
    EXPECT_EQ(V.IsValid(C.Text), C.Expected) << "'" << C.Text << "'";
  }
}

TEST_F(FloatValidatorTest, SetTextRoundsOnlyExcessDecimals) {
  const struct {
    int Precision;
    const char* Text;
    const char* Result;
  } Cases[] = {
      {2, "3.14159", "3.14"}, {2, "2.345", "2.35"},   {2, "2.3", "2.3"},       {2, "2.30", "2.30"},
      {2, "12", "12"},        {2, "-2.345", "-2.35"}, {2, "1.005", "1.01"},    {2, "2.675", "2.68"},
      {0, "12.5", "13"},      {0, "12.", "12."},      {3, "0.99999", "1.000"},
  };
  for (const auto& C : Cases) {
    TFloatValidator V(nullptr);
    V.SetPrecision(C.Precision);
    std::string S = C.Text;
    V.SetText(S);
    EXPECT_EQ(S, C.Result) << C.Text;
  }
}

TEST_F(FloatValidatorTest, SetTextOfNoNumberRaises) {
  TFloatValidator V(nullptr);
  V.SetPrecision(2);
  std::string S = "1.2ab";
  EXPECT_THROW(V.SetText(S), vcl::EConvertError);
  EXPECT_EQ(S, "1.2ab");
}

TEST_F(FloatValidatorTest, Display) {
  const struct {
    int Precision;
    bool LeadingZeros;
    const char* Text;
    const char* Shown;
  } Cases[] = {
      {2, false, "", ""},
      {2, false, "1234.5", "1,234.50"},
      {2, false, ".5", "0.50"},
      {2, false, "-123", "-123.00"},
      {2, false, "-1234567", "-1,234,567.00"},
      {2, false, "123456", "123,456.00"},
      {2, false, "12.345", "12.345"}, // extra decimals are shown as they are
      {0, false, "1234", "1,234"},
      {0, false, "1234.", "1,234."},
      {2, true, "007", "007"},
      {2, true, "0", "0.00"},
      {2, true, "0.5", "0.50"},
      {2, false, "007", "007.00"},
  };
  for (const auto& C : Cases) {
    TFloatValidator V(nullptr);
    V.SetPrecision(C.Precision);
    V.SetLeadingZeros(C.LeadingZeros);
    EXPECT_EQ(V.GetDisplayText(C.Text), C.Shown) << C.Text;
  }
}

TEST_F(FloatValidatorTest, CommaLocale) {
  vcl::DecimalSeparator = ',';
  TFloatValidator V(nullptr);
  V.SetPrecision(2);
  EXPECT_EQ(V.FilterChars(), "0123456789,-");
  std::string S = "1,5";
  EXPECT_TRUE(V.IsValidInput(S, false));
  S = "1.5";
  EXPECT_FALSE(V.IsValidInput(S, false));
  S = "1 5";
  EXPECT_TRUE(V.IsValidInput(S, false));
  EXPECT_EQ(S, "1,5");
  EXPECT_TRUE(V.IsValid("-1,25"));
  S = "2,345";
  V.SetText(S);
  EXPECT_EQ(S, "2,35");
  EXPECT_EQ(V.GetDisplayText("1234,5"), "1.234,50");
}

// Under a decimal separator other than '.', a fixed ',' between the groups
// could not be told from the decimals: the locale's thousands separator
// groups instead ('.' when it is the decimal separator too, or none), and a
// number typed without decimals gets the locale's separator before them.
TEST_F(FloatValidatorTest, DisplayUnderAnotherDecimalSeparator) {
  const struct {
    char32_t Decimal;
    char32_t Thousand;
    int Precision;
    const char* Text;
    const char* Shown;
  } Cases[] = {
      {',', '.', 2, "1234,5", "1.234,50"},
      {',', '.', 2, "1234", "1.234,00"},
      {',', '.', 2, ",5", "0,50"},
      {',', ' ', 2, "-1234567,8", "-1 234 567,80"},
      {',', ',', 2, "1234,5", "1.234,50"},
      {',', '\0', 0, "1234", "1.234"},
      {'.', ' ', 2, "1234.5", "1,234.50"}, // the full stop keeps the fixed comma
      // Separators outside ASCII: the French narrow no-break space, the
      // Arabic decimal and thousands separators.
      {',', U'\u202F', 2, "-1234567,8", "-1\u202F234\u202F567,80"},
      {U'\u066B', U'\u066C', 2, "1234567٫8", "1٬234٬567٫80"},
      {U'\u066B', U'\u066C', 2, "1234", "1٬234٫00"},
      {U'\u066B', U'\u066C', 2, "٫5", "0٫50"},
  };
  for (const auto& C : Cases) {
    vcl::DecimalSeparator = C.Decimal;
    vcl::ThousandSeparator = C.Thousand;
    TFloatValidator V(nullptr);
    V.SetPrecision(C.Precision);
    EXPECT_EQ(V.GetDisplayText(C.Text), C.Shown) << C.Text;
  }
}

// The Arabic decimal separator U+066B is one character of two bytes: it is
// counted, matched, written and named as one.
TEST_F(FloatValidatorTest, ADecimalSeparatorOutsideAscii) {
  vcl::DecimalSeparator = U'\u066B';
  TFloatValidator V(nullptr);
  V.SetPrecision(2);
  EXPECT_EQ(V.FilterChars(), "0123456789٫-");
  const struct {
    const char* Typed;
    bool Accepted;
    const char* After;
  } Inputs[] = {
      {"1٫5", true, "1٫5"}, {"1 5", true, "1٫5"}, {"1٫25", true, "1٫25"}, {"1٫255", false, ""},
      {"1٫5٫", false, ""},  {"1.5", false, ""},   {"0٫5", true, "0٫5"},   {"05", false, ""},
  };
  for (const auto& In : Inputs) {
    std::string S = In.Typed;
    EXPECT_EQ(V.IsValidInput(S, false), In.Accepted) << In.Typed;
    if (In.Accepted) {
      EXPECT_EQ(S, In.After);
    }
  }
  EXPECT_TRUE(V.IsValid("-1٫25"));
  std::string S = "2٫345";
  V.SetText(S);
  EXPECT_EQ(S, "2٫35");
  TStandInEdit Edit;
  Edit.Text = "1٫25";
  Edit.Caret = 4;
  TFloatValidator Owned(&Edit);
  Owned.SetPrecision(2);
  TMessageRecorder Boxes;
  Owned.ShowErrorMessage(true, "3");
  EXPECT_EQ(Boxes.TakeError(), "\"1٫253\" contains more than 2 digits after the decimal.");
  Owned.ShowErrorMessage(true, " ");
  EXPECT_EQ(Boxes.TakeError(), "\"1٫25٫\" contains more than one decimal.");
  Owned.SetMin(-1.5);
  Owned.SetMax(10);
  Owned.ShowErrorMessage(false, "x");
  EXPECT_EQ(Boxes.TakeError(), "\"x\" is not a valid number between -1٫50 and 10٫00.");
}

TEST_F(FloatValidatorTest, FilterTakesTheSeparatorWhenBuilt) {
  TFloatValidator V(nullptr);
  vcl::DecimalSeparator = ',';
  std::string S = "1,5";
  EXPECT_FALSE(V.IsValidInput(S, false));
  V.GetFilter();
  S = "1,5";
  EXPECT_TRUE(V.IsValidInput(S, false));
}

struct InputMessageCase {
  const char* EditText;
  int Caret;
  const char* Typed;
  const char* Message;
};

TEST_F(FloatValidatorTest, InputMessagesNameTheWholeText) {
  const InputMessageCase Cases[] = {
      {"12", 2, "x", "\"12x\" contains invalid character(s) for a decimal number."},
      {"12", 1, "x", "\"1x2\" contains invalid character(s) for a decimal number."},
      {"", 0, "x", "\"x\" is not a digit, decimal, or (-)."},
      {"", 0, " ", "\".\" is not a digit, decimal, or (-)."},
      {"1.5", 3, ".", "\"1.5.\" contains more than one decimal."},
      {"1.5", 1, " ", "\"1..5\" contains more than one decimal."},
      {"1.25", 4, "3", "\"1.253\" contains more than 2 digits after the decimal."},
      {"12", 2, "%d\"", "\"12%d\"\" contains invalid character(s) for a decimal number."},
  };
  TMessageRecorder Boxes;
  for (const InputMessageCase& C : Cases) {
    TStandInEdit Edit;
    Edit.Text = C.EditText;
    Edit.Caret = C.Caret;
    TFloatValidator V(&Edit);
    V.SetPrecision(2);
    V.ShowErrorMessage(true, C.Typed);
    EXPECT_EQ(Boxes.TakeError(), C.Message);
  }
}

TEST_F(FloatValidatorTest, InputMessageWithoutAnEdit) {
  TMessageRecorder Boxes;
  TFloatValidator V(nullptr);
  V.ShowErrorMessage(true, "1x");
  EXPECT_EQ(Boxes.TakeError(), "\"1x\" contains invalid character(s) for a decimal number.");
}

TEST_F(FloatValidatorTest, RangeMessages) {
  TMessageRecorder Boxes;
  TFloatValidator V(nullptr);
  V.SetPrecision(2);
  V.ShowErrorMessage(false, "abc");
  EXPECT_EQ(Boxes.TakeError(), "\"abc\" is not a valid number between 0.00 and 0.00.");

  V.SetPrecision(3);
  V.SetMax(10);
  V.SetMin(-1.5);
  V.ShowErrorMessage(false, "100%");
  EXPECT_EQ(Boxes.TakeError(), "\"100%\" is not a valid number between -1.500 and 10.000.");

  V.SetPrecision(0);
  V.ShowErrorMessage(false, "\"%.2f\"");
  EXPECT_EQ(Boxes.TakeError(), "\"\"%.2f\"\" is not a valid number between -2 and 10.");

  vcl::DecimalSeparator = ',';
  V.SetPrecision(1);
  V.ShowErrorMessage(false, "x");
  EXPECT_EQ(Boxes.TakeError(), "\"x\" is not a valid number between -1,5 and 10,0.");
}

} // namespace
