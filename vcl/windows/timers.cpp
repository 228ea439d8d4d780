// SetTimer, KillTimer and GetTickCount: a list of timers ordered by when
// they are due. The backend is asked to wake the event loop when the
// earliest is due; tests that stop the clock run them by moving it on.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <map>

#include "vcl/windows.h"
#include "vcl/windows/detail/backend.h"
#include "vcl/windows/detail/timers.h"

namespace vcl {

namespace {

struct TTimer {
  std::int64_t Due;
  unsigned Elapse;
  TTimerProc Proc;
};

struct TTimerState {
  std::map<std::uintptr_t, TTimer> Timers;
  std::uintptr_t LastId = 0;
  detail::TTickSource Source;
};

TTimerState& State() {
  static TTimerState S;
  return S;
}

std::int64_t SteadyTicks() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void WakeUp();

// Asks the event loop to come back when the earliest timer is due.
void Schedule() {
  std::int64_t Due;
  if (!detail::NextTimerDue(Due))
    return;
  const std::int64_t Delay = std::max<std::int64_t>(Due - detail::Ticks(), 0);
  backend::ScheduleWakeUp(static_cast<int>(std::min<std::int64_t>(Delay, 1 << 30)), WakeUp);
}

// The event loop's call: a timer's failure must not unwind into the window
// system's loop, so it is reported and the loop goes on.
void WakeUp() {
  try {
    detail::RunDueTimers();
  } catch (const std::exception& E) {
    std::fprintf(stderr, "A timer failed: %s\n", E.what());
  }
  Schedule();
}

} // namespace

namespace detail {

TTickSource SetTickSource(TTickSource Source) {
  TTickSource Previous = std::move(State().Source);
  State().Source = std::move(Source);
  return Previous;
}

std::int64_t Ticks() {
  return State().Source ? State().Source() : SteadyTicks();
}

bool NextTimerDue(std::int64_t& Due) {
  bool Any = false;
  for (const auto& [Id, T] : State().Timers)
    if (!Any || T.Due < Due) {
      Due = T.Due;
      Any = true;
    }
  return Any;
}

void RunDueTimers() {
  const std::int64_t Now = Ticks();
  // A timer's procedure may set or kill timers: look the earliest up again each time.
  for (;;) {
    std::uintptr_t Earliest = 0;
    std::int64_t Due = Now + 1;
    for (const auto& [Id, T] : State().Timers)
      if (T.Due < Due) {
        Due = T.Due;
        Earliest = Id;
      }
    if (!Earliest)
      return;
    TTimer& T = State().Timers.at(Earliest);
    // A timer that fell behind fires once and comes back a period from now.
    T.Due = Now + T.Elapse;
    const TTimerProc Proc = T.Proc;
    Proc();
  }
}

} // namespace detail

std::uintptr_t SetTimer(unsigned Elapse, TTimerProc Proc) {
  const std::uintptr_t Id = ++State().LastId;
  Elapse = std::max(Elapse, 1u);
  State().Timers[Id] = {detail::Ticks() + Elapse, Elapse, std::move(Proc)};
  Schedule();
  return Id;
}

bool KillTimer(std::uintptr_t Id) {
  return State().Timers.erase(Id) > 0;
}

std::uint32_t GetTickCount() {
  return static_cast<std::uint32_t>(detail::Ticks());
}

} // namespace vcl
