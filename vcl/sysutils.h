// Run-time core: the basic types, exceptions, UTF-8 text and its 1-based
// string helpers, locale settings, the replaceable clock and the text
// conversions that every unit of the library relies on. Texts are std::string
// holding UTF-8; positions in the helpers below count characters from 1.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <exception>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace vcl {

using Byte = std::uint8_t;
using Word = std::uint16_t;
using Cardinal = std::uint32_t;
using Extended = long double;
using TDateTime = double; // days since 30 December 1899; the fraction is the time of day
using TShortCut = std::uint16_t;

// ---------------------------------------------------------------------------
// UTF-8 text. Every text is UTF-8 and a character is a Unicode code point. A
// byte sequence that is not well-formed UTF-8 reads as U+FFFD, one character
// for each maximal ill-formed part (the Unicode standard's recommended
// practice), so every routine below agrees on where characters start and
// none ever splits a well-formed character.

constexpr char32_t ReplacementChar = 0xFFFD;

// Whether a character message types Key into a text: every character but
// the C0 and C1 control codes, which Backspace, Enter, Escape, Tab and the
// Ctrl+letter keys make. The invisible joiners of emoji sequences are typed.
constexpr bool IsTypedChar(char32_t Key) {
  return Key >= 32 && !(Key >= 127 && Key < 0xA0);
}

// The character that starts at byte Offset of S (Offset < S.size()); Offset
// moves past it.
char32_t Utf8Decode(std::string_view S, std::size_t& Offset);
std::u32string Utf8Decode(std::string_view S);
// The UTF-8 form of Ch; a surrogate or a value past U+10FFFF gives U+FFFD.
std::string Utf8Encode(char32_t Ch);
std::string Utf8Encode(std::u32string_view S);
void Utf8Append(std::string& S, char32_t Ch);
// Byte offset at which character Index (from 1) starts: 0 for Index below 1,
// S.size() for Index past the last character.
std::size_t CharOffset(std::string_view S, int Index);
// The number of characters that start before byte Offset.
int CharCount(std::string_view S, std::size_t Offset);
bool IsValidUtf8(std::string_view S);
// Whether every byte of S is ASCII, so that bytes and characters coincide.
bool IsAscii(std::string_view S);
// S with every ill-formed part replaced by U+FFFD; the character count stays.
std::string RepairUtf8(std::string_view S);
// The canonical composition (NFC): e + U+0301 becomes U+00E9.
std::string NormalizeNFC(const std::string& S);

// User-perceived characters (grapheme clusters: a letter with its combining
// marks, an emoji sequence). Positions count characters before them, from 0
// to Length(S).
bool IsGraphemeBoundary(const std::string& S, int Pos);
int NextGraphemeBoundary(const std::string& S, int Pos);  // Length(S) at the end
int PriorGraphemeBoundary(const std::string& S, int Pos); // 0 at the start
// The first Count characters of S, or fewer where character Count + 1 belongs
// to the same user-perceived character as character Count: a cut never
// leaves half a letter with its accent or half an emoji.
std::string CutToLength(const std::string& S, int Count);

// Character classes by the Unicode general category.
bool IsLetter(char32_t Ch);    // the letter categories L*
bool IsDigit(char32_t Ch);     // decimal digits of any script (Nd)
bool IsPrintable(char32_t Ch); // a visible mark or a space: no control or format character
bool IsGraphic(char32_t Ch);   // a visible mark: printable and not a blank
// Simple case mapping, one character to one: AnsiUpCase(U'\u00E4') is U+00C4,
// the sharp s has no one-character capital and stays.
char32_t AnsiUpCase(char32_t Ch);
char32_t AnsiLowCase(char32_t Ch);
// Simple case folding, for comparisons that ignore case: every letter of any
// script, one character to one, so the character count stays.
std::string FoldCase(const std::string& S);

// ---------------------------------------------------------------------------
// 1-based string helpers. Positions and counts are characters (code points).

int Length(const std::string& S);
// Count characters from Index; an Index below 1 counts from the first
// character, a Count running past the end stops there, Count <= 0 gives "".
std::string Copy(const std::string& S, int Index, int Count);
// Position of the first occurrence of Substr in S, 0 when absent or empty.
int Pos(const std::string& Substr, const std::string& S);
int Pos(char32_t Ch, const std::string& S);
// Removes Count characters from Index; out-of-range requests remove nothing
// (Index outside 1..Length) or stop at the end.
void Delete(std::string& S, int Index, int Count);
// Inserts Source before position Index; Index below 1 inserts at the front,
// beyond the end appends.
void Insert(const std::string& Source, std::string& S, int Index);
std::string StringOfChar(char32_t Ch, int Count);

