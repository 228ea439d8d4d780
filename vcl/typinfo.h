// Published properties: the property table of every class that can be stored
// in a form file, the registry of those classes by name, and the enumeration
// names the tables refer to. The form-file writer and reader, the object
// inspector and the property editors all work from these tables.
//
// Declaring a table. Each class that publishes properties declares its table
// with the builder below, listing the properties in published order:
//
//   vcl::DeclareEnum<TFilterType>("TFilterType"); // its names, from its VCL_ENUM
//   vcl::Published<TFilterValidator>("TFilterValidator")
//       .Inherits<TValidator>()
//       .Str("FilterChars", &T::FilterChars, &T::SetFilterChars)      // no default: always stored
//       .Enum("FilterType", &T::FilterType, &T::SetFilterType, ftValidChars);
//
// A derived table extends its parent's: inherited properties come first, in
// their order, and a property the derived class declares again leaves its
// inherited place and takes its new one (so a concrete class that lists its
// whole published order gets exactly that order). Getters and setters are
// member-function pointers or callables taking a T*; a null setter makes a
// read-only property. Modifiers after a property refine it: .Stored(test),
// .Range(min, max), .TypeName("TColor"), .Default(value), .DateText().
//
// Identifiers. An integer type whose values a form file may write by name
// (TColor: clWindow, ...) declares its names once with DeclareIdents; every
// property of that type name (.TypeName("TColor")) accepts and writes them,
// whichever class publishes it.
//
// Kinds: Bool, Int (any integer type; its range unless .Range narrows it),
// Char, Enum, Set (vcl::Set<E>), Float, DateTime, Curr, Str, Binary (bytes
// in a std::string), Object (an owned sub-object, stored as Font.Size = 8),
// Strings (a TStrings, stored as Items.Strings = ( ... )), Component (a
// reference to another component, stored by name) and Event (a public
// std::function member, stored as its handler's name). A root class lists
// the handlers its form file may name with .Method("Button1Click",
// &TForm1::Button1Click) (the member's signature must match the event's),
// and the component fields the reader fills with .Field("OKBtn",
// &TCalendarForm::OKBtn).
//
// Registration scheme (static libraries drop unreferenced object files, so a
// table must never rely on a static initialiser of its own): every unit
// declares its tables inside one function, `RegisterXxxClasses()`, defined in
// the unit's own .cpp and guarded to run once (a function-local static). That
// function is called explicitly from the code that needs the tables: the
// unit's `Register` procedure, the application's start, and the constructor
// of the unit's published classes ("registration on first use"), so a program
// that creates one of the classes always links and runs its registration.
// Declaring the same class again replaces its table, so a repeated call is
// harmless. The core classes (TPersistent, TComponent with Tag) are declared
// by the registry itself.
#pragma once

#include <any>
#include <bitset>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <typeindex>
#include <utility>
#include <variant>
#include <vector>

#include "vcl/classes.h"

