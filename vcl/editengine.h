// GUI platform: the text engine of the single-line edit window. It holds the
// text (UTF-8), the selection (an anchor and a caret, counted in characters,
// that is code points, from 0), the editing operations and their undo
// history, and knows nothing of messages, painting, the clipboard or the
// keyboard: TCustomEdit routes the window's input to it and paints what it
// holds, and tests drive it alone. The caret and the selection's ends never
// stand inside a user-perceived character (a letter with its combining
// marks, an emoji sequence, a flag): moves, deletions and selections step
// over such a character as one.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "vcl/sysutils.h"

namespace vcl {

VCL_ENUM(TEditCharCase, std::uint8_t, ecNormal, ecUpperCase, ecLowerCase);

class TEditEngine {
public:
  const std::string& Text() const { return FText; }
  // The number of characters (code points).
  int Length() const { return FLength; }
  int Anchor() const { return FAnchor; }
  int Caret() const { return FCaret; }
  int SelStart() const;
  int SelLength() const;
  std::string SelText() const;

  // 0 means no limit. The limit holds for typing and pasting only: text
  // set from code or replaced by the window's owner may be longer.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  TEditCharCase CharCase() const { return FCharCase; }
  // Converts the text already held, as the window does when recreated.
  void SetCharCase(TEditCharCase Value);

  // Replaces the whole text (in CharCase) with the caret at the start; the
  // history starts anew.
  void SetText(const std::string& Value);

  // Selection; positions are clamped to the text, and a position inside a
  // user-perceived character moves to its edge: a selection takes the
  // character whole, a caret alone goes to its start.
  void Select(int Anchor, int Caret);
  void SelectAll() { Select(0, Length()); }
  // Moves the caret; with Extend the anchor stays, so the selection grows
  // or shrinks from it.
  void MoveCaret(int Position, bool Extend);
  // The position one user-perceived character before or after Position.
  int CharLeft(int Position) const;
  int CharRight(int Position) const;
  // Word moves: words are runs of characters other than blanks.
  int WordLeft(int Position) const;
  int WordRight(int Position) const;
  void SelectWordAt(int Position);
  // Position, or the nearer edge of the user-perceived character it falls
  // inside: the one before it unless Forward.
  int Snap(int Position, bool Forward) const;

  // What the window inserts for a typed or pasted S: S composed (NFC), in
  // CharCase, cut to the room MaxLength leaves once the selection is
  // replaced, never inside a user-perceived character.
  std::string Fit(const std::string& S) const;
  // The single line the window makes of a clipboard text: line breaks at
  // either end are dropped, and each run of them inside becomes one blank.
  static std::string SingleLine(const std::string& S);

  // Editing. Each returns false when it changed nothing.
  // Replaces the selection with S in CharCase, whatever its length; the
  // caret ends after it. An undoable replacement is one undo step; any
  // other starts the history anew.
  bool ReplaceSelection(const std::string& S, bool Undoable = true);
  // Replaces the whole text (in CharCase) as one undo step; undoing it
  // brings back the selection as it was. The caret ends at the end.
  bool ReplaceText(const std::string& S);
  // A typed character: refused when the text is full. A combining mark
  // typed after its letter is composed with it where Unicode has one
  // character for the two (e then U+0301 gives U+00E9).
  bool TypeChar(char32_t Ch);
  // Backspace and Delete: the selection, else one user-perceived character.
  bool DeleteBackward();
  bool DeleteForward();

  // Undo history: every edit is one step, up to MaxUndoSteps of them (the
  // oldest are forgotten first). Undo brings back the text and selection
  // before the last step; Redo takes the undone step again, until a new
  // edit is made.
  static constexpr std::size_t MaxUndoSteps = 100;
  bool CanUndo() const { return !FUndo.empty(); }
  bool CanRedo() const { return !FRedo.empty(); }
  bool Undo();
  bool Redo();
  void ClearUndo();

private:
  struct TState {
    std::string Text;
    int Anchor;
    int Caret;
  };
  std::string ApplyCharCase(const std::string& S) const;
  void SetTextOnly(std::string Value);
  int Room() const;
  // Replaces Count characters from Start (0-based) with S in CharCase.
  bool Replace(int Start, int Count, const std::string& S, bool Undoable);
  // Records the state before an edit as an undo step.
  void BeginStep();
  // Moves the current state onto To and puts back the last state of From.
  bool Restore(std::deque<TState>& From, std::deque<TState>& To);

  std::string FText;
  int FLength = 0;
  int FAnchor = 0;
  int FCaret = 0;
  int FMaxLength = 0;
  TEditCharCase FCharCase = ecNormal;
  std::deque<TState> FUndo;
  std::deque<TState> FRedo;
};

} // namespace vcl
