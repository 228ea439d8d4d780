// Internal to the GUI platform: its process-wide state, in one object rather
// than in statics scattered over its sources. It holds the drag in progress,
// the mouse capture and the shift keys held, the modal forms and the modal
// handler, the caret, and the count of beeps. Like every control it belongs
// to the user-interface thread.
#pragma once

#include <memory>
#include <vector>

#include "vcl/forms.h"
#include "vcl/windows.h"

namespace vcl::detail {

// One drag at a time (dragdrop.cpp).
struct TDragState {
  static constexpr int DefaultThreshold = 5;
  TControl* Control = nullptr; // the source
  std::unique_ptr<TDragObject> OwnObject;
  TDragObject* Object = nullptr; // set once the drag has started
  TControl* Target = nullptr;
  bool Accepted = false;
  TPoint Start;
  int Threshold = DefaultThreshold;
  // The press of an automatic drag, given to the control if no drag follows.
  bool AutoPress = false;
  std::intptr_t PressPos = 0;
};

// The one caret (winapi.cpp).
struct TCaretState {
  HWND Owner = nullptr;
  int Width = 0;
  int Height = 0;
  TPoint Pos;
  int HideCount = 1;
};

struct TGuiState {
  TDragState Drag;
  // Where the mouse was last seen, in screen coordinates.
  TPoint CursorPos;
  // True while the press of an automatic drag that did not become one is
  // given to its control.
  bool ReplayingPress = false;
  TControl* CaptureControl = nullptr;
  TShiftState ShiftNow;
  TModalHandler ModalHandler;
  // Forms shown modally, innermost last: only the innermost one takes input.
  std::vector<TCustomForm*> ModalForms;
  TCaretState Caret;
  // MessageBeep calls so far, for tests (vcl::testing::BeepCount).
  int Beeps = 0;
};

TGuiState& GuiState();

} // namespace vcl::detail
