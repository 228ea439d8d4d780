// TCustomEdit's layout and painting: where the text area lies inside the
// window, which character a mouse position falls on, the horizontal scroll
// that keeps the caret in view, the caret's place, and the text with its
// selection drawn into the form's picture.
#include <algorithm>

#include "vcl/stdctrls.h"
#include "vcl/windows/detail/gdi.h"

namespace vcl {

std::string TCustomEdit::DisplayText() const {
  return FPasswordChar ? std::string(FEngine.Text().size(), FPasswordChar) : FEngine.Text();
}

bool TCustomEdit::HasFlatBorder() {
  return TWinControl::FrameWidth() == 1;
}

// The flat border lies on the client area's edge, so that a control placing
// things in the client area (the button edit's button) can keep them clear
// of it by a pixel.
int TCustomEdit::FrameWidth() {
  return HasFlatBorder() ? 0 : TWinControl::FrameWidth();
}

// How far the text stands in from the client area's edge: 1 pixel under a
// client edge, 2 inside a flat border (the border and a blank pixel).
int TCustomEdit::TextInset() {
  return HasFlatBorder() ? 2 : FrameWidth() == 2 ? 1 : 0;
}

// The text area in client coordinates: the formatting rectangle inside the
// window's own inset and the margins.
TRect TCustomEdit::TextArea() {
  const TRect R = FHasFormatRect ? FFormatRect : ClientRect();
  return {R.Left + TextInset() + FLeftMargin, R.Top, R.Right - FRightMargin, R.Bottom};
}

int TCustomEdit::TextTop() {
  return (FHasFormatRect ? FFormatRect.Top : 0) + TextInset();
}

int TCustomEdit::CharFromX(int X) {
  const TRect Area = TextArea();
  const std::string S = DisplayText();
  const auto& Face = Font()->Handle()->Face;
  const int Target = X - Area.Left + FScrollX;
  int Best = 0, BestDistance = 0x7FFFFFFF;
  for (int I = 0; I <= Length(S); ++I) {
    const int Distance = std::abs(backend::TextWidth(Face, Copy(S, 1, I)) - Target);
    if (Distance < BestDistance) {
      Best = I;
      BestDistance = Distance;
    }
  }
  return Best;
}

void TCustomEdit::ScrollToCaret() {
  const TRect Area = TextArea();
  const int Visible = std::max(Area.Width(), 1);
  const auto& Face = Font()->Handle()->Face;
  const std::string S = DisplayText();
  const int CaretX = backend::TextWidth(Face, Copy(S, 1, FEngine.Caret()));
  if (CaretX < FScrollX)
    FScrollX = CaretX;
  else if (CaretX > FScrollX + Visible - 1)
    FScrollX = CaretX - Visible + 1;
  // Never leave blank space at the end while the text could fill it.
  const int Total = backend::TextWidth(Face, S);
  FScrollX = std::max(0, std::min(FScrollX, Total - Visible + 1));
  UpdateCaret();
}

void TCustomEdit::UpdateCaret() {
  if (!HandleAllocated() || !Focused())
    return;
  const TRect Area = TextArea();
  const int X = backend::TextWidth(Font()->Handle()->Face, Copy(DisplayText(), 1, FEngine.Caret()));
  SetCaretPos(Area.Left + X - FScrollX, TextTop());
}

void TCustomEdit::Paint(HDC DC) {
  TPaintStruct PS;
  if (!DC)
    DC = BeginPaint(Handle(), PS);
  HDC__ Local = *DC;
  TRect Area = TextArea();
  Area.Left = FHasFormatRect ? FFormatRect.Left : 0;
  TRect Clip = Area;
  OffsetRect(Clip, DC->Origin.X, DC->Origin.Y);
  IntersectRect(Local.Clip, DC->Clip, Clip);
  const TColor TextColor = Enabled() ? Font()->Color() : clGrayText;
  const HFONT F = Font()->Handle();
  const std::string S = DisplayText();
  const int X0 = TextArea().Left - FScrollX;
  const int Y = TextTop();
  const bool ShowSelection = SelLength() > 0 && (Focused() || !FHideSelection);
  if (!ShowSelection) {
    gdi::Text(Local, X0, Y, S, nullptr, F, TextColor);
  } else {
    const std::string Before = Copy(S, 1, SelStart());
    const std::string Selected = Copy(S, SelStart() + 1, SelLength());
    const std::string After = Copy(S, SelStart() + SelLength() + 1, Length(S));
    const int X1 = X0 + backend::TextWidth(F->Face, Before);
    const int X2 = X1 + backend::TextWidth(F->Face, Selected);
    gdi::Text(Local, X0, Y, Before, nullptr, F, TextColor);
    gdi::FillRect(Local, {X1, Y, X2, Y + backend::MeasureFont(F->Face).Height}, clHighlight);
    gdi::Text(Local, X1, Y, Selected, nullptr, F, clHighlightText);
    gdi::Text(Local, X2, Y, After, nullptr, F, TextColor);
  }
  // The border goes on last: text scrolled under the edge never covers it.
  if (HasFlatBorder()) {
    const TRect R = ClientRect();
    gdi::FillRect(*DC, {R.Left, R.Top, R.Right, R.Top + 1}, clWindowFrame);
    gdi::FillRect(*DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, clWindowFrame);
    gdi::FillRect(*DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, clWindowFrame);
    gdi::FillRect(*DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, clWindowFrame);
  }
  if (PS.hdc)
    EndPaint(Handle(), PS);
}

} // namespace vcl
