// TButton: the push button window. It takes the focus when pressed, clicks
// on release inside it or on Space, answers Enter when it is the active
// default button (and the focused control lets the focus go) and Escape
// when it is a cancel button, and hands its ModalResult to the form when
// clicked.
#include "vcl/controls/detail/caption.h"
#include "vcl/forms.h"
#include "vcl/stdctrls.h"

namespace vcl {

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = {csSetCaption, csOpaque, csDoubleClicks};
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  // The declared default colour, so that a button that stops taking its
  // parent's colour keeps the face colour a form file leaves out.
  SetColor(clBtnFace);
  SetParentColor(true);
}

void TButton::SetDefault(bool Value) {
  FDefault = Value;
  Invalidate();
}

void TButton::Click() {
  if (TCustomForm* Form = GetParentForm(this))
    Form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

bool TButton::IsActive() {
  TCustomForm* Form = GetParentForm(this);
  TWinControl* Focus = Form ? Form->FocusedControl() : nullptr;
  if (dynamic_cast<TButton*>(Focus))
    return Focus == this;
  return FDefault;
}

void TButton::CMDialogKey(TMessage& Message) {
  const bool Enter = Message.WParam == VK_RETURN && IsActive();
  const bool Escape = Message.WParam == VK_ESCAPE && FCancel;
  const TShiftState Shift = KeyboardShiftState();
  if ((Enter || Escape) && !Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl) && CanFocus()) {
    // Enter presses only when the focused control would let the focus go
    // (it keeps the focus either way); Escape asks nobody.
    if (Enter && !FocusLetsGo()) {
      Message.Result = 1;
      return;
    }
    Click();
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogKey(Message);
}

bool TButton::FocusLetsGo() {
  TCustomForm* Form = GetParentForm(this);
  TWinControl* Focus = Form ? Form->FocusedControl() : nullptr;
  return !Focus || Focus == this || Focus->Perform(CM_VALIDATEEXIT) == 0;
}

void TButton::CMDialogChar(TMessage& Message) {
  if (caption::IsAccel(static_cast<char32_t>(Message.WParam), Caption()) && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(Message);
}

void TButton::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
  case WM_GETDLGCODE:
    Message.Result = DLGC_BUTTON | (IsActive() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    return;
  case WM_PAINT:
    Paint(reinterpret_cast<HDC>(Message.WParam));
    return;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
  case WM_MOUSEMOVE:
  case WM_LBUTTONUP:
    MouseMessage(Message);
    return;
  case WM_KEYDOWN:
    if (Message.WParam == VK_SPACE && !FTracking) {
      FTracking = FPressed = true;
      Invalidate();
    }
    return;
  case WM_KEYUP:
    if (Message.WParam == VK_SPACE && FTracking) {
      FTracking = FPressed = false;
      Invalidate();
      Click();
    }
    return;
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
    FTracking = FPressed = false;
    Invalidate(); // the default button's frame follows the focus
    return;
  default:
    TButtonControl::DefaultHandler(Message);
  }
}

// The left button presses the button while the pointer stays on it and
// clicks when it is let go there.
void TButton::MouseMessage(const TMessage& Message) {
  switch (Message.Msg) {
  case WM_MOUSEMOVE:
    if (FTracking) {
      const bool Inside = PtInRect(ClientRect(), {SmallX(Message.LParam), SmallY(Message.LParam)});
      if (Inside != FPressed) {
        FPressed = Inside;
        Invalidate();
      }
    }
    return;
  case WM_LBUTTONUP:
    if (FTracking) {
      FTracking = false;
      if (GetCaptureControl() == this)
        SetCaptureControl(nullptr);
      const bool Inside = FPressed;
      FPressed = false;
      Invalidate();
      if (Inside)
        Click();
    }
    return;
  default: // a press or double click
    if (!Focused()) {
      if (CanFocus())
        SetFocus();
      if (!Focused())
        return; // the focus stayed elsewhere: no press, no click
    }
    FTracking = FPressed = true;
    SetCaptureControl(this);
    Invalidate();
  }
}

void TButton::Paint(HDC DC) {
  if (!DC)
    return;
  HDC__& D = *DC;
  TRect R = ClientRect();
  auto Edge = [&D](const TRect& E, TColor TopLeft, TColor BottomRight) {
    gdi::FillRect(D, {E.Left, E.Top, E.Right - 1, E.Top + 1}, TopLeft);
    gdi::FillRect(D, {E.Left, E.Top, E.Left + 1, E.Bottom - 1}, TopLeft);
    gdi::FillRect(D, {E.Left, E.Bottom - 1, E.Right, E.Bottom}, BottomRight);
    gdi::FillRect(D, {E.Right - 1, E.Top, E.Right, E.Bottom}, BottomRight);
  };
  gdi::FillRect(D, R, clBtnFace);
  if (IsActive()) {
    Edge(R, clWindowFrame, clWindowFrame);
    InflateRect(R, -1, -1);
  }
  int Shift = 0;
  if (FPressed) {
    Edge(R, clBtnShadow, clBtnShadow);
    Shift = 1;
  } else {
    Edge(R, clBtnHighlight, cl3DDkShadow);
    TRect Inner = R;
    InflateRect(Inner, -1, -1);
    Edge(Inner, cl3DLight, clBtnShadow);
  }
  TRect Text = R;
  OffsetRect(Text, Shift, Shift);
  caption::Draw(D, Text, Caption(), Font()->Handle(), Font()->Color(), taCenter, true, true, false,
                Enabled());
  if (Focused()) {
    TRect F = ClientRect();
    InflateRect(F, -4, -4);
    for (int X = F.Left; X < F.Right; X += 2) {
      gdi::FillRect(D, Bounds(X, F.Top, 1, 1), clBtnText);
      gdi::FillRect(D, Bounds(X, F.Bottom - 1, 1, 1), clBtnText);
    }
    for (int Y = F.Top; Y < F.Bottom; Y += 2) {
      gdi::FillRect(D, Bounds(F.Left, Y, 1, 1), clBtnText);
      gdi::FillRect(D, Bounds(F.Right - 1, Y, 1, 1), clBtnText);
    }
  }
}

} // namespace vcl
