// TDBBtnEdit: the button edit on the masked edit, bound to one field of a
// data source. What it shows comes from the field (DataChange); what the
// user types goes back on leaving the control or when the data set asks
// (UpdateData).
#include "btnedit/dbbtnedit.h"
#include "vcl/gui/published.h"
#include "vcl/menus.h"
#include "vcl/typinfo.h"

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
    using T = TDBBtnEdit;
    Published<TDBBtnEdit>("TDBBtnEdit")
        .Inherits<TComponent>()
        .Int("Left", &T::Left, &T::SetLeft)
        .Int("Top", &T::Top, &T::SetTop)
        .Int("Width", &T::Width, &T::SetWidth)
        .Int("Height", &T::Height, &T::SetHeight)
        .Enum("Alignment", &T::Alignment, &T::SetAlignment, taLeftJustify)
        .Bool("AlwaysEnable", &T::AlwaysEnable, &T::SetAlwaysEnable, false)
        .Bool("AutoSelect", &T::AutoSelect, &T::SetAutoSelect, true)
        .Bool("AutoSize", &T::AutoSize, &T::SetAutoSize, true)
        .Enum("BorderStyle", &T::BorderStyle, &T::SetBorderStyle, bsSingle)
        .TypeName("TBorderStyle")
        .Str("ButtonHint", &T::ButtonHint, &T::SetButtonHint, std::string())
        .Bool("ButtonVisible", &T::ButtonVisible, &T::SetButtonVisible)
        .Enum("CharCase", &T::CharCase, &T::SetCharCase, ecNormal)
        // Stored whenever it differs from the key its GlyphKind sets, as on
        // the button edit.
        .Int("ClickKey", &T::ClickKey, &T::SetClickKey)
        .Stored(&T::IsClickKeyStored)
        .TypeName("TShortCut")
        .Int("Color", &T::Color, &T::SetColor, clWindow)
        .Idents(ColorIdentMap())
        .TypeName("TColor")
        .Stored([](T* E) { return !E->ParentColor(); })
        .Bool("Ctl3D", &T::Ctl3D, &T::SetCtl3D)
        .Stored([](T* E) { return !E->ParentCtl3D(); })
        .Str("DataField", &T::DataField, &T::SetDataField, std::string())
        .Component("DataSource", &T::DataSource, &T::SetDataSource)
        .Int("DragCursor", &T::DragCursor, &T::SetDragCursor, crDrag)
        .Idents(publish::CursorIdentMap())
        .TypeName("TCursor")
        .Enum("DragMode", &T::DragMode, &T::SetDragMode, dmManual)
        .Bool("Enabled", &T::Enabled, &T::SetEnabled, true)
        .Object("Font", &T::Font)
        .Stored([](T* E) { return !E->ParentFont(); })
        .Enum("GlyphKind", &T::GlyphKind, &T::SetGlyphKind, gkCustom)
        .Object("Glyph", &T::Glyph)
        .Stored(&T::IsCustomGlyph)
        .Int("ButtonWidth", &T::ButtonWidth, &T::SetButtonWidth, 16)
        .Enum("ImeMode", &T::ImeMode, &T::SetImeMode, imDontCare)
        .Str("ImeName", &T::ImeName, &T::SetImeName, std::string())
        .Bool("HideSelection", &T::HideSelection, &T::SetHideSelection, true)
        .Int("MaxLength", &T::MaxLength, &T::SetMaxLength, 0)
        .Int("NumGlyphs", &T::NumGlyphs, &T::SetNumGlyphs)
        .Range(1, 4)
        .Bool("OEMConvert", &T::OEMConvert, &T::SetOEMConvert, false)
        .Bool("ParentColor", &T::ParentColor, &T::SetParentColor, false)
        .Bool("ParentCtl3D", &T::ParentCtl3D, &T::SetParentCtl3D, true)
        .Bool("ParentFont", &T::ParentFont, &T::SetParentFont, true)
        .Bool("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint, true)
        .Char("PasswordChar", &T::PasswordChar, &T::SetPasswordChar, '\0')
        .Component("PopupMenu", &T::PopupMenu, &T::SetPopupMenu)
        .Bool("ReadOnly", &T::ReadOnly, &T::SetReadOnly, false)
        .Bool("ShowHint", &T::ShowHint, &T::SetShowHint)
        .Stored([](T* E) { return !E->ParentShowHint(); })
        .Int("TabOrder", &T::TabOrder, &T::SetTabOrder, -1)
        .Bool("TabStop", &T::TabStop, &T::SetTabStop, true)
        .Bool("Visible", &T::Visible, &T::SetVisible, true)
        .Event<void(TObject*)>("OnButtonClick", &T::OnButtonClick)
        .Event<void(TObject*)>("OnChange", &T::OnChange)
        .Event<void(TObject*)>("OnClick", &T::OnClick)
        .Event<void(TObject*)>("OnDblClick", &T::OnDblClick)
        .Event<void(TObject*, TObject*, int, int)>("OnDragDrop", &T::OnDragDrop)
        .Event<void(TObject*, TObject*, int, int, TDragState, bool&)>("OnDragOver", &T::OnDragOver)
        .Event<void(TObject*, TObject*, int, int)>("OnEndDrag", &T::OnEndDrag)
        .Event<void(TObject*)>("OnEnter", &T::OnEnter)
        .Event<void(TObject*)>("OnExit", &T::OnExit)
        .Event<void(TObject*, Word&, TShiftState)>("OnKeyDown", &T::OnKeyDown)
        .Event<void(TObject*, char&)>("OnKeyPress", &T::OnKeyPress)
        .Event<void(TObject*, Word&, TShiftState)>("OnKeyUp", &T::OnKeyUp)
        .Event<void(TObject*, TMouseButton, TShiftState, int, int)>("OnMouseDown", &T::OnMouseDown)
        .Event<void(TObject*, TShiftState, int, int)>("OnMouseMove", &T::OnMouseMove)
        .Event<void(TObject*, TMouseButton, TShiftState, int, int)>("OnMouseUp", &T::OnMouseUp)
        .Event<void(TObject*, TDragObject*&)>("OnStartDrag", &T::OnStartDrag);
    return true;
  }();
  (void)Done;
}

} // namespace BtnEdit
