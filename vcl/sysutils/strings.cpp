// The plain (ASCII) case and comparison routines and the trimming and
// quoting helpers. They work on bytes: ASCII letters and blanks are single
// bytes in UTF-8 and no byte of a longer character looks like one, so every
// other character passes through untouched.
#include <algorithm>

#include "vcl/sysutils.h"

namespace vcl {

namespace {

unsigned char Unsigned(char Ch) {
  return static_cast<unsigned char>(Ch);
}

} // namespace

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

} // namespace vcl
