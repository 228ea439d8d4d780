// Run-time core: the object model every component stands on. TObject is the
// root, TPersistent can be stored in form files, TComponent owns and names its
// sub-components; Set<E> is the small-set type of enumerations, and
// TStrings/TStringList are the string lists used for word lists and captions.
#pragma once

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "vcl/sysutils.h"

namespace vcl {

// A set of values of an enumeration with at most 256 members.
template <typename E> class Set {
  static_assert(std::is_enum_v<E>, "Set<E> needs an enumeration");

public:
  constexpr Set() = default;
  Set(std::initializer_list<E> Items) {
    for (E Item : Items)
      Include(Item);
  }
  bool Contains(E Item) const { return FBits.test(Index(Item)); }
  Set& Include(E Item) {
    FBits.set(Index(Item));
    return *this;
  }
  Set& Exclude(E Item) {
    FBits.reset(Index(Item));
    return *this;
  }
  bool Empty() const { return FBits.none(); }
  bool operator==(const Set& Other) const { return FBits == Other.FBits; }
  Set operator+(const Set& Other) const { return FromBits(FBits | Other.FBits); }
  Set operator-(const Set& Other) const { return FromBits(FBits & ~Other.FBits); }
  Set operator*(const Set& Other) const { return FromBits(FBits & Other.FBits); }
  // The members as bits, bit n for the value n (for storing and comparing).
  const std::bitset<256>& Bits() const { return FBits; }
  static Set FromBits(const std::bitset<256>& Bits) {
    Set S;
    S.FBits = Bits;
    return S;
  }

private:
  static std::size_t Index(E Item) { return static_cast<std::size_t>(Item) & 0xFF; }
  std::bitset<256> FBits;
};

class TObject;
class TPersistent;
class TComponent;
class TFiler;

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Removes one item from a list that holds it once, searching from the end:
// owners and parents free their components and children newest first, so
// the search is short where it matters (freeing a large form).
template <typename T, typename U> void EraseLast(std::vector<T*>& List, const U* Item) {
  const auto It = std::find(List.rbegin(), List.rend(), Item);
  if (It != List.rend())
    List.erase(std::next(It).base());
}

// The alignment of a text within its box: of a control's caption, and of a
// data field's value in the controls that show it.
VCL_ENUM(TAlignment, std::uint8_t, taLeftJustify, taRightJustify, taCenter);

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  // The class name without namespaces ("TStringList"), taken from the dynamic type.
  std::string ClassName() const;
  template <typename T> bool InheritsFrom() const { return dynamic_cast<const T*>(this); }
};

class TPersistent : public TObject {
public:
  // Copies Source into this object; unsupported copies raise EConvertError
  // "Cannot assign a TSource to a TDest".
  virtual void Assign(TPersistent* Source);

protected:
  virtual void AssignTo(TPersistent* Dest);
  virtual void DefineProperties(TFiler* Filer);
  [[noreturn]] void AssignError(TPersistent* Source);

  friend class TFiler;
};

enum TComponentStateE : std::uint8_t {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  // Read from a form file to be looked at or edited as a file, not run (a
  // form inspector): the component acts on nothing outside the program.
  csInspecting
};
using TComponentState = Set<TComponentStateE>;

enum TOperation : std::uint8_t { opInsert, opRemove };

class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const;
  TComponent* FindComponent(const std::string& AName) const;

  const std::string& Name() const { return FName; }
  // Names are identifiers, unique among the owner's components (case-insensitive);
  // a bad or duplicate name raises EComponentError.
  virtual void SetName(const std::string& NewName);
  std::intptr_t Tag() const { return FTag; }
  void SetTag(std::intptr_t Value) { FTag = Value; }

  const TComponentState& ComponentState() const { return FComponentState; }
  // Asks AComponent to tell this component (Notification opRemove) when it is freed.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();
  // Frees Components (owned by this one, in the order they were made) newest
  // first. This component and the components it keeps hear of each as its
  // delete would tell them; those freed together do not hear of one
  // another, so freeing many costs no more than freeing each alone.
  void FreeComponents(const std::vector<TComponent*>& Components);
  // Marks this component and its owned ones as being designed (the form designer's view).
  void SetDesigning(bool Value);
  // Marks this component and its owned ones (and those it comes to own) as
  // read for inspection: a form file read into a root marked so is taken as
  // a file, not run. A data set stored open stays closed (its Active reads
  // and writes back as stored), a handler name the root does not publish is
  // kept as a name, and a root class the program has not registered is read
  // into the root as it is (an application's own form class into a TForm).
  void SetInspecting(bool Value);

  // Form-file reading marks the components it fills; it calls Loaded after
  // every property has been read.
  void SetLoadingState(bool Reading);
  void ClearLoadingState();
  virtual void Loaded();

  // Form files. GetChildren lists the components written nested inside this
  // one when Root is stored; by default the root lists the components it owns
  // whose parent component is none or the root itself, and other components
  // list nothing. A control reports its parent through GetParentComponent,
  // and the reader hands every component it reads to SetParentComponent with
  // the object it is nested in (the root for top-level ones). The GUI layer
  // overrides the three so that controls nest inside their parents.
  virtual void GetChildren(const std::function<void(TComponent*)>& Proc,
                           const TComponent* Root) const;
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent*) {}

protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  void SetState(TComponentStateE Flag, bool On);
  // Marks the component as being destroyed; descendants that need their parts
  // alive during teardown call it first in their destructor.
  void Destroying();

private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  std::string FName;
  std::intptr_t FTag = 0;
  std::vector<TComponent*> FComponents;
  // The named ones among FComponents by their name in lower case, so that
  // finding one (each read component and each reference in a form file)
  // does not walk the list.
  std::unordered_map<std::string, TComponent*> FNamed;
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
};

class EComponentError : public Exception {
public:
  using Exception::Exception;
};

// ---------------------------------------------------------------------------
// String lists

enum TDuplicates : std::uint8_t { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
public:
  virtual int Count() const = 0;
  virtual std::string Strings(int Index) const = 0;
  virtual void Put(int Index, const std::string& S);
  std::string operator[](int Index) const { return Strings(Index); }
  virtual TObject* Objects(int Index) const;
  virtual void PutObject(int Index, TObject* AObject);

  virtual int Add(const std::string& S);
  int AddObject(const std::string& S, TObject* AObject);
  void AddStrings(const TStrings* Strings);
  void Append(const std::string& S) { Add(S); }
  virtual void Insert(int Index, const std::string& S) = 0;
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  virtual int IndexOf(const std::string& S) const; // case-insensitive (AnsiCompareText)
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);

  void Assign(TPersistent* Source) override;
  bool Equals(const TStrings* Strings) const;

  // The lines joined by "\r\n" (each line ends with it); SetTextStr splits
  // at CR, LF or CR LF.
  std::string Text() const;
  void SetTextStr(const std::string& Value);
  std::string CommaText() const;
  void SetCommaText(const std::string& Value);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

protected:
  virtual void SetUpdateState(bool Updating);
  [[noreturn]] void Error(const std::string& Msg, int Data) const;

private:
  int FUpdateCount = 0;
};

class TStringList : public TStrings {
public:
  TStringList() = default;
  ~TStringList() override;

  int Count() const override { return static_cast<int>(FList.size()); }
  std::string Strings(int Index) const override;
  void Put(int Index, const std::string& S) override;
  TObject* Objects(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;

  // A sorted list keeps AnsiCompareText order and places added strings with Find.
  int Add(const std::string& S) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;
  int IndexOf(const std::string& S) const override;

  // Binary search in a sorted list (AnsiCompareText): true when S is present
  // ignoring case; Index is then its position, otherwise where S would go.
  virtual bool Find(const std::string& S, int& Index) const;
  virtual void Sort();

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool Updating) override;

private:
  struct Item {
    std::string S;
    TObject* Obj = nullptr;
  };
  void InsertItem(int Index, const std::string& S);
  void CheckIndex(int Index) const;

  std::vector<Item> FList;
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
};

// ---------------------------------------------------------------------------
// Form files (the classic text form: object Name: TClass ... end).

// Writes Root, its published properties and the components it owns.
std::string ComponentToText(const TComponent* Root);
// Fills an existing root from Text; children are created by class name with
// Root as their owner. Raises EReadError naming the line on malformed input.
void ReadComponentText(const std::string& Text, TComponent* Root);
// Creates the root by its class name, owned by Owner.
TComponent* TextToComponent(const std::string& Text, TComponent* Owner);
// The class Text names for its root ("TOrderForm" of "object OrderForm:
// TOrderForm"), from its first line; EReadError when Text does not start
// as a form file does.
std::string FormRootClassName(const std::string& Text);

// Declares the form-file names of the enumerations of this unit
// (TAlignment), once; the units that publish properties of them call it.
void RegisterClassesEnums();

} // namespace vcl
