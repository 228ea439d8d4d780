// The validators under settings read from a locale: money displays in the
// locale's own form, and messages in the language of the message catalog.
#include <gtest/gtest.h>

#include "validate/validate.h"
#include "vcl/consts.h"

using namespace Validate;

namespace {

// The settings LoadSystemLocale reads from de_DE.UTF-8.
void UseGermanLocale() {
  vcl::DecimalSeparator = ',';
  vcl::ThousandSeparator = '.';
  vcl::CurrencyString = "€";
  vcl::CurrencyFormat = 3;
  vcl::NegCurrFormat = 8;
  vcl::FormatSettings.FirstDayOfWeek = 1;
  vcl::FormatSettings.LocaleCurrency = true;
  vcl::SysLocale.PriLangID = 0x07;
}

class LocaleLanguage : public ::testing::Test {
protected:
  void SetUp() override { vcl::ResetLocale(); }
  void TearDown() override { vcl::ResetLocale(); }
};

// Loaded from a locale, a money display takes its symbol, placement and
// negative form; the process defaults keep the fixed '$'.
TEST_F(LocaleLanguage, MoneyDisplaysFollowALoadedLocale) {
  const struct {
    const char* Currency;
    vcl::Byte Format, NegFormat;
    char32_t Decimal, Thousand;
    const char* Text;
    const char* Shown;
  } Rows[] = {
      {"€", 3, 8, ',', '.', "25000", "25.000,00 €"},
      {"€", 3, 8, ',', '.', "-1234,5", "-1.234,50 €"},
      {"$", 0, 0, '.', ',', "-1234.5", "($1,234.50)"},
      {"₽", 3, 8, ',', U'\u202F', "1234567", "1\u202F234\u202F567,00 ₽"},
      // A locale grouping with an apostrophe under a full stop keeps it.
      {"CHF", 2, 12, '.', '\'', "-1234.5", "CHF -1'234.50"},
  };
  for (const auto& Row : Rows) {
    vcl::TFormatSettings S;
    S.CurrencyString = Row.Currency;
    S.CurrencyFormat = Row.Format;
    S.NegCurrFormat = Row.NegFormat;
    S.DecimalSeparator = Row.Decimal;
    S.ThousandSeparator = Row.Thousand;
    S.LocaleCurrency = true;
    TCurrencyValidator V(nullptr);
    V.SetFormatSettings(S);
    EXPECT_EQ(V.GetDisplayText(Row.Text), Row.Shown) << Row.Text;
    S.LocaleCurrency = false;
    V.SetFormatSettings(S);
    EXPECT_EQ(V.GetDisplayText(Row.Text).substr(0, 1), "$") << Row.Text;
  }
}

// Each validator's messages, in German when the locale is German.
TEST_F(LocaleLanguage, MessagesComeFromTheCatalog) {
  UseGermanLocale();
  TIntegerValidator Integer(nullptr);
  Integer.SetNoBounds(false);
  Integer.SetMax(10);
  Integer.SetMin(1);
  TFloatValidator Float(nullptr);
  Float.SetPrecision(2);
  TStringLookupValidator Words(nullptr);
  TPictureValidator Picture(nullptr);
  Picture.SetPicture("###");
  TFilterValidator Filter(nullptr);
  TDateValidator Date(nullptr);
  const struct {
    TValidator* V;
    bool Input;
    const char* Text;
    const char* Message;
  } Rows[] = {
      {&Integer, false, "11", "\"11\" ist keine gültige ganze Zahl zwischen 1 und 10."},
      {&Integer, true, "x", "\"x\" ist keine Ziffer und kein (-)."},
      {&Float, true, "1,2,", "\"1,2,\" enthält mehr als ein Dezimaltrennzeichen."},
      {&Float, true, "1,234", "\"1,234\" enthält mehr als 2 Nachkommastellen."},
      {&Words, false, "Mond", "\"Mond\" ist kein gültiges Wort."},
      {&Picture, false, "12", "\"12\" entspricht nicht vollständig dem Muster:\r###"},
      {&Filter, true, "ab", "\"ab\" enthält ungültige Zeichen."},
      {&Date, false, "x", "\"x\" ähnelt keinem Datum."},
  };
  for (const auto& Row : Rows)
    EXPECT_EQ(Row.V->ErrorMessage(Row.Input, Row.Text), Row.Message) << Row.Text;
  EXPECT_STREQ(SValueRequired(), "Es muss ein Wert eingegeben werden.");
  // The bounds that were given are read from the German message too.
  EXPECT_EQ(WithGivenBounds(Integer.ErrorMessage(false, "0"), "0", true, false),
            "\"0\" ist keine gültige ganze Zahl ab 1.");
  vcl::ResetLocale();
  EXPECT_EQ(Integer.ErrorMessage(true, "x"), "\"x\" is not a digit or (-).");
  EXPECT_STREQ(SValueRequired(), "A value must be entered.");
}

} // namespace
