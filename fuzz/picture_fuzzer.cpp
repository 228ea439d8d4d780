// The picture validator and the picture syntax check. Input: the first line
// is the picture, every further line a text judged against it in every way
// the edit asks (evaluation with and without filling, keystroke and paste
// input, the complete value, the messages).
#include "fuzz/fuzz_support.h"
#include "validate/picture.h"
#include "validate/picture_syntax.h"
#include "vcl/sysutils.h"

namespace {

using namespace Validate;

void CheckEval(TPictureValidator& V, const std::string& Text) {
  for (const bool Fill : {false, true}) {
    std::string T = Text;
    const TPicResult R = V.Eval(T, Fill);
    // The two results that only live inside an evaluation never come out.
    FUZZ_CHECK(R <= prSyntax, "result %d for '%s'", int(R), Text.c_str());
    // Characters (code points) are stored in place, though a case change
    // may alter their length in bytes; filling only appends.
    if (Fill)
      FUZZ_CHECK(vcl::Length(T) >= vcl::Length(Text), "'%s' became '%s'", Text.c_str(), T.c_str());
    else
      FUZZ_CHECK(vcl::Length(T) == vcl::Length(Text), "'%s' became '%s'", Text.c_str(), T.c_str());
    if (V.Picture().empty())
      FUZZ_CHECK(R == prComplete && T == Text, "empty picture: %d", int(R));
    else if (Text.empty())
      FUZZ_CHECK(R == prEmpty, "empty text: %d", int(R));
  }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::QuietEnvironment();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const std::vector<std::string> Lines = Fuzz::Lines(Data, Size);
  if (Lines.empty())
    return 0;
  const std::string& Picture = Lines[0];
  if (const auto Fault = CheckPictureSyntax(Picture)) {
    FUZZ_CHECK(Fault->Position >= 0 && Fault->Position <= vcl::Length(Picture), "position %d",
               Fault->Position);
    FUZZ_CHECK(!Fault->Message.empty(), "no message");
  }
  TPictureValidator V(nullptr);
  V.SetPicture(Picture);
  FUZZ_CHECK(V.Status() == (Picture.empty() ? vsNone : vsOK), "status %d", int(V.Status()));
  for (std::size_t I = 1; I < Lines.size(); ++I) {
    const std::string& Text = Lines[I];
    CheckEval(V, Text);
    for (const bool SuppressFill : {true, false}) {
      std::string S = Text;
      V.IsValidInput(S, SuppressFill);
    }
    const bool Valid = V.IsValid(Text);
    if (Picture.empty())
      FUZZ_CHECK(Valid, "an empty picture refused '%s'", Text.c_str());
    V.GetDisplayText(Text);
    V.ShowErrorMessage(I % 2 == 0, Text);
  }
  return 0;
}
