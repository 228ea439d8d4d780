// TDBEdit: the masked edit on one field of a data source. The binding holds
// the rules; the edit supplies the field's edit mask and the mask's check.
#include "vcl/dbctrls.h"
#include "vcl/props.h"

namespace vcl {

TDBEdit::TDBEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  RegisterDBCtrlsClasses();
  FBinding = std::make_unique<TFieldBinding>(*this, static_cast<IFieldBindingControl&>(*this));
}

TDBEdit::~TDBEdit() {
  FBinding.reset();
}

void TDBEdit::Loaded() {
  TCustomMaskEdit::Loaded();
  FBinding->Loaded();
}

void TDBEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomMaskEdit::Notification(AComponent, Operation);
  if (FBinding)
    FBinding->Notification(AComponent, Operation);
}

void TDBEdit::ShowField(TField* F, bool EditForm) {
  SetEditMask(F ? F->EditMask() : TEditMask());
  FBinding->ShowMasked(*this, F, EditForm);
}

// The mask refuses an incomplete text by raising.
bool TDBEdit::AcceptTyped() {
  ValidateEdit();
  return true;
}

bool TDBEdit::EditCanModify() {
  return FBinding->Edit();
}

bool TDBEdit::TextEditable() {
  return FBinding->CanEdit();
}

void TDBEdit::Reset() {
  FBinding->Reset();
}

void TDBEdit::Change() {
  FBinding->Changed();
  TCustomMaskEdit::Change();
}

void TDBEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomMaskEdit::KeyDown(Key, Shift);
  FBinding->KeyDown(Key, Shift);
}

void TDBEdit::KeyPress(char32_t& Key) {
  TCustomMaskEdit::KeyPress(Key);
  FBinding->KeyPress(Key, true);
}

void TDBEdit::WndProc(TMessage& Message) {
  if (FBinding) // messages come before the binding is made and after it is gone
    FBinding->BeforeMessage(Message);
  TCustomMaskEdit::WndProc(Message);
}

void TDBEdit::CMEnter(TMessage& Message) {
  FBinding->SetFocused(true);
  TCustomMaskEdit::CMEnter(Message);
  FBinding->Entered();
}

void TDBEdit::CMExit(TMessage& Message) {
  if (!FBinding->Exit())
    return;
  FBinding->SetFocused(false);
  CheckCursor();
  TCustomMaskEdit::CMExit(Message);
}

void TDBEdit::CMGetDataLink(TMessage& Message) {
  FBinding->GetDataLink(Message);
}

void RegisterDBCtrlsClasses() {
  static const bool Done = [] {
    RegisterGuiClasses();
    RegisterDBClasses();
    using namespace vcl::props;
    Published<TDBEdit> P("TDBEdit");
    P.Inherits<TComponent>();
    Publish<Placement, Appearance<clWindow, false>, WindowProperties<true>, MouseEvents, DataField,
            DataSource, EditProperties, OnChange>(P);
    return true;
  }();
  (void)Done;
}

} // namespace vcl
