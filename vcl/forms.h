// GUI platform: forms, the application object and the screen. A form owns
// the focus of its controls, routes keyboard and mouse input to them, paints
// them into its picture and, when a display is present, shows that picture in
// a native window. Modal forms run a nested event loop with a display and ask
// the replaceable modal handler without one.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vcl/controls.h"
#include "vcl/dialogs.h"

namespace vcl {

VCL_ENUM(TPosition, std::uint8_t, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly,
         poScreenCenter);
enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// What floats above a form's controls while it is there (an open popup
// menu): it sees the form's keyboard and mouse input first (true: used, the
// controls do not see it) and paints after them.
class TFormOverlay {
public:
  virtual bool OverlayKey(bool Down, Word Key, TShiftState Shift, const std::string& Chars) = 0;
  // (X, Y) in the form's client area.
  virtual bool OverlayMouse(unsigned Msg, TShiftState Shift, int X, int Y) = 0;
  // A turn of the mouse wheel at (X, Y), as WM_MOUSEWHEEL counts it.
  virtual bool OverlayWheel(int Delta, TShiftState Shift, int X, int Y) {
    (void)Delta, (void)Shift, (void)X, (void)Y;
    return false;
  }
  virtual void OverlayPaint(TPixelBuffer& Target, const TRect& Clip) = 0;
  // The form deactivates, hides or goes away.
  virtual void OverlayCancel() = 0;

protected:
  ~TFormOverlay() = default;
};

class TCustomForm : public TWinControl {
public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }

  // The control that is (or will be, once the form is active) focused.
  TWinControl* ActiveControl() const { return FActiveControl ? FActiveControl : FPending; }
  void SetActiveControl(TWinControl* Control);
  // The control holding the keyboard focus while the form is active.
  TWinControl* FocusedControl() const { return FFocusedControl; }
  bool Active() const { return FActive; }
  // Moves the focus to Control: CM_EXIT to the controls it leaves, CM_ENTER
  // to those it enters, WM_SETFOCUS to Control. A control that takes the
  // focus back during its CM_EXIT stops the change; the result tells whether
  // Control got the focus.
  bool SetFocusedControl(TWinControl* Control);
  // SetFocus of a control lands here; raises EInvalidOperation when it cannot focus.
  void FocusControl(TWinControl* Control);

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value);
  TModalResult ShowModal();
  bool Modal() const { return FModal; }
  TAccessibleRole AccessibleRole() const override { return FModal ? arDialog : arWindow; }
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the event being handled is over.
  void Release();

  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  bool Showing() const override { return Visible(); }
  void SetFocus() override;
  bool CanFocus() override { return Visible() && Enabled(); }
  bool Focused() override { return FActive && FFocusedControl == nullptr; }

  // Input as the window system delivers it (coordinates in the client area;
  // Chars is the UTF-8 text the key made).
  void KeyInput(bool Down, Word Key, TShiftState Shift, const std::string& Chars);
  void MouseInput(unsigned Msg, TShiftState Shift, int X, int Y);
  // A turn of the wheel: to the overlay, else WM_MOUSEWHEEL to the control
  // under (X, Y).
  void WheelInput(int Delta, TShiftState Shift, int X, int Y);

  TFormOverlay* Overlay() const { return FOverlay; }
  void SetOverlay(TFormOverlay* Value) { FOverlay = Value; }

  // The client area's picture, kept from one paint to the next.
  TPixelBuffer& ClientImage() { return FImage; }
  // Marks R (client coordinates) out of date: the next paint redraws it.
  void InvalidateRect(const TRect& R);
  void InvalidateForm();
  bool NeedsPaint() const { return !FInvalid.empty(); }
  // Repaints what is out of date into the picture and returns the picture.
  const TPixelBuffer& RenderClient();
  // Repaints what is out of date now and shows it in the window (headless,
  // where there is no window, only the picture is painted).
  void Flush();
  // The whole window (frame, caption and client area) as the platform draws
  // it, at the form's pixel ratio.
  void PaintTo(TPixelBuffer& Image);
  // Device pixels per form pixel of the form's picture: a shown form takes
  // its window's (2 on a screen scaled to 200%), and text and lines are then
  // drawn at the device's resolution while sizes stay in form pixels. A form
  // without a window is painted at the ratio set here (default 1), for
  // pictures of it at a high resolution.
  int PixelRatio() const;
  void SetPixelRatio(int Value);

  // Shows the form in a window its caller makes (a widget of a host
  // toolkit) instead of one of its own, with or without a display; Make
  // receives what that window reports its input to. An empty Make gives the
  // form back its own kind of window.
  using TWindowMaker =
      std::function<std::unique_ptr<backend::TNativeWindow>(backend::TWindowClient* Client)>;
  void SetWindowMaker(TWindowMaker Make);

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnHelp;

  // Called when a windowed control leaves the form, so that focus never
  // points at a control that is gone.
  void ControlRemoving(TWinControl* Control);
  void Activate();
  void Deactivate();

