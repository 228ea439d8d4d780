// The designer's interfaces: the component palette, the property editors the
// object inspector shows a selection of components through, and the registry
// that picks the editor of each property.
//
// A property editor serves one published property (vcl/typinfo.h) of one or
// more selected objects at once: it shows the value as text (GetValue), offers
// the values it knows (GetValues), takes a typed text (SetValue, writing every
// selected object), says whether the selected objects agree (AllEqual) and
// lists the editors of the sub-properties of an object-typed property
// (GetProperties). Its attributes tell the inspector how to present it.
//
// Editors are chosen per property by GetEditorClass: the most specific
// registration of RegisterPropertyEditor that fits the property's type, the
// class of the object that publishes it and its name; without one, the
// standard editor of the property's kind.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <typeindex>
#include <vector>

#include "vcl/classes.h"
#include "vcl/typinfo.h"

namespace vcl {

// ---------------------------------------------------------------------------
// Classes as values

// A class as a value: its name, the test of an object against it and of
// another class against it, and (for component classes that can be made
// with an owner) the constructor. Made by ClassOf<T>(), one per class.
class TMetaClass {
public:
  // The name its published table declares; a class without a table is
  // known by its type's own name.
  std::string ClassName() const { return FEntry->Declared() ? FEntry->ClassName() : FTypeName; }
  // The class's entry among the published tables (declared or not).
  const TClassInfo* Entry() const { return FEntry; }
  bool IsInstance(const TObject* Obj) const { return Obj && FIsInstance(Obj); }
  // True when this class is Ancestor or derives from it.
  bool InheritsFrom(const TMetaClass& Ancestor) const { return Ancestor.FCatches(FThrow); }
  bool CanCreate() const { return FCreate != nullptr; }
  // A new component of this class owned by Owner; null when it cannot be made.
  TComponent* Create(TComponent* Owner) const { return FCreate ? FCreate(Owner) : nullptr; }

  template <typename T> static TMetaClass Make() {
    TMetaClass C;
    C.FEntry = &detail::EntryOf<T>();
    C.FTypeName = typeid(T).name();
    C.FIsInstance = [](const TObject* Obj) { return dynamic_cast<const T*>(Obj) != nullptr; };
    // Derivation between two classes known only at run time: a pointer of
    // the one class thrown is caught as a pointer of the other exactly when
    // it converts to it, that is when its class derives from the other.
    C.FThrow = [] { throw static_cast<T*>(nullptr); };
    C.FCatches = [](void (*Throw)()) {
      try {
        Throw();
      } catch (T*) {
        return true;
      } catch (...) {
      }
      return false;
    };
    if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> &&
                  std::is_constructible_v<T, TComponent*>)
      C.FCreate = [](TComponent* Owner) -> TComponent* { return new T(Owner); };
    return C;
  }

private:
  const TClassInfo* FEntry = nullptr;
  std::string FTypeName;
  bool (*FIsInstance)(const TObject*) = nullptr;
  void (*FThrow)() = nullptr;
  bool (*FCatches)(void (*)()) = nullptr;
  TComponent* (*FCreate)(TComponent*) = nullptr;
};

template <typename T> const TMetaClass& ClassOf() {
  static const TMetaClass Class = TMetaClass::Make<T>();
  return Class;
}

// ---------------------------------------------------------------------------
// The component palette

struct TPaletteEntry {
  std::string Page;
  const TMetaClass* ComponentClass;
};

// Puts the classes on the palette page Page, in the order given. A class
// already on the palette keeps its place.
void RegisterComponents(const std::string& Page,
                        std::initializer_list<const TMetaClass*> ComponentClasses);
// Every registered component in registration order.
const std::vector<TPaletteEntry>& PaletteEntries();

// ---------------------------------------------------------------------------
// Property editors

enum TPropertyAttribute : std::uint8_t {
  paValueList,     // GetValues offers the values
  paSubProperties, // GetProperties lists editors nested under this one
  paDialog,        // Edit opens a dialog
  paMultiSelect,   // shown when several objects are selected
  paAutoUpdate,    // SetValue on every change of the text
  paSortList,      // the values are shown sorted
  paReadOnly,      // the text cannot be edited
  paRevertable     // the value can be reverted to the inherited one
};
using TPropertyAttributes = Set<TPropertyAttribute>;

// A refused value ("Value must be between 0 and 255").
class EPropertyError : public Exception {
public:
  using Exception::Exception;
};

// The form being designed, as the editors see it: the root whose components
// a component reference may name and whose published methods an event may
// name. OnModified hears of every value an editor sets.
class TFormDesigner {
public:
  explicit TFormDesigner(TComponent* Root) : FRoot(Root) {}
  TComponent* Root() const { return FRoot; }
  void Modified() {
    if (OnModified)
      OnModified();
  }
  std::function<void()> OnModified;

private:
  TComponent* FRoot;
};

