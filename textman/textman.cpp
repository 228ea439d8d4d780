// Character-set string routines: linear scans over single-byte texts with
// 1-based positions. Out-of-range starting positions give "not found" rather
// than reading outside the text.
#include "textman/textman.h"

#include <algorithm>
#include <climits>

#include "vcl/sysutils.h"

namespace TextMan {

using vcl::Length;

TCharSet::TCharSet(const std::string& Members) {
  for (char Ch : Members)
    Include(Ch);
}

void AppendChar(char Ch, std::string& S, std::uint16_t Count) {
  S.append(Count, Ch);
}

std::string FillStr(char Ch, std::uint16_t Count) {
  return vcl::StringOfChar(Ch, Count);
}

bool CharInStr(char Ch, const std::string& S) {
  return vcl::Pos(Ch, S) > 0;
}

int CharPos(char Ch, const std::string& S, int Start) {
  if (Start < 1)
    return 0;
  for (int I = Start; I <= Length(S); ++I)
    if (S[I - 1] == Ch)
      return I;
  return 0;
}

int CharPosBack(char Ch, const std::string& S, int Start) {
  if (Start > Length(S))
    return 0;
  for (int I = Start; I >= 1; --I)
    if (S[I - 1] == Ch)
      return I;
  return 0;
}

int CharOccurrence(char Ch, const std::string& S, std::uint8_t N) {
  int Found = 0;
  for (int Count = 0; Count < N; ++Count) {
    Found = CharPos(Ch, S, Found + 1);
    if (Found == 0)
      return 0;
  }
  return Found;
}

namespace {

// Walks from Start while the characters' membership in Chars equals Skip.
// A Start below 1 finds nothing, as it does for CharPos.
int WalkWhile(const TCharSet& Chars, const std::string& S, int Start, bool Skip) {
  if (Start < 1)
    return 0;
  int I = Start;
  while (I <= Length(S) && Chars.Contains(S[I - 1]) == Skip)
    ++I;
  return I > Length(S) ? 0 : I;
}

} // namespace

int CharsInStrPos(TCharSet Chars, const std::string& S, int Start) {
  return WalkWhile(Chars, S, Start, false);
}

int CharsNotInStrPos(TCharSet Chars, const std::string& S, int Start) {
  return WalkWhile(Chars, S, Start, true);
}

std::string CharsNotInStr(const std::string& S, const std::string& Chars) {
  std::string Result;
  for (char Ch : Chars)
    if (!CharInStr(Ch, S))
      Result += Ch;
  return Result;
}

std::string FilterStr(const std::string& S, TCharSet Chars) {
  // Chars is our own copy: each character is struck from it once taken.
  std::string Result;
  for (char Ch : S)
    if (Chars.Contains(Ch)) {
      Result += Ch;
      Chars.Exclude(Ch);
    }
  return Result;
}

std::string CopyFromTo(const std::string& S, int From, int To) {
  // The count is formed in 64 bits so extreme positions cannot overflow.
  const long long Count = static_cast<long long>(To) - From + 1;
  return vcl::Copy(S, From, static_cast<int>(std::min<long long>(Count, INT_MAX)));
}

void ReplaceFirstChar(char Old, char New, std::string& S) {
  const int P = vcl::Pos(Old, S);
  if (P > 0)
    S[P - 1] = New;
}

void ReplaceChars(char Old, char New, std::string& S) {
  for (char& Ch : S)
    if (Ch == Old)
      Ch = New;
}

void SkipTo(const std::string& S, int& Pos, char Ch) {
  // Pos + 1, except that a Pos at or past the end has nothing after it (and
  // INT_MAX must not wrap round to a negative start).
  const int From = Pos < Length(S) ? Pos + 1 : Length(S) + 1;
  Pos = CharPos(Ch, S, From);
  if (Pos == 0)
    Pos = Length(S) + 1;
}

} // namespace TextMan
