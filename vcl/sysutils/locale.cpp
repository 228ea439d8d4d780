// The process-wide locale settings and their US English defaults.
#include "vcl/sysutils.h"

namespace vcl {

char DecimalSeparator;
char ThousandSeparator;
std::string CurrencyString;
Byte CurrencyFormat;
Byte NegCurrFormat;
Byte CurrencyDecimals;
char DateSeparator;
std::string ShortDateFormat;
std::string LongDateFormat;
char TimeSeparator;
std::string TimeAMString;
std::string TimePMString;
std::string ShortTimeFormat;
std::string LongTimeFormat;
std::array<std::string, 12> ShortMonthNames;
std::array<std::string, 12> LongMonthNames;
std::array<std::string, 7> ShortDayNames;
std::array<std::string, 7> LongDayNames;
TSysLocale SysLocale;

void ResetLocale() {
  DecimalSeparator = '.';
  ThousandSeparator = ',';
  CurrencyString = "$";
  CurrencyFormat = 0;
  NegCurrFormat = 0;
  CurrencyDecimals = 2;
  DateSeparator = '/';
  ShortDateFormat = "M/d/yy";
  LongDateFormat = "dddd, MMMM dd, yyyy";
  TimeSeparator = ':';
  TimeAMString = "AM";
  TimePMString = "PM";
  ShortTimeFormat = "h:mm AMPM";
  LongTimeFormat = "h:mm:ss AMPM";
  ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                    "July",    "August",   "September", "October", "November", "December"};
  ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  SysLocale = TSysLocale();
}

namespace {

// The settings above are defined before this object in this file, so they are
// constructed by the time it fills them in.
struct TDefaultLocale {
  TDefaultLocale() { ResetLocale(); }
} DefaultLocale;

} // namespace

} // namespace vcl
