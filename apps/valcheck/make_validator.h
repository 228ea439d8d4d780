// Builds and configures the validator that valcheck's options describe, the
// same class a validating edit of that kind would own.
#pragma once

#include <memory>

#include "apps/valcheck/options.h"
#include "validate/validator.h"

namespace ValCheck {

// Raises TUsageError for a bad number, date or time, inverted bounds, a
// malformed picture, an unreadable word file, or an option value or word
// that has no code page 1252 form. Call it after the locale has been chosen:
// the validator takes a copy of the process-wide formatting settings, so
// that a thread judging with it reads nothing shared.
std::unique_ptr<Validate::TValidator> MakeValidator(const TOptions& Options);

} // namespace ValCheck
