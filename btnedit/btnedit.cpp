// The button edit's behaviour, written once over the edit window class it
// sits on: construction, layout of the text area and the button, the
// button's picture, the click key and the Enter/Escape forwarding, focus
// tracking, and the painting of aligned text while the control is not being
// edited. Compiled for the plain edit (TCustomBtnEdit) and the masked edit
// (TDBBtnEdit); the ellipsis picture is drawn in glyphs.cpp.
#include <algorithm>
#include <memory>

#include "btnedit/btnedit.h"
#include "mathman/mathman.h"
#include "vcl/forms.h"

namespace BtnEdit {

using namespace vcl;

template <class TEditBase, class THost>
TBtnEditBase<TEditBase, THost>::TBtnEditBase(TComponent* AOwner) : TEditBase(AOwner) {
  this->SetAutoSize(false);
  FClickKey = scCtrlEnter;

  FBtnHost = new THost(this);
  FBtnHost->SetWidth(16);
  FBtnHost->SetHeight(17);
  FBtnHost->SetVisible(true);
  FBtnHost->SetParent(this);

  FButton = new TEditButton(this);
  FButton->SetBounds(0, 0, FBtnHost->Width(), FBtnHost->Height());
  FButton->SetVisible(true);
  FButton->SetParent(FBtnHost);
  FButton->OnClick = [this](TObject* Sender) { EditButtonClick(Sender); };

  this->SetHeight(21);
  FDefNumGlyphs = 1;
  FGlyphKind = gkCustom;
}

template <class TEditBase, class THost> TBtnEditBase<TEditBase, THost>::~TBtnEditBase() {
  FButton->OnClick = nullptr;
  delete FCanvas;
  FCanvas = nullptr;
}

template <class TEditBase, class THost> void TBtnEditBase<TEditBase, THost>::Loaded() {
  TEditBase::Loaded();
  FClickKeyRead = false;
}

template <class TEditBase, class THost> void TBtnEditBase<TEditBase, THost>::DoClick() {
  EditButtonClick(this);
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::EditButtonClick(TObject*) {
  if (!ReadOnlyProperty() || FAlwaysEnable)
    ButtonClick();
}

template <class TEditBase, class THost> void TBtnEditBase<TEditBase, THost>::ButtonClick() {
  if (OnButtonClick)
    OnButtonClick(this);
}

// ---------------------------------------------------------------------------
// Window creation and layout

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::CreateParams(TCreateParams& Params) {
  TEditBase::CreateParams(Params);
  // A multi-line edit honours a formatting rectangle; the control keeps it
  // to one line itself.
  Params.Style |= ES_MULTILINE;
}

template <class TEditBase, class THost> void TBtnEditBase<TEditBase, THost>::CreateWnd() {
  TEditBase::CreateWnd();
  SetEditRect();
}

template <class TEditBase, class THost> void TBtnEditBase<TEditBase, THost>::SetEditRect() {
  TRect Loc;
  if (ButtonVisible())
    SetRect(Loc, 0, 0, this->ClientWidth() - ButtonWidth() - 2, this->ClientHeight() + 1);
  else
    SetRect(Loc, 0, 0, this->ClientWidth(), this->ClientHeight() + 1);
  this->Perform(EM_SETRECTNP, 0, reinterpret_cast<std::intptr_t>(&Loc));
}

template <class TEditBase, class THost> void TBtnEditBase<TEditBase, THost>::UpdateBtnBounds() {
  const int BW = ButtonWidth();
  if (NewStyleControls) {
    if (this->Ctl3D())
      FBtnHost->SetBounds(this->Width() - BW - 4, 0, BW, this->Height() - 4);
    else
      FBtnHost->SetBounds(this->Width() - BW - 2, 2, BW, this->Height() - 4);
  } else {
    FBtnHost->SetBounds(this->Width() - BW, 1, BW, this->Height() - 1);
  }
  FButton->SetHeight(FBtnHost->Height());
  SetEditRect();
}

template <class TEditBase, class THost> int TBtnEditBase<TEditBase, THost>::GetTextHeight() {
  HDC DC = GetDC(nullptr);
  TTextMetric SysMetrics, Metrics;
  GetTextMetrics(DC, SysMetrics);
  HFONT SaveFont = SelectObject(DC, this->Font()->Handle());
  GetTextMetrics(DC, Metrics);
  SelectObject(DC, SaveFont);
  ReleaseDC(nullptr, DC);
  return MathMan::Min(SysMetrics.tmHeight, Metrics.tmHeight);
}

template <class TEditBase, class THost> int TBtnEditBase<TEditBase, THost>::GetMinHeight() {
  return GetTextHeight() + 4 * GetSystemMetrics(SM_CYBORDER) + 1;
}

template <class TEditBase, class THost> TPoint TBtnEditBase<TEditBase, THost>::GetTextMargins() {
  int I;
  if (NewStyleControls) {
    if (this->BorderStyle() == bsNone)
      I = 0;
    else if (this->Ctl3D())
      I = 1;
    else
      I = 2;
    return {LoWord(this->Perform(EM_GETMARGINS)) + I, I};
  }
  I = this->BorderStyle() == bsNone ? 0 : GetTextHeight() / 4;
  return {I, I};
}

template <class TEditBase, class THost> int TBtnEditBase<TEditBase, THost>::GetEditWidth() {
  return ButtonVisible() ? this->ClientWidth() - ButtonWidth() : this->ClientWidth();
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::WMSize(TMessage& Message) {
  TEditBase::WMSize(Message);
  if (!this->ComponentState().Contains(csLoading)) {
    const int MinHeight = GetMinHeight();
    if (MinHeight > this->Height()) {
      this->SetHeight(MinHeight); // comes back here through WM_SIZE
      return;
    }
  }
  UpdateBtnBounds();
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::CMCtl3DChanged(TMessage& Message) {
  TEditBase::CMCtl3DChanged(Message);
  UpdateBtnBounds();
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::CMFontChanged(TMessage& Message) {
  TEditBase::CMFontChanged(Message);
  if (this->HandleAllocated())
    this->RecreateWnd();
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::CMEnabledChanged(TMessage& Message) {
  TEditBase::CMEnabledChanged(Message);
  FButton->SetEnabled(this->Enabled());
}

// ---------------------------------------------------------------------------
// Properties of the button

template <class TEditBase, class THost>
std::string TBtnEditBase<TEditBase, THost>::ButtonHint() const {
  return FButton->Hint();
}
template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::SetButtonHint(const std::string& Value) {
  FButton->SetHint(Value);
}

template <class TEditBase, class THost> bool TBtnEditBase<TEditBase, THost>::ButtonVisible() const {
  return FButton->Visible();
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::SetButtonVisible(bool Value) {
  FBtnHost->SetVisible(Value);
  FButton->SetVisible(Value);
  this->RecreateWnd();
}

template <class TEditBase, class THost> int TBtnEditBase<TEditBase, THost>::ButtonWidth() const {
  return FButton->Width();
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::SetButtonWidth(int Value) {
  // A negative width has no meaning; it is ignored like one that leaves no room for text.
  if (Value == ButtonWidth() || Value >= this->ClientWidth() || Value < 0)
    return;
  if (FGlyphKind == gkDefault && !Glyph()->Empty())
    FButton->SetWidth(MathMan::Max(Glyph()->Width() + 4, Value));
  else
    FButton->SetWidth(Value);
  this->RecreateWnd();
  RecreateGlyph();
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::SetAlignment(TAlignment Value) {
  if (Value == FAlignment)
    return;
  FAlignment = Value;
  this->Invalidate();
}

// ---------------------------------------------------------------------------
// The picture on the button

template <class TEditBase, class THost>
TBitmap* TBtnEditBase<TEditBase, THost>::GetDefaultBitmap(bool&) {
  return nullptr;
}

template <class TEditBase, class THost> bool TBtnEditBase<TEditBase, THost>::IsCustomGlyph() const {
  return FGlyphKind == gkCustom;
}

template <class TEditBase, class THost> TBitmap* TBtnEditBase<TEditBase, THost>::Glyph() const {
  return FButton->Glyph();
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::SetGlyphKind(TBtnGlyphKind Value) {
  if (Value == FGlyphKind)
    return;
  FGlyphKind = Value;
  FButton->SetGlyphKind(Value);
  // A form that stores gkCustom after another kind stores the picture too,
  // after the kind; whatever another kind left on the button must not stay.
  if (Value == gkCustom && this->ComponentState().Contains(csReading))
    SetGlyph(nullptr);
  RecreateGlyph();
  if (!FClickKeyRead)
    FClickKey = Value == gkDropDown ? scAltDown : scCtrlEnter;
}

template <class TEditBase, class THost>
bool TBtnEditBase<TEditBase, THost>::IsClickKeyStored() const {
  return FClickKey != (FGlyphKind == gkDropDown ? scAltDown : scCtrlEnter);
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::SetClickKey(TShortCut Value) {
  FClickKey = Value;
  if (this->ComponentState().Contains(csReading))
    FClickKeyRead = true;
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::SetGlyph(TBitmap* Value) {
  FButton->SetGlyph(Value);
  FGlyphKind = gkCustom;
  FButton->SetGlyphKind(gkCustom);
}

template <class TEditBase, class THost> int TBtnEditBase<TEditBase, THost>::NumGlyphs() const {
  return FButton->NumGlyphs();
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::SetNumGlyphs(int Value) {
  switch (FGlyphKind) {
  case gkDropDown:
  case gkEllipsis:
    FButton->SetNumGlyphs(1);
    break;
  case gkDefault:
    FButton->SetNumGlyphs(FDefNumGlyphs);
    break;
  case gkCustom:
    FButton->SetNumGlyphs(Value);
    break;
  }
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::SetDefaultGlyphCount(int Value) {
  FDefNumGlyphs = static_cast<std::uint8_t>(std::clamp(Value, 1, 4));
}

template <class TEditBase, class THost> void TBtnEditBase<TEditBase, THost>::RecreateGlyph() {
  switch (FGlyphKind) {
  case gkCustom:
    break;
  case gkDefault: {
    bool DestroyIt = false;
    TBitmap* B = GetDefaultBitmap(DestroyIt);
    std::unique_ptr<TBitmap> Owned(DestroyIt ? B : nullptr);
    FButton->SetGlyph(B);
    SetNumGlyphs(FDefNumGlyphs);
    break;
  }
  case gkDropDown:
    FButton->Glyph()->SetHandle(LoadBitmap(nullptr, OBM_COMBO));
    SetNumGlyphs(1);
    break;
  case gkEllipsis: {
    std::unique_ptr<TBitmap> B(CreateEllipsisGlyph(ButtonWidth()));
    FButton->SetGlyph(B.get());
    SetNumGlyphs(1);
    break;
  }
  }
}

// ---------------------------------------------------------------------------
// Keys

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::KeyDown(Word& Key, TShiftState Shift) {
  TEditBase::KeyDown(Key, Shift);
  // A key an OnKeyDown handler consumed (Key 0) is no key: it clicks
  // nothing, also when ClickKey is 0 (no click key at all).
  if (Key != 0 && ShortCut(Key, Shift) == FClickKey && ButtonWidth() > 0 && ButtonVisible()) {
    EditButtonClick(this);
    Key = 0;
  }
  // A multi-line edit would take Ctrl+Tab as a tab character.
  if (Key == VK_TAB && Shift.Contains(ssCtrl))
    Key = 0;
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::KeyPress(char32_t& Key) {
  const bool Enter = Key == '\r' || Key == '\n';
  if (Enter || Key == '\x1b')
    if (TCustomForm* Form = GetParentForm(this))
      Form->Perform(CM_DIALOGKEY, Key, 0);
  TEditBase::KeyPress(Key);
  // The window is multi-line: Enter would break the line.
  if (Enter)
    Key = 0;
}

// ---------------------------------------------------------------------------
// Focus

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::CMEnter(TMessage& Message) {
  FFocused = true;
  if (this->AutoSelect() && !this->FControlState.Contains(csLButtonDown))
    this->SelectAll();
  if (FAlignment != taLeftJustify)
    this->Invalidate();
  TEditBase::CMEnter(Message);
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::CMExit(TMessage& Message) {
  if (FFocused) {
    FFocused = false;
    if (FAlignment != taLeftJustify)
      this->Invalidate();
  }
  TEditBase::CMExit(Message);
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::WMSetFocus(TMessage& Message) {
  TEditBase::WMSetFocus(Message);
  CreateCaret(this->Handle(), nullptr, this->Font()->Style().Contains(fsBold) ? 2 : 1,
              GetTextHeight());
  // A new caret starts at the corner; put it back at the insertion point.
  this->Perform(EM_SCROLLCARET);
  ShowCaret(this->Handle());
}

// ---------------------------------------------------------------------------
// Painting

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::WMPaint(TMessage& Message) {
  // An empty edit showing its greyed prompt is painted by the window too.
  if ((FAlignment == taLeftJustify || FFocused || this->TextHintShowing()) &&
      !this->FControlState.Contains(csPaintCopy)) {
    TEditBase::WMPaint(Message);
    return;
  }
  PaintText(Message);
}

template <class TEditBase, class THost>
void TBtnEditBase<TEditBase, THost>::PaintText(TMessage& Message) {
  if (!FCanvas) {
    FCanvas = new TControlCanvas();
    FCanvas->SetControl(this);
  }
  TPaintStruct PS;
  HDC DC = reinterpret_cast<HDC>(Message.WParam);
  if (!DC)
    DC = BeginPaint(this->Handle(), PS);
  FCanvas->SetHandle(DC);
  // The canvas lets go of the context, and a context of our own is ended,
  // also when drawing fails.
  struct TRelease {
    TBtnEditBase* Self;
    TPaintStruct& PS;
    ~TRelease() {
      Self->FCanvas->SetHandle(nullptr);
      if (PS.hdc)
        EndPaint(Self->Handle(), PS);
    }
  } Release{this, PS};

  FCanvas->SetFont(this->Font());
  // Disabled, the text is grey, as the edit window draws it.
  if (!this->Enabled())
    FCanvas->Font()->SetColor(clGrayText);
  TRect R = this->ClientRect();
  if ((!NewStyleControls || !this->Ctl3D()) && this->BorderStyle() == bsSingle) {
    FCanvas->Brush()->SetColor(clWindowFrame);
    FCanvas->FrameRect(R);
    InflateRect(R, -1, -1);
  }
  FCanvas->Brush()->SetColor(this->Color());
  std::string S = this->Text();
  if (this->PasswordChar() != 0)
    S = StringOfChar(this->PasswordChar(), Length(S));
  const TPoint Margins = GetTextMargins();
  int Left;
  switch (FAlignment) {
  case taRightJustify:
    Left = GetEditWidth() - FCanvas->TextWidth(S) - Margins.X - 1;
    break;
  case taCenter:
    Left = (GetEditWidth() - FCanvas->TextWidth(S)) / 2;
    break;
  default:
    Left = Margins.X;
    break;
  }
  FCanvas->TextRect(R, Left, Margins.Y, S);
}

template class TBtnEditBase<TCustomEdit, TBtnCrack>;
template class TBtnEditBase<TCustomMaskEdit, TWinControl>;

// ---------------------------------------------------------------------------
// TCustomBtnEdit

void TCustomBtnEdit::Lock() {
  ++FLockCount;
}
void TCustomBtnEdit::UnLock() {
  --FLockCount;
}
bool TCustomBtnEdit::Locked() const {
  return FLockCount > 0;
}

bool TCustomBtnEdit::EditCanModify() {
  return !ReadOnly();
}

bool TCustomBtnEdit::GetReadOnly() {
  throw EInvalidOperation("Abstract Error: " + ClassName() + ".GetReadOnly");
}

} // namespace BtnEdit
