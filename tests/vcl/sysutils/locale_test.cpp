// Locale settings: the defaults, and reading the process locale. Real locales
// are compiled with localedef into a private folder (LOCPATH) so the tests do
// not depend on the locales the machine has installed; without localedef those
// cases are skipped.
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <unistd.h>

#include "sysutils_fixture.h"
#include "vcl/consts.h"

using namespace vcl;

namespace {

// Sets an environment variable for the scope, restoring the old value.
class TEnvScope {
public:
  TEnvScope(const char* Name, const std::string& Value) : FName(Name) {
    if (const char* Old = std::getenv(Name))
      FOld = Old;
    setenv(Name, Value.c_str(), 1);
  }
  ~TEnvScope() {
    if (FOld)
      setenv(FName, FOld->c_str(), 1);
    else
      unsetenv(FName);
  }

private:
  const char* FName;
  std::optional<std::string> FOld;
};

class LocaleTest : public SysUtilsTest {
protected:
  static void SetUpTestSuite() {
    FFolder =
        std::filesystem::temp_directory_path() / ("vcl_core_locales_" + std::to_string(::getpid()));
    std::filesystem::create_directories(FFolder);
    for (const char* Name : {"de_DE", "en_US", "fr_FR", "ru_RU", "ps_AF"}) {
      const std::string Command = "localedef -i " + std::string(Name) + " -f UTF-8 '" +
                                  (FFolder / (std::string(Name) + ".UTF-8")).string() +
                                  "' >/dev/null 2>&1";
      (void)std::system(Command.c_str());
    }
  }
  static void TearDownTestSuite() {
    std::error_code Ignored;
    std::filesystem::remove_all(FFolder, Ignored);
  }

  // Loads the named locale; false when it could not be compiled here.
  static bool Load(const std::string& Name) {
    if (!std::filesystem::exists(FFolder / Name))
      return false;
    TEnvScope Path("LOCPATH", FFolder.string());
    TEnvScope All("LC_ALL", Name);
    LoadSystemLocale();
    return true;
  }

