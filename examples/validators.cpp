// Judging strings with the validators alone: no window, no GUI library (this
// program links valedit::validate only). Each line of input is judged as a
// whole value and, where the validator completes or normalises texts, shown
// as it would be stored.
//
//   validators               judges a few sample texts
//   validators FILE          judges every line of FILE as a phone number
#include <fstream>
#include <iostream>
#include <string>

#include "validate/validate.h"

using namespace Validate;

namespace {

void Judge(TValidator& V, const std::string& Name, std::string Text) {
  const std::string Typed = Text;
  const bool Whole = V.IsValid(Text);
  std::string Stored = Text;
  if (Whole)
    V.SetText(Stored); // the form an assigned value is stored in
  std::cout << Name << " '" << Typed
            << "': " << (Whole ? "valid, stored as '" + Stored + "'" : "refused") << "\n";
}

} // namespace

int main(int argc, char** argv) {
  TPictureValidator Phone(nullptr);
  Phone.SetPicture("(###) ###-####");

  if (argc > 1) {
    std::ifstream In(argv[1]);
    if (!In) {
      std::cerr << "validators: cannot read " << argv[1] << "\n";
      return 2;
    }
    int Refused = 0;
    for (std::string Line; std::getline(In, Line);) {
      Refused += !Phone.IsValid(Line);
      Judge(Phone, "phone", Line);
    }
    return Refused ? 1 : 0;
  }

  TIntegerValidator Quantity(nullptr);
  Quantity.SetMin(1); // setting a bound switches the range on
  Quantity.SetMax(999);
  TFloatValidator Price(nullptr);
  Price.SetPrecision(2);
  TTimeValidator Time(nullptr);
  TStringLookupValidator Colour(nullptr);
  for (const char* Word : {"red", "green", "blue"})
    Colour.Items()->Add(Word);

  Judge(Phone, "phone", "(555) 123-4567");
  Judge(Phone, "phone", "555-1234");
  Judge(Quantity, "quantity", "12");
  Judge(Quantity, "quantity", "1000");
  Judge(Price, "price", "3.5");
  Judge(Time, "time", "1:05 pm");
  Judge(Colour, "colour", "Green");
  Judge(Colour, "colour", "purple");

  // Typing, as an edit screens it key by key: the opening bracket is the
  // user's to type, the picture fills in the literals after the digits.
  const std::string Keys = "(5551234567";
  std::string Typed;
  for (char Key : Keys) {
    std::string Next = Typed + Key;
    if (Phone.IsValidInput(Next, false))
      Typed = Next;
  }
  std::cout << "typing " << Keys << " gives '" << Typed << "'\n";
  return 0;
}
