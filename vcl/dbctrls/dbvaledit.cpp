// TDBValidEdit: the validating edit bound to one field of a data source.
// The binding holds the rules the data-aware edits share; this control
// supplies the field as its validator shows it and the validator's
// judgement of what was typed. Both views read the field, and a value
// assignment writes it. The published table is in dbvaledit_published.cpp.
#include "valedit/dbvaledit.h"

namespace ValEdit {

using namespace vcl;

TDBValidEdit::TDBValidEdit(TComponent* AOwner) : TCustomValidEdit(AOwner) {
  RegisterDBValEditClasses();
  SetAlwaysEnable(true);
  SetButtonVisible(false);
  FBinding = std::make_unique<TFieldBinding>(*this, static_cast<IFieldBindingControl&>(*this));
}

TDBValidEdit::~TDBValidEdit() {
  FBinding.reset();
}

// ---------------------------------------------------------------------------
// Properties

bool TDBValidEdit::GetReadOnly() {
  return FBinding->ReadOnly();
}

void TDBValidEdit::Loaded() {
  TCustomValidEdit::Loaded();
  FBinding->Loaded();
}

void TDBValidEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomValidEdit::Notification(AComponent, Operation);
  if (FBinding)
    FBinding->Notification(AComponent, Operation);
}

bool TDBValidEdit::EditCanModify() {
  return FBinding->Edit();
}

bool TDBValidEdit::TextEditable() {
  return FBinding->CanEdit();
}

void TDBValidEdit::Reset() {
  FBinding->Reset();
}

// ---------------------------------------------------------------------------
// The value

void TDBValidEdit::GetText(std::string& Text, bool ForDisplay) {
  if (Field())
    Text = FBinding->FieldValue();
  TCustomValidEdit::GetText(Text, ForDisplay);
}

// An empty value empties the field (Null) whatever its type.
void TDBValidEdit::SetEditText(const std::string& Value) {
  if (!FBinding->Edit())
    return;
  std::string S = Value;
  SetText(S);
  if (Validator() && Validation().Contains(vtSetValue) && !Validator()->IsValid(S)) {
    SetValueError(S);
    return;
  }
  Field()->SetAsString(S);
}

// The window text is set only when it differs. While focused the stored
// text is the field's edit form as the window shows it, also when the
// window showed it already: the exit's judgement and the hand-over work on
// what the user sees.
void TDBValidEdit::ShowField(TField* F, bool EditForm) {
  const bool Designing = ComponentState().Contains(csDesigning);
  if (!F) {
    const std::string T = Designing ? Name() : std::string();
    if (Text() != T)
      SetTextBuf(T);
    return;
  }
  std::string T = EditForm ? FBinding->FieldValue() : Designing ? AsString() : GetDisplayText();
  SetText(T);
  if (EditForm) {
    if (Text() != T)
      SetTextBuf(T);
    SetStoredText(Text());
    return;
  }
  if (Text() != T) {
    TLockGuard Guard(*this);
    SetTextBuf(T);
  }
  if (FocusedFlag())
    SetStoredText(FBinding->FieldValue());
}

// ---------------------------------------------------------------------------
// Focus

void TDBValidEdit::SetFocused(bool Value) {
  if (Value == FocusedFlag())
    return;
  SetFocusedFlag(Value);
  if (Alignment() != taLeftJustify)
    Invalidate();
  FBinding->SetFocused(Value);
}

void TDBValidEdit::CMEnter(TMessage& Message) {
  TCustomValidEdit::CMEnter(Message);
  FBinding->Entered();
}

// The binding judges and hands over what was typed; the validating edit's
// own exit check, which judges every value, is not run.
void TDBValidEdit::CMExit(TMessage& Message) {
  if (!FBinding->Exit())
    return;
  SetFocused(false);
  TCustomBtnEdit::CMExit(Message);
}

void TDBValidEdit::WndProc(TMessage& Message) {
  if (FBinding) // messages come before the binding is made and after it is gone
    FBinding->BeforeMessage(Message);
  if (Message.Msg == CM_VALIDATEEXIT && !FBinding->HasPendingEdit()) {
    Message.Result = 0;
    return;
  }
  TCustomValidEdit::WndProc(Message);
}

void TDBValidEdit::CMGetDataLink(TMessage& Message) {
  FBinding->GetDataLink(Message);
}

// ---------------------------------------------------------------------------
// Editing

// The control's own text swaps (under Lock) are not the user's changes.
void TDBValidEdit::Change() {
  if (!Locked())
    FBinding->Changed();
  TCustomValidEdit::Change();
}

void TDBValidEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomValidEdit::KeyDown(Key, Shift);
  FBinding->KeyDown(Key, Shift);
}

// A character the field refuses is dropped silently; Escape discards the
// edit and does not reach the form's cancel button.
void TDBValidEdit::KeyPress(char32_t& Key) {
  FBinding->KeyPress(Key, false);
  TCustomValidEdit::KeyPress(Key);
}

} // namespace ValEdit
