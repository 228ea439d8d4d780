// Hints: the hint window (a box drawn over a form as its overlay) and the
// application's hint tracking. The form reports each mouse message and key
// to the application; a timer shows the hint of the control under the
// resting mouse and another hides it again.
#include <algorithm>

#include "vcl/forms.h"
#include "vcl/windows/detail/gdi.h"

namespace vcl {

namespace {

// Space between the text and the frame, and the gap under the mouse pointer.
constexpr int HintMargin = 3;
constexpr int CursorHeight = 20;

std::vector<std::string> HintLines(const std::string& Hint) {
  std::vector<std::string> Lines(1);
  for (const char C : Hint)
    if (C == '\n')
      Lines.emplace_back();
    else if (C != '\r')
      Lines.back() += C;
  return Lines;
}

TFont& HintFont() {
  static TFont Font;
  return Font;
}

} // namespace

std::string GetShortHint(const std::string& Hint) {
  const std::size_t Bar = Hint.find('|');
  return Bar == std::string::npos ? Hint : Hint.substr(0, Bar);
}

std::string GetLongHint(const std::string& Hint) {
  const std::size_t Bar = Hint.find('|');
  return Bar == std::string::npos ? Hint : Hint.substr(Bar + 1);
}

// ---------------------------------------------------------------------------
// THintWindow

THintWindow::~THintWindow() {
  ReleaseHandle();
}

TRect THintWindow::CalcHintRect(const std::string& Hint) const {
  const backend::TFontSpec& Face = HintFont().Handle()->Face;
  int Width = 0;
  const std::vector<std::string> Lines = HintLines(Hint);
  for (const std::string& Line : Lines)
    Width = std::max(Width, backend::TextWidth(Face, Line));
  const int LineHeight = backend::MeasureFont(Face).Height;
  return Rect(0, 0, Width + 2 * HintMargin + 2,
              LineHeight * static_cast<int>(Lines.size()) + 2 * HintMargin);
}

bool THintWindow::ActivateHint(TCustomForm* Form, TRect R, const std::string& Hint) {
  if (Form->Overlay() && Form->Overlay() != this)
    return false;
  ReleaseHandle();
  const TPoint Origin = Form->ClientOrigin();
  OffsetRect(R, -Origin.X, -Origin.Y);
  // Keep the box on the form: pushed left and up where it would stick out.
  const TRect Client = Form->ClientRect();
  OffsetRect(R, std::min(0, Client.Right - R.Right), std::min(0, Client.Bottom - R.Bottom));
  OffsetRect(R, std::max(0, -R.Left), std::max(0, -R.Top));
  FForm = Form;
  FBounds = R;
  FCaption = Hint;
  Form->SetOverlay(this);
  Form->InvalidateRect(R);
  return true;
}

void THintWindow::ReleaseHandle() {
  if (!FForm)
    return;
  TCustomForm* Form = FForm;
  FForm = nullptr;
  if (Form->Overlay() == this) {
    Form->SetOverlay(nullptr);
    Form->InvalidateRect(FBounds);
  }
}

// The hint lets every input through: the application hides it on keys and
// clicks as it follows the input.
bool THintWindow::OverlayKey(bool, Word, TShiftState, const std::string&) {
  return false;
}

bool THintWindow::OverlayMouse(unsigned, TShiftState, int, int) {
  return false;
}

void THintWindow::OverlayPaint(TPixelBuffer& Target, const TRect& Clip) {
  HDC__ DC{&Target, {0, 0}, Clip, nullptr, false, nullptr};
  const TRect& R = FBounds;
  gdi::FillRect(DC, R, FColor);
  gdi::FillRect(DC, {R.Left, R.Top, R.Right, R.Top + 1}, clWindowFrame);
  gdi::FillRect(DC, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, clWindowFrame);
  gdi::FillRect(DC, {R.Left, R.Top, R.Left + 1, R.Bottom}, clWindowFrame);
  gdi::FillRect(DC, {R.Right - 1, R.Top, R.Right, R.Bottom}, clWindowFrame);
  const HFONT Font = HintFont().Handle();
  const int LineHeight = backend::MeasureFont(Font->Face).Height;
  int Y = R.Top + HintMargin;
  for (const std::string& Line : HintLines(FCaption)) {
    gdi::Text(DC, R.Left + HintMargin + 1, Y, Line, &R, Font, clInfoText);
    Y += LineHeight;
  }
}

void THintWindow::OverlayCancel() {
  ReleaseHandle();
}

// ---------------------------------------------------------------------------
// The application's hints

void TApplication::SetShowHint(bool Value) {
  FShowHint = Value;
  if (!Value)
    CancelHint();
}

void TApplication::SetHint(const std::string& Value) {
  if (Value == FHint)
    return;
  FHint = Value;
  if (OnHint)
    OnHint(this);
}

// The hint Control offers: its own short hint when ShowHint is on (or when
// the user Asked for it with the keyboard), as CM_HINTSHOW lets the control
// change it. False when there is none.
bool TApplication::HintFor(TControl* Control, THintInfo& Info, bool Asked) {
  Info = THintInfo();
  Info.HintControl = Control;
  Info.HintPos = {FHintCursor.X, FHintCursor.Y + CursorHeight};
  const bool Offered = Asked || (FShowHint && Control->ShowHint());
  Info.HintStr = Offered ? GetShortHint(Control->Hint()) : "";
  Info.HintColor = FHintColor;
  Info.HideTimeout = FHintHidePause;
  if (Control->Perform(CM_HINTSHOW, 0, reinterpret_cast<std::intptr_t>(&Info)) != 0)
    return false;
  return !Info.HintStr.empty();
}

void TApplication::HintMouseMessage(TControl* Control, unsigned Msg, const TPoint& ScreenPos) {
  if (Msg != WM_MOUSEMOVE) {
    CancelHint();
    return;
  }
  FHintCursor = ScreenPos;
  std::string Long;
  for (TControl* C = Control; C && Long.empty(); C = C->Parent())
    Long = GetLongHint(C->Hint());
  SetHint(Long);
  // The hint comes from the innermost control that offers one.
  TControl* Source = Control;
  THintInfo Info;
  while (Source && !HintFor(Source, Info, false))
    Source = Source->Parent();
  if (!Source) {
    CancelHint();
    return;
  }
  if (Source != FHintControl) {
    const bool WasShowing = FHintState == hsShown;
    FHintWindow->ReleaseHandle();
    SetHintControl(Source);
    FHintState = hsWaiting;
    StartHintTimer(WasShowing ? FHintShortPause : FHintPause);
  } else if (FHintState == hsWaiting) {
    StartHintTimer(FHintPause); // the mouse has not come to rest yet
  }
}

bool TApplication::HintKeyMessage(Word Key, TShiftState Shift) {
  if (Key == VK_F1 && Shift == TShiftState{ssCtrl}) {
    const TCustomForm* Form = Screen->ActiveForm();
    if (Form && Form->FocusedControl())
      ShowControlHint(Form->FocusedControl());
    return true;
  }
  if (Key != VK_SHIFT && Key != VK_CONTROL && Key != VK_MENU)
    CancelHint();
  return false;
}

bool TApplication::ShowControlHint(TControl* Control) {
  CancelHint();
  const TPoint Below = Control->ClientToScreen({0, Control->ClientRect().Bottom});
  FHintCursor = {Below.X, Below.Y + 2 - CursorHeight};
  THintInfo Info;
  if (!HintFor(Control, Info, true))
    return false;
  SetHintControl(Control);
  return ShowHintInfo(Info);
}

bool TApplication::ShowHintInfo(THintInfo& Info) {
  bool CanShow = true;
  if (OnShowHint)
    OnShowHint(Info.HintStr, CanShow, Info);
  if (!CanShow || Info.HintStr.empty()) {
    FHintState = hsDone;
    return false;
  }
  TCustomForm* Form = GetParentForm(Info.HintControl);
  TRect R = FHintWindow->CalcHintRect(Info.HintStr);
  OffsetRect(R, Info.HintPos.X, Info.HintPos.Y);
  FHintWindow->SetColor(Info.HintColor);
  if (!Form || !FHintWindow->ActivateHint(Form, R, Info.HintStr)) {
    FHintState = hsDone;
    return false;
  }
  FHintState = hsShown;
  if (Info.HideTimeout > 0)
    StartHintTimer(Info.HideTimeout);
  else
    StopHintTimer();
  return true;
}

void TApplication::HintTimerExpired() {
  StopHintTimer();
  if (!FHintControl)
    return;
  if (FHintState == hsShown) {
    // Shown long enough: gone until the mouse moves to another control.
    FHintWindow->ReleaseHandle();
    FHintState = hsDone;
    return;
  }
  THintInfo Info;
  if (FHintState == hsWaiting && HintFor(FHintControl, Info, false))
    ShowHintInfo(Info);
  else
    FHintState = hsDone;
}

void TApplication::CancelHint() {
  StopHintTimer();
  FHintWindow->ReleaseHandle();
  SetHintControl(nullptr);
  FHintState = hsDone;
}

void TApplication::SetHintControl(TControl* Control) {
  if (Control == FHintControl)
    return;
  if (FHintControl)
    FHintControl->RemoveFreeNotification(this);
  FHintControl = Control;
  if (Control)
    Control->FreeNotification(this);
}

void TApplication::StartHintTimer(int Pause) {
  StopHintTimer();
  FHintTimer = SetTimer(static_cast<unsigned>(std::max(Pause, 1)),
                        [this] { HandleInput([this] { HintTimerExpired(); }); });
}

void TApplication::StopHintTimer() {
  if (FHintTimer)
    KillTimer(FHintTimer);
  FHintTimer = 0;
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FHintControl)
    CancelHint();
}

} // namespace vcl
