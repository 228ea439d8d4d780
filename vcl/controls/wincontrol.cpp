// TWinControl: the window handle life cycle, children and alignment, tab
// order, focus requests, and keyboard input with the dialog-key protocol
// (painting is in wincontrol_paint.cpp).
#include <algorithm>

#include "vcl/forms.h"
#include "vcl/menus.h"
#include "vcl/windows/detail/gdi.h"

namespace vcl {

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  // Leave the parent while still a windowed control, so the form lets go of the focus.
  if (Parent())
    Parent()->RemoveControl(this);
  // Children go with their parent, as windows do; each one leaves its owner too.
  while (!FControls.empty()) {
    TControl* Child = FControls.back();
    RemoveControl(Child);
    delete Child;
  }
  if (FHandle)
    DestroyWnd();
}

// ---------------------------------------------------------------------------
// Handle life cycle

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle)
    return;
  if (Parent())
    Parent()->HandleNeeded();
  if (!FHandle) // the parent's creation may have made ours
    CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = GetControlText();
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls))
    Params.Style |= WS_CLIPCHILDREN;
  if (Visible())
    Params.Style |= WS_VISIBLE;
  if (!Enabled())
    Params.Style |= WS_DISABLED;
  if (FTabStop)
    Params.Style |= WS_TABSTOP;
  Params.X = Left();
  Params.Y = Top();
  Params.Width = Width();
  Params.Height = Height();
  Params.WndParent = Parent() && Parent()->HandleAllocated() ? Parent()->FHandle : nullptr;
  Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
  TCreateParams Params;
  CreateParams(Params);
  FStyle = Params.Style;
  FExStyle = Params.ExStyle;
  FHandle = new HWND__{this, nullptr};
}

void TWinControl::DestroyWnd() {
  TMessage M{WM_DESTROY, 0, 0, 0};
  DefaultHandler(M);
  gdi::ForgetCaret(FHandle);
  delete FHandle;
  FHandle = nullptr;
}

void TWinControl::CreateHandle() {
  if (FHandle)
    return;
  CreateWnd();
  for (TControl* C : FControls)
    if (auto* W = dynamic_cast<TWinControl*>(C))
      W->HandleNeeded();
  // A window learns its size as it is created.
  const TRect R = ClientRect();
  Perform(WM_SIZE, 0, MakeLong(R.Right, R.Bottom));
}

void TWinControl::DestroyHandle() {
  if (!FHandle)
    return;
  for (TControl* C : FControls)
    if (auto* W = dynamic_cast<TWinControl*>(C))
      W->DestroyHandle();
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (!FHandle)
    return;
  // The new window takes the keyboard focus back (and with it its caret).
  const bool WasFocused = Focused();
  DestroyHandle();
  HandleNeeded();
  if (WasFocused)
    Perform(WM_SETFOCUS);
  Invalidate();
}

int TWinControl::FrameWidth() {
  std::uint32_t Style = FStyle, ExStyle = FExStyle;
  if (!FHandle) {
    TCreateParams Params;
    CreateParams(Params);
    Style = Params.Style;
    ExStyle = Params.ExStyle;
  }
  if (ExStyle & WS_EX_CLIENTEDGE)
    return 2;
  return (Style & WS_BORDER) ? 1 : 0;
}

TRect TWinControl::ClientRect() {
  const int B = FrameWidth();
  return Rect(0, 0, std::max(Width() - 2 * B, 0), std::max(Height() - 2 * B, 0));
}

TPoint TWinControl::ClientOrigin() {
  const int B = FrameWidth();
  if (!Parent())
    return {Left() + B, Top() + B};
  const TPoint P = Parent()->ClientOrigin();
  return {P.X + Left() + B, P.Y + Top() + B};
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const bool Resized = AWidth != Width() || AHeight != Height();
  const bool Moved = ALeft != Left() || ATop != Top();
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FHandle && Moved)
    Perform(WM_MOVE, 0, MakeLong(ALeft, ATop));
  if (FHandle && Resized) {
    const TRect R = ClientRect();
    Perform(WM_SIZE, 0, MakeLong(R.Right, R.Bottom));
  }
  if (Resized)
    Realign();
}

