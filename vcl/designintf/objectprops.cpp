// The editors of properties that hold objects: owned sub-objects, string
// lists, references to other components of the form and event handlers.
#include <typeinfo>

#include "vcl/designintf.h"

namespace vcl {

// ---------------------------------------------------------------------------
// Sub-objects

bool TClassProperty::AllEqual() {
  const TObject* First = GetObjectValue();
  return AllAgree([&](int I) {
    const TObject* Other = GetObjectValueAt(I);
    return First && Other && typeid(*First) == typeid(*Other);
  });
}

TPropertyAttributes TClassProperty::GetAttributes() {
  return {paMultiSelect, paSubProperties, paReadOnly};
}

// The sub-objects' own properties, each editing the sub-objects of every
// selected object together.
void TClassProperty::GetProperties(const TGetPropEditProc& Proc) {
  std::vector<TPersistent*> Objects;
  for (int I = 0; I < PropCount(); ++I)
    if (auto* Obj = dynamic_cast<TPersistent*>(GetObjectValueAt(I)))
      Objects.push_back(Obj);
  if (Objects.size() == Instances().size())
    GetComponentProperties(Objects, AllPropertyKinds(), Designer(), Proc);
}

std::string TClassProperty::GetValue() {
  const TObject* Obj = GetObjectValue();
  return "(" + (Obj ? Obj->ClassName() : GetPropInfo()->TypeName) + ")";
}

// ---------------------------------------------------------------------------
// String lists

namespace {

TStrings* ListOf(TObject* Obj) {
  return static_cast<TStrings*>(Obj);
}

} // namespace

bool TStringsProperty::AllEqual() {
  const std::string First = ListOf(GetObjectValue())->Text();
  return AllAgree([&](int I) { return ListOf(GetObjectValueAt(I))->Text() == First; });
}

TPropertyAttributes TStringsProperty::GetAttributes() {
  return {paMultiSelect, paDialog, paRevertable};
}

// Lines end at a line feed (a carriage return before it is dropped); a
// final line break does not add an empty line.
void TStringsProperty::SetValue(const std::string& Value) {
  TStringList Lines;
  Lines.SetTextStr(Value);
  for (int I = 0; I < PropCount(); ++I) {
    const TPropInfo* P = GetPropInfoAt(I);
    if (P->Set)
      P->Set(GetComponent(I), static_cast<TObject*>(&Lines));
    else
      ListOf(GetObjectValueAt(I))->Assign(&Lines);
  }
  if (Designer())
    Designer()->Modified();
}

// ---------------------------------------------------------------------------
// Component references

bool TComponentProperty::AllEqual() {
  const TObject* First = GetObjectValue();
  return AllAgree([&](int I) { return GetObjectValueAt(I) == First; });
}

TPropertyAttributes TComponentProperty::GetAttributes() {
  return {paMultiSelect, paValueList, paSortList, paRevertable};
}

// The form and the components it owns of the class the property holds (and
// of the class its table names, where that is more than TComponent).
std::vector<TComponent*> TComponentProperty::Candidates() const {
  std::vector<TComponent*> Result;
  TComponent* Root = Designer() ? Designer()->Root() : nullptr;
  if (!Root)
    return Result;
  const TPropInfo* Prop = GetPropInfo();
  const TClassInfo* Wanted = FindClassInfo(Prop->TypeName);
  auto Fits = [&](TComponent* C) {
    const TClassInfo* Class = GetClassInfo(C);
    return (!Prop->Accepts || Prop->Accepts(C)) &&
           (!Wanted || (Class && Class->InheritsFrom(Wanted)));
  };
  if (Fits(Root))
    Result.push_back(Root);
  for (int I = 0; I < Root->ComponentCount(); ++I)
    if (Fits(Root->Components(I)))
      Result.push_back(Root->Components(I));
  return Result;
}

std::string TComponentProperty::GetValue() {
  const auto* C = dynamic_cast<const TComponent*>(GetObjectValue());
  return C ? C->Name() : std::string();
}

void TComponentProperty::GetValues(const TGetStrProc& Proc) {
  for (TComponent* C : Candidates())
    if (!C->Name().empty())
      Proc(C->Name());
}

void TComponentProperty::SetValue(const std::string& Value) {
  if (Value.empty()) {
    SetPropValue(static_cast<TObject*>(nullptr));
    return;
  }
  // Any component of the form may be named: one of another class is refused
  // by the property itself, with a message that says so.
  TComponent* Root = Designer() ? Designer()->Root() : nullptr;
  TComponent* Named = Root && SameText(Root->Name(), Value) ? Root : nullptr;
  for (int I = 0; Root && !Named && I < Root->ComponentCount(); ++I)
    if (SameText(Root->Components(I)->Name(), Value))
      Named = Root->Components(I);
  if (!Named)
    InvalidValue();
  SetPropValue(static_cast<TObject*>(Named));
}

// ---------------------------------------------------------------------------
// Event handlers

bool TMethodProperty::AllEqual() {
  const std::string First = GetStrValue();
  return AllAgree([&](int I) { return GetStrValueAt(I) == First; });
}

TPropertyAttributes TMethodProperty::GetAttributes() {
  return {paMultiSelect, paValueList, paSortList, paRevertable};
}

std::string TMethodProperty::GetValue() {
  return GetStrValue();
}

// The form's published methods that can handle the event.
void TMethodProperty::GetValues(const TGetStrProc& Proc) {
  const TClassInfo* RootClass = Designer() ? GetClassInfo(Designer()->Root()) : nullptr;
  if (!RootClass)
    return;
  for (const TMethodInfo* Method : RootClass->Methods())
    if (Method->Type == GetPropInfo()->EventType)
      Proc(Method->Name);
}

// An empty text unbinds the handler. The form's code cannot grow here: a
// name that is not one of the form's methods of the event's type is refused.
void TMethodProperty::SetValue(const std::string& Value) {
  TComponent* Root = Designer() ? Designer()->Root() : nullptr;
  const TClassInfo* RootClass = GetClassInfo(Root);
  const TMethodInfo* Method = nullptr;
  if (!Value.empty()) {
    Method = RootClass ? RootClass->FindMethod(Value) : nullptr;
    if (!Method || Method->Type != GetPropInfo()->EventType)
      InvalidValue();
  }
  for (int I = 0; I < PropCount(); ++I)
    if (!GetPropInfoAt(I)->SetHandler(GetComponent(I), Method, Root))
      InvalidValue();
  if (Designer())
    Designer()->Modified();
}

} // namespace vcl
