// Data-aware controls. TDBEdit is the masked edit bound to one field of the
// current record through a field data link: it shows the field's display
// text (its edit text while focused), takes the field's edit mask, puts the
// data set into edit mode when the user starts typing, and hands its text to
// the field when the data set asks (UpdateRecord: before a post, a move, a
// refresh or a close) or when the focus leaves it.
#pragma once

#include <memory>

#include "vcl/db.h"
#include "vcl/mask.h"

namespace vcl {

class TDBEdit : public TCustomMaskEdit {
public:
  explicit TDBEdit(TComponent* AOwner);
  ~TDBEdit() override;

  TDataSource* DataSource() const { return FDataLink->DataSource(); }
  void SetDataSource(TDataSource* Value);
  const std::string& DataField() const { return FDataLink->FieldName(); }
  void SetDataField(const std::string& Value) { FDataLink->SetFieldName(Value); }
  // The link's read-only state; the window is read-only as well whenever
  // the data set is not being edited.
  bool ReadOnly() const { return FDataLink->ReadOnly(); }
  void SetReadOnly(bool Value);
  TField* Field() const { return FDataLink->Field(); }

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
  void Reset() override;
  void Change() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void WMCut(TMessage& Message) override;
  void WMPaste(TMessage& Message) override;
  void CMEnter(TMessage& Message) override;
  void CMExit(TMessage& Message) override;
  void CMGetDataLink(TMessage& Message) override;

private:
  void DataChange(TObject* Sender);
  void EditingChange(TObject* Sender);
  void UpdateData(TObject* Sender);
  void SetFocused(bool Value);

  std::unique_ptr<TFieldDataLink> FDataLink;
  bool FFocused = false;
};

} // namespace vcl
