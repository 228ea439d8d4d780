// The float and currency validators.
#include "validate/float.h"

#include <algorithm>

#include "textman/textman.h"
#include "vcl/sysutils.h"

namespace Validate {

namespace {

std::string Digits(std::uint8_t Precision) {
  return vcl::IntToStr(Precision);
}

// Whether S starts with a 0 that a second character follows, other than the
// decimal separator Sep.
bool LeadingZero(const std::string& S, char32_t Sep) {
  return vcl::Length(S) > 1 && S[0] == '0' && vcl::Utf8Decode(vcl::Copy(S, 2, 1))[0] != Sep;
}

} // namespace

TCustomFloatValidator::TCustomFloatValidator(vcl::TObject* AOwner)
    : TCustomFilterValidator(AOwner) {
  StoreFilterChars("0123456789" + vcl::Utf8Encode(FormatSettings().DecimalSeparator));
  // The locale's count is taken as it is, beyond the limit SetPrecision keeps.
  FPrecision = FormatSettings().CurrencyDecimals;
  SetNoBounds(true);
}

void TCustomFloatValidator::GetFilter() {
  std::string Chars = "0123456789" + vcl::Utf8Encode(FormatSettings().DecimalSeparator);
  if (FNoBounds || FMin < 0 || FMax < 0)
    Chars += '-';
  StoreFilterChars(Chars);
}

void TCustomFloatValidator::FormatSettingsChanged() {
  GetFilter();
}

void TCustomFloatValidator::SetMax(double Value) {
  const bool Switched = SwitchBoundsOn(*this, FNoBounds);
  if (StoreMax(FMax, FMin, Value) || Switched) {
    GetFilter();
    Change();
  }
}

void TCustomFloatValidator::SetMin(double Value) {
  const bool Switched = SwitchBoundsOn(*this, FNoBounds);
  if (StoreMin(FMin, FMax, Value) || Switched) {
    GetFilter();
    Change();
  }
}

void TCustomFloatValidator::SetNoBounds(bool Value) {
  if (Value == FNoBounds)
    return;
  FNoBounds = Value;
  GetFilter();
}

void TCustomFloatValidator::SetPrecision(std::uint8_t Value) {
  if (Value == FPrecision)
    return;
  FPrecision = std::min<std::uint8_t>(Value, 15);
  Change();
}

bool TCustomFloatValidator::IsValidInput(std::string& S, bool) {
  const char32_t Sep = FormatSettings().DecimalSeparator;
  // A typed blank stands for the decimal separator. The locale's separator is
  // written rather than a fixed full stop, so that under a ',' locale the
  // blank still gives a decimal, as the input-error message assumes it does.
  TextMan::ReplaceFirstChar(' ', Sep, S);
  if (!CharsPass(S))
    return false;
  if (!FLeadingZeros && LeadingZero(S, Sep))
    return false;
  const int Minus = vcl::Pos('-', S);
  if (Minus > 0 && (Minus != 1 || TextMan::CharOccurrence('-', S, 2) != 0))
    return false;
  if (TextMan::CharOccurrence(Sep, S, 2) != 0)
    return false;
  const int P = vcl::Pos(Sep, S);
  if (P > 0 && (FPrecision == 0 || vcl::Length(S) - P > FPrecision))
    return false;
  return true;
}

bool TCustomFloatValidator::IsValid(std::string S) {
  vcl::Extended Converted = 0;
  if (!vcl::TryStrToFloat(S, Converted, FormatSettings()))
    return S.empty();
  if (FNoBounds)
    return true;
  // The bounds are doubles: comparing the wider converted value with them
  // would refuse a text that spells a bound exactly ('0.1' against Min 0.1).
  const double Value = static_cast<double>(Converted);
  return FMin <= Value && Value <= FMax;
}

void TCustomFloatValidator::SetText(std::string& S) {
  const int P = vcl::Pos(FormatSettings().DecimalSeparator, S);
  if (P == 0 || vcl::Length(S) - P <= FPrecision)
    return;
  S = vcl::FloatToStrF(vcl::StrToFloat(S, FormatSettings()), vcl::ffFixed, vcl::Length(S),
                       FPrecision, FormatSettings());
}

std::string TCustomFloatValidator::GetDisplayText(std::string S) {
  if (S.empty())
    return S;
  const char32_t Sep = FormatSettings().DecimalSeparator;
  if (FLeadingZeros && LeadingZero(S, Sep))
    return S;
  int P = vcl::Pos(Sep, S);
  if (P == 0) {
    if (FPrecision > 0) {
      // The decimal separator: under a decimal comma a fixed full stop
      // would read as one more group separator.
      vcl::Utf8Append(S, Sep);
      P = vcl::Length(S);
    } else {
      P = vcl::Length(S) + 1;
    }
  } else if (P == 1) {
    vcl::Insert("0", S, 1);
    P = 2;
  }
  if (FPrecision > 0 && vcl::Length(S) - P < FPrecision)
    TextMan::AppendChar('0', S, static_cast<std::uint16_t>(FPrecision - (vcl::Length(S) - P)));
  // Separators at P - 3, P - 6, ... after the minus sign and the digit that
  // follows it.
  return GroupDigits(S, P, vcl::Pos('-', S) + 1, FormatSettings());
}

std::string TCustomFloatValidator::ErrorMessage(bool Input, std::string S) {
  if (!Input) {
    const std::string Bound = "%." + Digits(FPrecision) + "f";
    return QuotedMessage(S, RangeLiteral(vcl::rsRangeNumber,
                                         vcl::Format(Bound, {FMin}, FormatSettings()),
                                         vcl::Format(Bound, {FMax}, FormatSettings())));
  }
  // The message names the whole text the user would have obtained, not the
  // typed character alone.
  const char32_t Sep = FormatSettings().DecimalSeparator;
  if (S == " ")
    S = vcl::Utf8Encode(Sep);
  if (IValidatorOwner* Edit = OwnerEdit()) {
    std::string Whole = Edit->GetEditText();
    vcl::Insert(S, Whole, Edit->SelStart() + 1);
    S = Whole;
  }
  const int P = vcl::Pos(Sep, S);
  if (TextMan::CharOccurrence(Sep, S, 2) != 0)
    return QuotedMessage(S, vcl::ResString(vcl::rsMoreThanOneDecimal));
  if (P > 0 && vcl::Length(S) - P > FPrecision)
    return QuotedMessage(S, vcl::Format(vcl::ResString(vcl::rsTooManyDecimals), {int(FPrecision)}));
  if (vcl::Length(S) == 1)
    return QuotedMessage(S, vcl::ResString(vcl::rsNotDigitDecimalOrMinus));
  return QuotedMessage(S, vcl::ResString(vcl::rsInvalidForDecimal));
}

// ---------------------------------------------------------------------------

void TCurrencyValidator::SetPrecision(std::uint8_t Value) {
  if (Value != Precision())
    StorePrecision(std::min<std::uint8_t>(Value, 4));
}

void TCurrencyValidator::SetText(std::string& S) {
  const int P = vcl::Pos(FormatSettings().DecimalSeparator, S);
  const int Kept = P + Precision();
  if (P == 0 || vcl::Length(S) <= Kept)
    return;
  // The whole excess is judged: a long tail must not leave decimals behind.
  const std::string Excess = vcl::Copy(S, Kept + 1, vcl::Length(S) - Kept);
  if (vcl::Length(TextMan::CharsNotInStr(Excess, "123456789")) == 9) {
    vcl::Delete(S, Kept + 1, vcl::Length(Excess));
    return;
  }
  // A 9 in the first excess place makes the rounding go away from zero: any
  // non-zero excess adds one unit in the last kept decimal to the magnitude.
  S[Kept] = '9';
  // Fifteen significant digits at least; more when the text has them, so that
  // large amounts keep their cents.
  S = vcl::FloatToStrF(vcl::StrToFloat(S, FormatSettings()), vcl::ffFixed,
                       std::max(15, vcl::Length(S)), Precision(), FormatSettings());
}

std::string TCurrencyValidator::GetDisplayText(std::string S) {
  if (S.empty())
    return S;
  std::string Shown = TCustomFloatValidator::GetDisplayText(S);
  if (!FormatSettings().LocaleCurrency)
    return "$" + Shown;
  const bool Negative = Shown.starts_with('-');
  if (Negative)
    Shown.erase(0, 1);
  return vcl::CurrencyAmountText(Shown, Negative, FormatSettings());
}

std::string TCurrencyValidator::ErrorMessage(bool Input, std::string S) {
  if (Input)
    return TCustomFloatValidator::ErrorMessage(Input, S);
  const std::string Bound = "%." + Digits(Precision()) + "m";
  return QuotedMessage(S, RangeLiteral(vcl::rsRangeCurrency,
                                       vcl::Format(Bound, {Min()}, FormatSettings()),
                                       vcl::Format(Bound, {Max()}, FormatSettings())));
}

} // namespace Validate
