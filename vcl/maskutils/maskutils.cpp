// TEditMaskFormat: the edit-mask language parsed into positions, and the
// text rules of the masked edit (formatting values into the mask, reading
// the value back, checking it, writing typed and pasted characters). The
// texts are UTF-8 outside and worked on as code points inside, one per
// position of the mask.
#include <algorithm>

#include "vcl/maskutils.h"
#include "vcl/sysutils.h"

namespace vcl {

namespace {

// The sections of a mask: the mask itself (escapes kept), then the
// save-literals and blank sections. A ';' after a '\' belongs to the mask.
std::vector<std::u32string> SplitSections(const std::u32string& EditMask) {
  const int Length = static_cast<int>(EditMask.size());
  std::vector<std::u32string> Sections(1);
  for (int I = 1; I <= Length; ++I) {
    const char32_t C = EditMask[I - 1];
    if (C == ';' && Sections.size() < 3) {
      Sections.emplace_back();
      continue;
    }
    Sections.back() += C;
    if (C == '\\' && Sections.size() == 1 && I < Length)
      Sections.back() += EditMask[I++];
  }
  return Sections;
}

} // namespace

TEditMaskFormat::TEditMaskFormat(const std::string& EditMask) {
  const std::vector<std::u32string> Sections = SplitSections(Utf8Decode(EditMask));
  ParseMask(Sections[0]);
  if (Sections.size() > 1 && !Sections[1].empty())
    FSaveLiterals = Sections[1][0] != '0';
  if (Sections.size() > 2 && !Sections[2].empty())
    FBlank = Sections[2][0];
}

void TEditMaskFormat::ParseMask(const std::u32string& Mask) {
  const int MaskLength = static_cast<int>(Mask.size());
  TCaseConv Case = cvNone;
  auto Literal = [this](char32_t C) { FPositions.push_back({ccLiteral, false, cvNone, C}); };
  auto Editable = [this, &Case](TCharClass Class, bool Required) {
    FPositions.push_back({Class, Required, Case, 0});
  };
  for (int I = 1; I <= MaskLength; ++I) {
    const char32_t C = Mask[I - 1];
    switch (C) {
    case '\\':
      if (I < MaskLength)
        Literal(Mask[I++]);
      break;
    case '!':
      FLeadingBlanks = true;
      break;
    case '>':
      Case = cvUpper;
      break;
    case '<':
      if (I < MaskLength && Mask[I] == '>') {
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

char32_t TEditMaskFormat::Accept(int Index, char32_t Ch) const {
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
    Taken = IsLetter(Ch);
    break;
  case ccAlphaNum:
    Taken = Digit || IsLetter(Ch);
    break;
  case ccAny:
    Taken = IsTypedChar(Ch);
    break;
  }
  if (!Taken)
    return 0;
  if (P.Case == cvUpper)
    return AnsiUpCase(Ch);
  if (P.Case == cvLower)
    return AnsiLowCase(Ch);
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

bool TEditMaskFormat::IsMaskLiteral(char32_t Ch) const {
  return std::any_of(FPositions.begin(), FPositions.end(),
                     [Ch](const TPosition& P) { return P.Class == ccLiteral && P.Literal == Ch; });
}

std::u32string TEditMaskFormat::BlankChars() const {
  std::u32string S;
  for (const TPosition& P : FPositions)
    S += P.Class == ccLiteral ? P.Literal : FBlank;
  return S;
}

std::string TEditMaskFormat::BlankText() const {
  return Utf8Encode(BlankChars());
}

std::string TEditMaskFormat::EditTextOf(const std::string& Value) const {
  return Utf8Encode(EditCharsOf(Utf8Decode(Value)));
}

std::u32string TEditMaskFormat::EditCharsOf(const std::u32string& Value) const {
  std::u32string S = BlankChars();
  const int ValueLength = static_cast<int>(Value.size());
  int J = 1; // the next character of Value
  for (int I = 0; I < Length() && J <= ValueLength; ++I) {
    const char32_t C = Value[J - 1];
    if (IsLiteral(I)) {
      if (C == FPositions[I].Literal)
        ++J;
      continue;
    }
    if (const char32_t Taken = Accept(I, C)) {
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
  const std::u32string Chars = Utf8Decode(Text);
  const int TextLength = static_cast<int>(Chars.size());
  std::u32string S = BlankChars();
  int Editable = 0;
  for (int I = 0; I < Length(); ++I)
    Editable += IsLiteral(I) ? 0 : 1;
  // Right-aligned under '!': the first free positions stay blank.
  int Skip = FLeadingBlanks ? std::max(Editable - TextLength, 0) : 0;
  int J = 1;
  for (int I = NextEditable(0); I >= 0 && J <= TextLength; I = NextEditable(I + 1)) {
    if (Skip > 0) {
      --Skip;
      continue;
    }
    if (const char32_t Taken = Accept(I, Chars[J - 1]))
      S[I] = Taken;
    ++J;
  }
  return Utf8Encode(S);
}

std::string TEditMaskFormat::TextOf(const std::string& EditText) const {
  const std::u32string Chars = Utf8Decode(EditText);
  auto CharAt = [&](int I) { return I < static_cast<int>(Chars.size()) ? Chars[I] : FBlank; };
  bool Entered = false;
  std::u32string S;
  for (int I = 0; I < Length(); ++I) {
    if (IsLiteral(I)) {
      if (FSaveLiterals)
        S += FPositions[I].Literal;
      continue;
    }
    const char32_t C = CharAt(I);
    Entered = Entered || C != FBlank;
    S += C == FBlank ? U' ' : C;
  }
  if (!Entered)
    return "";
  // Blanks at the end are padding. Under '!' those at the start are, when
  // no literal marks the places; with literals the places stay.
  if (FLeadingBlanks && !FSaveLiterals)
    return Utf8Encode(S.substr(std::min(S.find_first_not_of(U' '), S.size())));
  if (FLeadingBlanks)
    return Utf8Encode(S);
  return Utf8Encode(S.substr(0, S.find_last_not_of(U' ') + 1));
}

int TEditMaskFormat::FirstInvalid(const std::string& EditText) const {
  const std::u32string Chars = Utf8Decode(EditText);
  for (int I = 0; I < Length(); ++I) {
    if (IsLiteral(I))
      continue;
    const char32_t C = I < static_cast<int>(Chars.size()) ? Chars[I] : FBlank;
    if (C == FBlank ? FPositions[I].Required : Accept(I, C) != C)
      return I;
  }
  return -1;
}

bool TEditMaskFormat::Place(std::string& EditText, int& Pos, const std::string& Chars,
                            bool Paste) const {
  std::u32string S = Utf8Decode(EditText);
  if (!PlaceChars(S, Pos, Utf8Decode(Chars), Paste))
    return false;
  EditText = Utf8Encode(S);
  return true;
}

bool TEditMaskFormat::PlaceChars(std::u32string& EditText, int& Pos, const std::u32string& Chars,
                                 bool Paste) const {
  std::u32string S = EditText;
  S.resize(std::max(S.size(), FPositions.size()), FBlank);
  int P = std::max(Pos, 0);
  for (const char32_t C : Chars) {
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
    if (const char32_t Taken = Accept(Target, C))
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
  std::u32string S = Utf8Decode(EditText);
  BlankSpan(S, Start, Count);
  EditText = Utf8Encode(S);
}

void TEditMaskFormat::BlankSpan(std::u32string& S, int Start, int Count) const {
  for (int I = std::max(Start, 0); I < std::min(Start + Count, Length()); ++I)
    if (!IsLiteral(I) && I < static_cast<int>(S.size()))
      S[I] = FBlank;
}

std::string FormatMaskText(const std::string& EditMask, const std::string& Value) {
  const TEditMaskFormat Format(EditMask);
  if (!Format.IsMasked())
    return Value;
  std::u32string S = Utf8Decode(Format.EditTextFromText(Value));
  for (int I = 0; I < Format.Length(); ++I)
    if (!Format.IsLiteral(I) && S[I] == Format.Blank())
      S[I] = U' ';
  return Utf8Encode(S);
}

} // namespace vcl
