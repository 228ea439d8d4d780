// The text engine of the single-line edit window: text, selection, editing
// operations and the undo history, apart from messages and painting.
// Positions count code points; the user-perceived characters (grapheme
// clusters) that the caret steps over come from the break iterator behind
// sysutils' grapheme helpers.
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

// The length is kept with the text: counting code points walks the text.
void TEditEngine::SetTextOnly(std::string Value) {
  FText = std::move(Value);
  FLength = vcl::Length(FText);
}

void TEditEngine::SetCharCase(TEditCharCase Value) {
  FCharCase = Value;
  SetTextOnly(ApplyCharCase(FText));
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
  SetTextOnly(ApplyCharCase(Value));
  FAnchor = FCaret = 0;
  ClearUndo();
}

// ---------------------------------------------------------------------------
// Selection

int TEditEngine::Snap(int Position, bool Forward) const {
  const int P = std::clamp(Position, 0, Length());
  if (IsGraphemeBoundary(FText, P))
    return P;
  return Forward ? NextGraphemeBoundary(FText, P) : PriorGraphemeBoundary(FText, P);
}

// Each end moves outwards, so the selection takes every character it
// touches whole; a caret alone moves to the start of its character.
void TEditEngine::Select(int Anchor, int Caret) {
  if (Anchor == Caret) {
    FAnchor = FCaret = Snap(Caret, false);
    return;
  }
  const bool Forward = Anchor < Caret;
  FAnchor = Snap(Anchor, !Forward);
  FCaret = Snap(Caret, Forward);
}

void TEditEngine::MoveCaret(int Position, bool Extend) {
  Select(Extend ? FAnchor : Position, Position);
}

int TEditEngine::CharLeft(int Position) const {
  return PriorGraphemeBoundary(FText, std::clamp(Position, 0, Length()));
}

int TEditEngine::CharRight(int Position) const {
  return NextGraphemeBoundary(FText, std::clamp(Position, 0, Length()));
}

namespace {
bool IsBlank(char32_t Ch) {
  return Ch == U' ';
}
} // namespace

int TEditEngine::WordLeft(int Position) const {
  const std::u32string Chars = Utf8Decode(FText);
  int P = std::clamp(Position, 0, Length());
  while (P > 0 && IsBlank(Chars[P - 1]))
    --P;
  while (P > 0 && !IsBlank(Chars[P - 1]))
    --P;
  return Snap(P, false);
}

int TEditEngine::WordRight(int Position) const {
  const std::u32string Chars = Utf8Decode(FText);
  int P = std::clamp(Position, 0, Length());
  while (P < Length() && !IsBlank(Chars[P]))
    ++P;
  while (P < Length() && IsBlank(Chars[P]))
    ++P;
  return Snap(P, true);
}

void TEditEngine::SelectWordAt(int Position) {
  const std::u32string Chars = Utf8Decode(FText);
  int Start = std::clamp(Position, 0, Length());
  int End = Start;
  while (Start > 0 && !IsBlank(Chars[Start - 1]))
    --Start;
  while (End < Length() && !IsBlank(Chars[End]))
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
  return CutToLength(ApplyCharCase(NormalizeNFC(S)), Room());
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
  std::string Text = FText;
  Delete(Text, Start + 1, Count);
  const std::string Inserted = ApplyCharCase(S);
  Insert(Inserted, Text, Start + 1);
  SetTextOnly(std::move(Text));
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
  SetTextOnly(Text);
  FAnchor = FCaret = Length();
  return true;
}

bool TEditEngine::TypeChar(char32_t Ch) {
  const std::string S = Fit(Utf8Encode(Ch));
  if (S.empty())
    return false;
  if (SelLength() == 0 && FCaret > 0) {
    const int Start = CharLeft(FCaret);
    const std::string Before = Copy(FText, Start + 1, FCaret - Start);
    const std::string Composed = NormalizeNFC(Before + S);
    if (Composed != Before + S)
      return Replace(Start, FCaret - Start, Composed, true);
  }
  return ReplaceSelection(S);
}

// Undoing a deletion brings back the caret where it was, not a selection of
// the deleted character.
bool TEditEngine::DeleteBackward() {
  if (SelLength() > 0)
    return ReplaceSelection("");
  const int Start = CharLeft(FCaret);
  return Start < FCaret && Replace(Start, FCaret - Start, "", true);
}

bool TEditEngine::DeleteForward() {
  if (SelLength() > 0)
    return ReplaceSelection("");
  const int End = CharRight(FCaret);
  return End > FCaret && Replace(FCaret, End - FCaret, "", true);
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
  SetTextOnly(std::move(State.Text));
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
