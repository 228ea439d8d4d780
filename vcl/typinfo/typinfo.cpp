// The registry of published classes and enumerations, and the queries the
// form-file reader and writer make of it. Entries live as long as the
// program; a redeclared class keeps its entry (and so its address) and gets
// a fresh table.
#include "vcl/typinfo.h"

#include <algorithm>
#include <map>
#include <memory>
#include <unordered_map>

namespace vcl {

int TEnumInfo::ValueOf(const std::string& Ident) const {
  for (std::size_t I = 0; I < Names.size(); ++I)
    if (SameText(Names[I], Ident))
      return static_cast<int>(I);
  return -1;
}

class TClassRegistry {
public:
  static TClassRegistry& Instance() {
    static TClassRegistry Registry;
    return Registry;
  }

  TClassInfo& Entry(std::type_index Type, std::function<bool(const TObject*)> IsInstance) {
    auto& Slot = FEntries[Type];
    if (!Slot) {
      Slot = std::make_unique<TClassInfo>();
      Slot->FType = Type;
      Slot->FIsInstance = std::move(IsInstance);
    }
    return *Slot;
  }

  void Declare(TClassInfo& Info, const std::string& Name) {
    if (!Info.FName.empty())
      FByName.erase(UpperCase(Info.FName));
    auto Clash = FByName.find(UpperCase(Name));
    if (Clash != FByName.end() && Clash->second != &Info)
      detail::DeclarationError("Two classes are declared as " + Name);
    Info.FName = Name;
    Info.FParent = nullptr;
    Info.FCreate = nullptr;
    Info.FProps.clear();
    Info.FMethods.clear();
    Info.FFields.clear();
    FByName[UpperCase(Name)] = &Info;
    Changed();
  }

  const TClassInfo* Find(const std::string& Name) const {
    auto It = FByName.find(UpperCase(Name));
    return It == FByName.end() ? nullptr : It->second;
  }

  // The deepest declared class Obj is an instance of. Results are cached by
  // dynamic type until the next declaration.
  const TClassInfo* Of(const TObject* Obj) {
    const std::type_index Type = typeid(*Obj);
    if (auto It = FCache.find(Type); It != FCache.end())
      return It->second;
    const TClassInfo* Best = nullptr;
    int BestDepth = -1;
    for (const auto& [Key, Info] : FEntries) {
      if (!Info->Declared() || !Info->IsInstance(Obj))
        continue;
      int Depth = 0;
      for (const TClassInfo* P = Info->Parent(); P; P = P->Parent())
        ++Depth;
      if (Depth > BestDepth) {
        Best = Info.get();
        BestDepth = Depth;
      }
    }
    FCache[Type] = Best;
    return Best;
  }

  TEnumInfo& Enum(std::type_index Type) {
    auto& Slot = FEnums[Type];
    if (!Slot)
      Slot = std::make_unique<TEnumInfo>();
    return *Slot;
  }

  const TEnumInfo* FindEnum(std::type_index Type) const {
    auto It = FEnums.find(Type);
    return It == FEnums.end() ? nullptr : It->second.get();
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> Result;
    for (const auto& [Key, Info] : FByName)
      Result.push_back(Info->ClassName());
    return Result;
  }

  void Changed() { FCache.clear(); }

  void DeclareIdents(const std::string& TypeName, std::vector<TIdentMapEntry> Map) {
    FIdents[UpperCase(TypeName)] = std::move(Map);
  }

  const std::vector<TIdentMapEntry>& Idents(const std::string& TypeName) const {
    static const std::vector<TIdentMapEntry> None;
    auto It = FIdents.find(UpperCase(TypeName));
    return It == FIdents.end() ? None : It->second;
  }

private:
  TClassRegistry();

