// TDataSet: the states of a data set, its current record and edit copy,
// navigation, editing and posting, and the events it sends to its data
// sources. The storage itself is the descendant's, behind the Internal...
// operations.
#include <algorithm>
#include <utility>

#include "vcl/db.h"
#include "vcl/db/detail/notify.h"

namespace vcl {

namespace {

bool Editing(TDataSetState State) {
  return State == dsEdit || State == dsInsert;
}

} // namespace

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner), FFields(std::make_unique<TFields>()) {
  RegisterDBClasses();
}

TDataSet::~TDataSet() {
  Destroying();
  // Close must have run in the descendant's destructor (CloseForDestroy);
  // what is left is to let go of sources and fields.
  for (TDataSource* Source : std::vector<TDataSource*>(FDataSources))
    Source->SetDataSet(nullptr);
  for (TField* F : std::vector<TField*>(FFields->FList)) {
    if (F->Owner() == this) {
      delete F;
    } else {
      F->FDataSet = nullptr;
      F->FFieldNo = 0;
    }
  }
}

void TDataSet::CloseForDestroy() {
  if (!Active())
    return;
  FEditBuf.clear();
  FModified = false;
  if (Editing(FState))
    FState = dsBrowse;
  CloseCursor();
}

void TDataSet::Fire(const TDataSetNotifyEvent& Event) {
  if (Event)
    Event(this);
}

void TDataSet::CheckActive() const {
  if (!Active())
    DatabaseError("Cannot perform this operation on a closed data set", this);
}

void TDataSet::CheckInactive() const {
  if (Active())
    DatabaseError("Cannot perform this operation on an open data set", this);
}

void TDataSet::SetState(TDataSetState Value) {
  if (Value == FState)
    return;
  FState = Value;
  DataEvent(deUpdateState);
}

// ---------------------------------------------------------------------------
// Opening and closing

void TDataSet::SetActive(bool Value) {
  // A form file sets Active before the other properties are all read; the
  // data set opens in Loaded.
  if (ComponentState().Contains(csLoading)) {
    FStreamedActive = Value;
    return;
  }
  ChangeActive(Value);
}

void TDataSet::SetStoredActive(bool Value) {
  if (ComponentState().Contains(csInspecting) && !Active()) {
    FStreamedActive = Value;
    return;
  }
  SetActive(Value);
}

void TDataSet::Loaded() {
  TComponent::Loaded();
  if (FStreamedActive && !ComponentState().Contains(csInspecting))
    ChangeActive(true);
}

void TDataSet::ChangeActive(bool Value) {
  FStreamedActive = false; // an explicit open or close replaces what was stored
  if (Value == Active())
    return;
  if (Value) {
    Fire(BeforeOpen);
    OpenCursor();
    Fire(AfterOpen);
    Fire(AfterScroll);
  } else {
    CheckBrowseMode(); // pending edits go to the storage first
    Fire(BeforeClose);
    CloseCursor();
    Fire(AfterClose);
  }
}

void TDataSet::OpenCursor() {
  FFieldDefs.clear();
  InternalOpen(FFieldDefs);
  try {
    BindFields();
    TRecordBuffer Rec;
    SetCurrent(InternalFirst(Rec), Rec);
    FBof = true;
    FModified = false;
  } catch (...) {
    FreeDynamicFields();
    InternalClose();
    throw;
  }
  // The links find their fields and show the first record.
  SetState(dsBrowse);
}

void TDataSet::CloseCursor() {
  SetState(dsInactive); // the links let go of their fields first
  FRecord = &FCurrent;
  FCurrent.clear();
  FEditBuf.clear();
  FEmpty = FBof = FEof = true;
  FModified = false;
  InternalClose();
  FreeDynamicFields();
}

// Without fields of its own (from a form file) the data set makes one for
// every column; every field is then bound to its column by name.
void TDataSet::BindFields() {
  if (FFields->Count() == 0) {
    for (const TFieldDef& Def : FFieldDefs) {
      TField* F = CreateField(Def.DataType, this);
      F->FFieldName = Def.Name;
      F->FSize = Def.Size;
      F->FRequired = Def.Required;
      F->FReadOnly = Def.ReadOnly;
      F->FDataSet = this;
      AddField(F);
    }
  }
  for (TField* F : FFields->FList) {
    const auto It = std::find_if(FFieldDefs.begin(), FFieldDefs.end(), [F](const TFieldDef& D) {
      return SameText(D.Name, F->FieldName());
    });
    if (It == FFieldDefs.end())
      DatabaseError("Field '" + F->FieldName() + "' not found", this);
    F->FFieldNo = static_cast<int>(It - FFieldDefs.begin()) + 1;
  }
}

