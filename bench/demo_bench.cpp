// The demo's start-up until its first frame is painted. The whole program
// (process start, the platform, the form read from its form file, the first
// paint, the picture written as PNG) is measured by running valedit-demo
// --screenshot; the form alone (read, shown and painted in full once, with
// the platform already running) is measured in this process.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "apps/demo/customerform.h"
#include "vcl/testing.h"

using namespace vcl;

namespace {

void BM_ProgramToFirstFrame(benchmark::State& State) {
  const std::string Command =
      std::string(DEMO_PROGRAM) + " --screenshot /tmp/demo_bench.png > /dev/null 2>&1";
  for (auto _ : State)
    if (std::system(Command.c_str()) != 0)
      State.SkipWithError("valedit-demo --screenshot failed");
}
BENCHMARK(BM_ProgramToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FormToFirstFrame(benchmark::State& State) {
  for (auto _ : State) {
    Demo::TCustomerForm Form(nullptr);
    testing::ShowForm(&Form);
    benchmark::DoNotOptimize(Form.RenderClient().Pixel(10, 10));
  }
}
BENCHMARK(BM_FormToFirstFrame)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  testing::StartHeadless();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
