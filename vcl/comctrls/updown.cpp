// TCustomUpDown: the up-down window. Its own handling (DefaultHandler) draws
// the two arrow buttons, presses an arrow on a mouse press over its half or
// on an arrow key, and releases it when the mouse button comes up.
#include <algorithm>

#include "vcl/comctrls.h"
#include "vcl/forms.h"
#include "vcl/windows/detail/gdi.h"

namespace vcl {

TCustomUpDown::TCustomUpDown(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = {csCaptureMouse, csOpaque, csDoubleClicks};
  SetBounds(0, 0, 16, 24);
}

void TCustomUpDown::SetMin(int Value) {
  FMin = Value;
  FPosition = std::clamp(FPosition, std::min(FMin, FMax), std::max(FMin, FMax));
}

void TCustomUpDown::SetMax(int Value) {
  FMax = Value;
  FPosition = std::clamp(FPosition, std::min(FMin, FMax), std::max(FMin, FMax));
}

void TCustomUpDown::SetPosition(int Value) {
  FPosition = std::clamp(Value, std::min(FMin, FMax), std::max(FMin, FMax));
}

void TCustomUpDown::SetOrientation(TUDOrientation Value) {
  FOrientation = Value;
  Invalidate();
}

TRect TCustomUpDown::ArrowRect(TUDBtnType Button) {
  const TRect R = ClientRect();
  if (FOrientation == udVertical) {
    const int Middle = R.Bottom / 2;
    return Button == btNext ? Rect(0, 0, R.Right, Middle) : Rect(0, Middle, R.Right, R.Bottom);
  }
  const int Middle = R.Right / 2;
  return Button == btPrev ? Rect(0, 0, Middle, R.Bottom) : Rect(Middle, 0, R.Right, R.Bottom);
}

bool TCustomUpDown::CanChange() {
  bool Allow = true;
  if (OnChanging)
    OnChanging(this, Allow);
  return Allow;
}

void TCustomUpDown::Click(TUDBtnType Button) {
  if (OnClick)
    OnClick(this, Button);
}

void TCustomUpDown::Press(TUDBtnType Button) {
  const int Low = std::min(FMin, FMax), High = std::max(FMin, FMax);
  int NewPosition = Button == btNext ? FPosition + FIncrement : FPosition - FIncrement;
  if (NewPosition > High)
    NewPosition = FWrap ? Low : High;
  else if (NewPosition < Low)
    NewPosition = FWrap ? High : Low;
  if (NewPosition != FPosition && CanChange())
    FPosition = NewPosition;
  Click(Button);
}

void TCustomUpDown::ReleaseArrow() {
  if (!FPressed)
    return;
  FPressed = false;
  if (GetCaptureControl() == this)
    SetCaptureControl(nullptr);
  Invalidate();
}

void TCustomUpDown::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
  case WM_GETDLGCODE:
    Message.Result = FArrowKeys ? DLGC_WANTARROWS : 0;
    return;
  case WM_PAINT:
    Paint(reinterpret_cast<HDC>(Message.WParam));
    return;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK: {
    const TPoint P{SmallX(Message.LParam), SmallY(Message.LParam)};
    const TUDBtnType Button = PtInRect(ArrowRect(btNext), P) ? btNext : btPrev;
    FPressed = true;
    FPressedButton = Button;
    SetCaptureControl(this);
    Invalidate();
    Press(Button);
    return;
  }
  case WM_LBUTTONUP:
    ReleaseArrow();
    return;
  case WM_KEYDOWN: {
    if (!FArrowKeys)
      return;
    const bool Vertical = FOrientation == udVertical;
    if (Message.WParam == (Vertical ? VK_UP : VK_RIGHT))
      Press(btNext);
    else if (Message.WParam == (Vertical ? VK_DOWN : VK_LEFT))
      Press(btPrev);
    return;
  }
  case WM_KILLFOCUS:
  case CM_ENABLEDCHANGED:
    ReleaseArrow();
    TWinControl::DefaultHandler(Message);
    return;
  default:
    TWinControl::DefaultHandler(Message);
  }
}

void TCustomUpDown::Paint(HDC DC) {
  if (!DC)
    return;
  PaintArrow(*DC, btNext);
  PaintArrow(*DC, btPrev);
}

// One arrow button: a bevelled face with a small solid triangle pointing the
// way the arrow steps; pressed, the bevel sinks and the triangle moves by a pixel.
void TCustomUpDown::PaintArrow(HDC__& DC, TUDBtnType Button) {
  const TRect R = ArrowRect(Button);
  auto Edge = [&DC](const TRect& E, TColor TopLeft, TColor BottomRight) {
    gdi::FillRect(DC, {E.Left, E.Top, E.Right - 1, E.Top + 1}, TopLeft);
    gdi::FillRect(DC, {E.Left, E.Top, E.Left + 1, E.Bottom - 1}, TopLeft);
    gdi::FillRect(DC, {E.Left, E.Bottom - 1, E.Right, E.Bottom}, BottomRight);
    gdi::FillRect(DC, {E.Right - 1, E.Top, E.Right, E.Bottom}, BottomRight);
  };
  gdi::FillRect(DC, R, clBtnFace);
  const bool Down = ArrowPressed(Button);
  TRect Inner = R;
  InflateRect(Inner, -1, -1);
  if (Down) {
    Edge(R, clBtnShadow, clBtnShadow);
  } else {
    Edge(R, cl3DLight, cl3DDkShadow);
    Edge(Inner, clBtnHighlight, clBtnShadow);
  }
  // The triangle: Size rows (or columns), each one pixel longer at both ends
  // than the one nearer the tip; about half as wide as the button.
  const int Shift = Down ? 1 : 0;
  const TColor Color = Enabled() ? clBtnText : clGrayText;
  const bool Vertical = FOrientation == udVertical;
  const int Across = Vertical ? Inner.Width() : Inner.Height();
  const int Along = Vertical ? Inner.Height() : Inner.Width();
  const int Size = std::max(1, std::min((Across - 2) / 4 + 1, Along / 2 - 1));
  const int CenterX = (Inner.Left + Inner.Right) / 2 + Shift;
  const int CenterY = (Inner.Top + Inner.Bottom) / 2 + Shift;
  // The tip points towards the smaller coordinate for btNext when vertical
  // (up) and for btPrev when horizontal (left).
  const bool TipFirst = (Button == btNext) == Vertical;
  for (int I = 0; I < Size; ++I) {
    const int Step = TipFirst ? I : Size - 1 - I; // distance from the tip
    if (Vertical) {
      const int Y = CenterY - Size / 2 + I;
      gdi::FillRect(DC, {CenterX - Step, Y, CenterX + Step + 1, Y + 1}, Color);
    } else {
      const int X = CenterX - Size / 2 + I;
      gdi::FillRect(DC, {X, CenterY - Step, X + 1, CenterY + Step + 1}, Color);
    }
  }
}

} // namespace vcl
