// The fixed-point Currency type: conversion from binary floating point (with
// the range check the classic run-time library makes) and its text forms.
#include <cfenv>
#include <cmath>

#include "vcl/sysutils/detail/floatrec.h"

namespace vcl {

namespace {

// Scales to ten-thousandths and rounds to nearest, halves to even (the
// default rounding mode), as the FPU store of the classic library does.
bool TryScale(Extended Value, std::int64_t& Raw) {
  const Extended Scaled = std::nearbyint(Value * 10000.0L);
  // 2^63 is exactly representable; anything at or beyond it does not fit.
  constexpr Extended Limit = 9223372036854775808.0L;
  if (!(Scaled < Limit && Scaled >= -Limit))
    return false;
  Raw = static_cast<std::int64_t>(Scaled);
  return true;
}

} // namespace

Currency::Currency(double Value) : FValue(FloatToCurr(Value).Raw()) {}

Currency FloatToCurr(Extended Value) {
  std::int64_t Raw = 0;
  if (!TryScale(Value, Raw))
    throw EConvertError("'" + FloatToStr(Value) + "' is not a valid currency value");
  return Currency::FromRaw(Raw);
}

bool TryStrToCurr(const std::string& S, Currency& Value, const TFormatSettings& Settings) {
  Extended Float = 0;
  std::int64_t Raw = 0;
  if (!TryStrToFloat(S, Float, Settings) || !TryScale(Float, Raw))
    return false;
  Value = Currency::FromRaw(Raw);
  return true;
}

Currency StrToCurr(const std::string& S, const TFormatSettings& Settings) {
  Currency Value;
  if (!TryStrToCurr(S, Value, Settings))
    throw EConvertError("'" + S + "' is not a valid floating point value");
  return Value;
}

std::string CurrToStr(Currency Value, const TFormatSettings& Settings) {
  return detail::FloatRecToText(detail::CurrToDecimal(Value), ffGeneral, 19, 0, 19, Settings);
}

bool TryStrToCurr(const std::string& S, Currency& Value) {
  return TryStrToCurr(S, Value, FormatSettings);
}

Currency StrToCurr(const std::string& S) {
  return StrToCurr(S, FormatSettings);
}

std::string CurrToStr(Currency Value) {
  return CurrToStr(Value, FormatSettings);
}

} // namespace vcl
