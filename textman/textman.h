// Character-set string routines: search, count, filter and build texts
// character by character. Texts are UTF-8 and a character is a code point;
// positions count characters from 1 and 0 means "not found"; comparisons are
// exact (upper and lower case differ).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace TextMan {

// A set of characters (code points), held as sorted, disjoint ranges so that
// a set of a whole script costs no more than a set of one letter.
class TCharSet {
public:
  TCharSet() = default;
  // The characters of a UTF-8 text.
  explicit TCharSet(const std::string& Members);
  bool Contains(char32_t Ch) const;
  TCharSet& Include(char32_t Ch) { return IncludeRange(Ch, Ch); }
  TCharSet& Exclude(char32_t Ch);
  // First..Last inclusive; nothing when Last is below First.
  TCharSet& IncludeRange(char32_t First, char32_t Last);
  bool operator==(const TCharSet&) const = default;

private:
  std::vector<std::pair<char32_t, char32_t>> FRanges;
};

void AppendChar(char32_t Ch, std::string& S, std::uint16_t Count);
std::string FillStr(char32_t Ch, std::uint16_t Count);
bool CharInStr(char32_t Ch, const std::string& S);
int CharPos(char32_t Ch, const std::string& S, int Start);
int CharPosBack(char32_t Ch, const std::string& S, int Start);
int CharOccurrence(char32_t Ch, const std::string& S, std::uint8_t N);
int CharsInStrPos(const TCharSet& Chars, const std::string& S, int Start);
int CharsNotInStrPos(const TCharSet& Chars, const std::string& S, int Start);
std::string CharsNotInStr(const std::string& S, const std::string& Chars);
std::string FilterStr(const std::string& S, TCharSet Chars);
std::string CopyFromTo(const std::string& S, int From, int To);
void ReplaceFirstChar(char32_t Old, char32_t New, std::string& S);
void ReplaceChars(char32_t Old, char32_t New, std::string& S);
void SkipTo(const std::string& S, int& Pos, char32_t Ch);

} // namespace TextMan
