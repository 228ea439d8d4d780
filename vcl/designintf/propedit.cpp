// The property editor base and the editors of ordinal properties: integers
// (plain and with named values), characters, enumerations and booleans, sets
// and their members.
#include <algorithm>

#include "vcl/controls.h"
#include "vcl/designintf.h"
#include "vcl/menus.h"

namespace vcl {

// ---------------------------------------------------------------------------
// TPropertyEditor

TPropertyEditor::TPropertyEditor(TFormDesigner* Designer, std::vector<TPersistent*> Instances,
                                 const TPropInfo* Prop)
    : FDesigner(Designer), FInstances(std::move(Instances)) {
  FProps.push_back(Prop);
  for (std::size_t I = 1; I < FInstances.size(); ++I) {
    const TPropInfo* Own = FindPropInfo(FInstances[I], Prop->Name);
    FProps.push_back(Own ? Own : Prop);
  }
}

// An editor that cannot compare values only vouches for a single object.
bool TPropertyEditor::AllEqual() {
  return PropCount() <= 1;
}

void TPropertyEditor::Edit() {
  if (!GetAttributes().Contains(paValueList))
    return;
  std::vector<std::string> Values;
  GetValues([&](const std::string& S) { Values.push_back(S); });
  if (Values.empty())
    return;
  const std::string Current = GetValue();
  std::size_t I = 0;
  while (I < Values.size() && !SameText(Values[I], Current))
    ++I;
  SetValue(Values[I + 1 < Values.size() ? I + 1 : 0]);
}

TPropertyAttributes TPropertyEditor::GetAttributes() {
  TPropertyAttributes Result{paMultiSelect, paRevertable};
  if (GetPropInfo()->ReadOnly())
    Result.Include(paReadOnly);
  return Result;
}

std::string TPropertyEditor::GetName() {
  return GetPropInfo()->Name;
}

void TPropertyEditor::GetProperties(const TGetPropEditProc&) {}

std::string TPropertyEditor::GetValue() {
  return "(Unknown)";
}

void TPropertyEditor::GetValues(const TGetStrProc&) {}

// An editor that does not read texts refuses them rather than ignoring them.
void TPropertyEditor::SetValue(const std::string&) {
  InvalidValue();
}

TPropValue TPropertyEditor::GetPropValueAt(int Index) const {
  return FProps.at(Index)->Get(FInstances.at(Index));
}

void TPropertyEditor::SetPropValue(const TPropValue& Value) {
  for (const TPropInfo* P : FProps)
    if (!P->Set)
      throw EPropertyError("Property " + P->Name + " is read-only");
  for (std::size_t I = 0; I < FInstances.size(); ++I)
    FProps[I]->Set(FInstances[I], Value);
  if (FDesigner)
    FDesigner->Modified();
}

std::int64_t TPropertyEditor::GetOrdValueAt(int Index) const {
  return std::get<std::int64_t>(GetPropValueAt(Index));
}

long double TPropertyEditor::GetFloatValueAt(int Index) const {
  const TPropValue V = GetPropValueAt(Index);
  if (const Currency* C = std::get_if<Currency>(&V))
    return C->ToDouble();
  return std::get<long double>(V);
}

std::string TPropertyEditor::GetStrValueAt(int Index) const {
  return std::get<std::string>(GetPropValueAt(Index));
}

TObject* TPropertyEditor::GetObjectValueAt(int Index) const {
  return std::get<TObject*>(GetPropValueAt(Index));
}

bool TPropertyEditor::AllAgree(const std::function<bool(int Index)>& SameAsFirst) const {
  for (int I = 1; I < PropCount(); ++I)
    if (!SameAsFirst(I))
      return false;
  return true;
}

void TPropertyEditor::InvalidValue() {
  throw EPropertyError("Invalid property value");
}

// ---------------------------------------------------------------------------
// Integers and characters

bool TOrdinalProperty::AllEqual() {
  const std::int64_t First = GetOrdValue();
  return AllAgree([&](int I) { return GetOrdValueAt(I) == First; });
}

std::string TIntegerProperty::GetValue() {
  return IntToStr(GetOrdValue());
}

void TIntegerProperty::SetValue(const std::string& Value) {
  const std::int64_t L = StrToInt(Value);
  const TPropInfo* P = GetPropInfo();
  if (L < P->MinValue || L > P->MaxValue)
    throw EPropertyError("Value must be between " + IntToStr(P->MinValue) + " and " +
                         IntToStr(P->MaxValue));
  SetOrdValue(L);
}

TPropertyAttributes TIdentIntegerProperty::GetAttributes() {
  return TIntegerProperty::GetAttributes() + TPropertyAttributes{paMultiSelect, paValueList};
}

std::string TIdentIntegerProperty::GetValue() {
  const std::int64_t V = GetOrdValue();
  for (const TIdentMapEntry& E : GetPropInfo()->Idents())
    if (E.Value == V)
      return E.Name;
  return TIntegerProperty::GetValue();
}

void TIdentIntegerProperty::GetValues(const TGetStrProc& Proc) {
  for (const TIdentMapEntry& E : GetPropInfo()->Idents())
    Proc(E.Name);
}

void TIdentIntegerProperty::SetValue(const std::string& Value) {
  for (const TIdentMapEntry& E : GetPropInfo()->Idents())
    if (SameText(E.Name, Value)) {
      SetOrdValue(E.Value);
      return;
    }
  TIntegerProperty::SetValue(Value);
}

TPropertyAttributes TShortCutProperty::GetAttributes() {
  return TIntegerProperty::GetAttributes() + TPropertyAttributes{paMultiSelect, paValueList};
}

// A value without a name (a key the names do not cover) shows as its number.
std::string TShortCutProperty::GetValue() {
  const auto Value = static_cast<TShortCut>(GetOrdValue());
  if (Value == 0)
    return "";
  const std::string Name = ShortCutToText(Value);
  return Name.empty() ? TIntegerProperty::GetValue() : Name;
}

void TShortCutProperty::GetValues(const TGetStrProc& Proc) {
  std::vector<TShortCut> Keys = {ShortCut(VK_RETURN, {ssCtrl}), ShortCut(VK_DOWN, {ssAlt})};
  for (const TShiftState Shift : {TShiftState{}, TShiftState{ssShift}, TShiftState{ssCtrl}})
    for (Word Key = VK_F1; Key <= VK_F12; ++Key)
      Keys.push_back(ShortCut(Key, Shift));
  for (Word Key = 'A'; Key <= 'Z'; ++Key)
    Keys.push_back(ShortCut(Key, {ssCtrl}));
  for (const Word Key : {VK_INSERT, VK_DELETE})
    for (const TShiftState Shift : {TShiftState{}, TShiftState{ssShift}, TShiftState{ssCtrl}})
      Keys.push_back(ShortCut(Key, Shift));
  for (const TShortCut Key : Keys)
    Proc(ShortCutToText(Key));
}

void TShortCutProperty::SetValue(const std::string& Value) {
  const std::string Name = Trim(Value);
  if (Name.empty()) {
    SetOrdValue(0);
    return;
  }
  if (const TShortCut Key = TextToShortCut(Name)) {
    SetOrdValue(Key);
    return;
  }
  if (Name.find_first_not_of("0123456789$") == std::string::npos) {
    TIntegerProperty::SetValue(Name);
    return;
  }
  throw EPropertyError("'" + Value + "' is not a key combination (Ctrl+Enter, Alt+Down, F4)");
}

std::string TCharProperty::GetValue() {
  const auto C = static_cast<unsigned char>(GetOrdValue());
  if (C > ' ' && C < 127)
    return std::string(1, static_cast<char>(C));
  return "#" + IntToStr(C);
}

// One character stands for itself; #n (n up to 255) for the code n.
void TCharProperty::SetValue(const std::string& Value) {
  if (Length(Value) == 1) {
    SetOrdValue(static_cast<unsigned char>(Value[0]));
    return;
  }
  int Code = -1;
  if (Length(Value) > 1 && Value[0] == '#' && TryStrToInt(Copy(Value, 2, Length(Value)), Code) &&
      Code >= 0 && Code <= 255) {
    SetOrdValue(Code);
    return;
  }
  InvalidValue();
}

// ---------------------------------------------------------------------------
// Enumerations and booleans

TPropertyAttributes TEnumProperty::GetAttributes() {
  return TOrdinalProperty::GetAttributes() +
         TPropertyAttributes{paMultiSelect, paValueList, paSortList};
}

const std::vector<std::string>& TEnumProperty::Names() const {
  static const std::vector<std::string> Booleans{"False", "True"};
  const TPropInfo* P = GetPropInfo();
  return P->EnumType ? P->EnumType->Names : Booleans;
}

std::string TEnumProperty::GetValue() {
  const std::int64_t V = GetOrdValue();
  const auto& N = Names();
  return V >= 0 && V < static_cast<std::int64_t>(N.size()) ? N[V] : IntToStr(V);
}

void TEnumProperty::GetValues(const TGetStrProc& Proc) {
  for (const std::string& Name : Names())
    Proc(Name);
}

void TEnumProperty::SetValue(const std::string& Value) {
  const auto& N = Names();
  for (std::size_t I = 0; I < N.size(); ++I)
    if (SameText(N[I], Value)) {
      SetOrdValue(static_cast<std::int64_t>(I));
      return;
    }
  InvalidValue();
}

// ---------------------------------------------------------------------------
// Sets

namespace {

std::bitset<256> BitsOf(const TPropValue& V) {
  return std::get<std::bitset<256>>(V);
}

} // namespace

bool TSetProperty::AllEqual() {
  const auto First = BitsOf(GetPropValueAt(0));
  return AllAgree([&](int I) { return BitsOf(GetPropValueAt(I)) == First; });
}

TPropertyAttributes TSetProperty::GetAttributes() {
  return TOrdinalProperty::GetAttributes() + TPropertyAttributes{paMultiSelect, paSubProperties};
}

void TSetProperty::GetProperties(const TGetPropEditProc& Proc) {
  for (std::size_t I = 0; I < GetPropInfo()->EnumType->Names.size(); ++I)
    Proc(std::make_unique<TSetElementProperty>(Designer(), Instances(), GetPropInfo(),
                                               static_cast<int>(I)));
}

std::string TSetProperty::GetValue() {
  const auto Bits = BitsOf(GetPropValueAt(0));
  const auto& Names = GetPropInfo()->EnumType->Names;
  std::string Result;
  for (std::size_t I = 0; I < Names.size(); ++I)
    if (Bits.test(I))
      Result += (Result.empty() ? "" : ",") + Names[I];
  return "[" + Result + "]";
}

// "[a,b]": the members by name, blanks around them ignored; the brackets may
// be left out.
void TSetProperty::SetValue(const std::string& Value) {
  std::string Inner = Trim(Value);
  if (!Inner.empty() && Inner.front() == '[' && Inner.back() == ']')
    Inner = Copy(Inner, 2, Length(Inner) - 2);
  std::bitset<256> Bits;
  std::size_t Start = 0;
  while (!Trim(Inner).empty() && Start <= Inner.size()) {
    std::size_t Comma = Inner.find(',', Start);
    if (Comma == std::string::npos)
      Comma = Inner.size();
    const int Element = GetPropInfo()->EnumType->ValueOf(Trim(Inner.substr(Start, Comma - Start)));
    if (Element < 0)
      InvalidValue();
    Bits.set(Element);
    Start = Comma + 1;
  }
  SetPropValue(Bits);
}

TSetElementProperty::TSetElementProperty(TFormDesigner* Designer,
                                         std::vector<TPersistent*> Instances, const TPropInfo* Prop,
                                         int Element)
    : TPropertyEditor(Designer, std::move(Instances), Prop), FElement(Element) {}

bool TSetElementProperty::Has(int Index) const {
  return BitsOf(GetPropValueAt(Index)).test(FElement);
}

bool TSetElementProperty::AllEqual() {
  const bool First = Has(0);
  return AllAgree([&](int I) { return Has(I) == First; });
}

TPropertyAttributes TSetElementProperty::GetAttributes() {
  return {paMultiSelect, paValueList, paSortList};
}

std::string TSetElementProperty::GetName() {
  return GetPropInfo()->EnumType->Names.at(FElement);
}

std::string TSetElementProperty::GetValue() {
  return Has(0) ? "True" : "False";
}

void TSetElementProperty::GetValues(const TGetStrProc& Proc) {
  Proc("False");
  Proc("True");
}

// Each selected object keeps its other members.
void TSetElementProperty::SetValue(const std::string& Value) {
  bool On;
  if (SameText(Value, "True"))
    On = true;
  else if (SameText(Value, "False"))
    On = false;
  else
    InvalidValue();
  for (int I = 0; I < PropCount(); ++I)
    if (!GetPropInfoAt(I)->Set)
      InvalidValue();
  for (int I = 0; I < PropCount(); ++I) {
    auto Bits = BitsOf(GetPropValueAt(I));
    Bits.set(FElement, On);
    GetPropInfoAt(I)->Set(GetComponent(I), Bits);
  }
  if (Designer())
    Designer()->Modified();
}

} // namespace vcl
