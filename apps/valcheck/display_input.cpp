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
// separators, or one to three digits and then groups of three, each after
// Separator.
bool WellGrouped(std::string_view Digits, std::string_view Separator) {
  std::size_t Lead = 0;
  while (Lead < Digits.size() && IsDigit(Digits[Lead]))
    ++Lead;
  if (Lead == Digits.size())
    return Lead > 0;
  if (Lead == 0 || Lead > 3)
    return false;
  const std::size_t Step = Separator.size() + 3;
  for (std::size_t I = Lead; I < Digits.size(); I += Step)
    if (Digits.size() - I < Step || Digits.substr(I, Separator.size()) != Separator ||
        !IsDigit(Digits[I + Step - 3]) || !IsDigit(Digits[I + Step - 2]) ||
        !IsDigit(Digits[I + Step - 1]))
      return false;
  return true;
}

// Narrows Amount to what lies inside the currency symbol and sign when Text
// is in one of the forms the display writes: "$" in front without a loaded
// locale, or the locale's positive and negative forms (for example
// "-1.234,50 €"), taken from the same routine the display uses so the two
// cannot differ. Negative says the negative form matched.
void TakeOffCurrency(std::string_view& Amount, bool& Negative,
                     const vcl::TFormatSettings& Settings) {
  if (!Settings.LocaleCurrency) {
    if (Amount.starts_with('$'))
      Amount.remove_prefix(1);
    return;
  }
  constexpr char Mark = '\x01'; // stands for the amount in a form
  for (const bool Sign : {true, false}) {
    const std::string Form = vcl::CurrencyAmountText(std::string(1, Mark), Sign, Settings);
    const std::size_t At = Form.find(Mark);
    const std::string_view Before = std::string_view(Form).substr(0, At);
    const std::string_view After = std::string_view(Form).substr(At + 1);
    if (Amount.size() > Before.size() + After.size() && Amount.starts_with(Before) &&
        Amount.ends_with(After)) {
      Amount = Amount.substr(Before.size(), Amount.size() - Before.size() - After.size());
      Negative = Sign;
      return;
    }
  }
}

} // namespace

void TakeOffDisplay(std::string& Text, Validate::TValidator& V) {
  const bool Integer = dynamic_cast<Validate::TCustomIntegerValidator*>(&V) != nullptr;
  const bool Currency = dynamic_cast<Validate::TCurrencyValidator*>(&V) != nullptr;
  const bool Float = dynamic_cast<Validate::TFloatValidator*>(&V) != nullptr;
  if (!Integer && !Currency && !Float)
    return;
  const vcl::TFormatSettings& Settings = V.FormatSettings();
  std::string_view Amount = Text;
  bool Minus = false;
  if (Currency)
    TakeOffCurrency(Amount, Minus, Settings);
  if (Amount.starts_with('-')) {
    if (Minus) // a sign inside a negative form is not the display's
      return;
    Minus = true;
    Amount.remove_prefix(1);
  }
  // The integer digits end at the decimal separator, which never doubles as
  // the group separator.
  std::size_t End =
      Integer ? std::string_view::npos : Amount.find(vcl::Utf8Encode(Settings.DecimalSeparator));
  if (End == std::string_view::npos)
    End = Amount.size();
  const std::string Group = vcl::Utf8Encode(Validate::GroupSeparator(Settings));
  std::string Digits(Amount.substr(0, End));
  if (!WellGrouped(Digits, Group))
    return;
  for (std::size_t At = Digits.find(Group); At != std::string::npos; At = Digits.find(Group, At))
    Digits.erase(At, Group.size());
  Text = (Minus ? "-" : "") + Digits + std::string(Amount.substr(End));
}

} // namespace ValCheck