protected:
  void CreateParams(TCreateParams& Params) override;
  int FrameWidth() override { return 0; }
  void Loaded() override;
  void CMDialogKey(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  void WMSize(TMessage& Message) override;
  virtual void DoShow();
  virtual void DoHide();
  void FrameMetrics(int& Frame, int& Caption) const;

private:
  // The innermost control at (X, Y) of the client area, and (X, Y) in a
  // control's client area.
  TControl* ControlUnder(int X, int Y);
  TPoint FormToClient(TControl* Control, int X, int Y);
  void ShowNative();
  void SyncNativeGeometry();
  void HideNative();
  void HelpRequested();

  TFormBorderStyle FBorderStyle = bsSizeable;
  TPosition FPosition = poDesigned;
  bool FKeyPreview = false;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TWinControl* FPending = nullptr;
  bool FActive = false;
  bool FModal = false;
  TModalResult FModalResult = mrNone;
  std::vector<TRect> FInvalid;
  TPixelBuffer FImage;
  int FPixelRatio = 1;
  TFormOverlay* FOverlay = nullptr;
  std::unique_ptr<backend::TNativeWindow> FWindow;
  TWindowMaker FWindowMaker;
  class TWindowBridge;
  std::unique_ptr<TWindowBridge> FBridge;

  friend class TApplication;
};

class TForm : public TCustomForm {
public:
  using TCustomForm::TCustomForm;
};

// What a hint about to show says and where. The control it belongs to
// receives it with CM_HINTSHOW and may change it (its text, place, colour,
// how long it stays) or refuse it (Result 1).
struct THintInfo {
  TControl* HintControl = nullptr;
  // The hint window's top-left corner, in screen coordinates.
  TPoint HintPos;
  std::string HintStr;
  TColor HintColor = clInfoBk;
  // Milliseconds the hint stays up; 0: until the mouse leaves or a key or button is pressed.
  int HideTimeout = 0;
};

// The classic hint: a small box with a line of text per line of the hint,
// in HintColor with a frame, floating over a form's controls. It is drawn as
// the form's overlay, so it never covers an open menu and goes away when the
// form deactivates. The application shows one; a program may show its own.
class THintWindow : public TFormOverlay {
public:
  THintWindow() = default;
  ~THintWindow();
  THintWindow(const THintWindow&) = delete;
  THintWindow& operator=(const THintWindow&) = delete;

  // The size a hint of Hint needs, as a rectangle at (0, 0).
  TRect CalcHintRect(const std::string& Hint) const;
  // Shows Hint in R (screen coordinates) over Form, moved inside the form's
  // client area where it would stick out. False (nothing shown) while
  // something else (an open menu) floats over the form.
  bool ActivateHint(TCustomForm* Form, TRect R, const std::string& Hint);
  // Hides the window.
  void ReleaseHandle();
  bool Showing() const { return FForm != nullptr; }
  const std::string& Caption() const { return FCaption; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  // Where the window shows, in its form's client coordinates.
  const TRect& BoundsRect() const { return FBounds; }
  TCustomForm* Form() const { return FForm; }

  bool OverlayKey(bool Down, Word Key, TShiftState Shift, const std::string& Chars) override;
  bool OverlayMouse(unsigned Msg, TShiftState Shift, int X, int Y) override;
  void OverlayPaint(TPixelBuffer& Target, const TRect& Clip) override;
  void OverlayCancel() override;

private:
  TCustomForm* FForm = nullptr;
  TRect FBounds;
  std::string FCaption;
  TColor FColor = clInfoBk;
};

// A hint "short|long": the part before the bar shows in the hint window,
// the part after it in a status bar (Application->Hint). Without a bar both
// are the whole hint.
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);

// The answer to a modal form when no display is present: it may act on the
// form (type, click buttons) and returns the modal result (mrNone: use the
// form's own ModalResult).
using TModalHandler = std::function<TModalResult(TCustomForm* Form)>;
TModalHandler SetModalHandler(TModalHandler Handler);

