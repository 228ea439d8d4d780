// Calendar arithmetic on TDateTime, days since 30 December 1899 with the time
// of day as fraction. Splitting goes through a millisecond count rounded from
// the absolute value, as the classic time stamp does: for a negative value the
// date part counts back from the epoch and the fraction still reads forward
// as the time of day.
#include <array>
#include <cmath>
#include <cstdint>

#include "vcl/sysutils.h"

namespace vcl {

namespace {

constexpr std::int64_t MSecsPerDay = 86400000;
// Days from 1 January 0001 (day 1) to 30 December 1899.
constexpr int DateDelta = 693594;
constexpr int MonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                  {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
// The days of the year before the first of each month.
constexpr auto DaysBeforeMonth = [] {
  std::array<std::array<int, 12>, 2> Result{};
  for (int Leap = 0; Leap < 2; ++Leap)
    for (int M = 1; M < 12; ++M)
      Result[Leap][M] = Result[Leap][M - 1] + MonthDays[Leap][M - 1];
  return Result;
}();

// Days since 1 January 0001 counted from 1, and milliseconds of the day; false
// for values no calendar can hold (NaN, infinities, beyond year 9999).
bool ToTimeStamp(TDateTime Value, std::int64_t& Days, std::int64_t& MSecs) {
  if (!std::isfinite(Value) || std::fabs(Value) > 3.0e6)
    return false;
  const auto Total = static_cast<std::int64_t>(std::llround(std::fabs(Value) * MSecsPerDay));
  Days = (Value < 0 ? -(Total / MSecsPerDay) : Total / MSecsPerDay) + DateDelta;
  MSecs = Total % MSecsPerDay;
  return true;
}

} // namespace

bool IsLeapYear(Word Year) {
  return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

Word DaysInAMonth(Word Year, Word Month) {
  if (Month < 1 || Month > 12)
    return 0;
  return static_cast<Word>(MonthDays[IsLeapYear(Year) ? 1 : 0][Month - 1]);
}

bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Result) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1)
    return false;
  const int Leap = IsLeapYear(Year) ? 1 : 0;
  if (Day > MonthDays[Leap][Month - 1])
    return false;
  int Days = Day + DaysBeforeMonth[Leap][Month - 1];
  const int Y = Year - 1;
  Days += Y * 365 + Y / 4 - Y / 100 + Y / 400;
  Result = Days - DateDelta;
  return true;
}

TDateTime EncodeDate(Word Year, Word Month, Word Day) {
  TDateTime Result = 0;
  if (!TryEncodeDate(Year, Month, Day, Result))
    throw EConvertError("Invalid argument to date encode");
  return Result;
}

bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Result) {
  if (Hour >= 24 || Min >= 60 || Sec >= 60 || MSec >= 1000)
    return false;
  Result = (Hour * 3600000.0 + Min * 60000.0 + Sec * 1000.0 + MSec) / MSecsPerDay;
  return true;
}

TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec) {
  TDateTime Result = 0;
  if (!TryEncodeTime(Hour, Min, Sec, MSec, Result))
    throw EConvertError("Invalid argument to time encode");
  return Result;
}

void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day) {
  std::int64_t Days = 0;
  std::int64_t MSecs = 0;
  Year = Month = Day = 0;
  if (!ToTimeStamp(Date, Days, MSecs) || Days <= 0)
    return;
  // Whole 400-, 100-, 4- and 1-year cycles from 1 January 0001.
  std::int64_t D = Days - 1;
  std::int64_t Y = 1 + 400 * (D / 146097);
  D %= 146097;
  std::int64_t Centuries = D / 36524;
  if (Centuries == 4) // the last day of a 400-year cycle
    Centuries = 3;
  Y += 100 * Centuries;
  D -= Centuries * 36524;
  Y += 4 * (D / 1461);
  D %= 1461;
  std::int64_t Years = D / 365;
  if (Years == 4) // the last day of a leap cycle
    Years = 3;
  Y += Years;
  D -= Years * 365;
  Year = static_cast<Word>(Y);
  Month = 1;
  while (D >= DaysInAMonth(Year, Month)) {
    D -= DaysInAMonth(Year, Month);
    ++Month;
  }
  Day = static_cast<Word>(D + 1);
}

void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec) {
  std::int64_t Days = 0;
  std::int64_t MSecs = 0;
  Hour = Min = Sec = MSec = 0;
  if (!ToTimeStamp(Time, Days, MSecs))
    return;
  Hour = static_cast<Word>(MSecs / 3600000);
  Min = static_cast<Word>(MSecs / 60000 % 60);
  Sec = static_cast<Word>(MSecs / 1000 % 60);
  MSec = static_cast<Word>(MSecs % 1000);
}

int DayOfWeek(TDateTime Date) {
  std::int64_t Days = 0;
  std::int64_t MSecs = 0;
  if (!ToTimeStamp(Date, Days, MSecs))
    return 0;
  // Day 1 (1 January 0001) was a Monday; the remainder is 0 on Sundays.
  return static_cast<int>(((Days % 7) + 7) % 7) + 1;
}

} // namespace vcl