namespace vcl {

enum TTypeKind : std::uint8_t {
  tkBoolean,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkSet,
  tkFloat, // also TDateTime (TypeName "TDateTime")
  tkCurrency,
  tkString,
  tkClass,     // an owned sub-object, stored as Prop.SubProp = value
  tkStrings,   // a TStrings object, stored as Prop.Strings = ( ... )
  tkComponent, // a reference to another component, stored by name
  tkBinary,    // bytes, stored in braces as hexadecimal
  tkMethod     // an event, stored as the name of its handler
};

// A property value in transit. Ordinals (booleans, integers, characters,
// enumerations) are int64_t; floats and dates long double; strings, binary
// data and handler names std::string; sets their member bits; objects and
// component references TObject*.
using TPropValue =
    std::variant<std::int64_t, long double, Currency, std::string, std::bitset<256>, TObject*>;

// The names of an enumeration's values, in value order from 0.
struct TEnumInfo {
  std::string Name;
  std::vector<std::string> Names;
  // The value named Ident (case-insensitive), or -1.
  int ValueOf(const std::string& Ident) const;
};

// An integer value that a form file writes as an identifier (Color = clWindow).
struct TIdentMapEntry {
  std::int64_t Value;
  std::string Name;
};

// Declares the identifiers of the integer type TypeName (case-insensitive);
// a repeated declaration replaces them.
void DeclareIdents(const std::string& TypeName, std::vector<TIdentMapEntry> Map);
// The identifiers of TypeName; empty when it has none.
const std::vector<TIdentMapEntry>& IdentsOf(const std::string& TypeName);

class TClassInfo;

// A published method of a root class, the target of stored event handler names.
struct TMethodInfo {
  std::string Name;
  std::type_index Type = typeid(void); // the std::function type it binds to
  // Returns a std::function of Type calling the method on Instance.
  std::function<std::any(TObject* Instance)> Bind;
};

// A published component field of a root class, set to the owned component of
// the same name when a form is read (the form's OKBtn field to its OKBtn).
struct TFieldInfo {
  std::string Name;
  // Stores Value (possibly null) in the field of Instance; false when Value
  // is not of the field's class.
  std::function<bool(TObject* Instance, TComponent* Value)> Assign;
  std::function<TComponent*(TObject* Instance)> Get;
};

struct TPropInfo {
  std::string Name;
  TTypeKind Kind = tkInteger;
  std::string TypeName;      // "Integer", "Byte", "Double", "TDateTime", "TFilterType", ...
  std::int64_t MinValue = 0; // integers and characters
  std::int64_t MaxValue = 0;
  int FloatSize = 8;                        // floats: 4, 8 or 10 (long double)
  const TEnumInfo* EnumType = nullptr;      // enumerations and sets
  std::optional<TPropValue> Default;        // none: always stored
  std::type_index EventType = typeid(void); // events: the std::function type
  bool DateText = false;                    // a date: a form file may also write it '2020-01-31'

  // Getters and setters receive an instance of the declaring class. Writing a
  // form never changes an object, but getters need not be const.
  std::function<TPropValue(TObject*)> Get;
  std::function<void(TObject*, const TPropValue&)> Set; // empty: read-only
  std::function<bool(TObject*)> IsStored;               // empty: stored
  // Events: binds the method (null clears); false when its type does not fit.
  std::function<bool(TObject* Instance, const TMethodInfo* Method, TObject* Root)> SetHandler;
  // Events: a handler of the event's type that does nothing, held in a
  // std::any as TMethodInfo::Bind returns it (a designer's new, empty handler).
  std::function<std::any()> EmptyHandler;
  // Component references: whether a component is of the class the property
  // holds (a TPopupMenu for PopupMenu).
  std::function<bool(const TObject*)> Accepts;

  bool ReadOnly() const { return !Set && !SetHandler; }
  // Integers: the identifiers of the property's type (TColor's clWindow, ...).
  const std::vector<TIdentMapEntry>& Idents() const { return IdentsOf(TypeName); }
};

class TClassInfo {
public:
  const std::string& ClassName() const { return FName; }
  const TClassInfo* Parent() const { return FParent; }
  std::type_index Type() const { return FType; }
  // The published properties: the parent's first, then this class's own.
  std::vector<const TPropInfo*> Properties() const;
  const TPropInfo* FindProperty(const std::string& Name) const; // case-insensitive
  const TMethodInfo* FindMethod(const std::string& Name) const;
  // The published methods: the parent's first, then this class's own.
  std::vector<const TMethodInfo*> Methods() const;
  const TFieldInfo* FindField(const std::string& Name) const;
  bool IsInstance(const TObject* Obj) const { return FIsInstance && FIsInstance(Obj); }
  bool InheritsFrom(const TClassInfo* Other) const;
  bool CanCreate() const { return static_cast<bool>(FCreate); }
  // Creates a component of this class owned by Owner; EReadError when the
  // class cannot be created by name (abstract, or not a component).
  TComponent* Create(TComponent* Owner) const;
  bool Declared() const { return !FName.empty(); }

private:
  template <typename T> friend class Published;
  friend class TClassRegistry;

