// Opening the calendar dialog from a date edit, as a user does: a click on
// the calendar button until the dialog is painted (the dialog built from its
// form file, laid out, filled with the edit's date and painted once), then
// the dialog cancelled and freed. The two parts that cost most are measured
// on their own too: building the dialog, and painting it.
#include <benchmark/benchmark.h>

#include "calform/calform.h"
#include "valedit/valedit.h"
#include "vcl/testing.h"

using namespace vcl;

namespace {

void BM_DateButtonToPaintedDialog(benchmark::State& State) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 300, 100);
  auto* Edit = testing::Place<ValEdit::TValidEdit>(&Form, 8, 8, 121, 21);
  Edit->SetKind(ValEdit::vkDate);
  Edit->SetAsDate(EncodeDate(2024, 2, 10));
  testing::ShowForm(&Form);
  const TModalHandler Previous = SetModalHandler([](TCustomForm* Dialog) {
    benchmark::DoNotOptimize(Dialog->RenderClient().Pixel(100, 100));
    return mrCancel;
  });
  for (auto _ : State)
    testing::Click(Edit->Button());
  SetModalHandler(Previous);
}
BENCHMARK(BM_DateButtonToPaintedDialog)->Unit(benchmark::kMicrosecond);

void BM_BuildDialog(benchmark::State& State) {
  for (auto _ : State) {
    CalForm::TCalendarForm Dialog(nullptr);
    benchmark::DoNotOptimize(Dialog.Calendar);
  }
}
BENCHMARK(BM_BuildDialog)->Unit(benchmark::kMicrosecond);

void BM_PaintDialog(benchmark::State& State) {
  CalForm::TCalendarForm Dialog(nullptr);
  Dialog.SetDate(EncodeDate(2024, 2, 10));
  Dialog.Show();
  for (auto _ : State) {
    Dialog.InvalidateForm(); // a first paint: the whole client area
    benchmark::DoNotOptimize(Dialog.RenderClient().Pixel(100, 100));
  }
}
BENCHMARK(BM_PaintDialog)->Unit(benchmark::kMicrosecond);

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
