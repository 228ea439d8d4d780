#include "apps/valcheck/judge.h"

#include "apps/valcheck/display_input.h"

#include "vcl/sysutils.h"

namespace ValCheck {

TJudge::TJudge(Validate::TValidator& V, const TOptions& O)
    : FValidator(V), FOptions(O), FLabel(O.InputLabel()) {
  // Two texts tell whether the message is the quoted text and a tail of
  // its own.
  const std::string Texts[2] = {"0", "x"};
  std::string Tails[2];
  for (int I = 0; I < 2; ++I) {
    const std::string Quoted = '"' + Texts[I] + '"';
    const std::string Message = MessageFor(Texts[I]);
    if (!Message.starts_with(Quoted) || Message.size() == Quoted.size())
      return;
    Tails[I] = Message.substr(Quoted.size());
  }
  if (Tails[0] == Tails[1])
    Flatten(FTail, Tails[0]);
}

std::string TJudge::MessageFor(const std::string& Text) const {
  // A bound left out is the widest value of the kind: the message says
  // only what was given.
  return Validate::WithGivenBounds(FValidator.ErrorMessage(false, Text), Text,
                                   FOptions.Min.has_value(), FOptions.Max.has_value());
}

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
  // Cleared and appended rather than assigned: assigning goes through the
  // string's general replace, which cost about a tenth of a line of integers.
  FText.clear();
  FText.append(Text);
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
  if (FText.empty())
    Reports.Write(Validate::SValueRequired());
  else
    WriteMessage(Reports, Text);
  Reports.Put('\n');
}

void TJudge::WriteMessage(TTextSink& To, std::string_view Text) {
  if (FTail.empty()) {
    Flatten(FFlat, MessageFor(std::string(Text)));
    To.Write(FFlat);
    return;
  }
  To.Put('"');
  Flatten(FFlat, Text);
  To.Write(FFlat);
  To.Put('"');
  To.Write(FTail);
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

void TJudge::Flatten(std::string& To, std::string_view Text) {
  To.assign(Text);
  for (char& Ch : To)
    if (Ch == '\r' || Ch == '\n')
      Ch = ' ';
}

} // namespace ValCheck
