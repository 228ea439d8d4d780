// TField: one value of the current record, its texts, its typed accessors
// and its place in a data set. The typed field classes are in fields.cpp.
#include <climits>

#include "vcl/db.h"
#include "vcl/db/detail/storage.h"

namespace vcl {

void DatabaseError(const std::string& Message, const TComponent* Component) {
  if (Component && !Component->Name().empty())
    throw EDatabaseError(Component->Name() + ": " + Message);
  throw EDatabaseError(Message);
}

TField::TField(TComponent* AOwner) : TComponent(AOwner) {
  RegisterDBClasses();
}

TField::~TField() {
  Destroying();
  if (FDataSet)
    FDataSet->RemoveField(this);
}

void TField::SetDataSet(TDataSet* Value) {
  if (Value == FDataSet)
    return;
  if ((FDataSet && FDataSet->Active()) || (Value && Value->Active()))
    DatabaseError("Cannot change the fields of an open data set", this);
  if (FDataSet)
    FDataSet->RemoveField(this);
  FDataSet = Value;
  if (Value)
    Value->AddField(this);
}

TComponent* TField::GetParentComponent() const {
  return FDataSet;
}

void TField::SetParentComponent(TComponent* Value) {
  if (auto* DataSet = dynamic_cast<TDataSet*>(Value))
    SetDataSet(DataSet);
}

void TField::SetFieldName(const std::string& Value) {
  if (FDataSet && FDataSet->Active())
    DatabaseError("Cannot rename a field of an open data set", this);
  FFieldName = Value;
}

int TField::Index() const {
  return FDataSet ? FDataSet->Fields()->IndexOf(this) : -1;
}

void TField::SetSize(int Value) {
  if (FDataSet && FDataSet->Active())
    DatabaseError("Cannot change the size of a field of an open data set", this);
  FSize = std::max(Value, 0);
}

// Property changes that the controls show go to the links as a layout change.
void TField::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  if (FDataSet && FDataSet->Active())
    FDataSet->DataEvent(deLayoutChange);
}

void TField::SetEditMask(const TEditMask& Value) {
  FEditMask = Value;
  if (FDataSet && FDataSet->Active())
    FDataSet->DataEvent(deLayoutChange);
}

void TField::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (FDataSet && FDataSet->Active())
    FDataSet->DataEvent(deUpdateState);
}

const TDBValue& TField::Value() const {
  static const TDBValue Null;
  if (!FDataSet || FFieldNo == 0 || !FDataSet->Active())
    return Null;
  const TRecordBuffer& Rec = FDataSet->ActiveBuffer();
  return FFieldNo <= static_cast<int>(Rec.size()) ? Rec[FFieldNo - 1] : Null;
}

void TField::SetValue(TDBValue Value) {
  if (!FDataSet || FFieldNo == 0 || !FDataSet->Active())
    DatabaseError("Field '" + DisplayLabel() + "' has no open data set");
  FDataSet->SetFieldValue(this, std::move(Value));
}

bool TField::IsNull() const {
  return IsNullValue(Value());
}

void TField::Clear() {
  SetValue(TDBValue());
}

bool TField::CanModify() const {
  return !FReadOnly && FDataSet && FDataSet->CanModify();
}

bool TField::IsValidChar(char32_t) const {
  return true;
}

void TField::FocusControl() {
  if (!FDataSet || !FDataSet->Active())
    return;
  TField* Field = this;
  FDataSet->DataEvent(deFocusControl, reinterpret_cast<std::intptr_t>(&Field));
}

std::string TField::DisplayText() const {
  std::string S;
  if (OnGetText)
    OnGetText(const_cast<TField*>(this), S, true);
  else
    GetText(S, true);
  return S;
}

std::string TField::EditText() const {
  std::string S;
  if (OnGetText)
    OnGetText(const_cast<TField*>(this), S, false);
  else
    GetText(S, false);
  return S;
}

void TField::SetEditText(const std::string& Value) {
  if (OnSetText)
    OnSetText(this, Value);
  else
    SetTextValue(Value);
}

void TField::GetText(std::string& Text, bool) const {
  Text = GetAsString();
}

void TField::SetTextValue(const std::string& Value) {
  SetAsStringValue(Value);
}

int TField::AsInteger() const {
  const std::int64_t V = GetAsLargeInt();
  if (V < INT_MIN || V > INT_MAX)
    DatabaseError(std::to_string(V) + " is out of the range of an Integer in field '" +
                  DisplayLabel() + "'");
  return static_cast<int>(V);
}

void TField::SetAsVariant(const Variant& Value) {
  switch (Value.VarType()) {
  case varEmpty:
  case varNull:
    Clear();
    break;
  case varInteger:
    SetAsLargeInt(Value.AsInteger());
    break;
  case varDouble:
    SetAsFloat(Value.AsFloat());
    break;
  case varCurrency:
    SetAsCurrency(Value.AsCurrency());
    break;
  case varDate:
    SetAsDateTime(Value.AsDateTime());
    break;
  case varBoolean:
    SetAsBoolean(Value.AsBoolean());
    break;
  case varString:
    SetAsString(Value.AsString());
    break;
  }
}

void TField::AccessError(const std::string& TypeName) const {
  DatabaseError("Field '" + DisplayLabel() + "' cannot be used as a " + TypeName);
}

std::string TField::GetAsString() const {
  return dbstore::ValueText(Value());
}
void TField::SetAsStringValue(const std::string&) {
  AccessError("String");
}
std::int64_t TField::GetAsLargeInt() const {
  AccessError("Integer");
}
void TField::SetAsLargeIntValue(std::int64_t) {
  AccessError("Integer");
}
double TField::GetAsFloat() const {
  AccessError("Float");
}
void TField::SetAsFloatValue(double) {
  AccessError("Float");
}
Currency TField::GetAsCurrency() const {
  AccessError("Currency");
}
void TField::SetAsCurrencyValue(Currency) {
  AccessError("Currency");
}
TDateTime TField::GetAsDateTime() const {
  AccessError("DateTime");
}
void TField::SetAsDateTimeValue(TDateTime) {
  AccessError("DateTime");
}
bool TField::GetAsBoolean() const {
  AccessError("Boolean");
}
void TField::SetAsBooleanValue(bool) {
  AccessError("Boolean");
}
Variant TField::GetAsVariant() const {
  return IsNull() ? Variant::Null() : Variant(GetAsString());
}

// ---------------------------------------------------------------------------

TField* TFields::FindField(const std::string& FieldName) const {
  for (TField* F : FList)
    if (SameText(F->FieldName(), FieldName))
      return F;
  return nullptr;
}

int TFields::IndexOf(const TField* Field) const {
  for (std::size_t I = 0; I < FList.size(); ++I)
    if (FList[I] == Field)
      return static_cast<int>(I);
  return -1;
}

} // namespace vcl
