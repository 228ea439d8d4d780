// A whole number given to a command-line option (--threads 4), read within
// its bounds; the programs share the rule and the message.
#pragma once

#include <charconv>
#include <string>

namespace Apps {

// Text as a number from Least to Most; otherwise TError "bad value for
// OPTION: 'TEXT' is not from LEAST to MOST".
template <typename TError, typename T>
T CountOption(const std::string& Option, const std::string& Text, T Least, T Most) {
  T Value = 0;
  const auto R = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  if (R.ec != std::errc() || R.ptr != Text.data() + Text.size() || Value < Least || Value > Most)
    throw TError("bad value for " + Option + ": '" + Text + "' is not from " +
                 std::to_string(Least) + " to " + std::to_string(Most));
  return Value;
}

} // namespace Apps
