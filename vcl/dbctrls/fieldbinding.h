// The binding of a data-aware edit to one field of the current record: the
// one object that TDBEdit, TDBBtnEdit and TDBValidEdit share. It owns the
// field data link and holds the rules the three follow alike:
//
// - DataSource and DataField, and forgetting a data source that is freed;
// - the window is read-only unless the data set is being edited; typing,
//   Backspace, Delete, Shift+Insert, pasting, cutting, dropping and the
//   edit menu's Delete put the data set into edit mode first;
// - entering the control shows the field's edit form before any key, so a
//   key replaces exactly what the user saw selected;
// - what the user typed reaches the field only once the control's own
//   judgement accepts it, on every road: leaving the control, and the data
//   set asking for it (UpdateRecord, before a post, a move or a close). A
//   text the control refuses keeps the focus on leaving, and makes the
//   data set's post fail with nothing written;
// - only what the user changed in this record is judged: a stored value
//   left as it was never holds the user in the control;
// - pressing the form's cancel button abandons what was typed here,
//   unjudged, so Cancel gets the user out from anywhere;
// - Escape gives the record's value back;
// - MaxLength: the user's when set, else a string field's size;
// - a text the window cannot hold (a NUL byte another program stored) is
//   shown with the NUL visibly replaced, and never written back unless the
//   user edits it.
//
// What differs is the control's own: how it shows the field (a mask, a
// validator's display form) and how it judges the typed text (the mask, the
// validator). It supplies those through IFieldBindingControl.
#pragma once

#include <memory>
#include <string>

#include "vcl/db.h"
#include "vcl/mask.h"

namespace vcl {

// What a data-aware edit supplies to its binding.
class IFieldBindingControl {
public:
  // Shows the field's value: its edit form while the user may edit it here
  // (EditForm), else its display form. F is null while there is no field.
  virtual void ShowField(TField* F, bool EditForm) = 0;
  // What the user typed, as it goes to the field's text.
  virtual std::string TypedText() = 0;
  // The control's own judgement of TypedText before it reaches the field:
  // false refuses it (after reporting it); an exception refuses it with its
  // message.
  virtual bool AcceptTyped() = 0;
  // The window's own read-only state and length limit.
  virtual void SetWindowReadOnly(bool Value) = 0;
  virtual void SetWindowMaxLength(int Value) = 0;

protected:
  ~IFieldBindingControl() = default;
};

// The character that stands in the window for a NUL byte of a stored text.
inline constexpr char NulStandIn = '?';

class TFieldBinding {
public:
  // Made in the constructor body of Edit, which is Control too; both
  // outlive the binding. The window starts read-only.
  TFieldBinding(TCustomEdit& Edit, IFieldBindingControl& Control);
  ~TFieldBinding();
  TFieldBinding(const TFieldBinding&) = delete;
  TFieldBinding& operator=(const TFieldBinding&) = delete;

  TFieldDataLink* DataLink() const { return FDataLink.get(); }
  TDataSource* DataSource() const { return FDataLink->DataSource(); }
  void SetDataSource(TDataSource* Value);
  const std::string& DataField() const { return FDataLink->FieldName(); }
  void SetDataField(const std::string& Value) { FDataLink->SetFieldName(Value); }
  TField* Field() const { return FDataLink->Field(); }
  // The link's read-only state: the field is shown and never changed.
  bool ReadOnly() const { return FDataLink->ReadOnly(); }
  void SetReadOnly(bool Value);
  // The limit the user set, 0 when a string field's size limits the text.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);

  // The control's component life: a freed data source is forgotten; at
  // design time a loaded control shows its field (or its name).
  void Notification(TComponent* AComponent, TOperation Operation);
  void Loaded();
  // CM_GETDATALINK: answered with the link.
  void GetDataLink(TMessage& Message) const;

  // The field's texts as the window can hold them: Text (Display false) or
  // DisplayText; and its value, empty for Null.
  std::string FieldText(bool Display) const;
  std::string FieldValue() const;
  // Shows the field in a masked edit under the mask the control has taken
  // from the field: the edit text or the display text; the window is left
  // unmodified, since the text is the record's.
  void ShowMasked(TCustomMaskEdit& Edit, TField* F, bool EditForm) const;

  // The control shows the edit form (entering it) or the display form.
  void SetFocused(bool Value);
  // After the control's own enter handling: under a Far East locale the
  // window takes input while the field can be changed.
  void Entered();
  // Leaving the control: hands over what the user changed once the control
  // accepts it; false when the control has taken the focus back. A failing
  // hand-over keeps the focus with the text selected and propagates.
  bool Exit();
  // The user changed the text in this record and it is not handed over yet.
  bool HasPendingEdit();

  // Asks for edit mode; true while the field can be edited.
  bool Edit();
  // True when an edit of the user's could change the text: the data set is
  // edited, or would be for the edit.
  bool CanEdit() const;
  // Before the control handles Message: a cut, a paste (a drop comes as
  // one) and a clear (the edit menu's Delete) ask for edit mode.
  void BeforeMessage(const TMessage& Message);
  // Delete and Shift+Insert ask for edit mode.
  void KeyDown(Word& Key, TShiftState Shift);
  // A character the field refuses is dropped (with a beep when Beep);
  // Backspace, Ctrl+V, Ctrl+X and characters ask for edit mode; Escape
  // gives the record's value back and is consumed.
  void KeyPress(char32_t& Key, bool Beep);
  // Shows the record's value again, all selected.
  void Reset();
  // The window's text changed: the user's change, unless the binding is
  // showing the field.
  void Changed();

private:
  void DataChange();
  void EditingChange();
  void UpdateData();
  void ApplyMaxLength();
  // The focus is moving to the form's cancel button as the user presses it.
  bool LeavingForCancel() const;
  // The typed text is refused on the data set's road: reported, the
  // control focused, and the post (or move, or close) stopped silently.
  [[noreturn]] void RefuseUpdate();

  TCustomEdit& FEdit;
  IFieldBindingControl& FControl;
  std::unique_ptr<TFieldDataLink> FDataLink;
  int FMaxLength = 0;
  bool FFocused = false;
  // Set while the field is being shown, so the window's change is not the user's.
  bool FShowing = false;
  // Set while leaving hands over a text the control has just accepted.
  bool FJudged = false;
  // What the control held right after it last showed the field.
  std::string FShownText;
};

} // namespace vcl
