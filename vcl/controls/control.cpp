// TControl: bounds, parent, text, colour and font, mouse input and the
// message dispatch; TGraphicControl and TControlCanvas; the small global
// helpers of the controls unit (ShortCut, mouse capture, shift state).
#include "vcl/controls/detail/guistate.h"
#include "vcl/forms.h"
#include "vcl/menus.h"
#include "vcl/windows/detail/gdi.h"

namespace vcl {

bool NewStyleControls = true;

namespace {
TShiftState& ShiftNow = detail::GuiState().ShiftNow;
TControl*& CaptureControl = detail::GuiState().CaptureControl;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
} // namespace

TShortCut ShortCut(Word Key, TShiftState Shift) {
  if (Key & 0xFF00)
    return 0;
  TShortCut Result = Key;
  if (Shift.Contains(ssShift))
    Result |= scShift;
  if (Shift.Contains(ssCtrl))
    Result |= scCtrl;
  if (Shift.Contains(ssAlt))
    Result |= scAlt;
  return Result;
}

void ShortCutToKey(TShortCut ShortCut, Word& Key, TShiftState& Shift) {
  Key = ShortCut & 0xFF;
  Shift = {};
  if (ShortCut & scShift)
    Shift.Include(ssShift);
  if (ShortCut & scCtrl)
    Shift.Include(ssCtrl);
  if (ShortCut & scAlt)
    Shift.Include(ssAlt);
}

TCustomForm* GetParentForm(TControl* Control) {
  while (Control && Control->Parent())
    Control = Control->Parent();
  return dynamic_cast<TCustomForm*>(Control);
}

TShiftState KeyboardShiftState() {
  return ShiftNow;
}
void SetKeyboardShiftState(TShiftState State) {
  ShiftNow = State;
}
TControl* GetCaptureControl() {
  return CaptureControl;
}
void SetCaptureControl(TControl* Control) {
  CaptureControl = Control;
}

// ---------------------------------------------------------------------------

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
  RegisterGuiClasses();
  FControlStyle = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FFont->OnChange = [this](TObject* Sender) { FontChange(Sender); };
}

TControl::~TControl() {
  Destroying();
  NotifyAccessible(this, aeDestroyed);
  DragGone();
  if (CaptureControl == this)
    CaptureControl = nullptr;
  FFont->OnChange = nullptr;
  if (FParent)
    FParent->RemoveControl(this);
}

std::intptr_t TControl::Perform(unsigned Msg, std::intptr_t WParam, std::intptr_t LParam) {
  TMessage Message{Msg, WParam, LParam, 0};
  WndProc(Message);
  return Message.Result;
}

void TControl::WndProc(TMessage& Message) {
  // While this control is dragged, the mouse moves the drag.
  if (Message.Msg >= WM_MOUSEMOVE && Message.Msg <= WM_MBUTTONDBLCLK &&
      ((Dragging() && DragMouse(Message)) || AutoDragPress(Message)))
    return;
  // The button state is known before any handler runs, so that a focus
  // change caused by the click can tell a click from a keyboard entry.
  if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK)
    FControlState.Include(csLButtonDown);
  else if (Message.Msg == WM_LBUTTONUP)
    FControlState.Exclude(csLButtonDown);
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
  case WM_PAINT:
    WMPaint(Message);
    break;
  case WM_ERASEBKGND:
    WMEraseBkgnd(Message);
    break;
  case WM_SIZE:
    WMSize(Message);
    break;
  case WM_MOVE:
    WMMove(Message);
    break;
  case WM_SETTEXT:
    WMSetText(Message);
    break;
  case WM_LBUTTONDOWN:
    WMLButtonDown(Message);
    break;
  case WM_LBUTTONUP:
    WMLButtonUp(Message);
    break;
  case WM_LBUTTONDBLCLK:
    WMLButtonDblClk(Message);
    break;
  case WM_RBUTTONDOWN:
    WMRButtonDown(Message);
    break;
  case WM_RBUTTONUP:
    WMRButtonUp(Message);
    break;
  case WM_MOUSEMOVE:
    WMMouseMove(Message);
    break;
  case WM_CONTEXTMENU:
    WMContextMenu(Message);
    break;
  case CM_ENABLEDCHANGED:
    CMEnabledChanged(Message);
    break;
  case CM_VISIBLECHANGED:
    CMVisibleChanged(Message);
    break;
  case CM_FONTCHANGED:
    CMFontChanged(Message);
    break;
  case CM_COLORCHANGED:
    CMColorChanged(Message);
    break;
  case CM_TEXTCHANGED:
    CMTextChanged(Message);
    break;
  case CM_PARENTFONTCHANGED:
    CMParentFontChanged(Message);
    break;
  case CM_PARENTCOLORCHANGED:
    CMParentColorChanged(Message);
    break;
  case CM_PARENTSHOWHINTCHANGED:
    CMParentShowHintChanged(Message);
    break;
  case CM_HITTEST:
    CMHitTest(Message);
    break;
  case CM_MOUSEENTER:
    CMMouseEnter(Message);
    break;
  case CM_MOUSELEAVE:
    CMMouseLeave(Message);
    break;
  default:
    DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
  case WM_GETTEXTLENGTH:
    Message.Result = Length(FText);
    break;
  case WM_SETTEXT:
    FText = reinterpret_cast<const char*>(Message.LParam);
    Message.Result = 1;
    break;
  case WM_CONTEXTMENU:
    // A control without a menu of its own lets its parent answer.
    if (FParent)
      Message.Result = FParent->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
    break;
  default:
    break;
  }
}

