// A validator with formatting settings of its own judges, normalises,
// displays and words its messages by them, whatever the process's settings
// say, and keeps to them on a thread of its own.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "validate/date.h"
#include "validate/float.h"
#include "validate/integer.h"
#include "validate/time.h"

using namespace Validate;

namespace {

vcl::TFormatSettings German() {
  vcl::TFormatSettings S;
  S.DecimalSeparator = ',';
  S.ThousandSeparator = '.';
  S.DateSeparator = '.';
  S.ShortDateFormat = "dd/MM/yy";
  S.TimeSeparator = ':';
  S.LongTimeFormat = "hh:nn:ss";
  return S;
}

class ValidatorSettings : public ::testing::Test {
protected:
  void SetUp() override { vcl::ResetLocale(); }
  void TearDown() override { vcl::ResetLocale(); }
};

TEST_F(ValidatorSettings, AFloatValidatorTakesItsOwnDecimalSeparator) {
  TFloatValidator V(nullptr);
  V.SetFormatSettings(German());
  std::string Typed = "12,5";
  EXPECT_TRUE(V.IsValidInput(Typed, true));
  Typed = "12.5";
  EXPECT_FALSE(V.IsValidInput(Typed, true)) << "'.' is no longer among its characters";
  EXPECT_TRUE(V.IsValid("12,5"));
  EXPECT_FALSE(V.IsValid("12.5"));
  std::string Text = "1234,567";
  V.SetText(Text);
  EXPECT_EQ(Text, "1234,57");
  EXPECT_EQ(V.GetDisplayText("1234,5"), "1.234,50");
  V.SetNoBounds(false);
  V.SetMax(2.5);
  EXPECT_EQ(V.ErrorMessage(false, "3"), "\"3\" is not a valid number between 0,00 and 2,50.");

  TFloatValidator Process(nullptr);
  EXPECT_TRUE(Process.IsValid("12.5")) << "another validator keeps the process's settings";
  EXPECT_EQ(V.FormatSettings().DecimalSeparator, ',');
  EXPECT_EQ(&Process.FormatSettings(), &vcl::FormatSettings);
}

TEST_F(ValidatorSettings, ANewSettingTellsTheOwnerAndKeepsWhatTheUserSet) {
  TCurrencyValidator V(nullptr);
  V.SetPrecision(1);
  int Changes = 0;
  V.OnChange = [&Changes](vcl::TObject*) { ++Changes; };
  vcl::TFormatSettings S = German();
  S.CurrencyDecimals = 4;
  V.SetFormatSettings(S);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(V.Precision(), 1) << "the precision is the validator's, not the settings'";
}

TEST_F(ValidatorSettings, ADateValidatorBuildsItsPictureFromItsOwnFormat) {
  TDateValidator V(nullptr);
  const std::string Process = vcl::ShortDateFormat;
  V.SetFormatSettings(German());
  EXPECT_EQ(V.Picture(), "##.##.####");
  EXPECT_EQ(V.FormatSettings().ShortDateFormat, "dd/MM/yyyy") << "the year as wide as vdfLong";
  V.SetFormat(vdfShort);
  EXPECT_EQ(V.FormatSettings().ShortDateFormat, "dd/MM/yy");
  EXPECT_EQ(vcl::ShortDateFormat, Process) << "the year width goes into its own settings";
  EXPECT_TRUE(V.IsValid("17.06.26"));
  EXPECT_FALSE(V.IsValid("6/17/26"));
  V.SetMin(vcl::EncodeDate(2026, 1, 1));
  V.SetMax(vcl::EncodeDate(2026, 12, 31));
  V.SetNoBounds(false);
  EXPECT_EQ(V.ErrorMessage(false, "1.1.27"),
            "\"1.1.27\" is not a valid date between 01.01.26 and 31.12.26.");
}

TEST_F(ValidatorSettings, ATimeValidatorFollowsItsOwnClock) {
  TTimeValidator V(nullptr);
  EXPECT_EQ(V.Picture(), "#[#]:## {AM,PM,am,pm}");
  V.SetFormatSettings(German());
  EXPECT_EQ(V.Picture(), "#[#]:##") << "a 24-hour clock asks for no marker";
  std::string Typed = "23:15";
  EXPECT_TRUE(V.IsValidInput(Typed, true));
  EXPECT_TRUE(V.IsValid("23:15"));
}

// Two validators with settings of their own judge on two threads while the
// process's settings keep changing under them: their answers never waver.
TEST_F(ValidatorSettings, OwnSettingsKeepAThreadApartFromTheProcesssSettings) {
  std::atomic<bool> Done = false;
  std::atomic<int> Wrong = 0;
  // Made before anything writes the process's settings.
  TFloatValidator UsValidator(nullptr), DeValidator(nullptr);
  UsValidator.SetFormatSettings(vcl::TFormatSettings());
  DeValidator.SetFormatSettings(German());
  auto Judge = [&Wrong](TFloatValidator& V, std::string Valid, std::string Invalid,
                        std::string Display) {
    for (int I = 0; I < 20000; ++I)
      if (!V.IsValid(Valid) || V.IsValid(Invalid) || V.GetDisplayText(Valid) != Display)
        ++Wrong;
  };
  std::thread Us(Judge, std::ref(UsValidator), "1234.5", "1234,5", "1,234.50");
  std::thread De(Judge, std::ref(DeValidator), "1234,5", "1234.5", "1.234,50");
  std::thread Flipper([&Done] {
    // Only this thread touches the process's settings; the judges never read them.
    for (int I = 0; !Done; ++I)
      vcl::DecimalSeparator = I % 2 == 0 ? ',' : '.';
  });
  Us.join();
  De.join();
  Done = true;
  Flipper.join();
  EXPECT_EQ(Wrong, 0);
}

} // namespace
