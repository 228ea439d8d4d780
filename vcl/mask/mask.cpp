// TCustomMaskEdit: the edit window under an edit mask. While masked, the
// control takes typed characters, Backspace, Delete, the arrows and the
// clipboard messages itself and hands the window whole new texts of the
// mask's length, so the window never holds a text the mask cannot show; the
// caret rests on one editable position at a time, shown selected, and typing
// overwrites it. Without a mask it is the plain edit window.
#include "vcl/mask.h"

#include "vcl/clipbrd.h"
#include "vcl/forms.h"
#include "vcl/props.h"

namespace vcl {

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

std::string TCustomMaskEdit::EditText() const {
  return TCustomEdit::GetControlText();
}

std::string TCustomMaskEdit::CurrentEditText() const {
  return FFormat.EditTextOf(EditText());
}

void TCustomMaskEdit::SetEditText(const std::string& Value) {
  const std::string S = IsMasked() ? FFormat.EditTextOf(Value) : Value;
  if (S == EditText())
    return;
  FSettingEditText = true;
  try {
    SetTextBuf(S);
  } catch (...) {
    FSettingEditText = false;
    throw;
  }
  FSettingEditText = false;
}

std::string TCustomMaskEdit::GetControlText() const {
  return IsMasked() ? FFormat.TextOf(EditText()) : EditText();
}

void TCustomMaskEdit::WMSetText(TMessage& Message) {
  std::string Formatted;
  if (IsMasked() && !FSettingEditText) {
    Formatted = FFormat.EditTextFromText(reinterpret_cast<const char*>(Message.LParam));
    Message.LParam = reinterpret_cast<std::intptr_t>(Formatted.c_str());
  }
  TCustomEdit::WMSetText(Message);
  // A text set by code is the one Escape returns to.
  FOldValue = EditText();
}

void TCustomMaskEdit::Clear() {
  SetEditText(FFormat.BlankText());
}

void TCustomMaskEdit::SetEditMask(const TEditMask& Value) {
  if (Value == FEditMask)
    return;
  const std::string OldText = Text();
  FEditMask = Value;
  FFormat = TEditMaskFormat(Value);
  TCustomEdit::SetMaxLength(IsMasked() ? FFormat.Length() : FMaxLength);
  // The value carries over into the new mask.
  if (IsMasked())
    SetTextBuf(OldText);
  else
    SetEditText(OldText);
}

int TCustomMaskEdit::MaxLength() const {
  return IsMasked() ? FFormat.Length() : FMaxLength;
}

void TCustomMaskEdit::SetMaxLength(int Value) {
  FMaxLength = std::max(Value, 0);
  if (!IsMasked())
    TCustomEdit::SetMaxLength(FMaxLength);
}

bool TCustomMaskEdit::EditCanModify() {
  return true;
}

void TCustomMaskEdit::Reset() {
  if (Modified()) {
    SetEditText(FOldValue);
    SetModified(false);
  }
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked() || !Modified())
    return;
  const int Wrong = FFormat.FirstInvalid(EditText());
  if (Wrong < 0)
    return;
  PlaceCaret(Wrong);
  MessageBeep(0);
  throw EDBEditError(SMaskEditErr);
}

void TCustomMaskEdit::CheckCursor() {
  if (IsMasked() && SelLength() == 0)
    PlaceCaret(SelStart());
}

// The caret on the first editable position at or after Pos, that position
// selected; after the last one, an empty caret at the end.
void TCustomMaskEdit::PlaceCaret(int Pos) {
  const int Target = FFormat.NextEditable(Pos);
  if (Target < 0)
    Perform(EM_SETSEL, FFormat.Length(), FFormat.Length());
  else
    Perform(EM_SETSEL, Target, Target + 1);
}

bool TCustomMaskEdit::CanEdit() {
  if (EditCanModify() && !ReadOnly())
    return true;
  MessageBeep(0);
  return false;
}

void TCustomMaskEdit::ApplyEdit(const std::string& NewText, int CursorPos) {
  const std::u32string Old = Utf8Decode(EditText()), New = Utf8Decode(NewText);
  if (New != Old) {
    // Replace only the span that changed, so the window sees one edit.
    int First = 0;
    const int OldLength = static_cast<int>(Old.size()), NewLength = static_cast<int>(New.size());
    while (First < OldLength && First < NewLength && Old[First] == New[First])
      ++First;
    int OldEnd = OldLength, NewEnd = NewLength;
    while (OldEnd > First && NewEnd > First && Old[OldEnd - 1] == New[NewEnd - 1]) {
      --OldEnd;
      --NewEnd;
    }
    const std::string Span = Utf8Encode(New.substr(First, NewEnd - First));
    Perform(EM_SETSEL, First, OldEnd);
    Perform(EM_REPLACESEL, 1, reinterpret_cast<std::intptr_t>(Span.c_str()));
  }
  PlaceCaret(CursorPos);
}

// Each editing operation first asks whether the text may change (a
// data-aware descendant enters edit mode there, which may reload the text),
// then works on the text as it stands.
void TCustomMaskEdit::TypeChar(char32_t Ch) {
  if (!CanEdit())
    return;
  std::string S = CurrentEditText();
  const int Start = SelStart();
  if (SelLength() > 1)
    FFormat.BlankRange(S, Start, SelLength());
  int Pos = Start;
  if (FFormat.Place(S, Pos, Utf8Encode(Ch), false))
    ApplyEdit(S, Pos);
  else
    MessageBeep(0);
}