std::string UpperCase(const std::string& S);                   // ASCII letters only
std::string LowerCase(const std::string& S);                   // ASCII letters only
char UpCase(char Ch);                                          // ASCII letters only
int CompareStr(const std::string& S1, const std::string& S2);  // code point order
int CompareText(const std::string& S1, const std::string& S2); // ASCII case-insensitive
bool SameText(const std::string& S1, const std::string& S2);
// The locale's collation, ignoring case (AnsiCompareText) or not
// (AnsiCompareStr). AnsiCompareText answers 0 exactly when the texts are
// equal after case folding (AnsiSameText), so a list sorted with it and
// searched with it agree.
int AnsiCompareText(const std::string& S1, const std::string& S2);
int AnsiCompareStr(const std::string& S1, const std::string& S2);
bool AnsiSameText(const std::string& S1, const std::string& S2);
// Every letter with a simple case mapping (AnsiUpCase, AnsiLowCase).
std::string AnsiUpperCase(const std::string& S);
std::string AnsiLowerCase(const std::string& S);
std::string Trim(const std::string& S); // removes characters <= ' ' at both ends
std::string TrimLeft(const std::string& S);
std::string TrimRight(const std::string& S);
std::string QuotedStr(const std::string& S);
enum TTextLineBreakStyle : std::uint8_t { tlbsLF, tlbsCRLF };
// S with every line break (CR LF, a lone CR, a lone LF) written in Style:
// CR LF (tlbsCRLF) or LF alone (tlbsLF). Our message texts may break lines
// with a lone CR; programs of other toolkits want LF.
std::string AdjustLineBreaks(const std::string& S, TTextLineBreakStyle Style = tlbsCRLF);
// Code page 1252, the single-byte character set of texts written by earlier
// versions. Every byte has a code point (the five the code page leaves
// undefined stand for the C1 controls of the same value) and back; a code
// point outside the code page has no byte (-1).
char32_t Cp1252ToUnicode(char Ch);
int UnicodeToCp1252(char32_t Code);
std::string Cp1252ToUtf8(std::string_view S);
// The code page form of a UTF-8 text; false, with Out unspecified, when a
// character has none.
bool Utf8ToCp1252(std::string_view S, std::string& Out);

// ---------------------------------------------------------------------------
// Exceptions

class Exception : public std::exception {
public:
  explicit Exception(std::string Msg);
  const std::string& Message() const { return FMessage; }
  void SetMessage(std::string Msg) { FMessage = std::move(Msg); }
  const char* what() const noexcept override { return FMessage.c_str(); }

private:
  std::string FMessage;
};

#define VCL_EXCEPTION(Name, Base)                                                                  \
  class Name : public Base {                                                                       \
  public:                                                                                          \
    using Base::Base;                                                                              \
  }

VCL_EXCEPTION(EAbort, Exception);
VCL_EXCEPTION(EConvertError, Exception);
VCL_EXCEPTION(EInvalidOperation, Exception);
VCL_EXCEPTION(EReadError, Exception);
VCL_EXCEPTION(EWriteError, Exception);
VCL_EXCEPTION(EListError, Exception);
VCL_EXCEPTION(EStringListError, Exception);
VCL_EXCEPTION(EVariantError, Exception);
VCL_EXCEPTION(EMathError, Exception);
VCL_EXCEPTION(EZeroDivide, EMathError);
VCL_EXCEPTION(EOverflow, EMathError);
VCL_EXCEPTION(EInvalidOp, EMathError);
VCL_EXCEPTION(EIntError, Exception);
VCL_EXCEPTION(EDivByZero, EIntError);
VCL_EXCEPTION(ERangeError, EIntError);

// Declares an unscoped enumeration with a fixed underlying type and, from the
// same one list, the names of its values, which form files and property
// editors read (vcl::DeclareEnum):
//   VCL_ENUM(TFilterType, std::uint8_t, ftValidChars, ftInvalidChars);
// is enum TFilterType : std::uint8_t { ftValidChars, ftInvalidChars }; with
// EnumValueNames(TFilterType()) == "ftValidChars, ftInvalidChars" beside it.
// The values are numbered from 0 in their order.
#define VCL_ENUM(Name, Underlying, ...)                                                            \
  enum Name : Underlying { __VA_ARGS__ };                                                          \
  constexpr std::string_view EnumValueNames(Name) {                                                \
    return #__VA_ARGS__;                                                                           \
  }

