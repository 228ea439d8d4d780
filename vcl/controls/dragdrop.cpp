// Dragging controls onto controls within the program. One drag at a time:
// the source control holds the mouse while the left button is down; once
// the mouse has moved past the threshold (at once for an immediate drag)
// OnStartDrag fires and each control the mouse passes is asked with
// OnDragOver whether it takes the drop; releasing the button over one that
// does fires its OnDragDrop, and the source's OnEndDrag tells the outcome.
// Escape or the right button cancels. A control with DragMode dmAutomatic
// starts a drag on a left press; a press released without moving reaches
// the control as an ordinary click.
#include <cstdlib>

#include "vcl/forms.h"
#include "vcl/controls/detail/guistate.h"

namespace vcl {

namespace {

detail::TDragState& Drag = detail::GuiState().Drag;
TPoint& CursorPos = detail::GuiState().CursorPos;
bool& ReplayingPress = detail::GuiState().ReplayingPress;

// The visible, enabled control under the screen point P on the form that
// shows there (the source's form first), innermost first; nullptr outside
// every form.
TControl* FindDragTarget(const TPoint& P) {
  std::vector<TCustomForm*> Forms;
  if (TCustomForm* Own = GetParentForm(Drag.Control))
    Forms.push_back(Own);
  for (int I = 0; I < Screen->FormCount(); ++I)
    Forms.push_back(Screen->Forms(I));
  for (TCustomForm* Form : Forms) {
    if (!Form->Visible() || !PtInRect(Form->ClientRect(), Form->ScreenToClient(P)))
      continue;
    TControl* Target = Form;
    while (auto* W = dynamic_cast<TWinControl*>(Target)) {
      TControl* Child = W->ControlAtPos(W->ScreenToClient(P), false);
      if (!Child)
        break;
      Target = Child;
    }
    return Target;
  }
  return nullptr;
}

// What the targets see as the source: the control for a drag of its own,
// else the drag object OnStartDrag gave.
TObject* SourceSeen() {
  if (auto* C = dynamic_cast<TDragControlObject*>(Drag.Object))
    return C->Control();
  return Drag.Object;
}

} // namespace

TPoint MouseCursorPos() {
  return CursorPos;
}

void SetMouseCursorPos(const TPoint& P) {
  CursorPos = P;
}

TControl* DragControl() {
  return Drag.Control;
}

bool CancelDrag() {
  if (!Drag.Control)
    return false;
  Drag.Control->EndDrag(false);
  return true;
}

TCursor TDragObject::GetDragCursor(bool Accepted, int, int) {
  return Accepted ? crDrag : crNoDrop;
}

TCursor TDragControlObject::GetDragCursor(bool Accepted, int, int) {
  return Accepted ? FControl->DragCursor() : crNoDrop;
}

// ---------------------------------------------------------------------------

bool TControl::Dragging() const {
  return Drag.Control == this;
}

void TControl::BeginDrag(bool Immediate, int Threshold) {
  if (Drag.Control || ComponentState().Contains(csDesigning))
    return;
  Drag = detail::TDragState{};
  Drag.Control = this;
  Drag.Start = CursorPos;
  Drag.Threshold = Threshold < 0 ? detail::TDragState::DefaultThreshold : Threshold;
  SetCaptureControl(this);
  if (Immediate)
    DragInit();
}

void TControl::DragInit() {
  TDragObject* Object = nullptr;
  DoStartDrag(Object);
  if (Drag.Control != this)
    return; // OnStartDrag ended the drag
  if (!Object) {
    Drag.OwnObject = std::make_unique<TDragControlObject>(this);
    Object = Drag.OwnObject.get();
  }
  Drag.Object = Object;
  Drag.AutoPress = false;
  DragTo(CursorPos);
}

void TControl::DragTo(const TPoint& P) {
  TControl* Target = FindDragTarget(P);
  TObject* Source = SourceSeen();
  const bool Entering = Target != Drag.Target;
  if (Entering) {
    if (TControl* Old = Drag.Target) {
      const TPoint L = Old->ScreenToClient(P);
      bool Ignored = false;
      Drag.Target = nullptr;
      Old->DragOver(Source, L.X, L.Y, dsDragLeave, Ignored);
    }
    Drag.Target = Target;
  }
  Drag.Accepted = false;
  if (Target) {
    const TPoint L = Target->ScreenToClient(P);
    Target->DragOver(Source, L.X, L.Y, Entering ? dsDragEnter : dsDragMove, Drag.Accepted);
  }
  if (Drag.Object)
    Screen->SetCursor(Drag.Object->GetDragCursor(Drag.Accepted, P.X, P.Y));
}

void TControl::EndDrag(bool Drop) {
  if (Drag.Control != this)
    return;
  detail::TDragState Done = std::move(Drag);
  Drag = detail::TDragState{};
  if (GetCaptureControl() == this)
    SetCaptureControl(nullptr);
  if (!Done.Object)
    return; // the mouse never went past the threshold: no drag took place
  Screen->SetCursor(crDefault);
  TObject* Source = dynamic_cast<TDragControlObject*>(Done.Object)
                        ? static_cast<TObject*>(this)
                        : static_cast<TObject*>(Done.Object);
  const bool Dropped = Drop && Done.Accepted && Done.Target;
  TPoint L;
  if (Done.Target) {
    L = Done.Target->ScreenToClient(CursorPos);
    if (Dropped) {
      Done.Target->DragDrop(Source, L.X, L.Y);
    } else {
      bool Ignored = false;
      Done.Target->DragOver(Source, L.X, L.Y, dsDragLeave, Ignored);
    }
  }
  DoEndDrag(Dropped ? Done.Target : nullptr, Dropped ? L.X : 0, Dropped ? L.Y : 0);
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = static_cast<bool>(OnDragOver);
  if (OnDragOver)
    OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
  if (OnDragDrop)
    OnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
  if (OnStartDrag)
    OnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
  if (OnEndDrag)
    OnEndDrag(this, Target, X, Y);
}

// Mouse input while this control is the source of a drag (or of a press
// that may become one): true when the drag used the message.
bool TControl::DragMouse(TMessage& Message) {
  const TPoint P = ClientToScreen({SmallX(Message.LParam), SmallY(Message.LParam)});
  switch (Message.Msg) {
  case WM_MOUSEMOVE:
    if (!Drag.Object && (std::abs(P.X - Drag.Start.X) > Drag.Threshold ||
                         std::abs(P.Y - Drag.Start.Y) > Drag.Threshold))
      DragInit();
    else if (Drag.Object)
      DragTo(P);
    return true;
  case WM_LBUTTONUP:
    if (Drag.AutoPress) {
      // Pressed and released in place: the control gets its click after all.
      const std::intptr_t Press = Drag.PressPos;
      EndDrag(false);
      ReplayingPress = true;
      try {
        Perform(WM_LBUTTONDOWN, 0, Press);
      } catch (...) {
        ReplayingPress = false;
        throw;
      }
      ReplayingPress = false;
      return false;
    }
    EndDrag(true);
    return true;
  case WM_RBUTTONDOWN:
    EndDrag(false);
    return true;
  default:
    return false;
  }
}

// A left press on a control with DragMode dmAutomatic starts a drag that
// waits for the mouse to move.
bool TControl::AutoDragPress(TMessage& Message) {
  if (Message.Msg != WM_LBUTTONDOWN || FDragMode != dmAutomatic ||
      ComponentState().Contains(csDesigning) || Drag.Control || ReplayingPress)
    return false;
  BeginDrag(false);
  Drag.AutoPress = true;
  Drag.PressPos = Message.LParam;
  return true;
}

void TControl::DragGone() {
  if (Drag.Target == this)
    Drag.Target = nullptr;
  if (Drag.Control == this) {
    Drag = detail::TDragState{};
    if (Screen)
      Screen->SetCursor(crDefault);
  }
}

} // namespace vcl
