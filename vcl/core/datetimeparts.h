// Internal to the run-time core: calendar helpers shared by the date and time
// conversions.
#pragma once

#include "vcl/sysutils.h"

namespace vcl::detail {

int DaysInMonth(Word Year, Word Month);

} // namespace vcl::detail
