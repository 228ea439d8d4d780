// The straightforward evaluator: every step walks the picture text itself.
#include "tests/validate/picture_reference.h"

#include <climits>
#include <utility>
#include <vector>

#include "vcl/sysutils.h"

namespace PictureReference {

using namespace Validate;

namespace {

// The picture character beyond either end of the picture: unequal to every
// character, so it matches nothing and is no bracket, comma or digit.
constexpr int NoChar = -1;

bool IsComplete(TPicResult R) {
  return R == prComplete || R == prAmbiguous;
}
bool IsIncomplete(TPicResult R) {
  return R == prIncomplete || R == prIncompNoFill;
}
bool IsDigit(int Ch) {
  return Ch >= '0' && Ch <= '9';
}

char32_t UpAscii(char32_t Ch) {
  return Ch >= 'a' && Ch <= 'z' ? Ch - 'a' + 'A' : Ch;
}

// Picture characters that filling stops at: everything that is not a literal.
bool StopsFilling(char32_t Ch) {
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

class TEvaluation {
public:
  TEvaluation(const std::u32string& Picture, std::u32string& Text)
      : FPicture(Picture), FText(Text) {}

  int PicPos = 1;
  int TextPos = 1;
  // Set when the nesting limit was hit; from then on every step fails at once.
  bool TooDeep = false;

  int PicChar(int P) const {
    return P >= 1 && P <= FPictureLength ? static_cast<int>(FPicture[static_cast<size_t>(P - 1)])
                                         : NoChar;
  }

  TPicResult MatchChoices(int Stop) {
    if (TooDeep || FDepth >= Validate::TCustomPictureValidator::MaxNesting) {
      TooDeep = true;
      return prError;
    }
    ++FDepth;
    const TPicResult Result = TryChoices(Stop);
    --FDepth;
    return Result;
  }

private:
  void TakeChar(char32_t Ch) {
    char32_t& Stored = FText[static_cast<size_t>(TextPos - 1)];
    if (Stored != Ch)
      FOverwritten.push_back({TextPos, Stored});
    Stored = Ch;
    ++TextPos;
    ++PicPos;
  }
  void RestoreText(std::size_t Mark) {
    while (FOverwritten.size() > Mark) {
      const auto [Pos, Ch] = FOverwritten.back();
      FText[static_cast<size_t>(Pos - 1)] = Ch;
      FOverwritten.pop_back();
    }
  }

public:
  // Written as a loop rather than by recursion into the piece after a '*',
  // so that a long run of stars cannot exhaust the stack: Outer keeps the
  // bracket counters of the pieces whose repeated piece is being skipped.
  // A position can only grow, and the walk ends once it reaches Stop (an
  // escape may carry it one place beyond).
  int SkipPiece(int P, int Stop) const {
    std::vector<std::pair<int, int>> Outer;
    int Square = 0;
    int Curly = 0;
    for (;;) {
      if (P >= Stop)
        return P;
      switch (PicChar(P)) {
      case '[':
        ++Square;
        break;
      case ']':
        --Square;
        break;
      case '{':
        ++Curly;
        break;
      case '}':
        --Curly;
        break;
      case ';':
        ++P;
        break;
      case '*':
        ++P;
        while (IsDigit(PicChar(P)))
          ++P;
        // The repeated piece starts with fresh counters; counters of zero
        // need not be kept, as they would end the outer piece anyway.
        if (Square != 0 || Curly != 0)
          Outer.emplace_back(Square, Curly);
        Square = Curly = 0;
        continue;
      }
      ++P;
      while (Square == 0 && Curly == 0 && !Outer.empty()) {
        Square = Outer.back().first;
        Curly = Outer.back().second;
        Outer.pop_back();
      }
      if (Square == 0 && Curly == 0)
        return P;
    }
  }

private:
  int PieceEnd(int Stop) const { return SkipPiece(PicPos, Stop); }

  bool NextChoice(int Stop) {
    do
      PicPos = SkipPiece(PicPos, Stop);
    while (PicPos < Stop && PicChar(PicPos) != ',');
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
      const char32_t Ch = FText[static_cast<size_t>(TextPos - 1)];
      switch (PicChar(PicPos)) {
      case '#':
        if (!IsDigit(static_cast<int>(Ch)))
          return prError;
        TakeChar(Ch);
        break;
      case '?':
        if (!vcl::IsLetter(Ch))
          return prError;
        TakeChar(Ch);
        break;
      case '&':
        if (!vcl::IsLetter(Ch))
          return prError;
        TakeChar(vcl::AnsiUpCase(Ch));
        break;
      case '~':
        if (!vcl::IsLetter(Ch))
          return prError;
        TakeChar(vcl::AnsiLowCase(Ch));
        break;
      case '!':
        TakeChar(vcl::AnsiUpCase(Ch));
        break;
      case '@':
        TakeChar(Ch);
        break;
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
      case '[': {
        const std::size_t Mark = FOverwritten.size();
        Result = MatchGroup(Stop);
        if (IsIncomplete(Result))
          return Result;
        if (Result == prError) {
          // An optional group that is passed over leaves the text as it found
          // it: with #[#]:##[:##] {AM,PM} the blank of "9:30 AM" was taken for
          // the ':' of the seconds, and keeping that ':' would refuse the time.
          RestoreText(Mark);
          Result = prAmbiguous;
        }
        break;
      }
      default: {
        if (PicChar(PicPos) == ';')
          ++PicPos;
        const int Literal = PicChar(PicPos);
        if (Literal == NoChar)
          return prError;
        const auto Expected = static_cast<char32_t>(Literal);
        if (UpAscii(Expected) != UpAscii(Ch) && Ch != ' ')
          return prError;
        TakeChar(Expected);
        break;
      }
      }
      Result = Result == prAmbiguous ? prIncompNoFill : prIncomplete;
    }
    return Result == prIncompNoFill ? prAmbiguous : prComplete;
  }

  TPicResult RestOptional(TPicResult Result, int Stop) const {
    if (!IsIncomplete(Result))
      return Result;
    int P = PicPos;
    while (P < Stop) {
      if (PicChar(P) == '[') {
        P = SkipPiece(P, Stop);
      } else if (PicChar(P) == '*' && !IsDigit(PicChar(P + 1))) {
        P = SkipPiece(P + 1, Stop);
      } else if (PicChar(P) == '*') {
        ++P;
        while (IsDigit(PicChar(P)))
          ++P;
        if (PicChar(P) != '[')
          break;
        P = SkipPiece(P, Stop);
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
    const TPicResult Result = MatchChoices(GroupEnd - 1);
    if (!IsIncomplete(Result))
      PicPos = GroupEnd;
    return Result;
  }

  TPicResult MatchRepeat(int Stop) {
    ++PicPos;
    int Count = 0;
    while (IsDigit(PicChar(PicPos))) {
      const int Digit = PicChar(PicPos) - '0';
      Count = Count > (INT_MAX - Digit) / 10 ? INT_MAX : Count * 10 + Digit;
      ++PicPos;
    }
    if (PicPos > Stop)
      return prSyntax;
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

  const std::u32string& FPicture;
  const int FPictureLength = static_cast<int>(FPicture.size());
  std::u32string& FText;
  // The characters TakeChar replaced, in order, so that a failed optional
  // group can put them back.
  std::vector<std::pair<int, char32_t>> FOverwritten;
  int FDepth = 0;
};

} // namespace

int SkipPiece(const std::string& Picture, int P, int Stop) {
  const std::u32string Chars = vcl::Utf8Decode(Picture);
  std::u32string NoText;
  return TEvaluation(Chars, NoText).SkipPiece(P, Stop);
}

int SkipChoice(const std::string& Picture, int P, int Stop) {
  const std::u32string Chars = vcl::Utf8Decode(Picture);
  std::u32string NoText;
  const TEvaluation Walk(Chars, NoText);
  do
    P = Walk.SkipPiece(P, Stop);
  while (P < Stop && Walk.PicChar(P) != ',');
  return P;
}

TPicResult Eval(const std::string& PictureText, std::string& TextBytes, bool Fill) {
  if (PictureText.empty())
    return prComplete;
  if (TextBytes.empty())
    return prEmpty;
  const std::u32string Picture = vcl::Utf8Decode(PictureText);
  std::u32string Text = vcl::Utf8Decode(TextBytes);
  TEvaluation State(Picture, Text);
  const int Stop = static_cast<int>(Picture.size()) + 1;
  TPicResult Result = State.MatchChoices(Stop);
  if (Result != prError && Result != prSyntax && State.TextPos <= static_cast<int>(Text.size()))
    Result = prError;
  if (State.TooDeep) {
    TextBytes = vcl::Utf8Encode(Text);
    return prError;
  }
  if (Result == prIncomplete && Fill) {
    std::u32string Filled = Text;
    for (int P = State.PicPos; P < Stop && !StopsFilling(Picture[static_cast<size_t>(P - 1)]);
         ++P) {
      if (Picture[static_cast<size_t>(P - 1)] == ';' && ++P == Stop)
        break;
      Filled += Picture[static_cast<size_t>(P - 1)];
    }
    // The completion stands only when the picture takes the completed text.
    if (Filled.size() > Text.size()) {
      TEvaluation Again(Picture, Filled);
      const TPicResult Refilled = Again.MatchChoices(Stop);
      if (Refilled != prError && !Again.TooDeep) {
        Text = Filled;
        Result = Refilled;
      }
    }
  }
  TextBytes = vcl::Utf8Encode(Text);
  if (Result == prAmbiguous)
    return prComplete;
  if (Result == prIncompNoFill)
    return prIncomplete;
  return Result;
}

} // namespace PictureReference