std::string TControl::GetControlText() const {
  return FText;
}

void TControl::SetControlText(const std::string& Value) {
  if (Value != GetControlText())
    SetTextBuf(Value);
}

void TControl::SetTextBuf(const std::string& Buffer) {
  Perform(WM_SETTEXT, 0, reinterpret_cast<std::intptr_t>(Buffer.c_str()));
  Perform(CM_TEXTCHANGED);
}

void TControl::SetCaption(const std::string& Value) {
  SetControlText(Value);
}

void TControl::SetAccessibleName(const std::string& Value) {
  if (Value == FAccessibleName)
    return;
  FAccessibleName = Value;
  NotifyAccessible(this, aeNameChanged);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
    return;
  Invalidate();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  Invalidate();
  if (FParent && FAlign != alNone)
    FParent->Realign();
  if (!ComponentState().Contains(csLoading))
    Resize();
}

TRect TControl::ClientRect() {
  return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientWidth(int Value) {
  SetWidth(FWidth - ClientWidth() + Value);
}
void TControl::SetClientHeight(int Value) {
  SetHeight(FHeight - ClientHeight() + Value);
}

TPoint TControl::ClientOrigin() {
  if (!FParent)
    return {FLeft, FTop};
  const TPoint P = FParent->ClientOrigin();
  return {P.X + FLeft, P.Y + FTop};
}

TPoint TControl::ClientToScreen(const TPoint& P) {
  const TPoint O = ClientOrigin();
  return {P.X + O.X, P.Y + O.Y};
}

TPoint TControl::ScreenToClient(const TPoint& P) {
  const TPoint O = ClientOrigin();
  return {P.X - O.X, P.Y - O.Y};
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent)
    return;
  if (AParent == this)
    throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent)
    FParent->RemoveControl(this);
  if (AParent)
    AParent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const {
  return FParent;
}

// A form file nests a control in its parent. Nested in a control that holds
// none (a label, say), it would be left without a parent and written back at
// the top level, in another place than the file gave it; so the file is
// refused. The root may be any component: what it owns without a parent is
// written back inside it.
void TControl::SetParentComponent(TComponent* Value) {
  if (auto* W = dynamic_cast<TWinControl*>(Value))
    SetParent(W);
  else if (Value && Value != Owner())
    throw EInvalidOperation(Name() + " cannot be placed in " + Value->Name() + ": a " +
                            Value->ClassName() + " holds no controls");
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible)
    return;
  Invalidate();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value);
  Invalidate();
  if (FParent && FAlign != alNone)
    FParent->Realign();
}

void TControl::Show() {
  SetVisible(true);
  if (FParent)
    BringToFront();
}

void TControl::Hide() {
  SetVisible(false);
}

bool TControl::Showing() const {
  return FVisible && (!FParent || FParent->Showing());
}

void TControl::SetEnabled(bool Value) {
  if (Value != FEnabled) {
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED);
  }
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign)
    return;
  FAlign = Value;
  if (FParent)
    FParent->Realign();
}

void TControl::SetColor(TColor Value) {
  if (Value != FColor) {
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
  }
}

void TControl::SetParentColor(bool Value) {
  if (Value != FParentColor) {
    FParentColor = Value;
    if (FParent && Value)
      Perform(CM_PARENTCOLORCHANGED);
  }
}

void TControl::SetParentFont(bool Value) {
  if (Value != FParentFont) {
    FParentFont = Value;
    if (FParent && Value)
      Perform(CM_PARENTFONTCHANGED);
  }
}

void TControl::FontChange(TObject*) {
  if (!FCopyingParentFont)
    FParentFont = false;
  Perform(CM_FONTCHANGED);
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent)
    return;
  FCopyingParentFont = true;
  FFont->Assign(FParent->Font());
  FCopyingParentFont = false;
}