void TWinControl::SetEnabled(bool Value) {
  if (Value == Enabled())
    return;
  TControl::SetEnabled(Value);
  // A control that loses its enabling while it (or a control inside it) has
  // the focus gives the focus to its form; being disabled by then, the
  // control leaving cannot take the focus back.
  if (!Value)
    if (TCustomForm* Form = GetParentForm(this);
        Form && Form != this && ContainsControl(Form->ActiveControl()))
      Form->SetFocusedControl(nullptr);
}

// ---------------------------------------------------------------------------
// Children

void TWinControl::InsertControl(TControl* AControl) {
  AControl->FParent = this;
  FControls.push_back(AControl);
  if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
    FTabList.push_back(W);
    if (W->FTabOrderRead >= 0 && W->ComponentState().Contains(csLoading))
      FTabListPending = true;
    if (W->FParentCtl3D)
      W->FCtl3D = FCtl3D;
  }
  if (!AControl->ComponentState().Contains(csLoading)) {
    AControl->ParentFontChanged();
    if (AControl->FParentColor)
      AControl->FColor = Color();
    // Through the message, so that the control's own children follow too.
    if (AControl->FParentShowHint)
      AControl->Perform(CM_PARENTSHOWHINTCHANGED);
  }
  if (FHandle)
    if (auto* W = dynamic_cast<TWinControl*>(AControl))
      W->HandleNeeded();
  if (AControl->Align() != alNone)
    Realign();
  AControl->Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
  AControl->Invalidate();
  if (auto* W = dynamic_cast<TWinControl*>(AControl)) {
    if (TCustomForm* Form = GetParentForm(this))
      Form->ControlRemoving(W);
    EraseLast(FTabList, W);
    if (W->FHandle)
      W->DestroyHandle();
  }
  EraseLast(FControls, AControl);
  AControl->FParent = nullptr;
  if (AControl->Align() != alNone)
    Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const {
  while (Control && Control != this)
    Control = Control->Parent();
  return Control == this;
}

TControl* TWinControl::ControlAtPos(const TPoint& P, bool AllowDisabled) {
  // Windowed children lie above graphic ones; later ones above earlier ones.
  for (int Pass = 0; Pass < 2; ++Pass)
    for (auto It = FControls.rbegin(); It != FControls.rend(); ++It) {
      TControl* C = *It;
      const bool Windowed = dynamic_cast<TWinControl*>(C) != nullptr;
      if (Windowed != (Pass == 0))
        continue;
      if (C->Visible() && (AllowDisabled || C->Enabled()) && PtInRect(C->BoundsRect(), P))
        return C;
    }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (std::size_t I = 0; I < FControls.size(); ++I) {
    FControls[I]->WndProc(Message);
    if (Message.Result != 0)
      return;
  }
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& Proc,
                              const TComponent* Root) const {
  if (this == Root) {
    TComponent::GetChildren(Proc, Root);
    return;
  }
  for (TControl* C : FControls)
    if (C->Owner() == Root)
      Proc(C);
}

void TWinControl::NotifyChildren(unsigned Msg) {
  const std::vector<TControl*> Children = FControls;
  for (TControl* C : Children)
    C->Perform(Msg);
}

void TWinControl::Realign() {
  if (FAligning || ComponentState().Contains(csLoading))
    return;
  TRect R = ClientRect();
  AlignControls(nullptr, R);
}

void TWinControl::AlignControls(TControl*, TRect& R) {
  FAligning = true;
  for (TAlign A : {alTop, alBottom, alLeft, alRight, alClient})
    for (TControl* C : FControls) {
      if (C->Align() != A || !C->Visible())
        continue;
      const int W = C->Width(), H = C->Height();
      switch (A) {
      case alTop:
        C->SetBounds(R.Left, R.Top, R.Width(), H);
        R.Top += H;
        break;
      case alBottom:
        C->SetBounds(R.Left, R.Bottom - H, R.Width(), H);
        R.Bottom -= H;
        break;
      case alLeft:
        C->SetBounds(R.Left, R.Top, W, R.Height());
        R.Left += W;
        break;
      case alRight:
        C->SetBounds(R.Right - W, R.Top, W, R.Height());
        R.Right -= W;
        break;
      default:
        C->SetBounds(R.Left, R.Top, R.Width(), R.Height());
        break;
      }
    }
  FAligning = false;
}

