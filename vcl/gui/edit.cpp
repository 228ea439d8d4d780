// TCustomEdit: the single-line edit window. The text, the selection (an
// anchor and a caret, 0-based) and the undo buffer live here; keys, characters
// and clipboard messages reach the window through DefaultHandler, so that a
// descendant's handler sees each of them first and may keep it from the window.
#include <algorithm>

#include "vcl/clipbrd.h"
#include "vcl/forms.h"
#include "vcl/gui/gdi.h"
#include "vcl/stdctrls.h"

namespace vcl {

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = {csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight, csCaptureMouse};
  SetBounds(0, 0, 121, 25);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

TCustomEdit::~TCustomEdit() = default;

std::string TCustomEdit::GetText() const {
  return FEditText;
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  static constexpr std::uint32_t Cases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
  Params.Style |= ES_AUTOHSCROLL | Cases[FCharCase];
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

int TCustomEdit::SelStart() const {
  return std::min(FAnchor, FCaret);
}
int TCustomEdit::SelLength() const {
  return std::abs(FCaret - FAnchor);
}

std::string TCustomEdit::SelText() const {
  return Copy(FEditText, SelStart() + 1, SelLength());
}

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
  if (Value == FCharCase)
    return;
  FCharCase = Value;
  // The window converts what it already holds, as it would on being recreated.
  FEditText = ApplyCharCase(FEditText);
  RecreateWnd();
  Invalidate();
}

void TCustomEdit::SetHideSelection(bool Value) {
  FHideSelection = Value;
  Invalidate();
}

void TCustomEdit::SetMaxLength(int Value) {
  FMaxLength = std::max(Value, 0);
  Perform(EM_LIMITTEXT, FMaxLength);
}

void TCustomEdit::SetOEMConvert(bool Value) {
  FOEMConvert = Value;
}

void TCustomEdit::SetPasswordChar(char Value) {
  if (Value == FPasswordChar)
    return;
  FPasswordChar = Value;
  Perform(EM_SETPASSWORDCHAR, static_cast<unsigned char>(Value));
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
// The edit window

void TCustomEdit::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
  case WM_SETTEXT:
    SetWindowText(reinterpret_cast<const char*>(Message.LParam));
    Message.Result = 1;
    return;
  case WM_GETTEXTLENGTH:
    Message.Result = Length(FEditText);
    return;
  case WM_GETDLGCODE:
    Message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
    if (WindowStyle() & ES_MULTILINE)
      Message.Result |= DLGC_WANTALLKEYS;
    return;
  case WM_KEYDOWN:
    KeyCommand(static_cast<Word>(Message.WParam));
    return;
  case WM_CHAR:
    CharCommand(static_cast<char>(Message.WParam));
    return;
  case WM_CUT:
    if (!FReadOnly && SelLength() > 0 && !FPasswordChar) {
      Clipboard()->SetAsText(SelText());
      ReplaceSelection("", true);
    }
    return;
  case WM_COPY:
    if (SelLength() > 0 && !FPasswordChar)
      Clipboard()->SetAsText(SelText());
    return;
  case WM_PASTE:
    PasteText();
    return;
  case WM_CLEAR:
    if (!FReadOnly && SelLength() > 0)
      ReplaceSelection("", true);
    return;
  case WM_UNDO:
  case EM_UNDO:
    if (FCanUndo && !FReadOnly) {
      // Undoing swaps the buffer with the text, so a second undo redoes.
      std::string Text = FUndoText;
      const int Caret = FUndoCaret;
      FUndoText = FEditText;
      FUndoCaret = FCaret;
      FEditText = Text;
      FAnchor = FCaret = std::min(Caret, Length(FEditText));
      FModified = true;
      ScrollToCaret();
      Invalidate();
      Notify();
    }
    Message.Result = 1;
    return;
  case EM_CANUNDO:
    Message.Result = FCanUndo;
    return;
  case EM_EMPTYUNDOBUFFER:
    FCanUndo = false;
    return;
  case EM_GETSEL: {
    if (auto* Start = reinterpret_cast<int*>(Message.WParam))
      *Start = SelStart();
    if (auto* End = reinterpret_cast<int*>(Message.LParam))
      *End = SelStart() + SelLength();
    Message.Result = MakeLong(SelStart(), SelStart() + SelLength());
    return;
  }
  case EM_SETSEL: {
    const int Len = Length(FEditText);
    int Start = static_cast<int>(Message.WParam);
    int End = static_cast<int>(Message.LParam);
    if (Start < 0) {
      SetSelection(FCaret, FCaret);
      return;
    }
    if (End < 0 || End > Len)
      End = Len;
    SetSelection(std::min(Start, Len), End);
    return;
  }
  case EM_REPLACESEL: {
    std::string S = ApplyCharCase(reinterpret_cast<const char*>(Message.LParam));
    ReplaceSelection(S, Message.WParam != 0);
    return;
  }
  case EM_GETMODIFY:
    Message.Result = FModified;
    return;
  case EM_SETMODIFY:
    FModified = Message.WParam != 0;
    return;
  case EM_LIMITTEXT:
    FMaxLength = static_cast<int>(Message.WParam);
    return;
  case EM_GETLIMITTEXT:
    Message.Result = Limit();
    return;
  case EM_SETREADONLY:
    FReadOnly = Message.WParam != 0;
    Invalidate();
    Message.Result = 1;
    return;
  case EM_SETPASSWORDCHAR:
    FPasswordChar = static_cast<char>(Message.WParam);
    ScrollToCaret();
    Invalidate();
    return;
  case EM_GETPASSWORDCHAR:
    Message.Result = static_cast<unsigned char>(FPasswordChar);
    return;
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
    return;
  case EM_GETRECT:
    if (auto* R = reinterpret_cast<TRect*>(Message.LParam))
      *R = TextArea();
    return;
  case EM_SETMARGINS:
    if (Message.WParam & EC_LEFTMARGIN)
      FLeftMargin = LoWord(Message.LParam);
    if (Message.WParam & EC_RIGHTMARGIN)
      FRightMargin = HiWord(Message.LParam);
    ScrollToCaret();
    Invalidate();
    return;
  case EM_GETMARGINS:
    Message.Result = MakeLong(FLeftMargin, FRightMargin);
    return;
  case EM_SCROLLCARET:
    ScrollToCaret();
    return;
  case WM_PAINT:
    Paint(reinterpret_cast<HDC>(Message.WParam));
    return;
  case WM_SETFOCUS:
    CreateCaret(Handle(), nullptr, 1, backend::MeasureFont(Font()->Handle()->Face).Height);
    UpdateCaret();
    ShowCaret(Handle());
    Invalidate();
    return;
  case WM_KILLFOCUS:
    DestroyCaret();
    FSelecting = false;
    Invalidate();
    return;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    if (!Focused()) {
      if (CanFocus())
        SetFocus();
      if (!Focused())
        return; // another control kept the focus
    }
    if (Message.Msg == WM_LBUTTONDBLCLK) {
      // Select the word under the mouse.
      int Start = CharFromX(SmallX(Message.LParam)), End = Start;
      while (Start > 0 && FEditText[Start - 1] != ' ')
        --Start;
      while (End < Length(FEditText) && FEditText[End] != ' ')
        ++End;
      SetSelection(Start, End);
      return;
    }
    MouseSelect(SmallX(Message.LParam), KeyboardShiftState().Contains(ssShift));
    FSelecting = true;
    return;
  case WM_MOUSEMOVE:
    if (FSelecting)
      MouseSelect(SmallX(Message.LParam), true);
    return;
  case WM_LBUTTONUP:
    FSelecting = false;
    return;
  default:
    TWinControl::DefaultHandler(Message);
  }
}

