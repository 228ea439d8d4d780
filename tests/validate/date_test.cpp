// The date validator, with the clock fixed at 15 June 2026 and the US
// locale (M/d/yy, '/') unless a test sets another.
#include "validate/date.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/validate/validator_testing.h"
#include "vcl/sysutils.h"

using namespace Validate;
using ValidateTesting::TMessageRecorder;

namespace {

const vcl::TDateTime Today = 46188; // 15 June 2026

class TFixedClock {
public:
  TFixedClock() : FPrevious(vcl::SetNowFunction([] { return Today + 0.625; })) {}
  ~TFixedClock() { vcl::SetNowFunction(FPrevious); }
  TFixedClock(const TFixedClock&) = delete;
  TFixedClock& operator=(const TFixedClock&) = delete;

private:
  vcl::TNowFunction FPrevious;
};

class DateValidatorTest : public ::testing::Test {
protected:
  void SetUp() override { vcl::ResetLocale(); }
  void TearDown() override { vcl::ResetLocale(); }
  TMessageRecorder Log;
  TFixedClock Clock;
};

TEST_F(DateValidatorTest, CreationWidensTheYearAndBuildsThePicture) {
  TDateValidator V(nullptr);
  EXPECT_EQ(vcl::ShortDateFormat, "M/d/yyyy");
  EXPECT_EQ(V.Picture(), "#[#]/#[#]/####");
  EXPECT_EQ(V.Format(), vdfLong);
  EXPECT_TRUE(V.NoBounds());
  EXPECT_TRUE(V.AutoFill());
  EXPECT_EQ(V.Min(), Today);
  EXPECT_EQ(V.Max(), Today);
}

struct TPictureRow {
  const char* ShortDateFormat;
  char32_t DateSeparator;
  TDateFormat Format;
  const char* FormatAfter;
  const char* Picture;
};

const TPictureRow PictureRows[] = {
    {"M/d/yy", '/', vdfShort, "M/d/yy", "#[#]/#[#]/##"},
    {"M/d/yy", '/', vdfLong, "M/d/yyyy", "#[#]/#[#]/####"},
    {"M/d/yy", '/', vdfOptional, "M/d/yyyy", "#[#]/#[#]/##[##]"},
    {"dd.MM.yyyy", '.', vdfShort, "dd.MM.yy", "##.##.##"},
    {"dd.MM.yyyy", '.', vdfLong, "dd.MM.yyyy", "##.##.####"},
    {"dd.MM.yyyy", '.', vdfOptional, "dd.MM.yyyy", "##.##.##[##]"},
    {"yyyy-MM-dd", '-', vdfShort, "yy-MM-dd", "##-##-##"},
    {"yyyy-MM-dd", '-', vdfLong, "yyyy-MM-dd", "####-##-##"},
    {"yyyy-MM-dd", '-', vdfOptional, "yyyy-MM-dd", "##[##]-##-##"},
    {"d/M/y", '/', vdfLong, "d/M/yyyy", "#[#]/#[#]/####"},
    {"d/M/yyy", '/', vdfShort, "d/M/yy", "#[#]/#[#]/##"},
    // A '/' in the format stands for the date separator.
    {"M/d/yy", '.', vdfLong, "M/d/yyyy", "#[#].#[#].####"},
    // A separator the picture would read as an instruction is escaped.
    {"M,d,yy", ',', vdfLong, "M,d,yyyy", "#[#];,#[#];,####"},
    // A separator outside ASCII is one literal character of the picture.
    {"dd/MM/yyyy", U'\u2010', vdfLong, "dd/MM/yyyy", "##‐##‐####"},
    {"dd‐MM‐yyyy", U'\u2010', vdfShort, "dd‐MM‐yy", "##‐##‐##"},
    // Shapes a picture cannot follow get none.
    {"dd MMM yyyy", '/', vdfShort, "dd MMM yy", ""},
    {"MM/dd", '/', vdfLong, "MM/dd", ""},
    {"MM/dd/yyyy/", '/', vdfLong, "MM/dd/yyyy/", ""},
    {"MM/MM/yyyy", '/', vdfLong, "MM/MM/yyyy", ""},
    {"mm/dd/yyyy", '/', vdfLong, "mm/dd/yyyy", ""},
};

class DatePictureTest : public ::testing::TestWithParam<TPictureRow> {
protected:
  void SetUp() override { vcl::ResetLocale(); }
  void TearDown() override { vcl::ResetLocale(); }
  TMessageRecorder Log;
  TFixedClock Clock;
};

TEST_P(DatePictureTest, FollowsTheShortDateFormat) {
  const TPictureRow& Row = GetParam();
  vcl::ShortDateFormat = Row.ShortDateFormat;
  vcl::DateSeparator = Row.DateSeparator;
  TDateValidator V(nullptr);
  V.SetFormat(Row.Format);
  EXPECT_EQ(vcl::ShortDateFormat, Row.FormatAfter);
  EXPECT_EQ(V.Picture(), Row.Picture);
}

INSTANTIATE_TEST_SUITE_P(Formats, DatePictureTest, ::testing::ValuesIn(PictureRows));

TEST_F(DateValidatorTest, TheLastFormatSetDecidesTheSharedYearWidth) {
  TDateValidator Long(nullptr);
  TDateValidator Short(nullptr);
  Short.SetFormat(vdfShort);
  EXPECT_EQ(vcl::ShortDateFormat, "M/d/yy");
  Short.SetFormat(vdfShort);
  EXPECT_EQ(vcl::ShortDateFormat, "M/d/yy");
  // Each keeps the picture it built.
  EXPECT_EQ(Long.Picture(), "#[#]/#[#]/####");
  EXPECT_EQ(Short.Picture(), "#[#]/#[#]/##");
  TDateValidator Third(nullptr);
  EXPECT_EQ(vcl::ShortDateFormat, "M/d/yyyy");
  Third.SetFormat(vdfShort);
  Short.SetFormat(vdfLong);
  Short.SetFormat(vdfShort);
  EXPECT_EQ(vcl::ShortDateFormat, "M/d/yy");
}

TEST_F(DateValidatorTest, SetFormatRedisplaysTheOwnerWithoutJudgingIt) {
  ValidateTesting::TStandInEdit Owner;
  TDateValidator V(&Owner);
  EXPECT_EQ(Owner.ValidatorChanges, 1);
  V.SetFormat(vdfShort);
  V.SetFormat(vdfShort);
  EXPECT_EQ(Owner.ValidatorChanges, 2);
  EXPECT_EQ(Owner.ValidCalls, 0);
}

struct TInputRow {
  const char* ShortDateFormat;
  char32_t DateSeparator;
  const char* Text;
  bool Accepted;
};

TEST_F(DateValidatorTest, PartsAreCheckedWhileTyping) {
  const TInputRow Rows[] = {
      {"M/d/yy", '/', "1", true},
      {"M/d/yy", '/', "12", true},
      {"M/d/yy", '/', "0", true},
      {"M/d/yy", '/', "12/0", true},
      {"M/d/yy", '/', "12/31/2026", true},
      {"M/d/yy", '/', "13", false},
      {"M/d/yy", '/', "0/", false},
      {"M/d/yy", '/', "12/32", false},
      {"M/d/yy", '/', "12/0/", false},
      {"M/d/yy", '/', "1a", false},
      {"dd.MM.yyyy", '.', "31", true},
      {"dd.MM.yyyy", '.', "32", false},
      {"dd.MM.yyyy", '.', "31.12", true},
      {"dd.MM.yyyy", '.', "31.13", false},
      {"yyyy-MM-dd", '-', "0000", true},
      {"yyyy-MM-dd", '-', "2026-1", true},
      {"yyyy-MM-dd", '-', "2026-13", false},
      {"yyyy-MM-dd", '-', "2026-12-32", false},
      {"dd MMM yyyy", '/', "anything", true},
      {"dd‐MM‐yyyy", U'\u2010', "31‐12", true},
      {"dd‐MM‐yyyy", U'\u2010', "31‐13", false},
      {"M/d/yy", U'\u2010', "12‐0", true},
      {"M/d/yy", U'\u2010', "12‐32", false},
      // A separator of several bytes ahead of each field: the fields are
      // cut where its bytes end.
      {"yyyy‐MM‐dd", U'\u2010', "2026‐12‐31", true},
      {"yyyy‐MM‐dd", U'\u2010', "2026‐12‐32", false},
      {"yyyy‐MM‐dd", U'\u2010', "2026‐13‐31", false},
  };
  for (const TInputRow& Row : Rows) {
    vcl::ShortDateFormat = Row.ShortDateFormat;
    vcl::DateSeparator = Row.DateSeparator;
    TDateValidator V(nullptr);
    std::string S = Row.Text;
    EXPECT_EQ(V.IsValidInput(S, true), Row.Accepted) << Row.ShortDateFormat << " " << Row.Text;
  }
}

// The part test reads the field letters from the format in force, the one
// StrToDate will judge the finished text by, even when it changed after the
// picture was built.
TEST_F(DateValidatorTest, PartsFollowTheFormatInForce) {
  TDateValidator V(nullptr);
  vcl::ShortDateFormat = "d/M/yyyy";
  const struct {
    const char* Text;
    bool Accepted;
  } Rows[] = {{"25", true}, {"25/12", true}, {"12/13", false}, {"32", false}};
  for (const auto& Row : Rows) {
    std::string S = Row.Text;
    EXPECT_EQ(V.IsValidInput(S, true), Row.Accepted) << Row.Text;
  }
  EXPECT_TRUE(V.IsValid("25/12/2026"));
  // The year goes where the format in force has it.
  vcl::ShortDateFormat = "M/yyyy/d";
  std::string S = "12/";
  V.SetText(S);
  EXPECT_EQ(S, "12/2026/");
}

TEST_F(DateValidatorTest, TypingFillsInTheSeparators) {
  TDateValidator V(nullptr);
  std::string S = "12";
  EXPECT_TRUE(V.IsValidInput(S, false));
  EXPECT_EQ(S, "12/");
  S = "1";
  EXPECT_TRUE(V.IsValidInput(S, false));
  EXPECT_EQ(S, "1");
}

struct TSetTextRow {
  const char* ShortDateFormat;
  char32_t DateSeparator;
  TDateFormat Format;
  const char* Text;
  const char* After;
};

TEST_F(DateValidatorTest, SetTextSuppliesTheYear) {
  const TSetTextRow Rows[] = {
      {"M/d/yy", '/', vdfLong, "12/25", "12/25/2026"},
      {"M/d/yy", '/', vdfShort, "12/25", "12/25/26"},
      {"M/d/yy", '/', vdfOptional, "12/25", "12/25/2026"},
      {"M/d/yy", '/', vdfLong, "12/25/98", "12/25/2098"},
      {"M/d/yy", '/', vdfOptional, "12/25/98", "12/25/98"},
      {"M/d/yy", '/', vdfShort, "12/25/98", "12/25/98"},
      {"M/d/yy", '/', vdfLong, "12/25/1998", "12/25/1998"},
      {"M/d/yy", '/', vdfLong, "12", "12/2026"},
      {"M/d/yy", '/', vdfLong, "13/25", "13/25"},
      {"M/d/yy", '/', vdfLong, "", ""},
      // A typed blank is read as the separator before the year is added.
      {"M/d/yy", '/', vdfLong, "12 25", "12/25/2026"},
      {"dd.MM.yyyy", '.', vdfLong, "25.12", "25.12.2026"},
      {"dd.MM.yyyy", '.', vdfShort, "25.12", "25.12.26"},
      {"dd.MM.yyyy", '.', vdfLong, "25.12.98", "25.12.2098"},
      {"dd‐MM‐yyyy", U'\u2010', vdfLong, "25‐12", "25‐12‐2026"},
      {"dd‐MM‐yyyy", U'\u2010', vdfLong, "25 12", "25‐12‐2026"},
      {"dd‐MM‐yyyy", U'\u2010', vdfShort, "25‐12", "25‐12‐26"},
      {"MM/yyyy/dd", U'\u2010', vdfLong, "12‐", "12‐2026‐"},
      // The year in the middle: it goes after the first separator.
      {"MM/yyyy/dd", '/', vdfLong, "12/", "12/2026/"},
      {"MM/yyyy/dd", '/', vdfLong, "12/98/25", "12/98/25"}, // not a date being typed
      // Year first: month and day are never guessed, so nothing is added.
      {"yyyy-MM-dd", '-', vdfLong, "2026-12", "2026-12"},
      {"yyyy-MM-dd", '-', vdfOptional, "26-12-25", "26-12-25"},
      // No usable format: the text stays as typed.
      {"dd MMM yyyy", '/', vdfLong, "25 Dec", "25 Dec"},
  };
  for (const TSetTextRow& Row : Rows) {
    vcl::ShortDateFormat = Row.ShortDateFormat;
    vcl::DateSeparator = Row.DateSeparator;
    TDateValidator V(nullptr);
    V.SetFormat(Row.Format);
    std::string S = Row.Text;
    V.SetText(S);
    EXPECT_EQ(S, Row.After) << Row.ShortDateFormat << " " << int(Row.Format) << " " << Row.Text;
  }
}

// Typing the day fills in the separator before the year: such a text lacks
// only its year, and gets it as the text without the separator does.
TEST_F(DateValidatorTest, SetTextSuppliesTheYearAfterAFilledInSeparator) {
  const TSetTextRow Rows[] = {
      {"M/d/yy", '/', vdfLong, "12/25/", "12/25/2026"},
      {"M/d/yy", '/', vdfShort, "12/25/", "12/25/26"},
      {"M/d/yy", '/', vdfOptional, "1/5/", "1/5/2026"},
      {"dd.MM.yyyy", '.', vdfLong, "25.12.", "25.12.2026"},
      {"dd‐MM‐yyyy", U'\u2010', vdfLong, "25‐12‐", "25‐12‐2026"},
      // Not a date being typed: nothing is added.
      {"M/d/yy", '/', vdfLong, "13/25/", "13/25/"},
  };
  for (const TSetTextRow& Row : Rows) {
    vcl::ShortDateFormat = Row.ShortDateFormat;
    vcl::DateSeparator = Row.DateSeparator;
    TDateValidator V(nullptr);
    V.SetFormat(Row.Format);
    std::string S = Row.Text;
    V.SetText(S);
    EXPECT_EQ(S, Row.After) << Row.ShortDateFormat << " " << int(Row.Format) << " " << Row.Text;
    EXPECT_EQ(V.IsValid(S), S != Row.Text) << S;
  }
}

// A two-digit year is widened into the century window of the settings in
// force, the process-wide ones or the validator's own, as StrToDate reads it.
TEST_F(DateValidatorTest, SetTextWidensTwoDigitYearsInTheCenturyWindow) {
  const struct {
    const char* ShortDateFormat;
    char DateSeparator;
    vcl::Word Window;
    const char* Text;
    const char* After;
  } Rows[] = {
      {"M/d/yy", '/', 50, "12/25/98", "12/25/1998"},
      {"M/d/yy", '/', 50, "12/25/12", "12/25/2012"},
      {"M/d/yy", '/', 50, "1/1/76", "1/1/1976"},
      {"M/d/yy", '/', 50, "1/1/75", "1/1/2075"},
      {"M/d/yy", '/', 0, "12/25/98", "12/25/2098"},
      {"dd.MM.yy", '.', 99, "25.12.27", "25.12.1927"},
      // A missing year is the current one, whatever the window.
      {"M/d/yy", '/', 50, "12/25", "12/25/2026"},
  };
  for (const auto& Row : Rows) {
    vcl::ResetLocale();
    vcl::ShortDateFormat = Row.ShortDateFormat;
    vcl::DateSeparator = Row.DateSeparator;
    vcl::TFormatSettings Own = vcl::FormatSettings;
    Own.TwoDigitYearCenturyWindow = Row.Window;
    TDateValidator Shared(nullptr);
    TDateValidator OwnSettings(nullptr);
    OwnSettings.SetFormatSettings(Own);
    vcl::TwoDigitYearCenturyWindow = Row.Window;
    for (TDateValidator* V : {&Shared, &OwnSettings}) {
      std::string S = Row.Text;
      V->SetText(S);
      EXPECT_EQ(S, Row.After) << Row.Window << " " << Row.Text;
    }
    // The validator with its own settings does not follow the process-wide ones.
    vcl::TwoDigitYearCenturyWindow = 0;
    std::string S = Row.Text;
    OwnSettings.SetText(S);
    EXPECT_EQ(S, Row.After) << Row.Window << " " << Row.Text;
  }
}

// A two-digit year the validator leaves as typed is judged as the date it
// reads as: with the window, 98 is a birth year before today, not one to come.
TEST_F(DateValidatorTest, BoundsJudgeTwoDigitYearsInTheCenturyWindow) {
  TDateValidator V(nullptr);
  V.SetFormat(vdfShort);
  V.SetMin(vcl::EncodeDate(1900, 1, 1));
  V.SetMax(Today);
  V.SetNoBounds(false);
  EXPECT_FALSE(V.IsValid("12/25/98"));
  vcl::TwoDigitYearCenturyWindow = 50;
  EXPECT_TRUE(V.IsValid("12/25/98"));
  EXPECT_FALSE(V.IsValid("12/25/30"));
}

// The clock is read only when a year has to be supplied.
TEST_F(DateValidatorTest, OnlySupplyingAYearReadsTheClock) {
  TDateValidator V(nullptr);
  int Reads = 0;
  const vcl::TNowFunction Previous = vcl::SetNowFunction([&] {
    ++Reads;
    return Today;
  });
  const struct {
    const char* Text;
    int Reads;
  } Rows[] = {{"12/25/2026", 0}, {"12/25/1998", 0}, {"13/25", 0}, {"12/25", 1}, {"12/25/98", 1}};
  for (const auto& Row : Rows) {
    Reads = 0;
    std::string S = Row.Text;
    V.SetText(S);
    EXPECT_EQ(Reads, Row.Reads) << Row.Text;
  }
  Reads = 0;
  EXPECT_FALSE(V.IsValid("2/30/2026"));
  EXPECT_TRUE(V.IsValid("12/25/2026"));
  EXPECT_EQ(Reads, 0);
  vcl::SetNowFunction(Previous);
}

TEST_F(DateValidatorTest, ValidTextsAreRealDatesMatchingThePicture) {
  TDateValidator V(nullptr);
  EXPECT_TRUE(V.IsValid(""));
  EXPECT_TRUE(V.IsValid("12/25/2026"));
  EXPECT_FALSE(V.IsValid("2/30/2026"));
  EXPECT_FALSE(V.IsValid("12/25/26")); // a date, but not the four-digit year asked for
  EXPECT_FALSE(V.IsValid("christmas"));
  V.SetFormat(vdfOptional);
  EXPECT_TRUE(V.IsValid("12/25/26"));
}

// Dates typed in full, each screened, completed and judged as an edit does
// when the focus leaves it. Where a date is valid, bounds of that one day
// pin down the date the text was read as.
TEST_F(DateValidatorTest, DatesTypedInFullAreReadAsTheirDates) {
  const struct {
    const char* ShortDateFormat;
    char DateSeparator;
    TDateFormat Format;
    const char* Text;
    bool Accepted;       // by IsValidInput
    vcl::TDateTime Date; // 0 where the text is no valid date
  } Rows[] = {
      {"M/d/yy", '/', vdfLong, "12/31/1999", true, vcl::EncodeDate(1999, 12, 31)},
      {"M/d/yy", '/', vdfLong, "01/05/2000", true, vcl::EncodeDate(2000, 1, 5)},
      // Four digits are the year as written, however small.
      {"M/d/yy", '/', vdfLong, "1/1/0099", true, vcl::EncodeDate(99, 1, 1)},
      {"M/d/yy", '/', vdfLong, "1/1/0000", true, 0},
      {"M/d/yy", '/', vdfLong, "2/29/2023", true, 0},
      {"M/d/yy", '/', vdfLong, "2/29/2024", true, vcl::EncodeDate(2024, 2, 29)},
      {"M/d/yy", '/', vdfLong, "13/1/2000", false, 0},
      {"M/d/yy", '/', vdfLong, "0/1/2000", false, 0},
      {"M/d/yy", '/', vdfLong, "1/32/2000", false, 0},
      // Two digits take the current century (the window is 0).
      {"M/d/yy", '/', vdfShort, "1/2/03", true, vcl::EncodeDate(2003, 1, 2)},
      {"M/d/yy", '/', vdfShort, "1/2/2003", false, 0},
      {"M/d/yy", '/', vdfOptional, "1/2/03", true, vcl::EncodeDate(2003, 1, 2)},
      {"M/d/yy", '/', vdfOptional, "1/2/2003", true, vcl::EncodeDate(2003, 1, 2)},
      {"M/d/yy", '/', vdfOptional, "1/2/203", true, 0},
      {"dd.MM.yyyy", '.', vdfLong, "31.12.1999", true, vcl::EncodeDate(1999, 12, 31)},
      {"dd.MM.yyyy", '.', vdfLong, "31.13.1999", false, 0},
      {"dd.MM.yyyy", '.', vdfLong, "5.12.1999", false, 0},
      {"yyyy-MM-dd", '-', vdfLong, "1999-12-31", true, vcl::EncodeDate(1999, 12, 31)},
      {"M/d/yy", ' ', vdfLong, "12 31 1999", true, vcl::EncodeDate(1999, 12, 31)},
      // A lone 0 in the last field may still become a day.
      {"yyyy/M/d", '/', vdfLong, "1999/2/0", true, 0},
      {"yyyy/M/d", '/', vdfLong, "1999/2/01", true, vcl::EncodeDate(1999, 2, 1)},
  };
  for (const auto& Row : Rows) {
    vcl::ResetLocale();
    vcl::ShortDateFormat = Row.ShortDateFormat;
    vcl::DateSeparator = Row.DateSeparator;
    TDateValidator V(nullptr);
    V.SetFormat(Row.Format);
    std::string Typed = Row.Text;
    EXPECT_EQ(V.IsValidInput(Typed, false), Row.Accepted) << Row.ShortDateFormat << " " << Row.Text;
    EXPECT_EQ(Typed, Row.Text);
    std::string S = Row.Text;
    V.SetText(S);
    EXPECT_EQ(S, Row.Text);
    EXPECT_EQ(V.IsValid(S), Row.Date != 0) << Row.ShortDateFormat << " " << Row.Text;
    if (Row.Date == 0)
      continue;
    V.SetMin(Row.Date);
    V.SetMax(Row.Date);
    V.SetNoBounds(false);
    EXPECT_TRUE(V.IsValid(S)) << Row.Text;
    V.SetMax(Row.Date - 1);
    EXPECT_FALSE(V.IsValid(S)) << Row.Text;
  }
}

// What the validator worked out from its picture is dropped when the picture
// or the separator it was built for changes.
TEST_F(DateValidatorTest, AnotherPictureOrSeparatorJudgesTheSameTextAnew) {
  struct TOwnPicture : TDateValidator {
    using TCustomPictureValidator::SetPicture;
    using TDateValidator::TDateValidator;
  } V(nullptr);
  std::string S = "1/2/2000";
  EXPECT_TRUE(V.IsValidInput(S, true));
  EXPECT_TRUE(V.IsValid(S));
  V.SetPicture("##/##/####");
  EXPECT_FALSE(V.IsValidInput(S, true));
  EXPECT_FALSE(V.IsValid(S));
  EXPECT_TRUE(V.IsValid("01/02/2000"));

  TDateValidator Shared(nullptr);
  EXPECT_TRUE(Shared.IsValid("12/31/1999"));
  // The process-wide separator changes without the picture being rebuilt:
  // the text has the picture's separator, but not the one dates are read by.
  vcl::DateSeparator = '-';
  S = "12/31/1999";
  EXPECT_FALSE(Shared.IsValidInput(S, true));
  EXPECT_FALSE(Shared.IsValid(S));
}

TEST_F(DateValidatorTest, BoundsLimitValidDatesAndAreNamedInTheMessage) {
  TDateValidator V(nullptr);
  V.SetNoBounds(false);
  EXPECT_TRUE(V.IsValid("6/15/2026"));
  EXPECT_FALSE(V.IsValid("6/16/2026"));
  EXPECT_FALSE(V.IsValid("6/14/2026"));
  EXPECT_TRUE(V.IsValid(""));
  V.ShowErrorMessage(false, "6/16/2026");
  EXPECT_EQ(Log.TakeError(), "\"6/16/2026\" is not a valid date between 6/15/2026 and 6/15/2026.");
  V.ShowErrorMessage(false, "100%");
  EXPECT_EQ(Log.TakeError(), "\"100%\" is not a valid date between 6/15/2026 and 6/15/2026.");
  V.ShowErrorMessage(true, "x");
  EXPECT_EQ(Log.TakeError(), "\"x\" does not resemble a date.");
  V.SetNoBounds(true);
  V.ShowErrorMessage(false, "%s");
  EXPECT_EQ(Log.TakeError(), "\"%s\" does not resemble a date.");
}

TEST_F(DateValidatorTest, BoundsStayOrdered) {
  TDateValidator V(nullptr);
  int Changes = 0;
  V.OnChange = [&](vcl::TObject*) { ++Changes; };
  V.SetMax(Today - 10);
  EXPECT_EQ(V.Max(), Today - 10);
  EXPECT_EQ(V.Min(), Today - 10);
  V.SetMin(Today + 5);
  EXPECT_EQ(V.Min(), Today + 5);
  EXPECT_EQ(V.Max(), Today + 5);
  V.SetMin(Today + 5);
  EXPECT_EQ(Changes, 2);
  V.SetMin(Today);
  EXPECT_EQ(V.Min(), Today);
  EXPECT_EQ(V.Max(), Today + 5);
}

} // namespace
