// Floating point text conversions: reading with the locale's decimal
// separator, and the classic display formats (general, exponent, fixed,
// number, currency) built on a decimal digit record.
#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

#include "vcl/sysutils/detail/floatrec.h"

namespace vcl {

namespace {

// The C library's number routines follow LC_NUMERIC, which a GUI toolkit or
// LoadSystemLocale may have switched; the conversions here always need '.'.
locale_t CLocale() {
  static const locale_t Locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return Locale;
}

class TCLocaleScope {
public:
  TCLocaleScope() : FPrevious(uselocale(CLocale())) {}
  ~TCLocaleScope() { uselocale(FPrevious); }
  TCLocaleScope(const TCLocaleScope&) = delete;
  TCLocaleScope& operator=(const TCLocaleScope&) = delete;

private:
  locale_t FPrevious;
};

bool IsDigit(char Ch) {
  return Ch >= '0' && Ch <= '9';
}

} // namespace

std::string CurrencyAmountText(const std::string& Amount, bool Negative,
                               const TFormatSettings& Settings) {
  const std::string& C = Settings.CurrencyString;
  if (!Negative) {
    switch (Settings.CurrencyFormat) {
    case 1:
      return Amount + C;
    case 2:
      return C + " " + Amount;
    case 3:
      return Amount + " " + C;
    default:
      return C + Amount;
    }
  }
  switch (Settings.NegCurrFormat) {
  case 1:
    return "-" + C + Amount;
  case 2:
    return C + "-" + Amount;
  case 3:
    return C + Amount + "-";
  case 4:
    return "(" + Amount + C + ")";
  case 5:
    return "-" + Amount + C;
  case 6:
    return Amount + "-" + C;
  case 7:
    return Amount + C + "-";
  case 8:
    return "-" + Amount + " " + C;
  case 9:
    return "-" + C + " " + Amount;
  case 10:
    return Amount + " " + C + "-";
  case 11:
    return C + " " + Amount + "-";
  case 12:
    return C + " -" + Amount;
  case 13:
    return Amount + "- " + C;
  case 14:
    return "(" + C + " " + Amount + ")";
  case 15:
    return "(" + Amount + " " + C + ")";
  default:
    return "(" + C + Amount + ")";
  }
}

bool TryStrToFloat(const std::string& S, Extended& Value, const TFormatSettings& Settings) {
  // Checks the classic shape and builds a copy strtold can read without
  // surprises: [blanks] [sign] digits [sep digits] [E [sign] digits] [blanks].
  const int Len = static_cast<int>(S.size()); // a scan of ASCII syntax, byte by byte
  int I = 1;
  while (I <= Len && S[I - 1] == ' ')
    ++I;
  std::string Normal;
  if (I <= Len && (S[I - 1] == '+' || S[I - 1] == '-'))
    Normal += S[I++ - 1];
  int MantissaDigits = 0;
  while (I <= Len && IsDigit(S[I - 1])) {
    Normal += S[I++ - 1];
    ++MantissaDigits;
  }
  // The separator may be any character, so it is matched by its bytes.
  const std::string Decimal = Utf8Encode(Settings.DecimalSeparator);
  if (I <= Len && S.compare(static_cast<size_t>(I - 1), Decimal.size(), Decimal) == 0) {
    Normal += '.';
    I += static_cast<int>(Decimal.size());
    while (I <= Len && IsDigit(S[I - 1])) {
      Normal += S[I++ - 1];
      ++MantissaDigits;
    }
  }
  if (MantissaDigits == 0)
    return false;
  if (I <= Len && (S[I - 1] == 'E' || S[I - 1] == 'e')) {
    Normal += 'E';
    ++I;
    if (I <= Len && (S[I - 1] == '+' || S[I - 1] == '-'))
      Normal += S[I++ - 1];
    int ExponentDigits = 0;
    while (I <= Len && IsDigit(S[I - 1])) {
      Normal += S[I++ - 1];
      ++ExponentDigits;
    }
    if (ExponentDigits == 0)
      return false;
  }
  while (I <= Len && S[I - 1] == ' ')
    ++I;
  if (I <= Len)
    return false;
  errno = 0;
  const Extended Parsed = strtold_l(Normal.c_str(), nullptr, CLocale());
  // An overflow is an error; an underflow quietly gives the nearest tiny value.
  if (errno == ERANGE && std::isinf(Parsed))
    return false;
  Value = Parsed;
  return true;
}

Extended StrToFloat(const std::string& S, const TFormatSettings& Settings) {
  Extended Value = 0;
  if (!TryStrToFloat(S, Value, Settings))
    throw EConvertError("'" + S + "' is not a valid floating point value");
  return Value;
}

std::string FloatToStr(Extended Value, const TFormatSettings& Settings) {
  return FloatToStrF(Value, ffGeneral, 15, 0, Settings);
}

std::string FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits,
                        const TFormatSettings& Settings) {
  return detail::FloatRecToText(detail::FloatToDecimal(Value), Format, Precision, Digits, 18,
                                Settings);
}

