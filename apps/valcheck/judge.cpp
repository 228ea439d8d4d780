#include "apps/valcheck/judge.h"

#include "apps/valcheck/display_input.h"

#include "vcl/sysutils.h"

namespace ValCheck {

namespace {

// Where the current thread's judge wants the text of a message box.
thread_local std::string* CaptureTarget = nullptr;

} // namespace

TMessageCapture::TMessageCapture() {
  FPrevious = vcl::SetMessageDlgHandler(
      [](const std::string& Msg, vcl::TMsgDlgType, vcl::TMsgDlgButtons, int) {
        if (CaptureTarget)
          *CaptureTarget = Msg;
        return vcl::mrOk;
      });
}

TMessageCapture::~TMessageCapture() {
  vcl::SetMessageDlgHandler(FPrevious);
}

TJudge::TJudge(Validate::TValidator& V, const TOptions& O, const std::string& Literal)
    : FValidator(V), FOptions(O), FLabel(O.InputLabel()) {
  if (Literal.empty())
    LearnLiteral();
  else
    FLiteral = Literal;
  // Kept as it is written out.
  FEncoded.clear();
  Flatten(FLiteral, true);
  FLiteral = FEncoded;
}

std::string TJudge::CaptureMessage(const std::string& Text) {
  FCaptured.clear();
  CaptureTarget = &FCaptured;
  FValidator.ShowErrorMessage(false, Text);
  CaptureTarget = nullptr;
  return FCaptured;
}

void TJudge::LearnLiteral() {
  const std::string Samples[2] = {"1", "x%\"y"};
  std::string Literals[2];
  for (int I = 0; I < 2; ++I) {
    const std::string Message = CaptureMessage(Samples[I]);
    const std::string Quoted = '"' + Samples[I] + '"';
    if (Message.compare(0, Quoted.size(), Quoted) != 0)
      return;
    Literals[I] = Message.substr(Quoted.size());
  }
  if (Literals[0] == Literals[1] && !Literals[0].empty())
    FLiteral = OneSided(Literals[0]);
}

// With one bound given the validator still checks a range, the other end
// being the widest value of the kind; its message names both ends. The open
// end means nothing to the user (and for floats reads -1.79769313486231571E308),
// so " between A and B." is said as " of at least A." or " of at most B.".
std::string TJudge::OneSided(const std::string& Literal) const {
  if (FOptions.Min.has_value() == FOptions.Max.has_value())
    return Literal;
  const std::size_t Between = Literal.rfind(" between ");
  const std::size_t And = Literal.find(" and ", Between == std::string::npos ? 0 : Between);
  if (Between == std::string::npos || And == std::string::npos || Literal.back() != '.')
    return Literal;
  const std::size_t Low = Between + 9;
  const std::size_t High = And + 5;
  return Literal.substr(0, Between) +
         (FOptions.Min ? " of at least " + Literal.substr(Low, And - Low)
                       : " of at most " + Literal.substr(High, Literal.size() - 1 - High)) +
         '.';
}

bool TJudge::Judge(long long LineNo, std::string_view Line, TTextSink& Out, TTextSink& Reports) {
  std::string_view Text = Line;
  if (FOptions.Encoding == enUtf8 && !IsAscii(Line)) {
    TDecodeFault Fault;
    if (!Utf8ToCp1252(Line, FDecoded, Fault)) {
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
    Text = FDecoded;
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
    Report(LineNo, Line, Text, Reports);
  if (FOptions.Output == omNormalize)
    WriteLine(Out, FText);
  else if (FOptions.Output == omDisplay && Valid)
    WriteLine(Out, FValidator.GetDisplayText(FText));
  return Valid;
}

// Line is the text as read, Text the same in code page 1252; the message
// names it as it was before normalising.
void TJudge::Report(long long LineNo, std::string_view Line, std::string_view Text,
                    TTextSink& Reports) {
  Reports.Location(FLabel, LineNo);
  if (FText.empty()) {
    Reports.Write("A value must be entered.");
  } else if (!FLiteral.empty()) {
    Reports.Put('"');
    WriteFlat(Reports, Line, false);
    Reports.Put('"');
    Reports.Write(FLiteral);
  } else {
    WriteFlat(Reports, OneSided(CaptureMessage(std::string(Text))), true);
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
  if (FOptions.Encoding == enUtf8 && !IsAscii(Text)) {
    FEncoded.clear();
    AppendUtf8(Text, FEncoded);
    Text = FEncoded;
  }
  To.Write(Text);
  To.Put('\n');
}

void TJudge::WriteFlat(TTextSink& To, std::string_view Text, bool Encode) {
  FEncoded.clear();
  Flatten(Text, Encode);
  To.Write(FEncoded);
}

void TJudge::Flatten(std::string_view Text, bool Encode) {
  const std::size_t Start = FEncoded.size();
  if (Encode && FOptions.Encoding == enUtf8)
    AppendUtf8(Text, FEncoded);
  else
    FEncoded.append(Text);
  for (std::size_t I = Start; I < FEncoded.size(); ++I)
    if (FEncoded[I] == '\r' || FEncoded[I] == '\n')
      FEncoded[I] = ' ';
}

} // namespace ValCheck
