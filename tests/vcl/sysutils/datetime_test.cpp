// Calendar encoding, the clock, date and time texts both ways.
#include <cmath>
#include <ctime>

#include "sysutils_fixture.h"

using namespace vcl;

namespace {

using DateTimeTest = SysUtilsTest;

TDateTime At(Word Y, Word M, Word D, Word H = 0, Word N = 0, Word S = 0, Word MS = 0) {
  return EncodeDate(Y, M, D) + EncodeTime(H, N, S, MS);
}

TEST_F(DateTimeTest, EncodeDateCountsFromTheEpoch) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465);
  EXPECT_EQ(EncodeDate(2024, 2, 29) + 1, EncodeDate(2024, 3, 1));
  EXPECT_DOUBLE_EQ(EncodeTime(12, 30, 0, 0), 0.5 + 30.0 / 1440);
}

TEST_F(DateTimeTest, ImpossibleDatesAndTimesRaise) {
  const Word BadDates[][3] = {{2026, 2, 29}, {2026, 4, 31}, {2026, 13, 1}, {2026, 0, 1},
                              {2026, 1, 0},  {0, 1, 1},     {10000, 1, 1}, {1900, 2, 29}};
  for (const auto& D : BadDates)
    EXPECT_CONVERT_ERROR(EncodeDate(D[0], D[1], D[2]), "Invalid argument to date encode");
  const Word BadTimes[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}};
  for (const auto& T : BadTimes)
    EXPECT_CONVERT_ERROR(EncodeTime(T[0], T[1], T[2], T[3]), "Invalid argument to time encode");
}

TEST_F(DateTimeTest, DecodeDateInvertsEncodeDate) {
  for (int Serial = -693593; Serial <= 2958465; Serial += 13) {
    Word Y = 0, M = 0, D = 0;
    // The time of day must not move the date, on either side of the epoch.
    DecodeDate(Serial + (Serial < 0 ? -0.75 : 0.75), Y, M, D);
    ASSERT_EQ(EncodeDate(Y, M, D), Serial);
  }
  for (Word Y : {1600, 1700, 1900, 2000, 2024, 2100}) {
    Word Year = 0, Month = 0, Day = 0;
    DecodeDate(EncodeDate(Y, 12, 31), Year, Month, Day);
    EXPECT_EQ(Year * 10000 + Month * 100 + Day, Y * 10000 + 1231) << Y;
  }
}

TEST_F(DateTimeTest, NegativeValuesReadTheFractionForward) {
  Word Y = 0, M = 0, D = 0, H = 0, N = 0, S = 0, MS = 0;
  DecodeDate(-1.25, Y, M, D);
  DecodeTime(-1.25, H, N, S, MS);
  EXPECT_EQ(Y * 10000 + M * 100 + D, 18991229);
  EXPECT_EQ(H, 6);
  DecodeDate(-0.5, Y, M, D);
  EXPECT_EQ(Y * 10000 + M * 100 + D, 18991230);
}

TEST_F(DateTimeTest, DecodeTimeRoundsToMilliseconds) {
  Word H = 0, N = 0, S = 0, MS = 0;
  DecodeTime(0.99999, H, N, S, MS);
  EXPECT_EQ((std::array<Word, 4>{H, N, S, MS}), (std::array<Word, 4>{23, 59, 59, 136}));
  // Within half a millisecond of midnight the value is the next day.
  Word Y = 0, M = 0, D = 0;
  DecodeTime(10.9999999999, H, N, S, MS);
  DecodeDate(10.9999999999, Y, M, D);
  EXPECT_EQ(H + N + S + MS, 0);
  EXPECT_EQ(EncodeDate(Y, M, D), 11);
}

TEST_F(DateTimeTest, UnrepresentableValuesDecodeToZeros) {
  Word Y = 1, M = 1, D = 1;
  DecodeDate(NAN, Y, M, D);
  EXPECT_EQ(Y + M + D, 0);
  DecodeDate(-1e9, Y, M, D);
  EXPECT_EQ(Y + M + D, 0);
}

