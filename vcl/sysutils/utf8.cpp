// UTF-8 decoding and encoding, and the character-counting 1-based helpers
// built on them. The decoder is the one place that says where a character
// starts: every helper walks the text with it, so counts, offsets and cuts
// agree even on text that is not well-formed.
#include <algorithm>

#include "vcl/sysutils.h"

namespace vcl {

namespace {

// The range the second byte of a sequence must lie in after the lead byte,
// which rules out overlong forms, surrogates and values past U+10FFFF.
struct TSecondByte {
  unsigned char Low, High;
};

TSecondByte SecondByteRange(unsigned char Lead) {
  switch (Lead) {
  case 0xE0:
    return {0xA0, 0xBF};
  case 0xED:
    return {0x80, 0x9F};
  case 0xF0:
    return {0x90, 0xBF};
  case 0xF4:
    return {0x80, 0x8F};
  default:
    return {0x80, 0xBF};
  }
}

// The number of bytes of a sequence with this lead byte, 0 for a byte that
// cannot lead one.
int SequenceLength(unsigned char Lead) {
  if (Lead < 0x80)
    return 1;
  if (Lead >= 0xC2 && Lead <= 0xDF)
    return 2;
  if (Lead >= 0xE0 && Lead <= 0xEF)
    return 3;
  if (Lead >= 0xF0 && Lead <= 0xF4)
    return 4;
  return 0;
}

// Moves Offset past one character; answers false when it was ill-formed.
bool Skip(std::string_view S, std::size_t& Offset, char32_t* Code) {
  const auto Lead = static_cast<unsigned char>(S[Offset++]);
  if (Lead < 0x80) {
    *Code = Lead;
    return true;
  }
  const int Len = SequenceLength(Lead);
  if (Len == 0)
    return false;
  char32_t Value = Lead & (0xFF >> (Len + 1));
  for (int I = 1; I < Len; ++I) {
    if (Offset >= S.size())
      return false;
    const auto B = static_cast<unsigned char>(S[Offset]);
    const TSecondByte Range = I == 1 ? SecondByteRange(Lead) : TSecondByte{0x80, 0xBF};
    if (B < Range.Low || B > Range.High)
      return false; // the byte that breaks the sequence starts the next character
    Value = (Value << 6) | (B & 0x3F);
    ++Offset;
  }
  *Code = Value;
  return true;
}

// The byte offset of the character after Count characters from Offset, or
// S.size() when the text ends first.
std::size_t Advance(std::string_view S, std::size_t Offset, int Count) {
  char32_t Code;
  for (; Count > 0 && Offset < S.size(); --Count)
    if (static_cast<unsigned char>(S[Offset]) < 0x80)
      ++Offset;
    else
      Skip(S, Offset, &Code);
  return Offset;
}

} // namespace

char32_t Utf8Decode(std::string_view S, std::size_t& Offset) {
  char32_t Code = ReplacementChar;
  return Skip(S, Offset, &Code) ? Code : ReplacementChar;
}

std::u32string Utf8Decode(std::string_view S) {
  std::u32string Result(S.size(), U'\0');
  std::size_t Count = 0;
  for (std::size_t Offset = 0; Offset < S.size(); ++Count) {
    const auto Byte = static_cast<unsigned char>(S[Offset]);
    // Most text is ASCII: a byte below 0x80 is a character of its own.
    if (Byte < 0x80) {
      Result[Count] = Byte;
      ++Offset;
    } else {
      Result[Count] = Utf8Decode(S, Offset);
    }
  }
  Result.resize(Count);
  return Result;
}

void Utf8Append(std::string& S, char32_t Ch) {
  if (Ch < 0x80) {
    S += static_cast<char>(Ch);
    return;
  }
  if (Ch >= 0x110000 || (Ch >= 0xD800 && Ch <= 0xDFFF))
    Ch = ReplacementChar;
  const int Len = Ch < 0x800 ? 2 : Ch < 0x10000 ? 3 : 4;
  static constexpr unsigned char LeadMark[] = {0, 0, 0xC0, 0xE0, 0xF0};
  S += static_cast<char>(LeadMark[Len] | (Ch >> (6 * (Len - 1))));
  for (int I = Len - 2; I >= 0; --I)
    S += static_cast<char>(0x80 | ((Ch >> (6 * I)) & 0x3F));
}

std::string Utf8Encode(char32_t Ch) {
  std::string Result;
  Utf8Append(Result, Ch);
  return Result;
}

std::string Utf8Encode(std::u32string_view S) {
  std::string Result(S.size(), '\0');
  // Most text is ASCII: one byte a character, written in place.
  std::size_t Done = 0;
  for (; Done < S.size() && S[Done] < 0x80; ++Done)
    Result[Done] = static_cast<char>(S[Done]);
  Result.resize(Done);
  for (; Done < S.size(); ++Done)
    Utf8Append(Result, S[Done]);
  return Result;
}

std::size_t CharOffset(std::string_view S, int Index) {
  return Index <= 1 ? 0 : Advance(S, 0, Index - 1);
}

bool IsValidUtf8(std::string_view S) {
  char32_t Code;
  for (std::size_t Offset = 0; Offset < S.size();)
    if (!Skip(S, Offset, &Code))
      return false;
  return true;
}

std::string RepairUtf8(std::string_view S) {
  std::string Result;
  Result.reserve(S.size());
  for (std::size_t Offset = 0; Offset < S.size();)
    Utf8Append(Result, Utf8Decode(S, Offset));
  return Result;
}

int CharCount(std::string_view S, std::size_t Offset) {
  int Count = 0;
  for (std::size_t At = 0; At < Offset && At < S.size(); ++Count)
    At = static_cast<unsigned char>(S[At]) < 0x80 ? At + 1 : Advance(S, At, 1);
  return Count;
}

int Length(const std::string& S) {
  return CharCount(S, S.size());
}

std::string Copy(const std::string& S, int Index, int Count) {
  if (Count <= 0)
    return {};
  const std::size_t First = CharOffset(S, Index);
  const std::size_t Last = Advance(S, First, Count);
  return S.substr(First, Last - First);
}

int Pos(const std::string& Substr, const std::string& S) {
  if (Substr.empty())
    return 0;
  // A byte match that starts inside a character (possible only around
  // ill-formed bytes) is not an occurrence; look on past it.
  std::size_t Counted = 0;
  int Chars = 0;
  for (auto Found = S.find(Substr); Found != std::string::npos; Found = S.find(Substr, Found + 1)) {
    while (Counted < Found) {
      Counted = Advance(S, Counted, 1);
      ++Chars;
    }
    if (Counted == Found)
      return Chars + 1;
  }
  return 0;
}

int Pos(char32_t Ch, const std::string& S) {
  return Pos(Utf8Encode(Ch), S);
}

void Delete(std::string& S, int Index, int Count) {
  if (Index < 1 || Count <= 0)
    return;
  const std::size_t First = CharOffset(S, Index);
  if (First >= S.size())
    return;
  S.erase(First, Advance(S, First, Count) - First);
}

void Insert(const std::string& Source, std::string& S, int Index) {
  S.insert(CharOffset(S, Index), Source);
}

std::string StringOfChar(char32_t Ch, int Count) {
  std::string Result;
  const std::string One = Utf8Encode(Ch);
  for (int I = 0; I < Count; ++I)
    Result += One;
  return Result;
}

} // namespace vcl
