// Reading, judging and writing in blocks of lines. Worker threads judge
// blocks, each with a judge (and a validator) of its own, while the main
// thread reads the next blocks and writes the finished ones in input order;
// with one judge the main thread judges each block itself. Memory stays
// bounded: a few blocks per worker are in flight at any time.
#pragma once

#include <vector>

#include "apps/valcheck/judge.h"
#include "apps/valcheck/options.h"
#include "apps/valcheck/output.h"

namespace ValCheck {

struct TRunResult {
  bool AllValid = true;
  int ReadError = 0; // errno of a failed read
};

// Judges every line of Fd with one thread per judge. Out takes the texts,
// Reports the reports (the same output when no texts are asked for). Stops
// early when writing fails.
TRunResult JudgeInput(int Fd, const TOptions& O, const std::vector<TJudge*>& Judges, TOutput& Out,
                      TOutput& Reports);

} // namespace ValCheck
