// The text engine of the single-line edit window: text, selection, editing
// operations and the undo buffer, apart from messages and painting.
#include "vcl/editengine.h"

#include <algorithm>

#include "vcl/sysutils.h"

namespace vcl {

int TEditEngine::SelStart() const {
  return std::min(FAnchor, FCaret);
}

int TEditEngine::SelLength() const {
  return std::abs(FCaret - FAnchor);
}

std::string TEditEngine::SelText() const {
  return Copy(FText, SelStart() + 1, SelLength());
}

void TEditEngine::SetMaxLength(int Value) {
  FMaxLength = std::max(Value, 0);
}

void TEditEngine::SetCharCase(TEditCharCase Value) {
  FCharCase = Value;
  FText = ApplyCharCase(FText);
}

std::string TEditEngine::ApplyCharCase(const std::string& S) const {
  switch (FCharCase) {
  case ecUpperCase:
    return AnsiUpperCase(S);
  case ecLowerCase:
    return AnsiLowerCase(S);
  default:
    return S;
  }
}

void TEditEngine::SetText(const std::string& Value) {
  FText = ApplyCharCase(Value);
  FAnchor = FCaret = 0;
  FCanUndo = false;
}

// ---------------------------------------------------------------------------
// Selection

void TEditEngine::Select(int Anchor, int Caret) {
  FAnchor = std::clamp(Anchor, 0, Length());
  FCaret = std::clamp(Caret, 0, Length());
}

void TEditEngine::MoveCaret(int Position, bool Extend) {
  Select(Extend ? FAnchor : Position, Position);
}

int TEditEngine::WordLeft(int Position) const {
  int P = std::clamp(Position, 0, Length());
  while (P > 0 && FText[P - 1] == ' ')
    --P;
  while (P > 0 && FText[P - 1] != ' ')
    --P;
  return P;
}

int TEditEngine::WordRight(int Position) const {
  int P = std::clamp(Position, 0, Length());
  while (P < Length() && FText[P] != ' ')
    ++P;
  while (P < Length() && FText[P] == ' ')
    ++P;
  return P;
}

void TEditEngine::SelectWordAt(int Position) {
  int Start = std::clamp(Position, 0, Length());
  int End = Start;
  while (Start > 0 && FText[Start - 1] != ' ')
    --Start;
  while (End < Length() && FText[End] != ' ')
    ++End;
  Select(Start, End);
}

// ---------------------------------------------------------------------------
// Editing

int TEditEngine::Room() const {
  const int Limit = FMaxLength > 0 ? FMaxLength : 0x7FFFFFFE;
  return std::max(Limit - (Length() - SelLength()), 0);
}

std::string TEditEngine::Fit(const std::string& S) const {
  return Copy(ApplyCharCase(S), 1, Room());
}

std::string TEditEngine::SingleLine(const std::string& S) {
  // A single line takes the clipboard text up to its first line break.
  return S.substr(0, S.find_first_of("\r\n"));
}

bool TEditEngine::ReplaceSelection(const std::string& S) {
  if (S.empty() && SelLength() == 0)
    return false;
  const int Start = SelStart();
  FUndoText = FText;
  FUndoCaret = FCaret;
  FCanUndo = true;
  Delete(FText, Start + 1, SelLength());
  const std::string Inserted = ApplyCharCase(S);
  Insert(Inserted, FText, Start + 1);
  FAnchor = FCaret = Start + vcl::Length(Inserted);
  return true;
}

bool TEditEngine::TypeChar(char Ch) {
  const std::string S = Fit(std::string(1, Ch));
  return !S.empty() && ReplaceSelection(S);
}

bool TEditEngine::DeleteBackward() {
  if (SelLength() == 0 && FCaret > 0)
    Select(FCaret - 1, FCaret);
  return ReplaceSelection("");
}

bool TEditEngine::DeleteForward() {
  if (SelLength() == 0 && FCaret < Length())
    Select(FCaret, FCaret + 1);
  return ReplaceSelection("");
}

// ---------------------------------------------------------------------------
// Undo

bool TEditEngine::Undo() {
  if (!FCanUndo)
    return false;
  std::string Text = FUndoText;
  const int Caret = FUndoCaret;
  FUndoText = FText;
  FUndoCaret = FCaret;
  FText = Text;
  FAnchor = FCaret = std::min(Caret, Length());
  return true;
}

} // namespace vcl