TEST_F(DateTimeTest, LeapYearsAndWeekdays) {
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2024));
  EXPECT_FALSE(IsLeapYear(2026));
  EXPECT_EQ(DayOfWeek(EncodeDate(2026, 6, 17)), 4); // a Wednesday
  EXPECT_EQ(DayOfWeek(0), 7);                       // 30 December 1899, a Saturday
  EXPECT_EQ(DayOfWeek(-1.5), 6);
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);
}

TEST_F(DateTimeTest, DaysInAMonth) {
  EXPECT_EQ(DaysInAMonth(2026, 1), 31);
  EXPECT_EQ(DaysInAMonth(2026, 4), 30);
  EXPECT_EQ(DaysInAMonth(2026, 2), 28);
  EXPECT_EQ(DaysInAMonth(2024, 2), 29);
  EXPECT_EQ(DaysInAMonth(1900, 2), 28);
  EXPECT_EQ(DaysInAMonth(2000, 2), 29);
  EXPECT_EQ(DaysInAMonth(2026, 12), 31);
  EXPECT_EQ(DaysInAMonth(2026, 0), 0);
  EXPECT_EQ(DaysInAMonth(2026, 13), 0);
}

TEST_F(DateTimeTest, ClockIsReplaceable) {
  EXPECT_EQ(Date(), EncodeDate(2026, 6, 17));
  EXPECT_DOUBLE_EQ(Now(), At(2026, 6, 17, 14, 30));
  EXPECT_NEAR(vcl::Time(), EncodeTime(14, 30, 0, 0), 1e-9);
  TNowFunction Fixed = SetNowFunction([] { return 100.25; });
  EXPECT_EQ(Date(), 100);
  EXPECT_DOUBLE_EQ(SetNowFunction(Fixed)(), 100.25); // hands back the clock it replaces
  EXPECT_DOUBLE_EQ(Now(), At(2026, 6, 17, 14, 30));

  SetNowFunction(nullptr);
  const std::time_t T = std::time(nullptr);
  std::tm Local{};
  localtime_r(&T, &Local);
  const TDateTime Expected =
      At(static_cast<Word>(Local.tm_year + 1900), static_cast<Word>(Local.tm_mon + 1),
         static_cast<Word>(Local.tm_mday), static_cast<Word>(Local.tm_hour),
         static_cast<Word>(Local.tm_min));
  EXPECT_NEAR(Now(), Expected, 5.0 / 1440);
  // The system clock can be handed back and reinstalled like any other.
  TNowFunction System = SetNowFunction(Fixed);
  EXPECT_NEAR(System(), Expected, 5.0 / 1440);
}

struct DateCase {
  const char* Text;
  Word Y, M, D;
};

TEST_F(DateTimeTest, StrToDateMonthDayYear) {
  const DateCase Cases[] = {
      {"12/25/98", 2098, 12, 25},     {"12/25/2026", 2026, 12, 25}, {"6/17", 2026, 6, 17},
      {" 1 / 2 / 2003 ", 2003, 1, 2}, {"12/25/0098", 98, 12, 25},   {"2/29/2024", 2024, 2, 29},
      {"12/25/2026/", 2026, 12, 25},  {"1/1/5", 2005, 1, 1},        {"12/25/0", 2000, 12, 25},
  };
  for (const DateCase& C : Cases)
    EXPECT_EQ(StrToDate(C.Text), EncodeDate(C.Y, C.M, C.D)) << C.Text;
}

