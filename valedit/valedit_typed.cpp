// The typed views of the validating edit's value. Every one reads and writes
// EditText, so a typed write is normalised, judged and displayed exactly as
// an assigned text is; an empty text reads as zero of the type.
#include "valedit/valedit.h"

namespace ValEdit {

using namespace vcl;

namespace {

// Reads EditText with Convert, or zero of the type when it is empty. The
// conversion's own error reaches the caller unchanged.
template <typename R, typename F> R ReadTyped(TCustomValidEdit& Edit, F Convert) {
  if (Edit.EditText().empty())
    return R();
  return Convert(Edit.EditText());
}

} // namespace

Currency TCustomValidEdit::GetAsCurrency() {
  return ReadTyped<Currency>(*this, StrToCurr);
}

TDateTime TCustomValidEdit::GetAsDate() {
  return ReadTyped<TDateTime>(*this, StrToDate);
}

Extended TCustomValidEdit::GetAsFloat() {
  return ReadTyped<Extended>(*this, StrToFloat);
}

int TCustomValidEdit::GetAsInteger() {
  return ReadTyped<int>(*this, [](const std::string& S) { return StrToInt(S); });
}

std::string TCustomValidEdit::GetAsString() {
  return GetEditText();
}

TDateTime TCustomValidEdit::GetAsTime() {
  return ReadTyped<TDateTime>(*this, StrToTime);
}

Variant TCustomValidEdit::GetAsVariant() {
  return Variant(GetEditText());
}

void TCustomValidEdit::SetAsCurrency(Currency Value) {
  SetEditText(CurrToStr(Value));
}

void TCustomValidEdit::SetAsDate(TDateTime Value) {
  SetEditText(DateToStr(Value));
}

void TCustomValidEdit::SetAsFloat(Extended Value) {
  SetEditText(FloatToStr(Value));
}

void TCustomValidEdit::SetAsInteger(int Value) {
  SetEditText(IntToStr(Value));
}

void TCustomValidEdit::SetAsString(const std::string& Value) {
  SetEditText(Value);
}

void TCustomValidEdit::SetAsTime(TDateTime Value) {
  SetEditText(TimeToStr(Value));
}

void TCustomValidEdit::SetAsVariant(const Variant& Value) {
  SetEditText(VarToStr(Value));
}

} // namespace ValEdit