namespace {
// Children that follow their parent's ShowHint take the new value, and
// theirs follow them in turn.
void ShowHintChanged(TControl* Control) {
  if (auto* W = dynamic_cast<TWinControl*>(Control)) {
    TMessage M{CM_PARENTSHOWHINTCHANGED, 0, 0, 0};
    W->Broadcast(M);
  }
}
} // namespace

void TControl::SetShowHint(bool Value) {
  FShowHint = Value;
  FParentShowHint = false;
  ShowHintChanged(this);
}

void TControl::SetParentShowHint(bool Value) {
  FParentShowHint = Value;
  if (Value && FParent) {
    FShowHint = FParent->ShowHint();
    ShowHintChanged(this);
  }
}

void TControl::Invalidate() {
  TCustomForm* Form = GetParentForm(this);
  if (!Form)
    return;
  if (!FParent) {
    Form->InvalidateForm();
    return;
  }
  const TPoint Origin = FParent->ClientOrigin(), FormOrigin = Form->ClientOrigin();
  Form->InvalidateRect(
      Bounds(Origin.X - FormOrigin.X + FLeft, Origin.Y - FormOrigin.Y + FTop, FWidth, FHeight));
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  if (TCustomForm* Form = GetParentForm(this))
    Form->Flush();
}

void TControl::BringToFront() {
  if (!FParent)
    return;
  auto& List = FParent->FControls;
  std::erase(List, this);
  List.push_back(this);
  Invalidate();
}

bool TControl::MouseCapture() {
  return CaptureControl == this;
}

void TControl::SetMouseCapture(bool Value) {
  if (Value)
    CaptureControl = this;
  else if (CaptureControl == this)
    CaptureControl = nullptr;
}

void TControl::Click() {
  if (OnClick)
    OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick)
    OnDblClick(this);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (Value == FPopupMenu)
    return;
  if (FPopupMenu)
    FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value)
    Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu)
    FPopupMenu = nullptr;
}

void TControl::Resize() {
  if (OnResize)
    OnResize(this);
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (FParent) {
    if (FParentFont)
      ParentFontChanged();
    if (FParentColor)
      FColor = FParent->Color();
    if (FParentShowHint)
      Perform(CM_PARENTSHOWHINTCHANGED);
  }
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown)
    OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove)
    OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp)
    OnMouseUp(this, Button, Shift, X, Y);
}

// ---------------------------------------------------------------------------
// Default message handlers

void TControl::WMPaint(TMessage& Message) {
  DefaultHandler(Message);
}
void TControl::WMEraseBkgnd(TMessage& Message) {
  DefaultHandler(Message);
}
void TControl::WMSize(TMessage& Message) {
  DefaultHandler(Message);
}
void TControl::WMMove(TMessage& Message) {
  DefaultHandler(Message);
}
void TControl::WMSetText(TMessage& Message) {
  DefaultHandler(Message);
}

void TControl::MouseButtonDown(TMessage& Message, TMouseButton Button) {
  DefaultHandler(Message);
  if (ComponentState().Contains(csDestroying))
    return;
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(true);
  if (Button == mbLeft && FControlStyle.Contains(csClickEvents))
    FControlState.Include(csClicked);
  MouseDown(Button, KeyboardShiftState(), SmallX(Message.LParam), SmallY(Message.LParam));
}

void TControl::MouseButtonUp(TMessage& Message, TMouseButton Button) {
  DefaultHandler(Message);
  if (FControlStyle.Contains(csCaptureMouse))
    SetMouseCapture(false);
  const TPoint P{SmallX(Message.LParam), SmallY(Message.LParam)};
  if (Button == mbLeft && FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    if (PtInRect(ClientRect(), P))
      Click();
  }
  MouseUp(Button, KeyboardShiftState(), P.X, P.Y);
}

void TControl::WMLButtonDown(TMessage& Message) {
  MouseButtonDown(Message, mbLeft);
}
void TControl::WMLButtonUp(TMessage& Message) {
  MouseButtonUp(Message, mbLeft);
}
void TControl::WMRButtonDown(TMessage& Message) {
  MouseButtonDown(Message, mbRight);
}
void TControl::WMRButtonUp(TMessage& Message) {
  MouseButtonUp(Message, mbRight);
  if (ComponentState().Contains(csDestroying))
    return;
  const TPoint P = ClientToScreen({SmallX(Message.LParam), SmallY(Message.LParam)});
  Perform(WM_CONTEXTMENU, 0, MakeLong(P.X, P.Y));
}