TEST_F(DateTimeTest, TwoDigitYearsFollowTheCenturyWindow) {
  TFormatSettings Settings;
  const struct {
    Word Window, Current, Year, Expected;
  } Rows[] = {{0, 2026, 98, 2098},
              {0, 2026, 5, 2005},
              {0, 2101, 99, 2199},
              {50, 2026, 98, 1998},
              {50, 2026, 76, 1976},
              {50, 2026, 75, 2075},
              {50, 2026, 12, 2012},
              {99, 2026, 26, 2026},
              {99, 2026, 27, 1927},
              {1, 2026, 25, 2025},
              {1, 2026, 24, 2124},
              // Across a century: the window moves with the current year.
              {50, 2080, 29, 2129},
              {50, 2080, 30, 2030},
              {50, 2000, 49, 2049},
              {50, 2000, 50, 1950},
              // A window longer than the calendar starts at year 0.
              {5000, 2026, 98, 98}};
  for (const auto& R : Rows) {
    Settings.TwoDigitYearCenturyWindow = R.Window;
    EXPECT_EQ(ExpandTwoDigitYear(R.Year, R.Current, Settings), R.Expected)
        << R.Window << " " << R.Current << " " << R.Year;
  }
}

TEST_F(DateTimeTest, StrToDateReadsTwoDigitYearsInTheWindow) {
  TwoDigitYearCenturyWindow = 50; // the clock says 2026
  EXPECT_EQ(StrToDate("12/25/98"), EncodeDate(1998, 12, 25));
  EXPECT_EQ(StrToDate("1/1/75"), EncodeDate(2075, 1, 1));
  // Four digits and a missing year are not windowed.
  EXPECT_EQ(StrToDate("12/25/0098"), EncodeDate(98, 12, 25));
  EXPECT_EQ(StrToDate("6/17"), EncodeDate(2026, 6, 17));
  // Settings of one's own carry their own window.
  TFormatSettings Own;
  EXPECT_EQ(StrToDate("12/25/98", Own), EncodeDate(2098, 12, 25));
  Own.TwoDigitYearCenturyWindow = 99;
  EXPECT_EQ(StrToDateTime("12/25/27 6:00", Own), EncodeDate(1927, 12, 25) + 0.25);
  ResetLocale();
  EXPECT_EQ(TwoDigitYearCenturyWindow, 0);
}

TEST_F(DateTimeTest, StrToDateFollowsTheFormatOrder) {
  ShortDateFormat = "dd.MM.yyyy";
  DateSeparator = '.';
  EXPECT_EQ(StrToDate("25.12.2026"), EncodeDate(2026, 12, 25));
  EXPECT_EQ(StrToDate("25.12"), EncodeDate(2026, 12, 25));
  EXPECT_CONVERT_ERROR(StrToDate("12/25/2026"), "'12/25/2026' is not a valid date");
  ShortDateFormat = "yyyy-MM-dd";
  DateSeparator = '-';
  EXPECT_EQ(StrToDate("2026-12-25"), EncodeDate(2026, 12, 25));
  EXPECT_EQ(StrToDate("26-2-3"), EncodeDate(2026, 2, 3));
  EXPECT_EQ(StrToDate("2-3"), EncodeDate(2026, 2, 3));
  // A blank separator is the blanks between the numbers.
  ShortDateFormat = "dd/MM/yyyy";
  DateSeparator = ' ';
  EXPECT_EQ(StrToDate("25 12 2026"), EncodeDate(2026, 12, 25));
  EXPECT_EQ(StrToDate(" 25  12 2026 "), EncodeDate(2026, 12, 25));
  EXPECT_EQ(StrToDate("25 12"), EncodeDate(2026, 12, 25));
  EXPECT_CONVERT_ERROR(StrToDate("25122026"), "'25122026' is not a valid date");
  EXPECT_CONVERT_ERROR(StrToDate("25 12 2026 1"), "'25 12 2026 1' is not a valid date");
}

TEST_F(DateTimeTest, StrToDateRejects) {
  const char* Bad[] = {"2/30/2026", "abc",          "",        "12/25/",      "12-25-2026",
                       "13/1/2026", "12/25/2026 x", "1/2/3/4", "12/25/20261", "0/1/2026",
                       "12",        "/12/25"};
  for (const char* Text : Bad)
    EXPECT_CONVERT_ERROR(StrToDate(Text), "'" + std::string(Text) + "' is not a valid date");
}

