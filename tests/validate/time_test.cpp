// The time validator, on the US locale (h:mm:ss AMPM, ':', AM, PM) unless
// a test sets another.
#include "validate/time.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/validate/validator_testing.h"
#include "vcl/sysutils.h"

using namespace Validate;
using ValidateTesting::TMessageRecorder;

namespace {

class TimeValidatorTest : public ::testing::Test {
protected:
  void SetUp() override { vcl::ResetLocale(); }
  void TearDown() override { vcl::ResetLocale(); }
  TMessageRecorder Log;
};

struct TPictureRow {
  const char* LongTimeFormat;
  TTimeFormat Format;
  const char* Picture;
};

TEST_F(TimeValidatorTest, PicturesFollowTheClockAndTheFormat) {
  const TPictureRow Rows[] = {
      {"h:mm:ss AMPM", vtfShort, "#[#]:## {AM,PM,am,pm}"},
      {"h:mm:ss AMPM", vtfLong, "#[#]:##:## {AM,PM,am,pm}"},
      {"h:mm:ss AMPM", vtfOptional, "#[#]:##[:##] {AM,PM,am,pm}"},
      {"HH:mm:ss", vtfShort, "#[#]:##"},
      {"HH:mm:ss", vtfLong, "#[#]:##:##"},
      {"HH:mm:ss", vtfOptional, "#[#]:##[:##]"},
      // A marker written in lower case still shows a 12-hour clock.
      {"h:mm:ss am/pm", vtfShort, "#[#]:## {AM,PM,am,pm}"},
      {"h:mm:ss a/p", vtfShort, "#[#]:## {AM,PM,am,pm}"},
      // Only a marker at the end makes a 12-hour clock.
      {"AMPM h:mm:ss", vtfShort, "#[#]:##"},
      {"ampm h:mm:ss", vtfShort, "#[#]:##"},
  };
  for (const TPictureRow& Row : Rows) {
    vcl::LongTimeFormat = Row.LongTimeFormat;
    TTimeValidator V(nullptr);
    EXPECT_EQ(V.Format(), vtfShort);
    V.SetFormat(Row.Format);
    EXPECT_EQ(V.Picture(), Row.Picture) << Row.LongTimeFormat << " " << int(Row.Format);
  }
}

TEST_F(TimeValidatorTest, LocaleTextsAreLiteralsOfThePicture) {
  vcl::TimeSeparator = ',';
  vcl::TimeAMString = "a.m.";
  vcl::TimePMString = "p.m.";
  TTimeValidator V(nullptr);
  EXPECT_EQ(V.Picture(), "#[#];,## {a.m.,p.m.,a.m.,p.m.}");
  std::string S = "9,30 p";
  EXPECT_TRUE(V.IsValidInput(S, false));
  EXPECT_EQ(S, "9,30 p.m.");
  S = "9,75";
  EXPECT_FALSE(V.IsValidInput(S, true));
}

// A separator outside ASCII is one character everywhere: in the picture,
// in the seconds SetText adds, and in the conversions.
TEST_F(TimeValidatorTest, ASeparatorOutsideAscii) {
  vcl::TimeSeparator = U'\u2236';
  vcl::LongTimeFormat = "hh:nn:ss"; // ':' stands for the separator
  TTimeValidator V(nullptr);
  V.SetFormat(vtfLong);
  EXPECT_EQ(V.Picture(), "#[#]∶##∶##");
  std::string S = "9∶30";
  EXPECT_TRUE(V.IsValidInput(S, true));
  V.SetText(S);
  EXPECT_EQ(S, "9∶30∶00");
  EXPECT_TRUE(V.IsValid(S));
  S = "9∶75";
  EXPECT_FALSE(V.IsValidInput(S, true));
  EXPECT_FALSE(V.IsValid("9:30:00"));
  EXPECT_EQ(vcl::TimeToStr(0.75), "18∶00∶00");
  EXPECT_DOUBLE_EQ(vcl::StrToTime("18∶00"), 0.75);
}

TEST_F(TimeValidatorTest, CreationSetsTheDefaults) {
  TTimeValidator V(nullptr);
  EXPECT_EQ(V.Min(), 0.0);
  EXPECT_EQ(V.Max(), 0.99999);
  EXPECT_TRUE(V.NoBounds());
  EXPECT_TRUE(V.AutoFill());
  EXPECT_EQ(V.Picture(), "#[#]:## {AM,PM,am,pm}");
}

TEST_F(TimeValidatorTest, HoursMinutesAndSecondsAreCheckedWhileTyping) {
  const struct {
    const char* LongTimeFormat;
    TTimeFormat Format;
    const char* Text;
    bool Accepted;
  } Rows[] = {
      {"h:mm:ss AMPM", vtfShort, "1", true},
      {"h:mm:ss AMPM", vtfShort, "12", true},
      {"h:mm:ss AMPM", vtfShort, "12:3", true},
      {"h:mm:ss AMPM", vtfShort, "12:30 p", true},
      {"h:mm:ss AMPM", vtfShort, "12:75 PM", true}, // judged on leaving
      {"h:mm:ss AMPM", vtfShort, "", true},
      {"h:mm:ss AMPM", vtfShort, "0", false},
      {"h:mm:ss AMPM", vtfShort, "13", false},
      {"h:mm:ss AMPM", vtfShort, "12:75", false},
      {"h:mm:ss AMPM", vtfShort, "12:30 X", false},
      {"h:mm:ss AMPM", vtfLong, "12:30:59", true},
      {"h:mm:ss AMPM", vtfLong, "12:30:60", false},
      {"h:mm:ss AMPM", vtfLong, "12:60:00", false},
      {"HH:mm:ss", vtfShort, "0", true},
      {"HH:mm:ss", vtfShort, "23", true},
      {"HH:mm:ss", vtfShort, "00:59", true},
      {"HH:mm:ss", vtfShort, "24", false},
      {"HH:mm:ss", vtfShort, "12:30 PM", false},
      {"HH:mm:ss", vtfOptional, "23:59:5", true},
      {"HH:mm:ss", vtfOptional, "23:59:75", false},
  };
  for (const auto& Row : Rows) {
    vcl::LongTimeFormat = Row.LongTimeFormat;
    TTimeValidator V(nullptr);
    V.SetFormat(Row.Format);
    std::string S = Row.Text;
    EXPECT_EQ(V.IsValidInput(S, true), Row.Accepted) << Row.LongTimeFormat << " " << Row.Text;
  }
}

TEST_F(TimeValidatorTest, TypingFillsTheBlankAndTheMarker) {
  TTimeValidator V(nullptr);
  std::string S = "12:30";
  EXPECT_TRUE(V.IsValidInput(S, false));
  EXPECT_EQ(S, "12:30 ");
  S = "12:30 a";
  EXPECT_TRUE(V.IsValidInput(S, false));
  EXPECT_EQ(S, "12:30 AM");
}

TEST_F(TimeValidatorTest, SetTextFitsTheSecondsToTheFormat) {
  const struct {
    TTimeFormat Format;
    const char* Text;
    const char* After;
  } Rows[] = {
      {vtfShort, "12:30:45 PM", "12:30 PM"},
      {vtfShort, "12:30 pm", "12:30 PM"},
      {vtfShort, "", ""},
      {vtfLong, "12:30", "12:30:00"},
      {vtfLong, "12:30:45", "12:30:45"},
      // The seconds go before the marker, where the picture wants them.
      {vtfLong, "12:30 pm", "12:30:00 PM"},
      {vtfLong, "", ""},
      {vtfOptional, "12:30 pm", "12:30 PM"},
      {vtfOptional, "12:30:45 am", "12:30:45 AM"},
      {vtfOptional, "", ""},
  };
  for (const auto& Row : Rows) {
    TTimeValidator V(nullptr);
    V.SetFormat(Row.Format);
    std::string S = Row.Text;
    V.SetText(S);
    EXPECT_EQ(S, Row.After) << int(Row.Format) << " " << Row.Text;
  }
}

TEST_F(TimeValidatorTest, CompletedLongTimesAreValid) {
  TTimeValidator V(nullptr);
  V.SetFormat(vtfLong);
  std::string S = "12:30 PM";
  V.SetText(S);
  EXPECT_TRUE(V.IsValid(S));
}

TEST_F(TimeValidatorTest, ValidTextsAreTimesMatchingThePicture) {
  TTimeValidator V(nullptr);
  EXPECT_TRUE(V.IsValid(""));
  EXPECT_TRUE(V.IsValid("12:30 PM"));
  EXPECT_FALSE(V.IsValid("12:75 PM"));
  EXPECT_FALSE(V.IsValid("12:30")); // a time, but the marker is missing
  EXPECT_FALSE(V.IsValid("noon"));
}

TEST_F(TimeValidatorTest, OptionalSecondsMayBeLeftOutBeforeTheMarker) {
  TTimeValidator V(nullptr);
  V.SetFormat(vtfOptional);
  EXPECT_TRUE(V.IsValid("9:30 AM"));
  EXPECT_TRUE(V.IsValid("9:30:15 AM"));
  // A pasted time keeps its blank: the failed seconds group gives back the
  // blank it had taken for its ':'.
  std::string S = "9:30 am";
  EXPECT_TRUE(V.IsValidInput(S, false));
  EXPECT_EQ(S, "9:30 AM");
}

TEST_F(TimeValidatorTest, DefaultBoundsAdmitTheWholeDay) {
  TTimeValidator V(nullptr);
  V.SetFormat(vtfLong);
  V.SetNoBounds(false);
  EXPECT_TRUE(V.IsValid("12:00:00 AM"));
  EXPECT_TRUE(V.IsValid("11:59:59 PM"));
  EXPECT_TRUE(V.IsValid("12:00:00 PM"));
}

TEST_F(TimeValidatorTest, BoundsLimitValidTimesAndAreNamedInTheMessage) {
  TTimeValidator V(nullptr);
  V.SetNoBounds(false);
  V.SetMin(vcl::EncodeTime(9, 0, 0, 0));
  V.SetMax(vcl::EncodeTime(17, 0, 0, 0));
  EXPECT_FALSE(V.IsValid("8:59 AM"));
  EXPECT_TRUE(V.IsValid("9:00 AM"));
  EXPECT_TRUE(V.IsValid("5:00 PM"));
  EXPECT_FALSE(V.IsValid("5:01 PM"));
  V.ShowErrorMessage(false, "5:01 PM");
  EXPECT_EQ(Log.TakeError(), "\"5:01 PM\" is not a valid time between 9:00:00 AM and 5:00:00 PM.");
  V.ShowErrorMessage(true, "x%d");
  EXPECT_EQ(Log.TakeError(), "\"x%d\" does not resemble a time.");
  V.SetNoBounds(true);
  V.ShowErrorMessage(false, "50%");
  EXPECT_EQ(Log.TakeError(), "\"50%\" does not resemble a time.");
}

TEST_F(TimeValidatorTest, BoundsStayOrderedAndChangesAreAnnounced) {
  TTimeValidator V(nullptr);
  int Changes = 0;
  V.OnChange = [&](vcl::TObject*) { ++Changes; };
  V.SetMin(0.75);
  EXPECT_EQ(V.Max(), 0.99999);
  V.SetMax(0.5);
  EXPECT_EQ(V.Min(), 0.5);
  EXPECT_EQ(V.Max(), 0.5);
  V.SetMin(0.75);
  EXPECT_EQ(V.Max(), 0.75);
  V.SetMax(0.75);
  V.SetFormat(vtfLong);
  V.SetFormat(vtfLong);
  EXPECT_EQ(Changes, 4);
}

TEST_F(TimeValidatorTest, TheLocaleIsReadWhenTheFormatChanges) {
  TTimeValidator V(nullptr);
  vcl::LongTimeFormat = "HH:mm:ss";
  EXPECT_EQ(V.Picture(), "#[#]:## {AM,PM,am,pm}");
  std::string S = "13";
  EXPECT_FALSE(V.IsValidInput(S, true));
  V.SetFormat(vtfOptional);
  EXPECT_EQ(V.Picture(), "#[#]:##[:##]");
  EXPECT_TRUE(V.IsValidInput(S, true));
}

} // namespace
