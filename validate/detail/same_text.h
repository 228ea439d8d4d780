// Equality of texts that are mostly a few bytes long: the last text a
// picture judged, the date format a date validator read. They are compared
// on every call, and the date validator keeps a copy of the last one; up to
// sixteen bytes the comparison and the copy are two overlapping words,
// without the call into the library that dominates for such lengths.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace Validate::Detail {

template <typename TWord> TWord LoadWord(const char* Bytes) {
  TWord Word;
  std::memcpy(&Word, Bytes, sizeof Word);
  return Word;
}

// Whether the N bytes at A and B agree, for sizeof(TWord) <= N <= 2 *
// sizeof(TWord): the first and the last word of each, which overlap.
template <typename TWord> bool SameWords(const char* A, const char* B, std::size_t N) {
  const std::size_t Last = N - sizeof(TWord);
  return ((LoadWord<TWord>(A) ^ LoadWord<TWord>(B)) |
          (LoadWord<TWord>(A + Last) ^ LoadWord<TWord>(B + Last))) == 0;
}

[[gnu::always_inline]] inline bool SameText(std::string_view A, std::string_view B) {
  const std::size_t N = A.size();
  if (N != B.size())
    return false;
  if (N >= 8)
    return N <= 16 ? SameWords<std::uint64_t>(A.data(), B.data(), N) : A == B;
  if (N >= 4)
    return SameWords<std::uint32_t>(A.data(), B.data(), N);
  return A == B;
}

// Copies Text to To (room for Text.size() bytes) as SameText reads it: from
// eight to sixteen bytes as two overlapping words, inline, rather than
// through the library's copy, whose start-up costs more than the copy.
[[gnu::always_inline]] inline void CopyText(char* To, std::string_view Text) {
  const std::size_t N = Text.size();
  if (N < 8 || N > 16) {
    std::memcpy(To, Text.data(), N);
    return;
  }
  const auto First = LoadWord<std::uint64_t>(Text.data());
  const auto Last = LoadWord<std::uint64_t>(Text.data() + N - 8);
  std::memcpy(To, &First, sizeof First);
  std::memcpy(To + N - 8, &Last, sizeof Last);
}

} // namespace Validate::Detail
