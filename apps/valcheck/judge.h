// Judging one line as the validating edit judges its text when the focus
// leaves it, and writing what the options ask for: the report of a refused
// line, the normalised text or the display form. Buffers are kept from line
// to line, so a line costs no allocation once they have grown. A judge has
// its own validator and is used by one thread at a time.
#pragma once

#include <string>
#include <string_view>

#include "apps/valcheck/options.h"
#include "apps/valcheck/output.h"
#include "validate/validator.h"
#include "vcl/dialogs.h"

namespace ValCheck {

// While it lives, the validators' message boxes are not shown: each thread's
// judge takes the text of the box its validator asked for.
class TMessageCapture {
public:
  TMessageCapture();
  ~TMessageCapture();
  TMessageCapture(const TMessageCapture&) = delete;
  TMessageCapture& operator=(const TMessageCapture&) = delete;

private:
  vcl::TMessageDlgHandler FPrevious;
};

class TJudge {
public:
  // Literal: the message literal for refused texts when the validator's own
  // does not fit (UnboundedLiteral), or empty. Needs a TMessageCapture.
  TJudge(Validate::TValidator& V, const TOptions& O, const std::string& Literal);
  TJudge(const TJudge&) = delete;
  TJudge& operator=(const TJudge&) = delete;

  // Judges Line, in the input's encoding and without its line end; false
  // when it is refused. Out takes the texts, Reports the reports (the same
  // sink when no texts are asked for).
  bool Judge(long long LineNo, std::string_view Line, TTextSink& Out, TTextSink& Reports);

private:
  // The message of a refused text is '"', the text, '"' and a literal that
  // depends on the validator's settings only. Finds that literal by asking
  // the validator about two sample texts, so that a refusal costs no call
  // into the validator; leaves FLiteral empty when its messages are not of
  // that shape.
  void LearnLiteral();
  std::string OneSided(const std::string& Literal) const;
  std::string CaptureMessage(const std::string& Text);
  void Report(long long LineNo, std::string_view Line, std::string_view Text, TTextSink& Reports);
  // Writes a code page 1252 text in the output's encoding, and a line end.
  void WriteLine(TTextSink& To, std::string_view Text);
  // Text in the output's encoding, with line breaks as blanks so that a
  // report keeps to one line.
  void WriteFlat(TTextSink& To, std::string_view Text, bool Encode);
  // Appends that form of Text to FEncoded.
  void Flatten(std::string_view Text, bool Encode);

  Validate::TValidator& FValidator;
  const TOptions& FOptions;
  const std::string FLabel; // the input's name in reports
  std::string FCaptured;
  std::string FLiteral; // flat, in the output's encoding
  std::string FDecoded;
  std::string FText;
  std::string FEncoded;
};

// Reports a line longer than the limit.
void ReportTooLong(long long LineNo, const TOptions& O, TTextSink& Reports);

} // namespace ValCheck
