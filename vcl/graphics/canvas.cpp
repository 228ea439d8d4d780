// TCanvas: the drawing operations of the platform on a device context. The
// canvas keeps its own font, pen and brush and applies them per operation,
// so a context shared by several canvases never carries stale state.
#include "vcl/windows/detail/gdi.h"

namespace vcl {

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()) {}

TCanvas::~TCanvas() = default;

HDC TCanvas::Handle() {
  RequiredState();
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  FHandle = Value;
}

void TCanvas::RequiredState() {
  if (!FHandle)
    CreateHandle();
  if (!FHandle)
    throw EInvalidOperation("Canvas does not allow drawing");
  // The context always has the canvas's current font selected (the font
  // object behind it is replaced whenever the font changes).
  FHandle->Font = FFont->Handle();
}

void TCanvas::MoveTo(int X, int Y) {
  FPenPos = {X, Y};
}

void TCanvas::LineTo(int X, int Y) {
  RequiredState();
  if (FPen->Style() != psClear)
    gdi::Line(*FHandle, FPenPos.X, FPenPos.Y, X, Y, FPen->Color(), FPen->Width());
  FPenPos = {X, Y};
}

void TCanvas::FrameRect(const TRect& R) {
  RequiredState();
  if (R.Right <= R.Left || R.Bottom <= R.Top)
    return;
  const TColor C = FBrush->Color();
  gdi::FillRect(*FHandle, {R.Left, R.Top, R.Right, R.Top + 1}, C);
  gdi::FillRect(*FHandle, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, C);
  gdi::FillRect(*FHandle, {R.Left, R.Top, R.Left + 1, R.Bottom}, C);
  gdi::FillRect(*FHandle, {R.Right - 1, R.Top, R.Right, R.Bottom}, C);
}

void TCanvas::FillRect(const TRect& R) {
  RequiredState();
  if (FBrush->Style() != bsClear)
    gdi::FillRect(*FHandle, R, FBrush->Color());
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  RequiredState();
  if (FBrush->Style() != bsClear)
    gdi::FillRect(*FHandle, {X1, Y1, X2, Y2}, FBrush->Color());
  if (FPen->Style() == psClear || X2 <= X1 || Y2 <= Y1)
    return;
  const TColor C = FPen->Color();
  gdi::FillRect(*FHandle, {X1, Y1, X2, Y1 + 1}, C);
  gdi::FillRect(*FHandle, {X1, Y2 - 1, X2, Y2}, C);
  gdi::FillRect(*FHandle, {X1, Y1, X1 + 1, Y2}, C);
  gdi::FillRect(*FHandle, {X2 - 1, Y1, X2, Y2}, C);
}

int TCanvas::TextWidth(const std::string& Text) {
  return backend::TextWidth(FFont->Handle()->Face, Text);
}

int TCanvas::TextHeight(const std::string&) {
  return backend::MeasureFont(FFont->Handle()->Face).Height;
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  RequiredState();
  const int W = TextWidth(Text);
  if (FBrush->Style() != bsClear)
    gdi::FillRect(*FHandle, Bounds(X, Y, W, TextHeight(Text)), FBrush->Color());
  gdi::Text(*FHandle, X, Y, Text, nullptr, FFont->Handle(), FFont->Color());
  FPenPos = {X + W, Y};
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text) {
  RequiredState();
  if (FBrush->Style() != bsClear)
    gdi::FillRect(*FHandle, R, FBrush->Color());
  gdi::Text(*FHandle, X, Y, Text, &R, FFont->Handle(), FFont->Color());
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (Graphic && !Graphic->Empty())
    Graphic->Draw(this, X, Y);
}

TColor TCanvas::Pixels(int X, int Y) {
  RequiredState();
  const HDC__& DC = *FHandle;
  const int BX = X + DC.Origin.X, BY = Y + DC.Origin.Y;
  if (!PtInRect(DC.Clip, {BX, BY}))
    return clNone;
  const int Scale = DC.Target->Scale();
  return DC.Target->Pixel(BX * Scale, BY * Scale);
}

void TCanvas::SetPixels(int X, int Y, TColor Color) {
  RequiredState();
  gdi::FillRect(*FHandle, Bounds(X, Y, 1, 1), Color);
}

TRect TCanvas::ClipRect() {
  RequiredState();
  TRect R = FHandle->Clip;
  OffsetRect(R, -FHandle->Origin.X, -FHandle->Origin.Y);
  return R;
}

void TGraphic::Changed() {
  if (OnChange)
    OnChange(this);
}

} // namespace vcl