void TDataSet::FreeDynamicFields() {
  for (TField* F : std::vector<TField*>(FFields->FList)) {
    F->FFieldNo = 0;
    if (F->Owner() == this)
      delete F;
  }
}

void TDataSet::AddField(TField* Field) {
  FFields->FList.push_back(Field);
}

void TDataSet::RemoveField(TField* Field) {
  std::erase(FFields->FList, Field);
  if (Active() && !ComponentState().Contains(csDestroying))
    DataEvent(deLayoutChange);
}

TField* TDataSet::FindField(const std::string& FieldName) const {
  return FFields->FindField(FieldName);
}

TField* TDataSet::FieldByName(const std::string& FieldName) const {
  TField* F = FindField(FieldName);
  if (!F)
    DatabaseError("Field '" + FieldName + "' not found", this);
  return F;
}

void TDataSet::GetChildren(const std::function<void(TComponent*)>& Proc,
                           const TComponent* Root) const {
  for (TField* F : FFields->FList)
    if (F->Owner() == Root)
      Proc(F);
}

// ---------------------------------------------------------------------------
// Navigation

void TDataSet::SetCurrent(bool Found, TRecordBuffer& Rec) {
  FRecord = &FCurrent;
  if (Found)
    FCurrent = std::move(Rec);
  else
    FCurrent.clear();
  FEmpty = !Found;
  FEof = !Found;
  FBof = !Found;
}

void TDataSet::First() {
  CheckActive();
  CheckBrowseMode();
  Fire(BeforeScroll);
  OwnRecord();
  TRecordBuffer Rec;
  SetCurrent(InternalFirst(Rec), Rec);
  FBof = true;
  DataEvent(deDataSetChange);
  Fire(AfterScroll);
}

void TDataSet::Last() {
  CheckActive();
  CheckBrowseMode();
  Fire(BeforeScroll);
  OwnRecord();
  TRecordBuffer Rec;
  SetCurrent(InternalLast(Rec), Rec);
  FEof = true;
  DataEvent(deDataSetChange);
  Fire(AfterScroll);
}

void TDataSet::Next() {
  MoveBy(1);
}

void TDataSet::Prior() {
  MoveBy(-1);
}

int TDataSet::MoveBy(int Distance) {
  CheckActive();
  CheckBrowseMode();
  if (Distance == 0 || (Distance > 0 && FEof) || (Distance < 0 && FBof))
    return 0;
  Fire(BeforeScroll);
  FBof = FEof = false;
  const int Step = Distance > 0 ? 1 : -1;
  int Moved = 0;
  // The record reached is read where the storage keeps it: walking copies
  // no record.
  while (Moved != Distance) {
    const TRecordBuffer* Reached = InternalStep(Step);
    if (!Reached) {
      (Step > 0 ? FEof : FBof) = true;
      break;
    }
    FRecord = Reached;
    Moved += Step;
  }
  DataEvent(Moved == Step ? deDataSetScroll : deDataSetChange, Moved);
  Fire(AfterScroll);
  return Moved;
}

// The cursor writes the record it reaches straight over the current one (and
// leaves it alone when there is none), so walking reuses the memory.
const TRecordBuffer* TDataSet::InternalStep(int Direction) {
  OwnRecord();
  return (Direction > 0 ? InternalNext(FCurrent) : InternalPrior(FCurrent)) ? &FCurrent : nullptr;
}

// The current record becomes the data set's own copy: the storage is about
// to be called, which may overwrite a record of its own.
void TDataSet::OwnRecord() {
  if (FRecord == &FCurrent)
    return;
  FCurrent = *FRecord;
  FRecord = &FCurrent;
}

int TDataSet::RecNo() {
  CheckActive();
  if (FEmpty || FState == dsInsert)
    return 0;
  return InternalRecNo();
}

