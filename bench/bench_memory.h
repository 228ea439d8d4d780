// Memory counters of a benchmark case: how much the process's resident size
// grew during the case (rss_kb, after it) and at its peak (peak_kb, the
// high-water mark reset before it), so that cases over tables of different
// sizes show whether memory follows the row count.
#pragma once

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace bench {

// A field of /proc/self/status in kB.
inline long StatusKb(const char* Key) {
  std::ifstream Status("/proc/self/status");
  std::string Line;
  while (std::getline(Status, Line))
    if (Line.rfind(Key, 0) == 0)
      return std::stol(Line.substr(Line.find(':') + 1));
  return 0;
}

class TMemory {
public:
  TMemory() : FStart(StatusKb("VmRSS:")) {
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts from here
  }
  void Report(benchmark::State& State) const {
    State.counters["rss_kb"] = static_cast<double>(StatusKb("VmRSS:") - FStart);
    State.counters["peak_kb"] = static_cast<double>(StatusKb("VmHWM:") - FStart);
  }

private:
  long FStart;
};

} // namespace bench
