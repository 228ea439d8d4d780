// TPersistent and TComponent: copying between persistent objects, and the
// ownership, naming and notification web of components. An owner frees what
// it owns; every component that is freed tells its owner and the peers that
// asked for a free notification, and the peers forget each other on the way,
// so no component is left holding a pointer to a freed one.
#include <algorithm>

#include "vcl/classes.h"

namespace vcl {

namespace {

void EraseFrom(std::vector<TComponent*>& List, const TComponent* Item) {
  List.erase(std::remove(List.begin(), List.end(), Item), List.end());
}

// The key of a name in an owner's index. Names are ASCII identifiers, and
// for ASCII texts the case-insensitive comparison is equality in lower case.
std::string NameKey(const std::string& Name) {
  return LowerCase(Name);
}

bool Contains(const std::vector<TComponent*>& List, const TComponent* Item) {
  return std::find(List.begin(), List.end(), Item) != List.end();
}

bool IsIdentStart(char Ch) {
  return (Ch >= 'A' && Ch <= 'Z') || (Ch >= 'a' && Ch <= 'z') || Ch == '_';
}

bool IsIdentChar(char Ch) {
  return IsIdentStart(Ch) || (Ch >= '0' && Ch <= '9');
}

// Component names are plain ASCII identifiers so that form files and code can
// refer to them.
bool IsValidIdent(const std::string& S) {
  if (S.empty() || !IsIdentStart(S[0]))
    return false;
  return std::all_of(S.begin() + 1, S.end(), IsIdentChar);
}

} // namespace

// ---------------------------------------------------------------------------
// TPersistent

void TPersistent::Assign(TPersistent* Source) {
  if (Source == nullptr)
    AssignError(nullptr);
  // The source gets a chance to copy itself into classes that do not know it.
  Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* Dest) {
  Dest->AssignError(this);
}

void TPersistent::DefineProperties(TFiler*) {}

void TPersistent::AssignError(TPersistent* Source) {
  const std::string SourceName = Source != nullptr ? Source->ClassName() : "nil";
  throw EConvertError("Cannot assign a " + SourceName + " to a " + ClassName());
}

// ---------------------------------------------------------------------------
// TComponent

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr)
    AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  while (!FFreeNotifies.empty()) {
    TComponent* Peer = FFreeNotifies.back();
    // Unlink first: the peer must not find this component in its list even if
    // its Notification does not call the inherited one.
    RemoveFreeNotification(Peer);
    Peer->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner == nullptr)
    return;
  // An owner being destroyed is not asked, and neither are its other
  // components, which go with it (as in DestroyComponents): the peers that
  // hold a reference linked themselves above and have been told.
  if (FOwner->FComponentState.Contains(csDestroying))
    FOwner->Remove(this);
  else
    FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FComponents[static_cast<std::size_t>(Index)];
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty())
    return nullptr;
  if (IsAscii(AName)) {
    const auto It = FNamed.find(NameKey(AName));
    return It == FNamed.end() ? nullptr : It->second;
  }
  // A letter outside ASCII may still fold onto an ASCII one (the Kelvin sign).
  for (TComponent* Component : FComponents)
    if (AnsiCompareText(Component->FName, AName) == 0)
      return Component;
  return nullptr;
}

