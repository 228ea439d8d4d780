// The property editors of the validating edit.
#include "design/editors.h"

#include <typeinfo>

#include "validate/kinds.h"

namespace ValEdit {

using namespace vcl;

TPropertyAttributes TValidEditKindProperty::GetAttributes() {
  return {paValueList, paMultiSelect, paRevertable};
}

std::string TValidEditKindProperty::GetValue() {
  const std::int64_t V = GetOrdValue();
  if (V >= 0 && V < static_cast<std::int64_t>(Validate::ValidatorKinds.size()))
    return std::string(Validate::ValidatorKinds[V].Name);
  return IntToStr(V);
}

void TValidEditKindProperty::GetValues(const TGetStrProc& Proc) {
  for (const Validate::TValidatorKind& Row : Validate::ValidatorKinds)
    Proc(std::string(Row.Name));
}

void TValidEditKindProperty::SetValue(const std::string& Value) {
  if (Value.empty()) {
    SetOrdValue(0);
    return;
  }
  for (const Validate::TValidatorKind& Row : Validate::ValidatorKinds)
    if (SameText(Value, std::string(Row.Name))) {
      SetOrdValue(Row.Number);
      return;
    }
  TIntegerProperty::SetValue(Value);
}

bool TValidatorProperty::AllEqual() {
  if (PropCount() <= 1)
    return true;
  const TPersistent* First = GetComponent(0);
  for (int I = 1; I < PropCount(); ++I)
    if (typeid(*GetComponent(I)) != typeid(*First))
      return false;
  return true;
}

TPropertyAttributes TValidatorProperty::GetAttributes() {
  return {paSubProperties, paMultiSelect};
}

std::string TCustomDateProperty::GetValue() {
  return DateToStr(static_cast<TDateTime>(GetFloatValue()));
}

std::string TCustomTimeProperty::GetValue() {
  return TimeToStr(static_cast<TDateTime>(GetFloatValue()));
}

} // namespace ValEdit
