// TCustomForm painting: the form keeps the picture of its client area and
// a list of the rectangles that are out of date (its invalid region). A
// control's Invalidate adds its own rectangle; a paint pass repaints only
// those rectangles into the picture and, when the form shows in a window,
// the window copies only them to the screen.
#include "vcl/forms.h"
#include "vcl/windows/detail/backend.h"
#include "vcl/windows/detail/gdi.h"

namespace vcl {

namespace {

// More rectangles than this are painted as their bounding box: a pass over
// many small pieces costs more than painting a little too much.
constexpr std::size_t MaxInvalidRects = 8;

bool Touch(const TRect& A, const TRect& B) {
  return A.Left <= B.Right && B.Left <= A.Right && A.Top <= B.Bottom && B.Top <= A.Bottom;
}

TRect Union(const TRect& A, const TRect& B) {
  return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
          std::max(A.Bottom, B.Bottom)};
}

// Adds R to the region. Rectangles that overlap or touch become their
// bounding box, so that a pass paints no pixel twice.
void AddToRegion(std::vector<TRect>& Region, TRect R) {
  for (auto It = Region.begin(); It != Region.end();)
    if (Touch(*It, R)) {
      R = Union(*It, R);
      Region.erase(It);
      It = Region.begin(); // the grown rectangle may now touch an earlier one
    } else {
      ++It;
    }
  Region.push_back(R);
  if (Region.size() > MaxInvalidRects) {
    TRect All = Region.front();
    for (const TRect& Q : Region)
      All = Union(All, Q);
    Region.assign(1, All);
  }
}

} // namespace

void TCustomForm::InvalidateRect(const TRect& R) {
  const TRect Client = ClientRect();
  TRect Visible;
  if (!IntersectRect(Visible, R, Rect(0, 0, Client.Right, Client.Bottom)))
    return;
  AddToRegion(FInvalid, Visible);
  if (FWindow)
    FWindow->Invalidate(Visible);
}

void TCustomForm::InvalidateForm() {
  const TRect Client = ClientRect();
  InvalidateRect(Rect(0, 0, Client.Right, Client.Bottom));
}

int TCustomForm::PixelRatio() const {
  return FWindow ? std::max(FWindow->PixelRatio(), 1) : FPixelRatio;
}

void TCustomForm::SetPixelRatio(int Value) {
  FPixelRatio = std::max(Value, 1);
}

const TPixelBuffer& TCustomForm::RenderClient() {
  const TRect Client = ClientRect();
  const int Scale = PixelRatio();
  if (FImage.Scale() != Scale || FImage.Width() != Client.Right * Scale ||
      FImage.Height() != Client.Bottom * Scale) {
    FImage.SetScaledSize(Client.Right, Client.Bottom, Scale, Color());
    FInvalid.assign(1, Rect(0, 0, Client.Right, Client.Bottom));
  }
  // What painting itself invalidates waits for the next pass; what a failed
  // pass did not paint stays invalid.
  std::vector<TRect> Pass;
  Pass.swap(FInvalid);
  for (std::size_t I = 0; I < Pass.size(); ++I) {
    try {
      PaintClient(FImage, {0, 0}, Pass[I]);
      if (FOverlay)
        FOverlay->OverlayPaint(FImage, Pass[I]);
    } catch (...) {
      for (std::size_t J = I; J < Pass.size(); ++J)
        AddToRegion(FInvalid, Pass[J]);
      throw;
    }
  }
  return FImage;
}

void TCustomForm::Flush() {
  if (FWindow)
    FWindow->Flush();
  else
    RenderClient();
}

void TCustomForm::PaintTo(TPixelBuffer& Image) {
  int Frame, CaptionHeight;
  FrameMetrics(Frame, CaptionHeight);
  Image.SetScaledSize(Width(), Height(), PixelRatio(), clBtnFace);
  HDC__ DC{&Image, {0, 0}, Rect(0, 0, Width(), Height()), nullptr, false, nullptr};
  if (Frame > 0) {
    auto Edge = [&DC](const TRect& R, TColor TopLeft, TColor BottomRight) {
      gdi::FillRect(DC, {R.Left, R.Top, R.Right - 1, R.Top + 1}, TopLeft);
      gdi::FillRect(DC, {R.Left, R.Top, R.Left + 1, R.Bottom - 1}, TopLeft);
      gdi::FillRect(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, BottomRight);
      gdi::FillRect(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, BottomRight);
    };
    TRect R = Rect(0, 0, Width(), Height());
    Edge(R, cl3DLight, cl3DDkShadow);
    InflateRect(R, -1, -1);
    Edge(R, clBtnHighlight, clBtnShadow);
  }
  if (CaptionHeight > 0) {
    const TRect Bar = Rect(Frame, Frame, Width() - Frame, Frame + CaptionHeight - 1);
    gdi::FillRect(DC, Bar, FActive ? clActiveCaption : clInactiveCaption);
    TFont TitleFont;
    TitleFont.SetStyle({fsBold});
    gdi::Text(DC, Bar.Left + 4, Bar.Top + 2, Caption(), &Bar, TitleFont.Handle(),
              FActive ? clCaptionText : clInactiveCaptionText);
    // The close box at the right end of the caption.
    const int Size = CaptionHeight - 5;
    const TRect Box = Bounds(Bar.Right - Size - 2, Bar.Top + 2, Size + 2, Size);
    gdi::FillRect(DC, Box, clBtnFace);
    gdi::FillRect(DC, {Box.Left, Box.Bottom - 1, Box.Right, Box.Bottom}, cl3DDkShadow);
    gdi::FillRect(DC, {Box.Right - 1, Box.Top, Box.Right, Box.Bottom}, cl3DDkShadow);
    gdi::FillRect(DC, {Box.Left, Box.Top, Box.Right - 1, Box.Top + 1}, clBtnHighlight);
    gdi::FillRect(DC, {Box.Left, Box.Top, Box.Left + 1, Box.Bottom - 1}, clBtnHighlight);
    const int X0 = Box.Left + 4, Y0 = Box.Top + 3, N = Size - 6;
    for (int I = 0; I < N; ++I) {
      gdi::FillRect(DC, Bounds(X0 + I, Y0 + I, 2, 1), clBtnText);
      gdi::FillRect(DC, Bounds(X0 + N - 1 - I, Y0 + I, 2, 1), clBtnText);
    }
  }
  const TPixelBuffer& Client = RenderClient();
  gdi::Blit(DC, Frame, Frame + CaptionHeight, Client, nullptr);
}

} // namespace vcl
