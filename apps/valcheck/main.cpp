// valcheck: judges data with the validators a form would use, one value per
// line, and reports each refused line with the validator's own message. It
// streams: one line is held at a time, and the buffers are reused, so memory
// stays flat however long the input is.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "apps/valcheck/make_validator.h"
#include "apps/valcheck/options.h"
#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

namespace {

using namespace ValCheck;

constexpr int ExitValid = 0;
constexpr int ExitRefused = 1;
constexpr int ExitUsage = 2;

int UsageFailure(const std::string& Message) {
  std::cerr << "valcheck: " << Message << "\nTry 'valcheck --help' for more information.\n";
  return ExitUsage;
}

// Judges every line as the validating edit does when the focus leaves it:
// the validator normalises the text, then judges it; an empty text that is
// not allowed gets the edit's own message. Returns whether all lines passed.
bool JudgeLines(std::istream& In, Validate::TValidator& V, const TOptions& O, std::ostream& Out,
                std::ostream& Reports) {
  // The validators report through the message box; here it writes into a
  // buffer that is reused for every refused line.
  std::string Captured;
  const auto Previous = vcl::SetMessageDlgHandler(
      [&Captured](const std::string& Msg, vcl::TMsgDlgType, vcl::TMsgDlgButtons, int) {
        Captured = Msg;
        return vcl::mrOk;
      });

  bool AllValid = true;
  std::string Line;
  std::string Text;
  long long LineNo = 0;
  while (std::getline(In, Line)) {
    ++LineNo;
    if (!Line.empty() && Line.back() == '\r')
      Line.pop_back();
    Text = Line;
    bool Valid;
    try {
      V.SetText(Text);
      Valid = V.IsValid(Text) && !(O.Required && Text.empty());
    } catch (const vcl::Exception&) {
      // A conversion error that the edit would let escape (a float with
      // letters among its decimals): for a batch it is simply a refusal.
      Valid = false;
      Text = Line;
    }
    if (!Valid) {
      AllValid = false;
      if (Text.empty()) {
        Captured = "A value must be entered.";
      } else {
        Captured.clear();
        V.ShowErrorMessage(false, Line); // the text as it was before normalising
        // A message may break its line (the picture's comes on a second
        // one); a report keeps to one line.
        for (char& Ch : Captured)
          if (Ch == '\r' || Ch == '\n')
            Ch = ' ';
      }
      Reports << LineNo << ": " << Captured << '\n';
    }
    if (O.Output == omNormalize)
      Out << Text << '\n';
    else if (O.Output == omDisplay)
      Out << V.GetDisplayText(Text) << '\n';
  }
  vcl::SetMessageDlgHandler(Previous);
  return AllValid;
}

} // namespace

int main(int Argc, char** Argv) {
  std::ios::sync_with_stdio(false);
  TOptions O;
  std::unique_ptr<Validate::TValidator> V;
  try {
    O = ParseOptions(Argc, Argv);
    if (O.Help) {
      std::cout << UsageText;
      return ExitValid;
    }
    if (O.SystemLocale)
      vcl::LoadSystemLocale();
    V = MakeValidator(O);
  } catch (const TUsageError& E) {
    return UsageFailure(E.what());
  }

  std::ifstream File;
  std::istream* In = &std::cin;
  if (!O.File.empty() && O.File != "-") {
    std::error_code Ignored;
    if (std::filesystem::is_directory(O.File, Ignored))
      return UsageFailure("cannot read '" + O.File + "': it is a directory");
    File.open(O.File, std::ios::binary);
    if (!File)
      return UsageFailure("cannot read '" + O.File + "': " + std::strerror(errno));
    In = &File;
  }

  // With a text output the reports go to standard error, so that standard
  // output keeps one line for each input line; std::clog is the buffered
  // stream on standard error, so a report does not cost a write each.
  std::ostream& Reports = O.Output == omMessages ? std::cout : std::clog;
  const bool AllValid = JudgeLines(*In, *V, O, std::cout, Reports);
  if (In->bad())
    return UsageFailure("reading '" + (O.File.empty() ? std::string("-") : O.File) + "' failed");
  std::cout.flush();
  std::clog.flush();
  return AllValid ? ExitValid : ExitRefused;
}