void TDataSet::SetRecNo(int Value) {
  CheckActive();
  CheckBrowseMode();
  if (Value < 1)
    return;
  TRecordBuffer Rec;
  Fire(BeforeScroll);
  OwnRecord();
  if (InternalGotoRecNo(Value, Rec)) {
    FCurrent = std::move(Rec);
    FEmpty = FBof = FEof = false;
    DataEvent(deDataSetChange);
  }
  Fire(AfterScroll);
}

int TDataSet::RecordCount() {
  CheckActive();
  return InternalRecordCount();
}

// The current record is gone: the following one takes its place, or the
// preceding one after the last.
void TDataSet::MoveToNeighbour(TRecordBuffer& Rec) {
  if (InternalNext(Rec)) {
    SetCurrent(true, Rec);
  } else if (InternalPrior(Rec)) {
    SetCurrent(true, Rec);
    FEof = true;
  } else {
    SetCurrent(false, Rec);
  }
}

void TDataSet::Refresh() {
  CheckActive();
  CheckBrowseMode();
  OwnRecord();
  TRecordBuffer Rec;
  if (FEmpty)
    SetCurrent(InternalFirst(Rec), Rec);
  else if (InternalRefresh(Rec))
    FCurrent = std::move(Rec);
  else
    MoveToNeighbour(Rec);
  DataEvent(deDataSetChange);
}

// ---------------------------------------------------------------------------
// Editing

bool TDataSet::CanModify() const {
  return Active();
}

template <typename F> void TDataSet::Retrying(const TDataSetErrorEvent& OnError, F Action) {
  for (;;) {
    try {
      Action();
      return;
    } catch (EDatabaseError& E) {
      TDataAction Action = daFail;
      if (OnError)
        OnError(this, E, Action);
      if (Action == daFail)
        throw;
      if (Action == daAbort)
        Abort();
    }
  }
}

void TDataSet::Edit() {
  if (Editing(FState))
    return;
  CheckActive();
  if (FEmpty) {
    Append();
    return;
  }
  if (!CanModify())
    DatabaseError("Cannot modify a read-only data set", this);
  Fire(BeforeEdit);
  // Editing starts from the record as it is stored now.
  OwnRecord();
  bool Found = true;
  TRecordBuffer Rec;
  Retrying(OnEditError, [&] { Found = InternalRefresh(Rec); });
  if (!Found) {
    MoveToNeighbour(Rec);
    DataEvent(deDataSetChange);
    DatabaseError("The record was deleted by another user", this);
  }
  FCurrent = std::move(Rec);
  FEditBuf = FCurrent;
  FModified = false;
  SetState(dsEdit);
  DataEvent(deRecordChange);
  Fire(AfterEdit);
}

void TDataSet::Insert() {
  BeginInsert();
}

void TDataSet::Append() {
  BeginInsert();
}

void TDataSet::InternalInitRecord(TRecordBuffer& Rec) {
  Rec.assign(FFieldDefs.size(), TDBValue());
}

void TDataSet::BeginInsert() {
  CheckActive();
  CheckBrowseMode();
  if (!CanModify())
    DatabaseError("Cannot modify a read-only data set", this);
  Fire(BeforeInsert);
  InternalInitRecord(FEditBuf);
  SetState(dsInsert);
  if (OnNewRecord)
    OnNewRecord(this);
  FModified = false; // defaults set by OnNewRecord alone do not make it worth a post
  DataEvent(deDataSetChange);
  Fire(AfterInsert);
}

void TDataSet::CheckRequiredFields() {
  for (TField* F : FFields->FList)
    if (F->Required() && !F->ReadOnly() && F->IsNull()) {
      F->FocusControl();
      DatabaseError("Field '" + F->DisplayLabel() + "' must have a value");
    }
}

void TDataSet::UpdateRecord() {
  if (!Editing(FState))
    DatabaseError("Not in edit or insert mode", this);
  DataEvent(deUpdateRecord);
}

void TDataSet::Post() {
  CheckActive();
  if (!Editing(FState))
    DatabaseError("Not in edit or insert mode", this);
  UpdateRecord();
  DataEvent(deCheckBrowseMode);
  Fire(BeforePost);
  CheckRequiredFields();
  const bool Inserting = FState == dsInsert;
  OwnRecord();
  TRecordBuffer Rec;
  // The storage gets a copy: a failing write leaves the edit copy as typed.
  Retrying(OnPostError, [&] {
    Rec = FEditBuf;
    InternalPost(FCurrent, Rec, Inserting);
  });
  FCurrent = std::move(Rec);
  FEditBuf.clear();
  FEmpty = FBof = FEof = false;
  FModified = false;
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
  Fire(AfterPost);
}

