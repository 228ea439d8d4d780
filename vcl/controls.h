// GUI platform: the control classes. TControl has bounds, parent, text,
// colour, font, mouse handling and the message dispatch every control uses;
// TWinControl adds a (windowless) window handle, children, tab order, focus
// and keyboard input; TGraphicControl and TCustomControl paint on a canvas.
// Only forms become native windows; every other control lives in its form's
// picture but keeps the classic window model.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vcl/accessibility.h"
#include "vcl/classes.h"
#include "vcl/graphics.h"
#include "vcl/messages.h"
#include "vcl/windows.h"

namespace vcl {

class TControl;
class TWinControl;
class TCustomForm;
class TControlCanvas;
class TPopupMenu;

VCL_ENUM(TAlign, std::uint8_t, alNone, alTop, alBottom, alLeft, alRight, alClient);
VCL_ENUM(TFormBorderStyle, std::uint8_t, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow,
         bsSizeToolWin);
using TBorderStyle = TFormBorderStyle; // controls use bsNone and bsSingle
enum TShiftStateE : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = Set<TShiftStateE>;
enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
enum TControlStateE : std::uint8_t {
  csLButtonDown,
  csClicked,
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,
  csCustomPaint
};
using TControlState = Set<TControlStateE>;
enum TControlStyleE : std::uint8_t {
  csAcceptsControls,
  csCaptureMouse,
  csDesignInteractive,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents
};
using TControlStyle = Set<TControlStyleE>;
VCL_ENUM(TDragMode, std::uint8_t, dmManual, dmAutomatic);
VCL_ENUM(TImeMode, std::uint8_t, imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira,
         imSKata, imKata, imChinese, imSHanguel, imHanguel);
using TCursor = std::int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSize = -5;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;

enum TDragState : std::uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

// What a drag carries. A control dragging itself is carried by a
// TDragControlObject, and the targets see the control as the source; an
// OnStartDrag handler may hand over a drag object of its own instead, and
// the targets then see that object.
class TDragObject : public TObject {
public:
  // The cursor over a target that takes the drop (Accepted) or does not.
  virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
};

class TDragControlObject : public TDragObject {
public:
  explicit TDragControlObject(TControl* AControl) : FControl(AControl) {}
  TControl* Control() const { return FControl; }
  // The control's DragCursor where it may be dropped, crNoDrop elsewhere.
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;

private:
  TControl* FControl;
};

using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
// Key is the character the key made: one Unicode code point.
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;

struct TCreateParams {
  std::string Caption;
  std::uint32_t Style = 0;
  std::uint32_t ExStyle = 0;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  std::string WinClassName;
};

// Key code plus $2000 for Shift, $4000 for Ctrl and $8000 for Alt.
TShortCut ShortCut(Word Key, TShiftState Shift);
void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift);
// The form a control sits on, or nullptr.
TCustomForm* GetParentForm(TControl* Control);
// The shift state of the keyboard and mouse buttons right now (set by the
// input that is being handled).
TShiftState KeyboardShiftState();
void SetKeyboardShiftState(TShiftState State);
// The control that receives all mouse input, or nullptr.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The mouse position in screen coordinates, as the input being handled left it.
TPoint MouseCursorPos();
void SetMouseCursorPos(const TPoint& P);
// The control being dragged (or pressed, for an automatic drag), or nullptr.
TControl* DragControl();
// Ends the drag in progress without a drop; false when there is none.
bool CancelDrag();

// Declares the published property tables of the GUI classes (once; every
// control's constructor calls it, so a program that makes a control can read
// and write forms of them).
void RegisterGuiClasses();

// True: controls have the 3D look (client edges, flat button borders).
extern bool NewStyleControls;

class TControl : public TComponent {
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // Messages: Perform sends one through WndProc, which hands it to Dispatch;
  // Dispatch calls the handler named after the message, and a handler that
  // does not handle passes it on to the inherited one, ending in DefaultHandler.
  std::intptr_t Perform(unsigned Msg, std::intptr_t WParam = 0, std::intptr_t LParam = 0);
  virtual void WndProc(TMessage& Message);
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  virtual TRect ClientRect();
  int ClientWidth() { return ClientRect().Right; }
  int ClientHeight() { return ClientRect().Bottom; }
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  // The screen (for forms) or form-picture position of the client area's origin.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(const TPoint& P);
  TPoint ScreenToClient(const TPoint& P);

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show();
  void Hide();
  // Visible, and every parent up to the form visible too.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);

