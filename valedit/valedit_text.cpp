// The validating edit's text: the stored text and its two views (EditText
// and DisplayText), value assignment, and the screening of each keystroke
// and paste before the edit window sees it, with completion of a growing
// text by the validator afterwards.
#include "valedit/valedit.h"
#include "vcl/clipbrd.h"

namespace ValEdit {

using namespace vcl;

// ---------------------------------------------------------------------------
// The two views

void TCustomValidEdit::GetText(std::string& Text, bool ForDisplay) {
  if (ForDisplay && FDefaultDisplay)
    Text = GetDefaultDisplayText(Text);
  else if (OnGetText)
    OnGetText(this, Text, ForDisplay);
}

std::string TCustomValidEdit::GetDefaultDisplayText(const std::string& Text) {
  return FValidator ? FValidator->GetDisplayText(Text) : Text;
}

std::string TCustomValidEdit::GetEditText() {
  std::string Text = FStoredText;
  GetText(Text, false);
  return Text;
}

std::string TCustomValidEdit::GetDisplayText() {
  std::string Text = FStoredText;
  GetText(Text, true);
  return Text;
}

int TCustomValidEdit::SelStart() const {
  return TCustomBtnEdit::SelStart();
}

// ---------------------------------------------------------------------------
// Value assignment

void TCustomValidEdit::SetText(std::string& Text) {
  if (OnSetText)
    OnSetText(this, Text);
  if (FValidator)
    FValidator->SetText(Text);
}

void TCustomValidEdit::SetEditText(const std::string& Value) {
  if (ReadOnly())
    return;
  std::string S = Value;
  SetText(S);
  if (FValidator && FValidation.Contains(vtSetValue) && !FValidator->IsValid(S)) {
    SetValueError(S);
    return;
  }
  if (FocusedFlag()) {
    // The window's change notification runs Change, which stores the text
    // and fires OnChange.
    SetTextBuf(S);
    return;
  }
  FStoredText = S;
  ShowText(true);
  ErrorMayGo();
  TCustomBtnEdit::Change();
}

void TCustomValidEdit::Clear() {
  SetEditText("");
}

// ---------------------------------------------------------------------------
// Typing and pasting

void TCustomValidEdit::Change() {
  if (Locked() || !FValidator)
    return;
  FCompletionStart = -1;
  const std::string WindowText = Text();
  if (Length(WindowText) > Length(FStoredText))
    Complete(WindowText);
  FStoredText = Text();
  ErrorMayGo();
  UpdateCompletionList();
  TCustomBtnEdit::Change();
}

// Lets the validator complete a grown text. The completion is an undo step
// of its own, so Ctrl+Z takes back the completion before the key.
void TCustomValidEdit::Complete(const std::string& WindowText) {
  std::string S = WindowText;
  FValidator->IsValidInput(S, false);
  // A completion that does not fit in MaxLength is left out; the typed key
  // stays.
  if (S == WindowText || (MaxLength() > 0 && Length(S) > MaxLength()))
    return;
  const int P = SelStart();
  TLockGuard Guard(*this);
  ReplaceAllText(S);
  if (P != Length(WindowText)) {
    SetSelStart(P); // a caret inside the text stays where it was
    return;
  }
  // A caret at the end follows the completed text, or selects what was
  // completed.
  FCompletionStart = P;
  FCompletedText = Text();
  if (FSelectCompletion) {
    SetSelStart(P);
    SetSelLength(Length(FCompletedText) - P);
  }
}

std::string TCustomValidEdit::PrepareText(const std::string& Insert) {
  const std::string WindowText = Text();
  if (SelText() == WindowText) {
    FStoredText.clear();
    return Insert;
  }
  const int P = SelStart() + 1;
  const int L = SelLength();
  std::string T = WindowText;
  if (L > 0) {
    Delete(T, P, L);
    // Shortening the stored text by the selection lets Change see the
    // replacing keystroke as growth, so that completion runs after it.
    FStoredText = T;
  }
  vcl::Insert(Insert, T, P);
  return T;
}

void TCustomValidEdit::KeyPress(char32_t& Key) {
  TCustomBtnEdit::KeyPress(Key);
  if (!IsTypedChar(Key) || ReadOnly() || !FValidator || !FValidation.Contains(vtInput))
    return;
  // A key the window itself refuses (the text is full) is not screened:
  // nothing would change, and the stored text must stay as it is.
  const std::string Insert = KeyInsertion(Key);
  if (Insert.empty() || ScreenInput(Insert) || TypeOverCompletion(Insert))
    return;
  InputError(Utf8Encode(Key));
  Key = 0;
  FStoredText = Text();
}

bool TCustomValidEdit::ScreenInput(const std::string& Insert) {
  std::string S = PrepareText(Insert);
  return FValidator->IsValidInput(S, true);
}

// While a completion stands, with the caret still at its end, a key that
// does not fit after it is tried in place of the completed part: typing a
// completed word on to its end is then taken key by key, as if nothing had
// been completed.
bool TCustomValidEdit::TypeOverCompletion(const std::string& Insert) {
  const std::string WindowText = Text();
  if (FCompletionStart < 0 || WindowText != FCompletedText || SelLength() > 0 ||
      SelStart() != Length(WindowText))
    return false;
  SetSelStart(FCompletionStart);
  SetSelLength(Length(WindowText) - FCompletionStart);
  if (ScreenInput(Insert))
    return true;
  SetSelStart(Length(WindowText));
  return false;
}

void TCustomValidEdit::WMPaste(TMessage& Message) {
  std::string Pasted;
  if (!PastedText(Message, Pasted))
    return;
  // What the window would insert (one line, cut to MaxLength) is screened,
  // not the clipboard text itself; a paste the window turns into nothing
  // goes to it unscreened. A drop arrives the same way, carrying its text.
  const std::string P = PasteInsertion(Pasted);
  if (ReadOnly() || !FValidator || !FValidation.Contains(vtInput) || P.empty()) {
    TCustomBtnEdit::WMPaste(Message);
    return;
  }
  std::string S = PrepareText(P);
  if (FValidator->IsValidInput(S, false)) {
    TCustomBtnEdit::WMPaste(Message);
  } else {
    InputError(P);
    FStoredText = Text();
  }
}

// ---------------------------------------------------------------------------
// Undo and redo

// An undone or redone text was in the window before: it is taken as it is,
// neither screened nor completed (a completion redone is a step of its own).
void TCustomValidEdit::HistoryStep(TMessage& Message) {
  {
    TLockGuard Guard(*this);
    TCustomBtnEdit::WndProc(Message);
  }
  // While unfocused the window shows the display text, with no history.
  if (!FocusedFlag() || Text() == FStoredText)
    return;
  FCompletionStart = -1;
  CloseCompletionList();
  FStoredText = Text();
  TCustomBtnEdit::Change();
}

} // namespace ValEdit