  std::string FName;
  const TClassInfo* FParent = nullptr;
  std::type_index FType = typeid(void);
  std::function<bool(const TObject*)> FIsInstance;
  std::function<TComponent*(TComponent*)> FCreate;
  std::vector<TPropInfo> FProps;
  std::vector<TMethodInfo> FMethods;
  std::vector<TFieldInfo> FFields;
};

// ---------------------------------------------------------------------------
// The registry

// The class registered under Name (case-insensitive), or null.
const TClassInfo* FindClassInfo(const std::string& Name);
// The table of Obj's dynamic class, or of its nearest registered ancestor;
// null when no ancestor is registered.
const TClassInfo* GetClassInfo(const TObject* Obj);
// The published property Name of Obj's class, or null.
const TPropInfo* FindPropInfo(const TObject* Obj, const std::string& Name);
// Creates a registered component class by name; EReadError when unknown.
TComponent* CreateComponent(const std::string& ClassName, TComponent* Owner);
// The names of every declared class, for palettes and inspectors.
std::vector<std::string> RegisteredClassNames();

namespace detail {
TClassInfo& ClassEntry(std::type_index Type, std::function<bool(const TObject*)> IsInstance);
void DeclareClass(TClassInfo& Info, const std::string& Name);
TEnumInfo& EnumEntry(std::type_index Type);
const TEnumInfo* FindEnum(std::type_index Type);
void ClassesChanged();
[[noreturn]] void DeclarationError(const std::string& Msg);

template <typename T> TClassInfo& EntryOf() {
  return ClassEntry(typeid(T), [](const TObject* Obj) { return dynamic_cast<const T*>(Obj); });
}

template <typename T, typename G> using PropType = std::remove_cvref_t<std::invoke_result_t<G, T*>>;

// An event handler that remembers the name it was bound under, so that the
// writer can store the name again.
template <typename Sig> struct TNamedHandler;
template <typename R, typename... A> struct TNamedHandler<R(A...)> {
  std::string Name;
  std::function<R(A...)> Fn;
  R operator()(A... Args) const { return Fn(std::forward<A>(Args)...); }
};

template <typename F> struct TMethodTraits;
template <typename C, typename R, typename... A> struct TMethodTraits<R (C::*)(A...)> {
  using Signature = R(A...);
};
} // namespace detail

// Declares the value names of enumeration E (in value order from 0); tables
// that publish an E or a Set<E> look them up.
template <typename E>
void DeclareEnum(const std::string& TypeName, std::initializer_list<const char*> Names) {
  static_assert(std::is_enum_v<E>);
  TEnumInfo& Info = detail::EnumEntry(typeid(E));
  Info.Name = TypeName;
  Info.Names.assign(Names.begin(), Names.end());
}

namespace detail {
// Whether List is identifiers separated by commas, so that the values are
// numbered from 0 in the order of their names.
consteval bool IsPlainEnumeratorList(std::string_view List) {
  for (const char Ch : List)
    if (!(Ch == '_' || Ch == ',' || Ch == ' ' || (Ch >= '0' && Ch <= '9') ||
          (Ch >= 'A' && Ch <= 'Z') || (Ch >= 'a' && Ch <= 'z')))
      return false;
  return !List.empty();
}
std::vector<std::string> SplitEnumeratorList(std::string_view List);
} // namespace detail

// Declares the value names of an enumeration declared with VCL_ENUM, as its
// declaration lists them.
template <typename E> void DeclareEnum(const std::string& TypeName) {
  static_assert(std::is_enum_v<E>);
  constexpr std::string_view List = EnumValueNames(E());
  static_assert(detail::IsPlainEnumeratorList(List), "a VCL_ENUM gives no value of its own");
  TEnumInfo& Info = detail::EnumEntry(typeid(E));
  Info.Name = TypeName;
  Info.Names = detail::SplitEnumeratorList(List);
}

template <typename E> const TEnumInfo* EnumInfoOf() {
  return detail::FindEnum(typeid(E));
}

// The builder of one class's table; see the top of this file.
template <typename T> class Published {
  static_assert(std::is_base_of_v<TPersistent, T>, "published classes are persistent");

public:
  explicit Published(const std::string& ClassName) : FInfo(detail::EntryOf<T>()) {
    detail::DeclareClass(FInfo, ClassName);
    if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> &&
                  std::is_constructible_v<T, TComponent*>)
      FInfo.FCreate = [](TComponent* Owner) -> TComponent* { return new T(Owner); };
  }

  template <typename P> Published& Inherits() {
    static_assert(std::is_base_of_v<P, T> && !std::is_same_v<P, T>);
    FInfo.FParent = &detail::EntryOf<P>();
    return *this;
  }

