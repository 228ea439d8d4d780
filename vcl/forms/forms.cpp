// TCustomForm: activation and the focus protocol, keyboard and mouse
// routing, dialog keys, showing (natively when a display is present),
// modal runs and closing. Painting is in forms_paint.cpp.
#include "vcl/forms.h"
#include "vcl/controls/detail/guistate.h"
#include "vcl/windows/detail/backend.h"
#include "vcl/windows/detail/gdi.h"

namespace vcl {

namespace {
TModalHandler& ModalHandler = detail::GuiState().ModalHandler;
std::vector<TCustomForm*>& ModalForms = detail::GuiState().ModalForms;

bool TakesInput(const TCustomForm* Form) {
  return ModalForms.empty() || ModalForms.back() == Form;
}
} // namespace

TModalHandler SetModalHandler(TModalHandler Handler) {
  TModalHandler Previous = std::move(ModalHandler);
  ModalHandler = std::move(Handler);
  return Previous;
}

// Carries the native window's events to the form.
class TCustomForm::TWindowBridge : public backend::TWindowClient {
public:
  explicit TWindowBridge(TCustomForm* Form) : FForm(Form) {}

  // A failure while input is handled goes to the application, never back
  // into the window system's event loop.
  void WindowKey(bool Down, int VirtualKey, int Shift, const std::string& Text) override {
    Application->HandleInput(
        [&] { FForm->KeyInput(Down, static_cast<Word>(VirtualKey), ToShift(Shift), Text); });
  }
  void WindowMouse(backend::TMouseAction Action, backend::TMouseButtonKind Button, int Shift, int X,
                   int Y) override {
    static constexpr unsigned Down[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    static constexpr unsigned Up[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP};
    static constexpr unsigned Double[] = {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK};
    unsigned Msg = WM_MOUSEMOVE;
    if (Action == backend::maDown)
      Msg = Down[Button];
    else if (Action == backend::maUp)
      Msg = Up[Button];
    else if (Action == backend::maDoubleClick)
      Msg = Double[Button];
    Application->HandleInput([&] { FForm->MouseInput(Msg, ToShift(Shift), X, Y); });
  }
  void WindowWheel(int Delta, int Shift, int X, int Y) override {
    Application->HandleInput([&] { FForm->WheelInput(Delta, ToShift(Shift), X, Y); });
  }
  bool WindowCloseQuery() override {
    Application->HandleInput([&] { FForm->Close(); });
    return false; // the form hides itself when it agrees to close
  }
  void WindowResized(int Width, int Height) override {
    if (FSyncing)
      return;
    int Frame, Caption;
    FForm->FrameMetrics(Frame, Caption);
    FSyncing = true;
    FForm->SetBounds(FForm->Left(), FForm->Top(), Width + 2 * Frame, Height + 2 * Frame + Caption);
    FSyncing = false;
  }
  void WindowActivated(bool Active) override {
    if (!Active)
      return;
    // While a modal form is up, no other form may become the active one: the
    // window system's activation goes back to the modal form, so that keys
    // typed after a click on the form behind it still reach the dialog.
    Application->HandleInput([&] {
      if (TakesInput(FForm))
        FForm->Activate();
      else if (ModalForms.back()->FWindow)
        ModalForms.back()->FWindow->Activate();
    });
  }
  const TPixelBuffer& WindowRender() override { return FForm->RenderClient(); }
  TControl* WindowControl() override { return FForm; }

  bool FSyncing = false;

private:
  static TShiftState ToShift(int Bits) {
    TShiftState S;
    if (Bits & backend::ssShiftBit)
      S.Include(ssShift);
    if (Bits & backend::ssAltBit)
      S.Include(ssAlt);
    if (Bits & backend::ssCtrlBit)
      S.Include(ssCtrl);
    if (Bits & backend::ssLeftBit)
      S.Include(ssLeft);
    if (Bits & backend::ssRightBit)
      S.Include(ssRight);
    if (Bits & backend::ssMiddleBit)
      S.Include(ssMiddle);
    return S;
  }
  TCustomForm* FForm;
};

TCustomForm::TCustomForm(TComponent* AOwner)
    : TWinControl(AOwner), FBridge(std::make_unique<TWindowBridge>(this)) {
  FControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  SetVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  if (FOverlay)
    FOverlay->OverlayCancel();
  if (OnDestroy)
    OnDestroy(this);
  if (FActive)
    Deactivate();
  FWindow.reset();
  Screen->RemoveForm(this);
  if (Application->MainForm() == this)
    Application->SetMainForm(nullptr);
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style = (Params.Style & ~WS_CHILD) | WS_POPUP | WS_CLIPCHILDREN;
  if (FBorderStyle != bsNone)
    Params.Style |= WS_CAPTION;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (Value == FBorderStyle)
    return;
  // Keep the client area: the frame grows or shrinks around it.
  const TRect Client = ClientRect();
  FBorderStyle = Value;
  if (!ComponentState().Contains(csLoading) && !ComponentState().Contains(csReading)) {
    SetClientWidth(Client.Right);
    SetClientHeight(Client.Bottom);
  }
  if (FWindow)
    FWindow->SetFixedSize(Value != bsSizeable && Value != bsSizeToolWin);
  InvalidateForm();
}

void TCustomForm::FrameMetrics(int& Frame, int& Caption) const {
  switch (FBorderStyle) {
  case bsNone:
    Frame = Caption = 0;
    return;
  case bsSizeable:
    Frame = 4;
    Caption = 19;
    return;
  case bsToolWindow:
  case bsSizeToolWin:
    Frame = 3;
    Caption = 15;
    return;
  default:
    Frame = 3;
    Caption = 19;
    return;
  }
}

TRect TCustomForm::ClientRect() {
  int Frame, Caption;
  FrameMetrics(Frame, Caption);
  return Rect(0, 0, std::max(Width() - 2 * Frame, 0), std::max(Height() - 2 * Frame - Caption, 0));
}

TPoint TCustomForm::ClientOrigin() {
  int Frame, Caption;
  FrameMetrics(Frame, Caption);
  return {Left() + Frame, Top() + Frame + Caption};
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  if (OnCreate)
    OnCreate(this);
}

// ---------------------------------------------------------------------------
// Activation and focus

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (Control == FActiveControl)
    return;
  if (!ComponentState().Contains(csLoading) && Control && !Control->CanFocus() && Visible())
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (FActive)
    SetFocusedControl(Control);
  else
    FPending = Control;
}

void TCustomForm::Activate() {
  if (FActive)
    return;
  if (TCustomForm* Previous = Screen->ActiveForm(); Previous && Previous != this)
    Previous->Deactivate();
  FActive = true;
  Screen->FActiveForm = this;
  std::erase(Screen->FForms, this);
  Screen->FForms.insert(Screen->FForms.begin(), this);
  if (FWindow)
    FWindow->Activate();
  if (OnActivate)
    OnActivate(this);
  if (FFocusedControl) {
    FFocusedControl->Perform(WM_SETFOCUS);
  } else {
    TWinControl* Target = FPending;
    if (!Target || !Target->CanFocus())
      Target = FindNextControl(nullptr, true, true, false);
    FPending = nullptr;
    if (Target)
      SetFocusedControl(Target);
  }
  InvalidateForm();
}

void TCustomForm::Deactivate() {
  if (FOverlay)
    FOverlay->OverlayCancel();
  if (!FActive)
    return;
  if (FFocusedControl)
    FFocusedControl->Perform(WM_KILLFOCUS);
  FActive = false;
  if (Screen->FActiveForm == this)
    Screen->FActiveForm = nullptr;
  if (OnDeactivate)
    OnDeactivate(this);
  InvalidateForm();
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (Control == this)
    Control = nullptr;
  if (!FActive) {
    FPending = Control;
    return false;
  }
  TWinControl* Old = FFocusedControl;
  if (Old == Control && FActiveControl == Control)
    return true;
  FFocusedControl = Control;
  if (Old && Old != Control)
    Old->Perform(WM_KILLFOCUS);
  // Leave the controls that do not contain the new one, innermost first.
  while (FActiveControl && !FActiveControl->ContainsControl(Control)) {
    TWinControl* Leaving = FActiveControl;
    try {
      Leaving->Perform(CM_EXIT);
    } catch (...) {
      // A control that fails while it is left keeps the focus (unless its
      // handler has moved it already); the failure goes on to the caller.
      if (FFocusedControl == Control) {
        FFocusedControl = Old;
        if (Old)
          Old->Perform(WM_SETFOCUS);
        InvalidateForm();
      }
      throw;
    }
    if (FFocusedControl != Control)
      return false; // the leaving control kept the focus
    FActiveControl = Leaving->Parent() == this ? nullptr : Leaving->Parent();
  }
  // Enter the controls on the way down to the new one, outermost first.
  while (FActiveControl != Control) {
    TWinControl* Next = Control;
    TWinControl* Container = FActiveControl ? FActiveControl : this;
    while (Next->Parent() != Container)
      Next = Next->Parent();
    FActiveControl = Next;
    Next->Perform(CM_ENTER);
    if (FFocusedControl != Control)
      return false;
  }
  if (Control)
    Control->Perform(WM_SETFOCUS);
  InvalidateForm();
  if (FFocusedControl != Control)
    return false;
  NotifyAccessible(Control ? static_cast<TControl*>(Control) : this, aeFocus);
  return true;
}

void TCustomForm::FocusControl(TWinControl* Control) {
  if (!Control->CanFocus())
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (!FActive) {
    FPending = Control;
    Activate();
    return;
  }
  SetFocusedControl(Control);
}

void TCustomForm::SetFocus() {
  if (!CanFocus())
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  Activate();
}

void TCustomForm::ControlRemoving(TWinControl* Control) {
  if (Control->ContainsControl(FFocusedControl))
    FFocusedControl = nullptr;
  if (Control->ContainsControl(FActiveControl))
    FActiveControl = Control->Parent() == this ? nullptr : Control->Parent();
  if (Control->ContainsControl(FPending))
    FPending = nullptr;
}

// ---------------------------------------------------------------------------
// Input

void TCustomForm::KeyInput(bool Down, Word Key, TShiftState Shift, const std::string& Chars) {
  if (!TakesInput(this))
    return;
  SetKeyboardShiftState(Shift);
  if (Down && Application->HintKeyMessage(Key, Shift))
    return;
  if (FOverlay && FOverlay->OverlayKey(Down, Key, Shift, Chars))
    return;
  if (Down && Key == VK_ESCAPE && CancelDrag())
    return;
  TWinControl* Target = FFocusedControl ? FFocusedControl : this;
  if (!Down) {
    Target->Perform(WM_KEYUP, Key);
    return;
  }
  if (Target->Perform(CN_KEYDOWN, Key) != 0)
    return; // a dialog key the form used
  Target->Perform(WM_KEYDOWN, Key);
  if (Key == VK_F1 && Shift.Empty())
    HelpRequested();
  const bool AltOnly = Shift.Contains(ssAlt) && !Shift.Contains(ssCtrl);
  // One character message for each code point the key made.
  for (const char32_t C : Utf8Decode(Chars)) {
    if (AltOnly) {
      Perform(CM_DIALOGCHAR, C);
      continue;
    }
    TWinControl* CharTarget = FFocusedControl ? FFocusedControl : this;
    if (CharTarget->Perform(CN_CHAR, C) == 0)
      CharTarget->Perform(WM_CHAR, C);
  }
}

void TCustomForm::HelpRequested() {
  for (TControl* C = FFocusedControl; C; C = C->Parent())
    if (C->HelpContext() != 0) {
      Application->HelpContext(C->HelpContext());
      return;
    }
}

void TCustomForm::MouseInput(unsigned Msg, TShiftState Shift, int X, int Y) {
  if (!TakesInput(this))
    return;
  SetKeyboardShiftState(Shift);
  const TPoint Origin = ClientOrigin();
  SetMouseCursorPos({Origin.X + X, Origin.Y + Y});
  if (FOverlay && FOverlay->OverlayMouse(Msg, Shift, X, Y))
    return;
  TControl* Target = GetCaptureControl();
  if (!Target || GetParentForm(Target) != this)
    Target = ControlUnder(X, Y);
  const TPoint P = FormToClient(Target, X, Y);
  Application->HintMouseMessage(Target, Msg, {Origin.X + X, Origin.Y + Y});
  Target->Perform(Msg, 0, MakeLong(P.X, P.Y));
}

void TCustomForm::WheelInput(int Delta, TShiftState Shift, int X, int Y) {
  if (!TakesInput(this))
    return;
  SetKeyboardShiftState(Shift);
  if (FOverlay && FOverlay->OverlayWheel(Delta, Shift, X, Y))
    return;
  TControl* Target = ControlUnder(X, Y);
  const TPoint P = FormToClient(Target, X, Y);
  Target->Perform(WM_MOUSEWHEEL, Delta, MakeLong(P.X, P.Y));
}

TControl* TCustomForm::ControlUnder(int X, int Y) {
  TControl* Target = this;
  while (auto* W = dynamic_cast<TWinControl*>(Target)) {
    TControl* Child = W->ControlAtPos(FormToClient(W, X, Y), false);
    if (!Child)
      break;
    Target = Child;
  }
  return Target;
}

TPoint TCustomForm::FormToClient(TControl* Control, int X, int Y) {
  const TPoint Origin = ClientOrigin();
  const TPoint O = Control->ClientOrigin();
  return {X - (O.X - Origin.X), Y - (O.Y - Origin.Y)};
}

void TCustomForm::CMDialogKey(TMessage& Message) {
  const TShiftState Shift = KeyboardShiftState();
  if (!Shift.Contains(ssAlt)) {
    switch (Message.WParam) {
    case VK_TAB:
      if (!Shift.Contains(ssCtrl)) {
        SelectNext(FActiveControl, !Shift.Contains(ssShift), true);
        Message.Result = 1;
        return;
      }
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (FActiveControl && FActiveControl->Parent()) {
        FActiveControl->Parent()->SelectNext(
            FActiveControl, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
        Message.Result = 1;
      }
      return;
    default:
      break;
    }
  }
  TWinControl::CMDialogKey(Message);
}

void TCustomForm::CMDialogChar(TMessage& Message) {
  TWinControl::CMDialogChar(Message);
}

// ---------------------------------------------------------------------------
// Showing, modal runs and closing

void TCustomForm::CMVisibleChanged(TMessage& Message) {
  TWinControl::CMVisibleChanged(Message);
  if (Visible()) {
    HandleNeeded();
    ShowNative();
    DoShow();
    Activate();
  } else {
    const bool WasActive = FActive;
    Deactivate();
    HideNative();
    DoHide();
    if (WasActive)
      for (TCustomForm* F : Screen->FForms)
        if (F != this && F->Visible()) {
          F->Activate();
          break;
        }
  }
}

void TCustomForm::CMTextChanged(TMessage& Message) {
  TWinControl::CMTextChanged(Message);
  if (FWindow)
    FWindow->SetTitle(Caption());
}

// A size set by the program reaches the form's window; one that came from
// the window (the user or the host's layout resized it) is already there.
void TCustomForm::WMSize(TMessage& Message) {
  TWinControl::WMSize(Message);
  if (!FBridge->FSyncing)
    SyncNativeGeometry();
}

void TCustomForm::DoShow() {
  if (OnShow)
    OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide)
    OnHide(this);
}

void TCustomForm::SetWindowMaker(TWindowMaker Make) {
  FWindow.reset();
  FWindowMaker = std::move(Make);
  if (Visible())
    ShowNative();
}

void TCustomForm::ShowNative() {
  if (!FWindowMaker) {
    if (!backend::PlatformStarted() || !backend::HasDisplay())
      return;
    if (FPosition == poScreenCenter) {
      const TPoint S = backend::ScreenSize();
      TWinControl::SetBounds((S.X - Width()) / 2, (S.Y - Height()) / 2, Width(), Height());
    }
  }
  if (!FWindow)
    FWindow =
        FWindowMaker ? FWindowMaker(FBridge.get()) : backend::CreateNativeWindow(FBridge.get());
  FWindow->SetTitle(Caption());
  FWindow->SetFixedSize(FBorderStyle != bsSizeable && FBorderStyle != bsSizeToolWin);
  SyncNativeGeometry();
  FWindow->Show();
}

void TCustomForm::SyncNativeGeometry() {
  if (!FWindow)
    return;
  const TPoint O = ClientOrigin();
  const TRect C = ClientRect();
  FBridge->FSyncing = true;
  FWindow->SetGeometry(O.X, O.Y, C.Right, C.Bottom);
  FBridge->FSyncing = false;
}

void TCustomForm::HideNative() {
  if (FWindow)
    FWindow->Hide();
}

void TCustomForm::SetModalResult(TModalResult Value) {
  FModalResult = Value;
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled() || FModal)
    throw EInvalidOperation("Cannot make a visible window modal");
  SetCaptureControl(nullptr);
  FModal = true;
  FModalResult = mrNone;
  ModalForms.push_back(this);
  struct TModalScope {
    TCustomForm* Form;
    ~TModalScope() { std::erase(ModalForms, Form); }
  } Scope{this};
  Show();
  try {
    if (ModalHandler) {
      // The handler answers once; a nested modal form asks the next one.
      TModalHandler Handler = ModalHandler;
      const TModalResult Answer = Handler(this);
      if (Answer != mrNone)
        FModalResult = Answer;
      if (FModalResult == mrNone)
        FModalResult = mrCancel;
    } else if (backend::PlatformStarted() && backend::HasDisplay()) {
      for (;;) {
        Application->HandleMessage();
        if (Application->Terminated() && FModalResult == mrNone)
          FModalResult = mrCancel;
        if (FModalResult == mrNone)
          continue;
        TCloseAction Action = caHide;
        if (!CloseQuery())
          Action = caNone;
        else if (OnClose)
          OnClose(this, Action);
        if (Action != caNone)
          break;
        FModalResult = mrNone;
      }
    } else {
      FModalResult = mrCancel; // nobody can answer without a display or a handler
    }
  } catch (...) {
    FModal = false;
    Hide();
    throw;
  }
  FModal = false;
  Hide();
  return FModalResult;
}

bool TCustomForm::CloseQuery() {
  bool CanClose = true;
  if (OnCloseQuery)
    OnCloseQuery(this, CanClose);
  return CanClose;
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery())
    return;
  TCloseAction Action = caHide;
  if (OnClose)
    OnClose(this, Action);
  if (Action == caNone)
    return;
  if (Application->MainForm() == this)
    Application->Terminate();
  if (Action == caFree)
    Release();
  else
    Hide();
}

void TCustomForm::Release() {
  Hide();
  Application->ReleaseForm(this);
}

} // namespace vcl
