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
  ShowLocked(GetDisplayText());
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
  const std::string WindowText = Text();
  if (Length(WindowText) > Length(FStoredText)) {
    std::string S = WindowText;
    FValidator->IsValidInput(S, false);
    if (S != WindowText) {
      const int P = SelStart();
      // A caret at the end follows the completed text; one inside it stays.
      const int Caret = P == Length(WindowText) ? Length(S) : P;
      ShowLocked(S);
      SetSelStart(Caret);
    }
  }
  FStoredText = Text();
  TCustomBtnEdit::Change();
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

void TCustomValidEdit::KeyPress(char& Key) {
  TCustomBtnEdit::KeyPress(Key);
  if (static_cast<unsigned char>(Key) < 32 || ReadOnly() || !FValidator ||
      !FValidation.Contains(vtInput))
    return;
  std::string S = PrepareText(std::string(1, Key));
  if (!FValidator->IsValidInput(S, true)) {
    InputError(std::string(1, Key));
    Key = 0;
    FStoredText = Text();
  }
}

void TCustomValidEdit::WMPaste(TMessage& Message) {
  if (!Clipboard()->HasFormat(CF_TEXT))
    return;
  if (ReadOnly() || !FValidator || !FValidation.Contains(vtInput)) {
    TCustomBtnEdit::WMPaste(Message);
    return;
  }
  const std::string P = Clipboard()->AsText();
  std::string S = PrepareText(P);
  if (FValidator->IsValidInput(S, false)) {
    TCustomBtnEdit::WMPaste(Message);
  } else {
    InputError(P);
    FStoredText = Text();
  }
}

} // namespace ValEdit
