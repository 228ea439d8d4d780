// valcheck: judges data with the validators a form would use, one value per
// line, and reports each refused line with the validator's own message. It
// streams through fixed buffers: memory stays flat however long the input,
// and a line longer than the limit is refused without being held.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "apps/valcheck/judge.h"
#include "apps/valcheck/line_reader.h"
#include "apps/valcheck/make_validator.h"
#include "apps/valcheck/options.h"
#include "apps/valcheck/output.h"
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

int Failure(const std::string& Message) {
  std::cerr << "valcheck: " << Message << '\n';
  return ExitUsage;
}

std::string InputName(const TOptions& O) {
  return O.File.empty() ? std::string("-") : O.File;
}

// Standard input, or the file; -1 with errno set when it cannot be read.
int OpenInput(const TOptions& O) {
  if (O.File.empty() || O.File == "-")
    return STDIN_FILENO;
  const int Fd = ::open(O.File.c_str(), O_RDONLY);
  struct stat Info;
  if (Fd >= 0 && ::fstat(Fd, &Info) == 0 && S_ISDIR(Info.st_mode)) {
    ::close(Fd);
    errno = EISDIR;
    return -1;
  }
  return Fd;
}

struct TRun {
  bool AllValid = true;
  int ReadError = 0;
};

TRun JudgeInput(int Fd, TJudge& Judge, const TOptions& O, TOutput& Out, TOutput& Reports) {
  TRun Run;
  TLineReader Reader(Fd, O.MaxLineLength);
  std::string_view Line;
  for (long long LineNo = 1; Out.Error() == 0 && Reports.Error() == 0; ++LineNo) {
    const TLineReader::TKind Kind = Reader.Next(Line, Judge.Overflow());
    if (Kind == TLineReader::lkEnd)
      break;
    if (Kind == TLineReader::lkError) {
      Run.ReadError = Reader.Error();
      break;
    }
    if (Kind == TLineReader::lkTooLong) {
      Judge.TooLong(LineNo);
      if (O.Output == omNormalize)
        Out.Put('\n');
      Run.AllValid = false;
      continue;
    }
    if (LineNo == 1 && O.Encoding == enUtf8 && Line.starts_with(Utf8Bom))
      Line.remove_prefix(Utf8Bom.size());
    if (!Judge.Judge(LineNo, Line))
      Run.AllValid = false;
  }
  return Run;
}

} // namespace

int main(int Argc, char** Argv) {
  TOptions O;
  std::unique_ptr<Validate::TValidator> V;
  std::string Literal;
  try {
    O = ParseOptions(Argc, Argv);
    if (O.Help) {
      std::cout << UsageText;
      return std::cout.flush() ? ExitValid : ExitUsage;
    }
    if (O.SystemLocale)
      vcl::LoadSystemLocale();
    V = MakeValidator(O);
    Literal = UnboundedLiteral(O);
  } catch (const TUsageError& E) {
    return UsageFailure(E.what());
  }

  const int Fd = OpenInput(O);
  if (Fd < 0)
    return Failure("cannot read '" + InputName(O) + "': " + std::strerror(errno));

  // With a text output the reports go to standard error, so that standard
  // output keeps one line for each input line.
  TOutput Out(STDOUT_FILENO);
  TOutput Errors(STDERR_FILENO);
  TOutput& Reports = O.Output == omMessages ? Out : Errors;
  TRun Run;
  {
    TJudge Judge(*V, O, Literal, Out, Reports);
    Run = JudgeInput(Fd, Judge, O, Out, Reports);
  }
  const bool Written = Out.Flush() && Errors.Flush();
  if (Run.ReadError != 0)
    return Failure("cannot read '" + InputName(O) + "': " + std::strerror(Run.ReadError));
  if (!Written)
    return Failure(std::string("cannot write: ") +
                   std::strerror(Out.Error() ? Out.Error() : Errors.Error()));
  return Run.AllValid ? ExitValid : ExitRefused;
}