bool TryStrToFloat(const std::string& S, Extended& Value) {
  return TryStrToFloat(S, Value, FormatSettings);
}

Extended StrToFloat(const std::string& S) {
  return StrToFloat(S, FormatSettings);
}

std::string FloatToStr(Extended Value) {
  return FloatToStr(Value, FormatSettings);
}

std::string FloatToStrF(Extended Value, TFloatFormat Format, int Precision, int Digits) {
  return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}

namespace detail {

namespace {

void StripTrailingZeros(TFloatRec& Rec) {
  while (!Rec.Digits.empty() && Rec.Digits.back() == '0')
    Rec.Digits.pop_back();
  if (Rec.Digits.empty()) {
    Rec.Exponent = 0;
    Rec.Negative = false;
  }
}

// Keeps at most Count significant digits, rounding the digit string half away
// from zero; a Count below zero leaves zero.
void RoundDigits(TFloatRec& Rec, int Count) {
  if (Count >= Length(Rec.Digits))
    return;
  if (Count < 0) {
    Rec.Digits.clear();
    StripTrailingZeros(Rec);
    return;
  }
  const bool Up = Rec.Digits[static_cast<size_t>(Count)] >= '5';
  Rec.Digits.resize(static_cast<size_t>(Count));
  if (Up) {
    int I = Count - 1;
    while (I >= 0 && Rec.Digits[static_cast<size_t>(I)] == '9')
      Rec.Digits[static_cast<size_t>(I--)] = '0';
    if (I >= 0) {
      ++Rec.Digits[static_cast<size_t>(I)];
    } else {
      Rec.Digits.insert(Rec.Digits.begin(), '1');
      ++Rec.Exponent;
    }
  }
  StripTrailingZeros(Rec);
}

char DigitAt(const TFloatRec& Rec, int Index) {
  return Index >= 0 && Index < Length(Rec.Digits) ? Rec.Digits[static_cast<size_t>(Index)] : '0';
}

// The integer digits, grouped by three with Separator unless it is empty.
std::string IntegerPart(const TFloatRec& Rec, const std::string& Separator) {
  if (Rec.Exponent <= 0)
    return "0";
  std::string Result;
  for (int I = 0; I < Rec.Exponent; ++I) {
    if (!Separator.empty() && I > 0 && (Rec.Exponent - I) % 3 == 0)
      Result += Separator;
    Result += DigitAt(Rec, I);
  }
  return Result;
}

std::string FractionPart(const TFloatRec& Rec, int Decimals) {
  std::string Result;
  for (int I = 0; I < Decimals; ++I)
    Result += DigitAt(Rec, Rec.Exponent + I);
  return Result;
}

// 'E', the sign ('+' only when ForceSign) and at least MinDigits digits.
std::string ExponentText(int Exponent, bool ForceSign, int MinDigits) {
  std::string Result = "E";
  if (Exponent < 0)
    Result += '-';
  else if (ForceSign)
    Result += '+';
  std::string Number = std::to_string(std::abs(Exponent));
  if (Length(Number) < MinDigits)
    Number.insert(0, static_cast<size_t>(MinDigits - Length(Number)), '0');
  return Result + Number;
}

std::string Signed(const TFloatRec& Rec, std::string Text) {
  return Rec.Negative ? "-" + Text : Text;
}

std::string GeneralText(TFloatRec Rec, int Precision, int Digits, const std::string& Decimal) {
  RoundDigits(Rec, Precision);
  if (Rec.Digits.empty())
    return "0";
  if (Rec.Exponent > Precision || Rec.Exponent < -3) {
    std::string Text(1, Rec.Digits[0]);
    if (Length(Rec.Digits) > 1)
      Text += Decimal + Rec.Digits.substr(1);
    return Signed(Rec, Text + ExponentText(Rec.Exponent - 1, false, std::clamp(Digits, 0, 4)));
  }
  const int Decimals = std::max(Length(Rec.Digits) - Rec.Exponent, 0);
  std::string Text = IntegerPart(Rec, "");
  if (Decimals > 0)
    Text += Decimal + FractionPart(Rec, Decimals);
  return Signed(Rec, Text);
}

std::string ExponentFormatText(TFloatRec Rec, int Precision, int Digits,
                               const std::string& Decimal) {
  RoundDigits(Rec, Precision);
  const int Exponent = Rec.Digits.empty() ? 0 : Rec.Exponent - 1;
  std::string Text(1, DigitAt(Rec, 0));
  if (Precision > 1) {
    Text += Decimal;
    for (int I = 1; I < Precision; ++I)
      Text += DigitAt(Rec, I);
  }
  return Signed(Rec, Text + ExponentText(Exponent, true, std::clamp(Digits, 0, 4)));
}

} // namespace

TFloatRec FloatToDecimal(Extended Value) {
  TFloatRec Rec;
  if (std::isnan(Value)) {
    Rec.Kind = TFloatRec::fkNaN;
    return Rec;
  }
  Rec.Negative = std::signbit(Value);
  if (std::isinf(Value)) {
    Rec.Kind = TFloatRec::fkInf;
    return Rec;
  }
  if (Value == 0) {
    Rec.Negative = false;
    return Rec;
  }
  // "%.17Le" gives d.ddddddddddddddddde[+-]x: 18 significant digits, rounded
  // correctly by the C library.
  char Buffer[64];
  {
    TCLocaleScope Scope;
    std::snprintf(Buffer, sizeof Buffer, "%.17Le", std::fabs(Value));
  }
  const std::string Text = Buffer;
  const auto E = Text.find('e');
  Rec.Digits = Text.substr(0, 1) + Text.substr(2, E - 2);
  Rec.Exponent = std::atoi(Text.c_str() + E + 1) + 1;
  StripTrailingZeros(Rec);
  return Rec;
}

TFloatRec CurrToDecimal(Currency Value) {
  TFloatRec Rec;
  const std::int64_t Raw = Value.Raw();
  if (Raw == 0)
    return Rec;
  Rec.Negative = Raw < 0;
  // The magnitude of the most negative amount does not fit int64.
  const std::uint64_t Magnitude =
      Rec.Negative ? 0 - static_cast<std::uint64_t>(Raw) : static_cast<std::uint64_t>(Raw);
  Rec.Digits = std::to_string(Magnitude);
  Rec.Exponent = Length(Rec.Digits) - 4;
  StripTrailingZeros(Rec);
  return Rec;
}

std::string FloatRecToText(const TFloatRec& Rec, TFloatFormat Format, int Precision, int Digits,
                           int MaxPrecision, const TFormatSettings& Settings) {
  const std::string Decimal = Utf8Encode(Settings.DecimalSeparator);
  if (Rec.Kind == TFloatRec::fkNaN)
    return "NAN";
  if (Rec.Kind == TFloatRec::fkInf)
    return Rec.Negative ? "-INF" : "INF";
  Precision = std::clamp(Precision, 1, MaxPrecision);
  switch (Format) {
  case ffExponent:
    return ExponentFormatText(Rec, Precision, Digits, Decimal);
  case ffFixed:
  case ffNumber:
  case ffCurrency: {
    Digits = std::clamp(Digits, 0, 18);
    TFloatRec Rounded = Rec;
    RoundDigits(Rounded, std::min(Precision, Rounded.Exponent + Digits));
    // Too many integer digits to show at this precision: the general format
    // says it with an exponent instead of inventing digits.
    if (Rounded.Exponent > Precision)
      return GeneralText(Rec, Precision, 0, Decimal);
    const std::string Group = Format == ffFixed || Settings.ThousandSeparator == 0
                                  ? std::string()
                                  : Utf8Encode(Settings.ThousandSeparator);
    std::string Text = IntegerPart(Rounded, Group);
    if (Digits > 0)
      Text += Decimal + FractionPart(Rounded, Digits);
    if (Format == ffCurrency)
      return CurrencyAmountText(Text, Rounded.Negative, Settings);
    return Signed(Rounded, Text);
  }
  default:
    return GeneralText(Rec, Precision, Digits, Decimal);
  }
}

} // namespace detail

} // namespace vcl
