// --from-display: a line written as the display form (what --display
// prints, what the edit shows without the focus) is taken back to the form
// the validator judges. A number's display adds the group separator between
// groups of three integer digits and, for a currency, a '$' in front, or the
// locale's currency symbol and negative form once a locale is loaded.
#pragma once

#include <string>

#include "validate/validator.h"

namespace ValCheck {

// Takes the currency symbol, its sign form and the group separators off Text when it is a
// number's display form for V, exactly as the display writes it; any other
// text is left as it is, for the validator to judge.
void TakeOffDisplay(std::string& Text, Validate::TValidator& V);

} // namespace ValCheck