void TDataSet::Cancel() {
  if (!Editing(FState))
    return;
  Fire(BeforeCancel);
  FEditBuf.clear();
  FModified = false;
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
  Fire(AfterCancel);
}

void TDataSet::Delete() {
  CheckActive();
  if (FState == dsInsert) {
    Cancel();
    return;
  }
  if (FEmpty)
    DatabaseError("Cannot delete from an empty data set", this);
  if (!CanModify())
    DatabaseError("Cannot modify a read-only data set", this);
  DataEvent(deCheckBrowseMode);
  Fire(BeforeDelete);
  Fire(BeforeScroll);
  OwnRecord();
  TRecordBuffer Rec;
  bool Left = false;
  Retrying(OnDeleteError, [&] {
    Rec = FCurrent;
    Left = InternalDelete(Rec);
  });
  FEditBuf.clear();
  FModified = false;
  SetCurrent(Left, Rec);
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
  Fire(AfterDelete);
  Fire(AfterScroll);
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode);
  if (!Editing(FState))
    return;
  UpdateRecord();
  if (FModified)
    Post();
  else
    Cancel();
}

void TDataSet::ClearFields() {
  if (!Editing(FState))
    DatabaseError("Not in edit or insert mode", this);
  for (TField* F : FFields->FList)
    if (!F->ReadOnly())
      F->Clear();
}

void TDataSet::CheckFieldValue(const TField*) {}

void TDataSet::SetFieldValue(TField* Field, TDBValue Value) {
  if (!Editing(FState))
    DatabaseError("Not in edit or insert mode", this);
  if (Field->ReadOnly())
    DatabaseError("Field '" + Field->DisplayLabel() + "' cannot be modified");
  const std::size_t Index = Field->FieldNo() - 1;
  TDBValue Old = std::exchange(FEditBuf.at(Index), std::move(Value));
  try {
    CheckFieldValue(Field);
    if (Field->OnValidate)
      Field->OnValidate(Field);
  } catch (...) {
    if (Editing(FState) && Index < FEditBuf.size())
      FEditBuf[Index] = std::move(Old);
    throw;
  }
  if (Field->OnChange)
    Field->OnChange(Field);
  DataEvent(deFieldChange, reinterpret_cast<std::intptr_t>(Field));
}

void TDataSet::MergeFreshRecord(const TRecordBuffer& Fresh) {
  OwnRecord();
  if (Editing(FState))
    for (std::size_t I = 0; I < FEditBuf.size() && I < FCurrent.size() && I < Fresh.size(); ++I)
      if (FEditBuf[I] == FCurrent[I])
        FEditBuf[I] = Fresh[I];
  FCurrent = Fresh;
  DataEvent(deRecordChange);
}

const TRecordBuffer& TDataSet::ActiveBuffer() const {
  return Editing(FState) ? FEditBuf : *FRecord;
}

// ---------------------------------------------------------------------------
// Events to the data sources

void TDataSet::DataEvent(TDataEvent Event, std::intptr_t Info) {
  if (Event == deFieldChange)
    FModified = true;
  const bool Display = Event == deFieldChange || Event == deRecordChange ||
                       Event == deDataSetChange || Event == deDataSetScroll;
  if (Display && FDisableCount > 0) {
    FPendingChange = true;
    return;
  }
  NotifySources(Event, Info);
}

void TDataSet::NotifySources(TDataEvent Event, std::intptr_t Info) {
  dbnotify::TellEach(FDataSources, [&](TDataSource* Source) { Source->DataEvent(Event, Info); });
}

void TDataSet::DisableControls() {
  ++FDisableCount;
}

void TDataSet::EnableControls() {
  if (FDisableCount == 0 || --FDisableCount > 0)
    return;
  if (FPendingChange) {
    FPendingChange = false;
    if (Active())
      DataEvent(deDataSetChange);
  }
}

void TDataSet::AddDataSource(TDataSource* Source) {
  FDataSources.push_back(Source);
}

void TDataSet::RemoveDataSource(TDataSource* Source) {
  std::erase(FDataSources, Source);
}

} // namespace vcl
