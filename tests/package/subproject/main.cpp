// Judges a date with the validators of a valedit added as a subproject.
#include <iostream>

#include "validate/date.h"

int main() {
  Validate::TDateValidator Date(nullptr);
  const bool Good = Date.IsValid("7/1/26"), Bad = Date.IsValid("13/1/26");
  std::cout << "7/1/26 " << (Good ? "valid" : "refused") << ", 13/1/26 "
            << (Bad ? "valid" : "refused") << "\n";
  return Good && !Bad ? 0 : 1;
}
