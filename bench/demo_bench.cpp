// The demo's start-up until its first frame is painted, against the sample
// database. The whole program (process start, the platform, the form read
// from its form file, the customer file opened, the form shown and painted
// once, the process ended) is measured by running valedit-demo with a script
// of no steps: headless with the samples made in memory and with an
// existing database file, and in a real window when there is a display. The
// form alone (read, its customer file made in memory and opened, shown and
// painted in full once, with the platform already running) is measured in
// this process.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "apps/demo/customerform.h"
#include "vcl/testing.h"

using namespace vcl;

namespace {

// Runs the demo with a script of no steps: it starts, opens the customer
// file, shows the form, paints it (the first frame), and ends.
void RunProgram(benchmark::State& State, const std::string& Environment,
                const std::string& Arguments) {
  const char* const Empty = "/tmp/demo_bench_empty.txt";
  std::fclose(std::fopen(Empty, "w"));
  const std::string Command = Environment + " " + DEMO_PROGRAM + " " + Arguments + " --script " +
                              Empty + " > /dev/null 2>&1";
  for (auto _ : State)
    if (std::system(Command.c_str()) != 0)
      State.SkipWithError("valedit-demo failed");
}

void BM_ProgramToFirstFrame_Headless(benchmark::State& State) {
  RunProgram(State, "QT_QPA_PLATFORM=offscreen", "");
}
BENCHMARK(BM_ProgramToFirstFrame_Headless)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProgramToFirstFrame_HeadlessFile(benchmark::State& State) {
  // The first run makes the database file; the measured ones open it.
  std::remove("/tmp/demo_bench.db");
  RunProgram(State, "QT_QPA_PLATFORM=offscreen", "--db /tmp/demo_bench.db");
}
BENCHMARK(BM_ProgramToFirstFrame_HeadlessFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// In a real window (run the benchmark under xvfb-run or on a desktop).
void BM_ProgramToFirstFrame_Window(benchmark::State& State) {
  if (!std::getenv("DISPLAY")) {
    State.SkipWithError("no X display");
    return;
  }
  RunProgram(State, "QT_QPA_PLATFORM=xcb", "");
}
BENCHMARK(BM_ProgramToFirstFrame_Window)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FormToFirstFrame(benchmark::State& State) {
  for (auto _ : State) {
    Demo::TCustomerForm Form(nullptr);
    Form.OpenDatabase(":memory:");
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