  // The control's text (the caption of buttons and labels, the contents of edits).
  std::string Text() const { return GetControlText(); }
  void SetTextBuf(const std::string& Buffer);
  std::string Caption() const { return GetControlText(); }
  void SetCaption(const std::string& Value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  // The name a screen reader gives the control; empty: the name comes from
  // its label or its caption (AccessibleNameOf).
  const std::string& AccessibleName() const { return FAccessibleName; }
  void SetAccessibleName(const std::string& Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  // The menu a right click or the menu key opens on the control (nullptr:
  // the control's own, if it has one).
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);

  const TControlState& ControlState() const { return FControlState; }
  void SetControlState(const TControlState& Value) { FControlState = Value; }
  const TControlStyle& ControlStyle() const { return FControlStyle; }
  void SetControlStyle(const TControlStyle& Value) { FControlStyle = Value; }

  // Marks the control's rectangle out of date on its form.
  virtual void Invalidate();
  // Invalidate, then Update.
  void Repaint();
  // Paints what is out of date on the control's form now.
  void Update();
  void BringToFront();
  bool MouseCapture();
  void SetMouseCapture(bool Value);

  virtual void Click();
  virtual void DblClick();

  // What the control is to a screen reader (vcl/accessibility.h): its role,
  // the states only it knows of (the model adds focus, enabled and
  // visible), and its text when it is an edit (false otherwise).
  virtual TAccessibleRole AccessibleRole() const { return arClient; }
  // The name when neither AccessibleName, a label, a caption nor a hint
  // gives one (a picture-only button of a control says what it does).
  virtual std::string DefaultAccessibleName() const { return {}; }
  // What a screen reader reads after the name: the Hint, unless the control
  // has something more pressing to say.
  virtual std::string AccessibleDescription() const { return Hint(); }
  virtual void GetAccessibleStates(TAccessibleStates& States) { (void)States; }
  virtual bool GetAccessibleText(TAccessibleText& Text) const {
    (void)Text;
    return false;
  }

  // Dragging: BeginDrag starts at once when Immediate, else once the mouse
  // has moved Threshold pixels (-1: the usual 5) with the left button down;
  // EndDrag drops on the target under the mouse (Drop) or cancels.
  void BeginDrag(bool Immediate, int Threshold = -1);
  void EndDrag(bool Drop);
  bool Dragging() const;
  // The drop of Source at (X, Y) of the client area: OnDragDrop.
  virtual void DragDrop(TObject* Source, int X, int Y);

  // Form files nest controls inside their parents.
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnResize;
  TDragDropEvent OnDragDrop;
  TDragOverEvent OnDragOver;
  TEndDragEvent OnEndDrag;
  TStartDragEvent OnStartDrag;

protected:
  // The text behind Text and Caption; a control that keeps its text
  // elsewhere (an edit window) overrides them.
  virtual std::string GetControlText() const;
  virtual void SetControlText(const std::string& Value);
  virtual void Changed() {}
  virtual void Resize();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // Asks the control whether it takes the drop of Source (OnDragOver; a
  // control without the event takes nothing).
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DoStartDrag(TDragObject*& DragObject);
  virtual void DoEndDrag(TObject* Target, int X, int Y);
  // Keeps ParentFont when the parent's font is copied in.
  void ParentFontChanged();
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Message handlers of TControl.
  virtual void WMPaint(TMessage& Message);
  virtual void WMEraseBkgnd(TMessage& Message);
  virtual void WMSize(TMessage& Message);
  virtual void WMMove(TMessage& Message);
  virtual void WMSetText(TMessage& Message);
  virtual void WMLButtonDown(TMessage& Message);
  virtual void WMLButtonUp(TMessage& Message);
  virtual void WMLButtonDblClk(TMessage& Message);
  virtual void WMRButtonDown(TMessage& Message);
  virtual void WMRButtonUp(TMessage& Message);
  virtual void WMMouseMove(TMessage& Message);
  // A context menu is asked for: LParam holds the screen point, or -1 when
  // the keyboard asked (the menu then opens at the control's centre).
  virtual void WMContextMenu(TMessage& Message);
  virtual void CMEnabledChanged(TMessage& Message);
  virtual void CMVisibleChanged(TMessage& Message);
  virtual void CMFontChanged(TMessage& Message);
  virtual void CMColorChanged(TMessage& Message);
  virtual void CMTextChanged(TMessage& Message);
  virtual void CMParentFontChanged(TMessage& Message);
  virtual void CMParentColorChanged(TMessage& Message);
  virtual void CMParentShowHintChanged(TMessage& Message);
  virtual void CMHitTest(TMessage& Message);
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);

  TControlStyle FControlStyle;
  TControlState FControlState;

private:
  void FontChange(TObject* Sender);
  void MouseButtonDown(TMessage& Message, TMouseButton Button);
  void MouseButtonUp(TMessage& Message, TMouseButton Button);
  // Dragging (dragdrop.cpp).
  void DragInit();
  void DragTo(const TPoint& P);
  bool DragMouse(TMessage& Message);
  bool AutoDragPress(TMessage& Message);
  void DragGone();

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  TAlign FAlign = alNone;
  TColor FColor = clWindow;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FCopyingParentFont = false;
  std::string FText;
  std::string FHint;
  std::string FAccessibleName;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TCursor FCursor = crDefault;
  TDragMode FDragMode = dmManual;
  TCursor FDragCursor = crDrag;
  int FHelpContext = 0;
  TPopupMenu* FPopupMenu = nullptr;

