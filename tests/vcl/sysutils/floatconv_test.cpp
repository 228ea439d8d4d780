// Floating point and currency texts: reading, the display formats and their
// decimal rounding, the currency layouts.
#include <cmath>
#include <cstdint>
#include <limits>

#include "sysutils_fixture.h"

using namespace vcl;

namespace {

using FloatTest = SysUtilsTest;

TEST_F(FloatTest, StrToFloatReadsClassicShapes) {
  struct Case {
    const char* Text;
    Extended Expected;
  } Cases[] = {
      {"1e3", 1000.0L},     {"  1.5  ", 1.5L},
      {"-2.5E-2", -0.025L}, {"+7", 7.0L},
      {".5", 0.5L},         {"5.", 5.0L},
      {"0.1", 0.1L},        {"1E+2", 100.0L},
      {"1e-5000", 0.0L},    {"000123.4500", 123.45L},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(StrToFloat(C.Text), C.Expected) << C.Text;
}

TEST_F(FloatTest, StrToFloatRejectsOtherShapes) {
  const char* Bad[] = {"",    " ",    "abc", "1,000", "1.2.3", "1e", "e5",     "1e+",
                       "--1", "0x10", "1 2", "nan",   "inf",   ".",  "1e5000", "1.5x"};
  for (const char* Text : Bad) {
    EXPECT_CONVERT_ERROR(StrToFloat(Text),
                         "'" + std::string(Text) + "' is not a valid floating point value");
    Extended Value = 0;
    EXPECT_FALSE(TryStrToFloat(Text, Value)) << Text;
  }
}

TEST_F(FloatTest, StrToFloatUsesDecimalSeparator) {
  DecimalSeparator = ',';
  EXPECT_EQ(StrToFloat("1,5"), 1.5L);
  EXPECT_EQ(StrToFloat(" -0,25e1 "), -2.5L);
  EXPECT_CONVERT_ERROR(StrToFloat("1.5"), "'1.5' is not a valid floating point value");
}

struct FloatCase {
  Extended Value;
  TFloatFormat Format;
  int Precision, Digits;
  const char* Expected;
};

TEST_F(FloatTest, FloatToStrFRoundsTheDecimalDigits) {
  const FloatCase Cases[] = {
      {2.345, ffFixed, 5, 2, "2.35"},
      {StrToFloat("1.005"), ffFixed, 15, 2, "1.01"},
      {StrToFloat("1.239"), ffFixed, 15, 2, "1.24"},
      {StrToFloat("2.675"), ffFixed, 15, 2, "2.68"},
      {2.675L, ffFixed, 15, 2, "2.68"},
      // A double holding 2.675 is really 2.67499999999999982...: its digits round down.
      {2.675, ffFixed, 15, 2, "2.67"},
      {1234.5L, ffFixed, 15, 0, "1235"},
      {0.5L, ffFixed, 15, 0, "1"},
      {-0.5L, ffFixed, 15, 0, "-1"},
      {0.05L, ffFixed, 15, 0, "0"},
      {-0.001L, ffFixed, 15, 2, "0.00"},
      {0.001L, ffFixed, 15, 4, "0.0010"},
      {1e-10L, ffFixed, 15, 2, "0.00"},
      {123.456L, ffFixed, 4, 2, "123.50"},
      {9.995L, ffFixed, 15, 2, "10.00"},
      {42.0L, ffFixed, 15, 30, "42.000000000000000000"}, // Digits clamps to 18
      // More integer digits than Precision: the general format takes over.
      {123456.0L, ffFixed, 5, 2, "1.2346E5"},
      {99999.9L, ffFixed, 5, 2, "1E5"},
  };
  for (const FloatCase& C : Cases)
    EXPECT_EQ(FloatToStrF(C.Value, C.Format, C.Precision, C.Digits), C.Expected)
        << static_cast<double>(C.Value) << " " << int(C.Format) << " " << C.Precision << " "
        << C.Digits;
}

TEST_F(FloatTest, GeneralAndExponentFormats) {
  const FloatCase Cases[] = {
      {0.0L, ffGeneral, 15, 0, "0"},
      {1.5L, ffGeneral, 15, 0, "1.5"},
      {-0.25L, ffGeneral, 15, 0, "-0.25"},
      {0.1, ffGeneral, 15, 0, "0.1"},
      {1.0L / 3, ffGeneral, 15, 0, "0.333333333333333"},
      {2.0L / 3, ffGeneral, 15, 0, "0.666666666666667"},
      {123456789012345.0L, ffGeneral, 15, 0, "123456789012345"},
      {1e15L, ffGeneral, 15, 0, "1E15"},
      {0.0001L, ffGeneral, 15, 0, "0.0001"},
      {0.00001L, ffGeneral, 15, 0, "1E-5"},
      {-1.25e-7L, ffGeneral, 15, 2, "-1.25E-07"},
      {1234.5678L, ffGeneral, 6, 0, "1234.57"},
      {999999.5L, ffGeneral, 6, 0, "1E6"},
      {1.5L, ffGeneral, 0, 0, "2"},    // Precision clamps to 1
      {1.5L, ffGeneral, 50, 0, "1.5"}, // and to 18
      {1234.5L, ffExponent, 5, 3, "1.2345E+003"},
      {-0.00012345L, ffExponent, 3, 2, "-1.23E-04"},
      {0.0L, ffExponent, 4, 2, "0.000E+00"},
      {9.99999L, ffExponent, 3, 1, "1.00E+1"},
      {5.0L, ffExponent, 1, 0, "5E+0"},
      {5.0L, ffExponent, 2, 9, "5.0E+0000"}, // at most four exponent digits are asked for
  };
  for (const FloatCase& C : Cases)
    EXPECT_EQ(FloatToStrF(C.Value, C.Format, C.Precision, C.Digits), C.Expected)
        << static_cast<double>(C.Value) << " " << int(C.Format) << " " << C.Precision << " "
        << C.Digits;
  EXPECT_EQ(FloatToStr(0.1), "0.1");
  EXPECT_EQ(FloatToStr(-1234.5L), "-1234.5");
}

TEST_F(FloatTest, NumberFormatGroupsThousands) {
  EXPECT_EQ(FloatToStrF(1234567.891L, ffNumber, 15, 2), "1,234,567.89");
  EXPECT_EQ(FloatToStrF(-1234.5L, ffNumber, 15, 0), "-1,235");
  EXPECT_EQ(FloatToStrF(999.5L, ffNumber, 15, 0), "1,000");
  EXPECT_EQ(FloatToStrF(12.0L, ffNumber, 15, 2), "12.00");
  EXPECT_EQ(FloatToStrF(0.5L, ffNumber, 15, 2), "0.50");
  DecimalSeparator = ',';
  ThousandSeparator = '.';
  EXPECT_EQ(FloatToStrF(1234.5L, ffNumber, 15, 2), "1.234,50");
  EXPECT_EQ(FloatToStrF(1234.5L, ffFixed, 15, 2), "1234,50");
  EXPECT_EQ(FloatToStrF(0.5L, ffGeneral, 15, 0), "0,5");
}

TEST_F(FloatTest, CurrencyFormatPlacesSymbolAndSign) {
  const char* Negative[16] = {"($1,234.50)", "-$1,234.50",  "$-1,234.50",   "$1,234.50-",
                              "(1,234.50$)", "-1,234.50$",  "1,234.50-$",   "1,234.50$-",
                              "-1,234.50 $", "-$ 1,234.50", "1,234.50 $-",  "$ 1,234.50-",
                              "$ -1,234.50", "1,234.50- $", "($ 1,234.50)", "(1,234.50 $)"};
  for (int F = 0; F < 16; ++F) {
    NegCurrFormat = static_cast<Byte>(F);
    EXPECT_EQ(FloatToStrF(-1234.5L, ffCurrency, 15, 2), Negative[F]) << F;
  }
  const char* Positive[4] = {"$1,234.50", "1,234.50$", "$ 1,234.50", "1,234.50 $"};
  for (int F = 0; F < 4; ++F) {
    CurrencyFormat = static_cast<Byte>(F);
    EXPECT_EQ(FloatToStrF(1234.5L, ffCurrency, 15, 2), Positive[F]) << F;
  }
  CurrencyFormat = 3;
  CurrencyString = "EUR";
  // A negative amount that rounds to zero shows as zero.
  EXPECT_EQ(FloatToStrF(-0.001L, ffCurrency, 15, 2), "0.00 EUR");
}

TEST_F(FloatTest, NonFiniteValues) {
  const Extended Inf = std::numeric_limits<Extended>::infinity();
  for (TFloatFormat F : {ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency}) {
    EXPECT_EQ(FloatToStrF(std::numeric_limits<Extended>::quiet_NaN(), F, 15, 2), "NAN");
    EXPECT_EQ(FloatToStrF(Inf, F, 15, 2), "INF");
    EXPECT_EQ(FloatToStrF(-Inf, F, 15, 2), "-INF");
  }
}

TEST_F(FloatTest, CurrencyFromFloatRoundsToFourDecimals) {
  EXPECT_EQ(Currency(1.23456).Raw(), 12346);
  EXPECT_EQ(Currency(-1.23454).Raw(), -12345);
  EXPECT_EQ(Currency(2.5).Raw(), 25000);
  EXPECT_EQ(FloatToCurr(922337203685477.0L).Raw(), 9223372036854770000LL);
  EXPECT_CONVERT_ERROR(FloatToCurr(1e20L), "'1E20' is not a valid currency value");
  EXPECT_CONVERT_ERROR(FloatToCurr(-1e20L), "'-1E20' is not a valid currency value");
  EXPECT_CONVERT_ERROR(FloatToCurr(std::numeric_limits<Extended>::quiet_NaN()),
                       "'NAN' is not a valid currency value");
  EXPECT_THROW(Currency(1e300), EConvertError);
}

TEST_F(FloatTest, CurrencyTexts) {
  EXPECT_EQ(StrToCurr("12.34").Raw(), 123400);
  EXPECT_EQ(StrToCurr(" -0.00015 ").Raw(), -2);
  EXPECT_CONVERT_ERROR(StrToCurr("abc"), "'abc' is not a valid floating point value");
  EXPECT_CONVERT_ERROR(StrToCurr("1e20"), "'1e20' is not a valid floating point value");
  EXPECT_EQ(CurrToStr(Currency::FromRaw(12345)), "1.2345");
  EXPECT_EQ(CurrToStr(Currency(100)), "100");
  EXPECT_EQ(CurrToStr(Currency::FromRaw(-5000)), "-0.5");
  EXPECT_EQ(CurrToStr(Currency()), "0");
  // All nineteen digits of the extreme amounts survive.
  EXPECT_EQ(CurrToStr(Currency::FromRaw(INT64_MAX)), "922337203685477.5807");
  EXPECT_EQ(CurrToStr(Currency::FromRaw(INT64_MIN)), "-922337203685477.5808");
  DecimalSeparator = ',';
  EXPECT_EQ(CurrToStr(StrToCurr("0,5")), "0,5");
}

TEST_F(FloatTest, TryStrToCurrAnswersWhatStrToCurrDoes) {
  for (const char* Text : {"12.34", " -0.00015 ", "abc", "1e20", "", "922337203685477.5807"}) {
    Currency Tried = Currency::FromRaw(-7);
    const bool Read = TryStrToCurr(Text, Tried);
    try {
      EXPECT_EQ(Tried, StrToCurr(Text)) << Text;
      EXPECT_TRUE(Read) << Text;
    } catch (const EConvertError&) {
      EXPECT_FALSE(Read) << Text;
      EXPECT_EQ(Tried.Raw(), -7) << Text;
    }
  }
}

} // namespace