  std::map<std::type_index, std::unique_ptr<TClassInfo>> FEntries;
  std::map<std::string, TClassInfo*> FByName;
  std::unordered_map<std::type_index, const TClassInfo*> FCache;
  std::map<std::type_index, std::unique_ptr<TEnumInfo>> FEnums;
  std::map<std::string, std::vector<TIdentMapEntry>> FIdents;
};

void DeclareIdents(const std::string& TypeName, std::vector<TIdentMapEntry> Map) {
  TClassRegistry::Instance().DeclareIdents(TypeName, std::move(Map));
}

const std::vector<TIdentMapEntry>& IdentsOf(const std::string& TypeName) {
  return TClassRegistry::Instance().Idents(TypeName);
}

namespace detail {

TClassInfo& ClassEntry(std::type_index Type, std::function<bool(const TObject*)> IsInstance) {
  return TClassRegistry::Instance().Entry(Type, std::move(IsInstance));
}

void DeclareClass(TClassInfo& Info, const std::string& Name) {
  TClassRegistry::Instance().Declare(Info, Name);
}

TEnumInfo& EnumEntry(std::type_index Type) {
  return TClassRegistry::Instance().Enum(Type);
}

const TEnumInfo* FindEnum(std::type_index Type) {
  return TClassRegistry::Instance().FindEnum(Type);
}

std::vector<std::string> SplitEnumeratorList(std::string_view List) {
  std::vector<std::string> Names;
  std::size_t Start = 0;
  for (;;) {
    const std::size_t Comma = std::min(List.find(',', Start), List.size());
    const std::string_view Name = List.substr(Start, Comma - Start);
    const std::size_t First = Name.find_first_not_of(' ');
    Names.emplace_back(Name.substr(First, Name.find_last_not_of(' ') + 1 - First));
    if (Comma == List.size())
      return Names;
    Start = Comma + 1;
  }
}

void ClassesChanged() {
  TClassRegistry::Instance().Changed();
}

void DeclarationError(const std::string& Msg) {
  throw std::logic_error(Msg);
}

} // namespace detail

// The core classes are declared with the registry itself, so every table can
// inherit from them without a registration call of its own.
TClassRegistry::TClassRegistry() {
  // Declared through the members directly: Instance() is still being constructed.
  TClassInfo& Persistent = Entry(typeid(TPersistent), [](const TObject* Obj) {
    return dynamic_cast<const TPersistent*>(Obj) != nullptr;
  });
  Persistent.FName = "TPersistent";
  FByName["TPERSISTENT"] = &Persistent;

  TClassInfo& Component = Entry(typeid(TComponent), [](const TObject* Obj) {
    return dynamic_cast<const TComponent*>(Obj) != nullptr;
  });
  Component.FName = "TComponent";
  Component.FParent = &Persistent;
  TPropInfo Tag;
  Tag.Name = "Tag";
  Tag.Kind = tkInteger;
  Tag.TypeName = "Integer";
  Tag.MinValue = std::numeric_limits<std::int32_t>::min();
  Tag.MaxValue = std::numeric_limits<std::int32_t>::max();
  Tag.Default.emplace(std::int64_t(0));
  Tag.Get = [](TObject* Obj) {
    return TPropValue(std::int64_t(static_cast<TComponent*>(Obj)->Tag()));
  };
  Tag.Set = [](TObject* Obj, const TPropValue& V) {
    static_cast<TComponent*>(Obj)->SetTag(static_cast<std::intptr_t>(std::get<std::int64_t>(V)));
  };
  Component.FProps.push_back(std::move(Tag));
  FByName["TCOMPONENT"] = &Component;
}

// ---------------------------------------------------------------------------
// TClassInfo

std::vector<const TPropInfo*> TClassInfo::Properties() const {
  std::vector<const TPropInfo*> Result;
  if (FParent) {
    if (!FParent->Declared())
      detail::DeclarationError("The parent class of " + FName + " is not declared");
    Result = FParent->Properties();
  }
  for (const TPropInfo& P : FProps) {
    // A redeclared property leaves its inherited place for its new one.
    std::erase_if(Result, [&](const TPropInfo* Q) { return SameText(Q->Name, P.Name); });
    Result.push_back(&P);
  }
  return Result;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& Name) const {
  for (const TClassInfo* C = this; C; C = C->FParent)
    for (const TPropInfo& P : C->FProps)
      if (SameText(P.Name, Name))
        return &P;
  return nullptr;
}

std::vector<const TMethodInfo*> TClassInfo::Methods() const {
  std::vector<const TMethodInfo*> Result =
      FParent ? FParent->Methods() : std::vector<const TMethodInfo*>();
  for (const TMethodInfo& M : FMethods)
    Result.push_back(&M);
  return Result;
}

const TMethodInfo* TClassInfo::FindMethod(const std::string& Name) const {
  for (const TClassInfo* C = this; C; C = C->FParent)
    for (const TMethodInfo& M : C->FMethods)
      if (SameText(M.Name, Name))
        return &M;
  return nullptr;
}

const TFieldInfo* TClassInfo::FindField(const std::string& Name) const {
  for (const TClassInfo* C = this; C; C = C->FParent)
    for (const TFieldInfo& F : C->FFields)
      if (SameText(F.Name, Name))
        return &F;
  return nullptr;
}

bool TClassInfo::InheritsFrom(const TClassInfo* Other) const {
  for (const TClassInfo* C = this; C; C = C->FParent)
    if (C == Other)
      return true;
  return false;
}

TComponent* TClassInfo::Create(TComponent* Owner) const {
  if (!FCreate)
    throw EReadError("Cannot create an instance of " + FName);
  return FCreate(Owner);
}

// ---------------------------------------------------------------------------
// Queries

const TClassInfo* FindClassInfo(const std::string& Name) {
  return TClassRegistry::Instance().Find(Name);
}

const TClassInfo* GetClassInfo(const TObject* Obj) {
  return Obj ? TClassRegistry::Instance().Of(Obj) : nullptr;
}

const TPropInfo* FindPropInfo(const TObject* Obj, const std::string& Name) {
  const TClassInfo* Info = GetClassInfo(Obj);
  return Info ? Info->FindProperty(Name) : nullptr;
}

TComponent* CreateComponent(const std::string& ClassName, TComponent* Owner) {
  const TClassInfo* Info = FindClassInfo(ClassName);
  if (!Info)
    throw EReadError("Class " + ClassName + " not found");
  return Info->Create(Owner);
}

std::vector<std::string> RegisteredClassNames() {
  return TClassRegistry::Instance().Names();
}

} // namespace vcl
