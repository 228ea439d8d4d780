// GUI platform: the standard controls. TCustomEdit is the single-line edit
// window (its text engine is vcl/editengine.h); TButton is the push button with
// default/cancel roles and modal results; TLabel shows a caption.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vcl/controls.h"
#include "vcl/dialogs.h"
#include "vcl/editengine.h"

namespace vcl {

// The single-line edit window: routes keys, characters, clipboard and
// selection messages to its text engine (vcl/editengine.h), keeps the
// window's own settings (read-only, password character, formatting
// rectangle, margins, scrolling) and paints the text. Every input reaches
// the engine through DefaultHandler, so that a descendant's handler sees
// each message first and may keep it from the window.
class TCustomEdit : public TWinControl {
public:
  explicit TCustomEdit(TComponent* AOwner);
  ~TCustomEdit() override;

  // Selection positions count characters (code points) from 0 and never
  // fall inside a user-perceived character (see vcl/editengine.h).
  int SelStart() const { return FEngine.SelStart(); }
  void SetSelStart(int Value);
  int SelLength() const { return FEngine.SelLength(); }
  void SetSelLength(int Value);
  std::string SelText() const { return FEngine.SelText(); }
  void SetSelText(const std::string& Value);
  void SelectAll();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  virtual void Clear();
  // The history of the user's edits (Ctrl+Z; Ctrl+Y or Ctrl+Shift+Z redoes).
  // Text set from code starts a new one.
  void Undo();
  void Redo();
  bool CanUndo() const { return FEngine.CanUndo(); }
  bool CanRedo() const { return FEngine.CanRedo(); }
  void ClearUndo() { FEngine.ClearUndo(); }
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  // The caret position (0-based), which may be either end of the selection.
  int CaretPos() const { return FEngine.Caret(); }
  // Text dropped on the edit at X of its client area, for an OnDragDrop
  // handler that takes it: the edit takes the focus, the caret goes to the
  // character under X, and the text arrives as a paste of it would (a
  // WM_PASTE carrying it), so whatever screens a paste screens the drop too.
  void DropText(const std::string& Text, int X);

  TAccessibleRole AccessibleRole() const override { return arEdit; }
  void GetAccessibleStates(TAccessibleStates& States) override;
  bool GetAccessibleText(TAccessibleText& Text) const override;
  // Where the character at Index (from 0) of the shown text is drawn, in
  // client coordinates (empty when there is none), and the character drawn
  // at a client point (-1 when none is).
  TRect CharacterBounds(int Index);
  int CharacterAt(const TPoint& P);

  // A prompt shown greyed in place of an empty text ("Search", "dd/mm/yy").
  // It is only painted: Text stays empty, nothing validates or stores it as
  // the value. TextHintFocused: the prompt stays while the edit has the
  // focus (true, the default) or shows only while it has not.
  const std::string& TextHint() const { return FTextHint; }
  void SetTextHint(const std::string& Value);
  bool TextHintFocused() const { return FTextHintFocused; }
  void SetTextHintFocused(bool Value);
  // True while the prompt is painted in place of the text.
  bool TextHintShowing();

  TNotifyEvent OnChange;

protected:
  std::string GetControlText() const override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DefaultHandler(TMessage& Message) override;
  virtual void Change();
  void AdjustHeight();

  // What the window would insert for a paste of Text, or for the typed
  // character Key, at the selection: one line, in CharCase, cut to the room
  // MaxLength leaves. Empty when the window would insert nothing.
  std::string PasteInsertion(const std::string& Text) const;
  std::string KeyInsertion(char32_t Key) const;
  // The text a WM_PASTE brings: the one it carries in LParam (a drop), else
  // the clipboard's; false when there is none.
  static bool PastedText(const TMessage& Message, std::string& Text);
  // Replaces the whole text as one undoable edit of the user's (the window
  // notifies the change); undoing it brings back the selection as it was.
  void ReplaceAllText(const std::string& Value);

  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TEditCharCase CharCase() const { return FEngine.CharCase(); }
  void SetCharCase(TEditCharCase Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  int MaxLength() const { return FEngine.MaxLength(); }
  void SetMaxLength(int Value);
  bool OEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool Value);
  // The character shown for each character of the text (0: the text itself).
  char32_t PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char32_t Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // Whether an edit of the user's (the edit menu's Cut, Paste and Delete)
  // may change the text: the window is not read-only. A data-aware edit,
  // read-only while its data set browses, answers for the edit mode the
  // edit would enter.
  virtual bool TextEditable() { return !FReadOnly; }
  TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value) { FImeMode = Value; }
  const std::string& ImeName() const { return FImeName; }
  void SetImeName(const std::string& Value) { FImeName = Value; }