// Raises the silent exception that ends an operation without a message.
[[noreturn]] void Abort();

// ---------------------------------------------------------------------------
// Currency: a fixed-point amount held as the value times 10000.

class Currency {
public:
  constexpr Currency() = default;
  constexpr Currency(int Value) : FValue(static_cast<std::int64_t>(Value) * 10000) {}
  // Rounds to the nearest 1/10000, halves to even as the classic FPU store does;
  // raises EConvertError outside the range (see FloatToCurr).
  explicit Currency(double Value);
  static constexpr Currency FromRaw(std::int64_t Raw) {
    Currency C;
    C.FValue = Raw;
    return C;
  }
  constexpr std::int64_t Raw() const { return FValue; }
  double ToDouble() const { return static_cast<double>(FValue) / 10000.0; }
  Extended ToExtended() const { return static_cast<Extended>(FValue) / 10000.0L; }

  constexpr auto operator<=>(const Currency&) const = default;
  constexpr Currency operator-() const { return FromRaw(-FValue); }
  constexpr Currency operator+(Currency B) const { return FromRaw(FValue + B.FValue); }
  constexpr Currency operator-(Currency B) const { return FromRaw(FValue - B.FValue); }

private:
  std::int64_t FValue = 0;
};

// ---------------------------------------------------------------------------
// Locale settings. TFormatSettings holds them as one value, in the classic
// shape; a new one holds the US English defaults. The conversions below that
// depend on the locale take one as their last argument; without it they use
// FormatSettings, the process-wide settings, whose fields the variables
// DecimalSeparator, ShortDateFormat, ... name one by one. Code converting on
// several threads gives each thread its own TFormatSettings. ResetLocale
// restores the defaults; LoadSystemLocale reads the process locale
// (applications call it, tests do not).

struct TSysLocale {
  int DefaultLCID = 0x0409;
  int PriLangID = 0x09;
  int SubLangID = 0x01;
  bool FarEast = false;
  bool MiddleEast = false;
};

// The separators are one character (code point) each, any character: the
// French group separator is U+202F, the Arabic decimal separator U+066B. A
// ThousandSeparator of 0 means no grouping.
struct TFormatSettings {
  char32_t DecimalSeparator = '.';
  char32_t ThousandSeparator = ',';
  std::string CurrencyString = "$";
  Byte CurrencyFormat = 0; // 0 '$1', 1 '1$', 2 '$ 1', 3 '1 $'
  Byte NegCurrFormat = 0;  // 0 '($1)' ... 15, as the classic settings number them
  Byte CurrencyDecimals = 2;
  char32_t DateSeparator = '/';
  std::string ShortDateFormat = "M/d/yy";
  std::string LongDateFormat = "dddd, MMMM dd, yyyy";
  char32_t TimeSeparator = ':';
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::string ShortTimeFormat = "h:mm AMPM";
  std::string LongTimeFormat = "h:mm:ss AMPM";
  std::array<std::string, 12> ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames = {"January",   "February", "March",    "April",
                                                "May",       "June",     "July",     "August",
                                                "September", "October",  "November", "December"};
  std::array<std::string, 7> ShortDayNames = {"Sun", "Mon", "Tue", "Wed",
                                              "Thu", "Fri", "Sat"}; // Sunday first
  std::array<std::string, 7> LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
  // How a two-digit year is read: 0 puts it in the current century; N > 0
  // puts it within the 100 years that start N years before the current one
  // (with 50 in 2026, 98 is 1998 and 12 is 2012).
  Word TwoDigitYearCenturyWindow = 0;
  // The first day of a calendar week, 0 (Sunday) to 6 (Saturday).
  int FirstDayOfWeek = 0;
  // Whether the number displays of the validators follow the locale: its
  // CurrencyString, CurrencyFormat and NegCurrFormat, and its
  // ThousandSeparator, instead of a fixed '$' and ','. LoadSystemLocale sets
  // it.
  bool LocaleCurrency = false;
};

extern TFormatSettings FormatSettings;
extern char32_t& DecimalSeparator;
extern char32_t& ThousandSeparator;
extern std::string& CurrencyString;
extern Byte& CurrencyFormat;
extern Byte& NegCurrFormat;
extern Byte& CurrencyDecimals;
extern char32_t& DateSeparator;
extern std::string& ShortDateFormat;
extern std::string& LongDateFormat;
extern char32_t& TimeSeparator;
extern std::string& TimeAMString;
extern std::string& TimePMString;
extern std::string& ShortTimeFormat;
extern std::string& LongTimeFormat;
extern std::array<std::string, 12>& ShortMonthNames;
extern std::array<std::string, 12>& LongMonthNames;
extern std::array<std::string, 7>& ShortDayNames;
extern std::array<std::string, 7>& LongDayNames;
extern Word& TwoDigitYearCenturyWindow;
extern TSysLocale SysLocale;

