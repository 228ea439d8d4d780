// Side-by-side cases: each case is one piece of work done by a user, timed
// once on our controls and once on Qt's widgets in the same run. A source
// file of this folder adds its cases with a static QtCompare::TCase; main
// registers them in pairs (Name/ours, then Name/qt) so that both halves of a
// case run close together, and prints the ratios when all have run.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

namespace QtCompare {

using TBody = std::function<void(benchmark::State&)>;

struct TCaseInfo {
  std::string Name;
  TBody Ours;
  TBody Qt;
};

std::vector<TCaseInfo>& Cases();

// Adds a case at static initialisation: static QtCompare::TCase X("name", Ours, Qt);
struct TCase {
  TCase(std::string Name, TBody Ours, TBody Qt) {
    Cases().push_back({std::move(Name), std::move(Ours), std::move(Qt)});
  }
};

// Pumps the event queue of the one application both sides share.
void ProcessEvents();

// A text of Length digits, 1 to 9 over and over.
std::string Digits(int Length);

} // namespace QtCompare
