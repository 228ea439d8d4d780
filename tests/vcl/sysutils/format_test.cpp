// Format: directives, index/width/precision, argument checks.
#include "sysutils_fixture.h"

using namespace vcl;

namespace {

using FormatTest = SysUtilsTest;

// The format and the conversions scan their ASCII syntax byte by byte: text
// around it in any script passes through whole, and a character that is not
// part of a number is refused, not cut off.
TEST_F(FormatTest, TextInAnyScriptPassesThroughWhole) {
  EXPECT_EQ(Format("Grüße %s, 東京 %d€", {"Łódź", 5}), "Grüße Łódź, 東京 5€");
  int N = 0;
  EXPECT_FALSE(TryStrToInt("12é", N));
  EXPECT_FALSE(TryStrToInt("１２", N)); // full-width digits are not ASCII syntax
  Extended X = 0;
  EXPECT_FALSE(TryStrToFloat("1.5€", X));
  TDateTime D = 0;
  EXPECT_FALSE(TryStrToDate("1/2/2026€", D));
}

TEST_F(FormatTest, IntegerDirectives) {
  EXPECT_EQ(Format("%d and %d", {0, 100}), "0 and 100");
  EXPECT_EQ(Format("%d", {-42}), "-42");
  EXPECT_EQ(Format("%.3d|%.3d|%.1d", {7, -7, 1234}), "007|-007|1234");
  EXPECT_EQ(Format("%d", {9000000000LL}), "9000000000");
  EXPECT_EQ(Format("%u", {-1}), "4294967295");
  EXPECT_EQ(Format("%x|%.4x|%X", {255, 255, -1}), "FF|00FF|FFFFFFFF");
  EXPECT_EQ(Format("%x", {-1LL}), "FFFFFFFFFFFFFFFF");
}

TEST_F(FormatTest, FloatDirectives) {
  EXPECT_EQ(Format("%.2f", {3.14159}), "3.14");
  EXPECT_EQ(Format("%f", {1.0}), "1.00");
  EXPECT_EQ(Format("%.0f", {2.5}), "3");
  EXPECT_EQ(Format("%e", {1234.5}), "1.23450000000000E+003");
  EXPECT_EQ(Format("%.3e", {1234.5}), "1.23E+003");
  EXPECT_EQ(Format("%g", {1234.5}), "1234.5");
  EXPECT_EQ(Format("%n", {1234567.891}), "1,234,567.89");
  EXPECT_EQ(Format("%.0n", {1234567.891}), "1,234,568");
  EXPECT_EQ(Format("%.2m", {-1234.5}), "($1,234.50)");
  EXPECT_EQ(Format("%m", {1234.5}), "$1,234.50");
  CurrencyDecimals = 0;
  EXPECT_EQ(Format("%m", {1234.5}), "$1,235");
  EXPECT_EQ(Format("%m", {Currency(5)}), "$5");
  EXPECT_EQ(Format("%.4f", {Currency::FromRaw(12345)}), "1.2345");
}

TEST_F(FormatTest, FloatDirectivesFollowTheLocale) {
  DecimalSeparator = ',';
  ThousandSeparator = '.';
  CurrencyString = "EUR";
  CurrencyFormat = 3;
  NegCurrFormat = 8;
  EXPECT_EQ(Format("%.2f", {3.14159}), "3,14");
  EXPECT_EQ(Format("%n", {1234.5}), "1.234,50");
  EXPECT_EQ(Format("%m|%m", {1234.5, -1234.5}), "1.234,50 EUR|-1.234,50 EUR");
}

TEST_F(FormatTest, StringsAreInsertedVerbatim) {
  EXPECT_EQ(Format("%s%%", {"50%d"}), "50%d%");
  EXPECT_EQ(Format("[%s]", {std::string("%s %1:s")}), "[%s %1:s]");
  EXPECT_EQ(Format("%.2s|%5s|%-5s|", {"abc", "abc", "abc"}), "ab|  abc|abc  |");
  EXPECT_EQ(Format("%s", {'x'}), "x");
  EXPECT_EQ(Format("100%%"), "100%");
  EXPECT_EQ(Format("no directives"), "no directives");
}

TEST_F(FormatTest, IndexWidthAndStar) {
  EXPECT_EQ(Format("%0:s %1:s %0:s", {"a", "b"}), "a b a");
  EXPECT_EQ(Format("%1:s %s", {"a", "b", "c"}), "b c");
  EXPECT_EQ(Format("%5d|%-5d|", {42, 42}), "   42|42   |");
  EXPECT_EQ(Format("%*d", {5, 42}), "   42");
  EXPECT_EQ(Format("%-*.*f|", {6, 1, 2.25}), "2.3   |");
  EXPECT_EQ(Format("%2d", {12345}), "12345");
  EXPECT_EQ(Format("%0:-4s|", {"ab"}), "ab  |");
}

// A width or precision taken from an argument is bounded as a written one
// is: one past the bound raises instead of allocating what the data asks.
TEST_F(FormatTest, WidthsAndPrecisionsAreBoundedWrittenOrTaken) {
  EXPECT_EQ(Format("%*d", {100000, 7}).size(), 100000u);
  EXPECT_EQ(Format("%.*d", {100000, 7}).size(), 100000u);
  EXPECT_EQ(Format("%100000d", {7}).size(), 100000u);
  struct Case {
    const char* Fmt;
    std::initializer_list<TVarRec> Args;
  };
  const Case TooWide[] = {
      {"%*d", {100001, 7}},    {"%.*d", {100001, 7}},   {"%.*x", {100001, 7}},
      {"%.*u", {100001, 7}},   {"%.*f", {100001, 1.5}}, {"%.*e", {100001, 1.5}},
      {"%-*s", {100001, "x"}}, {"%0:*d", {100001, 7}},  {"%100001d", {7}},
      {"%.100001d", {7}},
  };
  for (const Case& C : TooWide)
    EXPECT_CONVERT_ERROR(Format(C.Fmt, C.Args), "Format '" + std::string(C.Fmt) +
                                                    "' invalid or incompatible with argument");
}

TEST_F(FormatTest, MismatchesRaise) {
  struct Case {
    const char* Fmt;
    std::initializer_list<TVarRec> Args;
  };
  const Case Cases[] = {
      {"%d", {1.5}},         {"%s", {1}}, {"%d", {}},      {"%f", {1}},       {"%d", {"1"}},
      {"abc %", {1}},        {"%q", {1}}, {"%2:s", {"a"}}, {"%*d", {"x", 1}}, {"%d %d", {1}},
      {"%x", {Currency(1)}}, {"%-", {1}},
  };
  for (const Case& C : Cases)
    EXPECT_CONVERT_ERROR(Format(C.Fmt, C.Args), "Format '" + std::string(C.Fmt) +
                                                    "' invalid or incompatible with argument");
}

} // namespace
