// The masked edit's text rules (TEditMaskFormat), driven as the edit drives
// them. Input: the first line is the edit mask; every further line is one
// step on the edit text, which starts blank:
//   v VALUE   the edit text becomes VALUE laid over the mask (EditTextOf)
//   t TEXT    the edit text becomes that of the value TEXT (EditTextFromText)
//   k N CHARS the keys CHARS typed at position N (N is one character, its
//   p N CHARS code taken modulo the mask's length + 1); p pastes them
//   b N M     positions N to N + M blanked (N, M one character each)
// After every step the edit text must be one the mask can hold, and its
// Text must survive being written back.
#include <string>

#include "fuzz/fuzz_support.h"
#include "vcl/maskutils.h"
#include "vcl/sysutils.h"

namespace {

using vcl::TEditMaskFormat;

int Number(const std::string& Line, std::size_t At, int Modulo) {
  return At < Line.size() ? static_cast<unsigned char>(Line[At]) % Modulo : 0;
}

// A space typed where any character goes looks like a blank in the value, so
// a value of nothing but literals and such spaces reads back as nothing
// entered.
bool OnlyLiteralsAndSpaces(const TEditMaskFormat& F, const std::string& Text) {
  std::u32string Literals = U" ";
  for (int I = 0; I < F.Length(); ++I)
    if (F.IsLiteral(I))
      Literals += F.Position(I).Literal;
  return vcl::Utf8Decode(Text).find_first_not_of(Literals) == std::u32string::npos;
}

// The edit text is UTF-8 with one character (code point) per position, and
// every position holds its literal, the blank, or a character it takes as it
// is.
void CheckEditText(const TEditMaskFormat& F, const std::string& EditText) {
  FUZZ_CHECK(vcl::IsValidUtf8(EditText), "'%s' is not UTF-8", EditText.c_str());
  const std::u32string Chars = vcl::Utf8Decode(EditText);
  FUZZ_CHECK(static_cast<int>(Chars.size()) == F.Length(), "'%s' for %d positions",
             EditText.c_str(), F.Length());
  for (int I = 0; I < F.Length(); ++I) {
    const char32_t C = Chars[I];
    if (F.IsLiteral(I))
      FUZZ_CHECK(C == F.Position(I).Literal, "'%s': position %d", EditText.c_str(), I);
    else
      FUZZ_CHECK(C == F.Blank() || F.Accept(I, C) == C, "'%s': position %d", EditText.c_str(), I);
  }
  const int Invalid = F.FirstInvalid(EditText);
  FUZZ_CHECK(Invalid == -1 || (Chars[Invalid] == F.Blank() && F.Position(Invalid).Required),
             "'%s': first invalid %d", EditText.c_str(), Invalid);
  const std::string Text = F.TextOf(EditText);
  const std::string Again = F.TextOf(F.EditTextFromText(Text));
  FUZZ_CHECK(Again == Text || (Again.empty() && OnlyLiteralsAndSpaces(F, Text)),
             "'%s': Text '%s' comes back as '%s'", EditText.c_str(), Text.c_str(), Again.c_str());
}

void Step(const TEditMaskFormat& F, std::string& EditText, const std::string& Line) {
  const std::string Rest = Line.size() > 1 ? Line.substr(1) : std::string();
  switch (Line.empty() ? ' ' : Line[0]) {
  case 'v':
    EditText = F.EditTextOf(Rest);
    break;
  case 't':
    EditText = F.EditTextFromText(Rest);
    break;
  case 'k':
  case 'p': {
    const int Start = Number(Line, 1, F.Length() + 1);
    int Pos = Start;
    const std::string Before = EditText;
    const std::string Chars = Line.size() > 2 ? Line.substr(2) : std::string();
    if (F.Place(EditText, Pos, Chars, Line[0] == 'p'))
      FUZZ_CHECK(Pos >= Start && Pos <= F.Length(), "position %d after %d", Pos, Start);
    else
      FUZZ_CHECK(EditText == Before && Pos == Start, "a refused placing changed the text");
    break;
  }
  case 'b':
    F.BlankRange(EditText, Number(Line, 1, F.Length() + 1), Number(Line, 2, F.Length() + 1));
    break;
  default:
    return;
  }
  CheckEditText(F, EditText);
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
  const TEditMaskFormat F(Lines[0]);
  std::string EditText = F.BlankText();
  CheckEditText(F, EditText);
  vcl::FormatMaskText(Lines[0], Lines.size() > 1 ? Lines[1] : std::string());
  for (std::size_t I = 1; I < Lines.size(); ++I)
    Step(F, EditText, Lines[I]);
  return 0;
}
