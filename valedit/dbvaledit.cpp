// TDBValidEdit: the validating edit bound to one field of a data source.
// The field is the value: both views read it, a value assignment writes it,
// and leaving the control hands the stored text to it before the exit is
// judged. The published table is in dbvaledit_published.cpp.
#include "valedit/dbvaledit.h"

namespace ValEdit {

using namespace vcl;

TDBValidEdit::TDBValidEdit(TComponent* AOwner)
    : TCustomValidEdit(AOwner), FDataLink(std::make_unique<TFieldDataLink>()) {
  RegisterDBValEditClasses();
  TCustomEdit::SetReadOnly(true);
  SetAlwaysEnable(true);
  SetButtonVisible(false);
  FDataLink->SetControl(this);
  FDataLink->OnDataChange = [this](TObject* Sender) { DataChange(Sender); };
  FDataLink->OnEditingChange = [this](TObject* Sender) { EditingChange(Sender); };
  FDataLink->OnUpdateData = [this](TObject* Sender) { UpdateData(Sender); };
}

TDBValidEdit::~TDBValidEdit() {
  FDataLink.reset();
}

// ---------------------------------------------------------------------------
// Properties

void TDBValidEdit::SetDataSource(TDataSource* Value) {
  FDataLink->SetDataSource(Value);
  if (Value)
    Value->FreeNotification(this);
}

bool TDBValidEdit::GetReadOnly() {
  return FDataLink->ReadOnly();
}

// The window stays read-only while the data set is not being edited, also
// when ReadOnly is cleared then: typing asks for edit mode first, and a data
// set that cannot enter it must not be shown a text it will never take.
void TDBValidEdit::SetReadOnly(bool Value) {
  FDataLink->SetReadOnly(Value);
  TCustomEdit::SetReadOnly(Value || !FDataLink->Editing());
}

void TDBValidEdit::Loaded() {
  TCustomValidEdit::Loaded();
  if (ComponentState().Contains(csDesigning))
    DataChange(this);
}

void TDBValidEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomValidEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && FDataLink && AComponent == DataSource())
    SetDataSource(nullptr);
}

bool TDBValidEdit::EditCanModify() {
  return FDataLink->Edit();
}

void TDBValidEdit::Reset() {
  FDataLink->Reset();
  SelectAll();
}

// ---------------------------------------------------------------------------
// The value

void TDBValidEdit::GetText(std::string& Text, bool ForDisplay) {
  if (TField* F = FDataLink->Field())
    Text = F->IsNull() ? std::string() : F->AsString();
  TCustomValidEdit::GetText(Text, ForDisplay);
}

std::string TDBValidEdit::FieldEditForm(TField* F) {
  if (F->IsNull() || (F->DataType() == ftDate && F->AsDateTime() == 0))
    return std::string();
  return F->AsString();
}

void TDBValidEdit::SetEditText(const std::string& Value) {
  if (!FDataLink->Edit())
    return;
  std::string S = Value;
  SetText(S);
  if (Validator() && Validation().Contains(vtSetValue) && !Validator()->IsValid(S)) {
    SetValueError(S);
    return;
  }
  // An empty date is the date-time value 0, not a cleared field.
  TField* F = FDataLink->Field();
  if (F->DataType() == ftDate && S.empty())
    F->SetAsDateTime(0);
  else
    F->SetAsString(S);
}

// ---------------------------------------------------------------------------
// The link's events

// The window text is set only when it differs: every change of it comes
// back through Change, which while unfocused reads the field again.
void TDBValidEdit::DataChange(TObject*) {
  const bool Designing = ComponentState().Contains(csDesigning);
  TField* F = FDataLink->Field();
  if (!F) {
    SetMaxLength(0);
    const std::string T = Designing ? Name() : std::string();
    if (Text() != T)
      SetTextBuf(T);
    return;
  }
  SetMaxLength(F->DataType() == ftString ? F->Size() : 0);
  if (FocusedFlag() && FDataLink->CanModify()) {
    std::string T = FieldEditForm(F);
    SetText(T);
    if (Text() != T)
      SetTextBuf(T);
    // The stored text is the field's edit form as the window shows it, also
    // when the window already showed it and no change came: the exit's
    // judgement and UpdateData work on what the user sees.
    SetStoredText(Text());
    return;
  }
  std::string T = Designing ? AsString() : GetDisplayText();
  SetText(T);
  if (Text() != T) {
    TLockGuard Guard(*this);
    SetTextBuf(T);
  }
  if (FocusedFlag())
    SetStoredText(FieldEditForm(F));
}

void TDBValidEdit::EditingChange(TObject*) {
  TCustomEdit::SetReadOnly(!FDataLink->Editing());
}

void TDBValidEdit::UpdateData(TObject*) {
  FDataLink->Field()->SetEditText(StoredText());
}

// ---------------------------------------------------------------------------
// Focus

void TDBValidEdit::SetFocused(bool Value) {
  if (Value == FocusedFlag())
    return;
  SetFocusedFlag(Value);
  if (Alignment() != taLeftJustify)
    Invalidate();
  FDataLink->Reset();
}

void TDBValidEdit::CMEnter(TMessage& Message) {
  TCustomValidEdit::CMEnter(Message);
  if (SysLocale.FarEast && FDataLink->CanModify())
    TCustomEdit::SetReadOnly(false);
}

// The stored text goes to the field first, the field is read again, and
// then the exit is judged. A control that cannot change its field is not
// judged: nothing was entered, and a refused value the user cannot change
// would hold the focus for ever.
void TDBValidEdit::CMExit(TMessage& Message) {
  try {
    FDataLink->UpdateRecord();
  } catch (...) {
    SelectAll();
    if (CanFocus())
      SetFocus();
    throw;
  }
  FDataLink->Reset();
  if (!FDataLink->CanModify()) {
    SetFocused(false);
    TCustomBtnEdit::CMExit(Message);
    return;
  }
  TCustomValidEdit::CMExit(Message);
}

void TDBValidEdit::CMGetDataLink(TMessage& Message) {
  Message.Result = reinterpret_cast<std::intptr_t>(FDataLink.get());
}

// ---------------------------------------------------------------------------
// Editing

void TDBValidEdit::Change() {
  FDataLink->Modified();
  if (!FocusedFlag())
    FDataLink->Reset();
  TCustomValidEdit::Change();
}

void TDBValidEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomValidEdit::KeyDown(Key, Shift);
  if (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift)))
    FDataLink->Edit();
}

// A character the field refuses is dropped silently; Escape discards the
// edit and does not reach the form's cancel button.
void TDBValidEdit::KeyPress(char& Key) {
  const auto Printable = [&Key] { return static_cast<unsigned char>(Key) >= 32; };
  if (Printable() && FDataLink->Field() && !FDataLink->Field()->IsValidChar(Key))
    Key = 0;
  if (Key == '\b' || Key == 22 || Key == 24 || Printable()) {
    FDataLink->Edit();
  } else if (Key == '\x1b') {
    Reset();
    Key = 0;
  }
  TCustomValidEdit::KeyPress(Key);
}

void TDBValidEdit::WMPaste(TMessage& Message) {
  FDataLink->Edit();
  TCustomValidEdit::WMPaste(Message);
}

void TDBValidEdit::WMCut(TMessage& Message) {
  FDataLink->Edit();
  TCustomValidEdit::WMCut(Message);
}

} // namespace ValEdit
