// A straightforward evaluator of pictures, kept beside the tests as the
// yardstick of the validator's prepared engine: it walks the picture text
// for every question, as the steps of the evaluation read, with nothing
// worked out in advance.
#pragma once

#include <string>

#include "validate/picture.h"

namespace PictureReference {

// The steps SkipPiece and the first step of NextChoice, from position P.
int SkipPiece(const std::string& Picture, int P, int Stop);
int SkipChoice(const std::string& Picture, int P, int Stop);

// Eval of a picture validator holding Picture.
Validate::TPicResult Eval(const std::string& Picture, std::string& Text, bool Fill);

} // namespace PictureReference