void TCustomMaskEdit::DeleteChars(bool Backward) {
  if (!CanEdit())
    return;
  std::string S = CurrentEditText();
  int Start = SelStart();
  if (SelLength() > 1) {
    FFormat.BlankRange(S, Start, SelLength());
  } else {
    // One selected position is the caret: Backspace blanks the position
    // before it, Delete the one under it.
    Start = Backward ? FFormat.PriorEditable(Start) : FFormat.NextEditable(Start);
    if (Start < 0)
      return;
    FFormat.BlankRange(S, Start, 1);
  }
  ApplyEdit(S, Start);
}

bool TCustomMaskEdit::ArrowKey(Word Key) {
  const int Caret = SelStart();
  int Target;
  switch (Key) {
  case VK_LEFT:
    Target = FFormat.PriorEditable(Caret);
    if (Target < 0)
      Target = FFormat.NextEditable(0);
    break;
  case VK_RIGHT:
    Target = FFormat.NextEditable(Caret + 1);
    if (Target < 0)
      Target = FFormat.Length();
    break;
  case VK_HOME:
    Target = FFormat.NextEditable(0);
    break;
  case VK_END:
    Target = FFormat.PriorEditable(FFormat.Length()) + 1;
    break;
  default:
    return false;
  }
  PlaceCaret(std::max(Target, 0));
  return true;
}

void TCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (!IsMasked() || Key == 0 || Shift.Contains(ssShift) || Shift.Contains(ssAlt))
    return;
  if (Key == VK_DELETE) {
    DeleteChars(false);
    Key = 0;
  } else if (!Shift.Contains(ssCtrl) && ArrowKey(Key)) {
    Key = 0;
  }
}

void TCustomMaskEdit::KeyPress(char32_t& Key) {
  TCustomEdit::KeyPress(Key);
  if (!IsMasked() || Key == 0)
    return;
  if (IsTypedChar(Key)) {
    TypeChar(Key);
  } else if (Key == '\b') {
    DeleteChars(true);
  } else if (Key == '\x1b') {
    Reset();
  } else {
    return; // Ctrl+A, C, V, X and Z reach the window, which sends the clipboard messages
  }
  Key = 0;
}

void TCustomMaskEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomEdit::MouseUp(Button, Shift, X, Y);
  CheckCursor();
}

void TCustomMaskEdit::WMCut(TMessage& Message) {
  if (!IsMasked()) {
    TCustomEdit::WMCut(Message);
    return;
  }
  if (SelLength() == 0 || PasswordChar())
    return;
  Clipboard()->SetAsText(SelText());
  WMClear(Message);
}

void TCustomMaskEdit::WMClear(TMessage& Message) {
  if (!IsMasked()) {
    TCustomEdit::WMClear(Message);
    return;
  }
  if (SelLength() == 0 || !CanEdit())
    return;
  std::string S = CurrentEditText();
  FFormat.BlankRange(S, SelStart(), SelLength());
  ApplyEdit(S, SelStart());
}

void TCustomMaskEdit::WMPaste(TMessage& Message) {
  if (!IsMasked()) {
    TCustomEdit::WMPaste(Message);
    return;
  }
  std::string Pasted;
  if (!PastedText(Message, Pasted) || !CanEdit())
    return;
  Pasted.erase(std::min(Pasted.find_first_of("\r\n"), Pasted.size()));
  Pasted = NormalizeNFC(Pasted);
  std::string S = CurrentEditText();
  const int Start = SelStart();
  if (SelLength() > 1)
    FFormat.BlankRange(S, Start, SelLength());
  int Pos = Start;
  // A paste goes in whole or not at all.
  if (FFormat.Place(S, Pos, Pasted, true))
    ApplyEdit(S, Pos);
  else
    MessageBeep(0);
}

void TCustomMaskEdit::WMSetFocus(TMessage& Message) {
  TCustomEdit::WMSetFocus(Message);
  CheckCursor();
}

void TCustomMaskEdit::CMEnter(TMessage& Message) {
  FOldValue = EditText();
  TCustomEdit::CMEnter(Message);
}

void TCustomMaskEdit::CMExit(TMessage& Message) {
  if (IsMasked() && !ComponentState().Contains(csDesigning)) {
    try {
      ValidateEdit();
      CheckCursor();
    } catch (...) {
      // The control keeps the focus; the failure goes to whoever moved it.
      if (CanFocus())
        SetFocus();
      throw;
    }
  }
  TCustomEdit::CMExit(Message);
}

void TCustomMaskEdit::CMWantSpecialKey(TMessage& Message) {
  // Escape undoes a masked edit here instead of reaching the cancel button.
  if (Message.WParam == VK_ESCAPE && IsMasked() && Modified()) {
    Message.Result = 1;
    return;
  }
  TCustomEdit::CMWantSpecialKey(Message);
}

// ---------------------------------------------------------------------------

namespace publish {

void DeclareMaskEdit() {
  using namespace props;
  using T = TMaskEdit;
  Published<T> P("TMaskEdit");
  P.Inherits<TComponent>();
  Publish<Placement, Appearance<clWindow, false>, WindowProperties<true>, MouseEvents>(P);
  // The mask comes before the text, so a stored text is read into its mask.
  P.Str("EditMask", &T::EditMask, &T::SetEditMask, std::string());
  Publish<EditProperties, Text, OnChange>(P);
}

} // namespace publish

} // namespace vcl