class TPropertyEditor;
using TGetStrProc = std::function<void(const std::string& S)>;
using TGetPropEditProc = std::function<void(std::unique_ptr<TPropertyEditor> Editor)>;

// The editor of one property over the selected objects (one or more, all
// publishing the property). Each object is read and written through the
// property of its own class's table, found by name.
class TPropertyEditor : public TObject {
public:
  TPropertyEditor(TFormDesigner* Designer, std::vector<TPersistent*> Instances,
                  const TPropInfo* Prop);

  virtual void Activate() {}
  // True when the value shown stands for every selected object.
  virtual bool AllEqual();
  // The inspector's double click: the next value of a value list.
  virtual void Edit();
  virtual TPropertyAttributes GetAttributes();
  virtual int GetEditLimit() { return 255; }
  virtual std::string GetName();
  virtual void GetProperties(const TGetPropEditProc& Proc);
  // The value of the first selected object as text.
  virtual std::string GetValue();
  virtual void GetValues(const TGetStrProc& Proc);
  virtual void Initialize() {}
  // Sets the value of every selected object; raises EPropertyError (or the
  // conversion's error) when the text is refused, and then changes nothing.
  virtual void SetValue(const std::string& Value);

  TFormDesigner* Designer() const { return FDesigner; }
  int PropCount() const { return static_cast<int>(FInstances.size()); }
  TPersistent* GetComponent(int Index) const { return FInstances.at(Index); }
  const std::vector<TPersistent*>& Instances() const { return FInstances; }
  const TPropInfo* GetPropInfo() const { return FProps.front(); }
  const TPropInfo* GetPropInfoAt(int Index) const { return FProps.at(Index); }

protected:
  // The stored value of the Index-th selected object, and the setter of
  // every selected object.
  TPropValue GetPropValueAt(int Index) const;
  void SetPropValue(const TPropValue& Value);
  std::int64_t GetOrdValueAt(int Index) const;
  std::int64_t GetOrdValue() const { return GetOrdValueAt(0); }
  void SetOrdValue(std::int64_t Value) { SetPropValue(Value); }
  long double GetFloatValueAt(int Index) const;
  long double GetFloatValue() const { return GetFloatValueAt(0); }
  void SetFloatValue(long double Value) { SetPropValue(Value); }
  std::string GetStrValueAt(int Index) const;
  std::string GetStrValue() const { return GetStrValueAt(0); }
  void SetStrValue(const std::string& Value) { SetPropValue(Value); }
  TObject* GetObjectValueAt(int Index) const;
  TObject* GetObjectValue() const { return GetObjectValueAt(0); }
  // True when every selected object gives Same's answer of equal to the first.
  bool AllAgree(const std::function<bool(int Index)>& SameAsFirst) const;
  [[noreturn]] static void InvalidValue();

private:
  TFormDesigner* FDesigner;
  std::vector<TPersistent*> FInstances;
  std::vector<const TPropInfo*> FProps;
};

// Integers, characters, enumerations and booleans.
class TOrdinalProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  bool AllEqual() override;
  int GetEditLimit() override { return 63; }
};

// A decimal number within the property type's range.
class TIntegerProperty : public TOrdinalProperty {
public:
  using TOrdinalProperty::TOrdinalProperty;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};

// An integer type with named values (TColor's clWindow): the name where the
// value has one, a name or a number when typed.
class TIdentIntegerProperty : public TIntegerProperty {
public:
  using TIntegerProperty::TIntegerProperty;
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const std::string& Value) override;
};

// A key combination (TShortCut): its name ("Ctrl+Enter"), empty for none;
// typed as a name or a number. The values offered are the usual ones.
class TShortCutProperty : public TIntegerProperty {
public:
  using TIntegerProperty::TIntegerProperty;
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const std::string& Value) override;
};

// A character: itself when printable, else #n.
class TCharProperty : public TOrdinalProperty {
public:
  using TOrdinalProperty::TOrdinalProperty;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};

// An enumeration (or a boolean, False and True): the value's name.
class TEnumProperty : public TOrdinalProperty {
public:
  using TOrdinalProperty::TOrdinalProperty;
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const std::string& Value) override;

protected:
  const std::vector<std::string>& Names() const;
};

// A set, shown as [a,b]; typed the same way, or element by element through
// its sub-properties.
class TSetProperty : public TOrdinalProperty {
public:
  using TOrdinalProperty::TOrdinalProperty;
  bool AllEqual() override;
  TPropertyAttributes GetAttributes() override;
  void GetProperties(const TGetPropEditProc& Proc) override;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};

// One member of a set: True when the set holds it.
class TSetElementProperty : public TPropertyEditor {
public:
  TSetElementProperty(TFormDesigner* Designer, std::vector<TPersistent*> Instances,
                      const TPropInfo* Prop, int Element);
  bool AllEqual() override;
  TPropertyAttributes GetAttributes() override;
  std::string GetName() override;
  std::string GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const std::string& Value) override;

private:
  bool Has(int Index) const;
  int FElement;
};

