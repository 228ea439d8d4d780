// TCustomEdit: the single-line edit window. The text, the selection and the
// undo history live in its text engine; this file turns the window's messages
// (keys, characters, clipboard, selection, settings, focus and mouse) into
// engine operations and keeps the window in step after each. Keys,
// characters and clipboard messages reach the window through DefaultHandler,
// so that a descendant's handler sees each of them first and may keep it
// from the window. Layout and painting live in edit_paint.cpp.
#include <algorithm>

#include "vcl/clipbrd.h"
#include "vcl/forms.h"
#include "vcl/menus.h"
#include "vcl/stdctrls.h"
#include "vcl/windows/detail/gdi.h"

namespace vcl {

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = {csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight, csCaptureMouse};
  SetBounds(0, 0, 121, 25);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

TCustomEdit::~TCustomEdit() = default;

std::string TCustomEdit::GetControlText() const {
  return FEngine.Text();
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  static constexpr std::uint32_t Cases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
  Params.Style |= ES_AUTOHSCROLL | Cases[CharCase()];
  if (FPasswordChar)
    Params.Style |= ES_PASSWORD;
  if (FReadOnly)
    Params.Style |= ES_READONLY;
  if (!FHideSelection)
    Params.Style |= ES_NOHIDESEL;
  if (FOEMConvert)
    Params.Style |= ES_OEMCONVERT;
  if (FBorderStyle == bsSingle) {
    if (NewStyleControls && Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  if (FAutoSize)
    AdjustHeight();
}

void TCustomEdit::AdjustHeight() {
  HDC DC = GetDC(nullptr);
  TTextMetric SysMetrics, Metrics;
  GetTextMetrics(DC, SysMetrics);
  HFONT SaveFont = SelectObject(DC, Font()->Handle());
  GetTextMetrics(DC, Metrics);
  SelectObject(DC, SaveFont);
  ReleaseDC(nullptr, DC);
  int I;
  if (NewStyleControls) {
    I = GetSystemMetrics(SM_CYBORDER) * (Ctl3D() ? 8 : 6);
  } else {
    I = std::min(SysMetrics.tmHeight, Metrics.tmHeight) / 4 + GetSystemMetrics(SM_CYBORDER) * 4;
  }
  SetHeight(Metrics.tmHeight + I);
}

void TCustomEdit::Change() {
  Changed();
  if (OnChange)
    OnChange(this);
}

// ---------------------------------------------------------------------------
// Properties

void TCustomEdit::SetSelStart(int Value) {
  Perform(EM_SETSEL, Value, Value);
}

void TCustomEdit::SetSelLength(int Value) {
  const int Start = SelStart();
  Perform(EM_SETSEL, Start, Start + Value);
}

void TCustomEdit::SetSelText(const std::string& Value) {
  Perform(EM_REPLACESEL, 0, reinterpret_cast<std::intptr_t>(Value.c_str()));
}

void TCustomEdit::SelectAll() {
  Perform(EM_SETSEL, 0, -1);
}
void TCustomEdit::ClearSelection() {
  Perform(WM_CLEAR);
}
void TCustomEdit::CopyToClipboard() {
  Perform(WM_COPY);
}
void TCustomEdit::CutToClipboard() {
  Perform(WM_CUT);
}
void TCustomEdit::PasteFromClipboard() {
  Perform(WM_PASTE);
}
void TCustomEdit::Clear() {
  SetTextBuf("");
}
void TCustomEdit::Undo() {
  Perform(WM_UNDO);
}
void TCustomEdit::Redo() {
  Perform(EM_REDO);
}

std::string TCustomEdit::PasteInsertion(const std::string& Text) const {
  return FEngine.Fit(TEditEngine::SingleLine(Text));
}

std::string TCustomEdit::KeyInsertion(char32_t Key) const {
  return FEngine.Fit(Utf8Encode(Key));
}

void TCustomEdit::ReplaceAllText(const std::string& Value) {
  if (FEngine.ReplaceText(Value))
    TextChanged(true);
}

void TCustomEdit::SetAutoSize(bool Value) {
  if (Value == FAutoSize)
    return;
  FAutoSize = Value;
  if (Value && HandleAllocated())
    AdjustHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle)
    return;
  FBorderStyle = Value;
  RecreateWnd();
  if (FAutoSize && HandleAllocated())
    AdjustHeight();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (Value == CharCase())
    return;
  // The window converts what it already holds, as it would on being recreated.
  FEngine.SetCharCase(Value);
  RecreateWnd();
  Invalidate();
}

void TCustomEdit::SetHideSelection(bool Value) {
  FHideSelection = Value;
  Invalidate();
}

void TCustomEdit::SetMaxLength(int Value) {
  Perform(EM_LIMITTEXT, std::max(Value, 0));
}

void TCustomEdit::SetOEMConvert(bool Value) {
  FOEMConvert = Value;
}

void TCustomEdit::SetPasswordChar(char32_t Value) {
  if (Value == FPasswordChar)
    return;
  FPasswordChar = Value;
  Perform(EM_SETPASSWORDCHAR, Value);
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  Perform(EM_SETREADONLY, Value);
}

// ---------------------------------------------------------------------------
// Message handlers of the control

void TCustomEdit::CMEnter(TMessage& Message) {
  if (FAutoSelect && !FControlState.Contains(csLButtonDown) && (WindowStyle() & ES_MULTILINE) == 0)
    SelectAll();
  TWinControl::CMEnter(Message);
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
  TWinControl::CMFontChanged(Message);
  if (FAutoSize && HandleAllocated())
    AdjustHeight();
  ScrollToCaret();
}

void TCustomEdit::CMEnabledChanged(TMessage& Message) {
  TWinControl::CMEnabledChanged(Message);
  Invalidate();
}

// ---------------------------------------------------------------------------
// The edit window: each group of messages has its router; the first that
// knows the message handles it.

void TCustomEdit::DefaultHandler(TMessage& Message) {
  if (TextMessage(Message) || SelectionMessage(Message) || SettingMessage(Message) ||
      FormatMessage(Message) || FocusMessage(Message) || MouseMessage(Message))
    return;
  TWinControl::DefaultHandler(Message);
}

void TCustomEdit::TextChanged(bool ByUser) {
  if (ByUser)
    FModified = true;
  ScrollToCaret();
  Invalidate();
  Notify();
}

void TCustomEdit::SelectionChanged() {
  ScrollToCaret();
  Invalidate();
  NotifyAccessible(this, aeCaretMoved);
}

void TCustomEdit::Notify() {
  if (ComponentState().Contains(csDestroying))
    return;
  NotifyAccessible(this, aeValueChanged);
  Change();
}

void TCustomEdit::GetAccessibleStates(TAccessibleStates& States) {
  if (FReadOnly)
    States.Include(asReadOnly);
  if (FPasswordChar != 0)
    States.Include(asProtected);
}

// What the window shows: a password as its masking characters.
bool TCustomEdit::GetAccessibleText(TAccessibleText& Text) const {
  Text.Text = DisplayText();
  Text.Caret = FEngine.Caret();
  Text.SelStart = FEngine.SelStart();
  Text.SelLength = FEngine.SelLength();
  return true;
}

// Text, editing and the clipboard.
bool TCustomEdit::TextMessage(TMessage& Message) {
  switch (Message.Msg) {
  case WM_SETTEXT:
    FEngine.SetText(reinterpret_cast<const char*>(Message.LParam));
    FScrollX = 0;
    FModified = false;
    UpdateCaret();
    Invalidate();
    Notify();
    Message.Result = 1;
    return true;
  case WM_GETTEXTLENGTH:
    Message.Result = FEngine.Length();
    return true;
  case WM_KEYDOWN:
    KeyCommand(static_cast<Word>(Message.WParam));
    return true;
  case WM_CHAR:
    CharCommand(static_cast<char32_t>(Message.WParam));
    return true;
  case WM_CUT:
  case WM_COPY:
  case WM_PASTE:
  case WM_CLEAR:
    ClipboardCommand(Message);
    return true;
  case WM_UNDO:
  case EM_UNDO:
  case EM_REDO:
    HistoryCommand(Message.Msg == EM_REDO);
    Message.Result = 1;
    return true;
  case EM_CANUNDO:
    Message.Result = FEngine.CanUndo();
    return true;
  case EM_CANREDO:
    Message.Result = FEngine.CanRedo();
    return true;
  case EM_EMPTYUNDOBUFFER:
    FEngine.ClearUndo();
    return true;
  case EM_REPLACESEL:
    // WParam: the replacement is the user's, an undo step.
    if (FEngine.ReplaceSelection(reinterpret_cast<const char*>(Message.LParam),
                                 Message.WParam != 0))
      TextChanged(Message.WParam != 0);
    return true;
  default:
    return false;
  }
}

bool TCustomEdit::SelectionMessage(TMessage& Message) {
  switch (Message.Msg) {
  case EM_GETSEL: {
    const int Start = SelStart(), End = SelStart() + SelLength();
    if (auto* P = reinterpret_cast<int*>(Message.WParam))
      *P = Start;
    if (auto* P = reinterpret_cast<int*>(Message.LParam))
      *P = End;
    Message.Result = MakeLong(Start, End);
    return true;
  }
  case EM_SETSEL: {
    const int Start = static_cast<int>(Message.WParam);
    const int End = static_cast<int>(Message.LParam);
    // A negative start keeps the caret and drops the selection; a negative
    // end (or one past the text) means the end of the text.
    if (Start < 0)
      FEngine.Select(FEngine.Caret(), FEngine.Caret());
    else
      FEngine.Select(std::min(Start, FEngine.Length()),
                     End < 0 || End > FEngine.Length() ? FEngine.Length() : End);
    SelectionChanged();
    return true;
  }
  case EM_SCROLLCARET:
    ScrollToCaret();
    return true;
  default:
    return false;
  }
}

// The window's own settings.
bool TCustomEdit::SettingMessage(TMessage& Message) {
  switch (Message.Msg) {
  case WM_GETDLGCODE:
    Message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
    if (WindowStyle() & ES_MULTILINE)
      Message.Result |= DLGC_WANTALLKEYS;
    return true;
  case EM_GETMODIFY:
    Message.Result = FModified;
    return true;
  case EM_SETMODIFY:
    FModified = Message.WParam != 0;
    return true;
  case EM_LIMITTEXT:
    FEngine.SetMaxLength(static_cast<int>(Message.WParam));
    return true;
  case EM_GETLIMITTEXT:
    Message.Result = FEngine.MaxLength() > 0 ? FEngine.MaxLength() : 0x7FFFFFFE;
    return true;
  case EM_SETREADONLY:
    FReadOnly = Message.WParam != 0;
    Invalidate();
    Message.Result = 1;
    return true;
  case EM_SETPASSWORDCHAR:
    FPasswordChar = static_cast<char32_t>(Message.WParam);
    ScrollToCaret();
    Invalidate();
    return true;
  case EM_GETPASSWORDCHAR:
    Message.Result = FPasswordChar;
    return true;
  default:
    return false;
  }
}

// The formatting rectangle, the margins and painting.
bool TCustomEdit::FormatMessage(TMessage& Message) {
  switch (Message.Msg) {
  case EM_SETRECT:
  case EM_SETRECTNP:
    if (auto* R = reinterpret_cast<const TRect*>(Message.LParam)) {
      FFormatRect = *R;
      FHasFormatRect = true;
    } else {
      FHasFormatRect = false;
    }
    ScrollToCaret();
    Invalidate();
    return true;
  case EM_GETRECT:
    if (auto* R = reinterpret_cast<TRect*>(Message.LParam))
      *R = TextArea();
    return true;
  case EM_SETMARGINS:
    if (Message.WParam & EC_LEFTMARGIN)
      FLeftMargin = LoWord(Message.LParam);
    if (Message.WParam & EC_RIGHTMARGIN)
      FRightMargin = HiWord(Message.LParam);
    ScrollToCaret();
    Invalidate();
    return true;
  case EM_GETMARGINS:
    Message.Result = MakeLong(FLeftMargin, FRightMargin);
    return true;
  case WM_PAINT:
    Paint(reinterpret_cast<HDC>(Message.WParam));
    return true;
  default:
    return false;
  }
}

bool TCustomEdit::FocusMessage(TMessage& Message) {
  switch (Message.Msg) {
  case WM_SETFOCUS:
    CreateCaret(Handle(), nullptr, 1, backend::MeasureFont(Font()->Handle()->Face).Height);
    UpdateCaret();
    ShowCaret(Handle());
    Invalidate();
    return true;
  case WM_KILLFOCUS:
    DestroyCaret();
    FSelecting = false;
    Invalidate();
    return true;
  default:
    return false;
  }
}

bool TCustomEdit::MouseMessage(TMessage& Message) {
  switch (Message.Msg) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    if (!Focused()) {
      if (CanFocus())
        SetFocus();
      if (!Focused())
        return true; // another control kept the focus
    }
    if (Message.Msg == WM_LBUTTONDBLCLK) {
      FEngine.SelectWordAt(CharFromX(SmallX(Message.LParam)));
    } else {
      FEngine.MoveCaret(CharFromX(SmallX(Message.LParam)), KeyboardShiftState().Contains(ssShift));
      FSelecting = true;
    }
    SelectionChanged();
    return true;
  case WM_MOUSEMOVE:
    if (FSelecting) {
      FEngine.MoveCaret(CharFromX(SmallX(Message.LParam)), true);
      SelectionChanged();
    }
    return true;
  case WM_LBUTTONUP:
    FSelecting = false;
    return true;
  case WM_CONTEXTMENU:
    ShowEditMenu(Message.LParam);
    Message.Result = 1;
    return true;
  default:
    return false;
  }
}

// ---------------------------------------------------------------------------
// Commands

void TCustomEdit::KeyCommand(Word Key) {
  const TShiftState Shift = KeyboardShiftState();
  const bool Extend = Shift.Contains(ssShift);
  const bool Ctrl = Shift.Contains(ssCtrl);
  const int Caret = FEngine.Caret();
  switch (Key) {
  case VK_LEFT:
    FEngine.MoveCaret(Ctrl ? FEngine.WordLeft(Caret) : FEngine.CharLeft(Caret), Extend);
    break;
  case VK_RIGHT:
    FEngine.MoveCaret(Ctrl ? FEngine.WordRight(Caret) : FEngine.CharRight(Caret), Extend);
    break;
  case VK_HOME:
    FEngine.MoveCaret(0, Extend);
    break;
  case VK_END:
    FEngine.MoveCaret(FEngine.Length(), Extend);
    break;
  case VK_DELETE:
    if (Extend)
      Perform(WM_CUT);
    else if (FReadOnly)
      MessageBeep(0);
    else if (FEngine.DeleteForward())
      TextChanged(true);
    return;
  case VK_INSERT:
    if (Ctrl)
      Perform(WM_COPY);
    else if (Extend)
      Perform(WM_PASTE);
    return;
  default:
    return;
  }
  SelectionChanged();
}

void TCustomEdit::CharCommand(char32_t Ch) {
  if (IsTypedChar(Ch)) {
    if (FReadOnly || !FEngine.TypeChar(Ch))
      MessageBeep(0);
    else
      TextChanged(true);
    return;
  }
  switch (Ch) {
  case 1: // Ctrl+A
    SelectAll();
    break;
  case 3: // Ctrl+C
    Perform(WM_COPY);
    break;
  case 22: // Ctrl+V
    Perform(WM_PASTE);
    break;
  case 24: // Ctrl+X
    Perform(WM_CUT);
    break;
  case 26: // Ctrl+Z, with Shift Ctrl+Shift+Z
    Perform(KeyboardShiftState().Contains(ssShift) ? EM_REDO : WM_UNDO);
    break;
  case 25: // Ctrl+Y
    Perform(EM_REDO);
    break;
  case 8: // Backspace
    if (FReadOnly)
      MessageBeep(0);
    else if (FEngine.DeleteBackward())
      TextChanged(true);
    break;
  default:
    break; // Enter, Escape and Tab have no meaning in a single line
  }
}

void TCustomEdit::ClipboardCommand(const TMessage& Message) {
  // A password is never handed out.
  const bool CanCopy = FEngine.SelLength() > 0 && !FPasswordChar;
  switch (Message.Msg) {
  case WM_COPY:
    if (CanCopy)
      Clipboard()->SetAsText(FEngine.SelText());
    return;
  case WM_CUT:
    if (!FReadOnly && CanCopy) {
      Clipboard()->SetAsText(FEngine.SelText());
      if (FEngine.ReplaceSelection(""))
        TextChanged(true);
    }
    return;
  case WM_CLEAR:
    if (!FReadOnly && FEngine.ReplaceSelection(""))
      TextChanged(true);
    return;
  default:
    PasteText(Message);
  }
}

bool TCustomEdit::PastedText(const TMessage& Message, std::string& Text) {
  if (Message.LParam) {
    Text = reinterpret_cast<const char*>(Message.LParam);
    return true;
  }
  if (!Clipboard()->HasFormat(CF_TEXT))
    return false;
  Text = Clipboard()->AsText();
  return true;
}

void TCustomEdit::DropText(const std::string& Text, int X) {
  if (!Focused()) {
    if (CanFocus())
      SetFocus();
    if (!Focused())
      return;
  }
  const int At = CharFromX(X);
  Perform(EM_SETSEL, At, At);
  Perform(WM_PASTE, 0, reinterpret_cast<std::intptr_t>(Text.c_str()));
}

void TCustomEdit::PasteText(const TMessage& Message) {
  std::string Pasted;
  if (FReadOnly || !PastedText(Message, Pasted))
    return;
  // Composed first, so that only a cut to MaxLength makes the text shorter.
  const std::string Line = NormalizeNFC(TEditEngine::SingleLine(Pasted));
  const std::string S = FEngine.Fit(Line);
  if (Length(S) < Length(Line))
    MessageBeep(0); // cut to MaxLength
  if (!S.empty() && FEngine.ReplaceSelection(S))
    TextChanged(true);
}

void TCustomEdit::HistoryCommand(bool Redo) {
  if (!FReadOnly && (Redo ? FEngine.Redo() : FEngine.Undo()))
    TextChanged(true);
}

} // namespace vcl