void ResetLocale();
void LoadSystemLocale();

// ---------------------------------------------------------------------------
// Clock

using TNowFunction = std::function<TDateTime()>;
// Installs a clock and returns the previous one; an empty function restores
// the system clock.
TNowFunction SetNowFunction(TNowFunction Fn);
TDateTime Now();
TDateTime Date(); // today, no time part
TDateTime Time(); // now, no date part

// ---------------------------------------------------------------------------
// Dates and times

bool IsLeapYear(Word Year);
// The days of Month (1 to 12) in Year; 0 for a month that does not exist.
Word DaysInAMonth(Word Year, Word Month);
// Raises EConvertError for an impossible date or time.
TDateTime EncodeDate(Word Year, Word Month, Word Day);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Result);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Result);
void DecodeDate(TDateTime Date, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime Time, Word& Hour, Word& Min, Word& Sec, Word& MSec);
int DayOfWeek(TDateTime Date); // 1 = Sunday; 0 for values no calendar holds

std::string DateToStr(TDateTime Date);         // ShortDateFormat
std::string TimeToStr(TDateTime Time);         // LongTimeFormat
std::string DateTimeToStr(TDateTime DateTime); // date, then the time when it is not midnight
std::string FormatDateTime(const std::string& Format, TDateTime DateTime);
std::string DateToStr(TDateTime Date, const TFormatSettings& Settings);
std::string TimeToStr(TDateTime Time, const TFormatSettings& Settings);
std::string DateTimeToStr(TDateTime DateTime, const TFormatSettings& Settings);
std::string FormatDateTime(const std::string& Format, TDateTime DateTime,
                           const TFormatSettings& Settings);
// Texts in the order of ShortDateFormat; a two-digit year is read as
// ExpandTwoDigitYear reads it.
// The StrTo forms raise EConvertError; the TryStrTo forms answer false and
// leave Value alone, for callers that only want to know whether a text reads.
TDateTime StrToDate(const std::string& S);
// The full year a two-digit year Year (0 to 99) stands for in CurrentYear,
// by the settings' TwoDigitYearCenturyWindow.
Word ExpandTwoDigitYear(Word Year, Word CurrentYear, const TFormatSettings& Settings);
// The date that the three numbers of a date text stand for, as StrToDate
// reads them: in the order of ShortDateFormat, a year of at most two digits
// (Digits counts each number's) expanded as above. False for no such date.
bool TryEncodeDateNumbers(const int Numbers[3], const int Digits[3],
                          const TFormatSettings& Settings, TDateTime& Result);
TDateTime StrToTime(const std::string& S);
TDateTime StrToDateTime(const std::string& S);
bool TryStrToDate(const std::string& S, TDateTime& Value);
bool TryStrToTime(const std::string& S, TDateTime& Value);
bool TryStrToDateTime(const std::string& S, TDateTime& Value);
TDateTime StrToDate(const std::string& S, const TFormatSettings& Settings);
TDateTime StrToTime(const std::string& S, const TFormatSettings& Settings);
TDateTime StrToDateTime(const std::string& S, const TFormatSettings& Settings);
bool TryStrToDate(const std::string& S, TDateTime& Value, const TFormatSettings& Settings);
bool TryStrToTime(const std::string& S, TDateTime& Value, const TFormatSettings& Settings);
bool TryStrToDateTime(const std::string& S, TDateTime& Value, const TFormatSettings& Settings);

// ---------------------------------------------------------------------------
// Numbers

std::string IntToStr(std::int64_t Value);
std::string IntToHex(std::int64_t Value, int Digits);
// Blanks, an optional sign, then decimal digits or '$' and hexadecimal digits;
// the value must fit 32 bits. Raises EConvertError "'x' is not a valid integer value".
int StrToInt(const std::string& S);
int StrToIntDef(const std::string& S, int Default);
bool TryStrToInt(const std::string& S, int& Value);

