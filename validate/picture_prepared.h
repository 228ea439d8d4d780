// A picture made ready for evaluation: the picture text together with what
// an evaluation would otherwise work out again on every pass over it, where
// each piece ends (groups with their closing brackets, repetitions with the
// piece they repeat), where the alternative starting at a position ends,
// where a run of one-character pieces ends (with, for an ASCII picture, which
// of them are digits and literals, for testing eight text bytes at once),
// and the count of each repetition. It is built once, when the picture is set;
// the evaluation asks it instead of walking the picture text.
//
// Every answer is exactly the one the plain walk gives for the same stop
// position, for well-formed and malformed pictures alike. Where an answer
// cannot be taken from the tables (a stop position inside a piece, or a
// position the tables leave open), the plain walk is made there and then.
#pragma once

#include <string>
#include <vector>

namespace Validate {

class TPreparedPicture {
public:
  // The picture character beyond either end of the picture: unequal to every
  // character, so it matches nothing and is no bracket, comma or digit.
  static constexpr int NoChar = -1;

  explicit TPreparedPicture(const std::string& Picture = "");

  // Whether Ch is a character class (# ? & ~ ! @) as a picture character.
  static bool IsCharClass(int Ch) {
    return Ch == '#' || Ch == '?' || Ch == '&' || Ch == '~' || Ch == '!' || Ch == '@';
  }

  const std::string& Text() const { return FText; }
  // The picture's length in characters (code points).
  int Length() const { return FLength; }
  // Whether the picture is ASCII only (then so is every literal it stores).
  bool IsAscii() const { return FAscii; }
  // The character (code point) at P, counted from 1; NoChar outside the picture.
  int Char(int P) const {
    return P >= 1 && P <= FLength ? static_cast<int>(FChars[static_cast<std::size_t>(P - 1)])
                                  : NoChar;
  }

  // SkipPiece: the position after the piece that starts at P, the walk
  // ending once it reaches Stop. Answered from the table where it holds, in
  // line, since every group and repetition asks.
  int SkipPiece(int P, int Stop) const {
    if (P >= 1 && P <= FLength && Holds(P, FPieceEnd[static_cast<std::size_t>(P)], Stop))
      return FPieceEnd[static_cast<std::size_t>(P)];
    return WalkPiece(P, Stop);
  }
  // The first step of NextChoice: pieces skipped from P (at least one) until
  // Stop or a ',' is reached.
  int SkipChoice(int P, int Stop) const;

  // For the '*' at P: the repetition count (0 when no digits follow, and
  // the largest int for a count too large to hold) and the position of the
  // repeated piece, just after the count.
  int RepeatCount(int P) const { return FRepeatCount[static_cast<std::size_t>(P)]; }
  int RepeatedPiece(int P) const { return FRepeatedPiece[static_cast<std::size_t>(P)]; }

  // Where the run of plain pieces starting at P ends: pieces that are one
  // character class or one unescaped literal each, and so take exactly one
  // text character. P itself when the piece at P is not plain.
  int PlainEnd(int P) const { return FPlainEnd[static_cast<std::size_t>(P)]; }
  // The picture's characters, the one at position P at index P - 1.
  const char32_t* Chars() const { return FChars.data(); }

  // For an ASCII picture, byte masks by position (index P - 1), eight zero
  // bytes past the end so that eight can be read from any position: 0xFF
  // where the piece is a digit ('#'), and 0xFF where it is a digit or a plain
  // literal. Empty for any other picture.
  const char* DigitSlots() const { return FDigitSlots.data(); }
  const char* DigitOrLiteralSlots() const { return FDigitOrLiteralSlots.data(); }
  // The picture's bytes, padded as the masks are.
  const char* PaddedText() const { return FPaddedText.data(); }

private:
  int WalkPiece(int P, int Stop, long& Steps) const;
  int WalkPiece(int P, int Stop) const;
  void PrepareRepeats();
  void PreparePieceEnds();
  void PrepareChoiceEnds();
  void PreparePlainRuns();
  void PrepareSlots();
  // Whether an end worked out with the picture's own end as the stop
  // position is also the answer for Stop.
  bool Holds(int P, int End, int Stop) const {
    return P < Stop && Stop <= FLength + 1 && End != 0 && End <= Stop;
  }

  std::string FText;
  std::u32string FChars;
  int FLength = 0;
  bool FAscii = true;
  // Indexed by position (1 to Length); 0 where the end was left open.
  std::vector<int> FPieceEnd;
  std::vector<int> FChoiceEnd;
  std::vector<int> FRepeatCount;
  std::vector<int> FRepeatedPiece;
  std::vector<int> FPlainEnd;
  std::string FDigitSlots;
  std::string FDigitOrLiteralSlots;
  std::string FPaddedText;
};

} // namespace Validate
