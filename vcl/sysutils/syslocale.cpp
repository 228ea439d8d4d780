// LoadSystemLocale: fills the locale settings from the process locale (the
// environment's LANG/LC_* as the C library reads them). The C library speaks
// in strftime patterns and in the locale's own encoding; here they become the
// classic format letters and UTF-8 texts. Anything that cannot be read or
// converted keeps its US English default.
#include <climits>
#include <clocale>
#include <cstdint>
#include <cstring>
#include <langinfo.h>
#include <optional>

#include "vcl/sysutils.h"

namespace vcl {

namespace {

// The strftime directives the classic format letters can say, written with
// and without the padding that a '-' flag drops.
struct TDirective {
  char Directive;
  const char* Padded;
  const char* Unpadded;
};

constexpr TDirective Directives[] = {
    {'d', "dd", "d"},
    {'e', "d", "d"},
    {'m', "MM", "M"},
    {'y', "yy", "yy"},
    {'Y', "yyyy", "yyyy"},
    {'b', "MMM", "MMM"},
    {'h', "MMM", "MMM"},
    {'B', "MMMM", "MMMM"},
    {'a', "ddd", "ddd"},
    {'A', "dddd", "dddd"},
    {'H', "hh", "h"},
    // A 12-hour clock shows the hour unpadded as the classic US setting
    // does; a typed hour then never has to start with 0.
    {'I', "h", "h"},
    {'l', "h", "h"},
    {'k', "h", "h"},
    {'M', "nn", "n"},
    {'S', "ss", "s"},
    {'p', "AMPM", "AMPM"},
    {'P', "am/pm", "am/pm"},
    {'n', " ", " "},
    {'t', " ", " "},
    {'%', "%", "%"},
};

// The directives that stand for a pattern of others; %r, the locale's own
// 12-hour time, is read from the locale.
struct TComposite {
  char Directive;
  const char* Pattern;
};

constexpr TComposite Composites[] = {
    {'D', "%m/%d/%y"},
    {'F', "%Y-%m-%d"},
    {'T', "%H:%M:%S"},
    {'R', "%H:%M"},
};

// The row of Table for the directive Ch, or null.
template <typename T, std::size_t N> const T* FindDirective(const T (&Table)[N], char Ch) {
  for (const T& Row : Table)
    if (Row.Directive == Ch)
      return &Row;
  return nullptr;
}

bool IsLetter(char Ch) {
  return (Ch >= 'A' && Ch <= 'Z') || (Ch >= 'a' && Ch <= 'z');
}

// Reads texts of the process locale, converted to UTF-8; nothing when a text
// is empty or cannot be read.
class TLocaleReader {
public:
  TLocaleReader() {
    const char* CodeSet = nl_langinfo(CODESET);
    const std::string Name = CodeSet != nullptr ? CodeSet : "";
    FUtf8 = Name == "UTF-8";
    FLatin1 = Name == "ISO-8859-1" || Name == "ISO-8859-15";
  }

  std::optional<std::string> Text(const char* Raw) const {
    if (Raw == nullptr || *Raw == '\0')
      return std::nullopt;
    const std::string S = Raw;
    if (FUtf8)
      return IsValidUtf8(S) ? std::optional(S) : std::nullopt;
    std::string Result;
    for (char Ch : S) {
      if (static_cast<unsigned char>(Ch) >= 0x80 && !FLatin1)
        return std::nullopt;
      Utf8Append(Result, static_cast<unsigned char>(Ch));
    }
    return Result;
  }

  std::optional<std::string> Info(nl_item Item) const { return Text(nl_langinfo(Item)); }

  // A separator: one character, kept as the locale gives it (fr_FR groups
  // digits with the narrow no-break space U+202F).
  std::optional<char32_t> Char(const char* Raw) const {
    const std::optional<std::string> S = Text(Raw);
    if (!S || Length(*S) != 1)
      return std::nullopt;
    return Utf8Decode(*S)[0];
  }

