// TDBEdit: the masked edit on one field of a data source.
#include "vcl/dbctrls.h"
#include "vcl/gui/published.h"

namespace vcl {

TDBEdit::TDBEdit(TComponent* AOwner)
    : TCustomMaskEdit(AOwner), FDataLink(std::make_unique<TFieldDataLink>()) {
  RegisterDBClasses();
  TCustomEdit::SetReadOnly(true);
  FDataLink->SetControl(this);
  FDataLink->OnDataChange = [this](TObject* Sender) { DataChange(Sender); };
  FDataLink->OnEditingChange = [this](TObject* Sender) { EditingChange(Sender); };
  FDataLink->OnUpdateData = [this](TObject* Sender) { UpdateData(Sender); };
}

TDBEdit::~TDBEdit() {
  FDataLink.reset();
}

void TDBEdit::SetDataSource(TDataSource* Value) {
  FDataLink->SetDataSource(Value);
  if (Value)
    Value->FreeNotification(this);
}

// The window follows the link: writable only while the data set is edited
// and the link may change its field, so clearing ReadOnly while browsing
// does not let typing run ahead of edit mode.
void TDBEdit::SetReadOnly(bool Value) {
  FDataLink->SetReadOnly(Value);
  EditingChange(this);
}

void TDBEdit::Loaded() {
  TCustomMaskEdit::Loaded();
  if (ComponentState().Contains(csDesigning))
    DataChange(this);
}

void TDBEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomMaskEdit::Notification(AComponent, Operation);
  if (Operation == opRemove && FDataLink && AComponent == DataSource())
    SetDataSource(nullptr);
}

// The field's edit form while the user may edit it here, else its display form.
void TDBEdit::DataChange(TObject*) {
  TField* F = FDataLink->Field();
  if (!F) {
    SetEditMask("");
    SetEditText(ComponentState().Contains(csDesigning) ? Name() : std::string());
    return;
  }
  SetEditMask(F->EditMask());
  if (!ComponentState().Contains(csDesigning) && F->DataType() == ftString && MaxLength() == 0)
    SetMaxLength(F->Size());
  // Only a text that differs is set, so the caret and selection of the
  // user who is typing stay where they are.
  if (FFocused && FDataLink->CanModify()) {
    if (Text() != F->Text())
      SetTextBuf(F->Text());
  } else {
    SetEditText(F->DisplayText());
    if (FDataLink->Editing())
      SetModified(true);
  }
}

void TDBEdit::EditingChange(TObject*) {
  TCustomEdit::SetReadOnly(!FDataLink->Editing());
}

void TDBEdit::UpdateData(TObject*) {
  ValidateEdit();
  FDataLink->Field()->SetText(Text());
}

bool TDBEdit::EditCanModify() {
  return FDataLink->Edit();
}

void TDBEdit::Reset() {
  FDataLink->Reset();
  SelectAll();
}

void TDBEdit::Change() {
  FDataLink->Modified();
  TCustomMaskEdit::Change();
}

void TDBEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomMaskEdit::KeyDown(Key, Shift);
  if (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift)))
    FDataLink->Edit();
}

void TDBEdit::KeyPress(char& Key) {
  TCustomMaskEdit::KeyPress(Key);
  const auto Code = static_cast<unsigned char>(Key);
  if (Code >= 32 && FDataLink->Field() && !FDataLink->Field()->IsValidChar(Key)) {
    MessageBeep(0);
    Key = 0;
  }
  if (Key == '\b' || Key == 22 || Key == 24 || Code >= 32) {
    FDataLink->Edit();
  } else if (Key == '\x1b') {
    FDataLink->Reset();
    SelectAll();
    Key = 0;
  }
}

void TDBEdit::WMCut(TMessage& Message) {
  FDataLink->Edit();
  TCustomMaskEdit::WMCut(Message);
}

void TDBEdit::WMPaste(TMessage& Message) {
  FDataLink->Edit();
  TCustomMaskEdit::WMPaste(Message);
}

void TDBEdit::SetFocused(bool Value) {
  if (Value == FFocused)
    return;
  FFocused = Value;
  FDataLink->Reset();
}

void TDBEdit::CMEnter(TMessage& Message) {
  SetFocused(true);
  TCustomMaskEdit::CMEnter(Message);
  if (SysLocale.FarEast && FDataLink->CanModify())
    TCustomEdit::SetReadOnly(false);
}

// Leaving hands the text to the field; a text the field refuses keeps the
// focus here, all selected, and the failure goes to whoever moved the focus.
void TDBEdit::CMExit(TMessage& Message) {
  try {
    FDataLink->UpdateRecord();
  } catch (...) {
    SelectAll();
    if (CanFocus())
      SetFocus();
    throw;
  }
  SetFocused(false);
  CheckCursor();
  TCustomMaskEdit::CMExit(Message);
}

void TDBEdit::CMGetDataLink(TMessage& Message) {
  Message.Result = reinterpret_cast<std::intptr_t>(FDataLink.get());
}

namespace publish {

void DeclareDBEdit() {
  using namespace vcl::props;
  Published<TDBEdit> P("TDBEdit");
  P.Inherits<TComponent>();
  Publish<Placement, Appearance<clWindow, false>, WindowProperties<true>, MouseEvents, DataField,
          DataSource, EditProperties, OnChange>(P);
}

} // namespace publish

} // namespace vcl
