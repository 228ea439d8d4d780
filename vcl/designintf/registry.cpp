// The component palette, the registered property editors and the choice of
// an editor for each property of a selection.
#include "vcl/designintf.h"

namespace vcl {

// ---------------------------------------------------------------------------
// The palette

namespace {

std::vector<TPaletteEntry>& Palette() {
  static std::vector<TPaletteEntry> Entries;
  return Entries;
}

} // namespace

void RegisterComponents(const std::string& Page,
                        std::initializer_list<const TMetaClass*> ComponentClasses) {
  for (const TMetaClass* Class : ComponentClasses) {
    bool Known = false;
    for (const TPaletteEntry& E : Palette())
      Known = Known || E.ComponentClass == Class;
    if (!Known)
      Palette().push_back({Page, Class});
  }
}

const std::vector<TPaletteEntry>& PaletteEntries() {
  return Palette();
}

// ---------------------------------------------------------------------------
// Registered editors

int TPropertyType::Distance(const TPropInfo& Prop, const TPersistent* Instance) const {
  if (!FClass)
    return SameText(Prop.TypeName, FName) ? 0 : -1;
  if (Prop.Kind != tkClass && Prop.Kind != tkComponent)
    return -1;
  // The tables name an object property's type only as TPersistent or
  // TComponent: the class of the object it holds stands for it.
  const TObject* Held = std::get<TObject*>(Prop.Get(const_cast<TPersistent*>(Instance)));
  int Generations = 0;
  for (const TClassInfo* C = GetClassInfo(Held); C; C = C->Parent(), ++Generations)
    if (C == FClass->Entry())
      return Generations;
  return -1;
}

namespace {

struct TRegistration {
  TPropertyType Type;
  const TMetaClass* ComponentClass;
  std::string PropertyName;
  TPropertyEditorClass Editor;
};

std::vector<TRegistration>& Registrations() {
  static std::vector<TRegistration> List;
  return List;
}

// True when A (registered after B, both fitting) is to be preferred to B.
bool Prefer(const TRegistration& A, int ADistance, const TRegistration& B, int BDistance) {
  if (A.PropertyName.empty() != B.PropertyName.empty())
    return !A.PropertyName.empty();
  if (A.ComponentClass != B.ComponentClass) {
    if (!B.ComponentClass)
      return true;
    if (!A.ComponentClass)
      return false;
    if (A.ComponentClass->InheritsFrom(*B.ComponentClass))
      return true;
    if (B.ComponentClass->InheritsFrom(*A.ComponentClass))
      return false;
  }
  if (ADistance != BDistance)
    return ADistance < BDistance;
  return true;
}

TPropertyEditorClass StandardEditor(const TPropInfo& Prop) {
  switch (Prop.Kind) {
  case tkBoolean:
  case tkEnumeration:
    return EditorClass<TEnumProperty>();
  case tkInteger:
    if (SameText(Prop.TypeName, "TShortCut"))
      return EditorClass<TShortCutProperty>();
    return Prop.Idents().empty() ? EditorClass<TIntegerProperty>()
                                 : EditorClass<TIdentIntegerProperty>();
  case tkChar:
    return EditorClass<TCharProperty>();
  case tkSet:
    return EditorClass<TSetProperty>();
  case tkFloat:
    if (SameText(Prop.TypeName, "TDateTime"))
      return EditorClass<TDateTimeProperty>();
    if (SameText(Prop.TypeName, "TDate"))
      return EditorClass<TDateProperty>();
    if (SameText(Prop.TypeName, "TTime"))
      return EditorClass<TTimeProperty>();
    return EditorClass<TFloatProperty>();
  case tkCurrency:
    return EditorClass<TFloatProperty>();
  case tkString:
    return EditorClass<TStringProperty>();
  case tkBinary:
    return EditorClass<TBinaryProperty>();
  case tkClass:
    return EditorClass<TClassProperty>();
  case tkStrings:
    return EditorClass<TStringsProperty>();
  case tkComponent:
    return EditorClass<TComponentProperty>();
  case tkMethod:
    return EditorClass<TMethodProperty>();
  }
  return EditorClass<TPropertyEditor>();
}

} // namespace

void RegisterPropertyEditor(const TPropertyType& Type, const TMetaClass* ComponentClass,
                            const std::string& PropertyName, const TPropertyEditorClass& Editor) {
  for (TRegistration& R : Registrations())
    if (SameText(R.Type.Name(), Type.Name()) && R.ComponentClass == ComponentClass &&
        SameText(R.PropertyName, PropertyName)) {
      R.Editor = Editor;
      return;
    }
  Registrations().push_back({Type, ComponentClass, PropertyName, Editor});
}

TPropertyEditorClass GetEditorClass(const TPropInfo* Prop, const TPersistent* Instance) {
  const TRegistration* Best = nullptr;
  int BestDistance = 0;
  for (const TRegistration& R : Registrations()) {
    const int Distance = R.Type.Distance(*Prop, Instance);
    if (Distance < 0 || (R.ComponentClass && !R.ComponentClass->IsInstance(Instance)) ||
        (!R.PropertyName.empty() && !SameText(R.PropertyName, Prop->Name)))
      continue;
    if (!Best || Prefer(R, Distance, *Best, BestDistance)) {
      Best = &R;
      BestDistance = Distance;
    }
  }
  return Best ? Best->Editor : StandardEditor(*Prop);
}

// ---------------------------------------------------------------------------
// The properties of a selection

TTypeKinds AllPropertyKinds() {
  return {tkBoolean, tkInteger, tkChar,    tkEnumeration, tkSet,    tkFloat, tkCurrency,
          tkString,  tkClass,   tkStrings, tkComponent,   tkBinary, tkMethod};
}

namespace {

// Prop's counterpart in Instance's class: same name, kind and type.
const TPropInfo* Counterpart(const TPersistent* Instance, const TPropInfo& Prop) {
  const TPropInfo* Own = FindPropInfo(Instance, Prop.Name);
  return Own && Own->Kind == Prop.Kind && SameText(Own->TypeName, Prop.TypeName) ? Own : nullptr;
}

bool Listed(const TPropInfo& Prop, TTypeKinds Filter) {
  return Filter.Contains(Prop.Kind) &&
         (!Prop.ReadOnly() || Prop.Kind == tkClass || Prop.Kind == tkStrings);
}

} // namespace

void GetComponentProperties(const std::vector<TPersistent*>& Instances, TTypeKinds Filter,
                            TFormDesigner* Designer, const TGetPropEditProc& Proc) {
  const TClassInfo* First = Instances.empty() ? nullptr : GetClassInfo(Instances.front());
  if (!First)
    return;
  for (const TPropInfo* Prop : First->Properties()) {
    if (!Listed(*Prop, Filter))
      continue;
    const TPropertyEditorClass Editor = GetEditorClass(Prop, Instances.front());
    bool Common = true;
    for (std::size_t I = 1; I < Instances.size() && Common; ++I) {
      const TPropInfo* Own = Counterpart(Instances[I], *Prop);
      Common = Own && GetEditorClass(Own, Instances[I]).Type == Editor.Type;
    }
    if (!Common)
      continue;
    std::unique_ptr<TPropertyEditor> E = Editor.Create(Designer, Instances, Prop);
    if (Instances.size() > 1 && !E->GetAttributes().Contains(paMultiSelect))
      continue;
    E->Initialize();
    Proc(std::move(E));
  }
}

} // namespace vcl
