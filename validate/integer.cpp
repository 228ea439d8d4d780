// The integer validator.
#include "validate/integer.h"

#include "textman/textman.h"
#include "vcl/sysutils.h"

namespace Validate {

TCustomIntegerValidator::TCustomIntegerValidator(vcl::TObject* AOwner)
    : TCustomFilterValidator(AOwner) {
  StoreFilterChars("0123456789");
  SetNoBounds(true);
}

void TCustomIntegerValidator::GetFilter() {
  if (FNoBounds || FMin < 0 || FMax < 0)
    StoreFilterChars("0123456789-");
  else
    StoreFilterChars("0123456789");
}

void TCustomIntegerValidator::SetMax(int Value) {
  const bool Switched = SwitchBoundsOn(*this, FNoBounds);
  if (StoreMax(FMax, FMin, Value) || Switched) {
    GetFilter();
    Change();
  }
}

void TCustomIntegerValidator::SetMin(int Value) {
  const bool Switched = SwitchBoundsOn(*this, FNoBounds);
  if (StoreMin(FMin, FMax, Value) || Switched) {
    GetFilter();
    Change();
  }
}

void TCustomIntegerValidator::SetNoBounds(bool Value) {
  if (Value == FNoBounds)
    return;
  FNoBounds = Value;
  GetFilter();
}

bool TCustomIntegerValidator::IsValidInput(std::string& S, bool) {
  if (!CharsPass(S))
    return false;
  if (!FLeadingZeros && vcl::Length(S) > 1 && S[0] == '0')
    return false;
  const int Minus = vcl::Pos('-', S);
  if (Minus > 0 && (Minus != 1 || TextMan::CharOccurrence('-', S, 2) != 0))
    return false;
  return true;
}

bool TCustomIntegerValidator::IsValid(std::string S) {
  if (S.empty())
    return true;
  int Value = 0;
  if (!vcl::TryStrToInt(S, Value))
    return false;
  return FNoBounds || (FMin <= Value && Value <= FMax);
}

std::string TCustomIntegerValidator::GetDisplayText(std::string S) {
  if (FLeadingZeros && !S.empty() && S[0] == '0')
    return S;
  // Groups of three counted from the right; the first group never gets a
  // separator in front of it, nor does it when a minus sign is all that
  // precedes it.
  const int First = !S.empty() && S[0] == '-' ? 2 : 1;
  return GroupDigits(S, vcl::Length(S) + 1, First, FormatSettings());
}

std::string TCustomIntegerValidator::ErrorMessage(bool Input, std::string S) {
  if (!Input)
    return QuotedMessage(
        S, RangeLiteral(vcl::rsRangeInteger, vcl::IntToStr(FMin), vcl::IntToStr(FMax)));
  if (vcl::Length(S) == 1)
    return QuotedMessage(S, vcl::ResString(vcl::rsNotDigitOrMinus));
  return QuotedMessage(S, vcl::ResString(vcl::rsInvalidForInteger));
}

} // namespace Validate
