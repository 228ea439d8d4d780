// Character-set string routines: linear scans over UTF-8 texts with 1-based
// character positions. Out-of-range starting positions give "not found"
// rather than reading outside the text.
#include "textman/textman.h"

#include <algorithm>
#include <climits>

#include "vcl/sysutils.h"

namespace TextMan {

using vcl::Length;

namespace {

constexpr char32_t MaxChar = 0x10FFFF;

// Walks the characters of S from position Start (1 or more) on, handing
// each with its position to Visit until Visit answers true; answers that
// position, or 0 when the text ends first.
template <typename TVisit> int WalkFrom(const std::string& S, int Start, TVisit Visit) {
  std::size_t Offset = vcl::CharOffset(S, Start);
  for (int P = Start; Offset < S.size(); ++P) {
    // An ASCII byte is a character of its own: the common case, taken here.
    const auto Byte = static_cast<unsigned char>(S[Offset]);
    const char32_t Ch = Byte < 0x80 ? (++Offset, char32_t(Byte)) : vcl::Utf8Decode(S, Offset);
    if (Visit(Ch))
      return P;
  }
  return 0;
}

} // namespace

TCharSet::TCharSet(const std::string& Members) {
  for (char32_t Ch : vcl::Utf8Decode(Members))
    Include(Ch);
}

bool TCharSet::Contains(char32_t Ch) const {
  // The first range that ends at or after Ch holds it if it starts by then.
  const auto It = std::lower_bound(FRanges.begin(), FRanges.end(), Ch,
                                   [](const auto& R, char32_t C) { return R.second < C; });
  return It != FRanges.end() && It->first <= Ch;
}

TCharSet& TCharSet::IncludeRange(char32_t First, char32_t Last) {
  Last = std::min(Last, MaxChar);
  if (Last < First)
    return *this;
  // Merge with every range that overlaps or touches First..Last.
  auto It = std::lower_bound(FRanges.begin(), FRanges.end(), First,
                             [](const auto& R, char32_t C) { return R.second + 1 < C; });
  while (It != FRanges.end() && It->first <= Last + 1) {
    First = std::min(First, It->first);
    Last = std::max(Last, It->second);
    It = FRanges.erase(It);
  }
  FRanges.insert(It, {First, Last});
  return *this;
}

TCharSet& TCharSet::Exclude(char32_t Ch) {
  const auto It = std::lower_bound(FRanges.begin(), FRanges.end(), Ch,
                                   [](const auto& R, char32_t C) { return R.second < C; });
  if (It == FRanges.end() || It->first > Ch)
    return *this;
  const auto [First, Last] = *It;
  const auto At = FRanges.erase(It);
  std::vector<std::pair<char32_t, char32_t>> Rest;
  if (First < Ch)
    Rest.emplace_back(First, Ch - 1);
  if (Ch < Last)
    Rest.emplace_back(Ch + 1, Last);
  FRanges.insert(At, Rest.begin(), Rest.end());
  return *this;
}

void AppendChar(char32_t Ch, std::string& S, std::uint16_t Count) {
  S += vcl::StringOfChar(Ch, Count);
}

std::string FillStr(char32_t Ch, std::uint16_t Count) {
  return vcl::StringOfChar(Ch, Count);
}

bool CharInStr(char32_t Ch, const std::string& S) {
  // An ASCII byte is never part of a longer character in UTF-8, so an
  // ASCII character is found by its byte.
  if (Ch < 0x80)
    return S.find(static_cast<char>(Ch)) != std::string::npos;
  return vcl::Pos(Ch, S) > 0;
}

int CharPos(char32_t Ch, const std::string& S, int Start) {
  if (Start < 1)
    return 0;
  return WalkFrom(S, Start, [Ch](char32_t C) { return C == Ch; });
}

int CharPosBack(char32_t Ch, const std::string& S, int Start) {
  const std::u32string Chars = vcl::Utf8Decode(S);
  if (Start > static_cast<int>(Chars.size()))
    return 0;
  for (int I = Start; I >= 1; --I)
    if (Chars[static_cast<std::size_t>(I - 1)] == Ch)
      return I;
  return 0;
}

int CharOccurrence(char32_t Ch, const std::string& S, std::uint8_t N) {
  int Found = 0;
  for (int Count = 0; Count < N; ++Count) {
    Found = CharPos(Ch, S, Found + 1);
    if (Found == 0)
      return 0;
  }
  return Found;
}

int CharsInStrPos(const TCharSet& Chars, const std::string& S, int Start) {
  if (Start < 1)
    return 0;
  return WalkFrom(S, Start, [&Chars](char32_t C) { return Chars.Contains(C); });
}

int CharsNotInStrPos(const TCharSet& Chars, const std::string& S, int Start) {
  if (Start < 1)
    return 0;
  return WalkFrom(S, Start, [&Chars](char32_t C) { return !Chars.Contains(C); });
}

std::string CharsNotInStr(const std::string& S, const std::string& Chars) {
  std::string Result;
  for (char32_t Ch : vcl::Utf8Decode(Chars))
    if (!CharInStr(Ch, S))
      vcl::Utf8Append(Result, Ch);
  return Result;
}

std::string FilterStr(const std::string& S, TCharSet Chars) {
  // Chars is our own copy: each character is struck from it once taken.
  std::string Result;
  for (char32_t Ch : vcl::Utf8Decode(S))
    if (Chars.Contains(Ch)) {
      vcl::Utf8Append(Result, Ch);
      Chars.Exclude(Ch);
    }
  return Result;
}

std::string CopyFromTo(const std::string& S, int From, int To) {
  // The count is formed in 64 bits so extreme positions cannot overflow.
  const long long Count = static_cast<long long>(To) - From + 1;
  return vcl::Copy(S, From, static_cast<int>(std::min<long long>(Count, INT_MAX)));
}

void ReplaceFirstChar(char32_t Old, char32_t New, std::string& S) {
  const int P = vcl::Pos(Old, S);
  if (P > 0) {
    vcl::Delete(S, P, 1);
    vcl::Insert(vcl::Utf8Encode(New), S, P);
  }
}

void ReplaceChars(char32_t Old, char32_t New, std::string& S) {
  if (!CharInStr(Old, S))
    return;
  std::u32string Chars = vcl::Utf8Decode(S);
  std::replace(Chars.begin(), Chars.end(), Old, New);
  S = vcl::Utf8Encode(Chars);
}

void SkipTo(const std::string& S, int& Pos, char32_t Ch) {
  // Pos + 1, except that a Pos at or past the end has nothing after it (and
  // INT_MAX must not wrap round to a negative start).
  const int Len = Length(S);
  const int From = Pos < Len ? Pos + 1 : Len + 1;
  Pos = CharPos(Ch, S, From);
  if (Pos == 0)
    Pos = Len + 1;
}

} // namespace TextMan