  void CMEnter(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  // A client edge lies outside the client area; a flat border lies inside
  // it, on its edge, and the window paints it with the text (edit_paint.cpp).
  int FrameWidth() override;

private:
  // Message routing (edit.cpp), by group.
  bool TextMessage(TMessage& Message);
  bool SelectionMessage(TMessage& Message);
  bool SettingMessage(TMessage& Message);
  bool FormatMessage(TMessage& Message);
  bool FocusMessage(TMessage& Message);
  bool MouseMessage(TMessage& Message);
  void KeyCommand(Word Key);
  void CharCommand(char32_t Ch);
  void ClipboardCommand(const TMessage& Message);
  void PasteText(const TMessage& Message);
  void HistoryCommand(bool Redo);
  // The window's own context menu (edit_menu.cpp), for an edit without a
  // PopupMenu: Where is WM_CONTEXTMENU's point.
  void ShowEditMenu(std::intptr_t Where);
  void UpdateEditMenu();
  // After the engine changed the text: the user's edit marks the text
  // modified; the window scrolls, repaints and notifies.
  void TextChanged(bool ByUser);
  // After the engine moved the selection.
  void SelectionChanged();
  void Notify();

  // Layout and painting (edit_paint.cpp).
  bool HasFlatBorder();
  int TextInset();
  std::string DisplayText() const;
  // Where the caret stands before each character of DisplayText, from the
  // text's start (backend::CaretOffsets).
  std::vector<int> CaretOffsets();
  TRect TextArea();
  int TextTop();
  int CharFromX(int X);
  void ScrollToCaret();
  void UpdateCaret();
  void Paint(HDC DC);
  void PaintShapedSelection(HDC__& DC, int X0, const std::string& S, TColor TextColor);

  TEditEngine FEngine;
  std::unique_ptr<TPopupMenu> FEditMenu;
  int FScrollX = 0;
  bool FModified = false;
  TRect FFormatRect;
  bool FHasFormatRect = false;
  int FLeftMargin = 1;
  int FRightMargin = 1;
  bool FSelecting = false;

  TBorderStyle FBorderStyle = bsSingle;
  char32_t FPasswordChar = 0;
  bool FReadOnly = false;
  bool FAutoSize = true;
  bool FAutoSelect = true;
  bool FHideSelection = true;
  bool FOEMConvert = false;
  TImeMode FImeMode = imDontCare;
  std::string FImeName;
  std::string FTextHint;
  bool FTextHintFocused = true;
};

class TEdit : public TCustomEdit {
public:
  using TCustomEdit::AutoSelect;
  using TCustomEdit::AutoSize;
  using TCustomEdit::BorderStyle;
  using TCustomEdit::CharCase;
  using TCustomEdit::HideSelection;
  using TCustomEdit::ImeMode;
  using TCustomEdit::ImeName;
  using TCustomEdit::MaxLength;
  using TCustomEdit::OEMConvert;
  using TCustomEdit::PasswordChar;
  using TCustomEdit::ReadOnly;
  using TCustomEdit::SetAutoSelect;
  using TCustomEdit::SetAutoSize;
  using TCustomEdit::SetBorderStyle;
  using TCustomEdit::SetCharCase;
  using TCustomEdit::SetHideSelection;
  using TCustomEdit::SetImeMode;
  using TCustomEdit::SetImeName;
  using TCustomEdit::SetMaxLength;
  using TCustomEdit::SetOEMConvert;
  using TCustomEdit::SetPasswordChar;
  using TCustomEdit::SetReadOnly;
  using TCustomEdit::TCustomEdit;
};

class TButtonControl : public TWinControl {
public:
  explicit TButtonControl(TComponent* AOwner);
};

class TButton : public TButtonControl {
public:
  explicit TButton(TComponent* AOwner);

  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // Sets the form's ModalResult to the button's, then fires OnClick.
  void Click() override;
  TAccessibleRole AccessibleRole() const override { return arPushButton; }
  // True when Enter clicks this button: it is focused, or it is the default
  // button and no other button is focused.
  bool IsActive();
  bool Pressed() const { return FPressed; }

protected:
  void DefaultHandler(TMessage& Message) override;
  void CMDialogKey(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;

private:
  void Paint(HDC DC);
  // True when the focused control, asked with CM_VALIDATEEXIT, would let
  // the focus go.
  bool FocusLetsGo();
  void MouseMessage(const TMessage& Message);
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
  bool FPressed = false;  // drawn down
  bool FTracking = false; // mouse or space held on the button
};

class TCustomLabel : public TGraphicControl {
public:
  explicit TCustomLabel(TComponent* AOwner);
  TAccessibleRole AccessibleRole() const override { return arStaticText; }

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void Loaded() override;
  void AdjustBounds();

private:
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  TWinControl* FFocusControl = nullptr;
  bool FShowAccelChar = true;
  bool FTransparent = false;
  bool FWordWrap = false;
};

class TLabel : public TCustomLabel {
public:
  using TCustomLabel::TCustomLabel;
};

} // namespace vcl