  template <typename G, typename S>
  Published& Bool(const std::string& Name, G Get, S Setter, std::optional<bool> Default = {}) {
    static_assert(std::is_same_v<detail::PropType<T, G>, bool>);
    TPropInfo& P = Add(
        Name, tkBoolean, "Boolean", Get, Setter, [](bool V) -> std::int64_t { return V; },
        [](const TPropValue& V) { return std::get<std::int64_t>(V) != 0; });
    if (Default)
      P.Default = TPropValue(std::int64_t(*Default));
    P.MaxValue = 1;
    return *this;
  }

  // An integer of the getter's type; its range is the type's unless .Range narrows it.
  template <typename G, typename S>
  Published& Int(const std::string& Name, G Get, S Setter,
                 std::optional<std::int64_t> Default = {}) {
    using V = detail::PropType<T, G>;
    static_assert(std::is_integral_v<V> && !std::is_same_v<V, bool> &&
                  (sizeof(V) < 8 || std::is_signed_v<V>));
    TPropInfo& P = Add(
        Name, tkInteger, IntegerTypeName<V>(), Get, Setter, [](V X) -> std::int64_t { return X; },
        [](const TPropValue& X) { return static_cast<V>(std::get<std::int64_t>(X)); });
    P.MinValue = std::numeric_limits<V>::min();
    P.MaxValue = std::numeric_limits<V>::max();
    if (Default)
      P.Default = TPropValue(*Default);
    return *this;
  }

  // A single character, stored as a one-character string: a byte (char) or
  // a code point (char32_t), held as its value.
  template <typename G, typename S>
  Published& Char(const std::string& Name, G Get, S Setter, std::optional<char32_t> Default = {}) {
    using V = detail::PropType<T, G>;
    static_assert(std::is_same_v<V, char> || std::is_same_v<V, char32_t>);
    using U = std::conditional_t<std::is_same_v<V, char>, unsigned char, char32_t>;
    TPropInfo& P = Add(
        Name, tkChar, "Char", Get, Setter, [](V C) -> std::int64_t { return static_cast<U>(C); },
        [](const TPropValue& X) { return static_cast<V>(std::get<std::int64_t>(X)); });
    P.MaxValue = std::is_same_v<V, char> ? 255 : 0x10FFFF;
    if (Default)
      P.Default = TPropValue(std::int64_t(*Default));
    return *this;
  }

  template <typename G, typename S>
  Published& Enum(const std::string& Name, G Get, S Setter,
                  std::optional<detail::PropType<T, G>> Default = {}) {
    using E = detail::PropType<T, G>;
    static_assert(std::is_enum_v<E>);
    const TEnumInfo* Info = RequireEnum<E>(Name);
    TPropInfo& P = Add(
        Name, tkEnumeration, Info->Name, Get, Setter,
        [](E X) -> std::int64_t { return static_cast<std::int64_t>(X); },
        [](const TPropValue& X) { return static_cast<E>(std::get<std::int64_t>(X)); });
    P.EnumType = Info;
    P.MaxValue = static_cast<std::int64_t>(Info->Names.size()) - 1;
    if (Default)
      P.Default = TPropValue(static_cast<std::int64_t>(*Default));
    return *this;
  }

  template <typename G, typename S>
  Published& Set(const std::string& Name, G Get, S Setter,
                 std::optional<detail::PropType<T, G>> Default = {}) {
    using V = detail::PropType<T, G>;
    const TEnumInfo* Info = RequireEnum<typename SetTraits<V>::Element>(Name);
    TPropInfo& P = Add(
        Name, tkSet, "set of " + Info->Name, Get, Setter, [](const V& X) { return X.Bits(); },
        [](const TPropValue& X) { return V::FromBits(std::get<std::bitset<256>>(X)); });
    P.EnumType = Info;
    if (Default)
      P.Default = TPropValue(Default->Bits());
    return *this;
  }

  // A float of the getter's type (float, double or long double).
  template <typename G, typename S>
  Published& Float(const std::string& Name, G Get, S Setter,
                   std::optional<long double> Default = {}) {
    using V = detail::PropType<T, G>;
    static_assert(std::is_floating_point_v<V>);
    const char* TypeName = sizeof(V) == 4 ? "Single" : sizeof(V) == 8 ? "Double" : "Extended";
    AddFloat<V>(Name, TypeName, Get, Setter, Default);
    return *this;
  }

