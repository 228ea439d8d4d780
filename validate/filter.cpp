// The filter validator: a character-by-character test against a list.
#include "validate/filter.h"

#include "textman/textman.h"

namespace Validate {

void TCustomFilterValidator::SetFilterChars(const std::string& Value) {
  if (Value == FFilterChars)
    return;
  // Blanks and control characters can never be named in the list (DEL, which
  // the list has always kept, aside); dropping them always notifies, even
  // when the cleaned list comes out equal to the old one.
  std::string Cleaned;
  for (const char32_t Ch : vcl::Utf8Decode(Value))
    if (Ch == 127 || vcl::IsGraphic(Ch))
      vcl::Utf8Append(Cleaned, Ch);
  StoreFilterChars(Cleaned);
  Change();
}

void TCustomFilterValidator::StoreFilterChars(const std::string& Value) {
  FFilterChars = Value;
  FAsciiListed[0] = FAsciiListed[1] = 0;
  for (const char Byte : Value)
    if (static_cast<unsigned char>(Byte) < 0x80)
      FAsciiListed[Byte / 64] |= std::uint64_t{1} << (Byte % 64);
}

bool TCustomFilterValidator::Listed(char32_t Ch) const {
  if (Ch < 0x80)
    return (FAsciiListed[Ch / 64] >> (Ch % 64) & 1) != 0;
  return TextMan::CharInStr(Ch, FFilterChars);
}

bool TCustomFilterValidator::CharsPass(const std::string& S) const {
  // Walked in place rather than decoded into a copy: the test runs on every
  // keystroke and on every line a batch judges, and most of them are ASCII.
  for (std::size_t Offset = 0; Offset < S.size();) {
    const auto Byte = static_cast<unsigned char>(S[Offset]);
    const char32_t Ch = Byte < 0x80 ? (++Offset, Byte) : vcl::Utf8Decode(S, Offset);
    if (FFilterType == ftValidChars ? !Listed(Ch) : Listed(Ch))
      return false;
  }
  return true;
}

bool TCustomFilterValidator::IsValid(std::string S) {
  return CharsPass(S);
}

bool TCustomFilterValidator::IsValidInput(std::string& S, bool) {
  return CharsPass(S);
}

std::string TCustomFilterValidator::ErrorMessage(bool Input, std::string S) {
  if (Input && vcl::Length(S) == 1)
    return QuotedMessage(S, vcl::ResString(vcl::rsInvalidCharacter));
  return QuotedMessage(S, vcl::ResString(vcl::rsInvalidCharacters));
}

} // namespace Validate
