// valcheck's command line: what the user asked for, parsed but not yet
// interpreted (numbers are converted later, with the validator's own
// conversions and after the locale has been chosen).
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

#include "apps/valcheck/encoding.h"

namespace ValCheck {

// Bad usage: valcheck prints the message and exits with status 2.
class TUsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum TOutputMode { omMessages, omNormalize, omDisplay };

struct TOptions {
  std::string Kind;
  std::optional<std::string> Min;
  std::optional<std::string> Max;
  std::optional<std::string> Precision;
  std::optional<std::string> Picture;
  std::optional<std::string> Format;
  std::optional<std::string> Words;
  std::optional<std::string> Chars;
  bool CaseSensitive = false;
  bool InvalidChars = false;
  bool LeadingZeros = false;
  bool SystemLocale = false;
  bool Required = false;
  TOutputMode Output = omMessages;
  bool FromDisplay = false; // lines are display forms, as --display prints them
  TEncoding Encoding = enUtf8;
  std::size_t MaxLineLength = DefaultMaxLineLength;
  int Threads = 0; // 0: one per processor
  int Column = 0;  // 0: the whole line; else the field of a delimited record
  char Delimiter = ',';
  bool Header = false; // the first line (or record) is not judged
  std::string File;    // empty or "-": standard input
  bool Help = false;
  bool Version = false;

  // How reports name the input: FILE:LINE: message.
  std::string InputLabel() const { return File.empty() || File == "-" ? "(standard input)" : File; }

  // A stray huge line (a file without line ends) is refused rather than
  // held: a megabyte is far more than any value a form would take.
  static constexpr std::size_t DefaultMaxLineLength = 1024 * 1024;
  static constexpr std::size_t LargestMaxLineLength = std::size_t(1) << 30;
  static constexpr int MostThreads = 64;
  static constexpr int MostColumns = 100000;
};

// Raises TUsageError for an unknown option, a missing value, an unknown kind
// or an option that the kind does not take. -h or --help anywhere among the
// options asks for the usage text and nothing else, --version for the
// version.
TOptions ParseOptions(int Argc, const char* const* Argv);

extern const char* const UsageText;
extern const char* const VersionText;

} // namespace ValCheck
