// Formatting settings as a value: every conversion that depends on the
// locale reads the settings it is given, the process-wide ones being the
// default that the classic variables name field by field.
#include "sysutils_fixture.h"

using namespace vcl;

namespace {

// German-style settings, none of them equal to the defaults.
TFormatSettings German() {
  TFormatSettings S;
  S.DecimalSeparator = ',';
  S.ThousandSeparator = '.';
  S.CurrencyString = "EUR";
  S.CurrencyFormat = 3;
  S.NegCurrFormat = 8;
  S.CurrencyDecimals = 3;
  S.DateSeparator = '.';
  S.ShortDateFormat = "dd/MM/yyyy";
  S.LongDateFormat = "dddd, d. MMMM yyyy";
  S.TimeSeparator = '.';
  S.ShortTimeFormat = "hh:nn";
  S.LongTimeFormat = "hh:nn:ss";
  S.LongMonthNames[5] = "Juni";
  S.LongDayNames[3] = "Mittwoch";
  return S;
}

class FormatSettingsTest : public SysUtilsTest {};

TEST_F(FormatSettingsTest, TheVariablesNameTheFieldsOfTheProcessWideSettings) {
  EXPECT_EQ(&DecimalSeparator, &FormatSettings.DecimalSeparator);
  EXPECT_EQ(&ShortDateFormat, &FormatSettings.ShortDateFormat);
  EXPECT_EQ(&LongDayNames, &FormatSettings.LongDayNames);
  DecimalSeparator = ',';
  EXPECT_EQ(StrToFloat("1,5"), 1.5L);
  FormatSettings = German();
  EXPECT_EQ(ShortDateFormat, "dd/MM/yyyy");
  ResetLocale();
  const TFormatSettings Defaults;
  EXPECT_EQ(FormatSettings.ShortDateFormat, Defaults.ShortDateFormat);
  EXPECT_EQ(FormatSettings.LongMonthNames, Defaults.LongMonthNames);
  EXPECT_EQ(FormatSettings.NegCurrFormat, Defaults.NegCurrFormat);
}

// Each conversion, once with the German value while the process keeps the
// US defaults, and once without settings after the German value became the
// process's: both give the German text.
TEST_F(FormatSettingsTest, EachConversionReadsTheSettingsItIsGiven) {
  const TFormatSettings G = German();
  const TDateTime Day = EncodeDate(2026, 6, 17) + EncodeTime(14, 5, 9, 0);
  struct TCase {
    const char* What;
    std::string WithValue;
    std::function<std::string()> WithGlobals;
    const char* Expected;
  };
  const TCase Cases[] = {
      {"FloatToStrF ffNumber", FloatToStrF(-1234.5L, ffNumber, 18, 2, G),
       [] { return FloatToStrF(-1234.5L, ffNumber, 18, 2); }, "-1.234,50"},
      {"FloatToStr", FloatToStr(0.25L, G), [] { return FloatToStr(0.25L); }, "0,25"},
      {"CurrToStr", CurrToStr(Currency(12.5), G), [] { return CurrToStr(Currency(12.5)); }, "12,5"},
      {"Format %m", Format("%m", {-3.5}, G), [] { return Format("%m", {-3.5}); }, "-3,500 EUR"},
      {"Format %n", Format("%.1n", {1234567.0}, G), [] { return Format("%.1n", {1234567.0}); },
       "1.234.567,0"},
      {"DateToStr", DateToStr(Day, G), [&] { return DateToStr(Day); }, "17.06.2026"},
      {"TimeToStr", TimeToStr(Day, G), [&] { return TimeToStr(Day); }, "14.05.09"},
      {"DateTimeToStr", DateTimeToStr(Day, G), [&] { return DateTimeToStr(Day); },
       "17.06.2026 14.05.09"},
      {"FormatDateTime", FormatDateTime("dddddd", Day, G),
       [&] { return FormatDateTime("dddddd", Day); }, "Mittwoch, 17. Juni 2026"},
  };
  for (const TCase& C : Cases)
    EXPECT_EQ(C.WithValue, C.Expected) << C.What << " with the value";
  EXPECT_EQ(FloatToStr(0.25L), "0.25") << "the process's settings are untouched";
  FormatSettings = G;
  for (const TCase& C : Cases)
    EXPECT_EQ(C.WithGlobals(), C.Expected) << C.What << " with the process's settings";
}

TEST_F(FormatSettingsTest, ReadingTakesTheSeparatorsAndOrderItIsGiven) {
  const TFormatSettings G = German();
  EXPECT_EQ(StrToFloat(" -1,25 ", G), -1.25L);
  EXPECT_CONVERT_ERROR(StrToFloat("1.25", G), "'1.25' is not a valid floating point value");
  EXPECT_EQ(StrToCurr("2,5", G), Currency(2.5));
  EXPECT_EQ(StrToDate("3.4.2026", G), EncodeDate(2026, 4, 3));
  EXPECT_EQ(StrToTime("7.30", G), EncodeTime(7, 30, 0, 0));
  EXPECT_EQ(StrToDateTime("3.4.2026 7.30", G), EncodeDate(2026, 4, 3) + EncodeTime(7, 30, 0, 0));
  TDateTime Value = 0;
  EXPECT_FALSE(TryStrToDate("4/3/2026", Value, G));
  Extended Float = 0;
  EXPECT_TRUE(TryStrToFloat("0,5", Float, G));
  EXPECT_EQ(Float, 0.5L);
  Currency Money;
  EXPECT_FALSE(TryStrToCurr("0.5", Money, G));
  // The process's settings still read the US way.
  EXPECT_EQ(StrToDate("4/3/2026"), EncodeDate(2026, 4, 3));
  EXPECT_TRUE(TryStrToTime("7:30 PM", Value));
  EXPECT_TRUE(TryStrToDateTime("4/3/2026 7:30 PM", Value));
}

} // namespace
