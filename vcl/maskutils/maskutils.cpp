// TEditMaskFormat: the edit-mask language parsed into positions, and the
// text rules of the masked edit (formatting values into the mask, reading
// the value back, checking it, writing typed and pasted characters).
#include <algorithm>

#include "vcl/maskutils.h"
#include "vcl/sysutils.h"

namespace vcl {

namespace {

// The sections of a mask: the mask itself (escapes kept), then the
// save-literals and blank sections. A ';' after a '\' belongs to the mask.
std::vector<std::string> SplitSections(const std::string& EditMask) {
  std::vector<std::string> Sections(1);
  for (int I = 1; I <= Length(EditMask); ++I) {
    const char C = EditMask[I - 1];
    if (C == ';' && Sections.size() < 3) {
      Sections.emplace_back();
      continue;
    }
    Sections.back() += C;
    if (C == '\\' && Sections.size() == 1 && I < Length(EditMask))
      Sections.back() += EditMask[I++];
  }
  return Sections;
}

} // namespace

TEditMaskFormat::TEditMaskFormat(const std::string& EditMask) {
  const std::vector<std::string> Sections = SplitSections(EditMask);
  ParseMask(Sections[0]);
  if (Sections.size() > 1 && !Sections[1].empty())
    FSaveLiterals = Sections[1][0] != '0';
  if (Sections.size() > 2 && !Sections[2].empty())
    FBlank = Sections[2][0];
}

void TEditMaskFormat::ParseMask(const std::string& Mask) {
  TCaseConv Case = cvNone;
  auto Literal = [this](char C) { FPositions.push_back({ccLiteral, false, cvNone, C}); };
  auto Editable = [this, &Case](TCharClass Class, bool Required) {
    FPositions.push_back({Class, Required, Case, 0});
  };
  for (int I = 1; I <= vcl::Length(Mask); ++I) {
    const char C = Mask[I - 1];
    switch (C) {
    case '\\':
      if (I < vcl::Length(Mask))
        Literal(Mask[I++]);
      break;
    case '!':
      FLeadingBlanks = true;
      break;
    case '>':
      Case = cvUpper;
      break;
    case '<':
      if (I < vcl::Length(Mask) && Mask[I] == '>') {
        Case = cvNone;
        ++I;
      } else {
        Case = cvLower;
      }
      break;
    case '0':
    case '9':
      Editable(ccDigit, C == '0');
      break;
    case '#':
      Editable(ccDigitOrSign, false);
      break;
    case 'L':
    case 'l':
      Editable(ccLetter, C == 'L');
      break;
    case 'A':
    case 'a':
      Editable(ccAlphaNum, C == 'A');
      break;
    case 'C':
    case 'c':
      Editable(ccAny, C == 'C');
      break;
    case ':':
      Literal(TimeSeparator);
      break;
    case '/':
      Literal(DateSeparator);
      break;
    case '_':
      Literal(' ');
      break;
    default:
      Literal(C);
      break;
    }
  }
}

char TEditMaskFormat::Accept(int Index, char Ch) const {
  if (Index < 0 || Index >= Length())
    return 0;
  const TPosition& P = FPositions[Index];
  const bool Digit = Ch >= '0' && Ch <= '9';
  bool Taken = false;
  switch (P.Class) {
  case ccLiteral:
    break;
  case ccDigit:
    Taken = Digit;
    break;
  case ccDigitOrSign:
    Taken = Digit || Ch == '+' || Ch == '-';
    break;
  case ccLetter:
    Taken = IsCharAlphaA(Ch);
    break;
  case ccAlphaNum:
    Taken = Digit || IsCharAlphaA(Ch);
    break;
  case ccAny:
    Taken = static_cast<unsigned char>(Ch) >= 32 && Ch != 127;
    break;
  }
  if (!Taken)
    return 0;
  const std::string S(1, Ch);
  if (P.Case == cvUpper)
    return AnsiUpperCase(S)[0];
  if (P.Case == cvLower)
    return AnsiLowerCase(S)[0];
  return Ch;
}

int TEditMaskFormat::NextEditable(int From) const {
  for (int I = std::max(From, 0); I < Length(); ++I)
    if (!IsLiteral(I))
      return I;
  return -1;
}

int TEditMaskFormat::PriorEditable(int Before) const {
  for (int I = std::min(Before, Length()) - 1; I >= 0; --I)
    if (!IsLiteral(I))
      return I;
  return -1;
}

bool TEditMaskFormat::IsMaskLiteral(char Ch) const {
  return std::any_of(FPositions.begin(), FPositions.end(),
                     [Ch](const TPosition& P) { return P.Class == ccLiteral && P.Literal == Ch; });
}

std::string TEditMaskFormat::BlankText() const {
  std::string S;
  for (const TPosition& P : FPositions)
    S += P.Class == ccLiteral ? P.Literal : FBlank;
  return S;
}

std::string TEditMaskFormat::EditTextOf(const std::string& Value) const {
  std::string S = BlankText();
  int J = 1; // the next character of Value
  for (int I = 0; I < Length() && J <= vcl::Length(Value); ++I) {
    const char C = Value[J - 1];
    if (IsLiteral(I)) {
      if (C == FPositions[I].Literal)
        ++J;
      continue;
    }
    if (const char Taken = Accept(I, C)) {
      S[I] = Taken;
      ++J;
      continue;
    }
    // A blank shows as a space in a value: a space the position does not
    // take is its blank, even before a literal space (or the two spaces of
    // "5  -1234" under 99 -0000 would shift the rest of the value).
    if (C == ' ') {
      ++J;
      continue;
    }
    // A literal that belongs further on means this part of Value ended
    // early: the position stays blank and the literal waits for its place.
    const int NextLiteral = [&] {
      for (int K = I + 1; K < Length(); ++K)
        if (IsLiteral(K))
          return K;
      return -1;
    }();
    if (NextLiteral < 0 || FPositions[NextLiteral].Literal != C)
      ++J;
  }
  return S;
}

std::string TEditMaskFormat::EditTextFromText(const std::string& Text) const {
  if (FSaveLiterals)
    return EditTextOf(Text);
  std::string S = BlankText();
  int Editable = 0;
  for (int I = 0; I < Length(); ++I)
    Editable += IsLiteral(I) ? 0 : 1;
  // Right-aligned under '!': the first free positions stay blank.
  int Skip = FLeadingBlanks ? std::max(Editable - vcl::Length(Text), 0) : 0;
  int J = 1;
  for (int I = NextEditable(0); I >= 0 && J <= vcl::Length(Text); I = NextEditable(I + 1)) {
    if (Skip > 0) {
      --Skip;
      continue;
    }
    if (const char Taken = Accept(I, Text[J - 1]))
      S[I] = Taken;
    ++J;
  }
  return S;
}

std::string TEditMaskFormat::TextOf(const std::string& EditText) const {
  auto CharAt = [&](int I) { return I < vcl::Length(EditText) ? EditText[I] : FBlank; };
  bool Entered = false;
  std::string S;
  for (int I = 0; I < Length(); ++I) {
    if (IsLiteral(I)) {
      if (FSaveLiterals)
        S += FPositions[I].Literal;
      continue;
    }
    const char C = CharAt(I);
    Entered = Entered || C != FBlank;
    S += C == FBlank ? ' ' : C;
  }
  if (!Entered)
    return "";
  // Blanks at the end are padding. Under '!' those at the start are, when
  // no literal marks the places; with literals the places stay.
  if (FLeadingBlanks && !FSaveLiterals)
    return S.substr(std::min(S.find_first_not_of(' '), S.size()));
  if (FLeadingBlanks)
    return S;
  return S.substr(0, S.find_last_not_of(' ') + 1);
}

int TEditMaskFormat::FirstInvalid(const std::string& EditText) const {
  for (int I = 0; I < Length(); ++I) {
    if (IsLiteral(I))
      continue;
    const char C = I < vcl::Length(EditText) ? EditText[I] : FBlank;
    if (C == FBlank ? FPositions[I].Required : Accept(I, C) != C)
      return I;
  }
  return -1;
}

bool TEditMaskFormat::Place(std::string& EditText, int& Pos, const std::string& Chars,
                            bool Paste) const {
  std::string S = EditText;
  S.resize(std::max<std::size_t>(S.size(), FPositions.size()), FBlank);
  int P = std::max(Pos, 0);
  for (char C : Chars) {
    if (P < Length() && IsLiteral(P) && FPositions[P].Literal == C) {
      ++P;
      continue;
    }
    // In a paste, spaces and the mask's literals that fit nowhere are the
    // separators of the pasted text.
    const bool Separator = Paste && (C == ' ' || IsMaskLiteral(C));
    const int Target = NextEditable(P);
    if (Target < 0) {
      if (Separator || (Paste && C == FBlank))
        continue;
      return false;
    }
    if (const char Taken = Accept(Target, C))
      S[Target] = Taken;
    else if (C == FBlank || (C == ' ' && !Paste))
      S[Target] = FBlank;
    else if (Separator)
      continue;
    else
      return false;
    P = Target + 1;
  }
  EditText = S;
  Pos = P;
  return true;
}

void TEditMaskFormat::BlankRange(std::string& EditText, int Start, int Count) const {
  for (int I = std::max(Start, 0); I < std::min(Start + Count, Length()); ++I)
    if (!IsLiteral(I) && I < vcl::Length(EditText))
      EditText[I] = FBlank;
}

std::string FormatMaskText(const std::string& EditMask, const std::string& Value) {
  const TEditMaskFormat Format(EditMask);
  if (!Format.IsMasked())
    return Value;
  std::string S = Format.EditTextFromText(Value);
  for (int I = 0; I < Format.Length(); ++I)
    if (!Format.IsLiteral(I) && S[I] == Format.Blank())
      S[I] = ' ';
  return S;
}

} // namespace vcl
