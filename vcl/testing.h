// GUI platform: helpers for tests and scripted runs. They drive controls as
// a user would, through the same input routing a real window uses: keys as
// WM_KEYDOWN, WM_CHAR and WM_KEYUP, mouse clicks as button messages at the
// control's centre, pastes through the clipboard; and they answer message
// boxes and modal forms, fix the clock and read painted pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "vcl/forms.h"

namespace vcl::testing {

// Starts the platform offscreen (the test main calls it first).
void StartHeadless();

// Shows the form (headless it becomes the active form).
void ShowForm(TCustomForm* Form);

// Creates a control of class T owned by Parent and placed on it.
template <typename T> T* Place(TWinControl* Parent, int Left, int Top, int Width, int Height) {
  T* Control = new T(Parent);
  Control->SetParent(Parent);
  Control->SetBounds(Left, Top, Width, Height);
  return Control;
}

// Types each character (code point) of the UTF-8 Text into the focused
// control of the active form, one key each: the key of a US keyboard where
// there is one, else a key without a virtual-key code that makes the
// character, as an input method does.
void TypeText(const std::string& Text);
// Presses and releases one key; the character it makes (letters, digits,
// Space, Backspace, Enter, Escape, Tab, Ctrl+letter) follows as WM_CHAR.
void PressKey(Word Key, TShiftState Shift = {});
// Puts Text on the clipboard and presses Ctrl+V.
void PasteText(const std::string& Text);
// Moves the focus to Control; true when it has the focus afterwards.
bool MoveFocus(TWinControl* Control);
// Presses and releases the left mouse button at the control's centre.
void Click(TControl* Control);
// Presses and releases the left mouse button at (X, Y) of the control's client area.
void ClickAt(TControl* Control, int X, int Y);
// A double click at (X, Y) of the control's client area, as the window system
// reports one: press, release, double-click press, release.
void DoubleClickAt(TControl* Control, int X, int Y);
// Presses and releases the right mouse button at the control's centre, or at
// (X, Y) of its client area: the control's context menu opens.
void RightClick(TControl* Control);
void RightClickAt(TControl* Control, int X, int Y);
// A drag with the left button: pressed at (X, Y) of Source, moved to
// (TX, TY) of Target (and once more there), released there.
void DragAndDrop(TControl* Source, int X, int Y, TControl* Target, int TX, int TY);
// The steps of a drag one at a time, at (X, Y) of the control's client area.
void MouseDownAt(TControl* Control, int X, int Y);
void MouseMoveTo(TControl* Control, int X, int Y);
void MouseUpAt(TControl* Control, int X, int Y);
// Turns the mouse wheel over (X, Y) of the control's client area by Notches
// (positive: away from the user, so what is shown moves up).
void WheelAt(TControl* Control, int X, int Y, int Notches);
// Clicks the item of the open popup menu that shows Caption (without its
// '&'), in whichever open level shows it; false when no open level does.
bool ClickMenuItem(const std::string& Caption);

// Records every message box; answers each with Answer.
class TMessageBoxRecorder {
public:
  struct TBox {
    std::string Msg;
    TMsgDlgType DlgType;
    TMsgDlgButtons Buttons;
    int HelpCtx;
  };
  explicit TMessageBoxRecorder(int Answer = mrOk);
  ~TMessageBoxRecorder();
  TMessageBoxRecorder(const TMessageBoxRecorder&) = delete;
  TMessageBoxRecorder& operator=(const TMessageBoxRecorder&) = delete;
  const std::vector<TBox>& Boxes() const { return FBoxes; }
  void SetAnswer(int Answer) { FAnswer = Answer; }

private:
  std::vector<TBox> FBoxes;
  int FAnswer;
  TMessageDlgHandler FPrevious;
};

// Answers the next modal form with Handler (which may act on the form and
// returns the modal result, or mrNone to use the form's own ModalResult);
// later modal forms go to the handler that was installed before.
void AnswerNextModal(std::function<TModalResult(TCustomForm* Form)> Handler);

// Records every request for help (Application->HelpContext) for its lifetime.
class THelpRecorder {
public:
  THelpRecorder();
  ~THelpRecorder();
  THelpRecorder(const THelpRecorder&) = delete;
  THelpRecorder& operator=(const THelpRecorder&) = delete;
  const std::vector<int>& Contexts() const { return FContexts; }

private:
  std::vector<int> FContexts;
  THelpEvent FPrevious;
};

// The number of MessageBeep calls so far (a refused key beeps).
int BeepCount();

// Fixes vcl::Now() for its lifetime.
class TFixedClock {
public:
  explicit TFixedClock(TDateTime Now);
  ~TFixedClock();
  TFixedClock(const TFixedClock&) = delete;
  TFixedClock& operator=(const TFixedClock&) = delete;

private:
  TNowFunction FPrevious;
};

// Stops the clock of timers (GetTickCount) for its lifetime: time moves
// only when Advance moves it, and the timers due on the way fire then, in
// order, each at its own moment (hints show and hide so, without waiting).
class TTimerClock {
public:
  TTimerClock();
  ~TTimerClock();
  TTimerClock(const TTimerClock&) = delete;
  TTimerClock& operator=(const TTimerClock&) = delete;
  void Advance(unsigned Milliseconds);

private:
  std::int64_t FNow;
  std::function<std::int64_t()> FPrevious;
};

// The form's client area, freshly painted.
TPixelBuffer PaintForm(TCustomForm* Form);
// One pixel of the painted client area of Control's form, in Control's client coordinates.
TColor PixelAt(TControl* Control, int X, int Y);

} // namespace vcl::testing
