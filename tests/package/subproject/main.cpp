// Judges a date with the validators alone (no GUI): built against a valedit
// added as a subproject, and against the installed one through pkg-config.
#include <iostream>

#include "validate/date.h"

int main() {
  Validate::TDateValidator Date(nullptr);
  const bool Good = Date.IsValid("7/1/2026"), Bad = Date.IsValid("13/1/2026");
  std::cout << "7/1/2026 " << (Good ? "valid" : "refused") << ", 13/1/2026 "
            << (Bad ? "valid" : "refused") << "\n";
  return Good && !Bad ? 0 : 1;
}