using THelpEvent = std::function<bool(Word Command, std::intptr_t Data, bool& CallHelp)>;
// A hint about to show, after its control had its say: HintStr and HintInfo
// may be changed, and CanShow set to false keeps the hint from showing.
using TShowHintEvent =
    std::function<void(std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Starts the platform; Headless runs it offscreen (tests and screenshots).
  // With a display, message boxes become modal dialogs of our own controls.
  // The program's arguments go to the toolkit (Argc must outlive the
  // application); a QGuiApplication or QApplication the program made first
  // is adopted instead of a second one.
  void Initialize(bool Headless = false);
  void Initialize(int& Argc, char** Argv, bool Headless = false);
  bool Initialized() const;
  bool HasDisplay() const;
  template <typename T> T* CreateForm() {
    auto* Form = new T(this);
    if (!FMainForm)
      FMainForm = Form;
    return Form;
  }
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* Form) { FMainForm = Form; }
  // Shows the main form and handles events until it closes; 0 then. Without
  // a display nothing could ever close it: the user is told so and the
  // result is 1.
  int Run();
  void ProcessMessages();
  // Waits for events and handles them once.
  void HandleMessage();
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }

  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  const std::string& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::string& Value) { FHelpFile = Value; }
  // Asks for help on a context: OnHelp decides; the last request is kept.
  bool HelpContext(int Context);
  int LastHelpContext() const { return FLastHelpContext; }
  THelpEvent OnHelp;

  // Runs the handling of one piece of a user's input (a key, a click, a
  // focus change, a request to close); a failure it raises goes to
  // HandleException, never back to the window system or to the caller.
  // Windows and the test helpers deliver input through here alike.
  void HandleInput(const std::function<void()>& Action);
  // A failure raised while input was handled: OnException decides when
  // assigned; otherwise ShowException shows its message in an error box, and
  // the program goes on. The silent EAbort is dropped.
  void HandleException(const std::exception& E);
  void ShowException(const std::exception& E);
  TExceptionEvent OnException;

  // Forms freed by Release are deleted here, between events.
  void ReleaseForm(TCustomForm* Form);
  void FreeReleasedForms();

  // Hints (hints.cpp). Once the mouse has rested HintPause milliseconds
  // over a control whose ShowHint is on and whose Hint is not empty, its
  // short hint shows under the mouse for HintHidePause milliseconds, or until
  // a key or a mouse button is pressed or the mouse moves to another
  // control (whose hint then follows after HintShortPause). ShowHint off
  // shows none. Hint is the long hint of the control under the mouse,
  // for a status bar; OnHint fires when it changes.
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  int HintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int Value) { FHintShortPause = Value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  TNotifyEvent OnHint;
  TShowHintEvent OnShowHint;
  // The mouse input a form received over Control (the hint follows it);
  // ScreenPos is where the mouse is.
  void HintMouseMessage(TControl* Control, unsigned Msg, const TPoint& ScreenPos);
  // A key went down: Ctrl+F1 shows the focused control's hint at once (true:
  // the key is used); any other key but a modifier hides the hint.
  bool HintKeyMessage(Word Key, TShiftState Shift);
  // Shows Control's hint now, under the control (the keyboard's way to read
  // a hint); false when it has none to show.
  bool ShowControlHint(TControl* Control);
  // Hides the hint and forgets the control it belongs to.
  void CancelHint();
  THintWindow* HintWindow() const { return FHintWindow.get(); }
  // The control whose hint shows or is awaited, or nullptr.
  TControl* HintControl() const { return FHintControl; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void Start(bool Headless, int* Argc, char** Argv);
  enum THintState : std::uint8_t { hsWaiting, hsShown, hsDone };
  bool HintFor(TControl* Control, THintInfo& Info, bool Asked);
  void SetHintControl(TControl* Control);
  void StartHintTimer(int Pause);
  void StopHintTimer();
  void HintTimerExpired();
  bool ShowHintInfo(THintInfo& Info);

  bool FShowHint = true;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  TColor FHintColor = clInfoBk;
  std::string FHint;
  std::unique_ptr<THintWindow> FHintWindow = std::make_unique<THintWindow>();
  TControl* FHintControl = nullptr;
  THintState FHintState = hsDone;
  std::uintptr_t FHintTimer = 0;
  TPoint FHintCursor;

  TCustomForm* FMainForm = nullptr;
  bool FTerminated = false;
  std::string FTitle;
  std::string FHelpFile;
  int FLastHelpContext = 0;
  std::vector<TCustomForm*> FReleased;
};

class TScreen : public TComponent {
public:
  explicit TScreen(TComponent* AOwner);
  int Width() const;
  int Height() const;
  int PixelsPerInch() const { return 96; }
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const { return FForms.at(Index); }
  TCustomForm* ActiveForm() const { return FActiveForm; }
  TWinControl* ActiveControl() const;
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }

private:
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
  TCursor FCursor = crDefault;

  friend class TCustomForm;
};

// The message box as a dialog of our own controls: an icon, the text, and one
// button per member of Buttons. ShowMessageDialog shows it modally and returns
// the result; an application with a display sends every MessageDlg here.
TForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
int ShowMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                      int HelpCtx);

// The login dialog of database connections: the database's name, the user
// name and the password (edits named UserName and Password), OK and Cancel.
// ShowLoginDialog shows it modally; the platform sends every LoginDialog here.
TForm* CreateLoginDialog(const std::string& Database, const std::string& UserName);
bool ShowLoginDialog(const std::string& Database, std::string& UserName, std::string& Password);

// A picture of the whole screen as the display shows it; false without one.
bool GrabScreenImage(TPixelBuffer& Image);

extern TApplication* Application;
extern TScreen* Screen;

} // namespace vcl
