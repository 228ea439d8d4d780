// The picture validator: judges a text against a picture, a small pattern
// language of character classes (# ? & ~ ! @), literals, escapes (;), groups
// ({}), optional groups ([]), alternatives (,) and repetitions (*). While a
// text is being typed the evaluation also normalises it in place (forced
// case, literals for typed blanks) and can append the literals that must
// come next. The date and time validators derive from
// TCustomPictureValidator and only build the picture.
#pragma once

#include <cstdint>
#include <string>

#include "validate/picture_prepared.h"
#include "validate/validator.h"

namespace Validate {

enum TValidatorStatus : std::uint8_t { vsNone, vsOK, vsSyntax };

enum TPicResult : std::uint8_t {
  prComplete,
  prIncomplete,
  prEmpty,
  prError,
  prSyntax,
  prAmbiguous,    // only inside an evaluation; Eval reports it as prComplete
  prIncompNoFill, // only inside an evaluation; Eval reports it as prIncomplete
};

// S as picture literals: every character that the picture language would
// read as an instruction gets the escape ';' before it. Pictures built from
// locale texts (separators, AM/PM markers) go through it.
std::string PictureLiteral(const std::string& S);

class TCustomPictureValidator : public TValidator {
public:
  explicit TCustomPictureValidator(vcl::TObject* AOwner);

  bool IsValid(std::string S) override;
  bool IsValidInput(std::string& S, bool SuppressFill) override;
  std::string ErrorMessage(bool Input, std::string S) override;

  // Evaluates Text against the picture, rewriting it in place (stored
  // characters, and the literals that must follow when Fill is true).
  virtual TPicResult Eval(std::string& Text, bool Fill);

  const std::string& Picture() const { return FPicture.Text(); }
  TValidatorStatus Status() const { return FStatus; }

  // How deep groups and repetitions may nest before an evaluation gives up
  // with prError: deeper pictures are never written by hand, and the limit
  // keeps a malformed or hostile picture from exhausting the stack.
  static constexpr int MaxNesting = 64;

protected:
  virtual void SetPicture(const std::string& Value);
  // Replaces the picture without touching Status or the owner; the date and
  // time validators rebuild theirs this way.
  void SetPictureField(const std::string& Value);
  // Counts the pictures set, so that what a subclass works out from one can
  // tell whether it is still the picture in force.
  std::uint64_t PictureSerial() const { return FPictureSerial; }

private:
  template <typename TText> class TEvaluation;

  // Changed tells whether Text may differ from what was passed in.
  TPicResult Evaluate(std::string& Text, bool Fill, bool& Changed) const;
  template <typename TText> TPicResult EvaluateChars(TText& Text, bool Fill, bool& Changed) const;

  // The last evaluation without filling: a text is usually judged that way
  // twice in a row (screened by SetText, then by IsValid), and the second
  // time takes the first one's answer.
  struct TLastEval {
    bool Known = false;
    bool Changed = false; // Result is kept only when it differs from Text
    std::string Text, Result;
    TPicResult Outcome = prEmpty;
  };

  TPreparedPicture FPicture;
  TValidatorStatus FStatus = vsNone;
  TLastEval FLast;
  std::uint64_t FPictureSerial = 0;
};

class TPictureValidator : public TCustomPictureValidator {
public:
  using TCustomPictureValidator::SetPicture;
  using TCustomPictureValidator::TCustomPictureValidator;
};

} // namespace Validate