TEST_F(DateTimeTest, StrToTimeReadsClockTexts) {
  struct Case {
    const char* Text;
    Word H, N, S;
  } Cases[] = {
      {"12:30 PM", 12, 30, 0},     {"12:30 AM", 0, 30, 0},   {"12:30", 12, 30, 0},
      {"1:02:03", 1, 2, 3},        {"1:02:03 pm", 13, 2, 3}, {"PM 1:00", 13, 0, 0},
      {"11:59:59 PM", 23, 59, 59}, {" 9 : 05 ", 9, 5, 0},    {"12", 12, 0, 0},
      {"0:00", 0, 0, 0},
  };
  for (const Case& C : Cases)
    EXPECT_DOUBLE_EQ(StrToTime(C.Text), EncodeTime(C.H, C.N, C.S, 0)) << C.Text;
  EXPECT_NEAR(StrToTime("12:30 PM"), 0.5208333, 1e-7);
  TimeAMString = "vorm.";
  TimePMString = "nachm.";
  EXPECT_DOUBLE_EQ(StrToTime("9:00 VORM."), EncodeTime(9, 0, 0, 0));
  EXPECT_DOUBLE_EQ(StrToTime("9:00 nachm."), EncodeTime(21, 0, 0, 0));
  EXPECT_DOUBLE_EQ(StrToTime("9:00 pm"), EncodeTime(21, 0, 0, 0)); // English markers still read
}

TEST_F(DateTimeTest, StrToTimeRejects) {
  const char* Bad[] = {"13:00 PM", "0:30 AM", "25:00",   "12:60", "1:2:60", "abc",
                       "",         "12:",     "1:00 XM", "1:00:", "AM",     "1:00 AM PM"};
  for (const char* Text : Bad)
    EXPECT_CONVERT_ERROR(StrToTime(Text), "'" + std::string(Text) + "' is not a valid time");
}

TEST_F(DateTimeTest, StrToDateTimeJoinsBoth) {
  EXPECT_DOUBLE_EQ(StrToDateTime("6/17/2026 2:30 PM"), At(2026, 6, 17, 14, 30));
  EXPECT_DOUBLE_EQ(StrToDateTime("6/17/2026"), EncodeDate(2026, 6, 17));
  EXPECT_DOUBLE_EQ(StrToDateTime("12/29/1899 6:00"), -1.25);
  for (const char* Text : {"6/17/2026 2:30 PM x", "6/17/2026 x", "2:30 PM", ""})
    EXPECT_CONVERT_ERROR(StrToDateTime(Text),
                         "'" + std::string(Text) + "' is not a valid date and time");
}

// The answering forms agree with the raising ones on every text, and leave
// the caller's value alone when the text does not read.
TEST_F(DateTimeTest, TryFormsAnswerWhatTheRaisingFormsDo) {
  const char* Texts[] = {"12/25/2026",  "12/25/98", "6/17",   " 1 / 2 / 2003 ",    "2/30/2026",
                         "abc",         "",         "12/25/", "13/1/2026",         "12:30 PM",
                         "1:02:03",     "0:30 AM",  "12:60",  "6/17/2026 2:30 PM", "6/17/2026 x",
                         "12/25/2026/", "1/2/3/4",  "PM 1:00"};
  using TRaise = TDateTime (*)(const std::string&);
  using TTry = bool (*)(const std::string&, TDateTime&);
  const std::pair<TRaise, TTry> Forms[] = {
      {StrToDate, TryStrToDate}, {StrToTime, TryStrToTime}, {StrToDateTime, TryStrToDateTime}};
  for (const auto& [Raise, Try] : Forms) {
    for (const char* Text : Texts) {
      TDateTime Tried = -7;
      const bool Read = Try(Text, Tried);
      try {
        EXPECT_EQ(Tried, Raise(Text)) << Text;
        EXPECT_TRUE(Read) << Text;
      } catch (const EConvertError&) {
        EXPECT_FALSE(Read) << Text;
        EXPECT_EQ(Tried, -7) << Text;
      }
    }
  }
}

