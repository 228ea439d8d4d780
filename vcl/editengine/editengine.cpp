// The text engine of the single-line edit window: text, selection, editing
// operations and the undo history, apart from messages and painting.
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
  // The older texts are in the old case.
  ClearUndo();
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
  ClearUndo();
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

// A text copied from a cell or a line usually ends in a line break, which is
// dropped (as one at the start); a break inside the text becomes a blank so
// that its lines neither run together nor get lost unseen.
std::string TEditEngine::SingleLine(const std::string& S) {
  auto IsBreak = [](char C) { return C == '\r' || C == '\n'; };
  std::string Line;
  bool Break = false;
  for (char C : S) {
    if (IsBreak(C)) {
      Break = true;
      continue;
    }
    if (Break && !Line.empty())
      Line += ' ';
    Break = false;
    Line += C;
  }
  return Line;
}

bool TEditEngine::Replace(int Start, int Count, const std::string& S, bool Undoable) {
  if (S.empty() && Count == 0)
    return false;
  if (Undoable)
    BeginStep();
  else
    ClearUndo();
  Delete(FText, Start + 1, Count);
  const std::string Inserted = ApplyCharCase(S);
  Insert(Inserted, FText, Start + 1);
  FAnchor = FCaret = Start + vcl::Length(Inserted);
  return true;
}

bool TEditEngine::ReplaceSelection(const std::string& S, bool Undoable) {
  return Replace(SelStart(), SelLength(), S, Undoable);
}

bool TEditEngine::ReplaceText(const std::string& S) {
  const std::string Text = ApplyCharCase(S);
  if (Text == FText)
    return false;
  BeginStep();
  FText = Text;
  FAnchor = FCaret = Length();
  return true;
}

bool TEditEngine::TypeChar(char Ch) {
  const std::string S = Fit(std::string(1, Ch));
  return !S.empty() && ReplaceSelection(S);
}

// Undoing a deletion brings back the caret where it was, not a selection of
// the deleted character.
bool TEditEngine::DeleteBackward() {
  if (SelLength() > 0)
    return ReplaceSelection("");
  return FCaret > 0 && Replace(FCaret - 1, 1, "", true);
}

bool TEditEngine::DeleteForward() {
  if (SelLength() > 0)
    return ReplaceSelection("");
  return FCaret < Length() && Replace(FCaret, 1, "", true);
}

// ---------------------------------------------------------------------------
// Undo history

void TEditEngine::BeginStep() {
  FUndo.push_back({FText, FAnchor, FCaret});
  if (FUndo.size() > MaxUndoSteps)
    FUndo.pop_front();
  FRedo.clear();
}

bool TEditEngine::Restore(std::deque<TState>& From, std::deque<TState>& To) {
  if (From.empty())
    return false;
  To.push_back({FText, FAnchor, FCaret});
  TState& State = From.back();
  FText = std::move(State.Text);
  FAnchor = State.Anchor;
  FCaret = State.Caret;
  From.pop_back();
  return true;
}

bool TEditEngine::Undo() {
  return Restore(FUndo, FRedo);
}

bool TEditEngine::Redo() {
  return Restore(FRedo, FUndo);
}

void TEditEngine::ClearUndo() {
  FUndo.clear();
  FRedo.clear();
}

} // namespace vcl