  template <typename G, typename S>
  Published& DateTime(const std::string& Name, G Get, S Setter,
                      std::optional<long double> Default = {}) {
    static_assert(std::is_same_v<detail::PropType<T, G>, TDateTime>);
    AddFloat<TDateTime>(Name, "TDateTime", Get, Setter, Default);
    return *this;
  }

  template <typename G, typename S>
  Published& Curr(const std::string& Name, G Get, S Setter, std::optional<Currency> Default = {}) {
    static_assert(std::is_same_v<detail::PropType<T, G>, Currency>);
    TPropInfo& P = Add(
        Name, tkCurrency, "Currency", Get, Setter, [](Currency C) { return C; },
        [](const TPropValue& X) { return std::get<Currency>(X); });
    if (Default)
      P.Default = TPropValue(*Default);
    return *this;
  }

  template <typename G, typename S>
  Published& Str(const std::string& Name, G Get, S Setter,
                 std::optional<std::string> Default = {}) {
    AddString(Name, tkString, "string", Get, Setter);
    if (Default)
      FInfo.FProps.back().Default = TPropValue(*Default);
    return *this;
  }

  // Bytes held in a std::string, stored as hexadecimal.
  template <typename G, typename S> Published& Binary(const std::string& Name, G Get, S Setter) {
    AddString(Name, tkBinary, "Binary", Get, Setter);
    return *this;
  }

  // An owned sub-object (a TPersistent): its own published properties are
  // stored as Name.Prop. The getter never returns null for an owned object.
  template <typename G> Published& Object(const std::string& Name, G Get) {
    using V = detail::PropType<T, G>;
    static_assert(std::is_pointer_v<V> &&
                  std::is_base_of_v<TPersistent, std::remove_cv_t<std::remove_pointer_t<V>>>);
    TPropInfo& P = AddRaw(Name, tkClass, "TPersistent");
    P.Get = [Get](TObject* Obj) {
      return TPropValue(static_cast<TObject*>(
          const_cast<std::remove_cv_t<std::remove_pointer_t<V>>*>(std::invoke(Get, Cast(Obj)))));
    };
    return *this;
  }

  // A string list. Without a setter the reader fills the list in place; with
  // one it hands a complete list to the setter.
  template <typename G, typename S = std::nullptr_t>
  Published& Strings(const std::string& Name, G Get, S Setter = nullptr) {
    using V = detail::PropType<T, G>;
    static_assert(std::is_convertible_v<V, const TStrings*>);
    TPropInfo& P = AddRaw(Name, tkStrings, "TStrings");
    P.Get = [Get](TObject* Obj) {
      return TPropValue(static_cast<TObject*>(
          const_cast<TStrings*>(static_cast<const TStrings*>(std::invoke(Get, Cast(Obj))))));
    };
    if constexpr (!std::is_null_pointer_v<S>)
      P.Set = [Setter](TObject* Obj, const TPropValue& X) {
        std::invoke(Setter, Cast(Obj), static_cast<TStrings*>(std::get<TObject*>(X)));
      };
    return *this;
  }

  // A reference to another component, stored as its name.
  template <typename G, typename S> Published& Component(const std::string& Name, G Get, S Setter) {
    using V = detail::PropType<T, G>;
    using C = std::remove_cv_t<std::remove_pointer_t<V>>;
    static_assert(std::is_pointer_v<V> && std::is_base_of_v<TComponent, C>);
    TPropInfo& P = AddRaw(Name, tkComponent, "TComponent");
    P.Accepts = [](const TObject* Obj) { return dynamic_cast<const C*>(Obj) != nullptr; };
    P.Get = [Get](TObject* Obj) {
      return TPropValue(static_cast<TObject*>(const_cast<C*>(std::invoke(Get, Cast(Obj)))));
    };
    P.Set = [Setter](TObject* Obj, const TPropValue& X) {
      TObject* Value = std::get<TObject*>(X);
      C* Target = dynamic_cast<C*>(Value);
      if (Value && !Target)
        throw EConvertError("A " + Value->ClassName() + " cannot be assigned to this property");
      std::invoke(Setter, Cast(Obj), Target);
    };
    return *this;
  }

