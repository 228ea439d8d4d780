// The validator base and the error display shared by every validator.
#include "validate/validator.h"

#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

namespace Validate {

void ShowErrorBox(const std::string& Msg) {
  vcl::MessageDlg(Msg, vcl::mtError, {vcl::mbOK}, 0);
}

std::string QuotedMessage(const std::string& S, const std::string& Literal) {
  return '"' + S + '"' + Literal;
}

char GroupSeparator() {
  if (vcl::DecimalSeparator == '.')
    return ',';
  if (vcl::ThousandSeparator == vcl::DecimalSeparator || vcl::ThousandSeparator == '\0')
    return '.';
  return vcl::ThousandSeparator;
}

// One pass from left to right: a display of a long number must not move the
// rest of the text along for every separator it gains.
std::string GroupDigits(const std::string& S, int End, int After) {
  const char Separator = GroupSeparator();
  std::string Result;
  Result.reserve(S.size() + S.size() / 3 + 1);
  for (int Pos = 1; Pos <= vcl::Length(S); ++Pos) {
    if (Pos > After && End - Pos >= 3 && (End - Pos) % 3 == 0)
      Result += Separator;
    Result += S[static_cast<std::size_t>(Pos - 1)];
  }
  return Result;
}

TValidator::TValidator(vcl::TObject* AOwner) : FOwner(AOwner) {}

IValidatorOwner* TValidator::OwnerEdit() const {
  return dynamic_cast<IValidatorOwner*>(FOwner);
}

bool TValidator::OwnerReading() const {
  const auto* Component = dynamic_cast<const vcl::TComponent*>(FOwner);
  return Component && Component->ComponentState().Contains(vcl::csReading);
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
