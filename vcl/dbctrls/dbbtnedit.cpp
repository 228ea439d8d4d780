// TDBBtnEdit: the button edit on the masked edit, bound to one field of a
// data source. The binding holds the rules; the control supplies the
// field's edit mask, the mask's check and the button.
#include "btnedit/dbbtnedit.h"
#include "btnedit/detail/published.h"

namespace BtnEdit {

using namespace vcl;

TDBBtnEdit::TDBBtnEdit(TComponent* AOwner) : TBtnEditBase(AOwner) {
  RegisterDBBtnEditClasses();
  FBinding = std::make_unique<TFieldBinding>(*this, static_cast<IFieldBindingControl&>(*this));
}

TDBBtnEdit::~TDBBtnEdit() {
  FBinding.reset();
}

bool TDBBtnEdit::GetReadOnly() {
  return FBinding->ReadOnly();
}

void TDBBtnEdit::Loaded() {
  TBtnEditBase::Loaded();
  FBinding->Loaded();
}

void TDBBtnEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TBtnEditBase::Notification(AComponent, Operation);
  if (FBinding)
    FBinding->Notification(AComponent, Operation);
}

// ---------------------------------------------------------------------------
// What the binding asks of the control

// Without a field the text is left-aligned and unmasked.
void TDBBtnEdit::ShowField(TField* F, bool EditForm) {
  if (!F)
    SetAlignment(taLeftJustify);
  SetEditMask(F ? F->EditMask() : TEditMask());
  FBinding->ShowMasked(*this, F, EditForm);
}

// The mask refuses an incomplete text by raising.
bool TDBBtnEdit::AcceptTyped() {
  ValidateEdit();
  return true;
}

bool TDBBtnEdit::EditCanModify() {
  return FBinding->Edit();
}

bool TDBBtnEdit::TextEditable() {
  return FBinding->CanEdit();
}

void TDBBtnEdit::Reset() {
  FBinding->Reset();
}

void TDBBtnEdit::Change() {
  FBinding->Changed();
  TBtnEditBase::Change();
}

// ---------------------------------------------------------------------------
// Keys and the clipboard

void TDBBtnEdit::WndProc(TMessage& Message) {
  if (FBinding) // messages come before the binding is made and after it is gone
    FBinding->BeforeMessage(Message);
  TBtnEditBase::WndProc(Message);
}

void TDBBtnEdit::KeyDown(Word& Key, TShiftState Shift) {
  // The masked edit, the click key, and Ctrl+Tab swallowed (Key 0).
  TBtnEditBase::KeyDown(Key, Shift);
  FBinding->KeyDown(Key, Shift);
}

void TDBBtnEdit::KeyPress(char32_t& Key) {
  TBtnEditBase::KeyPress(Key);
  FBinding->KeyPress(Key, true);
}

// ---------------------------------------------------------------------------
// Focus

// The edit form is shown before the inherited handling selects it all.
void TDBBtnEdit::CMEnter(TMessage& Message) {
  FBinding->SetFocused(true);
  TBtnEditBase::CMEnter(Message);
  FBinding->Entered();
}

void TDBBtnEdit::CMExit(TMessage& Message) {
  if (FocusedFlag()) {
    if (!FBinding->Exit())
      return;
    FBinding->SetFocused(false);
    CheckCursor();
  }
  TBtnEditBase::CMExit(Message);
}

void TDBBtnEdit::CMGetDataLink(TMessage& Message) {
  FBinding->GetDataLink(Message);
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
    Publish<Placement, AccessibleName, Alignment, AlwaysEnable, AutoSelect,
            Default<AutoSize, false>, BorderStyle, ButtonHint, ButtonVisible, CharCase, ClickKey,
            Color, Ctl3D, DataField, DataSource, DragCursor, DragMode, Enabled, Font, GlyphKind,
            Glyph, ButtonWidth, ImeMode, ImeName, HideSelection, MaxLength, NumGlyphs, OEMConvert,
            ParentColor, ParentCtl3D, ParentFont, ParentShowHint, PasswordChar, PopupMenu, ReadOnly,
            Hint, ShowHint, TabOrder, TabStop, TextHint, TextHintFocused, Visible, OnButtonClick,
            OnChange, OnClick, OnDblClick, OnDragDrop, OnDragOver, OnEndDrag, OnEnter, OnExit,
            OnKeyDown, OnKeyPress, OnKeyUp, OnMouseDown, OnMouseMove, OnMouseUp, OnStartDrag>(P);
    return true;
  }();
  (void)Done;
}

} // namespace BtnEdit
