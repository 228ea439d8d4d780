// The side-by-side program: one Qt application object serves both sides (our
// platform adopts it), every case runs as Name/ours followed by Name/qt, and
// a table of the ratios ours / Qt closes the run. Headless by default
// (QT_QPA_PLATFORM=offscreen); set QT_QPA_PLATFORM=xcb under a display to
// compare with real windows on both sides.
#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "bench/qt_compare/compare.h"
#include "vcl/forms.h"

namespace QtCompare {

std::vector<TCaseInfo>& Cases() {
  static std::vector<TCaseInfo> List;
  return List;
}

void ProcessEvents() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

std::string Digits(int Length) {
  std::string S;
  S.reserve(static_cast<std::size_t>(Length));
  for (int I = 0; I < Length; ++I)
    S += static_cast<char>('1' + I % 9);
  return S;
}

namespace {

// The console report as usual, and the CPU time per iteration of every run
// kept by name (the best of the repetitions) for the table of ratios.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& Reports) override {
    ConsoleReporter::ReportRuns(Reports);
    for (const Run& R : Reports) {
      if (R.run_type != Run::RT_Iteration || R.error_occurred || R.iterations == 0)
        continue;
      const double Seconds = R.GetAdjustedCPUTime() * Unit(R.time_unit);
      const std::string Name = R.run_name.function_name;
      auto It = FBest.find(Name);
      if (It == FBest.end() || Seconds < It->second)
        FBest[Name] = Seconds;
    }
  }

  void PrintRatios() const {
    std::printf("\n%-52s %12s %12s %8s\n", "case (CPU time per iteration)", "ours", "Qt",
                "ours/Qt");
    for (const TCaseInfo& C : Cases()) {
      const auto Ours = FBest.find(C.Name + "/ours");
      const auto Qt = FBest.find(C.Name + "/qt");
      if (Ours == FBest.end() || Qt == FBest.end())
        continue;
      std::printf("%-52s %12s %12s %8.2f\n", C.Name.c_str(), Time(Ours->second).c_str(),
                  Time(Qt->second).c_str(), Ours->second / Qt->second);
    }
  }

private:
  static double Unit(benchmark::TimeUnit U) {
    switch (U) {
    case benchmark::kNanosecond:
      return 1e-9;
    case benchmark::kMicrosecond:
      return 1e-6;
    case benchmark::kMillisecond:
      return 1e-3;
    default:
      return 1.0;
    }
  }
  static std::string Time(double Seconds) {
    char Buffer[32];
    if (Seconds < 1e-3)
      std::snprintf(Buffer, sizeof Buffer, "%.2f us", Seconds * 1e6);
    else
      std::snprintf(Buffer, sizeof Buffer, "%.3f ms", Seconds * 1e3);
    return Buffer;
  }
  std::map<std::string, double> FBest;
};

} // namespace
} // namespace QtCompare

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication App(argc, argv);
  vcl::Application->Initialize();

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  for (const QtCompare::TCaseInfo& C : QtCompare::Cases()) {
    benchmark::RegisterBenchmark((C.Name + "/ours").c_str(), C.Ours)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((C.Name + "/qt").c_str(), C.Qt)->Unit(benchmark::kMicrosecond);
  }
  QtCompare::TRatioReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  Reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
