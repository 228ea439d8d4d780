// forminspect's command line: what the user asked for, in the order given.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace FormInspect {

// Bad usage: forminspect prints the message and exits with status 2.
class TUsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

struct TOptions {
  std::string Form;                // the form file; "-": standard input
  std::vector<std::string> Select; // component names; empty: the form itself
  bool List = false;
  bool Events = false;
  std::vector<std::string> Values;                         // property paths
  std::vector<std::pair<std::string, std::string>> Assign; // path, text
  std::string Output;                                      // "-": standard output
  bool Palette = false;
  std::string ExportDir;
  std::string ConvertDatabase; // a code page 1252 database to convert to UTF-8
  bool OpenDataSets = false;
  std::size_t MaxFormSize = DefaultMaxFormSize;
  bool Help = false;

  // Listing is what forminspect does when asked for nothing else, or for
  // the events.
  bool ListsProperties() const {
    return List || Events || (Values.empty() && Assign.empty() && Output.empty());
  }

  // A form file is text a person or a designer writes: sixteen megabytes
  // hold thousands of components with their pictures. A larger input (or
  // /dev/zero) is refused before it is held.
  static constexpr std::size_t DefaultMaxFormSize = 16 * 1024 * 1024;
  static constexpr std::size_t LargestMaxFormSize = std::size_t(1) << 30;
};

// Raises TUsageError for an unknown option, a missing or bad value, a --set
// without "=", or no form where one is needed. -h or --help anywhere asks
// for the usage text and nothing else.
TOptions ParseOptions(int Argc, const char* const* Argv);

extern const char* const UsageText;

} // namespace FormInspect
