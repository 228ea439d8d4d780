// valcheck: judges data with the validators a form would use, one value per
// line, and reports each refused line with the validator's own message. It
// streams through fixed buffers: memory stays flat however long the input,
// and a line longer than the limit is refused without being held. Several
// threads judge blocks of lines; the output keeps the input's order.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "apps/valcheck/judge.h"
#include "apps/valcheck/make_validator.h"
#include "apps/valcheck/options.h"
#include "apps/valcheck/output.h"
#include "apps/valcheck/run.h"
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

int ThreadsFor(const TOptions& O) {
  if (O.Threads > 0)
    return O.Threads;
  const unsigned Processors = std::thread::hardware_concurrency();
  return Processors == 0 ? 1 : static_cast<int>(std::min(Processors, 8u));
}

} // namespace

int main(int Argc, char** Argv) {
  TOptions O;
  // One validator for each thread, all alike.
  std::vector<std::unique_ptr<Validate::TValidator>> Validators;
  try {
    O = ParseOptions(Argc, Argv);
    if (O.Help || O.Version) {
      std::cout << (O.Help ? UsageText : VersionText);
      return std::cout.flush() ? ExitValid : ExitUsage;
    }
    if (O.SystemLocale)
      vcl::LoadSystemLocale();
    for (int I = ThreadsFor(O); I > 0; --I)
      Validators.push_back(MakeValidator(O));
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
  TRunResult Run;
  {
    std::vector<std::unique_ptr<TJudge>> Judges;
    std::vector<TJudge*> Pointers;
    for (const auto& V : Validators) {
      Judges.push_back(std::make_unique<TJudge>(*V, O));
      Pointers.push_back(Judges.back().get());
    }
    Run = JudgeInput(Fd, O, Pointers, Out, Reports);
  }
  const bool Written = Out.Flush() && Errors.Flush();
  if (Run.ReadError != 0)
    return Failure("cannot read '" + InputName(O) + "': " + std::strerror(Run.ReadError));
  if (!Written)
    return Failure(std::string("cannot write: ") +
                   std::strerror(Out.Error() ? Out.Error() : Errors.Error()));
  return Run.AllValid ? ExitValid : ExitRefused;
}
