// What the validators cost per keystroke and per completion, what one full
// picture evaluation costs, how repetitions scale with the text, a
// keystroke on the longest text an edit usually holds (255 characters), for
// every kind of validator, and how grouped displays scale with the number.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "validate/validate.h"
#include "vcl/sysutils.h"

using namespace Validate;

namespace {

using TMake = std::unique_ptr<TValidator> (*)();

// The base validator of the edit's first kind: it accepts everything.
std::unique_ptr<TValidator> MakeBase() {
  return std::make_unique<TValidator>(nullptr);
}

std::unique_ptr<TValidator> MakeFilter() {
  auto V = std::make_unique<TFilterValidator>(nullptr);
  V->SetFilterChars("0123456789-() ");
  return V;
}

std::unique_ptr<TValidator> MakeInteger() {
  auto V = std::make_unique<TIntegerValidator>(nullptr);
  V->SetNoBounds(false);
  V->SetMin(-1000000);
  V->SetMax(1000000);
  return V;
}

std::unique_ptr<TValidator> MakeFloat() {
  auto V = std::make_unique<TFloatValidator>(nullptr);
  V->SetPrecision(2);
  return V;
}

std::unique_ptr<TValidator> MakeCurrency() {
  return std::make_unique<TCurrencyValidator>(nullptr);
}

std::unique_ptr<TValidator> MakeLookup() {
  auto V = std::make_unique<TStringLookupValidator>(nullptr);
  for (const char* Word :
       {"Amsterdam", "Berlin", "Brussels", "Copenhagen", "Dublin", "Helsinki", "Lisbon", "London",
        "Madrid", "Oslo", "Paris", "Prague", "Rome", "Stockholm", "Vienna", "Warsaw"})
    V->Items()->Add(Word);
  return V;
}

std::unique_ptr<TValidator> MakePicture() {
  auto V = std::make_unique<TPictureValidator>(nullptr);
  V->SetPicture("(###) ###-####");
  return V;
}

// A picture that walks the whole text: a capital, then any number of letters.
std::unique_ptr<TValidator> MakeNamePicture() {
  auto V = std::make_unique<TPictureValidator>(nullptr);
  V->SetPicture("&*?");
  return V;
}

std::unique_ptr<TValidator> MakeDate() {
  vcl::ResetLocale();
  return std::make_unique<TDateValidator>(nullptr);
}

std::unique_ptr<TValidator> MakeTime() {
  vcl::ResetLocale();
  return std::make_unique<TTimeValidator>(nullptr);
}

// IsValidInput on a fresh copy of Text each time, as the edit asks it, and
// every other time on Text less its last character, as when a key is taken
// back and typed again: no text is the one the validator judged just before.
void Input(benchmark::State& State, TMake Make, const std::string& Text, bool SuppressFill) {
  const std::unique_ptr<TValidator> V = Make();
  const std::string Texts[2] = {Text, Text.substr(0, Text.size() - 1)};
  std::size_t Next = 0;
  for (auto _ : State) {
    std::string S = Texts[Next ^= 1];
    benchmark::DoNotOptimize(V->IsValidInput(S, SuppressFill));
    benchmark::DoNotOptimize(S);
  }
}

#define VALIDATOR_INPUT(Kind, Make, Typical, Long)                                                 \
  BENCHMARK_CAPTURE(Input, Kind##_keystroke, Make, Typical, true);                                 \
  BENCHMARK_CAPTURE(Input, Kind##_completion, Make, Typical, false);                               \
  BENCHMARK_CAPTURE(Input, Kind##_keystroke_255, Make, Long, true)

VALIDATOR_INPUT(none, MakeBase, "12345", std::string(255, 'x'));
VALIDATOR_INPUT(filter, MakeFilter, "(555) 123-45", std::string(255, '5'));
VALIDATOR_INPUT(integer, MakeInteger, "-12345", std::string(255, '7'));
VALIDATOR_INPUT(float, MakeFloat, "1234.5", std::string(250, '1') + ".2345");
VALIDATOR_INPUT(currency, MakeCurrency, "1234.5", std::string(250, '1') + ".2345");
VALIDATOR_INPUT(lookup, MakeLookup, "Sto", "Stockholm" + std::string(246, 'x'));
VALIDATOR_INPUT(picture, MakePicture, "(555", "(555) 123-4567" + std::string(241, '8'));
BENCHMARK_CAPTURE(Input, name_picture_keystroke_255, MakeNamePicture, std::string(255, 'q'), true);
VALIDATOR_INPUT(date, MakeDate, "12", "12/25/2026" + std::string(245, '9'));
VALIDATOR_INPUT(time, MakeTime, "12:30", "12:30 PM" + std::string(247, 'M'));

void PictureEval(benchmark::State& State) {
  TPictureValidator V(nullptr);
  V.SetPicture("(###) ###-####");
  for (auto _ : State) {
    std::string S = "(555) 123-4567";
    benchmark::DoNotOptimize(V.Eval(S, false));
  }
}
BENCHMARK(PictureEval);

// A repetition over N digits: the cost should grow linearly with N.
void PictureRepeat(benchmark::State& State, const char* Picture) {
  TPictureValidator V(nullptr);
  V.SetPicture(Picture);
  const std::string Digits(static_cast<std::size_t>(State.range(0)), '4');
  for (auto _ : State) {
    std::string S = Digits;
    benchmark::DoNotOptimize(V.Eval(S, false));
  }
  State.SetComplexityN(State.range(0));
}
BENCHMARK_CAPTURE(PictureRepeat, star_digit, "*#")->Arg(16)->Arg(64)->Arg(255)->Complexity();
BENCHMARK_CAPTURE(PictureRepeat, star_optional_digit, "*[#]")
    ->Arg(16)
    ->Arg(64)
    ->Arg(255)
    ->Complexity();

// The grouped display of a number of N digits: the cost should grow
// linearly with N, however long the text.
void GroupedDisplay(benchmark::State& State, TMake Make) {
  const std::unique_ptr<TValidator> V = Make();
  const std::string Digits(static_cast<std::size_t>(State.range(0)), '7');
  for (auto _ : State)
    benchmark::DoNotOptimize(V->GetDisplayText(Digits));
  State.SetComplexityN(State.range(0));
}
BENCHMARK_CAPTURE(GroupedDisplay, integer, MakeInteger)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Complexity();
BENCHMARK_CAPTURE(GroupedDisplay, currency, MakeCurrency)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Complexity();

} // namespace
