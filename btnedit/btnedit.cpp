// TCustomBtnEdit: construction, layout of the text area and the button,
// the click key and the Enter/Escape forwarding, focus tracking, and the
// painting of aligned text while the control is not being edited. The
// picture on the button lives in glyphs.cpp.
#include <algorithm>

#include "btnedit/btnedit.h"
#include "mathman/mathman.h"
#include "vcl/forms.h"

namespace BtnEdit {

using namespace vcl;

TCustomBtnEdit::TCustomBtnEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetAutoSize(false);
  FClickKey = scCtrlEnter;

  FBtnHost = new TBtnCrack(this);
  FBtnHost->SetTabStop(false);
  FBtnHost->SetWidth(16);
  FBtnHost->SetHeight(17);
  FBtnHost->SetVisible(true);
  FBtnHost->SetParent(this);

  FButton = new TEditButton(this);
  FButton->SetBounds(0, 0, FBtnHost->Width(), FBtnHost->Height());
  FButton->SetVisible(true);
  FButton->SetParent(FBtnHost);
  FButton->OnClick = [this](TObject* Sender) { EditButtonClick(Sender); };

  SetHeight(21);
  FDefNumGlyphs = 1;
  FGlyphKind = gkCustom;
}

TCustomBtnEdit::~TCustomBtnEdit() {
  FButton->OnClick = nullptr;
  delete FCanvas;
  FCanvas = nullptr;
}

void TCustomBtnEdit::Loaded() {
  TCustomEdit::Loaded();
  FClickKeyRead = false;
}

void TCustomBtnEdit::Lock() {
  ++FLockCount;
}
void TCustomBtnEdit::UnLock() {
  --FLockCount;
}
bool TCustomBtnEdit::Locked() const {
  return FLockCount > 0;
}

void TCustomBtnEdit::DoClick() {
  EditButtonClick(this);
}

void TCustomBtnEdit::EditButtonClick(TObject*) {
  if (!ReadOnly() || FAlwaysEnable)
    ButtonClick();
}

void TCustomBtnEdit::ButtonClick() {
  if (OnButtonClick)
    OnButtonClick(this);
}

bool TCustomBtnEdit::EditCanModify() {
  return !ReadOnly();
}

bool TCustomBtnEdit::GetReadOnly() {
  throw EInvalidOperation("Abstract Error: " + ClassName() + ".GetReadOnly");
}

// ---------------------------------------------------------------------------
// Window creation and layout

void TCustomBtnEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  // A multi-line edit honours a formatting rectangle; the control keeps it
  // to one line itself.
  Params.Style |= ES_MULTILINE;
}

void TCustomBtnEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  SetEditRect();
}

void TCustomBtnEdit::SetEditRect() {
  TRect Loc;
  if (ButtonVisible())
    SetRect(Loc, 0, 0, ClientWidth() - ButtonWidth() - 2, ClientHeight() + 1);
  else
    SetRect(Loc, 0, 0, ClientWidth(), ClientHeight() + 1);
  Perform(EM_SETRECTNP, 0, reinterpret_cast<std::intptr_t>(&Loc));
}

void TCustomBtnEdit::UpdateBtnBounds() {
  const int BW = ButtonWidth();
  if (NewStyleControls) {
    if (Ctl3D())
      FBtnHost->SetBounds(Width() - BW - 4, 0, BW, Height() - 4);
    else
      FBtnHost->SetBounds(Width() - BW - 2, 2, BW, Height() - 4);
  } else {
    FBtnHost->SetBounds(Width() - BW, 1, BW, Height() - 1);
  }
  FButton->SetHeight(FBtnHost->Height());
  SetEditRect();
}

int TCustomBtnEdit::GetTextHeight() {
  HDC DC = GetDC(nullptr);
  TTextMetric SysMetrics, Metrics;
  GetTextMetrics(DC, SysMetrics);
  HFONT SaveFont = SelectObject(DC, Font()->Handle());
  GetTextMetrics(DC, Metrics);
  SelectObject(DC, SaveFont);
  ReleaseDC(nullptr, DC);
  return MathMan::Min(SysMetrics.tmHeight, Metrics.tmHeight);
}

int TCustomBtnEdit::GetMinHeight() {
  return GetTextHeight() + 4 * GetSystemMetrics(SM_CYBORDER) + 1;
}

TPoint TCustomBtnEdit::GetTextMargins() {
  int I;
  if (NewStyleControls) {
    if (BorderStyle() == bsNone)
      I = 0;
    else if (Ctl3D())
      I = 1;
    else
      I = 2;
    return {LoWord(Perform(EM_GETMARGINS)) + I, I};
  }
  I = BorderStyle() == bsNone ? 0 : GetTextHeight() / 4;
  return {I, I};
}

int TCustomBtnEdit::GetEditWidth() {
  return ButtonVisible() ? ClientWidth() - ButtonWidth() : ClientWidth();
}

void TCustomBtnEdit::WMSize(TMessage& Message) {
  TCustomEdit::WMSize(Message);
  if (!ComponentState().Contains(csLoading)) {
    const int MinHeight = GetMinHeight();
    if (MinHeight > Height()) {
      SetHeight(MinHeight); // comes back here through WM_SIZE
      return;
    }
  }
  UpdateBtnBounds();
}

void TCustomBtnEdit::CMCtl3DChanged(TMessage& Message) {
  TCustomEdit::CMCtl3DChanged(Message);
  UpdateBtnBounds();
}

