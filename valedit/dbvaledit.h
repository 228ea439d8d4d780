// The data-aware validating edit: the validating edit bound to one field of
// the current record of a data source through a field data link. It keeps
// every validation of the validating edit; what it adds is where the value
// comes from and goes to. The control shows the field's value (its display
// form while not focused, its edit form while focused and changeable), its
// EditText, DisplayText and typed properties read the field, a value
// assigned from code is written to the field, and leaving the control
// writes the stored text to the field before the focus-exit validation runs.
// The window is read-only unless the data set is being edited; typing,
// pasting, cutting, Delete and Shift+Insert put the data set into edit mode,
// and Escape gives the field's value back.
#pragma once

#include <memory>
#include <string>

#include "valedit/valedit.h"
#include "vcl/db.h"

namespace ValEdit {

class TDBValidEdit : public TCustomValidEdit {
public:
  explicit TDBValidEdit(vcl::TComponent* AOwner);
  ~TDBValidEdit() override;

  vcl::TDataSource* DataSource() const { return FDataLink->DataSource(); }
  void SetDataSource(vcl::TDataSource* Value);
  const std::string& DataField() const { return FDataLink->FieldName(); }
  void SetDataField(const std::string& Value) { FDataLink->SetFieldName(Value); }
  // The link's read-only state; the window is read-only as well whenever
  // the data set is not being edited.
  bool ReadOnly() { return GetReadOnly(); }
  void SetReadOnly(bool Value);
  vcl::TField* Field() const { return FDataLink->Field(); }

  // Value assignment: writes the normalised, judged value to the field
  // (entering edit mode first); ignored when the data set cannot be edited.
  void SetEditText(const std::string& Value) override;

  // Shows the field's value again and selects it all.
  void Reset();

  using TCustomValidEdit::Alignment;
  using TCustomValidEdit::AlwaysEnable;
  using TCustomValidEdit::AutoSelect;
  using TCustomValidEdit::AutoSize;
  using TCustomValidEdit::BorderStyle;
  using TCustomValidEdit::ButtonHint;
  using TCustomValidEdit::ButtonVisible;
  using TCustomValidEdit::ButtonWidth;
  using TCustomValidEdit::CharCase;
  using TCustomValidEdit::ClickKey;
  using TCustomValidEdit::Glyph;
  using TCustomValidEdit::GlyphKind;
  using TCustomValidEdit::HideSelection;
  using TCustomValidEdit::ImeMode;
  using TCustomValidEdit::ImeName;
  using TCustomValidEdit::MaxLength;
  using TCustomValidEdit::NumGlyphs;
  using TCustomValidEdit::OEMConvert;
  using TCustomValidEdit::PasswordChar;
  using TCustomValidEdit::SetAlignment;
  using TCustomValidEdit::SetAlwaysEnable;
  using TCustomValidEdit::SetAutoSelect;
  using TCustomValidEdit::SetAutoSize;
  using TCustomValidEdit::SetBorderStyle;
  using TCustomValidEdit::SetButtonHint;
  using TCustomValidEdit::SetButtonVisible;
  using TCustomValidEdit::SetButtonWidth;
  using TCustomValidEdit::SetCharCase;
  using TCustomValidEdit::SetClickKey;
  using TCustomValidEdit::SetGlyph;
  using TCustomValidEdit::SetGlyphKind;
  using TCustomValidEdit::SetHideSelection;
  using TCustomValidEdit::SetImeMode;
  using TCustomValidEdit::SetImeName;
  using TCustomValidEdit::SetMaxLength;
  using TCustomValidEdit::SetNumGlyphs;
  using TCustomValidEdit::SetOEMConvert;
  using TCustomValidEdit::SetPasswordChar;

protected:
  void Loaded() override;
  void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
  // Asks the data set for edit mode; true when it is being edited.
  bool EditCanModify() override;
  bool GetReadOnly() override;
  // Both views read the field: empty for Null, else its AsString.
  void GetText(std::string& Text, bool ForDisplay) override;
  // Shows the field's edit form on entry and its display form on exit.
  void SetFocused(bool Value) override;

  void Change() override;
  void KeyDown(vcl::Word& Key, vcl::TShiftState Shift) override;
  void KeyPress(char& Key) override;

  void WMCut(vcl::TMessage& Message) override;
  void WMPaste(vcl::TMessage& Message) override;
  void CMEnter(vcl::TMessage& Message) override;
  void CMExit(vcl::TMessage& Message) override;
  void CMGetDataLink(vcl::TMessage& Message) override;

  // The link's events: a new record or field value, a change of the data
  // set's editing state, and the data set asking for the typed text.
  void DataChange(vcl::TObject* Sender);
  void EditingChange(vcl::TObject* Sender);
  void UpdateData(vcl::TObject* Sender);

private:
  // The field's value as the window shows it while the user edits it.
  std::string FieldEditForm(vcl::TField* F);

  std::unique_ptr<vcl::TFieldDataLink> FDataLink;
};

// Declares the published properties of TDBValidEdit for form files; runs once.
void RegisterDBValEditClasses();

} // namespace ValEdit
