// TWinControl painting: a window draws its frame, erases and paints its
// client area, lets its graphic children paint on it, shows the caret, and
// then paints its windowed children on top, each clipped to its parent.
#include "vcl/forms.h"
#include "vcl/windows/detail/gdi.h"

namespace vcl {

void TWinControl::WMPaint(TMessage& Message) {
  DefaultHandler(Message);
  PaintControls(reinterpret_cast<HDC>(Message.WParam));
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  DefaultHandler(Message);
}

void TWinControl::DefaultHandler(TMessage& Message) {
  // The window's own erasing fills its client area with its colour.
  if (Message.Msg == WM_ERASEBKGND) {
    if (auto* DC = reinterpret_cast<HDC>(Message.WParam)) {
      TRect R = DC->Clip;
      OffsetRect(R, -DC->Origin.X, -DC->Origin.Y);
      gdi::FillRect(*DC, R, Color());
    }
    Message.Result = 1;
    return;
  }
  TControl::DefaultHandler(Message);
}

void TWinControl::PaintControls(HDC DC) {
  if (!DC)
    return;
  for (TControl* C : FControls) {
    if (dynamic_cast<TWinControl*>(C) || !C->Visible())
      continue;
    HDC__ Child = *DC;
    Child.Origin = {DC->Origin.X + C->Left(), DC->Origin.Y + C->Top()};
    IntersectRect(Child.Clip, DC->Clip,
                  Bounds(Child.Origin.X, Child.Origin.Y, C->Width(), C->Height()));
    if (IsRectEmpty(Child.Clip))
      continue;
    C->Perform(WM_PAINT, reinterpret_cast<std::intptr_t>(&Child));
  }
}

void TWinControl::PaintNonClient(HDC__& DC, const TRect& Outer) {
  const int B = FrameWidth();
  if (B == 0)
    return;
  auto Frame = [&DC](const TRect& R, TColor TopLeft, TColor BottomRight) {
    gdi::FillRect(DC, {R.Left, R.Top, R.Right - 1, R.Top + 1}, TopLeft);
    gdi::FillRect(DC, {R.Left, R.Top, R.Left + 1, R.Bottom - 1}, TopLeft);
    gdi::FillRect(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, BottomRight);
    gdi::FillRect(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, BottomRight);
  };
  if (B == 2) {
    Frame(Outer, clBtnShadow, clBtnHighlight);
    TRect Inner = Outer;
    InflateRect(Inner, -1, -1);
    Frame(Inner, cl3DDkShadow, cl3DLight);
  } else {
    Frame(Outer, clWindowFrame, clWindowFrame);
  }
}

void TWinControl::PaintWindow(TPixelBuffer& Target, const TPoint& Origin, const TRect& Clip) {
  if (!Visible())
    return;
  HandleNeeded();
  TRect Visible;
  if (!IntersectRect(Visible, Bounds(Origin.X, Origin.Y, Width(), Height()), Clip))
    return;
  HDC__ Frame{&Target, Origin, Visible, nullptr, false, nullptr};
  PaintNonClient(Frame, Rect(0, 0, Width(), Height()));
  const int B = FrameWidth();
  PaintClient(Target, {Origin.X + B, Origin.Y + B}, Visible);
}

void TWinControl::PaintClient(TPixelBuffer& Target, const TPoint& Origin, const TRect& Clip) {
  const TRect Client = ClientRect();
  HDC__ DC{&Target, Origin, {}, Font()->Handle(), false, nullptr};
  IntersectRect(DC.Clip, Clip, Bounds(Origin.X, Origin.Y, Client.Right, Client.Bottom));
  if (IsRectEmpty(DC.Clip))
    return;
  HandleNeeded();
  FHandle->PaintDC = &DC;
  try {
    Perform(WM_ERASEBKGND, reinterpret_cast<std::intptr_t>(&DC));
    Perform(WM_PAINT, reinterpret_cast<std::intptr_t>(&DC));
  } catch (...) {
    FHandle->PaintDC = nullptr;
    throw;
  }
  FHandle->PaintDC = nullptr;
  gdi::PaintCaret(FHandle, DC);
  const std::vector<TControl*> Children = FControls;
  for (TControl* C : Children)
    if (auto* W = dynamic_cast<TWinControl*>(C))
      W->PaintWindow(Target, {Origin.X + W->Left(), Origin.Y + W->Top()}, DC.Clip);
}

} // namespace vcl