void TWinControl::Loaded() {
  TControl::Loaded();
  // Tab orders read from a form file are applied once all siblings exist.
  if (Parent())
    Parent()->FixupTabList();
  Realign();
}

// A control read with a tab order takes that place. The rest fill the free
// places: those whose order was out of range or taken (in the order they
// name) and then those that read none, in the order they were read. A form
// shown inside another writes no tab order, so it must keep the place it was
// read in for its siblings' written orders to read back the same.
void TWinControl::FixupTabList() {
  if (!FTabListPending)
    return;
  FTabListPending = false;
  const int Count = static_cast<int>(FTabList.size());
  std::vector<TWinControl*> Placed(FTabList.size(), nullptr);
  std::vector<TWinControl*> Rest;
  for (TWinControl* W : FTabList) {
    const int Order = W->FTabOrderRead;
    if (Order >= 0 && Order < Count && !Placed[Order])
      Placed[Order] = W;
    else
      Rest.push_back(W);
  }
  std::stable_sort(Rest.begin(), Rest.end(), [](TWinControl* A, TWinControl* B) {
    const int KA = A->FTabOrderRead < 0 ? 0x7FFFFFFF : A->FTabOrderRead;
    const int KB = B->FTabOrderRead < 0 ? 0x7FFFFFFF : B->FTabOrderRead;
    return KA < KB;
  });
  auto Next = Rest.begin();
  for (TWinControl*& Slot : Placed)
    if (!Slot)
      Slot = *Next++;
  FTabList = std::move(Placed);
}

// ---------------------------------------------------------------------------
// Tab order and focus

int TWinControl::TabOrder() const {
  if (!Parent())
    return -1;
  const auto& List = Parent()->FTabList;
  const auto It = std::find(List.begin(), List.end(), this);
  return It == List.end() ? -1 : static_cast<int>(It - List.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading)) {
    FTabOrderRead = Value;
    if (Parent())
      Parent()->FTabListPending = true;
    return;
  }
  if (!Parent())
    return;
  auto& List = Parent()->FTabList;
  const int Count = static_cast<int>(List.size());
  const int Current = TabOrder();
  if (Value < 0 || Value >= Count)
    Value = Count - 1;
  if (Value == Current)
    return;
  List.erase(List.begin() + Current);
  List.insert(List.begin() + Value, this);
}

void TWinControl::SetTabStop(bool Value) {
  if (Value != FTabStop) {
    FTabStop = Value;
    Perform(CM_TABSTOPCHANGED);
  }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
  for (TWinControl* C : FTabList) {
    List.push_back(C);
    C->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward,
                                          bool CheckTabStop, bool CheckParent) {
  std::vector<TWinControl*> List;
  GetTabOrderList(List);
  if (List.empty())
    return nullptr;
  const int Count = static_cast<int>(List.size());
  const auto Found = std::find(List.begin(), List.end(), CurControl);
  int Start =
      Found == List.end() ? (GoForward ? Count - 1 : 0) : static_cast<int>(Found - List.begin());
  int I = Start;
  do {
    I = GoForward ? (I + 1) % Count : (I + Count - 1) % Count;
    TWinControl* C = List[I];
    if (C->CanFocus() && (!CheckTabStop || C->TabStop()) && (!CheckParent || C->Parent() == this))
      return C;
  } while (I != Start);
  return nullptr;
}

bool TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  TWinControl* Next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
  if (!Next)
    return false;
  Next->SetFocus();
  return Next->Focused();
}

bool TWinControl::CanFocus() {
  TCustomForm* Form = GetParentForm(this);
  if (!Form)
    return false;
  for (TControl* C = this; C; C = C->Parent())
    if (!C->Visible() || !C->Enabled())
      return false;
  return true;
}

bool TWinControl::Focused() {
  TCustomForm* Form = GetParentForm(this);
  return Form && Form->Active() && Form->FocusedControl() == this;
}

