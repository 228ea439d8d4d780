// TDBBtnEdit: the button edit on the masked edit, bound to one field of a
// data source. What it shows comes from the field (DataChange); what the
// user types goes back on leaving the control or when the data set asks
// (UpdateData).
#include "btnedit/dbbtnedit.h"
#include "btnedit/published.h"

namespace BtnEdit {

using namespace vcl;

TDBBtnEdit::TDBBtnEdit(TComponent* AOwner)
    : TBtnEditBase(AOwner), FDataLink(std::make_unique<TFieldDataLink>()) {
  RegisterDBBtnEditClasses();
  TCustomEdit::SetReadOnly(true);
  FDataLink->SetControl(this);
  FDataLink->OnDataChange = [this](TObject* Sender) { DataChange(Sender); };
  FDataLink->OnEditingChange = [this](TObject* Sender) { EditingChange(Sender); };
  FDataLink->OnUpdateData = [this](TObject* Sender) { UpdateData(Sender); };
}

TDBBtnEdit::~TDBBtnEdit() {
  FDataLink.reset();
}

// ---------------------------------------------------------------------------
// Properties

void TDBBtnEdit::SetDataSource(TDataSource* Value) {
  FDataLink->SetDataSource(Value);
  if (Value)
    Value->FreeNotification(this);
}

void TDBBtnEdit::SetDataField(const std::string& Value) {
  if (!ComponentState().Contains(csDesigning))
    ClearCopiedMaxLength();
  FDataLink->SetFieldName(Value);
}

bool TDBBtnEdit::GetReadOnly() {
  return FDataLink->ReadOnly();
}

// The window stays read-only while the data set is not being edited, also
// when ReadOnly is cleared then: typing asks for edit mode first, and a data
// set that cannot enter it must not be shown a text it will never take.
void TDBBtnEdit::SetReadOnly(bool Value) {
  FDataLink->SetReadOnly(Value);
  TCustomEdit::SetReadOnly(Value || !FDataLink->Editing());
}

void TDBBtnEdit::ClearCopiedMaxLength() {
  if (MaxLength() <= 0 || !DataSource() || !DataSource()->DataSet())
    return;
  TField* F = DataSource()->DataSet()->FindField(DataField());
  if (F && F->DataType() == ftString && MaxLength() == F->Size())
    SetMaxLength(0);
}

// A form written while the program ran may hold the length copied from the
// field; it is forgotten, to be copied again with the next record.
void TDBBtnEdit::Loaded() {
  TBtnEditBase::Loaded();
  ClearCopiedMaxLength();
  if (ComponentState().Contains(csDesigning))
    DataChange(this);
}

void TDBBtnEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TBtnEditBase::Notification(AComponent, Operation);
  if (Operation == opRemove && FDataLink && AComponent == DataSource())
    SetDataSource(nullptr);
}

// ---------------------------------------------------------------------------
// The link's events

void TDBBtnEdit::DataChange(TObject*) {
  TField* F = FDataLink->Field();
  if (!F) {
    SetAlignment(taLeftJustify);
    SetEditMask("");
    SetEditText(ComponentState().Contains(csDesigning) ? Name() : std::string());
    return;
  }
  SetEditMask(F->EditMask());
  if (!ComponentState().Contains(csDesigning) && F->DataType() == ftString && MaxLength() == 0)
    SetMaxLength(F->Size());
  if (FocusedFlag() && FDataLink->CanModify()) {
    // The same text is not set again, so the caret and the selection of
    // the user who is typing stay where they are.
    if (Text() != F->Text())
      SetTextBuf(F->Text());
  } else {
    SetEditText(F->DisplayText());
    if (FDataLink->Editing())
      SetModified(true);
  }
}

void TDBBtnEdit::EditingChange(TObject*) {
  TCustomEdit::SetReadOnly(!FDataLink->Editing());
}

void TDBBtnEdit::UpdateData(TObject*) {
  ValidateEdit();
  FDataLink->Field()->SetText(Text());
}

bool TDBBtnEdit::EditCanModify() {
  return FDataLink->Edit();
}

void TDBBtnEdit::Reset() {
  FDataLink->Reset();
  SelectAll();
}

void TDBBtnEdit::Change() {
  FDataLink->Modified();
  TBtnEditBase::Change();
}

// ---------------------------------------------------------------------------
// Keys

void TDBBtnEdit::KeyDown(Word& Key, TShiftState Shift) {
  // The masked edit, the click key, and Ctrl+Tab swallowed (Key 0).
  TBtnEditBase::KeyDown(Key, Shift);
  if (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift)))
    FDataLink->Edit();
}

void TDBBtnEdit::KeyPress(char& Key) {
  TBtnEditBase::KeyPress(Key);
  const auto Printable = [&Key] { return static_cast<unsigned char>(Key) >= 32; };
  if (Printable() && FDataLink->Field() && !FDataLink->Field()->IsValidChar(Key)) {
    MessageBeep(0);
    Key = 0;
  }
  if (Key == '\b' || Key == 22 || Key == 24 || Printable()) {
    FDataLink->Edit();
  } else if (Key == '\x1b') {
    FDataLink->Reset();
    SelectAll();
    Key = 0;
  }
}

// ---------------------------------------------------------------------------
// Focus

void TDBBtnEdit::CMEnter(TMessage& Message) {
  TBtnEditBase::CMEnter(Message);
  if (SysLocale.FarEast && FDataLink->CanModify())
    TCustomEdit::SetReadOnly(false);
}

// Leaving hands the text to the field; a text the mask or the field refuses
// keeps the focus here, all selected, and the failure goes to whoever moved
// the focus.
void TDBBtnEdit::CMExit(TMessage& Message) {
  if (FocusedFlag()) {
    try {
      FDataLink->UpdateRecord();
    } catch (...) {
      SelectAll();
      if (CanFocus())
        SetFocus();
      throw;
    }
    CheckCursor();
  }
  TBtnEditBase::CMExit(Message);
}

void TDBBtnEdit::CMGetDataLink(TMessage& Message) {
  Message.Result = reinterpret_cast<std::intptr_t>(FDataLink.get());
}

// ---------------------------------------------------------------------------
// Form files

void RegisterDBBtnEditClasses() {
  static const bool Done = [] {
    RegisterBtnEditClasses();
    RegisterDBClasses();
    using namespace vcl::props;
    using namespace BtnEdit::props;
    Published<TDBBtnEdit> P("TDBBtnEdit");
    P.Inherits<TComponent>();
    Publish<Placement, Alignment, AlwaysEnable, AutoSelect, Default<AutoSize, false>, BorderStyle,
            ButtonHint, ButtonVisible, CharCase, ClickKey, Color, Ctl3D, DataField, DataSource,
            DragCursor, DragMode, Enabled, Font, GlyphKind, Glyph, ButtonWidth, ImeMode, ImeName,
            HideSelection, MaxLength, NumGlyphs, OEMConvert, ParentColor, ParentCtl3D, ParentFont,
            ParentShowHint, PasswordChar, PopupMenu, ReadOnly, ShowHint, TabOrder, TabStop, Visible,
            OnButtonClick, OnChange, OnClick, OnDblClick, OnDragDrop, OnDragOver, OnEndDrag,
            OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown, OnMouseMove, OnMouseUp,
            OnStartDrag>(P);
    return true;
  }();
  (void)Done;
}

} // namespace BtnEdit