enum TFloatFormat : std::uint8_t { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// Amount (digits and separators, no sign) with the currency symbol and the
// sign placed as CurrencyFormat and NegCurrFormat number them: "$1.50",
// "(1.234,50 €)".
std::string CurrencyAmountText(const std::string& Amount, bool Negative,
                               const TFormatSettings& Settings);

// Surrounding blanks, a sign, DecimalSeparator and an exponent are accepted.
// Raises EConvertError "'x' is not a valid floating point value".
Extended StrToFloat(const std::string& S);
bool TryStrToFloat(const std::string& S, Extended& Value);
std::string FloatToStr(Extended Value); // ffGeneral, 15 digits
std::string FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits);
Extended StrToFloat(const std::string& S, const TFormatSettings& Settings);
bool TryStrToFloat(const std::string& S, Extended& Value, const TFormatSettings& Settings);
std::string FloatToStr(Extended Value, const TFormatSettings& Settings);
std::string FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits,
                        const TFormatSettings& Settings);

// StrToFloat, then FloatToCurr; both failures read "'x' is not a valid floating point value".
Currency StrToCurr(const std::string& S);
bool TryStrToCurr(const std::string& S, Currency& Value);
std::string CurrToStr(Currency Value); // the general format, all 19 digits
Currency StrToCurr(const std::string& S, const TFormatSettings& Settings);
bool TryStrToCurr(const std::string& S, Currency& Value, const TFormatSettings& Settings);
std::string CurrToStr(Currency Value, const TFormatSettings& Settings);
// Raises EConvertError "'x' is not a valid currency value" outside the int64 range.
Currency FloatToCurr(Extended Value);

// ---------------------------------------------------------------------------
// Format: %d %u %x %s %f %e %g %n %m with optional index, '-', width and
// precision. Arguments are values only: an argument is never read as a pattern.
// A mismatch between a directive and its argument raises EConvertError.

class TVarRec {
public:
  enum TKind : std::uint8_t { vtInteger, vtInt64, vtExtended, vtString, vtChar, vtCurrency };
  TVarRec(int V) : FKind(vtInteger), FInt(V) {}
  TVarRec(unsigned V) : FKind(vtInt64), FInt(V) {}
  TVarRec(long V) : FKind(vtInt64), FInt(V) {}
  TVarRec(long long V) : FKind(vtInt64), FInt(V) {}
  TVarRec(double V) : FKind(vtExtended), FFloat(V) {}
  TVarRec(long double V) : FKind(vtExtended), FFloat(V) {}
  TVarRec(char V) : FKind(vtChar), FString(1, V) {}
  TVarRec(const char* V) : FKind(vtString), FString(V) {}
  TVarRec(std::string V) : FKind(vtString), FString(std::move(V)) {}
  TVarRec(Currency V) : FKind(vtCurrency), FInt(V.Raw()) {}

  TKind Kind() const { return FKind; }
  std::int64_t AsInt() const { return FInt; }
  Extended AsFloat() const { return FFloat; }
  const std::string& AsString() const { return FString; }

private:
  TKind FKind;
  std::int64_t FInt = 0;
  Extended FFloat = 0;
  std::string FString;
};

std::string Format(const std::string& Fmt, std::initializer_list<TVarRec> Args = {});
std::string Format(const std::string& Fmt, std::initializer_list<TVarRec> Args,
                   const TFormatSettings& Settings);

// ---------------------------------------------------------------------------
// Variant: empty, null, or one typed value.

enum TVarType : std::uint8_t {
  varEmpty,
  varNull,
  varInteger,
  varDouble,
  varCurrency,
  varDate,
  varBoolean,
  varString
};

class Variant {
public:
  Variant() = default;
  Variant(int V);
  Variant(double V);
  Variant(Currency V);
  Variant(bool V);
  Variant(const char* V);
  Variant(std::string V);
  static Variant Null();
  static Variant FromDate(TDateTime V);

  TVarType VarType() const { return FType; }
  bool operator==(const Variant& Other) const;

  // Conversions as the classic variant does them: strings are parsed, numbers
  // formatted; impossible ones raise EVariantError or EConvertError.
  int AsInteger() const;
  double AsFloat() const;
  Currency AsCurrency() const;
  TDateTime AsDateTime() const;
  bool AsBoolean() const;
  std::string AsString() const;

private:
  TVarType FType = varEmpty;
  std::int64_t FInt = 0;
  double FFloat = 0;
  std::string FString;
};

std::string VarToStr(const Variant& V); // empty and null give ''
bool VarIsNull(const Variant& V);
bool VarIsEmpty(const Variant& V);
TVarType VarType(const Variant& V);

} // namespace vcl
