// GUI platform, internal: the clock behind GetTickCount and the running of
// due timers, for the event loop and for tests that move time by hand.
#pragma once

#include <cstdint>
#include <functional>

namespace vcl::detail {

// Milliseconds; 64 bits inside, so that no timer ever sees the clock wrap.
using TTickSource = std::function<std::int64_t()>;
// Replaces the clock (an empty source: the steady clock) and returns the previous.
TTickSource SetTickSource(TTickSource Source);
std::int64_t Ticks();
// Runs each timer that is due by Ticks(), earliest first, once.
void RunDueTimers();
// When the earliest timer is due; false when no timer runs.
bool NextTimerDue(std::int64_t& Due);

} // namespace vcl::detail
