// Judging one line as the validating edit judges its text when the focus
// leaves it, and writing what the options ask for: the report of a refused
// line (in the validator's own words), the normalised text or the display
// form. Buffers are kept from line to line, so an accepted line costs no
// allocation once they have grown. A judge has its own validator and is used
// by one thread at a time.
#pragma once

#include <string>
#include <string_view>

#include "apps/valcheck/options.h"
#include "apps/valcheck/output.h"
#include "validate/validator.h"

namespace ValCheck {

class TJudge {
public:
  TJudge(Validate::TValidator& V, const TOptions& O);
  TJudge(const TJudge&) = delete;
  TJudge& operator=(const TJudge&) = delete;

  // Judges Line, in the input's encoding and without its line end; false
  // when it is refused. Out takes the texts, Reports the reports (the same
  // sink when no texts are asked for).
  bool Judge(long long LineNo, std::string_view Line, TTextSink& Out, TTextSink& Reports);

private:
  void Report(long long LineNo, std::string_view Text, TTextSink& Reports);
  // Writes a text and a line end.
  void WriteLine(TTextSink& To, std::string_view Text);
  // Writes a text with line breaks as blanks, so that a report keeps to one
  // line.
  void WriteFlat(TTextSink& To, std::string_view Text);

  Validate::TValidator& FValidator;
  const TOptions& FOptions;
  const std::string FLabel; // the input's name in reports
  std::string FDecoded;
  std::string FText;
  std::string FFlat;
};

// Reports a line longer than the limit.
void ReportTooLong(long long LineNo, const TOptions& O, TTextSink& Reports);

} // namespace ValCheck