void TControl::WMContextMenu(TMessage& Message) {
  if (!FPopupMenu || !FPopupMenu->AutoPopup() || ComponentState().Contains(csDesigning)) {
    DefaultHandler(Message);
    return;
  }
  TPoint P{SmallX(Message.LParam), SmallY(Message.LParam)};
  if (Message.LParam == -1) {
    const TRect R = ClientRect();
    P = ClientToScreen({R.Right / 2, R.Bottom / 2});
  }
  FPopupMenu->SetPopupComponent(this);
  FPopupMenu->Popup(P.X, P.Y);
  Message.Result = 1;
}

void TControl::WMLButtonDblClk(TMessage& Message) {
  DefaultHandler(Message);
  if (FControlStyle.Contains(csDoubleClicks))
    DblClick();
  MouseDown(mbLeft, KeyboardShiftState() + TShiftState{ssDouble}, SmallX(Message.LParam),
            SmallY(Message.LParam));
}

void TControl::WMMouseMove(TMessage& Message) {
  DefaultHandler(Message);
  MouseMove(KeyboardShiftState(), SmallX(Message.LParam), SmallY(Message.LParam));
}

void TControl::CMEnabledChanged(TMessage&) {
  Invalidate();
  NotifyAccessible(this, aeStateChanged);
}
void TControl::CMVisibleChanged(TMessage&) {
  Invalidate();
  NotifyAccessible(this, aeStateChanged);
}
void TControl::CMFontChanged(TMessage&) {
  Invalidate();
}
void TControl::CMColorChanged(TMessage&) {
  Invalidate();
}
void TControl::CMTextChanged(TMessage&) {
  Invalidate();
  // A caption may be this control's name or a labelled control's.
  NotifyAccessible(this, aeNameChanged);
}
void TControl::CMParentFontChanged(TMessage&) {
  ParentFontChanged();
}

void TControl::CMParentColorChanged(TMessage&) {
  if (FParentColor && FParent) {
    FColor = FParent->Color();
    Perform(CM_COLORCHANGED);
    FParentColor = true;
  }
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (FParentShowHint && FParent) {
    FShowHint = FParent->ShowHint();
    ShowHintChanged(this);
  }
}

void TControl::CMHitTest(TMessage& Message) {
  Message.Result = 1;
}
void TControl::CMMouseEnter(TMessage& Message) {
  DefaultHandler(Message);
}
void TControl::CMMouseLeave(TMessage& Message) {
  DefaultHandler(Message);
}

// ---------------------------------------------------------------------------

namespace {

// Binds the control's canvas to the paint DC for the length of one paint,
// and lets it go again also when the paint throws.
template <typename F> void PaintOnCanvas(TControlCanvas& Canvas, HDC DC, F&& Paint) {
  struct TRelease {
    TControlCanvas& Canvas;
    ~TRelease() { Canvas.SetHandle(nullptr); }
  };
  Canvas.SetHandle(DC);
  const TRelease Release{Canvas};
  Paint();
}

} // namespace

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas() const {
  return FCanvas.get();
}

void TGraphicControl::WMPaint(TMessage& Message) {
  if (!Message.WParam)
    return;
  PaintOnCanvas(*FCanvas, reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() const {
  return FCanvas.get();
}

void TCustomControl::WMPaint(TMessage& Message) {
  if (!Message.WParam)
    return;
  PaintOnCanvas(*FCanvas, reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
  PaintControls(reinterpret_cast<HDC>(Message.WParam));
}

// ---------------------------------------------------------------------------

TControlCanvas::TControlCanvas() = default;

TControlCanvas::~TControlCanvas() {
  FreeOwnHandle();
}

void TControlCanvas::SetControl(TControl* Value) {
  if (Value == FControl)
    return;
  FreeOwnHandle();
  FControl = Value;
}

void TControlCanvas::FreeOwnHandle() {
  if (FOwnDC) {
    if (PeekHandle() == FOwnDC)
      SetHandle(nullptr);
    ReleaseDC(nullptr, FOwnDC);
    FOwnDC = nullptr;
  }
}

void TControlCanvas::CreateHandle() {
  if (!FControl)
    return;
  FreeOwnHandle();
  auto* Win = dynamic_cast<TWinControl*>(FControl);
  FOwnDC =
      GetDC(Win ? Win->Handle() : (FControl->Parent() ? FControl->Parent()->Handle() : nullptr));
  if (!Win && FOwnDC) {
    // A graphic control draws in its parent's window, shifted to its own area.
    FOwnDC->Origin.X += FControl->Left();
    FOwnDC->Origin.Y += FControl->Top();
    TRect Own = Bounds(FOwnDC->Origin.X, FOwnDC->Origin.Y, FControl->Width(), FControl->Height());
    IntersectRect(FOwnDC->Clip, FOwnDC->Clip, Own);
  }
  SetHandle(FOwnDC);
}

} // namespace vcl