  // A strftime pattern in the classic format letters; nothing when it uses a
  // directive those letters cannot say.
  std::optional<std::string> Pattern(nl_item Item) const {
    const std::optional<std::string> Raw = Info(Item);
    return Raw ? ClassicPattern(*Raw, 0) : std::nullopt;
  }

private:
  std::optional<std::string> ClassicPattern(const std::string& P, int Depth) const {
    if (Depth > 2)
      return std::nullopt;
    std::string Result;
    std::string Literal; // letters must be quoted, or they would read as specifiers
    auto FlushLiteral = [&] {
      if (!Literal.empty())
        Result += '"' + Literal + '"';
      Literal.clear();
    };
    for (size_t I = 0; I < P.size(); ++I) {
      const char Ch = P[I];
      if (Ch != '%') {
        if (Ch == '"' || Ch == '\'')
          return std::nullopt;
        if (IsLetter(Ch)) {
          Literal += Ch;
        } else {
          FlushLiteral();
          Result += Ch;
        }
        continue;
      }
      FlushLiteral();
      bool Unpadded = false;
      while (I + 1 < P.size() && std::strchr("-_0^#EO", P[I + 1]) != nullptr)
        Unpadded |= P[++I] == '-';
      if (++I >= P.size())
        return std::nullopt;
      std::optional<std::string> Part;
      if (const TDirective* D = FindDirective(Directives, P[I]))
        Part = Unpadded ? D->Unpadded : D->Padded;
      else if (const TComposite* C = FindDirective(Composites, P[I]))
        Part = ClassicPattern(C->Pattern, Depth + 1);
      else if (P[I] == 'r' && Info(T_FMT_AMPM))
        Part = ClassicPattern(*Info(T_FMT_AMPM), Depth + 1);
      if (!Part)
        return std::nullopt;
      Result += *Part;
    }
    FlushLiteral();
    return Result;
  }

