// Text encodings of valcheck's input. The validators judge UTF-8 text: by
// default each line must be well-formed UTF-8 and is judged as it is; with
// --encoding cp1252 its bytes are code page 1252 and are converted to UTF-8
// on the way in. Everything valcheck prints is UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ValCheck {

enum TEncoding { enUtf8, enCp1252 };

// The byte order mark some editors put at the start of a UTF-8 file.
inline constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// Where a text is not well-formed UTF-8.
struct TDecodeFault {
  std::size_t Offset = 0; // of the first byte at fault, counted from 0
};

// The UTF-8 form of Text read in Encoding, in Out unless Text can be used as
// it is (then Out is left alone and the result is Text). Returns false, with
// Fault filled in, when a UTF-8 Text is not well-formed (overlong forms and
// surrogates included): a file in another encoding is reported rather than
// guessed at.
bool DecodeInput(TEncoding Encoding, std::string_view Text, std::string& Out,
                 std::string_view& Result, TDecodeFault& Fault);

// What a decoding fault means, for a message: "is not valid UTF-8 (byte 4)".
std::string DescribeFault(const TDecodeFault& Fault);

} // namespace ValCheck
