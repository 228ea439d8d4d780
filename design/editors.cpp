// The property editors of the validating edit.
#include "design/editors.h"

#include <array>
#include <typeinfo>

namespace ValEdit {

using namespace vcl;

namespace {

// The names of the kinds that select a validator class, by value.
const std::array<const char*, 9> KindNames{"vkNone",    "vkFilter",   "vkInteger",
                                           "vkFloat",   "vkCurrency", "vkStringLookup",
                                           "vkPicture", "vkDate",     "vkTime"};

} // namespace

TPropertyAttributes TValidEditKindProperty::GetAttributes() {
  return {paValueList, paMultiSelect, paRevertable};
}

std::string TValidEditKindProperty::GetValue() {
  const std::int64_t V = GetOrdValue();
  if (V >= 0 && V < static_cast<std::int64_t>(KindNames.size()))
    return KindNames[V];
  return IntToStr(V);
}

void TValidEditKindProperty::GetValues(const TGetStrProc& Proc) {
  for (const char* Name : KindNames)
    Proc(Name);
}

void TValidEditKindProperty::SetValue(const std::string& Value) {
  if (Value.empty()) {
    SetOrdValue(0);
    return;
  }
  for (std::size_t I = 0; I < KindNames.size(); ++I)
    if (SameText(Value, KindNames[I])) {
      SetOrdValue(static_cast<std::int64_t>(I));
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