// A float or currency value, with the digits its type holds.
class TFloatProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  bool AllEqual() override;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};

// A date and time; zero shows as an empty text and an empty text sets zero.
class TDateTimeProperty : public TFloatProperty {
public:
  using TFloatProperty::TFloatProperty;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};

// A date; zero shows as an empty text and an empty text sets zero.
class TDateProperty : public TFloatProperty {
public:
  using TFloatProperty::TFloatProperty;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};

// A time of day; zero shows as an empty text and an empty text sets zero.
class TTimeProperty : public TFloatProperty {
public:
  using TFloatProperty::TFloatProperty;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};

class TStringProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  bool AllEqual() override;
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};

// Binary data (a bitmap's), as the hexadecimal digits form files hold.
class TBinaryProperty : public TStringProperty {
public:
  using TStringProperty::TStringProperty;
  int GetEditLimit() override { return 0; }
  std::string GetValue() override;
  void SetValue(const std::string& Value) override;
};

// An owned sub-object: shown as (TClassName), its own published properties
// nested under it. The selected objects agree when their sub-objects are of
// one class.
class TClassProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  bool AllEqual() override;
  TPropertyAttributes GetAttributes() override;
  void GetProperties(const TGetPropEditProc& Proc) override;
  std::string GetValue() override;
};

// A string list; a typed text replaces the lines (one per line of the text).
class TStringsProperty : public TClassProperty {
public:
  using TClassProperty::TClassProperty;
  bool AllEqual() override;
  TPropertyAttributes GetAttributes() override;
  void SetValue(const std::string& Value) override;
};

// A reference to another component of the form, by name.
class TComponentProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  bool AllEqual() override;
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const std::string& Value) override;

private:
  std::vector<TComponent*> Candidates() const;
};

// An event, by the name of the form's published method that handles it.
class TMethodProperty : public TPropertyEditor {
public:
  using TPropertyEditor::TPropertyEditor;
  bool AllEqual() override;
  TPropertyAttributes GetAttributes() override;
  std::string GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const std::string& Value) override;
};

// ---------------------------------------------------------------------------
// Choosing editors

// An editor class as a value: its type and how to make one.
struct TPropertyEditorClass {
  std::type_index Type;
  std::function<std::unique_ptr<TPropertyEditor>(TFormDesigner*, std::vector<TPersistent*>,
                                                 const TPropInfo*)>
      Create;
};

template <typename E> TPropertyEditorClass EditorClass() {
  static_assert(std::is_base_of_v<TPropertyEditor, E>);
  return {typeid(E), [](TFormDesigner* D, std::vector<TPersistent*> I, const TPropInfo* P) {
            return std::unique_ptr<TPropertyEditor>(std::make_unique<E>(D, std::move(I), P));
          }};
}

// The type a registration is for: a type of the property tables by name
// ("Byte", "TDateTime", "TColor"), or a class, which also serves properties
// of the classes derived from it.
class TPropertyType {
public:
  TPropertyType(const char* TypeName) : FName(TypeName) {}
  TPropertyType(std::string TypeName) : FName(std::move(TypeName)) {}
  TPropertyType(const TMetaClass& Class) : FClass(&Class) {}
  std::string Name() const { return FClass ? FClass->ClassName() : FName; }
  // How far Prop of Instance is from this type: for a type by name, 0 when
  // Prop's type has that name; for a class, n when the object the property
  // holds is of a class n generations below it; -1 when it does not fit.
  int Distance(const TPropInfo& Prop, const TPersistent* Instance) const;

private:
  std::string FName;
  const TMetaClass* FClass = nullptr;
};

// Registers Editor for the properties of type Type published by objects of
// ComponentClass (null: any class), and of those only the property named
// PropertyName (empty: every one). Registering the same type, class and name
// again replaces the editor.
void RegisterPropertyEditor(const TPropertyType& Type, const TMetaClass* ComponentClass,
                            const std::string& PropertyName, const TPropertyEditorClass& Editor);

// The editor class for Prop as published by Instance. Among the
// registrations that fit, one for the property's name beats one for every
// property; then the one for the nearer class of Instance; then the one for
// the nearer type; then the later. Without a registration that fits, the
// standard editor of the property's kind.
TPropertyEditorClass GetEditorClass(const TPropInfo* Prop, const TPersistent* Instance);

// Which properties GetComponentProperties hands out, by kind.
using TTypeKinds = Set<TTypeKind>;
TTypeKinds AllPropertyKinds();

// Hands Proc an editor for every published property the selected objects
// have in common (same name, kind and type, same editor class) whose kind is
// in Filter, in the first object's published order. Read-only properties are
// left out, except sub-objects and lists, which are edited in place; with
// more than one object selected, so are editors without paMultiSelect.
void GetComponentProperties(const std::vector<TPersistent*>& Instances, TTypeKinds Filter,
                            TFormDesigner* Designer, const TGetPropEditProc& Proc);

} // namespace vcl
