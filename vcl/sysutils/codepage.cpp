// Code page 1252, the single-byte character set of texts that earlier
// versions of the library stored, and Unicode. The code page is Latin-1 except in 0x80..0x9F, where
// it has typographic marks and a few letters; the five bytes it leaves
// undefined there stand for the C1 controls of the same value, so that every
// byte has a code point and back.
#include <array>

#include "vcl/sysutils.h"

namespace vcl {

namespace {

constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

char32_t Cp1252ToUnicode(char Ch) {
  const auto Code = static_cast<unsigned char>(Ch);
  return Code >= 0x80 && Code <= 0x9F ? Cp1252High[Code - 0x80] : static_cast<char32_t>(Code);
}

int UnicodeToCp1252(char32_t Code) {
  if (Code < 0x80 || (Code >= 0xA0 && Code <= 0xFF))
    return static_cast<int>(Code);
  for (std::size_t I = 0; I < Cp1252High.size(); ++I)
    if (Cp1252High[I] == Code)
      return static_cast<int>(0x80 + I);
  return -1;
}

std::string Cp1252ToUtf8(std::string_view S) {
  std::string Result;
  Result.reserve(S.size());
  for (char Ch : S)
    Utf8Append(Result, Cp1252ToUnicode(Ch));
  return Result;
}

bool Utf8ToCp1252(std::string_view S, std::string& Out) {
  Out.clear();
  Out.reserve(S.size());
  for (std::size_t Offset = 0; Offset < S.size();) {
    const int Byte = UnicodeToCp1252(Utf8Decode(S, Offset));
    if (Byte < 0)
      return false;
    Out += static_cast<char>(Byte);
  }
  return true;
}

} // namespace vcl
