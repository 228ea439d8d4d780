// The data-aware validating edit: the validating edit bound to one field of
// the current record of a data source through a field binding
// (vcl/dbctrls/fieldbinding.h), which holds the rules the data-aware edits share.
// It keeps every validation of the validating edit; what it adds is where
// the value comes from and goes to. The control shows the field's value
// (its display form while not focused, its edit form while focused and
// changeable), its EditText, DisplayText and typed properties read the
// field, a value assigned from code is written to the field, and what the
// user typed reaches the field only once the validator accepts it: on
// leaving the control, or when the data set asks for it before a post, a
// move or a close. Only what the user changed in the record is judged.
// The window is read-only unless the data set is being edited; typing,
// pasting, cutting, Delete and Shift+Insert put the data set into edit
// mode, and Escape gives the field's value back.
#pragma once

#include <memory>
#include <string>

#include "valedit/valedit.h"
#include "vcl/db.h"
#include "vcl/dbctrls/fieldbinding.h"

namespace ValEdit {

class TDBValidEdit : public TCustomValidEdit, private vcl::IFieldBindingControl {
public:
  explicit TDBValidEdit(vcl::TComponent* AOwner);
  ~TDBValidEdit() override;

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

  // Whether the record holds no value here (also while there is no field).
  // The typed properties read Null as zero of their type, so this is what
  // tells "no credit limit" from "credit limit 0".
  bool IsNull() const { return !Field() || Field()->IsNull(); }
  // Value assignment: writes the normalised, judged value to the field
  // (entering edit mode first); an empty value is Null, so Clear() and
  // SetAsVariant(Variant::Null()) set Null from code. Ignored when the data
  // set cannot be edited.
  void SetEditText(const std::string& Value) override;
  // Always true: the value belongs to the record, and what the user typed
  // is judged on its way there. A change of the validator's settings thus
  // never empties the record's value (which would write it).
  bool Valid() override { return true; }

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
  using TCustomValidEdit::SetNumGlyphs;
  using TCustomValidEdit::SetOEMConvert;
  using TCustomValidEdit::SetPasswordChar;

protected:
  void Loaded() override;
  void Notification(vcl::TComponent* AComponent, vcl::TOperation Operation) override;
  // Asks the data set for edit mode; true when it is being edited.
  bool EditCanModify() override;
  bool TextEditable() override;
  bool GetReadOnly() override;
  // Both views read the field: empty for Null, else its AsString.
  void GetText(std::string& Text, bool ForDisplay) override;
  // Shows the field's edit form on entry and its display form on exit.
  void SetFocused(bool Value) override;
  // Cut, paste and clear ask for edit mode first; Enter on the form's
  // default button judges only a changed value.
  void WndProc(vcl::TMessage& Message) override;

  void Change() override;
  void KeyDown(vcl::Word& Key, vcl::TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;

  void CMEnter(vcl::TMessage& Message) override;
  void CMExit(vcl::TMessage& Message) override;
  void CMGetDataLink(vcl::TMessage& Message) override;

private:
  // What the binding asks of the control: the field as the validator shows
  // it, the stored text, and the validator's judgement of it.
  void ShowField(vcl::TField* F, bool EditForm) override;
  std::string TypedText() override { return StoredText(); }
  bool AcceptTyped() override { return ValidateExit(true); }
  void SetWindowReadOnly(bool Value) override { TCustomEdit::SetReadOnly(Value); }
  void SetWindowMaxLength(int Value) override { TCustomEdit::SetMaxLength(Value); }

  std::unique_ptr<vcl::TFieldBinding> FBinding;
};

// Declares the published properties of TDBValidEdit for form files; runs once.
void RegisterDBValEditClasses();

} // namespace ValEdit
