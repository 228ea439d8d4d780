// FormatDateTime and the date and time texts built on it. The specifier
// language is the classic one: letters are case-insensitive, m right after an
// h means minutes, an h is a 12-hour clock when an AM/PM specifier follows
// it, and quoted text is copied as it stands.
#include <cstring>
#include <strings.h>

#include "vcl/sysutils.h"

namespace vcl {

namespace {

class TDateFormatter {
public:
  TDateFormatter(TDateTime DateTime, const TFormatSettings& Settings) : FSettings(Settings) {
    DecodeDate(DateTime, FYear, FMonth, FDay);
    DecodeTime(DateTime, FHour, FMin, FSec, FMSec);
    FDayOfWeek = DayOfWeek(DateTime);
  }

  std::string Run(const std::string& Format) {
    Append(Format.empty() ? std::string("c") : Format, 0);
    return FResult;
  }

private:
  static bool StartsWith(const char* P, const char* Word) {
    return strncasecmp(P, Word, std::strlen(Word)) == 0;
  }

  void Number(int Value, int MinDigits) {
    std::string Digits = std::to_string(Value);
    if (Length(Digits) < MinDigits)
      Digits.insert(0, static_cast<size_t>(MinDigits - Length(Digits)), '0');
    FResult += Digits;
  }

  // Whether an AM/PM specifier comes before the next hour specifier (or the
  // end); any other 'a' outside quotes ends the search as well.
  static bool Uses12HourClock(const char* P) {
    bool Quoted = false;
    for (; *P != '\0'; ++P) {
      if (*P == '\'' || *P == '"') {
        Quoted = !Quoted;
      } else if (!Quoted && (*P == 'a' || *P == 'A')) {
        return StartsWith(P, "am/pm") || StartsWith(P, "a/p") || StartsWith(P, "ampm");
      } else if (!Quoted && (*P == 'h' || *P == 'H')) {
        return false;
      }
    }
    return false;
  }

  // A nested format (ddddd, c, t inside a locale format) is expanded at most
  // one level deep, so a locale format naming itself cannot recurse forever.
  void Append(const std::string& Format, int Level) {
    if (Level >= 2)
      return;
    const char* P = Format.c_str();
    char LastToken = ' ';
    while (*P != '\0') {
      const char Starter = *P++;
      char Token = UpCase(Starter);
      int Count = 1;
      if (Token >= 'A' && Token <= 'Z') {
        if (Token == 'M' && LastToken == 'H')
          Token = 'N';
        LastToken = Token;
        if (std::strchr("YMDHNSZTC", Token) != nullptr)
          while (UpCase(*P) == UpCase(Starter)) {
            ++P;
            ++Count;
          }
      }
      if (!AppendField(Token, Count, P, Level))
        P = AppendOther(Token, Starter, Count, P, Level);
    }
  }

  // The date and time fields: Token repeated Count times, P just after it.
  bool AppendField(char Token, int Count, const char* P, int Level) {
    switch (Token) {
    case 'Y':
      if (Count <= 2)
        Number(FYear % 100, 2);
      else
        Number(FYear, 4);
      return true;
    case 'M':
      if (Count <= 2)
        Number(FMonth, Count);
      else if (FMonth >= 1)
        FResult += (Count == 3 ? FSettings.ShortMonthNames : FSettings.LongMonthNames)[FMonth - 1];
      return true;
    case 'D':
      AppendDay(Count, Level);
      return true;
    case 'H': {
      int Hour = FHour;
      if (Uses12HourClock(P)) {
        Hour %= 12;
        if (Hour == 0)
          Hour = 12;
      }
      Number(Hour, Count >= 2 ? 2 : 1);
      return true;
    }
    case 'N':
      Number(FMin, Count >= 2 ? 2 : 1);
      return true;
    case 'S':
      Number(FSec, Count >= 2 ? 2 : 1);
      return true;
    case 'Z':
      Number(FMSec, Count >= 2 ? 3 : 1);
      return true;
    default:
      return false;
    }
  }

  // The nested formats, the AM/PM markers, separators, quoted text and any
  // other character; returns where the format goes on.
  const char* AppendOther(char Token, char Starter, int Count, const char* P, int Level) {
    switch (Token) {
    case 'T':
      Append(Count == 1 ? FSettings.ShortTimeFormat : FSettings.LongTimeFormat, Level + 1);
      break;
    case 'C':
      Append(FSettings.ShortDateFormat, Level + 1);
      if (FHour != 0 || FMin != 0 || FSec != 0) {
        FResult += ' ';
        Append(FSettings.LongTimeFormat, Level + 1);
      }
      break;
    case 'A':
      P = AppendMarker(P - 1, Starter);
      break;
    case '/':
      Utf8Append(FResult, FSettings.DateSeparator);
      break;
    case ':':
      Utf8Append(FResult, FSettings.TimeSeparator);
      break;
    case '\'':
    case '"':
      while (*P != '\0' && *P != Starter)
        FResult += *P++;
      if (*P != '\0')
        ++P;
      break;
    default:
      FResult += Starter;
      break;
    }
    return P;
  }

  void AppendDay(int Count, int Level) {
    switch (Count) {
    case 1:
    case 2:
      Number(FDay, Count);
      break;
    case 3:
    case 4:
      if (FDayOfWeek >= 1)
        FResult += (Count == 3 ? FSettings.ShortDayNames : FSettings.LongDayNames)[FDayOfWeek - 1];
      break;
    case 5:
      Append(FSettings.ShortDateFormat, Level + 1);
      break;
    default:
      Append(FSettings.LongDateFormat, Level + 1);
      break;
    }
  }

  // am/pm and a/p copy the marker in the case written; ampm uses the locale's
  // strings; any other 'a' is a literal. Answers where scanning goes on.
  const char* AppendMarker(const char* P, char Starter) {
    const bool Afternoon = FHour >= 12;
    if (StartsWith(P, "am/pm")) {
      FResult.append(P + (Afternoon ? 3 : 0), 2);
      return P + 5;
    }
    if (StartsWith(P, "a/p")) {
      FResult += P[Afternoon ? 2 : 0];
      return P + 3;
    }
    if (StartsWith(P, "ampm")) {
      FResult += Afternoon ? FSettings.TimePMString : FSettings.TimeAMString;
      return P + 4;
    }
    FResult += Starter;
    return P + 1;
  }

  const TFormatSettings& FSettings;
  Word FYear = 0, FMonth = 0, FDay = 0;
  Word FHour = 0, FMin = 0, FSec = 0, FMSec = 0;
  int FDayOfWeek = 0;
  std::string FResult;
};

} // namespace

std::string FormatDateTime(const std::string& Format, TDateTime DateTime,
                           const TFormatSettings& Settings) {
  return TDateFormatter(DateTime, Settings).Run(Format);
}

std::string DateToStr(TDateTime Date, const TFormatSettings& Settings) {
  return FormatDateTime("ddddd", Date, Settings);
}

std::string TimeToStr(TDateTime Time, const TFormatSettings& Settings) {
  return FormatDateTime("tt", Time, Settings);
}

std::string DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings) {
  return FormatDateTime("c", DateTime, Settings);
}

std::string FormatDateTime(const std::string& Format, TDateTime DateTime) {
  return FormatDateTime(Format, DateTime, FormatSettings);
}

std::string DateToStr(TDateTime Date) {
  return DateToStr(Date, FormatSettings);
}

std::string TimeToStr(TDateTime Time) {
  return TimeToStr(Time, FormatSettings);
}

std::string DateTimeToStr(TDateTime DateTime) {
  return DateTimeToStr(DateTime, FormatSettings);
}

} // namespace vcl