void TComponent::SetName(const std::string& NewName) {
  if (FName == NewName)
    return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError("'" + NewName + "' is not a valid component name");
  // A change of letter case alone is no clash with the component itself.
  if (FOwner != nullptr && AnsiCompareText(FName, NewName) != 0 &&
      FOwner->FindComponent(NewName) != nullptr)
    throw EComponentError("A component named " + NewName + " already exists");
  if (FOwner != nullptr)
    FOwner->FNamed.erase(NameKey(FName));
  FName = NewName;
  if (FOwner != nullptr && !FName.empty())
    FOwner->FNamed[NameKey(FName)] = this;
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this)
    return;
  // Both sides keep the link, so whichever is freed first tells the other.
  // Siblings are linked too: while their owner is being destroyed the owner's
  // own notifications are silent, and the links keep their pointers sound.
  if (!Contains(FFreeNotifies, AComponent))
    FFreeNotifies.push_back(AComponent);
  if (!Contains(AComponent->FFreeNotifies, this))
    AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr)
    return;
  EraseFrom(FFreeNotifies, AComponent);
  EraseFrom(AComponent->FFreeNotifies, this);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent->FOwner == this)
    return;
  for (const TComponent* Ancestor = this; Ancestor != nullptr; Ancestor = Ancestor->FOwner)
    if (Ancestor == AComponent)
      throw EComponentError("A component cannot own itself");
  if (!AComponent->FName.empty() && FindComponent(AComponent->FName) != nullptr)
    throw EComponentError("A component named " + AComponent->FName + " already exists");
  if (AComponent->FOwner != nullptr)
    AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  if (FComponentState.Contains(csDesigning))
    AComponent->SetDesigning(true);
  if (FComponentState.Contains(csInspecting))
    AComponent->SetInspecting(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent->FOwner != this)
    return;
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* Instance = FComponents.back();
    // A live owner (one clearing its components) still hears of each removal;
    // one being destroyed has lost its derived parts and is not asked.
    if (FComponentState.Contains(csDestroying))
      Remove(Instance);
    else
      RemoveComponent(Instance);
    delete Instance;
  }
}

// Marked as destroying, they leave the list in one pass (without allocating:
// a read that ran out of memory frees what it made this way).
void TComponent::FreeComponents(const std::vector<TComponent*>& Components) {
  for (TComponent* C : Components)
    C->Destroying();
  std::erase_if(FComponents,
                [](TComponent* C) { return C->FComponentState.Contains(csDestroying); });
  for (auto It = Components.rbegin(); It != Components.rend(); ++It) {
    TComponent* C = *It;
    if (!C->FName.empty())
      FNamed.erase(NameKey(C->FName));
    Notification(C, opRemove);
    C->FOwner = nullptr;
    delete C;
  }
}

void TComponent::SetDesigning(bool Value) {
  SetState(csDesigning, Value);
  for (TComponent* Component : FComponents)
    Component->SetDesigning(Value);
}

void TComponent::SetInspecting(bool Value) {
  SetState(csInspecting, Value);
  for (TComponent* Component : FComponents)
    Component->SetInspecting(Value);
}

void TComponent::SetLoadingState(bool Reading) {
  SetState(csLoading, true);
  SetState(csReading, Reading);
}

void TComponent::ClearLoadingState() {
  SetState(csLoading, false);
  SetState(csReading, false);
}

void TComponent::Loaded() {
  SetState(csLoading, false);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation != opRemove)
    return;
  if (AComponent != nullptr)
    RemoveFreeNotification(AComponent);
  // Every owned component hears of a removal too, so that none keeps a
  // pointer to the leaving one. An insertion concerns only the owner: nothing
  // can refer to a component that was not there yet, and telling every
  // sibling would make filling a form quadratic in its components. A
  // handler may free components, so the index is clamped to the list as it
  // is after each call.
  std::size_t I = FComponents.size();
  while (I > 0) {
    --I;
    FComponents[I]->Notification(AComponent, Operation);
    I = std::min(I, FComponents.size());
  }
}

void TComponent::SetState(TComponentStateE Flag, bool On) {
  if (On)
    FComponentState.Include(Flag);
  else
    FComponentState.Exclude(Flag);
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying))
    return;
  FComponentState.Include(csDestroying);
  for (TComponent* Component : FComponents)
    Component->Destroying();
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  if (!AComponent->FName.empty())
    FNamed[NameKey(AComponent->FName)] = AComponent;
}

void TComponent::Remove(TComponent* AComponent) {
  EraseLast(FComponents, AComponent);
  if (!AComponent->FName.empty())
    FNamed.erase(NameKey(AComponent->FName));
  AComponent->FOwner = nullptr;
}

} // namespace vcl
