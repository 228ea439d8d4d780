// The date and time validators under arbitrary locale settings. Input, one
// item a line (a missing line keeps the default):
//   1  the validator: 'd' or 't', then the format digit 0..2, then
//      optionally two bounds in days (d1 -2000 90000, t2 0.25 0.75)
//   2  ShortDateFormat      5  TimeSeparator (its first character)
//   3  DateSeparator        6  TimeAMString
//   4  LongTimeFormat       7  TimePMString
//   8… texts, each judged in every way the edit asks.
#include <cmath>
#include <memory>
#include <sstream>

#include "fuzz/fuzz_support.h"
#include "validate/date.h"
#include "validate/time.h"

namespace {

using namespace Validate;

void ApplyLocale(const std::vector<std::string>& Lines) {
  vcl::ResetLocale();
  auto Line = [&](std::size_t I) -> const std::string* {
    return I < Lines.size() && !Lines[I].empty() ? &Lines[I] : nullptr;
  };
  if (auto S = Line(1))
    vcl::ShortDateFormat = *S;
  if (auto S = Line(2))
    vcl::DateSeparator = vcl::Utf8Decode(*S)[0];
  if (auto S = Line(3))
    vcl::LongTimeFormat = *S;
  if (auto S = Line(4))
    vcl::TimeSeparator = vcl::Utf8Decode(*S)[0];
  if (auto S = Line(5))
    vcl::TimeAMString = *S;
  if (auto S = Line(6))
    vcl::TimePMString = *S;
}

// Bounds far outside the calendar are left out: a TDateTime holds years 1
// to 9999.
bool Plausible(double Days) {
  return std::isfinite(Days) && Days > -700000 && Days < 3000000;
}

template <typename TKind> void SetBounds(TKind& V, std::istringstream& Setup) {
  double Min = 0, Max = 0;
  if (!(Setup >> Min >> Max) || !Plausible(Min) || !Plausible(Max))
    return;
  V.SetNoBounds(false);
  V.SetMin(Min);
  V.SetMax(Max);
  FUZZ_CHECK(V.Min() <= V.Max(), "bounds %g %g", double(V.Min()), double(V.Max()));
}

std::unique_ptr<TCustomPictureValidator> MakeValidator(const std::string& Setup) {
  std::istringstream In(Setup.size() > 2 ? Setup.substr(2) : std::string());
  const int Format = Setup.size() > 1 && Setup[1] >= '0' && Setup[1] <= '2' ? Setup[1] - '0' : 1;
  if (!Setup.empty() && Setup[0] == 't') {
    auto V = std::make_unique<TTimeValidator>(nullptr);
    V->SetFormat(static_cast<TTimeFormat>(Format));
    SetBounds(*V, In);
    return V;
  }
  auto V = std::make_unique<TDateValidator>(nullptr);
  V->SetFormat(static_cast<TDateFormat>(Format));
  SetBounds(*V, In);
  return V;
}

// A date's validity by its definition: empty, or a date that StrToDate reads,
// that the picture takes as complete, and within the bounds. The validator
// reads most dates its own shorter way; it must come to the same answer.
bool ValidByDefinition(TDateValidator& V, const std::string& Text) {
  if (Text.empty())
    return true;
  vcl::TDateTime Value = 0;
  if (!vcl::TryStrToDate(Text, Value, V.FormatSettings()))
    return false;
  TPictureValidator Picture(nullptr);
  Picture.SetPicture(V.Picture());
  return Picture.IsValid(Text) && (V.NoBounds() || (V.Min() <= Value && Value <= V.Max()));
}

void Judge(TCustomPictureValidator& V, const std::string& Text) {
  if (auto* Date = dynamic_cast<TDateValidator*>(&V))
    FUZZ_CHECK(Date->IsValid(Text) == ValidByDefinition(*Date, Text), "'%s' judged otherwise",
               Text.c_str());
  for (const bool SuppressFill : {true, false}) {
    std::string S = Text;
    V.IsValidInput(S, SuppressFill);
  }
  std::string Normalised = Text;
  V.SetText(Normalised);
  V.IsValid(Normalised);
  V.IsValid(Text);
  V.GetDisplayText(Normalised);
  V.ShowErrorMessage(false, Text);
  V.ShowErrorMessage(true, Text.substr(0, 1));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::QuietEnvironment();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::vector<std::string> Lines = Fuzz::Lines(Data, Size);
  if (Lines.empty())
    return 0;
  ApplyLocale(Lines);
  const auto V = MakeValidator(Lines[0]);
  for (std::size_t I = 7; I < Lines.size(); ++I)
    Judge(*V, Lines[I]);
  return 0;
}