  // An event: a public std::function member, stored as its handler's name.
  template <typename Sig> Published& Event(const std::string& Name, std::function<Sig> T::*Member) {
    TPropInfo& P = AddRaw(Name, tkMethod, "event");
    P.EventType = typeid(std::function<Sig>);
    P.Get = [Member](TObject* Obj) {
      const auto* Named = (Cast(Obj)->*Member).template target<detail::TNamedHandler<Sig>>();
      return TPropValue(Named ? Named->Name : std::string());
    };
    P.EmptyHandler = [] { return std::any(std::function<Sig>(EmptyHandlerOf<Sig>())); };
    P.SetHandler = [Member](TObject* Obj, const TMethodInfo* Method, TObject* Root) {
      if (!Method) {
        Cast(Obj)->*Member = nullptr;
        return true;
      }
      if (Method->Type != typeid(std::function<Sig>))
        return false;
      auto Fn = std::any_cast<std::function<Sig>>(Method->Bind(Root));
      Cast(Obj)->*Member = detail::TNamedHandler<Sig>{Method->Name, std::move(Fn)};
      return true;
    };
    return *this;
  }

  // A published method that stored event handler names can bind to.
  template <typename M> Published& Method(const std::string& Name, M Member) {
    using Sig = typename detail::TMethodTraits<M>::Signature;
    TMethodInfo Info;
    Info.Name = Name;
    Info.Type = typeid(std::function<Sig>);
    Info.Bind = [Member](TObject* Instance) -> std::any {
      T* Self = Cast(Instance);
      return std::function<Sig>([Self, Member](auto&&... Args) {
        return (Self->*Member)(std::forward<decltype(Args)>(Args)...);
      });
    };
    FInfo.FMethods.push_back(std::move(Info));
    return *this;
  }

  // A published method made at run time: Info.Bind gives the handler (a
  // script player or a tool binds handlers it builds itself).
  Published& Method(TMethodInfo Info) {
    FInfo.FMethods.push_back(std::move(Info));
    return *this;
  }

  // A published component field, set to the owned component named Name.
  template <typename C> Published& Field(const std::string& Name, C* T::*Member) {
    static_assert(std::is_base_of_v<TComponent, C>);
    TFieldInfo Info;
    Info.Name = Name;
    Info.Assign = [Member](TObject* Instance, TComponent* Value) {
      C* Target = dynamic_cast<C*>(Value);
      if (Value && !Target)
        return false;
      Cast(Instance)->*Member = Target;
      return true;
    };
    Info.Get = [Member](TObject* Instance) -> TComponent* { return Cast(Instance)->*Member; };
    FInfo.FFields.push_back(std::move(Info));
    return *this;
  }

  // Modifiers of the property declared last.

  // A stored-test: a member function or callable on T* giving bool, or a constant.
  template <typename F> Published& Stored(F Test) {
    if constexpr (std::is_same_v<F, bool>)
      Last().IsStored = [Test](TObject*) { return Test; };
    else
      Last().IsStored = [Test](TObject* Obj) {
        return static_cast<bool>(std::invoke(Test, Cast(Obj)));
      };
    return *this;
  }

  Published& Range(std::int64_t Min, std::int64_t Max) {
    TPropInfo& P = Last();
    if (P.Kind != tkInteger || Min > Max || Min < P.MinValue || Max > P.MaxValue)
      detail::DeclarationError("Range does not fit property " + P.Name);
    P.MinValue = Min;
    P.MaxValue = Max;
    return *this;
  }

  Published& TypeName(const std::string& Name) {
    Last().TypeName = Name;
    return *this;
  }

  // A TDateTime property that holds a date: a form file written by hand may
  // give it as a date text, 2020-01-31 or 1/31/2020.
  Published& DateText() {
    TPropInfo& P = Last();
    if (P.Kind != tkFloat)
      detail::DeclarationError("DateText does not fit property " + P.Name);
    P.DateText = true;
    return *this;
  }

