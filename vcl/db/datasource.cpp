// TDataSource passes a data set's events on to its data links; TDataLink
// turns them into the link's own notifications; TFieldDataLink serves one
// control bound to one field: it shows the field (data change), follows the
// editing state, and hands the control's text to the field on UpdateRecord.
#include "vcl/db.h"
#include "vcl/db/detail/notify.h"

namespace vcl {

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {
  RegisterDBClasses();
}

TDataSource::~TDataSource() {
  Destroying();
  for (TDataLink* Link : std::vector<TDataLink*>(FDataLinks))
    Link->SetDataSource(nullptr);
  SetDataSet(nullptr);
}

void TDataSource::SetDataSet(TDataSet* Value) {
  if (Value == FDataSet)
    return;
  if (FDataSet)
    FDataSet->RemoveDataSource(this);
  FDataSet = Value;
  if (Value)
    Value->AddDataSource(this);
  UpdateState();
}

void TDataSource::SetEnabled(bool Value) {
  FEnabled = Value;
  UpdateState();
}

void TDataSource::Edit() {
  if (FAutoEdit && FState == dsBrowse)
    FDataSet->Edit();
}

void TDataSource::UpdateState() {
  const TDataSetState State = FEnabled && FDataSet ? FDataSet->State() : dsInactive;
  if (State == FState)
    return;
  FState = State;
  NotifyLinks(deUpdateState, 0);
  if (OnStateChange && !ComponentState().Contains(csDestroying))
    OnStateChange(this);
}

void TDataSource::DataEvent(TDataEvent Event, std::intptr_t Info) {
  if (Event == deUpdateState) {
    UpdateState();
    return;
  }
  if (FState == dsInactive)
    return;
  NotifyLinks(Event, Info);
  switch (Event) {
  case deFieldChange:
  case deRecordChange:
  case deDataSetChange:
  case deDataSetScroll:
  case deLayoutChange:
    if (OnDataChange)
      OnDataChange(this, Event == deFieldChange ? reinterpret_cast<TField*>(Info) : nullptr);
    break;
  case deUpdateRecord:
    if (OnUpdateData)
      OnUpdateData(this);
    break;
  default:
    break;
  }
}

void TDataSource::NotifyLinks(TDataEvent Event, std::intptr_t Info) {
  dbnotify::TellEach(FDataLinks, [&](TDataLink* Link) { Link->DataEvent(Event, Info); });
}

// ---------------------------------------------------------------------------

TDataLink::~TDataLink() {
  // No notifications from here: the descendant's part is gone already.
  if (FDataSource)
    std::erase(FDataSource->FDataLinks, this);
}

void TDataLink::SetDataSource(TDataSource* Value) {
  if (Value == FDataSource)
    return;
  if (FDataSource)
    std::erase(FDataSource->FDataLinks, this);
  FDataSource = Value;
  if (Value)
    Value->FDataLinks.push_back(this);
  UpdateState();
}

TDataSet* TDataLink::DataSet() const {
  return FDataSource ? FDataSource->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool Value) {
  if (Value == FReadOnly)
    return;
  FReadOnly = Value;
  UpdateState();
  EditingChanged();
}

bool TDataLink::Edit() {
  if (!FReadOnly && FDataSource)
    FDataSource->Edit();
  return FEditing;
}

void TDataLink::UpdateRecord() {
  FUpdating = true;
  try {
    UpdateData();
  } catch (...) {
    FUpdating = false;
    throw;
  }
  FUpdating = false;
}

void TDataLink::UpdateState() {
  const TDataSetState State = FDataSource ? FDataSource->State() : dsInactive;
  if ((State != dsInactive) != FActive) {
    FActive = State != dsInactive;
    ActiveChanged();
  }
  SetEditingState(State == dsEdit || State == dsInsert);
}

void TDataLink::SetEditingState(bool Value) {
  if (Value == FEditing)
    return;
  FEditing = Value;
  EditingChanged();
}

void TDataLink::DataEvent(TDataEvent Event, std::intptr_t Info) {
  switch (Event) {
  case deUpdateState:
    UpdateState();
    break;
  case deFieldChange:
  case deRecordChange:
    // The link handing its own text to the field does not hear it back.
    if (!FUpdating)
      RecordChanged(Event == deFieldChange ? reinterpret_cast<TField*>(Info) : nullptr);
    break;
  case deDataSetChange:
    DataSetChanged();
    break;
  case deDataSetScroll:
    DataSetScrolled(static_cast<int>(Info));
    break;
  case deLayoutChange:
    LayoutChanged();
    break;
  case deUpdateRecord:
    UpdateRecord();
    break;
  case deCheckBrowseMode:
    CheckBrowseMode();
    break;
  case deFocusControl:
    FocusControl(reinterpret_cast<TField**>(Info));
    break;
  }
}

// ---------------------------------------------------------------------------

void TFieldDataLink::SetFieldName(const std::string& Value) {
  if (Value == FFieldName)
    return;
  FFieldName = Value;
  UpdateField();
}

void TFieldDataLink::UpdateField() {
  TField* Found = nullptr;
  if (Active() && !FFieldName.empty()) {
    Found = DataSet()->FindField(FFieldName);
    if (!Found) {
      SetField(nullptr);
      DatabaseError("Field '" + FFieldName + "' not found", FControl);
    }
  }
  SetField(Found);
}

void TFieldDataLink::SetField(TField* Value) {
  if (Value == FField)
    return;
  FField = Value;
  EditingChanged();
  RecordChanged(nullptr);
}

void TFieldDataLink::SetEditing(bool Value) {
  if (Value == FEditing)
    return;
  FEditing = Value;
  if (OnEditingChange)
    OnEditingChange(this);
}

bool TFieldDataLink::CanModify() const {
  return !ReadOnly() && FField && FField->CanModify();
}

bool TFieldDataLink::Edit() {
  if (CanModify())
    TDataLink::Edit();
  return FEditing;
}

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  if (OnActiveChange)
    OnActiveChange(this);
}

void TFieldDataLink::EditingChanged() {
  SetEditing(TDataLink::Editing() && CanModify());
}

// A field's shown properties changed (or fields came and went): the field
// is looked up again and, unless the user has typed something, shown again.
void TFieldDataLink::LayoutChanged() {
  TField* Before = FField;
  UpdateField();
  if (FField == Before && !FModified)
    RecordChanged(nullptr);
}

void TFieldDataLink::RecordChanged(TField* Field) {
  if (Field && Field != FField)
    return;
  if (OnDataChange)
    OnDataChange(this);
  FModified = false;
}

void TFieldDataLink::UpdateData() {
  if (!FModified)
    return;
  if (FField && OnUpdateData)
    OnUpdateData(this);
  FModified = false;
}

void TFieldDataLink::FocusControl(TField** Field) {
  if (!Field || !*Field || *Field != FField)
    return;
  if (OnFocusControl && OnFocusControl())
    *Field = nullptr;
}

} // namespace vcl
