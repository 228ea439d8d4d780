// The parameters of a data set's SQL: typed values kept in the form the
// fields of their type store (so a parameter compares with a column as the
// field's own value would), and their text as form files keep it.
#include <algorithm>

#include "vcl/db.h"
#include "vcl/db/detail/storage.h"

namespace vcl {

namespace {

[[noreturn]] void NotA(const std::string& Text, const char* What, const TParam* Param) {
  throw EConvertError("'" + Text + "' is not a valid " + What + " for parameter '" +
                      Param->ParamName() + "'");
}

TDBValue DateValue(TFieldType Type, TDateTime Value) {
  switch (Type) {
  case ftDate:
    return dbstore::IsoDate(Value);
  case ftTime:
    return dbstore::IsoTime(Value);
  default:
    return dbstore::IsoDateTime(Value);
  }
}

} // namespace

TParam::TParam(TComponent* AOwner) : TComponent(AOwner) {
  RegisterDBClasses();
}

TParam::~TParam() {
  Destroying();
  if (FParams)
    std::erase(FParams->FList, this);
}

void TParam::Store(TFieldType Type, TDBValue Value) {
  FDataType = Type;
  FValue = std::move(Value);
}

void TParam::SetAsString(const std::string& Value) {
  Store(ftString, Value.empty() ? TDBValue() : TDBValue(Value));
}
void TParam::SetAsLargeInt(std::int64_t Value) {
  Store(ftInteger, Value);
}
void TParam::SetAsFloat(double Value) {
  Store(ftFloat, Value);
}
void TParam::SetAsCurrency(Currency Value) {
  Store(ftCurrency, dbstore::CurrencyValue(Value));
}
void TParam::SetAsDate(TDateTime Value) {
  Store(ftDate, DateValue(ftDate, Value));
}
void TParam::SetAsTime(TDateTime Value) {
  Store(ftTime, DateValue(ftTime, Value));
}
void TParam::SetAsDateTime(TDateTime Value) {
  Store(ftDateTime, DateValue(ftDateTime, Value));
}
void TParam::SetAsBoolean(bool Value) {
  Store(ftBoolean, std::int64_t(Value ? 1 : 0));
}

std::string TParam::ValueText() const {
  if (FDataType == ftBoolean && !IsNull())
    return std::get<std::int64_t>(FValue) ? "True" : "False";
  return dbstore::ValueText(FValue);
}

void TParam::SetValueText(const std::string& Text) {
  if (Text.empty()) {
    Clear();
    return;
  }
  switch (FDataType) {
  case ftInteger:
    if (const auto I = dbstore::ParseInteger(Text))
      return SetAsLargeInt(*I);
    NotA(Text, "integer value", this);
  case ftFloat:
    if (const auto D = dbstore::ParseReal(Text))
      return SetAsFloat(*D);
    NotA(Text, "floating point value", this);
  case ftCurrency:
    if (const auto C = dbstore::ParseCurrency(Text))
      return SetAsCurrency(*C);
    NotA(Text, "currency value", this);
  case ftBoolean:
    if (SameText(Text, "True") || SameText(Text, "False"))
      return SetAsBoolean(SameText(Text, "True"));
    NotA(Text, "boolean value", this);
  case ftDate:
  case ftTime:
  case ftDateTime:
    if (const auto D = dbstore::ParseIso(Text))
      return Store(FDataType, DateValue(FDataType, *D));
    NotA(Text, "date and time", this);
  default:
    FValue = Text; // a string, or a text whose type is still to come
    return;
  }
}

// A value held as text while the type was unknown (a form file may name the
// type after the value) is read again as one of the new type.
void TParam::SetDataType(TFieldType Value) {
  const std::string Text = ValueText();
  FDataType = Value;
  SetValueText(Text);
}

TComponent* TParam::GetParentComponent() const {
  return FParams ? FParams->DataSet() : nullptr;
}

// A parameter read from a form file joins the data set it is nested in.
void TParam::SetParentComponent(TComponent* Value) {
  if (auto* DataSet = dynamic_cast<TDataSet*>(Value))
    if (TParams* Params = DataSet->Params())
      Params->Add(this);
}

// ---------------------------------------------------------------------------

TParams::~TParams() {
  for (TParam* P : FList)
    P->FParams = nullptr;
}

TParam* TParams::FindParam(const std::string& Name) const {
  for (TParam* P : FList)
    if (SameText(P->ParamName(), Name))
      return P;
  return nullptr;
}

// The data set owns its parameters, so that they live and go with it.
void TParams::Add(TParam* Param) {
  if (Param->FParams)
    std::erase(Param->FParams->FList, Param);
  if (FDataSet && Param->Owner() != FDataSet) {
    if (Param->Owner())
      Param->Owner()->RemoveComponent(Param);
    FDataSet->InsertComponent(Param);
  }
  Param->FParams = this;
  FList.push_back(Param);
}

void TParams::Update(const std::vector<std::string>& Names) {
  std::vector<TParam*> Kept;
  for (const std::string& Name : Names) {
    const auto Found = std::find_if(FList.rbegin(), FList.rend(),
                                    [&](TParam* P) { return SameText(P->ParamName(), Name); });
    TParam* Param = Found != FList.rend() ? *Found : nullptr;
    if (!Param) {
      Param = new TParam(FDataSet);
      Param->SetParamName(Name);
      Param->FParams = this;
    }
    Kept.push_back(Param);
  }
  std::vector<TParam*> Old;
  std::swap(Old, FList);
  FList = Kept;
  for (TParam* P : Old)
    if (std::find(Kept.begin(), Kept.end(), P) == Kept.end()) {
      P->FParams = nullptr;
      delete P;
    }
}

} // namespace vcl
