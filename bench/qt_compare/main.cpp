// The comparison program's main: one offscreen QApplication that serves
// Qt's widgets and our platform alike, then every registered pair, then the
// table of ratios. Extra arguments go to Google Benchmark (--benchmark_filter,
// --benchmark_repetitions: with repetitions the medians are compared).
// The ratio is taken from CPU time: the machine is shared, and wall time
// swings with whatever else runs, CPU time much less.
#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "compare.h"
#include "vcl/testing.h"

namespace qt_compare {

namespace {

std::vector<std::string>& Cases() {
  static std::vector<std::string> List;
  return List;
}

// Keeps the time per iteration of every run (the median when repeated)
// while the console shows the usual output.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& Reports) override {
    ConsoleReporter::ReportRuns(Reports);
    for (const Run& R : Reports) {
      if (R.error_occurred)
        continue;
      const bool Median = R.run_type == Run::RT_Aggregate && R.aggregate_name == "median";
      if (R.run_type == Run::RT_Iteration || Median)
        Times[R.run_name.str()] = R.GetAdjustedCPUTime();
    }
  }

  void PrintRatios() const {
    std::printf("\n%-48s %14s %14s %8s\n", "case", "ours (CPU ns)", "Qt (CPU ns)", "ours/Qt");
    for (const std::string& Name : Cases()) {
      const auto Ours = Times.find(Name + "/ours");
      const auto Qt = Times.find(Name + "/qt");
      if (Ours == Times.end() || Qt == Times.end())
        continue;
      std::printf("%-48s %14.1f %14.1f %8.2f\n", Name.c_str(), Ours->second, Qt->second,
                  Ours->second / Qt->second);
    }
  }

private:
  std::map<std::string, double> Times;
};

} // namespace

int RegisterPair(const std::string& Name, TCase Ours, TCase Qt) {
  Cases().push_back(Name);
  benchmark::RegisterBenchmark((Name + "/ours").c_str(), Ours);
  benchmark::RegisterBenchmark((Name + "/qt").c_str(), Qt);
  return 0;
}

} // namespace qt_compare

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication App(argc, argv);
  vcl::testing::StartHeadless();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  qt_compare::TRatioReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  Reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
