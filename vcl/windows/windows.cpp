// The Win32-style functions of vcl/windows.h: rectangles, device contexts on
// form pictures, text metrics, system metrics and bitmaps, the caret, beeps.
#include <algorithm>

#include "vcl/controls/detail/guistate.h"
#include "vcl/forms.h"
#include "vcl/windows/detail/gdi.h"

namespace vcl {

void SetRect(TRect& R, int Left, int Top, int Right, int Bottom) {
  R = {Left, Top, Right, Bottom};
}

void InflateRect(TRect& R, int DX, int DY) {
  R.Left -= DX;
  R.Top -= DY;
  R.Right += DX;
  R.Bottom += DY;
}

void OffsetRect(TRect& R, int DX, int DY) {
  R.Left += DX;
  R.Right += DX;
  R.Top += DY;
  R.Bottom += DY;
}

bool PtInRect(const TRect& R, const TPoint& P) {
  return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

bool IsRectEmpty(const TRect& R) {
  return R.Right <= R.Left || R.Bottom <= R.Top;
}

bool IntersectRect(TRect& Dest, const TRect& R1, const TRect& R2) {
  Dest = {std::max(R1.Left, R2.Left), std::max(R1.Top, R2.Top), std::min(R1.Right, R2.Right),
          std::min(R1.Bottom, R2.Bottom)};
  if (IsRectEmpty(Dest)) {
    Dest = {};
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Device contexts

namespace {

TPixelBuffer ScreenPixels; // the screen context draws nowhere visible

detail::TCaretState& Caret = detail::GuiState().Caret;

} // namespace

HDC GetDC(HWND Wnd) {
  auto* DC = new HDC__();
  DC->Font = gdi::SystemFont();
  if (!Wnd || !Wnd->Control) {
    DC->Target = &ScreenPixels;
    return DC;
  }
  TControl* Control = Wnd->Control;
  TCustomForm* Form = GetParentForm(Control);
  if (!Form) {
    DC->Target = &ScreenPixels;
    return DC;
  }
  TPixelBuffer& Image = Form->ClientImage();
  const TPoint Origin = Control->ClientOrigin();
  const TPoint FormOrigin = Form->ClientOrigin();
  DC->Target = &Image;
  DC->Origin = {Origin.X - FormOrigin.X, Origin.Y - FormOrigin.Y};
  const TRect Client = Control->ClientRect();
  IntersectRect(DC->Clip, Bounds(DC->Origin.X, DC->Origin.Y, Client.Right, Client.Bottom),
                Rect(0, 0, Image.Width() / Image.Scale(), Image.Height() / Image.Scale()));
  return DC;
}

int ReleaseDC(HWND, HDC DC) {
  delete DC;
  return 1;
}

HFONT SelectObject(HDC DC, HFONT Font) {
  if (!DC)
    return nullptr;
  HFONT Old = DC->Font;
  DC->Font = Font;
  return Old;
}

HBITMAP SelectObject(HDC DC, HBITMAP Bitmap) {
  if (!DC)
    return nullptr;
  HBITMAP Old = DC->Bitmap;
  DC->Bitmap = Bitmap;
  if (Bitmap) {
    DC->Target = &Bitmap->Pixels;
    DC->Origin = {};
    DC->Clip = Rect(0, 0, Bitmap->Pixels.Width(), Bitmap->Pixels.Height());
    DC->Monochrome = Bitmap->Monochrome;
  }
  return Old;
}

bool DeleteObject(HBITMAP Bitmap) {
  delete Bitmap;
  return true;
}

bool GetTextMetrics(HDC DC, TTextMetric& TM) {
  if (!DC)
    return false;
  const HFONT Font = DC->Font ? DC->Font : gdi::SystemFont();
  const backend::TFontMetrics M = backend::MeasureFont(Font->Face);
  TM = {};
  TM.tmHeight = M.Height;
  TM.tmAscent = M.Ascent;
  TM.tmDescent = M.Descent;
  TM.tmInternalLeading = M.InternalLeading;
  TM.tmExternalLeading = M.ExternalLeading;
  TM.tmAveCharWidth = M.AveCharWidth;
  TM.tmMaxCharWidth = M.MaxCharWidth;
  TM.tmWeight = Font->Face.Bold ? 700 : 400;
  TM.tmItalic = Font->Face.Italic;
  return true;
}

int GetSystemMetrics(int Index) {
  switch (Index) {
  case SM_CXSCREEN:
    return backend::PlatformStarted() ? backend::ScreenSize().X : 1024;
  case SM_CYSCREEN:
    return backend::PlatformStarted() ? backend::ScreenSize().Y : 768;
  case SM_CXVSCROLL:
  case SM_CYHSCROLL:
    return 16;
  case SM_CYCAPTION:
    return 19;
  case SM_CXBORDER:
  case SM_CYBORDER:
    return 1;
  case SM_CXDLGFRAME:
  case SM_CYDLGFRAME:
    return 3;
  case SM_CXEDGE:
  case SM_CYEDGE:
    return 2;
  default:
    return 0;
  }
}

bool PatBlt(HDC DC, int X, int Y, int Width, int Height, std::uint32_t Rop) {
  if (!DC)
    return false;
  const TRect R = Bounds(X, Y, Width, Height);
  switch (Rop) {
  case BLACKNESS:
    gdi::FillRect(*DC, R, clBlack);
    return true;
  case WHITENESS:
    gdi::FillRect(*DC, R, clWhite);
    return true;
  default:
    return false;
  }
}

HBITMAP LoadBitmap(HINSTANCE, int Id) {
  if (Id != OBM_COMBO)
    return nullptr;
  // The combo-box arrow: a black triangle pointing down on the button face.
  auto* Bitmap = new HBITMAP__();
  Bitmap->Pixels.SetSize(7, 4, clBtnFace);
  for (int Row = 0; Row < 4; ++Row)
    for (int X = Row; X < 7 - Row; ++X)
      Bitmap->Pixels.SetPixel(X, Row, clBlack);
  return Bitmap;
}

bool MessageBeep(unsigned) {
  ++detail::GuiState().Beeps;
  if (backend::PlatformStarted() && backend::HasDisplay())
    backend::Beep();
  return true;
}

HDC BeginPaint(HWND Wnd, TPaintStruct& PS) {
  PS.hdc = Wnd && Wnd->PaintDC ? Wnd->PaintDC : GetDC(Wnd);
  PS.rcPaint = PS.hdc->Clip;
  OffsetRect(PS.rcPaint, -PS.hdc->Origin.X, -PS.hdc->Origin.Y);
  return PS.hdc;
}

bool EndPaint(HWND Wnd, const TPaintStruct& PS) {
  if (!Wnd || PS.hdc != Wnd->PaintDC)
    ReleaseDC(Wnd, PS.hdc);
  return true;
}

// ---------------------------------------------------------------------------
// The caret

namespace {

// Marks the caret's pixels out of date on the form of its window.
void InvalidateCaret() {
  if (!Caret.Owner || !Caret.Owner->Control)
    return;
  TControl* Control = Caret.Owner->Control;
  TCustomForm* Form = GetParentForm(Control);
  if (!Form)
    return;
  const TPoint Origin = Control->ClientOrigin(), FormOrigin = Form->ClientOrigin();
  Form->InvalidateRect(Bounds(Origin.X - FormOrigin.X + Caret.Pos.X,
                              Origin.Y - FormOrigin.Y + Caret.Pos.Y, Caret.Width, Caret.Height));
}

} // namespace

bool CreateCaret(HWND Wnd, HBITMAP, int Width, int Height) {
  if (!Wnd)
    return false;
  InvalidateCaret();
  // A window replacing its own caret keeps the position it had set.
  const TPoint Pos = Caret.Owner == Wnd ? Caret.Pos : TPoint{};
  Caret = {Wnd, std::max(Width, 1), Height, Pos, 1};
  InvalidateCaret();
  return true;
}

bool DestroyCaret() {
  InvalidateCaret();
  Caret = {};
  return true;
}

void gdi::ForgetCaret(HWND Wnd) {
  if (Caret.Owner == Wnd)
    Caret = {};
}

bool ShowCaret(HWND Wnd) {
  if (!Caret.Owner || (Wnd && Wnd != Caret.Owner))
    return false;
  if (Caret.HideCount > 0)
    --Caret.HideCount;
  InvalidateCaret();
  return true;
}

bool HideCaret(HWND Wnd) {
  if (!Caret.Owner || (Wnd && Wnd != Caret.Owner))
    return false;
  ++Caret.HideCount;
  InvalidateCaret();
  return true;
}

bool SetCaretPos(int X, int Y) {
  if (!Caret.Owner)
    return false;
  if (Caret.Pos.X == X && Caret.Pos.Y == Y)
    return true;
  InvalidateCaret();
  Caret.Pos = {X, Y};
  InvalidateCaret();
  return true;
}

bool GetCaretPos(TPoint& P) {
  P = Caret.Pos;
  return Caret.Owner != nullptr;
}

namespace gdi {

void PaintCaret(HWND Wnd, HDC__& DC) {
  if (!Wnd || Caret.Owner != Wnd || Caret.HideCount > 0)
    return;
  auto* Control = dynamic_cast<TWinControl*>(Wnd->Control);
  if (!Control || !Control->Focused())
    return;
  TRect R = Bounds(Caret.Pos.X + DC.Origin.X, Caret.Pos.Y + DC.Origin.Y, Caret.Width, Caret.Height);
  IntersectRect(R, R, DC.Clip);
  R = ToDevice(*DC.Target, R);
  for (int Y = R.Top; Y < R.Bottom; ++Y)
    for (int X = R.Left; X < R.Right; ++X)
      DC.Target->Line(Y)[X] ^= 0x00FFFFFFu;
}

} // namespace gdi

std::intptr_t SendMessage(HWND Wnd, unsigned Msg, std::intptr_t WParam, std::intptr_t LParam) {
  if (!Wnd || !Wnd->Control)
    return 0;
  return Wnd->Control->Perform(Msg, WParam, LParam);
}

HWND GetFocus() {
  TCustomForm* Form = Screen->ActiveForm();
  if (!Form)
    return nullptr;
  TWinControl* Control = Form->FocusedControl();
  return Control && Control->HandleAllocated() ? Control->Handle() : nullptr;
}

} // namespace vcl
