// The validating edit's errors shown in place: instead of a modal box, a
// refusal turns the frame red (ErrorColor), puts an error mark at the right
// edge of the text (left of the button) and makes the message the control's
// hint, shown at once under the control and again whenever the user asks
// (the mouse resting over the control, Ctrl+F1). The mark goes when the
// value becomes valid.
#include "valedit/valedit.h"

#include "vcl/accessibility.h"
#include "vcl/forms.h"

namespace ValEdit {

using namespace vcl;

namespace {

// The mark: a disc of the error colour with a white exclamation mark, and the room the text
// leaves for it.
constexpr int MarkSize = 12;
constexpr int MarkRoom = MarkSize + 3;

} // namespace

void TCustomValidEdit::SetErrorDisplay(TErrorDisplay Value) {
  FErrorDisplay = Value;
  if (Value != edInPlace)
    ClearError();
}

void TCustomValidEdit::SetErrorColor(TColor Value) {
  if (Value == FErrorColor)
    return;
  FErrorColor = Value;
  if (!FErrorMessage.empty())
    Invalidate();
}

void TCustomValidEdit::ReportError(bool Input, const std::string& S) {
  if (FErrorDisplay == edInPlace)
    ShowErrorInPlace(FValidator->ErrorMessage(Input, S), Input);
  else
    FValidator->ShowErrorMessage(Input, S);
}

void TCustomValidEdit::ShowErrorInPlace(const std::string& Message, bool Input) {
  const bool Changed = Message != FErrorMessage;
  if (FErrorMessage.empty())
    Perform(EM_SETMARGINS, EC_RIGHTMARGIN, MakeLong(0, MarkRoom));
  FErrorMessage = Message;
  FInputErrorShown = Input;
  Invalidate();
  // Whoever caused it (a key, a click elsewhere) is told at once.
  if (GetParentForm(this))
    Application->ShowControlHint(this);
  if (Changed)
    ErrorChanged();
}

// The message came, changed or went: a status bar following OnErrorChange
// and a screen reader reading the description (and the invalid state) hear it.
void TCustomValidEdit::ErrorChanged() {
  NotifyAccessible(this, aeDescriptionChanged);
  NotifyAccessible(this, aeStateChanged);
  if (OnErrorChange)
    OnErrorChange(this);
}

void TCustomValidEdit::ErrorMayGo() {
  if (!FErrorMessage.empty() && (FInputErrorShown || IsValid()))
    ClearError();
}

void TCustomValidEdit::ClearError() {
  if (FErrorMessage.empty())
    return;
  FErrorMessage.clear();
  FInputErrorShown = false;
  Perform(EM_SETMARGINS, EC_RIGHTMARGIN, MakeLong(0, 1));
  Invalidate();
  if (Application->HintControl() == this)
    Application->CancelHint();
  ErrorChanged();
}

// While an error shows, the control's hint is its message, whatever
// ShowHint and Hint say; the button keeps its own hint.
void TCustomValidEdit::CMHintShow(TMessage& Message) {
  if (FErrorMessage.empty()) {
    TCustomBtnEdit::WndProc(Message);
    return;
  }
  auto* Info = reinterpret_cast<THintInfo*>(Message.LParam);
  Info->HintStr = FErrorMessage;
}

TRect TCustomValidEdit::ErrorMarkRect() {
  const int Right = GetEditWidth() - 2;
  const int Top = (ClientHeight() - MarkSize) / 2;
  return Bounds(Right - MarkSize, Top, MarkSize, MarkSize);
}

void TCustomValidEdit::PaintErrorFrame(TCanvas& Canvas, TRect R, int Width) {
  Canvas.Brush()->SetColor(FErrorColor);
  for (int I = 0; I < Width; ++I) {
    Canvas.FrameRect(R);
    InflateRect(R, -1, -1);
  }
}

void TCustomValidEdit::PaintNonClient(HDC__& DC, const TRect& Outer) {
  TCustomBtnEdit::PaintNonClient(DC, Outer);
  if (FErrorMessage.empty() || FrameWidth() == 0)
    return;
  TCanvas Canvas;
  Canvas.SetHandle(&DC);
  PaintErrorFrame(Canvas, Outer, FrameWidth());
  Canvas.SetHandle(nullptr);
}

void TCustomValidEdit::WMPaint(TMessage& Message) {
  TCustomBtnEdit::WMPaint(Message);
  auto* DC = reinterpret_cast<HDC>(Message.WParam);
  if (FErrorMessage.empty() || !DC)
    return;
  TCanvas Canvas;
  Canvas.SetHandle(DC);
  // A flat border lies inside the client area, where the window drew it.
  if (FrameWidth() == 0 && BorderStyle() == bsSingle)
    PaintErrorFrame(Canvas, ClientRect(), 1);
  // The disc, row by row, then the exclamation mark in white.
  const TRect M = ErrorMarkRect();
  const int C2 = MarkSize - 1; // twice the centre, in pixel steps
  Canvas.Brush()->SetColor(FErrorColor);
  for (int Y = 0; Y < MarkSize; ++Y) {
    const int DY = 2 * Y - C2;
    int Half = 0;
    while ((2 * Half + 1) * (2 * Half + 1) + DY * DY <= MarkSize * MarkSize)
      ++Half;
    Canvas.FillRect(
        Rect(M.Left + MarkSize / 2 - Half, M.Top + Y, M.Left + MarkSize / 2 + Half, M.Top + Y + 1));
  }
  Canvas.Brush()->SetColor(clWhite);
  const int X = M.Left + MarkSize / 2 - 1;
  Canvas.FillRect(Rect(X, M.Top + 2, X + 2, M.Top + 7));
  Canvas.FillRect(Rect(X, M.Top + 8, X + 2, M.Top + 10));
  Canvas.SetHandle(nullptr);
}

} // namespace ValEdit
