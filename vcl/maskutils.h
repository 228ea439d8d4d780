// Run-time core: edit masks, apart from any window. An edit mask describes a text of fixed
// length, character by character: literals that stand where the mask puts
// them, and positions that take a digit, a letter, any character and so on.
// The masked edit (vcl/mask.h) shows the literals and a blank character in
// every free position, types over positions (never inserting), skips
// literals, and refuses characters a position does not take; a data field
// shows its value in the form of its mask (FormatMaskText).
//
// A mask has up to three sections separated by ';':
//
//   mask ; save literals ; blank       e.g.  !\(999\)000-0000;1;_
//
// The second section is '0' when Text leaves the literals out (anything else,
// or no section, keeps them); the third is the blank character ('_' when
// absent). Mask characters:
//
//   0  digit, required        9  digit, optional       #  digit or sign, optional
//   L  letter, required       l  letter, optional
//   A  letter or digit, req.  a  letter or digit, optional
//   C  any character, req.    c  any character, optional
//   :  the time separator     /  the date separator    _  a space
//   >  upper case from here   <  lower case from here  <> no case conversion
//   \  the next character is a literal
//   !  unfilled positions of a Text without literals are leading blanks
//      (the Text is right-aligned in the mask) instead of trailing ones
//
// Every other character is a literal. EditText is what the window holds
// (literals and blanks included); Text is the value: the literals kept or
// dropped as the mask says, blanks as spaces without the padding at the end
// (at the start under '!' without literals), and empty when nothing has been
// entered at all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vcl {

using TEditMask = std::string;

// A parsed edit mask: the rules of the masked edit's text, apart from any
// window, so that any code can format and check texts by a mask. Texts are
// UTF-8; each position of the mask holds one character (code point), and
// positions count from 0, as the edit's selection does.
class TEditMaskFormat {
public:
  enum TCharClass : std::uint8_t { ccLiteral, ccDigit, ccDigitOrSign, ccLetter, ccAlphaNum, ccAny };
  enum TCaseConv : std::uint8_t { cvNone, cvUpper, cvLower };
  struct TPosition {
    TCharClass Class = ccLiteral;
    bool Required = false;
    TCaseConv Case = cvNone;
    char32_t Literal = 0;
  };

  TEditMaskFormat() = default; // no mask: nothing is masked
  explicit TEditMaskFormat(const std::string& EditMask);

  // A mask that describes no position masks nothing.
  bool IsMasked() const { return !FPositions.empty(); }
  int Length() const { return static_cast<int>(FPositions.size()); }
  const TPosition& Position(int Index) const { return FPositions.at(Index); }
  bool IsLiteral(int Index) const { return FPositions.at(Index).Class == ccLiteral; }
  bool SaveLiterals() const { return FSaveLiterals; }
  char32_t Blank() const { return FBlank; }
  bool LeadingBlanks() const { return FLeadingBlanks; }

  // Ch as it stands at Index (in the position's case), or 0 when the
  // position does not take it. Literal positions take nothing.
  char32_t Accept(int Index, char32_t Ch) const;
  // The first editable position at or after From, the last one before
  // Before; -1 when there is none.
  int NextEditable(int From) const;
  int PriorEditable(int Before) const;

  // The empty edit text: literals in place, blanks everywhere else.
  std::string BlankText() const;
  // Value laid over the mask as an edit text. Literals of Value that match
  // the mask are taken as such (so both "(415)555-1212" and "4155551212"
  // fit a phone mask); a character a position does not take leaves it blank.
  std::string EditTextOf(const std::string& Value) const;
  // The edit text of a value given as Text: with saved literals as
  // EditTextOf; without, Value's characters fill the editable positions in
  // order, right-aligned when the mask has '!'.
  std::string EditTextFromText(const std::string& Text) const;
  // The Text of an edit text.
  std::string TextOf(const std::string& EditText) const;
  // The first position whose character is missing (a blank at a required
  // position) or not one the position takes; -1 when EditText is complete.
  int FirstInvalid(const std::string& EditText) const;

  // Writes Chars into EditText from position Pos on, over the positions in
  // turn: a character equal to the literal at its place passes over it, the
  // blank character blanks the next editable position, and any other
  // character must be taken by the next editable position. A typed space
  // blanks its position; in a Paste, spaces and the mask's literals that fit
  // nowhere are separators and are passed over, so "(415) 555-1212" and
  // "415-555-1212" both paste into "(999)000-0000". Returns false, leaving
  // EditText and Pos alone, when a character cannot be placed; else Pos is
  // the position after the last one written.
  bool Place(std::string& EditText, int& Pos, const std::string& Chars, bool Paste) const;
  // Blanks the editable positions in [Start, Start + Count).
  void BlankRange(std::string& EditText, int Start, int Count) const;

private:
  void ParseMask(const std::u32string& Mask);
  bool IsMaskLiteral(char32_t Ch) const;
  // The texts above, character by character.
  std::u32string BlankChars() const;
  std::u32string EditCharsOf(const std::u32string& Value) const;
  bool PlaceChars(std::u32string& S, int& Pos, const std::u32string& Chars, bool Paste) const;
  void BlankSpan(std::u32string& S, int Start, int Count) const;

  std::vector<TPosition> FPositions;
  bool FSaveLiterals = true;
  bool FLeadingBlanks = false;
  char32_t FBlank = '_';
};

// Value formatted by EditMask as a Text with its literals, unfilled
// positions as spaces (for showing a stored value in the mask's form).
std::string FormatMaskText(const std::string& EditMask, const std::string& Value);

} // namespace vcl