  friend class TWinControl;
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // The window handle, created on first use.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // Reruns CreateParams and CreateWnd when the window exists.
  void RecreateWnd();
  // The window style chosen by CreateParams when the window was made.
  std::uint32_t WindowStyle() const { return FStyle; }
  std::uint32_t WindowExStyle() const { return FExStyle; }

  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetEnabled(bool Value) override;

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const { return FControls.at(Index); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control) const;
  // The visible, enabled child under P (client coordinates), windowed
  // children first, or nullptr.
  TControl* ControlAtPos(const TPoint& P, bool AllowDisabled);
  void Broadcast(TMessage& Message);
  void DefaultHandler(TMessage& Message) override;
  void GetChildren(const std::function<void(TComponent*)>& Proc,
                   const TComponent* Root) const override;

  int TabOrder() const;
  void SetTabOrder(int Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  void GetTabOrderList(std::vector<TWinControl*>& List);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                               bool CheckParent);
  // Moves the focus to the next (or previous) control in tab order; true when it moved.
  bool SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);

  virtual bool CanFocus();
  virtual bool Focused();
  // Raises EInvalidOperation when the control cannot take the focus.
  virtual void SetFocus();
  void Realign();

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

  // Paints the control and its children into Target; Origin is the buffer
  // position of the control's top-left corner, Clip the visible part.
  virtual void PaintWindow(TPixelBuffer& Target, const TPoint& Origin, const TRect& Clip);

protected:
  // Paints the client area (background, contents, children) with its origin at Origin.
  void PaintClient(TPixelBuffer& Target, const TPoint& Origin, const TRect& Clip);

protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  virtual void CreateHandle();
  virtual void DestroyHandle();
  // The frame the window draws outside its client area.
  virtual int FrameWidth();
  virtual void PaintNonClient(HDC__& DC, const TRect& Outer);
  virtual void PaintControls(HDC DC);
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  void Loaded() override;

  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyPress(char32_t& Key);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void DoEnter();
  virtual void DoExit();

  void Dispatch(TMessage& Message) override;
  virtual void WMSetFocus(TMessage& Message);
  virtual void WMKillFocus(TMessage& Message);
  virtual void WMKeyDown(TMessage& Message);
  virtual void WMKeyUp(TMessage& Message);
  virtual void WMChar(TMessage& Message);
  virtual void WMGetDlgCode(TMessage& Message);
  virtual void WMCut(TMessage& Message);
  virtual void WMCopy(TMessage& Message);
  virtual void WMPaste(TMessage& Message);
  virtual void WMClear(TMessage& Message);
  virtual void WMUndo(TMessage& Message);
  virtual void CNKeyDown(TMessage& Message);
  virtual void CNChar(TMessage& Message);
  virtual void CMEnter(TMessage& Message);
  virtual void CMExit(TMessage& Message);
  virtual void CMDialogKey(TMessage& Message);
  virtual void CMDialogChar(TMessage& Message);
  virtual void CMCtl3DChanged(TMessage& Message);
  virtual void CMParentCtl3DChanged(TMessage& Message);
  virtual void CMWantSpecialKey(TMessage& Message);
  virtual void CMGetDataLink(TMessage& Message);
  virtual void CMFocusChanged(TMessage& Message);
  void WMPaint(TMessage& Message) override;
  void WMEraseBkgnd(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;

private:
  bool DoKeyDown(TMessage& Message);
  bool DoKeyPress(TMessage& Message);
  bool DoKeyUp(TMessage& Message);
  bool IsMenuKey(Word Key);
  void NotifyChildren(unsigned Msg);
  void FixupTabList();

  HWND FHandle = nullptr;
  std::uint32_t FStyle = 0;
  std::uint32_t FExStyle = 0;
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  bool FTabStop = false;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  bool FAligning = false;
  int FTabOrderRead = -1;
  // A child being read has a tab order from its form file: the tab list is
  // sorted once, when the first child is loaded.
  bool FTabListPending = false;

  friend class TControl;
  friend class TCustomForm;
};

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const;

protected:
  virtual void Paint() {}
  void WMPaint(TMessage& Message) override;

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() const;

protected:
  virtual void Paint() {}
  void WMPaint(TMessage& Message) override;

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// A canvas on a control: drawing goes to the context set as its Handle (a
// paint context), or to one made on demand for the control's area.
class TControlCanvas : public TCanvas {
public:
  TControlCanvas();
  ~TControlCanvas() override;
  TControl* Control() const { return FControl; }
  void SetControl(TControl* Value);

protected:
  void CreateHandle() override;

private:
  void FreeOwnHandle();
  TControl* FControl = nullptr;
  HDC FOwnDC = nullptr;
};

} // namespace vcl
