// Reading dates and times. The scanner follows the classic rules: numbers in
// the order ShortDateFormat names them, DateSeparator and TimeSeparator
// between them, blanks allowed around every piece, AM/PM markers before or
// after the time, and nothing left over at the end.
#include <algorithm>
#include <cmath>

#include "vcl/sysutils.h"

namespace vcl {

namespace {

enum TDateOrder { doMDY, doDMY, doYMD };

// The first field letter of the format decides the order.
TDateOrder GetDateOrder(const std::string& Format) {
  for (char Ch : Format) {
    switch (Ch) {
    case 'Y':
    case 'y':
      return doYMD;
    case 'M':
    case 'm':
      return doMDY;
    case 'D':
    case 'd':
      return doDMY;
    default:
      break;
    }
  }
  return doMDY;
}

// The clock is read only for a date that leaves out its century or its year:
// reading it costs more than the rest of the scan.
Word CurrentYear() {
  Word Year = 0, Month = 0, Day = 0;
  DecodeDate(vcl::Date(), Year, Month, Day);
  return Year;
}

class TDateScanner {
public:
  TDateScanner(const std::string& S, const TFormatSettings& Settings)
      : FS(S), FSettings(Settings) {}

  bool AtEnd() const { return FPos > static_cast<int>(FS.size()); }

  void Blanks() {
    while (FPos <= static_cast<int>(FS.size()) && FS[static_cast<size_t>(FPos - 1)] == ' ')
      ++FPos;
  }

  // Up to four digits (reading stops once the value reaches 1000, so a fifth
  // digit is left over and fails the text); Digits counts them.
  bool Number(int& Value, int& Digits) {
    Blanks();
    Value = 0;
    Digits = 0;
    while (FPos <= static_cast<int>(FS.size()) && Value < 1000) {
      const char Ch = FS[static_cast<size_t>(FPos - 1)];
      if (Ch < '0' || Ch > '9')
        break;
      Value = Value * 10 + (Ch - '0');
      ++Digits;
      ++FPos;
    }
    return Digits > 0;
  }

  // A separator, matched by the bytes of its UTF-8 form; an ASCII one, the
  // usual case, by its single byte without encoding it. A blank separator
  // is the blanks passed over before the next piece.
  bool Char(char32_t Ch) {
    const int Start = FPos;
    Blanks();
    if (Ch == ' ')
      return FPos > Start;
    if (Ch < 0x80) {
      if (AtEnd() || FS[static_cast<size_t>(FPos - 1)] != static_cast<char>(Ch))
        return false;
      ++FPos;
      return true;
    }
    const std::string Bytes = Utf8Encode(Ch);
    if (FS.compare(static_cast<size_t>(FPos - 1), Bytes.size(), Bytes) != 0)
      return false;
    FPos += static_cast<int>(Bytes.size());
    return true;
  }

  // Ignoring the case of ASCII letters (the bytes of other characters
  // compare as they are, whatever the C library's locale); an empty symbol
  // never matches.
  bool Symbol(std::string_view Symbol) {
    Blanks();
    if (Symbol.empty() || static_cast<int>(FS.size()) - FPos + 1 < static_cast<int>(Symbol.size()))
      return false;
    const auto Fold = [](char Ch) { return Ch >= 'a' && Ch <= 'z' ? Ch - 'a' + 'A' : Ch; };
    for (std::size_t I = 0; I < Symbol.size(); ++I)
      if (Fold(FS[static_cast<size_t>(FPos - 1) + I]) != Fold(Symbol[I]))
        return false;
    FPos += static_cast<int>(Symbol.size());
    return true;
  }

  bool Date(TDateTime& Result) {
    int Numbers[3] = {}, Digits[3] = {};
    if (!Number(Numbers[0], Digits[0]) || !Char(FSettings.DateSeparator) ||
        !Number(Numbers[1], Digits[1]))
      return false;
    if (Char(FSettings.DateSeparator)) {
      if (!Number(Numbers[2], Digits[2]))
        return false;
      Char(FSettings.DateSeparator);
      Blanks();
      return TryEncodeDateNumbers(Numbers, Digits, FSettings, Result);
    }
    // Two numbers are the month and the day, in the locale's order, of the
    // current year.
    const TDateOrder Order = GetDateOrder(FSettings.ShortDateFormat);
    const int M = Order == doDMY ? Numbers[1] : Numbers[0];
    const int D = Order == doDMY ? Numbers[0] : Numbers[1];
    Char(FSettings.DateSeparator);
    Blanks();
    return TryEncodeDate(CurrentYear(), static_cast<Word>(M), static_cast<Word>(D), Result);
  }

  bool Marker(int& BaseHour) {
    if (Symbol(FSettings.TimeAMString) || Symbol("AM"))
      BaseHour = 0;
    else if (Symbol(FSettings.TimePMString) || Symbol("PM"))
      BaseHour = 12;
    else
      return false;
    return true;
  }