  // Replaces the declared default: a class whose constructor gives a shared
  // property another value declares that value as its default.
  template <typename V> Published& Default(V Value) {
    TPropInfo& P = Last();
    if constexpr (std::is_same_v<V, bool> || std::is_enum_v<V>)
      P.Default = TPropValue(static_cast<std::int64_t>(Value));
    else if constexpr (std::is_same_v<V, char>)
      P.Default = TPropValue(std::int64_t(static_cast<unsigned char>(Value)));
    else if constexpr (std::is_integral_v<V>)
      P.Default = TPropValue(static_cast<std::int64_t>(Value));
    else if constexpr (std::is_floating_point_v<V>)
      P.Default = TPropValue(static_cast<long double>(Value));
    else if constexpr (requires { Value.Bits(); })
      P.Default = TPropValue(Value.Bits());
    else
      P.Default = TPropValue(Value);
    return *this;
  }

private:
  template <typename Sig> struct EmptyHandlerOf;
  template <typename R, typename... A> struct EmptyHandlerOf<R(A...)> {
    R operator()(A...) const { return R(); }
  };

  template <typename V> struct SetTraits;
  template <typename E> struct SetTraits<vcl::Set<E>> { using Element = E; };

  static T* Cast(TObject* Obj) { return static_cast<T*>(Obj); }

  template <typename E> const TEnumInfo* RequireEnum(const std::string& Prop) {
    const TEnumInfo* Info = EnumInfoOf<E>();
    if (!Info)
      detail::DeclarationError("The enumeration of " + FInfo.FName + "." + Prop +
                               " is not declared (DeclareEnum)");
    return Info;
  }

  template <typename V> static std::string IntegerTypeName() {
    if constexpr (std::is_same_v<V, std::uint8_t>)
      return "Byte";
    else if constexpr (std::is_same_v<V, std::int8_t>)
      return "ShortInt";
    else if constexpr (std::is_same_v<V, std::uint16_t>)
      return "Word";
    else if constexpr (std::is_same_v<V, std::int16_t>)
      return "SmallInt";
    else if constexpr (std::is_same_v<V, std::uint32_t>)
      return "Cardinal";
    else if constexpr (sizeof(V) == 8)
      return "Int64";
    else
      return "Integer";
  }

  TPropInfo& Last() {
    if (FInfo.FProps.empty())
      detail::DeclarationError("A modifier needs a property before it in " + FInfo.FName);
    return FInfo.FProps.back();
  }

  TPropInfo& AddRaw(const std::string& Name, TTypeKind Kind, const std::string& TypeName) {
    TPropInfo P;
    P.Name = Name;
    P.Kind = Kind;
    P.TypeName = TypeName;
    FInfo.FProps.push_back(std::move(P));
    detail::ClassesChanged();
    return FInfo.FProps.back();
  }

  // Getter and setter through the value conversions ToValue and FromValue.
  template <typename G, typename S, typename To, typename From>
  TPropInfo& Add(const std::string& Name, TTypeKind Kind, const std::string& TypeName, G Get,
                 S Setter, To ToValue, From FromValue) {
    TPropInfo& P = AddRaw(Name, Kind, TypeName);
    P.Get = [Get, ToValue](TObject* Obj) {
      return TPropValue(ToValue(std::invoke(Get, Cast(Obj))));
    };
    if constexpr (!std::is_null_pointer_v<S>)
      P.Set = [Setter, FromValue](TObject* Obj, const TPropValue& X) {
        std::invoke(Setter, Cast(Obj), FromValue(X));
      };
    return P;
  }

  template <typename G, typename S>
  void AddString(const std::string& Name, TTypeKind Kind, const std::string& TypeName, G Get,
                 S Setter) {
    static_assert(std::is_convertible_v<detail::PropType<T, G>, std::string>);
    Add(
        Name, Kind, TypeName, Get, Setter, [](const std::string& X) { return X; },
        [](const TPropValue& X) -> const std::string& { return std::get<std::string>(X); });
  }

  template <typename V, typename G, typename S>
  void AddFloat(const std::string& Name, const std::string& TypeName, G Get, S Setter,
                std::optional<long double> Default) {
    TPropInfo& P = Add(
        Name, tkFloat, TypeName, Get, Setter, [](V X) -> long double { return X; },
        [](const TPropValue& X) { return static_cast<V>(std::get<long double>(X)); });
    P.FloatSize = sizeof(V) == 4 ? 4 : sizeof(V) == 8 ? 8 : 10;
    if (Default)
      P.Default = TPropValue(static_cast<long double>(static_cast<V>(*Default)));
  }

  TClassInfo& FInfo;
};

} // namespace vcl