void TWinControl::SetFocus() {
  if (TCustomForm* Form = GetParentForm(this))
    Form->FocusControl(this);
  else
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
}

void TWinControl::SetCtl3D(bool Value) {
  if (Value == FCtl3D && !FParentCtl3D)
    return;
  FCtl3D = Value;
  FParentCtl3D = false;
  Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool Value) {
  if (Value == FParentCtl3D)
    return;
  FParentCtl3D = Value;
  if (Value && Parent())
    Perform(CM_PARENTCTL3DCHANGED);
}

// ---------------------------------------------------------------------------
// Keyboard

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown)
    OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(char32_t& Key) {
  if (OnKeyPress)
    OnKeyPress(this, Key);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (OnKeyUp)
    OnKeyUp(this, Key, Shift);
}

void TWinControl::DoEnter() {
  if (OnEnter)
    OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit)
    OnExit(this);
}

bool TWinControl::DoKeyDown(TMessage& Message) {
  Word Key = static_cast<Word>(Message.WParam);
  TCustomForm* Form = GetParentForm(this);
  if (Form && Form != this && Form->KeyPreview()) {
    static_cast<TWinControl*>(Form)->KeyDown(Key, KeyboardShiftState());
    if (Key == 0)
      return true;
  }
  KeyDown(Key, KeyboardShiftState());
  Message.WParam = Key;
  return Key == 0;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
  char32_t Key = static_cast<char32_t>(Message.WParam);
  TCustomForm* Form = GetParentForm(this);
  if (Form && Form != this && Form->KeyPreview()) {
    static_cast<TWinControl*>(Form)->KeyPress(Key);
    if (Key == 0)
      return true;
  }
  KeyPress(Key);
  Message.WParam = Key;
  return Key == 0;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
  Word Key = static_cast<Word>(Message.WParam);
  TCustomForm* Form = GetParentForm(this);
  if (Form && Form != this && Form->KeyPreview()) {
    static_cast<TWinControl*>(Form)->KeyUp(Key, KeyboardShiftState());
    if (Key == 0)
      return true;
  }
  KeyUp(Key, KeyboardShiftState());
  Message.WParam = Key;
  return Key == 0;
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
  case WM_SETFOCUS:
    WMSetFocus(Message);
    break;
  case WM_KILLFOCUS:
    WMKillFocus(Message);
    break;
  case WM_KEYDOWN:
    WMKeyDown(Message);
    break;
  case WM_KEYUP:
    WMKeyUp(Message);
    break;
  case WM_CHAR:
    WMChar(Message);
    break;
  case WM_GETDLGCODE:
    WMGetDlgCode(Message);
    break;
  case WM_CUT:
    WMCut(Message);
    break;
  case WM_COPY:
    WMCopy(Message);
    break;
  case WM_PASTE:
    WMPaste(Message);
    break;
  case WM_CLEAR:
    WMClear(Message);
    break;
  case WM_UNDO:
    WMUndo(Message);
    break;
  case CN_KEYDOWN:
    CNKeyDown(Message);
    break;
  case CN_CHAR:
    CNChar(Message);
    break;
  case CM_ENTER:
    CMEnter(Message);
    break;
  case CM_EXIT:
    CMExit(Message);
    break;
  case CM_DIALOGKEY:
    CMDialogKey(Message);
    break;
  case CM_DIALOGCHAR:
    CMDialogChar(Message);
    break;
  case CM_CTL3DCHANGED:
    CMCtl3DChanged(Message);
    break;
  case CM_PARENTCTL3DCHANGED:
    CMParentCtl3DChanged(Message);
    break;
  case CM_WANTSPECIALKEY:
    CMWantSpecialKey(Message);
    break;
  case CM_GETDATALINK:
    CMGetDataLink(Message);
    break;
  case CM_FOCUSCHANGED:
    CMFocusChanged(Message);
    break;
  default:
    TControl::Dispatch(Message);
  }
}

void TWinControl::WMSetFocus(TMessage& Message) {
  DefaultHandler(Message);
}
void TWinControl::WMKillFocus(TMessage& Message) {
  DefaultHandler(Message);
}

