// One keystroke in a focused validating edit, end to end: WM_KEYDOWN,
// WM_CHAR and WM_KEYUP through KeyPress, the validator's screening, the edit
// window, Change (with its completion step) and OnChange. Each keystroke
// replaces one selected digit, so the text keeps its length from one
// iteration to the next; making the selection is left out of the timing.
#include <benchmark/benchmark.h>

#include <string>

#include "valedit/valedit.h"
#include "validate/validate.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace ValEdit;

namespace {

// A shown form with a focused validating edit of Kind holding Text.
class TStage {
public:
  TStage(vcl::Byte Kind, const std::string& Picture, const std::string& Text) {
    FForm.SetBounds(0, 0, 400, 100);
    FEdit = new TValidEdit(&FForm);
    FEdit->SetParent(&FForm);
    FEdit->SetBounds(8, 8, 300, 21);
    FEdit->SetKind(Kind);
    if (!Picture.empty())
      static_cast<Validate::TPictureValidator*>(FEdit->Validator())->SetPicture(Picture);
    FEdit->SetEditText(Text);
    FEdit->OnChange = [this](vcl::TObject*) { ++Changes; };
    vcl::testing::ShowForm(&FForm);
    vcl::testing::MoveFocus(FEdit);
  }
  TValidEdit* Edit() const { return FEdit; }
  long Changes = 0;

private:
  vcl::TForm FForm{nullptr};
  TValidEdit* FEdit = nullptr;
};

std::string Digits(int Length) {
  std::string S;
  for (int I = 0; I < Length; ++I)
    S += static_cast<char>('1' + I % 9);
  return S;
}

// Replaces the digit at Position (0-based) with Key, over and over.
void Keystroke(benchmark::State& State, TStage& Stage, int Position, char Key) {
  TValidEdit* E = Stage.Edit();
  const std::string Before = E->Text();
  for (auto _ : State) {
    State.PauseTiming();
    E->SetSelStart(Position);
    E->SetSelLength(1);
    State.ResumeTiming();
    vcl::testing::PressKey(static_cast<vcl::Word>(Key));
  }
  if (E->Text().size() != Before.size() || Stage.Changes < static_cast<long>(State.iterations()))
    State.SkipWithError("the keystroke was not taken");
  State.counters["length"] = static_cast<double>(Before.size());
}

void BM_Integer(benchmark::State& State) {
  const int Length = static_cast<int>(State.range(0));
  TStage Stage(vkInteger, "", Digits(Length));
  Keystroke(State, Stage, Length / 2, '5');
}

void BM_Picture(benchmark::State& State) {
  const int Length = static_cast<int>(State.range(0));
  // Ten digits with a literal, or any number of digits for the long text.
  const bool Short = Length == 10;
  const std::string Text = Short ? "12345-6789" : Digits(Length);
  TStage Stage(vkPicture, Short ? "#####-####" : "*#", Text);
  Keystroke(State, Stage, Length / 2 + 1, '5');
}

void BM_Date(benchmark::State& State) {
  TStage Stage(vkDate, "", "12/31/2003");
  // The second digit of the year.
  Keystroke(State, Stage, 7, '0');
}

// A date edit holding 255 characters (assigned without value validation):
// the keystroke is screened against the whole text and refused.
void BM_DateRefusedOnLongText(benchmark::State& State) {
  TStage Stage(vkDate, "", Digits(255));
  TValidEdit* E = Stage.Edit();
  E->SetSelStart(255);
  for (auto _ : State)
    vcl::testing::PressKey('5');
  if (E->Text().size() != 255)
    State.SkipWithError("the keystroke was taken");
}

} // namespace

BENCHMARK(BM_Integer)->Arg(10)->Arg(255);
BENCHMARK(BM_Picture)->Arg(10)->Arg(255);
BENCHMARK(BM_Date);
BENCHMARK(BM_DateRefusedOnLongText);

int main(int argc, char** argv) {
  vcl::testing::StartHeadless();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
