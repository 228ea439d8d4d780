// The edit window's text engine on its own: selection moves, word moves,
// editing against MaxLength and CharCase, and the undo history.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "vcl/editengine.h"

using namespace vcl;

namespace {

struct TMoveCase {
  const char* Name;
  const char* Text;
  int Anchor, Caret; // before
  std::function<void(TEditEngine&)> Move;
  int WantAnchor, WantCaret;
};

TEST(EditEngineTest, SelectionAndWordMoves) {
  const TMoveCase Cases[] = {
      {"select clamps both ends", "abc", 0, 0, [](TEditEngine& E) { E.Select(-4, 10); }, 0, 3},
      {"a move drops the selection", "abcdef", 1, 4, [](TEditEngine& E) { E.MoveCaret(2, false); },
       2, 2},
      {"an extended move keeps the anchor", "abcdef", 4, 4,
       [](TEditEngine& E) { E.MoveCaret(1, true); }, 4, 1},
      {"word left skips blanks then the word", "one two  three", 14, 14,
       [](TEditEngine& E) { E.MoveCaret(E.WordLeft(E.Caret()), false); }, 9, 9},
      {"word left from inside a word", "one two", 6, 6,
       [](TEditEngine& E) { E.MoveCaret(E.WordLeft(E.Caret()), false); }, 4, 4},
      {"word left at the start stays", "one", 0, 0,
       [](TEditEngine& E) { E.MoveCaret(E.WordLeft(E.Caret()), false); }, 0, 0},
      {"word right skips the word then blanks", "one  two", 0, 0,
       [](TEditEngine& E) { E.MoveCaret(E.WordRight(E.Caret()), false); }, 5, 5},
      {"word right at the end stays", "one", 3, 3,
       [](TEditEngine& E) { E.MoveCaret(E.WordRight(E.Caret()), true); }, 3, 3},
      {"extended word moves select words", "one two three", 4, 4,
       [](TEditEngine& E) {
         E.MoveCaret(E.WordRight(E.Caret()), true);
         E.MoveCaret(E.WordRight(E.Caret()), true);
       },
       4, 13},
      {"a word is selected around a position", "one two three", 0, 0,
       [](TEditEngine& E) { E.SelectWordAt(5); }, 4, 7},
      {"a position on a blank selects nothing around it", "a  b", 0, 0,
       [](TEditEngine& E) { E.SelectWordAt(2); }, 2, 2},
  };
  for (const TMoveCase& C : Cases) {
    TEditEngine E;
    E.SetText(C.Text);
    E.Select(C.Anchor, C.Caret);
    C.Move(E);
    EXPECT_EQ(E.Anchor(), C.WantAnchor) << C.Name;
    EXPECT_EQ(E.Caret(), C.WantCaret) << C.Name;
    EXPECT_EQ(E.SelStart(), std::min(C.WantAnchor, C.WantCaret)) << C.Name;
  }
}

struct TEditCase {
  const char* Name;
  const char* Text;
  int Anchor, Caret;
  int MaxLength;
  TEditCharCase CharCase;
  std::function<bool(TEditEngine&)> Edit;
  bool Changed;
  const char* WantText;
  int WantCaret;
};

TEST(EditEngineTest, EditingOperations) {
  const TEditCase Cases[] = {
      {"typing inserts at the caret", "ac", 1, 1, 0, ecNormal,
       [](TEditEngine& E) { return E.TypeChar('b'); }, true, "abc", 2},
      {"typing replaces the selection", "abcdef", 1, 4, 0, ecNormal,
       [](TEditEngine& E) { return E.TypeChar('X'); }, true, "aXef", 2},
      {"a full text refuses a key", "abcd", 4, 4, 4, ecNormal,
       [](TEditEngine& E) { return E.TypeChar('e'); }, false, "abcd", 4},
      {"a selection makes room in a full text", "abcd", 3, 1, 4, ecNormal,
       [](TEditEngine& E) { return E.TypeChar('X'); }, true, "aXd", 2},
      {"a text longer than MaxLength refuses a key over one character", "abcdef", 1, 2, 4, ecNormal,
       [](TEditEngine& E) { return E.TypeChar('X'); }, false, "abcdef", 2},
      {"typed characters follow CharCase", "", 0, 0, 0, ecUpperCase,
       [](TEditEngine& E) { return E.TypeChar(U'é'); }, true, "É", 1},
      {"a typed combining mark composes with its letter", "xe", 2, 2, 0, ecNormal,
       [](TEditEngine& E) { return E.TypeChar(U'\u0301'); }, true, "xé", 2},
      {"backspace removes the character before the caret", "abc", 2, 2, 0, ecNormal,
       [](TEditEngine& E) { return E.DeleteBackward(); }, true, "ac", 1},
      {"backspace at the start changes nothing", "abc", 0, 0, 0, ecNormal,
       [](TEditEngine& E) { return E.DeleteBackward(); }, false, "abc", 0},
      {"delete removes the character after the caret", "abc", 1, 1, 0, ecNormal,
       [](TEditEngine& E) { return E.DeleteForward(); }, true, "ac", 1},
      {"delete at the end changes nothing", "abc", 3, 3, 0, ecNormal,
       [](TEditEngine& E) { return E.DeleteForward(); }, false, "abc", 3},
      {"both deletions remove a selection", "abcdef", 5, 1, 0, ecNormal,
       [](TEditEngine& E) { return E.DeleteForward(); }, true, "af", 1},
      {"a replacement ignores MaxLength", "ab", 2, 2, 2, ecNormal,
       [](TEditEngine& E) { return E.ReplaceSelection("cd"); }, true, "abcd", 4},
      {"replacing nothing with nothing is no change", "ab", 1, 1, 0, ecNormal,
       [](TEditEngine& E) { return E.ReplaceSelection(""); }, false, "ab", 1},
      {"replacing a selection with the same text is a change", "ab", 0, 1, 0, ecNormal,
       [](TEditEngine& E) { return E.ReplaceSelection("a"); }, true, "ab", 1},
  };
  for (const TEditCase& C : Cases) {
    TEditEngine E;
    E.SetText(C.Text);
    E.SetMaxLength(C.MaxLength);
    E.SetCharCase(C.CharCase);
    E.Select(C.Anchor, C.Caret);
    EXPECT_EQ(C.Edit(E), C.Changed) << C.Name;
    EXPECT_EQ(E.Text(), C.WantText) << C.Name;
    EXPECT_EQ(E.Caret(), C.WantCaret) << C.Name;
    EXPECT_EQ(E.SelLength(), C.Changed ? 0 : std::abs(C.Caret - C.Anchor)) << C.Name;
  }
}

struct TFitCase {
  const char* Clip;
  const char* Text;
  int Anchor, Caret, MaxLength;
  const char* Want;
};

TEST(EditEngineTest, WhatAPasteInserts) {
  const TFitCase Cases[] = {
      {"one\r\ntwo", "", 0, 0, 0, "one two"},  {"\r\n12\r\n", "", 0, 0, 0, "12"},
      {"a\r\n\r\nb\nc", "", 0, 0, 0, "a b c"}, {"one\ntwo", "", 0, 0, 5, "one t"},
      {"12345", "ab", 2, 2, 4, "12"},          {"12345", "abcd", 1, 3, 4, "12"},
      {"12345", "abcd", 4, 4, 4, ""},
  };
  for (const TFitCase& C : Cases) {
    TEditEngine E;
    E.SetText(C.Text);
    E.SetMaxLength(C.MaxLength);
    E.Select(C.Anchor, C.Caret);
    EXPECT_EQ(E.Fit(TEditEngine::SingleLine(C.Clip)), C.Want) << C.Clip << " into " << C.Text;
  }
}

TEST(EditEngineTest, CharCaseConvertsTheTextHeldAndTextSetLater) {
  TEditEngine E;
  E.SetText("MiXed");
  E.SetCharCase(ecLowerCase);
  EXPECT_EQ(E.Text(), "mixed");
  E.SetText("ABC");
  EXPECT_EQ(E.Text(), "abc");
}

// One step of a history case: an operation and the text after it.
struct TStep {
  std::function<bool(TEditEngine&)> Do;
  bool Changed;
  const char* Text;
};

bool Type(TEditEngine& E, const char* Keys) {
  bool Changed = false;
  for (const char* K = Keys; *K; ++K)
    Changed = E.TypeChar(*K) || Changed;
  return Changed;
}

TEST(EditEngineTest, UndoAndRedoAcrossCompletions) {
  const auto Undo = [](TEditEngine& E) { return E.Undo(); };
  const auto Redo = [](TEditEngine& E) { return E.Redo(); };
  const struct {
    const char* Name;
    int MaxLength;
    std::vector<TStep> Steps;
  } Cases[] = {
      {"a completion is a step of its own",
       0,
       {{[](TEditEngine& E) { return Type(E, "b"); }, true, "b"},
        {[](TEditEngine& E) { return E.ReplaceText("Banana"); }, true, "Banana"},
        {Undo, true, "b"},
        {Undo, true, ""},
        {Undo, false, ""},
        {Redo, true, "b"},
        {Redo, true, "Banana"},
        {Redo, false, "Banana"}}},
      {"a new edit after undoing forgets the redo steps",
       0,
       {{[](TEditEngine& E) { return Type(E, "12"); }, true, "12"},
        {[](TEditEngine& E) { return E.ReplaceText("12-"); }, true, "12-"},
        {Undo, true, "12"},
        {[](TEditEngine& E) { return Type(E, "3"); }, true, "123"},
        {Redo, false, "123"},
        {Undo, true, "12"},
        {Undo, true, "1"}}},
      {"a refused key leaves no step",
       2,
       {{[](TEditEngine& E) { return Type(E, "ab"); }, true, "ab"},
        {[](TEditEngine& E) { return Type(E, "c"); }, false, "ab"},
        {Undo, true, "a"}}},
      {"replacing a text with itself is no step",
       0,
       {{[](TEditEngine& E) { return Type(E, "x"); }, true, "x"},
        {[](TEditEngine& E) { return E.ReplaceText("x"); }, false, "x"},
        {Undo, true, ""}}},
      {"a replacement that is not undoable starts the history anew",
       0,
       {{[](TEditEngine& E) { return Type(E, "ab"); }, true, "ab"},
        {[](TEditEngine& E) { return E.ReplaceSelection("!", false); }, true, "ab!"},
        {Undo, false, "ab!"}}},
  };
  for (const auto& C : Cases) {
    TEditEngine E;
    E.SetMaxLength(C.MaxLength);
    int I = 0;
    for (const TStep& S : C.Steps) {
      EXPECT_EQ(S.Do(E), S.Changed) << C.Name << ", step " << I;
      EXPECT_EQ(E.Text(), S.Text) << C.Name << ", step " << I;
      ++I;
    }
  }
}

TEST(EditEngineTest, UndoingACompletionBringsBackTheSelectionItReplaced) {
  TEditEngine E;
  E.SetText("ab");
  E.Select(2, 1);
  E.ReplaceText("abc");
  EXPECT_EQ(E.Caret(), 3);
  E.Undo();
  EXPECT_EQ(E.Anchor(), 2);
  EXPECT_EQ(E.Caret(), 1);
  E.Redo();
  EXPECT_EQ(E.Text(), "abc");
  EXPECT_EQ(E.Caret(), 3);
}

TEST(EditEngineTest, TheOldestStepsAreForgottenFirst) {
  TEditEngine E;
  const int Steps = static_cast<int>(TEditEngine::MaxUndoSteps) + 5;
  for (int I = 0; I < Steps; ++I)
    E.TypeChar('x');
  int Undone = 0;
  while (E.Undo())
    ++Undone;
  EXPECT_EQ(Undone, static_cast<int>(TEditEngine::MaxUndoSteps));
  EXPECT_EQ(E.Length(), 5);
}

TEST(EditEngineTest, TextFromCodeOrANewCharCaseStartsANewHistory) {
  TEditEngine E;
  E.SetText("abc");
  E.Select(3, 3);
  E.TypeChar('d');
  ASSERT_TRUE(E.CanUndo());
  E.SetText("xyz");
  EXPECT_EQ(E.Caret(), 0);
  EXPECT_FALSE(E.Undo());
  EXPECT_EQ(E.Text(), "xyz");
  E.TypeChar('a');
  E.SetCharCase(ecUpperCase);
  EXPECT_FALSE(E.CanUndo());
  EXPECT_EQ(E.Text(), "AXYZ");
}

} // namespace
