// The data-aware button edit: the button edit on the masked edit, showing
// and editing one field of the current record of a data source through a
// field binding (vcl/dbctrls/fieldbinding.h), which holds the rules the
// data-aware edits share. While the control is not being edited it shows
// the field's display text; from the moment it has the focus and the field
// can be changed, the field's edit text under the field's edit mask. The
// window is read-only unless the data set is being edited, and typing,
// pasting, cutting, Delete and Shift+Insert put the data set into edit
// mode; Escape gives the field's value back; leaving the control hands the
// text to the field once the mask accepts it, and a text the mask or the
// field refuses keeps the focus here.
//
// The button, its picture, the layout and the painting are the button
// edit's own (TBtnEditBase); this class adds the binding.
#pragma once

#include <memory>
#include <string>

#include "btnedit/btnedit.h"
#include "vcl/db.h"
#include "vcl/dbctrls/fieldbinding.h"
#include "vcl/mask.h"

namespace BtnEdit {

class TDBBtnEdit : public TBtnEditBase<vcl::TCustomMaskEdit, vcl::TWinControl>,
                   private vcl::IFieldBindingControl {
public:
  explicit TDBBtnEdit(vcl::TComponent* AOwner);
  ~TDBBtnEdit() override;

  vcl::TDataSource* DataSource() const { return FBinding->DataSource(); }
  void SetDataSource(vcl::TDataSource* Value) { FBinding->SetDataSource(Value); }
  const std::string& DataField() const { return FBinding->DataField(); }
  void SetDataField(const std::string& Value) { FBinding->SetDataField(Value); }
  // The link's read-only state; the window is read-only as well whenever
  // the data set is not being edited.
  bool ReadOnly() { return GetReadOnly(); }
  void SetReadOnly(bool Value) { FBinding->SetReadOnly(Value); }
  vcl::TField* Field() const { return FBinding->Field(); }
  // The user's limit; 0 lets a string field's size limit the text.
  int MaxLength() const { return FBinding->MaxLength(); }
  void SetMaxLength(int Value) { FBinding->SetMaxLength(Value); }

  using TBtnEditBase::Alignment;
  using TBtnEditBase::AlwaysEnable;
  using TBtnEditBase::AutoSelect;
  using TBtnEditBase::AutoSize;
  using TBtnEditBase::BorderStyle;
  using TBtnEditBase::ButtonHint;
  using TBtnEditBase::ButtonVisible;
  using TBtnEditBase::ButtonWidth;
  using TBtnEditBase::CharCase;
  using TBtnEditBase::ClickKey;
  using TBtnEditBase::Glyph;
  using TBtnEditBase::GlyphKind;
  using TBtnEditBase::HideSelection;
  using TBtnEditBase::ImeMode;
  using TBtnEditBase::ImeName;
  using TBtnEditBase::NumGlyphs;
  using TBtnEditBase::OEMConvert;
  using TBtnEditBase::PasswordChar;
  using TBtnEditBase::SetAlignment;
  using TBtnEditBase::SetAlwaysEnable;
  using TBtnEditBase::SetAutoSelect;
  using TBtnEditBase::SetAutoSize;
  using TBtnEditBase::SetBorderStyle;
  using TBtnEditBase::SetButtonHint;
  using TBtnEditBase::SetButtonVisible;
  using TBtnEditBase::SetButtonWidth;
  using TBtnEditBase::SetCharCase;
  using TBtnEditBase::SetClickKey;
  using TBtnEditBase::SetGlyph;
  using TBtnEditBase::SetGlyphKind;
  using TBtnEditBase::SetHideSelection;
  using TBtnEditBase::SetImeMode;
  using TBtnEditBase::SetImeName;
  using TBtnEditBase::SetNumGlyphs;
  using TBtnEditBase::SetOEMConvert;
  using TBtnEditBase::SetPasswordChar;

protected:
  void Loaded() override;
  void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
  // Asks the data set for edit mode; true when it is being edited.
  bool EditCanModify() override;
  bool TextEditable() override;
  // Shows the field's value again and selects it all.
  void Reset() override;
  virtual bool GetReadOnly();
  bool ReadOnlyProperty() override { return GetReadOnly(); }

  void Change() override;
  void KeyDown(vcl::Word& Key, vcl::TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;

  // Cut, paste and clear ask for edit mode first.
  void WndProc(vcl::TMessage& Message) override;
  void CMEnter(vcl::TMessage& Message) override;
  void CMExit(vcl::TMessage& Message) override;
  void CMGetDataLink(vcl::TMessage& Message) override;

private:
  // What the binding asks of the control: the field under its edit mask,
  // and the mask's judgement of the typed text.
  void ShowField(vcl::TField* F, bool EditForm) override;
  std::string TypedText() override { return Text(); }
  bool AcceptTyped() override;
  void SetWindowReadOnly(bool Value) override { TCustomEdit::SetReadOnly(Value); }
  void SetWindowMaxLength(int Value) override { TCustomMaskEdit::SetMaxLength(Value); }

  std::unique_ptr<vcl::TFieldBinding> FBinding;
};

// Declares the published properties of TDBBtnEdit for form files; runs once.
void RegisterDBBtnEditClasses();

} // namespace BtnEdit