// The clock is read only for a date that leaves out its year or century.
TEST_F(DateTimeTest, ReadingADateAsksTheClockOnlyForAMissingYear) {
  int Reads = 0;
  const TNowFunction Previous = SetNowFunction([&] {
    ++Reads;
    return EncodeDate(2026, 6, 17);
  });
  const struct {
    const char* Text;
    int Reads;
  } Rows[] = {{"12/25/2026", 0}, {"2/30/2026", 0}, {"abc", 0}, {"12/25/98", 1}, {"12/25", 1}};
  for (const auto& Row : Rows) {
    Reads = 0;
    TDateTime Value = 0;
    TryStrToDate(Row.Text, Value);
    EXPECT_EQ(Reads, Row.Reads) << Row.Text;
  }
  SetNowFunction(Previous);
}

TEST_F(DateTimeTest, DateAndTimeToStr) {
  EXPECT_EQ(DateToStr(EncodeDate(2026, 12, 25)), "12/25/26");
  ShortDateFormat = "M/d/yyyy";
  EXPECT_EQ(DateToStr(EncodeDate(2026, 12, 25)), "12/25/2026");
  EXPECT_EQ(TimeToStr(0.99999), "11:59:59 PM");
  EXPECT_EQ(TimeToStr(0), "12:00:00 AM");
  EXPECT_EQ(TimeToStr(0.5), "12:00:00 PM");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2026, 12, 25)), "12/25/2026");
  EXPECT_EQ(DateTimeToStr(At(2026, 12, 25, 14, 30)), "12/25/2026 2:30:00 PM");
}

TEST_F(DateTimeTest, FormatDateTimeSpecifiers) {
  const TDateTime D = At(2026, 12, 5, 14, 7, 9, 45); // a Saturday
  struct Case {
    const char* Format;
    const char* Expected;
  } Cases[] = {
      {"MMMM, YYYY", "December, 2026"},
      {"d dd ddd dddd", "5 05 Sat Saturday"},
      {"ddddd", "12/5/26"},
      {"dddddd", "Saturday, December 05, 2026"},
      {"m mm mmm mmmm", "12 12 Dec December"},
      {"yy yyyy y", "26 2026 26"},
      {"h:nn:ss", "14:07:09"},
      {"hh:mm", "14:07"},
      {"h:m:s", "14:7:9"},
      {"hh \"hours\" mm", "14 hours 07"},
      {"h:mm am/pm", "2:07 pm"},
      {"h:mm AM/PM", "2:07 PM"},
      {"h a/p", "2 p"},
      {"hh ampm", "02 PM"},
      {"hh:nn a", "14:07 a"},
      {"h\" a/p\"", "14 a/p"},
      {"z zzz", "45 045"},
      {"t", "2:07 PM"},
      {"tt", "2:07:09 PM"},
      {"c", "12/5/26 2:07:09 PM"},
      {"", "12/5/26 2:07:09 PM"},
      {"yyyy/mm/dd", "2026/12/05"},
      {"'at' h", "at 14"},
      {"xx-q", "xx-q"},
      {"'unterminated", "unterminated"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(FormatDateTime(C.Format, D), C.Expected) << C.Format;
  EXPECT_EQ(FormatDateTime("h ampm", 0), "12 AM");
  DateSeparator = '-';
  TimeSeparator = '.';
  EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn", D), "2026-12-05 14.07");
}

TEST_F(DateTimeTest, SelfReferringLocaleFormatsStop) {
  ShortDateFormat = "ddddd c";
  EXPECT_EQ(FormatDateTime("ddddd", EncodeDate(2026, 12, 5)), " ");
}

} // namespace