  static std::filesystem::path FFolder;
};

std::filesystem::path LocaleTest::FFolder;

TEST_F(LocaleTest, ResetLocaleRestoresUsEnglish) {
  DecimalSeparator = ',';
  ShortDateFormat = "dd.MM.yyyy";
  LongMonthNames[0] = "Januar";
  SysLocale.DefaultLCID = 0x0407;
  ResetLocale();
  EXPECT_EQ(DecimalSeparator, '.');
  EXPECT_EQ(ThousandSeparator, ',');
  EXPECT_EQ(CurrencyString, "$");
  EXPECT_EQ(CurrencyFormat, 0);
  EXPECT_EQ(NegCurrFormat, 0);
  EXPECT_EQ(CurrencyDecimals, 2);
  EXPECT_EQ(DateSeparator, '/');
  EXPECT_EQ(ShortDateFormat, "M/d/yy");
  EXPECT_EQ(LongDateFormat, "dddd, MMMM dd, yyyy");
  EXPECT_EQ(TimeSeparator, ':');
  EXPECT_EQ(ShortTimeFormat, "h:mm AMPM");
  EXPECT_EQ(LongTimeFormat, "h:mm:ss AMPM");
  EXPECT_EQ(TimeAMString, "AM");
  EXPECT_EQ(TimePMString, "PM");
  EXPECT_EQ(LongMonthNames[0], "January");
  EXPECT_EQ(ShortMonthNames[11], "Dec");
  EXPECT_EQ(LongDayNames[0], "Sunday");
  EXPECT_EQ(ShortDayNames[6], "Sat");
  EXPECT_EQ(SysLocale.DefaultLCID, 0x0409);
}

TEST_F(LocaleTest, UnknownLocaleKeepsDefaults) {
  TEnvScope All("LC_ALL", "xx_YY.no-such-codeset");
  DecimalSeparator = ',';
  LoadSystemLocale();
  EXPECT_EQ(DecimalSeparator, '.');
  EXPECT_EQ(ShortDateFormat, "M/d/yy");
  EXPECT_EQ(LongTimeFormat, "h:mm:ss AMPM");
}

TEST_F(LocaleTest, PlainCLocale) {
  TEnvScope All("LC_ALL", "C.UTF-8");
  LoadSystemLocale();
  EXPECT_EQ(DecimalSeparator, '.');
  EXPECT_EQ(ThousandSeparator, ','); // the C locale has none: the default stays
  EXPECT_EQ(CurrencyString, "$");
  EXPECT_EQ(ShortDateFormat, "MM/dd/yy");
  EXPECT_EQ(DateSeparator, '/');
  EXPECT_EQ(LongTimeFormat, "hh:nn:ss");
  EXPECT_EQ(ShortTimeFormat, "hh:nn");
  EXPECT_EQ(LongMonthNames[1], "February");
}

TEST_F(LocaleTest, GermanLocale) {
  const char* Before = std::setlocale(LC_ALL, nullptr);
  const std::string Previous = Before != nullptr ? Before : "";
  if (!Load("de_DE.UTF-8"))
    GTEST_SKIP() << "localedef could not build de_DE";
  EXPECT_EQ(Previous, std::setlocale(LC_ALL, nullptr)); // the C library locale is put back
  EXPECT_EQ(DecimalSeparator, ',');
  EXPECT_EQ(ThousandSeparator, '.');
  EXPECT_EQ(CurrencyString, "€");
  EXPECT_EQ(CurrencyFormat, 3);
  EXPECT_EQ(NegCurrFormat, 8);
  EXPECT_EQ(ShortDateFormat, "dd.MM.yyyy");
  EXPECT_EQ(DateSeparator, '.');
  EXPECT_EQ(LongTimeFormat, "hh:nn:ss");
  EXPECT_EQ(ShortTimeFormat, "hh:nn");
  EXPECT_EQ(TimeSeparator, ':');
  EXPECT_EQ(LongMonthNames[2], "März");
  EXPECT_EQ(LongDayNames[0], "Sonntag");
  // The conversions work with what was read.
  EXPECT_EQ(StrToDate("25.12.2026"), EncodeDate(2026, 12, 25));
  EXPECT_EQ(DateToStr(EncodeDate(2026, 3, 5)), "05.03.2026");
  EXPECT_EQ(FormatDateTime("d. mmmm yyyy", EncodeDate(2026, 3, 5)), "5. März 2026");
  EXPECT_EQ(TimeToStr(0.75), "18:00:00");
  EXPECT_EQ(StrToFloat("1,5"), 1.5L);
  EXPECT_EQ(Format("%m", {-1234.5}), "-1.234,50 €");
  // The week starts on Monday; the library's texts are German.
  EXPECT_EQ(FormatSettings.FirstDayOfWeek, 1);
  EXPECT_TRUE(FormatSettings.LocaleCurrency);
  EXPECT_EQ(SysLocale.PriLangID, 0x07);
  EXPECT_STREQ(ResString(rsMsgDlgCancel), "Abbrechen");
  EXPECT_STREQ(ResString(rsCalendarToday), "&Heute");
  ResetLocale();
  EXPECT_STREQ(ResString(rsMsgDlgCancel), "Cancel");
  EXPECT_FALSE(FormatSettings.LocaleCurrency);
}

// Separators outside ASCII are kept as the locale gives them, one character
// each, and numbers are written and read with them.
TEST_F(LocaleTest, SeparatorsOutsideAscii) {
  const struct {
    const char* Name;
    char32_t Decimal;
    char32_t Thousand;
    const char* Number; // 1234567.5 with two decimals, grouped
  } Rows[] = {
      {"fr_FR.UTF-8", ',', U'\u202F', "1\u202F234\u202F567,50"},
      {"ru_RU.UTF-8", ',', U'\u202F', "1\u202F234\u202F567,50"},
      {"ps_AF.UTF-8", U'\u066B', U'\u066C', "1٬234٬567٫50"},
  };
  for (const auto& Row : Rows) {
    if (!Load(Row.Name))
      GTEST_SKIP() << "localedef could not build " << Row.Name;
    EXPECT_EQ(DecimalSeparator, Row.Decimal) << Row.Name;
    EXPECT_EQ(ThousandSeparator, Row.Thousand) << Row.Name;
    EXPECT_EQ(FloatToStrF(1234567.5, ffNumber, 15, 2), Row.Number) << Row.Name;
    const std::string Decimal = Utf8Encode(Row.Decimal);
    EXPECT_EQ(FloatToStr(-2.25), "-2" + Decimal + "25") << Row.Name;
    EXPECT_EQ(StrToFloat(" 1234567" + Decimal + "5 "), 1234567.5L) << Row.Name;
    EXPECT_THROW(StrToFloat("1.5"), EConvertError) << Row.Name;
    EXPECT_EQ(SysLocale.PriLangID, 0x09) << Row.Name; // English, the catalog has no other
  }
}

TEST_F(LocaleTest, UsEnglishLocale) {
  if (!Load("en_US.UTF-8"))
    GTEST_SKIP() << "localedef could not build en_US";
  EXPECT_EQ(DecimalSeparator, '.');
  EXPECT_EQ(ThousandSeparator, ',');
  EXPECT_EQ(CurrencyString, "$");
  EXPECT_EQ(CurrencyFormat, 0);
  EXPECT_EQ(ShortDateFormat, "MM/dd/yyyy");
  EXPECT_EQ(LongTimeFormat, "h:nn:ss AMPM");
  EXPECT_EQ(ShortTimeFormat, "h:nn AMPM");
  EXPECT_EQ(TimeToStr(0.75), "6:00:00 PM");
  EXPECT_DOUBLE_EQ(StrToTime("6:00 PM"), 0.75);
  EXPECT_EQ(FormatSettings.FirstDayOfWeek, 0); // Sunday
  EXPECT_EQ(SysLocale.PriLangID, 0x09);
  EXPECT_STREQ(ResString(rsMsgDlgYes), "&Yes");
}

} // namespace
