// The process-wide locale settings: one TFormatSettings, which the classic
// variables name field by field, and the system locale's identity.
#include "vcl/sysutils.h"

namespace vcl {

TFormatSettings FormatSettings;
char32_t& DecimalSeparator = FormatSettings.DecimalSeparator;
char32_t& ThousandSeparator = FormatSettings.ThousandSeparator;
std::string& CurrencyString = FormatSettings.CurrencyString;
Byte& CurrencyFormat = FormatSettings.CurrencyFormat;
Byte& NegCurrFormat = FormatSettings.NegCurrFormat;
Byte& CurrencyDecimals = FormatSettings.CurrencyDecimals;
char32_t& DateSeparator = FormatSettings.DateSeparator;
std::string& ShortDateFormat = FormatSettings.ShortDateFormat;
std::string& LongDateFormat = FormatSettings.LongDateFormat;
char32_t& TimeSeparator = FormatSettings.TimeSeparator;
std::string& TimeAMString = FormatSettings.TimeAMString;
std::string& TimePMString = FormatSettings.TimePMString;
std::string& ShortTimeFormat = FormatSettings.ShortTimeFormat;
std::string& LongTimeFormat = FormatSettings.LongTimeFormat;
std::array<std::string, 12>& ShortMonthNames = FormatSettings.ShortMonthNames;
std::array<std::string, 12>& LongMonthNames = FormatSettings.LongMonthNames;
std::array<std::string, 7>& ShortDayNames = FormatSettings.ShortDayNames;
std::array<std::string, 7>& LongDayNames = FormatSettings.LongDayNames;
Word& TwoDigitYearCenturyWindow = FormatSettings.TwoDigitYearCenturyWindow;
TSysLocale SysLocale;

void ResetLocale() {
  FormatSettings = TFormatSettings();
  SysLocale = TSysLocale();
}

} // namespace vcl
