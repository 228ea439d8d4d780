// Costs of the run-time conversions the validators call on every keystroke.
#include <benchmark/benchmark.h>

#include "vcl/sysutils.h"

namespace {

void BM_StrToFloat(benchmark::State& State) {
  vcl::ResetLocale();
  for (auto _ : State)
    benchmark::DoNotOptimize(vcl::StrToFloat(" 1234.5678e-2 "));
}
BENCHMARK(BM_StrToFloat);

void BM_FloatToStrFFixed(benchmark::State& State) {
  vcl::ResetLocale();
  for (auto _ : State)
    benchmark::DoNotOptimize(vcl::FloatToStrF(1234.5678L, vcl::ffFixed, 15, 2));
}
BENCHMARK(BM_FloatToStrFFixed);

void BM_FormatCurrency(benchmark::State& State) {
  vcl::ResetLocale();
  for (auto _ : State)
    benchmark::DoNotOptimize(vcl::Format("%s: %.2m", {"Total", -1234.5}));
}
BENCHMARK(BM_FormatCurrency);

void BM_StrToDate(benchmark::State& State) {
  vcl::ResetLocale();
  for (auto _ : State)
    benchmark::DoNotOptimize(vcl::StrToDate("12/25/2026"));
}
BENCHMARK(BM_StrToDate);

void BM_FormatDateTime(benchmark::State& State) {
  vcl::ResetLocale();
  const vcl::TDateTime Value = vcl::EncodeDate(2026, 12, 25) + 0.6;
  for (auto _ : State)
    benchmark::DoNotOptimize(vcl::FormatDateTime("dddddd tt", Value));
}
BENCHMARK(BM_FormatDateTime);

} // namespace