  bool FUtf8 = false;
  bool FLatin1 = false;
};

// Accepts a short date format of three numeric fields (d, M and y, each once)
// split by one separator character, the shape the date conversions and the
// date validator read; gives the separator.
std::optional<char32_t> ShortDateSeparator(const std::string& Format) {
  const std::u32string F = Utf8Decode(Format);
  std::optional<char32_t> Separator;
  std::string Fields;
  for (size_t I = 0; I < F.size();) {
    const char32_t Letter = F[I];
    if (Letter != 'd' && Letter != 'M' && Letter != 'y')
      return std::nullopt;
    while (I < F.size() && F[I] == Letter)
      ++I;
    Fields += static_cast<char>(Letter);
    if (I == F.size())
      break;
    if (Separator && F[I] != *Separator)
      return std::nullopt;
    Separator = F[I++];
  }
  if (Fields.size() != 3 || Fields.find('d') == std::string::npos ||
      Fields.find('M') == std::string::npos || Fields.find('y') == std::string::npos)
    return std::nullopt;
  return Separator;
}

// The classic negative currency layout for the C library's description.
std::optional<Byte> NegativeCurrencyFormat(char Precedes, char Space, char SignPosn) {
  if (Precedes == CHAR_MAX || Space == CHAR_MAX || SignPosn == CHAR_MAX)
    return std::nullopt;
  const bool Before = Precedes != 0;
  const bool Spaced = Space != 0;
  switch (SignPosn) {
  case 0: // parentheses
    return Before ? (Spaced ? 14 : 0) : (Spaced ? 15 : 4);
  case 1: // sign before amount and symbol
    return Before ? (Spaced ? 9 : 1) : (Spaced ? 8 : 5);
  case 2: // sign after both
    return Before ? (Spaced ? 11 : 3) : (Spaced ? 10 : 7);
  case 3: // sign right before the symbol
    return Before ? (Spaced ? 9 : 1) : (Spaced ? 13 : 6);
  case 4: // sign right after the symbol
    return Before ? (Spaced ? 12 : 2) : (Spaced ? 10 : 7);
  default:
    return std::nullopt;
  }
}

void ReadNumbers(const TLocaleReader& R) {
  const lconv* Conv = localeconv();
  if (Conv == nullptr)
    return;
  if (const auto Ch = R.Char(Conv->decimal_point))
    DecimalSeparator = *Ch;
  if (const auto Ch = R.Char(Conv->thousands_sep))
    ThousandSeparator = *Ch;
  if (const auto Symbol = R.Text(Conv->currency_symbol))
    CurrencyString = *Symbol;
  if (Conv->frac_digits != CHAR_MAX && Conv->frac_digits >= 0 && Conv->frac_digits <= 18)
    CurrencyDecimals = static_cast<Byte>(Conv->frac_digits);
  if (Conv->p_cs_precedes != CHAR_MAX && Conv->p_sep_by_space != CHAR_MAX)
    CurrencyFormat =
        static_cast<Byte>((Conv->p_cs_precedes != 0 ? 0 : 1) + (Conv->p_sep_by_space != 0 ? 2 : 0));
  if (const auto Neg =
          NegativeCurrencyFormat(Conv->n_cs_precedes, Conv->n_sep_by_space, Conv->n_sign_posn))
    NegCurrFormat = *Neg;
}

void ReadDates(const TLocaleReader& R) {
  if (const auto Format = R.Pattern(D_FMT)) {
    if (const auto Separator = ShortDateSeparator(*Format)) {
      ShortDateFormat = *Format;
      DateSeparator = *Separator;
      // The C library has no long date pattern; build one in the same order.
      switch (Format->at(0)) {
      case 'd':
        LongDateFormat = "dddd, d MMMM yyyy";
        break;
      case 'y':
        LongDateFormat = "yyyy MMMM d, dddd";
        break;
      default:
        LongDateFormat = "dddd, MMMM dd, yyyy";
        break;
      }
    }
  }
  const nl_item Months[12] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                              MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
  const nl_item ShortMonths[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                   ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
  for (size_t I = 0; I < 12; ++I) {
    if (const auto Name = R.Info(Months[I]))
      LongMonthNames[I] = *Name;
    if (const auto Name = R.Info(ShortMonths[I]))
      ShortMonthNames[I] = *Name;
  }
  const nl_item Days[7] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
  const nl_item ShortDays[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
  for (size_t I = 0; I < 7; ++I) {
    if (const auto Name = R.Info(Days[I]))
      LongDayNames[I] = *Name;
    if (const auto Name = R.Info(ShortDays[I]))
      ShortDayNames[I] = *Name;
  }
}

void ReadTimes(const TLocaleReader& R) {
  if (const auto Am = R.Info(AM_STR))
    TimeAMString = *Am;
  if (const auto Pm = R.Info(PM_STR))
    TimePMString = *Pm;
  const auto Format = R.Pattern(T_FMT);
  // Hours, then one separator character, then minutes.
  if (!Format || Format->empty() || Format->at(0) != 'h')
    return;
  const int HourEnd = CharCount(*Format, Format->find_first_not_of('h'));
  if (HourEnd + 2 > Length(*Format) || Copy(*Format, HourEnd + 2, 1) != "n")
    return;
  LongTimeFormat = *Format;
  const std::string Separator = Copy(*Format, HourEnd + 1, 1);
  TimeSeparator = Utf8Decode(Separator)[0];
  ShortTimeFormat = LongTimeFormat;
  const auto Seconds = ShortTimeFormat.find(Separator + "s");
  if (Seconds != std::string::npos)
    ShortTimeFormat.erase(Seconds, ShortTimeFormat.find_first_not_of('s', Seconds + 1) - Seconds);
}

// The first day of the week: the C library counts it (from 1) from a day
// it names by its date, a Sunday in most locales.
void ReadWeek() {
  const int First = nl_langinfo(_NL_TIME_FIRST_WEEKDAY)[0];
  const auto Anchor =
      static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(nl_langinfo(_NL_TIME_WEEK_1STDAY)));
  TDateTime AnchorDate = 0;
  if (First < 1 || First > 7 ||
      !TryEncodeDate(static_cast<Word>(Anchor / 10000), static_cast<Word>(Anchor / 100 % 100),
                     static_cast<Word>(Anchor % 100), AnchorDate))
    return;
  FormatSettings.FirstDayOfWeek = (DayOfWeek(AnchorDate) - 1 + First - 1) % 7;
}

// The language of the library's own texts (the message catalog) from the
// locale of messages: German for de, English otherwise.
void ReadLanguage() {
  const char* Name = std::setlocale(LC_MESSAGES, nullptr);
  if (Name != nullptr && std::strncmp(Name, "de", 2) == 0 &&
      (Name[2] == '\0' || Name[2] == '_' || Name[2] == '.' || Name[2] == '@')) {
    SysLocale.PriLangID = 0x07;
    SysLocale.DefaultLCID = 0x0407;
  }
}

} // namespace

void LoadSystemLocale() {
  ResetLocale();
  // Read through the C library's global locale, then put back what was
  // there: the conversions of this library never depend on it, but other code
  // in the process may.
  const char* Current = std::setlocale(LC_ALL, nullptr);
  const std::string Previous = Current != nullptr ? Current : "C";
  if (std::setlocale(LC_ALL, "") == nullptr)
    return;
  const TLocaleReader Reader;
  ReadNumbers(Reader);
  ReadDates(Reader);
  ReadTimes(Reader);
  ReadWeek();
  ReadLanguage();
  FormatSettings.LocaleCurrency = true;
  std::setlocale(LC_ALL, Previous.c_str());
}

} // namespace vcl
