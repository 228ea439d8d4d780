// A well-formedness check of a picture, kept apart from the validator. The
// validator evaluates whatever picture it is given, as written: a malformed
// one simply matches less, or nothing, and an empty one accepts every text.
// A program that takes a picture from its user can ask this check first and
// say what is wrong and where, before judging any text with it.
#pragma once

#include <optional>
#include <string>

namespace Validate {

struct TPictureSyntaxError {
  // Position in the picture of the character at fault, counted from 1; 0
  // for an empty picture.
  int Position = 0;
  // What is wrong, with the positions concerned, e.g.
  // "'[' at position 3 is never closed".
  std::string Message;
};

// The first fault of Picture, reading from the left, or nothing when it is
// well formed. Faults: an empty picture; a ']' or '}' without its opening
// bracket, or closing the other kind; a '[' or '{' never closed; a ';' at the
// end, with nothing to escape; a '*' (and its count) with no piece after it,
// at the end of the picture, of a group or of an alternative. Brackets of
// either kind nest, and an escaped character is never a bracket.
std::optional<TPictureSyntaxError> CheckPictureSyntax(const std::string& Picture);

} // namespace Validate
