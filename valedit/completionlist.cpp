// The validating edit's completion list: placing it under the edit, the
// keys and clicks it takes while open, and its picture, drawn in the
// window colours with the highlighted word in the highlight colours and a
// one-pixel frame, and copied into the form's picture above the controls.
#include "valedit/detail/completionlist.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "vcl/extctrls.h"
#include "vcl/windows.h"

namespace ValEdit::detail {

using namespace vcl;

namespace {

constexpr int TextIndent = 3; // from a row's left edge to its word
constexpr int MinThumb = 8;   // a thumb stays large enough to take
constexpr int Notch = 120;    // a wheel's notch, as the wheel message counts it
constexpr int WheelRows = 3;  // words scrolled a notch

} // namespace

TCompletionList::TCompletionList(TWinControl& Edit, std::function<void(const std::string&)> Choose)
    : FEdit(Edit), FChoose(std::move(Choose)) {}

TCompletionList::~TCompletionList() {
  Close();
}

bool TCompletionList::IsOpen() const {
  const TCustomForm* Form = GetParentForm(&FEdit);
  return Form && Form->Overlay() == this;
}

void TCompletionList::Show(std::vector<std::string> Words) {
  if (Words.empty()) {
    Close();
    return;
  }
  TCustomForm* Form = GetParentForm(&FEdit);
  if (!Form)
    return;
  if (IsOpen())
    Form->InvalidateRect(FBounds);
  FWords = std::move(Words);
  FSelected = 0;
  FTop = 0;
  FPressed = false;
  FGrab = -1;
  FWheel = 0;
  Form->SetOverlay(this);
  Place();
  Repaint();
}

void TCompletionList::Close() {
  if (TCustomForm* Form = GetParentForm(&FEdit); Form && Form->Overlay() == this) {
    Form->SetOverlay(nullptr);
    Form->InvalidateRect(FBounds);
  }
  FWords.clear();
  FSelected = -1;
  FPressed = false;
  FGrab = -1;
}

// ---------------------------------------------------------------------------
// Placing

int TCompletionList::VisibleRows() const {
  return std::min(static_cast<int>(FWords.size()), MaxRows);
}

void TCompletionList::Place() {
  TCustomForm* Form = GetParentForm(&FEdit);
  TCanvas* Canvas = FPicture.Canvas();
  Canvas->SetFont(FEdit.Font());
  int Width = FEdit.Width();
  for (const std::string& Word : FWords)
    Width = std::max(Width, Canvas->TextWidth(Word) + 2 * TextIndent + 2 +
                                (Scrolls() ? GetSystemMetrics(SM_CXVSCROLL) : 0));
  FRowHeight = Canvas->TextHeight("Ag") + 2;
  const int Height = VisibleRows() * FRowHeight + 2;
  const TRect Edit = FEdit.BoundsRect();
  TPoint At = FEdit.Parent() ? FEdit.Parent()->ClientToScreen({Edit.Left, Edit.Top})
                             : TPoint{Edit.Left, Edit.Top};
  const TPoint Origin = Form->ClientOrigin();
  At = {At.X - Origin.X, At.Y - Origin.Y};
  const TRect Client = Form->ClientRect();
  int Top = At.Y + Edit.Height();
  if (Top + Height > Client.Bottom && At.Y - Height >= 0)
    Top = At.Y - Height;
  const int Left = std::max(std::min(At.X, Client.Right - Width), 0);
  FBounds = Bounds(Left, Top, Width, Height);
}

TRect TCompletionList::RowRect(int Index) const {
  if (!IsOpen() || Index < FTop || Index >= FTop + VisibleRows())
    return TRect();
  const int Y = FBounds.Top + 1 + (Index - FTop) * FRowHeight;
  const int Right = Scrolls() ? BarRect().Left : FBounds.Right - 1;
  return {FBounds.Left + 1, Y, Right, Y + FRowHeight};
}

bool TCompletionList::Scrolls() const {
  return static_cast<int>(FWords.size()) > MaxRows;
}

TRect TCompletionList::BarRect() const {
  if (!Scrolls())
    return TRect();
  return {FBounds.Right - 1 - GetSystemMetrics(SM_CXVSCROLL), FBounds.Top + 1, FBounds.Right - 1,
          FBounds.Bottom - 1};
}

TRect TCompletionList::ThumbRect() const {
  const TRect Bar = BarRect();
  if (IsRectEmpty(Bar))
    return TRect();
  const int Words = static_cast<int>(FWords.size());
  const int Height = std::max(Bar.Height() * MaxRows / Words, MinThumb);
  const int Top = Bar.Top + (Bar.Height() - Height) * FTop / (Words - MaxRows);
  return {Bar.Left, Top, Bar.Right, Top + Height};
}

int TCompletionList::RowAt(int X, int Y) const {
  for (int I = FTop; I < FTop + VisibleRows(); ++I)
    if (PtInRect(RowRect(I), {X, Y}))
      return I;
  return -1;
}

// ---------------------------------------------------------------------------
// Choosing

void TCompletionList::Select(int Index) {
  const int Last = static_cast<int>(FWords.size()) - 1;
  Index = std::clamp(Index, 0, Last);
  if (Index == FSelected)
    return;
  FSelected = Index;
  // The highlight stays in sight.
  if (FSelected < FTop)
    FTop = FSelected;
  else if (FSelected >= FTop + MaxRows)
    FTop = FSelected - MaxRows + 1;
  Repaint();
}

void TCompletionList::ScrollTo(int Top) {
  Top = std::clamp(Top, 0, std::max(static_cast<int>(FWords.size()) - MaxRows, 0));
  if (Top == FTop)
    return;
  FTop = Top;
  Repaint();
}

void TCompletionList::Take(int Index) {
  if (Index < 0 || Index >= static_cast<int>(FWords.size()))
    return;
  const std::string Chosen = FWords[Index];
  Close();
  FChoose(Chosen);
}

bool TCompletionList::OverlayKey(bool Down, Word Key, TShiftState Shift, const std::string&) {
  if (Shift.Contains(ssAlt) || Shift.Contains(ssCtrl))
    return false;
  switch (Key) {
  case VK_DOWN:
  case VK_UP:
  case VK_NEXT:
  case VK_PRIOR: {
    if (!Down)
      return true;
    const int Step = Key == VK_DOWN ? 1 : Key == VK_UP ? -1 : Key == VK_NEXT ? MaxRows : -MaxRows;
    Select(FSelected + Step);
    return true;
  }
  case VK_RETURN:
    if (Down)
      Take(FSelected);
    return true;
  case VK_ESCAPE:
    if (Down)
      Close();
    return true;
  default:
    return false;
  }
}

// Presses on the scroll bar and the drag of its thumb; true when the bar
// took the message.
bool TCompletionList::BarMouse(unsigned Msg, int Y) {
  const TRect Thumb = ThumbRect();
  if (FGrab >= 0) {
    const TRect Bar = BarRect();
    const int Range = Bar.Height() - Thumb.Height();
    const int Words = static_cast<int>(FWords.size());
    if (Range > 0)
      ScrollTo(((Y - FGrab - Bar.Top) * (Words - MaxRows) * 2 + Range) / (2 * Range));
    if (Msg == WM_LBUTTONUP)
      FGrab = -1;
    return true;
  }
  if (Msg != WM_LBUTTONDOWN && Msg != WM_LBUTTONDBLCLK)
    return false;
  if (Y < Thumb.Top)
    ScrollTo(FTop - MaxRows);
  else if (Y >= Thumb.Bottom)
    ScrollTo(FTop + MaxRows);
  else
    FGrab = Y - Thumb.Top;
  return true;
}

bool TCompletionList::OverlayMouse(unsigned Msg, TShiftState, int X, int Y) {
  if ((FGrab >= 0 || PtInRect(BarRect(), {X, Y})) && BarMouse(Msg, Y))
    return true;
  const bool Inside = PtInRect(FBounds, {X, Y});
  const int Row = RowAt(X, Y);
  switch (Msg) {
  case WM_MOUSEMOVE:
    if (Row >= 0)
      Select(Row);
    return Inside;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    FPressed = Inside;
    if (Row >= 0)
      Select(Row);
    break;
  case WM_LBUTTONUP:
    if (!std::exchange(FPressed, false))
      return false;
    Take(Row);
    return true;
  default:
    break;
  }
  // A button pressed anywhere else closes the list and goes on.
  if (!Inside && (Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONDBLCLK || Msg == WM_RBUTTONDOWN ||
                  Msg == WM_MBUTTONDOWN))
    Close();
  return Inside;
}

bool TCompletionList::OverlayWheel(int Delta, TShiftState, int X, int Y) {
  if (!PtInRect(FBounds, {X, Y}))
    return false;
  FWheel += Delta;
  const int Notches = FWheel / Notch;
  FWheel -= Notches * Notch;
  ScrollTo(FTop - Notches * WheelRows);
  return true;
}

// ---------------------------------------------------------------------------
// Painting

void TCompletionList::Repaint() {
  FPicture.SetSize(FBounds.Width(), FBounds.Height());
  TCanvas* Canvas = FPicture.Canvas();
  Canvas->SetFont(FEdit.Font());
  Canvas->Brush()->SetColor(clWindow);
  Canvas->FillRect(Rect(0, 0, FBounds.Width(), FBounds.Height()));
  Canvas->Brush()->SetColor(clWindowFrame);
  Canvas->FrameRect(Rect(0, 0, FBounds.Width(), FBounds.Height()));
  for (int I = FTop; I < FTop + VisibleRows(); ++I) {
    TRect Row = RowRect(I);
    OffsetRect(Row, -FBounds.Left, -FBounds.Top);
    const bool Highlighted = I == FSelected;
    Canvas->Brush()->SetColor(Highlighted ? clHighlight : clWindow);
    Canvas->Font()->SetColor(Highlighted ? clHighlightText : clWindowText);
    Canvas->TextRect(Row, Row.Left + TextIndent, Row.Top + 1, FWords[I]);
  }
  PaintBar();
  if (TCustomForm* Form = GetParentForm(&FEdit))
    Form->InvalidateRect(FBounds);
}

// The scroll bar in the classic look: the track in the scroll bar colour,
// the thumb a raised button face.
void TCompletionList::PaintBar() {
  if (!Scrolls())
    return;
  TCanvas* Canvas = FPicture.Canvas();
  TRect Bar = BarRect();
  TRect Thumb = ThumbRect();
  OffsetRect(Bar, -FBounds.Left, -FBounds.Top);
  OffsetRect(Thumb, -FBounds.Left, -FBounds.Top);
  Canvas->Brush()->SetColor(clScrollBar);
  Canvas->FillRect(Bar);
  Canvas->Brush()->SetColor(clBtnFace);
  Canvas->FillRect(Thumb);
  Frame3D(Canvas, Thumb, clBtnFace, cl3DDkShadow, 1);
  Frame3D(Canvas, Thumb, clBtnHighlight, clBtnShadow, 1);
}

void TCompletionList::OverlayPaint(TPixelBuffer& Target, const TRect& Clip) {
  TRect R;
  if (!IntersectRect(R, Clip, FBounds) ||
      !IntersectRect(R, R, Rect(0, 0, Target.Width(), Target.Height())))
    return;
  const TPixelBuffer& Picture = FPicture.Pixels();
  for (int Y = R.Top; Y < R.Bottom; ++Y)
    std::memcpy(Target.Line(Y) + R.Left, Picture.Line(Y - FBounds.Top) + (R.Left - FBounds.Left),
                static_cast<std::size_t>(R.Width()) * sizeof(std::uint32_t));
}

} // namespace ValEdit::detail
