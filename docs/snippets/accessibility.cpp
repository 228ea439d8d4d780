// The guide's examples of naming controls for screen readers: the name a
// label gives, the AccessibleName property, the hint as description, and
// what a screen reader is told of a field. Runs headless; each region
// between "// [name]" and "// [end]" is quoted in docs/, and its Expect
// lines are the results the guide states.
#include "vcl/accessibility.h"
#include "docs/snippets/expect.h"
#include "valedit/valedit.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"

using Snippets::Expect;

int main() {
  vcl::Application->Initialize(true);
  auto* Form = new vcl::TForm(nullptr);
  Form->SetCaption("Customer order");

  // [label names]
  auto* Quantity = new ValEdit::TValidEdit(Form);
  Quantity->SetParent(Form);
  auto* QuantityLabel = new vcl::TLabel(Form);
  QuantityLabel->SetParent(Form);
  QuantityLabel->SetCaption("&Quantity:");
  QuantityLabel->SetFocusControl(Quantity); // Alt+Q, and the field's name
  Expect(vcl::AccessibleNameOf(Quantity) == "Quantity:");
  // [end]

  // [accessible name]
  auto* Discount = new ValEdit::TValidEdit(Form);
  Discount->SetParent(Form);
  Discount->SetAccessibleName("Discount in percent");
  Discount->SetHint("0 to 100, two decimals at most");
  Expect(vcl::AccessibleNameOf(Discount) == "Discount in percent");
  Expect(vcl::AccessibleDescriptionOf(Discount) == "0 to 100, two decimals at most");
  // [end]

  // [what is read]
  Quantity->SetEditText("12");
  Expect(Quantity->AccessibleRole() == vcl::arEdit);
  Expect(vcl::AccessibleValueOf(Quantity) == "12");
  Expect(vcl::AccessibleNameOf(Form) == "Customer order");
  // [end]

  delete Form;
  return Snippets::Failures == 0 ? 0 : 1;
}
