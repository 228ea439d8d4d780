// The picture validator and its evaluation engine. An evaluation is a set of
// mutually recursive steps over one shared state (the text, changed in place,
// and a position in the picture and in the text); TEvaluation holds that
// state for the length of one Eval call. What the steps need to know about
// the picture itself (where pieces, alternatives and runs of plain pieces
// end, repetition counts) is read from the prepared picture, worked out once
// when it was set. A run of plain pieces (classes and literals, one text
// character each) is taken in a loop of its own, with the outcome, the
// stored characters and the positions its steps one by one would give.
//
// The picture is evaluated as written, well-formed or not. Two rules keep a
// malformed picture harmless: every read of the picture answers NoChar (a
// value no byte can equal) beyond either end, so a trailing ';' or '*' or an
// unclosed bracket never reads outside the string; and groups and
// repetitions may nest only MaxNesting deep, after which the evaluation
// unwinds and reports prError. Every loop advances the picture or the text
// position, so no picture can make an evaluation hang.
#include "validate/picture.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#include "validate/detail/same_text.h"
#include "vcl/sysutils.h"

namespace Validate {

namespace {

constexpr int NoChar = TPreparedPicture::NoChar;

bool IsComplete(TPicResult R) {
  return R == prComplete || R == prAmbiguous;
}
bool IsIncomplete(TPicResult R) {
  return R == prIncomplete || R == prIncompNoFill;
}
bool IsDigit(int Ch) {
  return Ch >= '0' && Ch <= '9';
}

constexpr auto IsCharClass = TPreparedPicture::IsCharClass;

// The upper case of an ASCII letter; every other character as it is.
char32_t UpAscii(char32_t Ch) {
  return Ch >= 'a' && Ch <= 'z' ? Ch - 'a' + 'A' : Ch;
}

// The letter test and the simple case mappings. In ASCII they are the
// classic ones (ICU gives the same answers there), answered without a call.
bool IsLetter(char32_t Ch) {
  return Ch < 0x80 ? UpAscii(Ch) >= 'A' && UpAscii(Ch) <= 'Z' : vcl::IsLetter(Ch);
}
char32_t UpCase(char32_t Ch) {
  return Ch < 0x80 ? UpAscii(Ch) : vcl::AnsiUpCase(Ch);
}
char32_t LowCase(char32_t Ch) {
  return Ch < 0x80 ? (Ch >= 'A' && Ch <= 'Z' ? Ch - 'A' + 'a' : Ch) : vcl::AnsiLowCase(Ch);
}

// Whether the text character Ch fits the character class Class, and the
// character that is then stored in its place. A letter is a letter of any
// script, and case is forced on every letter that has a simple mapping.
template <int Class> bool Fits(char32_t Ch, char32_t& Stored) {
  if constexpr (Class == '#') {
    Stored = Ch;
    return IsDigit(static_cast<int>(Ch));
  } else if constexpr (Class == '?') {
    Stored = Ch;
    return IsLetter(Ch);
  } else if constexpr (Class == '&') {
    Stored = UpCase(Ch);
    return IsLetter(Ch);
  } else if constexpr (Class == '~') {
    Stored = LowCase(Ch);
    return IsLetter(Ch);
  } else if constexpr (Class == '!') {
    Stored = UpCase(Ch);
    return true;
  } else {
    static_assert(Class == '@');
    Stored = Ch;
    return true;
  }
}

// Calls Action with the character class Class as a constant, so that a loop
// over many characters tests them without choosing the class each time.
template <typename TAction> auto WithClass(int Class, TAction&& Action) {
  switch (Class) {
  case '#':
    return Action.template operator()<'#'>();
  case '?':
    return Action.template operator()<'?'>();
  case '&':
    return Action.template operator()<'&'>();
  case '~':
    return Action.template operator()<'~'>();
  case '!':
    return Action.template operator()<'!'>();
  default:
    return Action.template operator()<'@'>();
  }
}

// Whether the text character Ch matches the literal Literal: literals
// compare by code point, ignoring the case of ASCII letters only (so a typed
// "am" matches "AM"), and a typed blank stands for any literal.
bool LiteralFits(char32_t Literal, char32_t Ch) {
  return UpAscii(Literal) == UpAscii(Ch) || Ch == ' ';
}

// Picture characters that filling stops at: everything that is not a literal.
bool StopsFilling(int Ch) {
  switch (Ch) {
  case '!':
  case '#':
  case '&':
  case '*':
  case ',':
  case '?':
  case '@':
  case '[':
  case ']':
  case '{':
  case '}':
  case '~':
    return true;
  default:
    return false;
  }
}

// A text character as a code point: the texts are evaluated either as
// UTF-8 bytes, when all of them are ASCII, or as decoded code points.
char32_t CodeOf(char Ch) {
  return static_cast<unsigned char>(Ch);
}
char32_t CodeOf(char32_t Ch) {
  return Ch;
}

// Eight ASCII bytes at a time. For a byte b below 0x80, b + 0x50 has its
// high bit set when b >= '0' and b + 0x46 when b > '9'; no sum carries into
// the next byte.
constexpr std::uint64_t Ones = 0x0101010101010101u;
constexpr std::uint64_t HighBits = 0x80 * Ones;

std::uint64_t Load8(const char* Bytes) {
  std::uint64_t Word;
  std::memcpy(&Word, Bytes, sizeof Word);
  return Word;
}

// The high bit of every byte of Word that is not a digit.
std::uint64_t NotDigitBytes(std::uint64_t Word) {
  return (~(Word + 0x50 * Ones) | (Word + 0x46 * Ones)) & HighBits;
}

// How many of the Count ASCII bytes at Text are digits before the first
// that is not.
int LeadingDigits(const char* Text, int Count) {
  int N = 0;
  for (; N + 8 <= Count; N += 8) {
    const std::uint64_t NotDigit = NotDigitBytes(Load8(Text + N));
    if (NotDigit != 0) {
      const int Byte = std::endian::native == std::endian::little ? std::countr_zero(NotDigit) / 8
                                                                  : std::countl_zero(NotDigit) / 8;
      return N + Byte;
    }
  }
  while (N < Count && IsDigit(Text[N]))
    ++N;
  return N;
}

// The same count over code points.
int LeadingDigits(const char32_t* Text, int Count) {
  int N = 0;
  while (N < Count && Text[N] >= '0' && Text[N] <= '9')
    ++N;
  return N;
}

} // namespace

std::string PictureLiteral(const std::string& S) {
  std::string Result;
  for (char Ch : S) {
    if (StopsFilling(Ch) || Ch == ';')
      Result += ';';
    Result += Ch;
  }
  return Result;
}

// TText is std::string for a text and picture of ASCII only, where a byte is
// a character and every character stored is ASCII again, and std::u32string
// for any other text; the steps are the same for both.
template <typename TText> class TCustomPictureValidator::TEvaluation {
public:
  using TChar = typename TText::value_type;

  TEvaluation(const TPreparedPicture& Picture, TText& Text) : FPicture(Picture), FText(Text) {}

  int PicPos = 1;
  int TextPos = 1;
  // Set when the nesting limit was hit; from then on every step fails at once.
  bool TooDeep = false;
  // Set once a character of the text was replaced (even if put back later).
  bool Changed = false;

  TPicResult MatchChoices(int Stop) {
    if (TooDeep || FDepth >= MaxNesting) {
      TooDeep = true;
      return prError;
    }
    ++FDepth;
    const TPicResult Result = TryChoices(Stop);
    --FDepth;
    return Result;
  }

private:
  int PicChar(int P) const { return FPicture.Char(P); }
  char32_t TextChar(int P) const { return CodeOf(FText[static_cast<std::size_t>(P - 1)]); }

  // Stores Ch at text position P. Mostly the text holds it already; only
  // a change is done out of line.
  void Store(int P, char32_t Ch) {
    if (TextChar(P) != Ch)
      Overwrite(P, Ch);
  }
  // Replaces the character at P by Ch, remembering what it was. Kept out
  // of line so that Store and TakeChar, on every character's path, inline.
  [[gnu::noinline]] void Overwrite(int P, char32_t Ch) {
    TChar& Stored = FText[static_cast<std::size_t>(P - 1)];
    FOverwritten.push_back({P, CodeOf(Stored)});
    Stored = static_cast<TChar>(Ch);
    Changed = true;
  }
  void TakeChar(char32_t Ch) {
    Store(TextPos, Ch);
    ++TextPos;
    ++PicPos;
  }
  void RestoreText(std::size_t Mark) {
    while (FOverwritten.size() > Mark) {
      const auto [Pos, Ch] = FOverwritten.back();
      FText[static_cast<std::size_t>(Pos - 1)] = static_cast<TChar>(Ch);
      FOverwritten.pop_back();
    }
  }

  int PieceEnd(int Stop) const { return FPicture.SkipPiece(PicPos, Stop); }

  bool NextChoice(int Stop) {
    PicPos = FPicture.SkipChoice(PicPos, Stop);
    while (PicPos <= Stop && PicChar(PicPos) == ',')
      ++PicPos;
    return PicPos < Stop;
  }

  TPicResult MatchSequence(int Stop) {
    TPicResult Result = prEmpty;
    while (PicPos < Stop && PicChar(PicPos) != ',') {
      if (TooDeep)
        return prError;
      if (TextPos > static_cast<int>(FText.size()))
        return RestOptional(Result, Stop);
      if (FPicture.PlainEnd(PicPos) > PicPos) {
        const int Before = PicPos;
        if (!TakePlain(std::min(FPicture.PlainEnd(PicPos), Stop)))
          return prError;
        // Two steps or more end as prIncomplete, whatever came before.
        Result = PicPos - Before == 1 ? AfterStep(Result) : prIncomplete;
        continue;
      }
      switch (PicChar(PicPos)) {
      case '*':
        Result = MatchRepeat(Stop);
        if (!IsComplete(Result))
          return Result;
        break;
      case '{':
        Result = MatchGroup(Stop);
        if (!IsComplete(Result))
          return Result;
        break;
      case '[':
        Result = MatchOptional(Stop);
        if (IsIncomplete(Result))
          return Result;
        break;
      default:
        // An escaped literal, or a closing bracket without its opening one.
        if (!MatchLiteral(TextChar(TextPos)))
          return prError;
        break;
      }
      Result = AfterStep(Result);
    }
    return Result == prIncompNoFill ? prAmbiguous : prComplete;
  }

  // The state of a sequence after a step: incomplete, and with no filling
  // after a step that followed an optional piece passed over.
  static TPicResult AfterStep(TPicResult Result) {
    return Result == prAmbiguous ? prIncompNoFill : prIncomplete;
  }

  // The plain pieces (character classes and unescaped literals) from PicPos
  // up to End: each takes one text character, as its step in MatchSequence
  // would, until End or the end of the text. False when a character does
  // not fit, with the positions at that piece. The positions and the texts
  // are kept in locals, so that the run is one tight loop.
  [[gnu::always_inline]] bool TakePlain(int End) {
    if constexpr (std::is_same_v<TText, std::string>)
      if (End - PicPos >= 8)
        SkipMatchingWords(End);
    const char32_t* Pic = FPicture.Chars();
    const TChar* Text = FText.data();
    const int Size = static_cast<int>(FText.size());
    int P = PicPos;
    int T = TextPos;
    bool Fit = true;
    for (; P < End && T <= Size; ++P, ++T) {
      const char32_t Class = Pic[P - 1];
      const char32_t Ch = CodeOf(Text[T - 1]);
      char32_t Stored = Class;
      // Digits and literals, the usual pieces, without choosing a class.
      if (Class == '#')
        Fit = Fits<'#'>(Ch, Stored);
      else if (IsCharClass(static_cast<int>(Class)))
        Fit = WithClass(static_cast<int>(Class), [&]<int C>() { return Fits<C>(Ch, Stored); });
      else
        Fit = LiteralFits(Class, Ch);
      if (!Fit)
        break;
      if (Stored != Ch)
        Overwrite(T, Stored);
    }
    PicPos = P;
    TextPos = T;
    return Fit;
  }

  // An optional group at PicPos; prAmbiguous when it is passed over.
  TPicResult MatchOptional(int Stop) {
    const std::size_t Mark = FOverwritten.size();
    const TPicResult Result = MatchGroup(Stop);
    if (Result != prError)
      return Result;
    // An optional group that is passed over leaves the text as it found it:
    // with #[#]:##[:##] {AM,PM} the blank of "9:30 AM" was taken for the ':'
    // of the seconds, and keeping that ':' would refuse the time.
    RestoreText(Mark);
    return prAmbiguous;
  }

  // The literal at PicPos (after its escape, if any) against Ch.
  bool MatchLiteral(char32_t Ch) {
    if (PicChar(PicPos) == ';')
      ++PicPos;
    const int Literal = PicChar(PicPos);
    if (Literal == NoChar)
      return false;
    const auto Expected = static_cast<char32_t>(Literal);
    if (!LiteralFits(Expected, Ch))
      return false;
    TakeChar(Expected);
    return true;
  }

  TPicResult RestOptional(TPicResult Result, int Stop) const {
    if (!IsIncomplete(Result))
      return Result;
    int P = PicPos;
    while (P < Stop) {
      if (PicChar(P) == '[') {
        P = FPicture.SkipPiece(P, Stop);
      } else if (PicChar(P) == '*' && !IsDigit(PicChar(P + 1))) {
        P = FPicture.SkipPiece(P + 1, Stop);
      } else if (PicChar(P) == '*') {
        P = FPicture.RepeatedPiece(P);
        if (PicChar(P) != '[')
          break;
        P = FPicture.SkipPiece(P, Stop);
      } else {
        break;
      }
    }
    // A comma ends the alternative just as the stop position ends the
    // sequence: what is left of the alternative may be left out, so the
    // alternative is as complete as a sequence whose end was reached.
    if (P >= Stop || PicChar(P) == ',')
      return prAmbiguous;
    return Result;
  }

  TPicResult TryChoices(int Stop) {
    int ChoiceStart = PicPos;
    const int TextStart = TextPos;
    bool HaveIncomplete = false;
    int IncompletePic = 0;
    int IncompleteText = 0;
    for (;;) {
      TPicResult Result = MatchSequence(Stop);
      if (IsComplete(Result) && HaveIncomplete && TextPos < IncompleteText) {
        Result = prIncomplete;
        TextPos = IncompleteText;
      }
      if (Result != prError && Result != prIncomplete)
        return HaveIncomplete && Result == prComplete ? prAmbiguous : Result;
      const TPicResult Answer = Result;
      if (!HaveIncomplete && Result == prIncomplete) {
        HaveIncomplete = true;
        IncompletePic = PicPos;
        IncompleteText = TextPos;
      }
      PicPos = ChoiceStart;
      TextPos = TextStart;
      if (!NextChoice(Stop)) {
        if (!HaveIncomplete)
          return Answer;
        PicPos = IncompletePic;
        TextPos = IncompleteText;
        return prIncomplete;
      }
      ChoiceStart = PicPos;
    }
  }

  TPicResult MatchGroup(int Stop) {
    const int GroupEnd = PieceEnd(Stop);
    ++PicPos;
    if (GroupEnd - 1 > PicPos && FPicture.PlainEnd(PicPos) >= GroupEnd - 1 && FDepth < MaxNesting &&
        TextPos <= static_cast<int>(FText.size()))
      return MatchPlainGroup(GroupEnd);
    const TPicResult Result = MatchChoices(GroupEnd - 1);
    if (!IsIncomplete(Result))
      PicPos = GroupEnd;
    return Result;
  }

  // Moves the positions past the plain pieces up to End, eight at a time,
  // as long as all eight are digits or literals that the ASCII text matches
  // as it stands: a digit under each '#', each literal's own byte. Nothing
  // is stored there, so TakePlain's loop would only pass them; it goes on
  // one by one from the first eight that do not all match so. The last
  // eight of a run may overlap eight that were passed.
  void SkipMatchingWords(int End) {
    const int Size = static_cast<int>(FText.size());
    const int Start = PicPos;
    while (End - PicPos >= 8 && Size - TextPos + 1 >= 8) {
      if (!WordMatches(PicPos, TextPos))
        return;
      PicPos += 8;
      TextPos += 8;
    }
    const int Left = End - PicPos;
    if (Left > 0 && PicPos - Start >= 8 - Left && Size - TextPos + 1 >= Left &&
        WordMatches(End - 8, TextPos + Left - 8)) {
      PicPos = End;
      TextPos += Left;
    }
  }

  // Whether the eight plain pieces from picture position P are digits or
  // literals that the text from position T matches as it stands.
  bool WordMatches(int P, int T) const {
    const auto At = static_cast<std::size_t>(P - 1);
    if (~Load8(FPicture.DigitOrLiteralSlots() + At) != 0)
      return false;
    const std::uint64_t Text = Load8(FText.data() + T - 1);
    const std::uint64_t Digits = Load8(FPicture.DigitSlots() + At);
    const std::uint64_t Literals = Load8(FPicture.PaddedText() + At);
    return ((NotDigitBytes(Text) & Digits) | ((Text ^ Literals) & ~Digits)) == 0;
  }

  // A group of plain pieces only ([#], {##}), with PicPos at the first and
  // text left to take: one alternative of one run, so MatchChoices would end
  // as taking the run ends. A run that does not fit is an error, with the
  // text position back at the group's start; one that the text ends in is
  // incomplete, the positions left where the text ended.
  [[gnu::always_inline]] TPicResult MatchPlainGroup(int GroupEnd) {
    const int TextStart = TextPos;
    if (!TakePlain(GroupEnd - 1)) {
      TextPos = TextStart;
      PicPos = GroupEnd;
      return prError;
    }
    if (PicPos < GroupEnd - 1)
      return prIncomplete;
    PicPos = GroupEnd;
    return prComplete;
  }

  TPicResult MatchRepeat(int Stop) {
    const int Count = FPicture.RepeatCount(PicPos);
    PicPos = FPicture.RepeatedPiece(PicPos);
    if (PicPos > Stop)
      return prSyntax;
    if (PicPos < Stop && IsCharClass(PicChar(PicPos)) && FDepth < MaxNesting)
      return RepeatCharClass(Count);
    const int PieceStart = PicPos;
    const int PieceStop = PieceEnd(Stop);
    TPicResult Result = prComplete;
    if (Count > 0) {
      for (int Pass = 0; Pass < Count; ++Pass) {
        PicPos = PieceStart;
        const int Before = TextPos;
        Result = MatchChoices(PieceStop);
        // A pass the text ran out in is as incomplete as the repetition: the
        // picture position stays where the text ended, so filling goes on
        // from there. (Taking it for an error would refuse the third digit
        // typed against *2{##}, and no text could ever be typed to match.)
        if (IsIncomplete(Result))
          return Result;
        if (!IsComplete(Result)) {
          if (Result != prEmpty)
            return prError;
          return PicChar(PieceStart) == '[' ? prAmbiguous : prIncomplete;
        }
        // A pass that took no text leaves the state as it found it, so the
        // passes still to come would end the same way; stopping here keeps a
        // huge count over an empty piece from running for ages.
        if (TextPos == Before)
          break;
      }
    } else {
      int Before;
      do {
        Before = TextPos;
        PicPos = PieceStart;
        Result = MatchChoices(PieceStop);
      } while (IsComplete(Result) && TextPos != Before);
      if (Result == prEmpty || Result == prError)
        Result = prAmbiguous;
    }
    if (IsComplete(Result))
      PicPos = PieceStop;
    return Result;
  }

  // The repetition of one character class (*#, *3?), with PicPos at the
  // class: each pass is the class taking one text character, as it would
  // through MatchChoices, so the passes run in a loop of their own with the
  // same outcome, the same stored characters and the same positions.
  TPicResult RepeatCharClass(int Count) {
    const int Class = PicChar(PicPos);
    if (Count == 0) {
      // Any number of passes: the repetition ends at the first character
      // that does not fit, or with the text.
      TakeRun(Class, INT_MAX);
      ++PicPos;
      return prAmbiguous;
    }
    if (TakeRun(Class, Count) < Count) {
      // The text ran out before a pass: incomplete, and filling goes on
      // from the class. Otherwise a character did not fit.
      return TextPos > static_cast<int>(FText.size()) ? prIncomplete : prError;
    }
    ++PicPos;
    return prComplete;
  }

  // Takes text characters that fit Class, at most Limit of them, storing
  // each as TakeChar does but leaving the picture position alone; answers
  // how many were taken. The positions are kept in locals so that the loop
  // over a long run of digits stays a loop over the bytes.
  int TakeRun(int Class, int Limit) {
    return WithClass(Class, [&]<int C>() {
      const int Start = TextPos;
      const int End = static_cast<int>(std::min<long long>(
          static_cast<long long>(FText.size()), static_cast<long long>(Start) - 1 + Limit));
      if constexpr (C == '#') {
        // Digits are stored as they are: a run of them is only counted.
        TextPos += LeadingDigits(FText.data() + Start - 1, End - Start + 1);
        return TextPos - Start;
      }
      int P = Start;
      char32_t Stored;
      for (; P <= End && Fits<C>(TextChar(P), Stored); ++P)
        if (Stored != TextChar(P))
          Store(P, Stored);
      TextPos = P;
      return P - Start;
    });
  }

  const TPreparedPicture& FPicture;
  TText& FText;
  // The characters TakeChar replaced, in order, so that a failed optional
  // group can put them back.
  std::vector<std::pair<int, char32_t>> FOverwritten;
  int FDepth = 0;
};

TCustomPictureValidator::TCustomPictureValidator(vcl::TObject* AOwner) : TValidator(AOwner) {}

void TCustomPictureValidator::SetPicture(const std::string& Value) {
  SetPictureField(Value);
  FStatus = Value.empty() ? vsNone : vsOK;
  Change();
}

void TCustomPictureValidator::SetPictureField(const std::string& Value) {
  FPicture = TPreparedPicture(Value);
  FLast.Known = false;
  ++FPictureSerial;
}

// The result text is kept only when the evaluation changed the text: most
// texts come out as they went in.
TPicResult TCustomPictureValidator::Eval(std::string& Text, bool Fill) {
  bool Changed = false;
  if (Fill)
    return Evaluate(Text, true, Changed);
  if (FLast.Known && Detail::SameText(Text, FLast.Text)) {
    if (FLast.Changed)
      Text = FLast.Result;
    return FLast.Outcome;
  }
  FLast.Text = Text;
  FLast.Outcome = Evaluate(Text, false, Changed);
  FLast.Changed = Changed;
  if (Changed)
    FLast.Result = Text;
  FLast.Known = true;
  return FLast.Outcome;
}

TPicResult TCustomPictureValidator::Evaluate(std::string& Text, bool Fill, bool& Changed) const {
  if (FPicture.Length() == 0)
    return prComplete;
  if (Text.empty())
    return prEmpty;
  if (FPicture.IsAscii() && vcl::IsAscii(Text))
    return EvaluateChars(Text, Fill, Changed);
  // The steps count characters, so they work on the code points; the text
  // is encoded anew, so it counts as changed.
  std::u32string Chars = vcl::Utf8Decode(Text);
  const TPicResult Result = EvaluateChars(Chars, Fill, Changed);
  Text = vcl::Utf8Encode(Chars);
  Changed = true;
  return Result;
}

template <typename TText>
TPicResult TCustomPictureValidator::EvaluateChars(TText& Text, bool Fill, bool& Changed) const {
  TEvaluation<TText> State(FPicture, Text);
  const int Stop = FPicture.Length() + 1;
  TPicResult Result = State.MatchChoices(Stop);
  Changed = State.Changed;
  if (Result != prError && Result != prSyntax && State.TextPos <= static_cast<int>(Text.size()))
    Result = prError;
  if (State.TooDeep)
    return prError;
  if (Result == prIncomplete && Fill) {
    TText Filled = Text;
    for (int P = State.PicPos; P < Stop && !StopsFilling(FPicture.Char(P)); ++P) {
      if (FPicture.Char(P) == ';' && ++P == Stop)
        break;
      Filled += static_cast<typename TText::value_type>(FPicture.Char(P));
    }
    // The completion is kept only when the picture takes the completed text
    // (with *3-x a first '-' would become --x, which no key could mend); the
    // text then stays as typed.
    if (Filled.size() > Text.size()) {
      TEvaluation<TText> Again(FPicture, Filled);
      const TPicResult Refilled = Again.MatchChoices(Stop);
      if (Refilled != prError && !Again.TooDeep) {
        Text = std::move(Filled);
        Changed = true;
        Result = Refilled;
      }
    }
  }
  if (Result == prAmbiguous)
    return prComplete;
  if (Result == prIncompNoFill)
    return prIncomplete;
  return Result;
}

bool TCustomPictureValidator::IsValidInput(std::string& S, bool SuppressFill) {
  if (FPicture.Length() == 0)
    return true;
  return Eval(S, AutoFill() && !SuppressFill) != prError;
}

bool TCustomPictureValidator::IsValid(std::string S) {
  if (FPicture.Length() == 0)
    return true;
  const TPicResult Result = Eval(S, false);
  return Result == prComplete || Result == prEmpty;
}

std::string TCustomPictureValidator::ErrorMessage(bool Input, std::string S) {
  const char* Literal = vcl::ResString(Input ? vcl::rsPictureInput : vcl::rsPictureMismatch);
  return QuotedMessage(S, Literal) + '\r' + FPicture.Text();
}

} // namespace Validate