  bool Time(TDateTime& Result) {
    int BaseHour = -1;
    Marker(BaseHour);
    int Hour = 0, Min = 0, Sec = 0, Digits = 0;
    if (!Number(Hour, Digits))
      return false;
    if (Char(FSettings.TimeSeparator)) {
      if (!Number(Min, Digits))
        return false;
      if (Char(FSettings.TimeSeparator) && !Number(Sec, Digits))
        return false;
    }
    if (BaseHour < 0)
      Marker(BaseHour);
    if (BaseHour >= 0) {
      if (Hour == 0 || Hour > 12)
        return false;
      if (Hour == 12)
        Hour = 0;
      Hour += BaseHour;
    }
    Blanks();
    return TryEncodeTime(static_cast<Word>(Hour), static_cast<Word>(Min), static_cast<Word>(Sec), 0,
                         Result);
  }

private:
  const std::string& FS;
  const TFormatSettings& FSettings;
  int FPos = 1;
};

} // namespace

Word ExpandTwoDigitYear(Word Year, Word CurrentYear, const TFormatSettings& Settings) {
  const int Window = Settings.TwoDigitYearCenturyWindow;
  if (Window == 0)
    return static_cast<Word>(CurrentYear / 100 * 100 + Year);
  // The window's first year; a window reaching back past year 0 starts there.
  const int Pivot = std::max(CurrentYear - Window, 0);
  int Result = Pivot / 100 * 100 + Year;
  if (Result < Pivot)
    Result += 100;
  return static_cast<Word>(Result);
}

bool TryEncodeDateNumbers(const int Numbers[3], const int Digits[3],
                          const TFormatSettings& Settings, TDateTime& Result) {
  int Y = 0, M = 0, D = 0, YearDigits = 0;
  switch (GetDateOrder(Settings.ShortDateFormat)) {
  case doMDY:
    Y = Numbers[2], YearDigits = Digits[2], M = Numbers[0], D = Numbers[1];
    break;
  case doDMY:
    Y = Numbers[2], YearDigits = Digits[2], M = Numbers[1], D = Numbers[0];
    break;
  case doYMD:
    Y = Numbers[0], YearDigits = Digits[0], M = Numbers[1], D = Numbers[2];
    break;
  }
  if (YearDigits <= 2)
    Y = ExpandTwoDigitYear(static_cast<Word>(Y), CurrentYear(), Settings);
  return TryEncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(D), Result);
}

bool TryStrToDate(const std::string& S, TDateTime& Value, const TFormatSettings& Settings) {
  TDateScanner Scanner(S, Settings);
  TDateTime Result = 0;
  if (!Scanner.Date(Result) || !Scanner.AtEnd())
    return false;
  Value = Result;
  return true;
}

bool TryStrToTime(const std::string& S, TDateTime& Value, const TFormatSettings& Settings) {
  TDateScanner Scanner(S, Settings);
  TDateTime Result = 0;
  if (!Scanner.Time(Result) || !Scanner.AtEnd())
    return false;
  Value = Result;
  return true;
}

bool TryStrToDateTime(const std::string& S, TDateTime& Value, const TFormatSettings& Settings) {
  TDateScanner Scanner(S, Settings);
  TDateTime Date = 0;
  TDateTime Time = 0;
  // Unlike the classic scanner, text left over after the time is refused too.
  if (!Scanner.Date(Date) || !(Scanner.AtEnd() || (Scanner.Time(Time) && Scanner.AtEnd())))
    return false;
  // Before the epoch the time still runs forward within the day.
  Value = Date >= 0 ? Date + Time : Date - Time;
  return true;
}

TDateTime StrToDate(const std::string& S, const TFormatSettings& Settings) {
  TDateTime Value = 0;
  if (!TryStrToDate(S, Value, Settings))
    throw EConvertError("'" + S + "' is not a valid date");
  return Value;
}

TDateTime StrToTime(const std::string& S, const TFormatSettings& Settings) {
  TDateTime Value = 0;
  if (!TryStrToTime(S, Value, Settings))
    throw EConvertError("'" + S + "' is not a valid time");
  return Value;
}

TDateTime StrToDateTime(const std::string& S, const TFormatSettings& Settings) {
  TDateTime Value = 0;
  if (!TryStrToDateTime(S, Value, Settings))
    throw EConvertError("'" + S + "' is not a valid date and time");
  return Value;
}

bool TryStrToDate(const std::string& S, TDateTime& Value) {
  return TryStrToDate(S, Value, FormatSettings);
}

bool TryStrToTime(const std::string& S, TDateTime& Value) {
  return TryStrToTime(S, Value, FormatSettings);
}

bool TryStrToDateTime(const std::string& S, TDateTime& Value) {
  return TryStrToDateTime(S, Value, FormatSettings);
}

TDateTime StrToDate(const std::string& S) {
  return StrToDate(S, FormatSettings);
}

TDateTime StrToTime(const std::string& S) {
  return StrToTime(S, FormatSettings);
}

TDateTime StrToDateTime(const std::string& S) {
  return StrToDateTime(S, FormatSettings);
}

} // namespace vcl
