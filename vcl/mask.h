// GUI platform: the masked edit, a single-line edit whose text follows an
// edit mask (the mask language and its rules: vcl/maskutils.h).
#pragma once

#include <string>

#include "vcl/maskutils.h"
#include "vcl/stdctrls.h"

namespace vcl {

// Raised by ValidateEdit for a text the mask does not accept.
VCL_EXCEPTION(EDBEditError, Exception);

// The message of a text that fails its mask.
inline constexpr const char* SMaskEditErr =
    "Invalid input value. Use escape key to abandon changes";

class TCustomMaskEdit : public TCustomEdit {
public:
  explicit TCustomMaskEdit(TComponent* AOwner);

  bool IsMasked() const { return FFormat.IsMasked(); }
  // The window's text, literals and blanks included. Setting it lays the
  // value over the mask position by position; the same text again changes
  // nothing (the caret and selection stay).
  std::string EditText() const;
  void SetEditText(const std::string& Value);
  // Raises EDBEditError (after a beep, with the caret on the first wrong
  // position) when the user changed the text and the mask refuses it.
  virtual void ValidateEdit();
  // Puts an empty caret on an editable position, selecting it.
  void CheckCursor();
  void Clear() override;

  // The limit of the window: the mask's length while masked.
  int MaxLength() const;
  void SetMaxLength(int Value);

protected:
  // Text: the value without blanks (and without literals when the mask
  // says so). Setting Text (SetTextBuf) formats the value into the mask.
  std::string GetControlText() const override;

  // False keeps the user from changing the text (a data-aware descendant
  // asks its data set for edit mode here).
  virtual bool EditCanModify();
  // Escape while masked: puts back the text the control had when it got
  // the focus.
  virtual void Reset();

  const TEditMask& EditMask() const { return FEditMask; }
  void SetEditMask(const TEditMask& Value);
  const TEditMaskFormat& MaskFormat() const { return FFormat; }

  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void WMSetText(TMessage& Message) override;
  void WMCut(TMessage& Message) override;
  void WMPaste(TMessage& Message) override;
  void WMClear(TMessage& Message) override;
  void WMSetFocus(TMessage& Message) override;
  void CMEnter(TMessage& Message) override;
  void CMExit(TMessage& Message) override;
  void CMWantSpecialKey(TMessage& Message) override;

private:
  bool CanEdit();
  void PlaceCaret(int Pos);
  // Replaces the window text with NewText as the user's change (one change
  // notification, undoable), then puts the caret at CursorPos.
  void ApplyEdit(const std::string& NewText, int CursorPos);
  std::string CurrentEditText() const;
  void TypeChar(char32_t Ch);
  void DeleteChars(bool Backward);
  bool ArrowKey(Word Key);

  TEditMask FEditMask;
  TEditMaskFormat FFormat;
  int FMaxLength = 0; // the limit set for the unmasked window
  std::string FOldValue;
  bool FSettingEditText = false;
};

class TMaskEdit : public TCustomMaskEdit {
public:
  using TCustomMaskEdit::TCustomMaskEdit;

  using TCustomMaskEdit::AutoSelect;
  using TCustomMaskEdit::AutoSize;
  using TCustomMaskEdit::BorderStyle;
  using TCustomMaskEdit::CharCase;
  using TCustomMaskEdit::EditMask;
  using TCustomMaskEdit::HideSelection;
  using TCustomMaskEdit::ImeMode;
  using TCustomMaskEdit::ImeName;
  using TCustomMaskEdit::OEMConvert;
  using TCustomMaskEdit::PasswordChar;
  using TCustomMaskEdit::ReadOnly;
  using TCustomMaskEdit::SetAutoSelect;
  using TCustomMaskEdit::SetAutoSize;
  using TCustomMaskEdit::SetBorderStyle;
  using TCustomMaskEdit::SetCharCase;
  using TCustomMaskEdit::SetEditMask;
  using TCustomMaskEdit::SetHideSelection;
  using TCustomMaskEdit::SetImeMode;
  using TCustomMaskEdit::SetImeName;
  using TCustomMaskEdit::SetOEMConvert;
  using TCustomMaskEdit::SetPasswordChar;
  using TCustomMaskEdit::SetReadOnly;
};

} // namespace vcl
