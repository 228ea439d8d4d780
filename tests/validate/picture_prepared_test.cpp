// The prepared picture and the engine built on it, held against the
// straightforward evaluator of picture_reference: the same answers for
// random pictures (well-formed ones, made with texts that match them or
// nearly do, and arbitrary strings of picture characters) and random texts,
// with and without filling; and the tables' answers against the plain walk
// for every position and stop position.
#include "validate/picture_prepared.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "tests/validate/picture_reference.h"
#include "validate/picture.h"

using namespace Validate;

namespace {

class TRandom {
public:
  explicit TRandom(unsigned Seed) : FEngine(Seed) {}
  int Below(int N) { return std::uniform_int_distribution<int>(0, N - 1)(FEngine); }
  bool OneIn(int N) { return Below(N) == 0; }
  char From(const std::string& Chars) {
    return Chars[static_cast<std::size_t>(Below(int(Chars.size())))];
  }

private:
  std::mt19937 FEngine;
};

// A well-formed picture and a text that matches it.
class TPictureMaker {
public:
  explicit TPictureMaker(TRandom& R) : FRandom(R) {}

  void Sequence(int Depth, std::string& Picture, std::string& Text) {
    const int Pieces = 1 + FRandom.Below(4);
    for (int I = 0; I < Pieces; ++I)
      Piece(Depth, Picture, Text);
  }

private:
  void Piece(int Depth, std::string& Picture, std::string& Text) {
    const int Kind = Depth > 3 ? FRandom.Below(3) : FRandom.Below(7);
    switch (Kind) {
    case 0: { // a character class
      const char Class = FRandom.From("#####??&~!@");
      Picture += Class;
      Text += Class == '#' ? FRandom.From("0123456789") : FRandom.From("abXYz\xE9");
      break;
    }
    case 1: { // a literal, escaped where it would be an instruction
      const char Literal = FRandom.From("-/:.aB ;*,{");
      if (std::string(";*,{").find(Literal) != std::string::npos)
        Picture += ';';
      Picture += Literal;
      Text += FRandom.OneIn(4) ? ' ' : Literal;
      break;
    }
    case 2: // a literal that a typed blank may stand for
      Picture += 'x';
      Text += FRandom.OneIn(2) ? "X" : "x";
      break;
    case 3:
    case 4: { // a group of alternatives, or an optional one
      const bool Optional = Kind == 4;
      Picture += Optional ? '[' : '{';
      const int Choices = 1 + FRandom.Below(3);
      const int Taken = FRandom.Below(Choices + (Optional ? 1 : 0));
      for (int C = 0; C < Choices; ++C) {
        if (C > 0)
          Picture += ',';
        std::string Ignored;
        Sequence(Depth + 1, Picture, C == Taken ? Text : Ignored);
      }
      Picture += Optional ? ']' : '}';
      break;
    }
    case 5: { // a counted repetition
      const int Count = 1 + FRandom.Below(3);
      Picture += '*' + std::to_string(Count);
      std::string Inner;
      std::string InnerText;
      Piece(Depth + 1, Inner, InnerText);
      Picture += Inner;
      for (int I = 0; I < Count; ++I)
        Text += InnerText;
      break;
    }
    default: { // any number of times
      Picture += '*';
      std::string Inner;
      std::string InnerText;
      Piece(Depth + 1, Inner, InnerText);
      Picture += Inner;
      for (int I = FRandom.Below(4); I > 0; --I)
        Text += InnerText;
      break;
    }
    }
  }

