// Reading a form file as its number of components grows: a form of labels
// and one of edits, from 1,000 to 20,000 components. The time per component
// should stay flat (the complexity line fits N); writing is measured beside
// it.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "vcl/controls.h"
#include "vcl/forms.h"
#include "vcl/testing.h"

using namespace vcl;

namespace {

// The platform, headless, and the classes a form of its controls holds.
void StartOnce() {
  static const bool Started = (testing::StartHeadless(), RegisterGuiClasses(), true);
  (void)Started;
}

std::string FormText(int Count, const std::string& Class) {
  StartOnce();
  std::string Text = "object Form1: TForm\n";
  for (int I = 0; I < Count; ++I) {
    const std::string N = std::to_string(I);
    Text += "  object Item" + N + ": " + Class + "\n    Left = " + std::to_string(I % 640) +
            "\n    Top = " + std::to_string(I / 640 * 20) + "\n  end\n";
  }
  return Text + "end\n";
}

// 1,000 to 20,000 components, the time fitted to N.
void Sizes(benchmark::internal::Benchmark* B) {
  for (const int N : {1000, 2000, 5000, 10000, 20000})
    B->Arg(N);
  B->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
}

void ReadForm(benchmark::State& State, const std::string& Class) {
  const std::string Text = FormText(static_cast<int>(State.range(0)), Class);
  for (auto _ : State) {
    std::unique_ptr<TComponent> Form(TextToComponent(Text, nullptr));
    benchmark::DoNotOptimize(Form->ComponentCount());
  }
  State.SetComplexityN(State.range(0));
  State.counters["components"] = static_cast<double>(State.range(0));
}

void BM_ReadLabels(benchmark::State& State) {
  ReadForm(State, "TLabel");
}
BENCHMARK(BM_ReadLabels)->Apply(Sizes);

void BM_ReadEdits(benchmark::State& State) {
  ReadForm(State, "TEdit");
}
BENCHMARK(BM_ReadEdits)->Apply(Sizes);

void BM_WriteLabels(benchmark::State& State) {
  std::unique_ptr<TComponent> Form(
      TextToComponent(FormText(static_cast<int>(State.range(0)), "TLabel"), nullptr));
  for (auto _ : State)
    benchmark::DoNotOptimize(ComponentToText(Form.get()).size());
  State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_WriteLabels)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
