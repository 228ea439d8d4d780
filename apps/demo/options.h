// The demo's command line.
#pragma once

#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace Demo {

struct TOptions {
  bool Help = false;
  bool SystemLocale = false;
  std::string Screenshot;            // paint the form to this PNG file, headless
  std::string Script;                // play this script against the form
  std::string Database = ":memory:"; // the customer file
};

// The usage text --help prints.
extern const char* const UsageText;

// Reads the arguments after the program's name; raises EOptionError for
// anything it does not know, with a message that says what is wrong.
TOptions ParseOptions(const std::vector<std::string>& Args);

class EOptionError : public std::exception {
public:
  explicit EOptionError(std::string Msg) : FMsg(std::move(Msg)) {}
  const char* what() const noexcept override { return FMsg.c_str(); }

private:
  std::string FMsg;
};

} // namespace Demo
