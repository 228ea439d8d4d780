// The prepared picture. The tables hold, for every position, the answer of
// the plain walk with the picture's end as the stop position; such an answer
// also holds for any nearer stop position that the walk did not pass (see
// Holds), which is every stop an evaluation of a well-formed picture uses.
//
// Working out where a bracket's piece ends walks up to its closing bracket,
// so deeply nested or unbalanced pictures would take time that grows with
// the square of their length. The walks share a budget in proportion to the
// picture's length; positions left when it is spent stay open and are walked
// when an evaluation asks for them, as they would be without the tables.
#include "validate/picture_prepared.h"

#include <climits>
#include <utility>

#include "vcl/sysutils.h"

namespace Validate {

namespace {

bool IsDigit(int Ch) {
  return Ch >= '0' && Ch <= '9';
}

bool IsBracket(int Ch) {
  return Ch == '[' || Ch == ']' || Ch == '{' || Ch == '}';
}

// A piece of one character: a character class or a literal without escape.
bool IsPlain(int Ch) {
  return !IsBracket(Ch) && Ch != '*' && Ch != ',' && Ch != ';';
}

// Walk steps allowed per picture character for working out bracket ends.
constexpr long StepsPerChar = 32;

} // namespace

TPreparedPicture::TPreparedPicture(const std::string& Picture)
    : FText(Picture), FChars(vcl::Utf8Decode(Picture)), FLength(static_cast<int>(FChars.size())),
      FAscii(vcl::IsAscii(Picture)) {
  const auto Size = static_cast<std::size_t>(FLength) + 2;
  FPieceEnd.assign(Size, 0);
  FChoiceEnd.assign(Size, 0);
  FRepeatCount.assign(Size, 0);
  FRepeatedPiece.assign(Size, 0);
  FPlainEnd.assign(Size, 0);
  PrepareRepeats();
  PreparePieceEnds();
  PrepareChoiceEnds();
  PreparePlainRuns();
  PrepareSlots();
}

// The plain walk of SkipPiece, counting its steps into Steps. Written as a
// loop rather than by recursion into the piece after a '*', so that a long
// run of stars cannot exhaust the stack: Outer keeps the bracket counters of
// the pieces whose repeated piece is being skipped. A position can only
// grow, and the walk ends once it reaches Stop (an escape may carry it one
// place beyond).
int TPreparedPicture::WalkPiece(int P, int Stop, long& Steps) const {
  std::vector<std::pair<int, int>> Outer;
  int Square = 0;
  int Curly = 0;
  for (;; ++Steps) {
    if (P >= Stop)
      return P;
    switch (Char(P)) {
    case '[':
      ++Square;
      break;
    case ']':
      --Square;
      break;
    case '{':
      ++Curly;
      break;
    case '}':
      --Curly;
      break;
    case ';':
      ++P;
      break;
    case '*':
      ++P;
      while (IsDigit(Char(P)))
        ++P;
      // The repeated piece starts with fresh counters; counters of zero
      // need not be kept, as they would end the outer piece anyway.
      if (Square != 0 || Curly != 0)
        Outer.emplace_back(Square, Curly);
      Square = Curly = 0;
      continue;
    }
    ++P;
    while (Square == 0 && Curly == 0 && !Outer.empty()) {
      Square = Outer.back().first;
      Curly = Outer.back().second;
      Outer.pop_back();
    }
    if (Square == 0 && Curly == 0)
      return P;
  }
}

int TPreparedPicture::WalkPiece(int P, int Stop) const {
  long Steps = 0;
  return WalkPiece(P, Stop, Steps);
}

int TPreparedPicture::SkipChoice(int P, int Stop) const {
  if (P >= 1 && P <= FLength && Holds(P, FChoiceEnd[static_cast<std::size_t>(P)], Stop))
    return FChoiceEnd[static_cast<std::size_t>(P)];
  do
    P = SkipPiece(P, Stop);
  while (P < Stop && Char(P) != ',');
  return P;
}

void TPreparedPicture::PrepareRepeats() {
  for (int P = 1; P <= FLength; ++P) {
    if (Char(P) != '*')
      continue;
    int Q = P + 1;
    int Count = 0;
    while (IsDigit(Char(Q))) {
      const int Digit = Char(Q) - '0';
      Count = Count > (INT_MAX - Digit) / 10 ? INT_MAX : Count * 10 + Digit;
      ++Q;
    }
    FRepeatCount[static_cast<std::size_t>(P)] = Count;
    FRepeatedPiece[static_cast<std::size_t>(P)] = Q;
  }
}

// From the last position to the first, so that the end of the piece a '*'
// repeats is known when the '*' is reached: a repetition ends where its
// piece does, the walk having started afresh after the count.
void TPreparedPicture::PreparePieceEnds() {
  const int Stop = FLength + 1;
  long Budget = StepsPerChar * (static_cast<long>(FLength) + 32);
  for (int P = FLength; P >= 1; --P) {
    int End = 0;
    if (Char(P) == '*') {
      const int Piece = FRepeatedPiece[static_cast<std::size_t>(P)];
      End = Piece >= Stop ? Piece : FPieceEnd[static_cast<std::size_t>(Piece)];
    } else if (!IsBracket(Char(P))) {
      End = Char(P) == ';' ? P + 2 : P + 1;
    } else if (Budget > 0) {
      long Steps = 0;
      End = WalkPiece(P, Stop, Steps);
      Budget -= Steps;
    }
    FPieceEnd[static_cast<std::size_t>(P)] = End;
  }
}

// An alternative ends at the first ',' or the stop position after whole
// pieces; from P that is where the alternative from P's piece end ends.
void TPreparedPicture::PrepareChoiceEnds() {
  const int Stop = FLength + 1;
  for (int P = FLength; P >= 1; --P) {
    const int Next = FPieceEnd[static_cast<std::size_t>(P)];
    if (Next == 0 || Next >= Stop || Char(Next) == ',')
      FChoiceEnd[static_cast<std::size_t>(P)] = Next;
    else
      FChoiceEnd[static_cast<std::size_t>(P)] = FChoiceEnd[static_cast<std::size_t>(Next)];
  }
}

void TPreparedPicture::PreparePlainRuns() {
  FPlainEnd[static_cast<std::size_t>(FLength) + 1] = FLength + 1;
  for (int P = FLength; P >= 1; --P)
    FPlainEnd[static_cast<std::size_t>(P)] =
        IsPlain(Char(P)) ? FPlainEnd[static_cast<std::size_t>(P) + 1] : P;
}

void TPreparedPicture::PrepareSlots() {
  if (!FAscii)
    return;
  constexpr std::size_t Padding = 8;
  FPaddedText = FText + std::string(Padding, '\0');
  FDigitSlots.assign(FText.size() + Padding, '\0');
  FDigitOrLiteralSlots.assign(FText.size() + Padding, '\0');
  for (int P = 1; P <= FLength; ++P) {
    const auto I = static_cast<std::size_t>(P - 1);
    const int Ch = Char(P);
    if (Ch == '#')
      FDigitSlots[I] = '\xFF';
    if (Ch == '#' || (IsPlain(Ch) && !IsCharClass(Ch)))
      FDigitOrLiteralSlots[I] = '\xFF';
  }
}

} // namespace Validate
