// Data-aware controls. TDBEdit is the masked edit bound to one field of the
// current record through a field binding (vcl/dbctrls/fieldbinding.h): it shows
// the field's display text (its edit text while focused), takes the field's
// edit mask, puts the data set into edit mode when the user starts typing,
// and hands its text to the field when the data set asks (UpdateRecord:
// before a post, a move, a refresh or a close) or when the focus leaves it,
// once the mask accepts it.
#pragma once

#include <memory>

#include "vcl/db.h"
#include "vcl/dbctrls/fieldbinding.h"
#include "vcl/mask.h"

namespace vcl {

class TDBEdit : public TCustomMaskEdit, private IFieldBindingControl {
public:
  explicit TDBEdit(TComponent* AOwner);
  ~TDBEdit() override;

  TDataSource* DataSource() const { return FBinding->DataSource(); }
  void SetDataSource(TDataSource* Value) { FBinding->SetDataSource(Value); }
  const std::string& DataField() const { return FBinding->DataField(); }
  void SetDataField(const std::string& Value) { FBinding->SetDataField(Value); }
  // The link's read-only state; the window is read-only as well whenever
  // the data set is not being edited.
  bool ReadOnly() const { return FBinding->ReadOnly(); }
  void SetReadOnly(bool Value) { FBinding->SetReadOnly(Value); }
  TField* Field() const { return FBinding->Field(); }
  // The user's limit; 0 lets a string field's size limit the text.
  int MaxLength() const { return FBinding->MaxLength(); }
  void SetMaxLength(int Value) { FBinding->SetMaxLength(Value); }

  using TCustomMaskEdit::AutoSelect;
  using TCustomMaskEdit::AutoSize;
  using TCustomMaskEdit::BorderStyle;
  using TCustomMaskEdit::CharCase;
  using TCustomMaskEdit::HideSelection;
  using TCustomMaskEdit::ImeMode;
  using TCustomMaskEdit::ImeName;
  using TCustomMaskEdit::OEMConvert;
  using TCustomMaskEdit::PasswordChar;
  using TCustomMaskEdit::SetAutoSelect;
  using TCustomMaskEdit::SetAutoSize;
  using TCustomMaskEdit::SetBorderStyle;
  using TCustomMaskEdit::SetCharCase;
  using TCustomMaskEdit::SetHideSelection;
  using TCustomMaskEdit::SetImeMode;
  using TCustomMaskEdit::SetImeName;
  using TCustomMaskEdit::SetOEMConvert;
  using TCustomMaskEdit::SetPasswordChar;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  bool EditCanModify() override;
  bool TextEditable() override;
  void Reset() override;
  void Change() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  // Cut, paste and clear ask for edit mode first.
  void WndProc(TMessage& Message) override;
  void CMEnter(TMessage& Message) override;
  void CMExit(TMessage& Message) override;
  void CMGetDataLink(TMessage& Message) override;

private:
  // What the binding asks of the control: the field under its edit mask,
  // and the mask's judgement of the typed text.
  void ShowField(TField* F, bool EditForm) override;
  std::string TypedText() override { return Text(); }
  bool AcceptTyped() override;
  void SetWindowReadOnly(bool Value) override { TCustomEdit::SetReadOnly(Value); }
  void SetWindowMaxLength(int Value) override { TCustomMaskEdit::SetMaxLength(Value); }

  std::unique_ptr<TFieldBinding> FBinding;
};

// Declares the published table of TDBEdit, with those of the data-access
// classes (once; its constructor calls it).
void RegisterDBCtrlsClasses();

} // namespace vcl
