// UTF-8 and code page 1252 input for valcheck. The UTF-8 check is strict: a
// text that is not well-formed UTF-8 is refused rather than guessed at, so a
// file in another encoding is reported instead of being judged as something
// else.
#include "apps/valcheck/encoding.h"

#include "vcl/sysutils.h"

namespace ValCheck {

namespace {

bool IsContinuation(unsigned char Byte) {
  return (Byte & 0xC0) == 0x80;
}

// Decodes the character at Text[Pos]; returns its length in bytes, or 0 when
// the bytes there are not a well-formed UTF-8 character.
std::size_t DecodeOne(std::string_view Text, std::size_t Pos, char32_t& Code) {
  const auto Lead = static_cast<unsigned char>(Text[Pos]);
  std::size_t Length;
  char32_t Min;
  if (Lead < 0x80) {
    Code = Lead;
    return 1;
  } else if ((Lead & 0xE0) == 0xC0) {
    Length = 2, Min = 0x80, Code = Lead & 0x1F;
  } else if ((Lead & 0xF0) == 0xE0) {
    Length = 3, Min = 0x800, Code = Lead & 0x0F;
  } else if ((Lead & 0xF8) == 0xF0) {
    Length = 4, Min = 0x10000, Code = Lead & 0x07;
  } else {
    return 0;
  }
  if (Text.size() - Pos < Length)
    return 0;
  for (std::size_t I = 1; I < Length; ++I) {
    const auto Byte = static_cast<unsigned char>(Text[Pos + I]);
    if (!IsContinuation(Byte))
      return 0;
    Code = (Code << 6) | (Byte & 0x3F);
  }
  // Overlong forms, surrogates and code points beyond Unicode are not UTF-8.
  if (Code < Min || (Code >= 0xD800 && Code <= 0xDFFF) || Code > 0x10FFFF)
    return 0;
  return Length;
}

} // namespace

bool DecodeInput(TEncoding Encoding, std::string_view Text, std::string& Out,
                 std::string_view& Result, TDecodeFault& Fault) {
  Result = Text;
  // Plain ASCII is the same in both encodings.
  if (vcl::IsAscii(Text))
    return true;
  if (Encoding == enCp1252) {
    Out = vcl::Cp1252ToUtf8(Text);
    Result = Out;
    return true;
  }
  for (std::size_t Pos = 0; Pos < Text.size();) {
    char32_t Code = 0;
    const std::size_t Length = DecodeOne(Text, Pos, Code);
    if (Length == 0) {
      Fault = {Pos};
      return false;
    }
    Pos += Length;
  }
  return true;
}

std::string DescribeFault(const TDecodeFault& Fault) {
  return "is not valid UTF-8 (byte " + std::to_string(Fault.Offset + 1) + ")";
}

} // namespace ValCheck
