#include "apps/valcheck/display_input.h"

#include <string_view>

#include "validate/float.h"
#include "validate/integer.h"
#include "vcl/sysutils.h"

namespace ValCheck {

namespace {

bool IsDigit(char C) {
  return C >= '0' && C <= '9';
}

// Whether Digits is a run of digits as the display writes it: without
// separators, or one to three digits and then groups of three, each after a
// ','.
bool WellGrouped(std::string_view Digits) {
  std::size_t Lead = 0;
  while (Lead < Digits.size() && IsDigit(Digits[Lead]))
    ++Lead;
  if (Lead == Digits.size())
    return Lead > 0;
  if (Lead == 0 || Lead > 3)
    return false;
  for (std::size_t I = Lead; I < Digits.size(); I += 4)
    if (Digits.size() - I < 4 || Digits[I] != ',' || !IsDigit(Digits[I + 1]) ||
        !IsDigit(Digits[I + 2]) || !IsDigit(Digits[I + 3]))
      return false;
  return true;
}

} // namespace

void TakeOffDisplay(std::string& Text, Validate::TValidator& V) {
  const bool Integer = dynamic_cast<Validate::TCustomIntegerValidator*>(&V) != nullptr;
  const auto* Currency = dynamic_cast<Validate::TCurrencyValidator*>(&V);
  const auto* Float = dynamic_cast<Validate::TFloatValidator*>(&V);
  if (!Integer && !Currency && !Float)
    return;
  std::size_t At = Currency && Text.starts_with('$') ? 1 : 0;
  const bool Minus = At < Text.size() && Text[At] == '-';
  if (Minus)
    ++At;
  // The integer digits end at the decimal separator; under a decimal comma
  // that is the last ',' when the display shows decimals at all.
  std::size_t End = std::string::npos;
  if (!Integer) {
    const int Precision = Currency ? Currency->Precision() : Float->Precision();
    const char32_t Decimal = V.FormatSettings().DecimalSeparator;
    End = Decimal != ','  ? Text.find(vcl::Utf8Encode(Decimal), At)
          : Precision > 0 ? Text.rfind(',')
                          : End;
  }
  if (End == std::string::npos || End < At)
    End = Text.size();
  std::string Digits = Text.substr(At, End - At);
  if (!WellGrouped(Digits))
    return;
  std::erase(Digits, ',');
  Text = (Minus ? "-" : "") + Digits + Text.substr(End);
}

} // namespace ValCheck
