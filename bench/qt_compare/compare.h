// The side-by-side comparison with Qt: each case is a pair of benchmarks,
// ours and Qt's doing the same job, registered under one case name. The
// program's main runs them all and prints, per case, the time of each side
// and the ratio ours/Qt (below 1: we are faster).
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

namespace qt_compare {

// A function, or a lambda that carries the case's parameters.
using TCase = std::function<void(benchmark::State&)>;

// Registers "Name/ours" and "Name/qt". Call it from a static initialiser
// (the QT_COMPARE macro) so that every source file of the program can add
// its cases without a central list.
int RegisterPair(const std::string& Name, TCase Ours, TCase Qt);

} // namespace qt_compare

#define QT_COMPARE_CONCAT2(A, B) A##B
#define QT_COMPARE_CONCAT(A, B) QT_COMPARE_CONCAT2(A, B)
#define QT_COMPARE(Name, Ours, Qt)                                                                 \
  static const int QT_COMPARE_CONCAT(QtComparePair, __LINE__) =                                    \
      ::qt_compare::RegisterPair(Name, Ours, Qt)
