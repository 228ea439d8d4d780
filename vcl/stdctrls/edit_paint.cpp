// TCustomEdit's layout and painting: where the text area lies inside the
// window, which character a mouse position falls on, the horizontal scroll
// that keeps the caret in view, the caret's place, and the text with its
// selection drawn into the form's picture. Caret, selection and drawing take
// their places from one list of caret offsets, so they always agree; text
// that needs shaping (a right-to-left run shows in its visual order) has
// its selection painted over the whole shaped line.
#include <algorithm>

#include "vcl/stdctrls.h"
#include "vcl/windows/detail/gdi.h"

namespace vcl {

std::string TCustomEdit::DisplayText() const {
  return FPasswordChar ? StringOfChar(FPasswordChar, FEngine.Length()) : FEngine.Text();
}

std::vector<int> TCustomEdit::CaretOffsets() {
  return backend::CaretOffsets(Font()->Handle()->Face, DisplayText());
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

// The caret position nearest to X, at the edge of a user-perceived character.
int TCustomEdit::CharFromX(int X) {
  const std::vector<int> Offsets = CaretOffsets();
  const int Target = X - TextArea().Left + FScrollX;
  auto Distance = [&](int I) { return std::abs(Offsets[I] - Target); };
  int Best = 0;
  for (int I = 1; I < static_cast<int>(Offsets.size()); ++I)
    if (Distance(I) < Distance(Best))
      Best = I;
  const int Before = FEngine.Snap(Best, false), After = FEngine.Snap(Best, true);
  return Distance(After) < Distance(Before) ? After : Before;
}

namespace {

// The box of character Index between its caret offsets; a character of a
// right-to-left run has its offsets the other way round.
TRect CharacterBox(const std::vector<int>& Offsets, int Index, int X0, int Top, int Height) {
  const int L = std::min(Offsets[Index], Offsets[Index + 1]);
  const int R = std::max(Offsets[Index], Offsets[Index + 1]);
  return {X0 + L, Top, X0 + R, Top + Height};
}

} // namespace

TRect TCustomEdit::CharacterBounds(int Index) {
  const std::vector<int> Offsets = CaretOffsets();
  if (Index < 0 || Index + 1 >= static_cast<int>(Offsets.size()))
    return {};
  return CharacterBox(Offsets, Index, TextArea().Left - FScrollX, TextTop(),
                      backend::MeasureFont(Font()->Handle()->Face).Height);
}

int TCustomEdit::CharacterAt(const TPoint& P) {
  const std::vector<int> Offsets = CaretOffsets();
  const int X0 = TextArea().Left - FScrollX, Top = TextTop();
  const int Height = backend::MeasureFont(Font()->Handle()->Face).Height;
  // Scrolled out of the text area, a character is not shown there.
  if (!PtInRect(TextArea(), P))
    return -1;
  for (int I = 0; I + 1 < static_cast<int>(Offsets.size()); ++I)
    if (PtInRect(CharacterBox(Offsets, I, X0, Top, Height), P))
      return I;
  return -1;
}

void TCustomEdit::ScrollToCaret() {
  const TRect Area = TextArea();
  const int Visible = std::max(Area.Width(), 1);
  const std::string S = DisplayText();
  const int CaretX = CaretOffsets()[FEngine.Caret()];
  if (CaretX < FScrollX)
    FScrollX = CaretX;
  else if (CaretX > FScrollX + Visible - 1)
    FScrollX = CaretX - Visible + 1;
  // Never leave blank space at the end while the text could fill it.
  const int Total = backend::TextWidth(Font()->Handle()->Face, S);
  FScrollX = std::max(0, std::min(FScrollX, Total - Visible + 1));
  UpdateCaret();
}

void TCustomEdit::UpdateCaret() {
  if (!HandleAllocated() || !Focused())
    return;
  const TRect Area = TextArea();
  const int X = CaretOffsets()[FEngine.Caret()];
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
  if (TextHintShowing()) {
    gdi::Text(Local, X0, Y, FTextHint, nullptr, F, clGrayText);
  } else if (!ShowSelection) {
    gdi::Text(Local, X0, Y, S, nullptr, F, TextColor);
  } else if (!backend::IsPlainText(S)) {
    PaintShapedSelection(Local, X0, S, TextColor);
  } else {
    const std::string Before = Copy(S, 1, SelStart());
    const std::string Selected = Copy(S, SelStart() + 1, SelLength());
    const std::string After = Copy(S, SelStart() + SelLength() + 1, Length(S));
    const std::vector<int> Offsets = CaretOffsets();
    const int X1 = X0 + Offsets[SelStart()];
    const int X2 = X0 + Offsets[SelStart() + SelLength()];
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

bool TCustomEdit::TextHintShowing() {
  return !FTextHint.empty() && FEngine.Length() == 0 && (FTextHintFocused || !Focused());
}

void TCustomEdit::SetTextHint(const std::string& Value) {
  FTextHint = Value;
  Invalidate();
}

void TCustomEdit::SetTextHintFocused(bool Value) {
  FTextHintFocused = Value;
  Invalidate();
}

// A shaped line cannot be cut into parts without changing how they look
// (letters join, a right-to-left run reorders), so it is drawn whole, and
// the selected characters' places, which may lie apart, are highlighted and
// drawn over in the highlight colours.
void TCustomEdit::PaintShapedSelection(HDC__& DC, int X0, const std::string& S, TColor TextColor) {
  const HFONT F = Font()->Handle();
  const int Y = TextTop();
  const int Bottom = Y + backend::MeasureFont(F->Face).Height;
  gdi::Text(DC, X0, Y, S, nullptr, F, TextColor);
  const std::vector<int> Offsets = CaretOffsets();
  std::vector<std::pair<int, int>> Spans;
  for (int I = SelStart(); I < SelStart() + SelLength(); ++I) {
    const int L = std::min(Offsets[I], Offsets[I + 1]), R = std::max(Offsets[I], Offsets[I + 1]);
    if (!Spans.empty() && L <= Spans.back().second && R >= Spans.back().first)
      Spans.back() = {std::min(L, Spans.back().first), std::max(R, Spans.back().second)};
    else
      Spans.emplace_back(L, R);
  }
  for (const auto& [L, R] : Spans) {
    const TRect Span{X0 + L, Y, X0 + R, Bottom};
    gdi::FillRect(DC, Span, clHighlight);
    gdi::Text(DC, X0, Y, S, &Span, F, clHighlightText);
  }
}

} // namespace vcl