  TRandom& FRandom;
};

// The texts tried against a picture: the one that matches, its beginnings,
// and copies with one character changed or added.
std::vector<std::string> TextsAround(TRandom& R, const std::string& Matching) {
  std::vector<std::string> Texts = {Matching};
  const int Whole = int(Matching.size());
  for (int I = 0; I < std::min(Whole, 12); ++I)
    Texts.push_back(Matching.substr(0, std::size_t(Whole <= 12 ? I : R.Below(Whole))));
  for (int I = 0; I < 4; ++I) {
    std::string Changed = Matching;
    const char Ch = R.From("07aZ -/:x;,*\xE9");
    if (Changed.empty() || R.OneIn(3))
      Changed.insert(Changed.begin() + R.Below(int(Changed.size()) + 1), Ch);
    else
      Changed[static_cast<std::size_t>(R.Below(int(Changed.size())))] = Ch;
    Texts.push_back(Changed);
  }
  return Texts;
}

// Eval of V (holding Picture) against the reference, with and without
// filling: the same result and the same text afterwards.
void ExpectSameEval(TPictureValidator& V, const std::string& Original) {
  const std::string& Picture = V.Picture();
  for (bool Fill : {false, true}) {
    std::string Prepared = Original;
    std::string Reference = Original;
    const TPicResult Got = V.Eval(Prepared, Fill);
    const TPicResult Want = PictureReference::Eval(Picture, Reference, Fill);
    ASSERT_EQ(Got, Want) << "picture '" << Picture << "' text '" << Original << "' fill " << Fill;
    ASSERT_EQ(Prepared, Reference)
        << "picture '" << Picture << "' text '" << Original << "' fill " << Fill;
  }
}

TEST(PicturePreparedTest, WellFormedPicturesEvaluateAsTheStepsRead) {
  TRandom R(20260615);
  TPictureMaker Maker(R);
  TPictureValidator V(nullptr);
  for (int Case = 0; Case < 2500; ++Case) {
    std::string Picture;
    std::string Matching;
    Maker.Sequence(0, Picture, Matching);
    if (R.OneIn(4))
      Picture += ',' + Picture.substr(0, Picture.size() / 2);
    V.SetPicture(Picture);
    for (const std::string& Text : TextsAround(R, Matching))
      ExpectSameEval(V, Text);
  }
}

TEST(PicturePreparedTest, ArbitraryPicturesEvaluateAsTheStepsRead) {
  TRandom R(7);
  TPictureValidator V(nullptr);
  const std::string PictureChars = "#?&~!@;*{}[],,0123-aA ";
  const std::string TextChars = "0123aAzZ-,;*{} \xE9";
  for (int Case = 0; Case < 20000; ++Case) {
    std::string Picture;
    for (int I = 1 + R.Below(12); I > 0; --I)
      Picture += R.From(PictureChars);
    V.SetPicture(Picture);
    for (int Texts = 0; Texts < 3; ++Texts) {
      std::string Text;
      for (int I = R.Below(10); I > 0; --I)
        Text += R.From(TextChars);
      ExpectSameEval(V, Text);
    }
  }
}

// A repetition of one character class runs in a loop of its own: every
// class, counted or not, as a whole picture or inside others.
TEST(PicturePreparedTest, RepeatedCharacterClassesEvaluateAsTheStepsRead) {
  const std::string Texts[] = {"",      "1",      "12",    "123",    "1234",   "12a",
                               "abc",   "aBc1",   "\xE9Z", " ",      "12-34",  "1-",
                               "ab-cd", "12 34x", "-",     "999999", "x1-2-3", "AbC-"};
  for (const char Class : std::string("#?&~!@")) {
    const std::string C(1, Class);
    for (const std::string& Picture :
         {"*" + C, "*3" + C, "*0" + C, "*" + C + "-", "*2" + C + "-" + C, "{*" + C + ",x}",
          "[*2" + C + "]" + C, "*{*" + C + "-}", "**" + C, "*" + C + ",-", "#*" + C + "-#"}) {
      TPictureValidator V(nullptr);
      V.SetPicture(Picture);
      for (const std::string& Text : Texts)
        ExpectSameEval(V, Text);
    }
  }
}

// Texts of ASCII only are evaluated on their bytes, with the letter and case
// tests answered without ICU, and runs of digits counted a word at a time:
// every ASCII character under every class, alone and at each place of a run
// of digits, against the code-point walk.
TEST(PicturePreparedTest, AsciiTextsEvaluateAsTheStepsRead) {
  for (const char Class : std::string("#?&~!@")) {
    const std::string C(1, Class);
    for (const std::string& Picture : {C, "*" + C, "*#" + C, "*19#" + C, "*#;" + C}) {
      TPictureValidator V(nullptr);
      V.SetPicture(Picture);
      for (int Ch = 1; Ch < 128; ++Ch)
        for (const std::size_t Digits : {0, 1, 7, 8, 9, 16, 19, 23}) {
          const std::string Run = std::string(Digits, '7');
          ExpectSameEval(V, Run + static_cast<char>(Ch));
          ExpectSameEval(V, Run + static_cast<char>(Ch) + Run);
        }
    }
  }
}

// Runs of digits and literals that an ASCII text matches as it stands are
// passed eight at a time, the last eight of a run overlapping: runs around
// eight and sixteen pieces long, alone, in groups and after a repetition,
// against texts cut at every length and changed at every place (another
// digit, a letter, a literal in the other case, a blank, the literal at a
// digit's place).
TEST(PicturePreparedTest, RunsOfDigitsAndLiteralsEvaluateAsTheStepsRead) {
  const std::string Runs[] = {
      "(###) ###-####",      "##-##-##", "a#b#c#d#e", "#########-x#######", "1234567",
      "##/##/####-##:##:##", "########"};
  for (const std::string& Run : Runs) {
    // The text that matches: a digit for each '#', the literals as they are.
    std::string Matching = Run;
    for (char& Ch : Matching)
      if (Ch == '#')
        Ch = '5';
    for (const std::string& Picture :
         {Run, "{" + Run + "}", "[" + Run + "]#", "*#," + Run, "*2{" + Run + "}", "@" + Run}) {
      TPictureValidator V(nullptr);
      V.SetPicture(Picture);
      std::string Prefix = Picture.front() == '@' ? "z" : "";
      for (std::size_t Cut = 0; Cut <= Matching.size(); ++Cut)
        ExpectSameEval(V, Prefix + Matching.substr(0, Cut));
      for (std::size_t At = 0; At < Matching.size(); ++At)
        for (const char Ch : std::string("9xX ;A(-")) {
          std::string Changed = Matching;
          Changed[At] = Ch;
          ExpectSameEval(V, Prefix + Changed);
          ExpectSameEval(V, Prefix + Changed + Changed);
        }
    }
  }
}

// The tables answer what the plain walk answers for every position and
// every stop position, also those inside a piece and beyond the picture.
TEST(PicturePreparedTest, PieceAndChoiceEndsAreThoseOfThePlainWalk) {
  TRandom R(99);
  const std::string PictureChars = "#;*{}[],12a";
  for (int Case = 0; Case < 3000; ++Case) {
    std::string Picture;
    for (int I = 1 + R.Below(14); I > 0; --I)
      Picture += R.From(PictureChars);
    const TPreparedPicture Prepared(Picture);
    const int L = int(Picture.size());
    for (int P = 0; P <= L + 2; ++P) {
      for (int Stop = 1; Stop <= L + 3; ++Stop) {
        ASSERT_EQ(Prepared.SkipPiece(P, Stop), PictureReference::SkipPiece(Picture, P, Stop))
            << Picture << " " << P << " " << Stop;
        if (P >= 1 && P < Stop) {
          ASSERT_EQ(Prepared.SkipChoice(P, Stop), PictureReference::SkipChoice(Picture, P, Stop))
              << Picture << " " << P << " " << Stop;
        }
      }
    }
  }
}

// Deeply nested and unbalanced pictures are prepared in time in proportion
// to their length; the positions left open still get the walk's answers.
TEST(PicturePreparedTest, LongMalformedPicturesStillGiveTheWalksAnswers) {
  const std::string Pictures[] = {
      std::string(20000, '{') + "#" + std::string(20000, '}'),
      "#" + std::string(20000, '}'),
      std::string(10000, '[') + std::string(10000, '}'),
  };
  for (const std::string& Picture : Pictures) {
    const TPreparedPicture Prepared(Picture);
    const int L = int(Picture.size());
    for (int P = 1; P <= L; P += 997) {
      EXPECT_EQ(Prepared.SkipPiece(P, L + 1), PictureReference::SkipPiece(Picture, P, L + 1)) << P;
      EXPECT_EQ(Prepared.SkipChoice(P, L + 1), PictureReference::SkipChoice(Picture, P, L + 1))
          << P;
    }
  }
}

TEST(PicturePreparedTest, RepetitionCountsAndPieces) {
  const TPreparedPicture Prepared("*#*12{#}*99999999999#;*");
  EXPECT_EQ(Prepared.RepeatCount(1), 0);
  EXPECT_EQ(Prepared.RepeatedPiece(1), 2);
  EXPECT_EQ(Prepared.RepeatCount(3), 12);
  EXPECT_EQ(Prepared.RepeatedPiece(3), 6);
  EXPECT_EQ(Prepared.RepeatCount(9), INT_MAX);
  EXPECT_EQ(Prepared.RepeatedPiece(9), 21);
  EXPECT_EQ(Prepared.Char(0), TPreparedPicture::NoChar);
  EXPECT_EQ(Prepared.Char(24), TPreparedPicture::NoChar);
}

} // namespace
