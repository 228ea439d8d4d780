// Internal to the run-time core: the decimal digit record that every number
// display goes through. A value is first written as a string of significant
// decimal digits; formats then round that string, never the binary value, so
// 2.345 at two decimals gives 2.35 as a person reading the digits expects.
#pragma once

#include <string>

#include "vcl/sysutils.h"

namespace vcl::detail {

struct TFloatRec {
  enum TKind : std::uint8_t { fkNumber, fkNaN, fkInf };
  TKind Kind = fkNumber;
  bool Negative = false;
  // The value is 0.Digits times ten to the power Exponent. Digits carries no
  // trailing zeros and is empty for zero (then Exponent is 0 and Negative false).
  int Exponent = 0;
  std::string Digits;
};

// The value with 18 significant digits, the precision of an Extended.
TFloatRec FloatToDecimal(Extended Value);
// The amount exactly, up to 19 significant digits.
TFloatRec CurrToDecimal(Currency Value);

// Writes the record in one of the formats with Settings' separators and
// currency layout; MaxPrecision is 18 for floating
// point values and 19 for currency amounts.
std::string FloatRecToText(const TFloatRec& Rec, TFloatFormat Format, int Precision, int Digits,
                           int MaxPrecision, const TFormatSettings& Settings);

} // namespace vcl::detail
