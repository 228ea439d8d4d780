// The guide's snippet programs state the results the guide documents as
// Expect(...) lines; a wrong result names its line and fails the program, so
// the guide cannot claim what the library does not do.
#pragma once

#include <iostream>
#include <source_location>

namespace Snippets {

inline int Failures = 0;

inline void Expect(bool Holds, std::source_location Where = std::source_location::current()) {
  if (!Holds) {
    ++Failures;
    std::cerr << Where.file_name() << ":" << Where.line()
              << ": the documented result does not hold\n";
  }
}

} // namespace Snippets
