// The typed views of the validating edit's value. Every one reads and writes
// EditText, so a typed write is normalised, judged and displayed exactly as
// an assigned text is; an empty text reads as zero of the type. Texts are
// read and written with the validator's formatting settings.
#include "valedit/valedit.h"

namespace ValEdit {

using namespace vcl;

namespace {

// Reads EditText with Convert, or zero of the type when it is empty. The
// conversion's own error reaches the caller unchanged.
template <typename R>
R ReadTyped(TCustomValidEdit& Edit, R (*Convert)(const std::string&, const TFormatSettings&)) {
  if (Edit.EditText().empty())
    return R();
  return Convert(Edit.EditText(), Edit.Validator()->FormatSettings());
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
  return EditText().empty() ? 0 : StrToInt(EditText());
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
  SetEditText(CurrToStr(Value, FValidator->FormatSettings()));
}

void TCustomValidEdit::SetAsDate(TDateTime Value) {
  SetEditText(DateToStr(Value, FValidator->FormatSettings()));
}

void TCustomValidEdit::SetAsFloat(Extended Value) {
  SetEditText(FloatToStr(Value, FValidator->FormatSettings()));
}

void TCustomValidEdit::SetAsInteger(int Value) {
  SetEditText(IntToStr(Value));
}

void TCustomValidEdit::SetAsString(const std::string& Value) {
  SetEditText(Value);
}

void TCustomValidEdit::SetAsTime(TDateTime Value) {
  SetEditText(TimeToStr(Value, FValidator->FormatSettings()));
}

void TCustomValidEdit::SetAsVariant(const Variant& Value) {
  SetEditText(VarToStr(Value));
}

} // namespace ValEdit