void TWinControl::WMKeyDown(TMessage& Message) {
  if (DoKeyDown(Message))
    return;
  DefaultHandler(Message);
  // The menu key and Shift+F10 ask for the context menu.
  if (Message.WParam == VK_APPS ||
      (Message.WParam == VK_F10 && KeyboardShiftState() == TShiftState{ssShift}))
    Perform(WM_CONTEXTMENU, 0, -1);
}

// A shortcut of the popup menu of the control, or of a control it sits in,
// clicks its item before the control sees the key.
bool TWinControl::IsMenuKey(Word Key) {
  const TShortCut Short = ShortCut(Key, KeyboardShiftState());
  for (TControl* C = this; C; C = C->Parent())
    if (C->PopupMenu() && C->PopupMenu()->IsShortCut(Short))
      return true;
  return false;
}

void TWinControl::WMKeyUp(TMessage& Message) {
  if (!DoKeyUp(Message))
    DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
  if (!DoKeyPress(Message))
    DefaultHandler(Message);
}

void TWinControl::WMGetDlgCode(TMessage& Message) {
  DefaultHandler(Message);
}
void TWinControl::WMCut(TMessage& Message) {
  DefaultHandler(Message);
}
void TWinControl::WMCopy(TMessage& Message) {
  DefaultHandler(Message);
}
void TWinControl::WMPaste(TMessage& Message) {
  DefaultHandler(Message);
}
void TWinControl::WMClear(TMessage& Message) {
  DefaultHandler(Message);
}
void TWinControl::WMUndo(TMessage& Message) {
  DefaultHandler(Message);
}

// Dialog keys (Tab, arrows, Enter, Escape) that the control does not want go
// to its form first; a form that uses the key consumes it.
void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = 1;
  if (!ComponentState().Contains(csDesigning)) {
    if (IsMenuKey(static_cast<Word>(Message.WParam)))
      return;
    unsigned Mask = 0;
    switch (Message.WParam) {
    case VK_TAB:
      Mask = DLGC_WANTTAB;
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      Mask = DLGC_WANTARROWS;
      break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
      Mask = DLGC_WANTALLKEYS;
      break;
    default:
      break;
    }
    TCustomForm* Form = GetParentForm(this);
    if (Mask != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam) == 0 &&
        (Perform(WM_GETDLGCODE) & Mask) == 0 && Form &&
        Form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
      return;
  }
  Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message) {
  Message.Result = 1;
  TCustomForm* Form = GetParentForm(this);
  if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0 && Form &&
      Form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
    return;
  Message.Result = 0;
}

void TWinControl::CMEnter(TMessage&) {
  DoEnter();
}
void TWinControl::CMExit(TMessage&) {
  DoExit();
}
void TWinControl::CMDialogKey(TMessage& Message) {
  Broadcast(Message);
}
void TWinControl::CMDialogChar(TMessage& Message) {
  Broadcast(Message);
}

void TWinControl::CMCtl3DChanged(TMessage&) {
  RecreateWnd();
  NotifyChildren(CM_PARENTCTL3DCHANGED);
}

void TWinControl::CMParentCtl3DChanged(TMessage&) {
  if (FParentCtl3D && Parent()) {
    SetCtl3D(Parent()->Ctl3D());
    FParentCtl3D = true;
  }
}

void TWinControl::CMWantSpecialKey(TMessage& Message) {
  Message.Result = 0;
}
void TWinControl::CMGetDataLink(TMessage& Message) {
  Message.Result = 0;
}
void TWinControl::CMFocusChanged(TMessage& Message) {
  Broadcast(Message);
}

void TWinControl::CMFontChanged(TMessage& Message) {
  TControl::CMFontChanged(Message);
  NotifyChildren(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& Message) {
  TControl::CMColorChanged(Message);
  NotifyChildren(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
  TControl::CMEnabledChanged(Message);
  DefaultHandler(Message);
}

void TWinControl::CMVisibleChanged(TMessage& Message) {
  if (!Visible())
    if (TCustomForm* Form = GetParentForm(this);
        Form && Form != this && ContainsControl(Form->ActiveControl()))
      Form->SetFocusedControl(nullptr);
  TControl::CMVisibleChanged(Message);
}

} // namespace vcl
