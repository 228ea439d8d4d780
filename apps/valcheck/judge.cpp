#include "apps/valcheck/judge.h"

#include "apps/valcheck/display_input.h"

#include "vcl/sysutils.h"

namespace ValCheck {

TJudge::TJudge(Validate::TValidator& V, const TOptions& O)
    : FValidator(V), FOptions(O), FLabel(O.InputLabel()) {}

bool TJudge::Judge(long long LineNo, std::string_view Line, TTextSink& Out, TTextSink& Reports) {
  std::string_view Text;
  TDecodeFault Fault;
  if (!DecodeInput(FOptions.Encoding, Line, FDecoded, Text, Fault)) {
    Reports.Location(FLabel, LineNo);
    Reports.Write("the line ");
    Reports.Write(DescribeFault(Fault));
    Reports.Put('\n');
    if (FOptions.Output == omNormalize) {
      Out.Write(Line);
      Out.Put('\n');
    }
    return false;
  }
  FText.assign(Text);
  if (FOptions.FromDisplay)
    TakeOffDisplay(FText, FValidator);
  bool Valid;
  try {
    FValidator.SetText(FText);
    Valid = FValidator.IsValid(FText) && !(FOptions.Required && FText.empty());
  } catch (const vcl::Exception&) {
    // A conversion error that the edit would let escape (a float with
    // letters among its decimals): for a batch it is simply a refusal.
    Valid = false;
    FText.assign(Text);
  }
  if (!Valid)
    Report(LineNo, Text, Reports);
  if (FOptions.Output == omNormalize)
    WriteLine(Out, FText);
  else if (FOptions.Output == omDisplay && Valid)
    WriteLine(Out, FValidator.GetDisplayText(FText));
  return Valid;
}

// Text is the line in UTF-8; the message names it as it was before
// normalising.
void TJudge::Report(long long LineNo, std::string_view Text, TTextSink& Reports) {
  Reports.Location(FLabel, LineNo);
  if (FText.empty()) {
    Reports.Write(Validate::SValueRequired());
  } else {
    // A bound left out is the widest value of the kind: the message says
    // only what was given.
    const std::string Message = FValidator.ErrorMessage(false, std::string(Text));
    WriteFlat(Reports,
              Validate::WithGivenBounds(Message, std::string(Text), FOptions.Min.has_value(),
                                        FOptions.Max.has_value()));
  }
  Reports.Put('\n');
}

void ReportTooLong(long long LineNo, const TOptions& O, TTextSink& Reports) {
  Reports.Location(O.InputLabel(), LineNo);
  Reports.Write("the line is longer than ");
  Reports.Number(static_cast<long long>(O.MaxLineLength));
  Reports.Write(" bytes (--max-line-length)\n");
}

void TJudge::WriteLine(TTextSink& To, std::string_view Text) {
  To.Write(Text);
  To.Put('\n');
}

void TJudge::WriteFlat(TTextSink& To, std::string_view Text) {
  FFlat.assign(Text);
  for (char& Ch : FFlat)
    if (Ch == '\r' || Ch == '\n')
      Ch = ' ';
  To.Write(FFlat);
}

} // namespace ValCheck
