// A form built in code with validating edits, read back as typed values.
//
//   form_in_code          shows the form; closing it prints what was entered
//   form_in_code --fill   fills the edits from code and prints them (no display needed)
#include <iostream>
#include <string>

#include "valedit/valedit.h"
#include "validate/integer.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"

using namespace vcl;
using namespace ValEdit;

class TOrderForm : public TForm {
public:
  explicit TOrderForm(TComponent* AOwner) : TForm(AOwner) {
    SetCaption("Order");
    SetBounds(100, 100, 280, 150);
    Quantity = AddEdit("&Quantity", 12, vkInteger);
    Price = AddEdit("&Price", 44, vkCurrency);
    Due = AddEdit("&Due", 76, vkDate);
    auto* Range = static_cast<Validate::TIntegerValidator*>(Quantity->Validator());
    Range->SetMin(1);
    Range->SetMax(500);
  }
  TValidEdit* Quantity;
  TValidEdit* Price;
  TValidEdit* Due;

private:
  TValidEdit* AddEdit(const std::string& Caption, int Top, Byte Kind) {
    auto* Label = new TLabel(this);
    Label->SetParent(this);
    Label->SetBounds(12, Top + 4, 70, 17);
    Label->SetCaption(Caption);
    auto* Edit = new TValidEdit(this);
    Edit->SetParent(this);
    Edit->SetBounds(90, Top, 160, 21);
    Edit->SetKind(Kind);
    Edit->SetValidation({vtInput, vtFocus, vtSetValue}); // values from code are judged too
    Label->SetFocusControl(Edit);
    return Edit;
  }
};

int main(int argc, char** argv) {
  const bool Fill = argc > 1 && std::string(argv[1]) == "--fill";
  Application->Initialize(argc, argv, Fill);
  auto* Form = Application->CreateForm<TOrderForm>();
  if (Fill) {
    Form->Quantity->SetAsInteger(12);
    Form->Price->SetEditText("19.5");
    Form->Due->SetAsDate(EncodeDate(2026, 7, 1));
    try {
      Form->Quantity->SetAsInteger(900); // above the validator's maximum
    } catch (const EValidationError& E) {
      std::cout << "900 refused: \"" << E.what() << "\"\n";
    }
  } else if (int Status = Application->Run()) {
    return Status;
  }
  std::cout << "quantity " << Form->Quantity->AsInteger() << ", price "
            << CurrToStr(Form->Price->AsCurrency()) << ", due " << DateToStr(Form->Due->AsDate())
            << " (shown as " << Form->Price->DisplayText() << ")\n";
  return 0;
}
