// Uses an installed valedit: a validator on its own, and a validating edit
// on a form, headless. It also defines its own leak-check suppressions,
// which a library must leave to the program.
#include <iostream>

#include "valedit/valedit.h"
#include "validate/picture.h"
#include "vcl/forms.h"

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\n";
}

int main(int argc, char** argv) {
  Validate::TPictureValidator Phone(nullptr);
  Phone.SetPicture("(###) ###-####");
  // Typed a key at a time: the picture fills in the literals after each.
  std::string Typed;
  bool Accepted = true;
  for (char Key : std::string("(5551234567")) {
    Typed += Key;
    Accepted = Accepted && Phone.IsValidInput(Typed, false);
  }
  const bool Filled = Accepted && Typed == "(555) 123-4567";

  vcl::Application->Initialize(argc, argv, true);
  auto* Form = vcl::Application->CreateForm<vcl::TForm>();
  auto* Edit = new ValEdit::TValidEdit(Form);
  Edit->SetParent(Form);
  Edit->SetKind(ValEdit::vkInteger);
  Edit->SetAsInteger(1234);
  std::cout << "filled: " << Typed << "; shown as " << Edit->DisplayText() << "\n";
  return Filled && Edit->DisplayText() == "1,234" ? 0 : 1;
}
