// Character-set string routines: search, count, filter and build texts
// character by character. Positions count from 1 and 0 means "not found";
// comparisons are exact (upper and lower case differ).
#pragma once

#include <bitset>
#include <cstdint>
#include <string>

namespace TextMan {

// A set of characters: one membership bit for each of the 256 codes.
class TCharSet {
public:
  TCharSet() = default;
  explicit TCharSet(const std::string& Members);
  bool Contains(char Ch) const { return FBits.test(static_cast<unsigned char>(Ch)); }
  TCharSet& Include(char Ch) {
    FBits.set(static_cast<unsigned char>(Ch));
    return *this;
  }
  TCharSet& Exclude(char Ch) {
    FBits.reset(static_cast<unsigned char>(Ch));
    return *this;
  }
  bool operator==(const TCharSet&) const = default;

private:
  std::bitset<256> FBits;
};

void AppendChar(char Ch, std::string& S, std::uint16_t Count);
std::string FillStr(char Ch, std::uint16_t Count);
bool CharInStr(char Ch, const std::string& S);
int CharPos(char Ch, const std::string& S, int Start);
int CharPosBack(char Ch, const std::string& S, int Start);
int CharOccurrence(char Ch, const std::string& S, std::uint8_t N);
int CharsInStrPos(TCharSet Chars, const std::string& S, int Start);
int CharsNotInStrPos(TCharSet Chars, const std::string& S, int Start);
std::string CharsNotInStr(const std::string& S, const std::string& Chars);
std::string FilterStr(const std::string& S, TCharSet Chars);
std::string CopyFromTo(const std::string& S, int From, int To);
void ReplaceFirstChar(char Old, char New, std::string& S);
void ReplaceChars(char Old, char New, std::string& S);
void SkipTo(const std::string& S, int& Pos, char Ch);

} // namespace TextMan
