// The replaceable clock behind Now, Date and Time, so that tests and tools
// can fix "today".
#include <chrono>
#include <cmath>
#include <ctime>

#include "vcl/sysutils.h"

namespace vcl {

namespace {

TDateTime SystemNow() {
  const auto Point = std::chrono::system_clock::now();
  const std::time_t Seconds = std::chrono::system_clock::to_time_t(Point);
  const auto MSec =
      std::chrono::duration_cast<std::chrono::milliseconds>(Point.time_since_epoch()) % 1000;
  std::tm Local{};
  localtime_r(&Seconds, &Local);
  return EncodeDate(static_cast<Word>(Local.tm_year + 1900), static_cast<Word>(Local.tm_mon + 1),
                    static_cast<Word>(Local.tm_mday)) +
         EncodeTime(static_cast<Word>(Local.tm_hour), static_cast<Word>(Local.tm_min),
                    // A leap second reads as the last second of the minute.
                    static_cast<Word>(Local.tm_sec > 59 ? 59 : Local.tm_sec),
                    static_cast<Word>(MSec.count()));
}

TNowFunction& NowFunction() {
  static TNowFunction Fn;
  return Fn;
}

} // namespace

TNowFunction SetNowFunction(TNowFunction Fn) {
  TNowFunction Previous = NowFunction() ? NowFunction() : TNowFunction(SystemNow);
  NowFunction() = std::move(Fn);
  return Previous;
}

TDateTime Now() {
  return NowFunction() ? NowFunction()() : SystemNow();
}

TDateTime Date() {
  return std::trunc(Now());
}

TDateTime Time() {
  const TDateTime Value = Now();
  return std::fabs(Value - std::trunc(Value));
}

} // namespace vcl