void TCustomEdit::SetWindowText(const std::string& Value) {
  FEditText = ApplyCharCase(Value);
  FAnchor = FCaret = 0;
  FScrollX = 0;
  FModified = false;
  FCanUndo = false;
  UpdateCaret();
  Invalidate();
  Notify();
}

void TCustomEdit::Notify() {
  if (!ComponentState().Contains(csDestroying))
    Change();
}

void TCustomEdit::ReplaceSelection(const std::string& Value, bool ByUser) {
  const int Start = SelStart();
  FUndoText = FEditText;
  FUndoCaret = FCaret;
  FCanUndo = true;
  std::string T = FEditText;
  vcl::Delete(T, Start + 1, SelLength());
  vcl::Insert(Value, T, Start + 1);
  FEditText = T;
  FAnchor = FCaret = Start + Length(Value);
  if (ByUser)
    FModified = true;
  ScrollToCaret();
  Invalidate();
  Notify();
}

void TCustomEdit::SetSelection(int Anchor, int Caret) {
  const int Len = Length(FEditText);
  FAnchor = std::clamp(Anchor, 0, Len);
  FCaret = std::clamp(Caret, 0, Len);
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::MoveCaret(int Position, bool Extend) {
  SetSelection(Extend ? FAnchor : Position, Position);
}

std::string TCustomEdit::ApplyCharCase(const std::string& S) const {
  switch (FCharCase) {
  case ecUpperCase:
    return AnsiUpperCase(S);
  case ecLowerCase:
    return AnsiLowerCase(S);
  default:
    return S;
  }
}

int TCustomEdit::Limit() const {
  return FMaxLength > 0 ? FMaxLength : 0x7FFFFFFE;
}

void TCustomEdit::KeyCommand(Word Key) {
  const TShiftState Shift = KeyboardShiftState();
  const bool Extend = Shift.Contains(ssShift);
  const bool Ctrl = Shift.Contains(ssCtrl);
  const int Len = Length(FEditText);
  auto WordLeft = [this](int P) {
    while (P > 0 && FEditText[P - 1] == ' ')
      --P;
    while (P > 0 && FEditText[P - 1] != ' ')
      --P;
    return P;
  };
  auto WordRight = [this, Len](int P) {
    while (P < Len && FEditText[P] != ' ')
      ++P;
    while (P < Len && FEditText[P] == ' ')
      ++P;
    return P;
  };
  switch (Key) {
  case VK_LEFT:
    MoveCaret(Ctrl ? WordLeft(FCaret) : std::max(FCaret - 1, 0), Extend);
    break;
  case VK_RIGHT:
    MoveCaret(Ctrl ? WordRight(FCaret) : std::min(FCaret + 1, Len), Extend);
    break;
  case VK_HOME:
    MoveCaret(0, Extend);
    break;
  case VK_END:
    MoveCaret(Len, Extend);
    break;
  case VK_DELETE:
    if (Extend) {
      Perform(WM_CUT);
    } else if (FReadOnly) {
      MessageBeep(0);
    } else if (SelLength() > 0) {
      ReplaceSelection("", true);
    } else if (FCaret < Len) {
      SetSelection(FCaret, FCaret + 1);
      ReplaceSelection("", true);
    }
    break;
  case VK_INSERT:
    if (Ctrl)
      Perform(WM_COPY);
    else if (Extend)
      Perform(WM_PASTE);
    break;
  default:
    break;
  }
}

void TCustomEdit::CharCommand(char Ch) {
  const auto Code = static_cast<unsigned char>(Ch);
  if (Code >= 32 && Code != 127) {
    if (FReadOnly) {
      MessageBeep(0);
      return;
    }
    if (Length(FEditText) - SelLength() + 1 > Limit()) {
      MessageBeep(0);
      return;
    }
    ReplaceSelection(ApplyCharCase(std::string(1, Ch)), true);
    return;
  }
  switch (Code) {
  case 1:
    SelectAll();
    break; // Ctrl+A
  case 3:
    Perform(WM_COPY);
    break; // Ctrl+C
  case 22:
    Perform(WM_PASTE);
    break; // Ctrl+V
  case 24:
    Perform(WM_CUT);
    break; // Ctrl+X
  case 26:
    Perform(WM_UNDO);
    break; // Ctrl+Z
  case 8:  // Backspace
    if (FReadOnly) {
      MessageBeep(0);
    } else if (SelLength() > 0) {
      ReplaceSelection("", true);
    } else if (FCaret > 0) {
      SetSelection(FCaret - 1, FCaret);
      ReplaceSelection("", true);
    }
    break;
  default:
    break; // Enter, Escape and Tab have no meaning in a single line
  }
}

void TCustomEdit::PasteText() {
  if (FReadOnly || !Clipboard()->HasFormat(CF_TEXT))
    return;
  std::string S = Clipboard()->AsText();
  // A single line takes the clipboard text up to its first line break.
  const auto Break = S.find_first_of("\r\n");
  if (Break != std::string::npos)
    S.erase(Break);
  S = ApplyCharCase(S);
  const int Room = Limit() - (Length(FEditText) - SelLength());
  if (Length(S) > Room) {
    MessageBeep(0);
    S = Copy(S, 1, Room);
    if (S.empty())
      return;
  }
  ReplaceSelection(S, true);
}

// ---------------------------------------------------------------------------
// Layout and painting

std::string TCustomEdit::DisplayText() const {
  return FPasswordChar ? std::string(FEditText.size(), FPasswordChar) : FEditText;
}

// The text area in client coordinates: the formatting rectangle inside the
// window's own inset (1 pixel under a client edge, 2 inside a flat border)
// and the margins.
TRect TCustomEdit::TextArea() {
  const int B = FrameWidth();
  const int Inset = B == 2 ? 1 : B == 1 ? 2 : 0;
  const TRect R = FHasFormatRect ? FFormatRect : ClientRect();
  return {R.Left + Inset + FLeftMargin, R.Top, R.Right - FRightMargin, R.Bottom};
}

int TCustomEdit::TextTop() {
  const int B = FrameWidth();
  const int Inset = B == 2 ? 1 : B == 1 ? 2 : 0;
  return (FHasFormatRect ? FFormatRect.Top : 0) + Inset;
}

int TCustomEdit::CharFromX(int X) {
  const TRect Area = TextArea();
  const std::string S = DisplayText();
  const auto& Face = Font()->Handle()->Face;
  const int Target = X - Area.Left + FScrollX;
  int Best = 0, BestDistance = 0x7FFFFFFF;
  for (int I = 0; I <= Length(S); ++I) {
    const int Distance = std::abs(backend::TextWidth(Face, Copy(S, 1, I)) - Target);
    if (Distance < BestDistance) {
      Best = I;
      BestDistance = Distance;
    }
  }
  return Best;
}

void TCustomEdit::MouseSelect(int X, bool Extend) {
  MoveCaret(CharFromX(X), Extend);
}

void TCustomEdit::ScrollToCaret() {
  const TRect Area = TextArea();
  const int Visible = std::max(Area.Width(), 1);
  const auto& Face = Font()->Handle()->Face;
  const std::string S = DisplayText();
  const int CaretX = backend::TextWidth(Face, Copy(S, 1, FCaret));
  if (CaretX < FScrollX)
    FScrollX = CaretX;
  else if (CaretX > FScrollX + Visible - 1)
    FScrollX = CaretX - Visible + 1;
  // Never leave blank space at the end while the text could fill it.
  const int Total = backend::TextWidth(Face, S);
  FScrollX = std::max(0, std::min(FScrollX, Total - Visible + 1));
  UpdateCaret();
}

void TCustomEdit::UpdateCaret() {
  if (!HandleAllocated() || !Focused())
    return;
  const TRect Area = TextArea();
  const int X = backend::TextWidth(Font()->Handle()->Face, Copy(DisplayText(), 1, FCaret));
  SetCaretPos(Area.Left + X - FScrollX, TextTop());
}

void TCustomEdit::Paint(HDC DC) {
  TPaintStruct PS;
  if (!DC)
    DC = BeginPaint(Handle(), PS);
  HDC__ Local = *DC;
  TRect Area = TextArea();
  Area.Left = FHasFormatRect ? FFormatRect.Left : 0;
  TRect Clip = Area;
  OffsetRect(Clip, DC->Origin.X, DC->Origin.Y);
  IntersectRect(Local.Clip, DC->Clip, Clip);
  const TColor TextColor = Enabled() ? Font()->Color() : clGrayText;
  const HFONT F = Font()->Handle();
  const std::string S = DisplayText();
  const int X0 = TextArea().Left - FScrollX;
  const int Y = TextTop();
  const bool ShowSelection = SelLength() > 0 && (Focused() || !FHideSelection);
  if (!ShowSelection) {
    gdi::Text(Local, X0, Y, S, nullptr, F, TextColor);
  } else {
    const std::string Before = Copy(S, 1, SelStart());
    const std::string Selected = Copy(S, SelStart() + 1, SelLength());
    const std::string After = Copy(S, SelStart() + SelLength() + 1, Length(S));
    const int X1 = X0 + backend::TextWidth(F->Face, Before);
    const int X2 = X1 + backend::TextWidth(F->Face, Selected);
    gdi::Text(Local, X0, Y, Before, nullptr, F, TextColor);
    gdi::FillRect(Local, {X1, Y, X2, Y + backend::MeasureFont(F->Face).Height}, clHighlight);
    gdi::Text(Local, X1, Y, Selected, nullptr, F, clHighlightText);
    gdi::Text(Local, X2, Y, After, nullptr, F, TextColor);
  }
  if (PS.hdc)
    EndPaint(Handle(), PS);
}

} // namespace vcl
