// Text encodings of valcheck's input and output. The validators judge texts
// of code page 1252, while data files today are mostly UTF-8: by default each
// line is converted to the code page on the way in, and every text goes back
// to UTF-8 on the way out. With --encoding cp1252 bytes are taken as they are.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ValCheck {

enum TEncoding { enUtf8, enCp1252 };

// The byte order mark some editors put at the start of a UTF-8 file.
inline constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// Why a UTF-8 text has no code page 1252 form, and where.
struct TDecodeFault {
  enum TKind { dfInvalid, dfUnmapped };
  TKind Kind = dfInvalid;
  std::size_t Offset = 0; // of the first byte at fault, counted from 0
  int Column = 0;         // of the character at fault, counted from 1
  char32_t Code = 0;      // the character the code page lacks (dfUnmapped)
};

// Whether Text is plain ASCII, the same in both encodings.
bool IsAscii(std::string_view Text);

// Replaces Out with the code page 1252 form of the UTF-8 Text. Returns false,
// with Fault filled in, when Text is not well-formed UTF-8 (overlong forms and
// surrogates included) or holds a character the code page lacks.
bool Utf8ToCp1252(std::string_view Text, std::string& Out, TDecodeFault& Fault);

// Appends the UTF-8 form of the code page 1252 Text to Out.
void AppendUtf8(std::string_view Text, std::string& Out);

// What a decoding fault means, for a message: "is not valid UTF-8 (byte 4)"
// or "holds U+4E2D (character 3), which code page 1252 does not have".
std::string DescribeFault(const TDecodeFault& Fault);

} // namespace ValCheck
