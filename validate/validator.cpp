// The validator base and the error display shared by every validator.
#include "validate/validator.h"

#include "vcl/dialogs.h"

namespace Validate {

void ShowErrorBox(const std::string& Msg) {
  vcl::MessageDlg(Msg, vcl::mtError, {vcl::mbOK}, 0);
}

std::string QuotedMessage(const std::string& S, const std::string& Literal) {
  return '"' + S + '"' + Literal;
}

TValidator::TValidator(vcl::TObject* AOwner) : FOwner(AOwner) {}

IValidatorOwner* TValidator::OwnerEdit() const {
  return dynamic_cast<IValidatorOwner*>(FOwner);
}

void TValidator::Change() {
  if (OnChange) {
    OnChange(this);
    return;
  }
  if (IValidatorOwner* Edit = OwnerEdit()) {
    if (!Edit->Valid())
      Edit->SetEditText("");
    Edit->ValidatorChange();
  }
}

std::string TValidator::GetDisplayText(std::string S) {
  return S;
}

bool TValidator::IsValid(std::string) {
  return true;
}

bool TValidator::IsValidInput(std::string&, bool) {
  return true;
}

void TValidator::SetText(std::string&) {}

void TValidator::ShowErrorMessage(bool, std::string) {
  ShowErrorBox("The text is invalid.");
}

} // namespace Validate
