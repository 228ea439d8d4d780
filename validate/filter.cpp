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
  FFilterChars.clear();
  for (const char32_t Ch : vcl::Utf8Decode(Value))
    if (Ch == 127 || vcl::IsGraphic(Ch))
      vcl::Utf8Append(FFilterChars, Ch);
  Change();
}

bool TCustomFilterValidator::CharsPass(const std::string& S) const {
  for (const char32_t Ch : vcl::Utf8Decode(S)) {
    const bool Listed = TextMan::CharInStr(Ch, FFilterChars);
    if (FFilterType == ftValidChars ? !Listed : Listed)
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
