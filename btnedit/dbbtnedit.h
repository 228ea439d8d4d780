// The data-aware button edit: the button edit on the masked edit, showing
// and editing one field of the current record of a data source through a
// field data link. While the control is not being edited it shows the
// field's display text; while it has the focus and the field can be changed,
// the field's edit text under the field's edit mask. The window is read-only
// unless the data set is being edited, and typing, Delete, Shift+Insert,
// Backspace, Ctrl+V and Ctrl+X put the data set into edit mode; Escape
// gives the field's value back; leaving the control hands the text to the
// field, and a text the mask or the field refuses keeps the focus here.
//
// The button, its picture, the layout and the painting are the button
// edit's own (TBtnEditBase); this class adds the data link.
#pragma once

#include <memory>
#include <string>

#include "btnedit/btnedit.h"
#include "vcl/db.h"
#include "vcl/mask.h"

namespace BtnEdit {

class TDBBtnEdit : public TBtnEditBase<vcl::TCustomMaskEdit, vcl::TWinControl> {
public:
  explicit TDBBtnEdit(vcl::TComponent* AOwner);
  ~TDBBtnEdit() override;

  vcl::TDataSource* DataSource() const { return FDataLink->DataSource(); }
  void SetDataSource(vcl::TDataSource* Value);
  const std::string& DataField() const { return FDataLink->FieldName(); }
  void SetDataField(const std::string& Value);
  // The link's read-only state; the window is read-only as well whenever
  // the data set is not being edited.
  bool ReadOnly() { return GetReadOnly(); }
  void SetReadOnly(bool Value);
  vcl::TField* Field() const { return FDataLink->Field(); }

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
  using TBtnEditBase::MaxLength;
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
  using TBtnEditBase::SetMaxLength;
  using TBtnEditBase::SetNumGlyphs;
  using TBtnEditBase::SetOEMConvert;
  using TBtnEditBase::SetPasswordChar;

protected:
  void Loaded() override;
  void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
  // Asks the data set for edit mode; true when it is being edited.
  bool EditCanModify() override;
  // Shows the field's value again and selects it all.
  void Reset() override;
  virtual bool GetReadOnly();
  bool ReadOnlyProperty() override { return GetReadOnly(); }

  void Change() override;
  void KeyDown(vcl::Word& Key, vcl::TShiftState Shift) override;
  void KeyPress(char& Key) override;

  void CMEnter(vcl::TMessage& Message) override;
  void CMExit(vcl::TMessage& Message) override;
  void CMGetDataLink(vcl::TMessage& Message) override;

  // The link's events: a new record or field value, a change of the data
  // set's editing state, and the data set asking for the typed text.
  void DataChange(vcl::TObject* Sender);
  void EditingChange(vcl::TObject* Sender);
  void UpdateData(vcl::TObject* Sender);

private:
  // Forgets a MaxLength that was copied from the field's size, so that the
  // next field's size (or the same field's new size) is copied again.
  void ClearCopiedMaxLength();

  std::unique_ptr<vcl::TFieldDataLink> FDataLink;
};

// Declares the published properties of TDBBtnEdit for form files; runs once.
void RegisterDBBtnEditClasses();

} // namespace BtnEdit
