// [first program]
#include <iostream>
#include <string>

#include "validate/integer.h"

int main() {
  Validate::TIntegerValidator Quantity(nullptr); // no owning control
  Quantity.SetNoBounds(false);
  Quantity.SetMin(1);
  Quantity.SetMax(500);
  for (std::string Text : {"120", "900", "12a"})
    std::cout << Text << (Quantity.IsValid(Text) ? " is valid\n" : " is not valid\n");
}
// [end]
