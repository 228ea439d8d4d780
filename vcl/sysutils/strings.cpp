// The 1-based string helpers and the plain (ASCII) case and comparison
// routines. Positions count from 1 and out-of-range requests are clamped the
// way the classic run-time library clamps them, so callers can transcribe
// position arithmetic literally.
#include <algorithm>

#include "vcl/sysutils.h"

namespace vcl {

namespace {

unsigned char Unsigned(char Ch) {
  return static_cast<unsigned char>(Ch);
}

} // namespace

std::string Copy(const std::string& S, int Index, int Count) {
  if (Index < 1)
    Index = 1;
  const int Len = Length(S);
  if (Count <= 0 || Index > Len)
    return {};
  Count = std::min(Count, Len - Index + 1);
  return S.substr(static_cast<size_t>(Index - 1), static_cast<size_t>(Count));
}

int Pos(const std::string& Substr, const std::string& S) {
  if (Substr.empty())
    return 0;
  const auto Found = S.find(Substr);
  return Found == std::string::npos ? 0 : static_cast<int>(Found) + 1;
}

int Pos(char Ch, const std::string& S) {
  const auto Found = S.find(Ch);
  return Found == std::string::npos ? 0 : static_cast<int>(Found) + 1;
}

void Delete(std::string& S, int Index, int Count) {
  const int Len = Length(S);
  if (Index < 1 || Index > Len || Count <= 0)
    return;
  Count = std::min(Count, Len - Index + 1);
  S.erase(static_cast<size_t>(Index - 1), static_cast<size_t>(Count));
}

void Insert(const std::string& Source, std::string& S, int Index) {
  Index = std::clamp(Index, 1, Length(S) + 1);
  S.insert(static_cast<size_t>(Index - 1), Source);
}

std::string StringOfChar(char Ch, int Count) {
  return Count > 0 ? std::string(static_cast<size_t>(Count), Ch) : std::string();
}

char UpCase(char Ch) {
  return Ch >= 'a' && Ch <= 'z' ? static_cast<char>(Ch - 'a' + 'A') : Ch;
}

static char LoCase(char Ch) {
  return Ch >= 'A' && Ch <= 'Z' ? static_cast<char>(Ch - 'A' + 'a') : Ch;
}

std::string UpperCase(const std::string& S) {
  std::string Result = S;
  std::transform(Result.begin(), Result.end(), Result.begin(), UpCase);
  return Result;
}

std::string LowerCase(const std::string& S) {
  std::string Result = S;
  std::transform(Result.begin(), Result.end(), Result.begin(), LoCase);
  return Result;
}

// Both comparisons answer the difference of the first differing bytes (as
// unsigned characters) or, when one string is a prefix of the other, the
// difference of the lengths.
namespace {

template <typename Fold> int CompareBytes(const std::string& S1, const std::string& S2, Fold Map) {
  const size_t Common = std::min(S1.size(), S2.size());
  for (size_t I = 0; I < Common; ++I) {
    const int C1 = Unsigned(Map(S1[I]));
    const int C2 = Unsigned(Map(S2[I]));
    if (C1 != C2)
      return C1 - C2;
  }
  return Length(S1) - Length(S2);
}

} // namespace

int CompareStr(const std::string& S1, const std::string& S2) {
  return CompareBytes(S1, S2, [](char Ch) { return Ch; });
}

int CompareText(const std::string& S1, const std::string& S2) {
  return CompareBytes(S1, S2, UpCase);
}

bool SameText(const std::string& S1, const std::string& S2) {
  return CompareText(S1, S2) == 0;
}

std::string TrimLeft(const std::string& S) {
  size_t First = 0;
  while (First < S.size() && Unsigned(S[First]) <= ' ')
    ++First;
  return S.substr(First);
}

std::string TrimRight(const std::string& S) {
  size_t Last = S.size();
  while (Last > 0 && Unsigned(S[Last - 1]) <= ' ')
    --Last;
  return S.substr(0, Last);
}

std::string Trim(const std::string& S) {
  return TrimLeft(TrimRight(S));
}

std::string QuotedStr(const std::string& S) {
  std::string Result = "'";
  for (char Ch : S) {
    Result += Ch;
    if (Ch == '\'')
      Result += '\'';
  }
  Result += '\'';
  return Result;
}

std::string AdjustLineBreaks(const std::string& S, TTextLineBreakStyle Style) {
  const char* Break = Style == tlbsCRLF ? "\r\n" : "\n";
  std::string Result;
  Result.reserve(S.size());
  for (std::size_t I = 0; I < S.size(); ++I) {
    if (S[I] == '\r') {
      if (I + 1 < S.size() && S[I + 1] == '\n')
        ++I;
      Result += Break;
    } else if (S[I] == '\n') {
      Result += Break;
    } else {
      Result += S[I];
    }
  }
  return Result;
}

bool IsCharAlphaA(char Ch) {
  const unsigned char C = Unsigned(Ch);
  if ((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z'))
    return true;
  switch (C) {
  case 0x83: // f with hook
  case 0x8A: // S caron
  case 0x8C: // OE
  case 0x8E: // Z caron
  case 0x9A:
  case 0x9C:
  case 0x9E:
  case 0x9F: // Y diaeresis
  case 0xAA: // feminine ordinal
  case 0xB5: // micro sign
  case 0xBA: // masculine ordinal
    return true;
  default:
    // The Latin-1 letters, less the multiplication and division signs.
    return C >= 0xC0 && C != 0xD7 && C != 0xF7;
  }
}

} // namespace vcl
