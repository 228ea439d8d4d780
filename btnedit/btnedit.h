// The button edit: a single-line edit with a push button embedded at the
// right edge of its client area. The text area is narrowed so that typed text
// never runs under the button; the button is clicked with the mouse, with a
// shortcut key (ClickKey) or from code (DoClick); while the control is not
// being edited and its text is not left-aligned, the control paints the text
// itself. The picture on the button is chosen by GlyphKind: a user bitmap, a
// default bitmap of a descendant class, the system drop-down arrow, or an
// ellipsis drawn to the button width.
//
// TEditButton is the button, TBtnCrack the small window that hosts it,
// TBtnEditBase the behaviour over any edit window class, TCustomBtnEdit the
// button edit on the plain edit and TBtnEdit the component that publishes it.
#pragma once

#include <cstdint>

#include "vcl/buttons.h"
#include "vcl/mask.h"
#include "vcl/stdctrls.h"

namespace BtnEdit {

VCL_ENUM(TBtnGlyphKind, std::uint8_t, gkCustom, gkDefault, gkDropDown, gkEllipsis);

// Ctrl+Enter, the key that clicks the button of every kind but the drop-down.
constexpr vcl::TShortCut scCtrlEnter = 16397;
// Alt+Down, the key that opens a drop-down.
constexpr vcl::TShortCut scAltDown = 32808;

class TEditButton : public vcl::TSpeedButton {
public:
  explicit TEditButton(vcl::TComponent* AOwner);
  // Focuses the edit first; the click is lost when the focus cannot move.
  void Click() override;
  // Without a hint, a screen reader names the button by what its picture
  // shows: "Open" for the drop-down arrow, "Browse" for the ellipsis, else
  // "Choose".
  std::string DefaultAccessibleName() const override;
  void SetGlyphKind(TBtnGlyphKind Value) { FGlyphKind = Value; }

protected:
  void Paint() override;

private:
  TBtnGlyphKind FGlyphKind = gkCustom;
};

// The window that hosts the button inside the edit.
class TBtnCrack : public vcl::TWinControl {
public:
  explicit TBtnCrack(vcl::TComponent* AOwner);

protected:
  void WMEraseBkgnd(vcl::TMessage& Message) override;
};

// The button edit over an edit window class: TCustomBtnEdit puts it on the
// plain edit, TDBBtnEdit (btnedit/dbbtnedit.h) on the masked edit. Layout,
// painting, keys, focus tracking and the button's picture are written here
// once, so that both controls behave the same, number for number. THost is
// the window holding the button: TBtnCrack for the plain button edit, a plain
// window control for the data-aware one.
template <class TEditBase, class THost> class TBtnEditBase : public TEditBase {
public:
  explicit TBtnEditBase(vcl::TComponent* AOwner);
  ~TBtnEditBase() override;

  // A click on the button from code, gated as a real click is.
  void DoClick();
  // The button's OnClick: clicks unless the control is read-only and the
  // button is not always enabled.
  void EditButtonClick(vcl::TObject* Sender);

  // Layout measurements.
  int GetTextHeight();
  vcl::TPoint GetTextMargins();
  int GetEditWidth();
  int GetMinHeight();

  // The embedded button and its host, for descendants and tests that look at
  // what the user sees.
  TEditButton* Button() const { return FButton; }
  THost* ButtonHost() const { return FBtnHost; }

  // Stored-tests of the published properties.
  bool IsCustomGlyph() const;
  // True when ClickKey is not the key its GlyphKind sets.
  bool IsClickKeyStored() const;

  vcl::TNotifyEvent OnButtonClick;

protected:
  void CreateParams(vcl::TCreateParams& Params) override;
  void CreateWnd() override;
  void Loaded() override;

  // The picture for gkDefault. The caller sets DestroyIt to false before the
  // call and frees the result when the callee has set it to true.
  virtual vcl::TBitmap* GetDefaultBitmap(bool& DestroyIt);
  // The ReadOnly property that gates the button: the edit window's own state
  // here; the data-aware button edit answers with its data link's.
  virtual bool ReadOnlyProperty() { return TEditBase::ReadOnly(); }

  void KeyDown(vcl::Word& Key, vcl::TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  virtual void ButtonClick();

  void SetEditRect();
  void UpdateBtnBounds();
  void RecreateGlyph();

  void CMCtl3DChanged(vcl::TMessage& Message) override;
  void CMEnabledChanged(vcl::TMessage& Message) override;
  void CMFontChanged(vcl::TMessage& Message) override;
  void CMEnter(vcl::TMessage& Message) override;
  void CMExit(vcl::TMessage& Message) override;
  void WMSize(vcl::TMessage& Message) override;
  void WMSetFocus(vcl::TMessage& Message) override;
  void WMPaint(vcl::TMessage& Message) override;

  // Properties, published by the concrete classes.
  vcl::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(vcl::TAlignment Value);
  bool AlwaysEnable() const { return FAlwaysEnable; }
  void SetAlwaysEnable(bool Value) { FAlwaysEnable = Value; }
  std::string ButtonHint() const;
  void SetButtonHint(const std::string& Value);
  bool ButtonVisible() const;
  void SetButtonVisible(bool Value);
  vcl::TShortCut ClickKey() const { return FClickKey; }
  void SetClickKey(vcl::TShortCut Value);
  TBtnGlyphKind GlyphKind() const { return FGlyphKind; }
  void SetGlyphKind(TBtnGlyphKind Value);
  vcl::TBitmap* Glyph() const;
  void SetGlyph(vcl::TBitmap* Value);
  int ButtonWidth() const;
  void SetButtonWidth(int Value);
  int NumGlyphs() const;
  void SetNumGlyphs(int Value);
  // The number of images in the default bitmap (1 to 4); descendants that
  // supply a default bitmap set it.
  int DefaultGlyphCount() const { return FDefNumGlyphs; }
  void SetDefaultGlyphCount(int Value);
  // The focused flag: set between the control's focus-enter and focus-exit
  // handling. Descendants that swap the shown text on focus changes set it
  // themselves, before the inherited handling runs.
  bool FocusedFlag() const { return FFocused; }
  void SetFocusedFlag(bool Value) { FFocused = Value; }

private:
  void PaintText(vcl::TMessage& Message);

  TEditButton* FButton = nullptr;
  THost* FBtnHost = nullptr;
  vcl::TControlCanvas* FCanvas = nullptr;
  vcl::TShortCut FClickKey = scCtrlEnter;
  bool FAlwaysEnable = false;
  vcl::TAlignment FAlignment = vcl::taLeftJustify;
  TBtnGlyphKind FGlyphKind = gkCustom;
  // Set while a form being read has assigned ClickKey, so that the GlyphKind
  // read after it does not replace the stored key.
  bool FClickKeyRead = false;
  bool FFocused = false;
  std::uint8_t FDefNumGlyphs = 1;
};

// Both instances are compiled once, in btnedit.cpp.
extern template class TBtnEditBase<vcl::TCustomEdit, TBtnCrack>;
extern template class TBtnEditBase<vcl::TCustomMaskEdit, vcl::TWinControl>;

class TCustomBtnEdit : public TBtnEditBase<vcl::TCustomEdit, TBtnCrack> {
public:
  using TBtnEditBase::TBtnEditBase;

  // A re-entrancy count for descendants that change the text themselves and
  // skip their own change processing meanwhile; the button edit never reads it.
  void Lock();
  void UnLock();
  bool Locked() const;

protected:
  virtual bool EditCanModify();
  // Abstract: the data-aware descendants implement it and the button edit
  // never calls it. Calling it here raises EInvalidOperation.
  virtual bool GetReadOnly();

private:
  int FLockCount = 0;
};

class TBtnEdit : public TCustomBtnEdit {
public:
  explicit TBtnEdit(vcl::TComponent* AOwner);

  using TCustomBtnEdit::Alignment;
  using TCustomBtnEdit::AlwaysEnable;
  using TCustomBtnEdit::AutoSelect;
  using TCustomBtnEdit::AutoSize;
  using TCustomBtnEdit::BorderStyle;
  using TCustomBtnEdit::ButtonHint;
  using TCustomBtnEdit::ButtonVisible;
  using TCustomBtnEdit::ButtonWidth;
  using TCustomBtnEdit::CharCase;
  using TCustomBtnEdit::ClickKey;
  using TCustomBtnEdit::Glyph;
  using TCustomBtnEdit::GlyphKind;
  using TCustomBtnEdit::HideSelection;
  using TCustomBtnEdit::ImeMode;
  using TCustomBtnEdit::ImeName;
  using TCustomBtnEdit::MaxLength;
  using TCustomBtnEdit::NumGlyphs;
  using TCustomBtnEdit::OEMConvert;
  using TCustomBtnEdit::PasswordChar;
  using TCustomBtnEdit::ReadOnly;
  using TCustomBtnEdit::SetAlignment;
  using TCustomBtnEdit::SetAlwaysEnable;
  using TCustomBtnEdit::SetAutoSelect;
  using TCustomBtnEdit::SetAutoSize;
  using TCustomBtnEdit::SetBorderStyle;
  using TCustomBtnEdit::SetButtonHint;
  using TCustomBtnEdit::SetButtonVisible;
  using TCustomBtnEdit::SetButtonWidth;
  using TCustomBtnEdit::SetCharCase;
  using TCustomBtnEdit::SetClickKey;
  using TCustomBtnEdit::SetGlyph;
  using TCustomBtnEdit::SetGlyphKind;
  using TCustomBtnEdit::SetHideSelection;
  using TCustomBtnEdit::SetImeMode;
  using TCustomBtnEdit::SetImeName;
  using TCustomBtnEdit::SetMaxLength;
  using TCustomBtnEdit::SetNumGlyphs;
  using TCustomBtnEdit::SetOEMConvert;
  using TCustomBtnEdit::SetPasswordChar;
  using TCustomBtnEdit::SetReadOnly;
};

// The ellipsis picture for a button ButtonWidth pixels wide: a monochrome
// bitmap ButtonWidth - 4 wide and 4 high with three black 2x2 dots, centred.
// The caller owns the result.
vcl::TBitmap* CreateEllipsisGlyph(int ButtonWidth);

// Declares the published properties of TBtnEdit for form files; runs once.
void RegisterBtnEditClasses();

} // namespace BtnEdit