void TCustomBtnEdit::CMFontChanged(TMessage& Message) {
  TCustomEdit::CMFontChanged(Message);
  if (HandleAllocated())
    RecreateWnd();
}

void TCustomBtnEdit::CMEnabledChanged(TMessage& Message) {
  TCustomEdit::CMEnabledChanged(Message);
  FButton->SetEnabled(Enabled());
}

// ---------------------------------------------------------------------------
// Properties of the button

std::string TCustomBtnEdit::ButtonHint() const {
  return FButton->Hint();
}
void TCustomBtnEdit::SetButtonHint(const std::string& Value) {
  FButton->SetHint(Value);
}

bool TCustomBtnEdit::ButtonVisible() const {
  return FButton->Visible();
}

void TCustomBtnEdit::SetButtonVisible(bool Value) {
  FBtnHost->SetVisible(Value);
  FButton->SetVisible(Value);
  RecreateWnd();
}

int TCustomBtnEdit::ButtonWidth() const {
  return FButton->Width();
}

void TCustomBtnEdit::SetButtonWidth(int Value) {
  // A negative width has no meaning; it is ignored like one that leaves no room for text.
  if (Value == ButtonWidth() || Value >= ClientWidth() || Value < 0)
    return;
  if (FGlyphKind == gkDefault && !Glyph()->Empty())
    FButton->SetWidth(MathMan::Max(Glyph()->Width() + 4, Value));
  else
    FButton->SetWidth(Value);
  RecreateWnd();
  RecreateGlyph();
}

void TCustomBtnEdit::SetAlignment(TAlignment Value) {
  if (Value == FAlignment)
    return;
  FAlignment = Value;
  Invalidate();
}

// ---------------------------------------------------------------------------
// Keys

void TCustomBtnEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (ShortCut(Key, Shift) == FClickKey && ButtonWidth() > 0 && ButtonVisible()) {
    EditButtonClick(this);
    Key = 0;
  }
  // A multi-line edit would take Ctrl+Tab as a tab character.
  if (Key == VK_TAB && Shift.Contains(ssCtrl))
    Key = 0;
}

void TCustomBtnEdit::KeyPress(char& Key) {
  const bool Enter = Key == '\r' || Key == '\n';
  if (Enter || Key == '\x1b')
    if (TCustomForm* Form = GetParentForm(this))
      Form->Perform(CM_DIALOGKEY, static_cast<unsigned char>(Key), 0);
  TCustomEdit::KeyPress(Key);
  // The window is multi-line: Enter would break the line.
  if (Enter)
    Key = 0;
}

// ---------------------------------------------------------------------------
// Focus

void TCustomBtnEdit::CMEnter(TMessage& Message) {
  FFocused = true;
  if (AutoSelect() && !FControlState.Contains(csLButtonDown))
    SelectAll();
  if (FAlignment != taLeftJustify)
    Invalidate();
  TCustomEdit::CMEnter(Message);
}

void TCustomBtnEdit::CMExit(TMessage& Message) {
  if (FFocused) {
    FFocused = false;
    if (FAlignment != taLeftJustify)
      Invalidate();
  }
  TCustomEdit::CMExit(Message);
}

void TCustomBtnEdit::WMSetFocus(TMessage& Message) {
  TCustomEdit::WMSetFocus(Message);
  CreateCaret(Handle(), nullptr, Font()->Style().Contains(fsBold) ? 2 : 1, GetTextHeight());
  // A new caret starts at the corner; put it back at the insertion point.
  Perform(EM_SCROLLCARET);
  ShowCaret(Handle());
}

// ---------------------------------------------------------------------------
// Painting

void TCustomBtnEdit::WMPaint(TMessage& Message) {
  if ((FAlignment == taLeftJustify || FFocused) && !FControlState.Contains(csPaintCopy)) {
    TCustomEdit::WMPaint(Message);
    return;
  }
  PaintText(Message);
}

void TCustomBtnEdit::PaintText(TMessage& Message) {
  if (!FCanvas) {
    FCanvas = new TControlCanvas();
    FCanvas->SetControl(this);
  }
  TPaintStruct PS;
  HDC DC = reinterpret_cast<HDC>(Message.WParam);
  if (!DC)
    DC = BeginPaint(Handle(), PS);
  FCanvas->SetHandle(DC);
  // The canvas lets go of the context, and a context of our own is ended,
  // also when drawing fails.
  struct TRelease {
    TCustomBtnEdit* Self;
    TPaintStruct& PS;
    ~TRelease() {
      Self->FCanvas->SetHandle(nullptr);
      if (PS.hdc)
        EndPaint(Self->Handle(), PS);
    }
  } Release{this, PS};

  FCanvas->SetFont(Font());
  // Disabled, the text is grey, as the edit window draws it.
  if (!Enabled())
    FCanvas->Font()->SetColor(clGrayText);
  TRect R = ClientRect();
  if ((!NewStyleControls || !Ctl3D()) && BorderStyle() == bsSingle) {
    FCanvas->Brush()->SetColor(clWindowFrame);
    FCanvas->FrameRect(R);
    InflateRect(R, -1, -1);
  }
  FCanvas->Brush()->SetColor(Color());
  std::string S = Text();
  if (PasswordChar() != 0)
    for (int I = 1; I <= Length(S); ++I)
      S[I - 1] = PasswordChar();
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

} // namespace BtnEdit
