// The picture validator: the evaluation table, the validator operations built
// on it, its messages, and robustness against malformed pictures and
// unusual texts.
#include "validate/picture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/validate/validator_testing.h"

using namespace Validate;
using ValidateTesting::TMessageRecorder;

namespace {

enum TFill { fillNo, fillYes, fillEither };

struct TEvalRow {
  const char* Picture;
  std::string Text;
  TFill Fill;
  TPicResult Result;
  std::string After;
};

const TEvalRow EvalRows[] = {
    {"", "anything", fillEither, prComplete, "anything"},
    {"(###) ###-####", "", fillEither, prEmpty, ""},
    {"(###) ###-####", "5", fillEither, prError, "5"},
    {"(###) ###-####", " 555", fillNo, prIncomplete, "(555"},
    {"(###) ###-####", "(555", fillYes, prIncomplete, "(555) "},
    {"(###) ###-####", "(555) 123-4567", fillEither, prComplete, "(555) 123-4567"},
    {"(###) ###-####", "(555) 123-45678", fillEither, prError, "(555) 123-45678"},
    {"&*?", "john", fillEither, prComplete, "John"},
    {"&*?", "jOHN1", fillEither, prError, "JOHN1"},
    {"~~", "AB", fillEither, prComplete, "ab"},
    {"!!", "1b", fillEither, prComplete, "1B"},
    {"*3#", "12", fillEither, prIncomplete, "12"},
    {"*3#", "1234", fillEither, prError, "1234"},
    {"*3[#]", "1", fillEither, prComplete, "1"},
    // A counted repetition of a longer piece can be typed one character at a time.
    {"*2{##}", "123", fillEither, prIncomplete, "123"},
    {"*2{##}", "1234", fillEither, prComplete, "1234"},
    {"*2{##}", "12345", fillEither, prError, "12345"},
    {"*2{##}", "12a", fillEither, prError, "12a"},
    {"*2{#-#}", "1", fillYes, prIncomplete, "1-"},
    {"*2{#-#}", "1-23", fillYes, prIncomplete, "1-23-"},
    {"#;*#", "1*2", fillEither, prComplete, "1*2"},
    {"#;*#", "1", fillYes, prIncomplete, "1*"},
    {"{##,#}", "1", fillEither, prComplete, "1"},
    {"{#,##}", "12", fillEither, prError, "12"},
    {"{##,###}-#", "123-4", fillEither, prError, "123-4"},
    {"*#-", "12", fillYes, prIncomplete, "12"},
    {"###-", "123", fillNo, prIncomplete, "123"},
    {"###-", "123", fillYes, prComplete, "123-"},
    {"#[#]/#[#]/####", "1", fillYes, prIncomplete, "1"},
    {"#[#]/#[#]/####", "12", fillYes, prIncomplete, "12/"},
    {"#[#]:## {AM,PM,am,pm}", "12:30", fillYes, prIncomplete, "12:30 "},
    {"#[#]:## {AM,PM,am,pm}", "12:30 a", fillYes, prComplete, "12:30 AM"},
    {"#[#]:## {AM,PM,am,pm}", "12:30 pm", fillNo, prComplete, "12:30 PM"},
    {"#[#]:## {AM,PM,am,pm}", "12:30 X", fillEither, prError, "12:30 X"},
    // Characters stored by an alternative that failed stay in the text.
    {"{AM,am}", "A", fillNo, prIncomplete, "a"},
    {"{AM,am}", "A", fillYes, prComplete, "AM"},
    // A character is a code point and a letter one of any script; '&', '~'
    // and '!' change the case of every letter with a simple mapping.
    {"&~?", "éÉà", fillEither, prComplete, "Ééà"},
    {"???", "Łжλ", fillEither, prComplete, "Łжλ"},
    {"??", "ж1", fillEither, prError, "ж1"},
    {"&&&", "äжß", fillEither, prComplete, "ÄЖß"}, // ß has no one-letter capital
    {"!!~", "ğ1Σ", fillEither, prComplete, "Ğ1σ"},
    {"#-??", "1-東京", fillEither, prComplete, "1-東京"},
    {"?"
     "?-#",
     "東京", fillYes, prIncomplete, "東京-"},
    {"N°;##", "n°#5", fillEither, prComplete, "N°#5"},
    // A typed blank stands for the literal expected there.
    {"#-#", "1 2", fillEither, prComplete, "1-2"},
    // Literals compare without regard to ASCII case and store the picture's character.
    {"ab#", "AB1", fillEither, prComplete, "ab1"},
    // Consecutive commas count as one separator.
    {"{a,,b}", "b", fillEither, prComplete, "b"},
    // What remains of an alternative after the text ends may be optional.
    {"#[#],X", "1", fillEither, prComplete, "1"},
    {"*[#]", "", fillEither, prEmpty, ""},
    {"**#", "123", fillEither, prComplete, "123"},
};

class PictureEvalTest : public ::testing::TestWithParam<TEvalRow> {
protected:
  void SetUp() override { vcl::ResetLocale(); }
  void TearDown() override { vcl::ResetLocale(); }
  TMessageRecorder Log;
};

TEST_P(PictureEvalTest, EvaluatesAndRewrites) {
  const TEvalRow& Row = GetParam();
  std::vector<bool> Fills;
  if (Row.Fill != fillYes)
    Fills.push_back(false);
  if (Row.Fill != fillNo)
    Fills.push_back(true);
  for (bool Fill : Fills) {
    TPictureValidator V(nullptr);
    V.SetPicture(Row.Picture);
    std::string Text = Row.Text;
    EXPECT_EQ(V.Eval(Text, Fill), Row.Result) << "fill " << Fill;
    EXPECT_EQ(Text, Row.After) << "fill " << Fill;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, PictureEvalTest, ::testing::ValuesIn(EvalRows));

class PictureValidatorTest : public ::testing::Test {
protected:
  void SetUp() override { vcl::ResetLocale(); }
  void TearDown() override { vcl::ResetLocale(); }
  TMessageRecorder Log;
  TPictureValidator V{nullptr};
};

TEST_F(PictureValidatorTest, StatusFollowsThePictureAndChangesAreAnnounced) {
  int Changes = 0;
  V.OnChange = [&](vcl::TObject* Sender) {
    EXPECT_EQ(Sender, &V);
    ++Changes;
  };
  EXPECT_EQ(V.Status(), vsNone);
  EXPECT_TRUE(V.AutoFill());
  V.SetPicture("###");
  EXPECT_EQ(V.Status(), vsOK);
  EXPECT_EQ(V.Picture(), "###");
  V.SetPicture("");
  EXPECT_EQ(V.Status(), vsNone);
  EXPECT_EQ(Changes, 2);
}

TEST_F(PictureValidatorTest, EmptyPictureAcceptsEverything) {
  std::string S = "any text at all";
  EXPECT_TRUE(V.IsValidInput(S, false));
  EXPECT_TRUE(V.IsValid(S));
  EXPECT_EQ(S, "any text at all");
}

TEST_F(PictureValidatorTest, FinishedTextIsNeverFilled) {
  V.SetPicture("###-");
  EXPECT_FALSE(V.IsValid("123"));
  EXPECT_TRUE(V.IsValid("123-"));
  EXPECT_TRUE(V.IsValid(""));
  EXPECT_FALSE(V.IsValid("12a"));
}

TEST_F(PictureValidatorTest, InputIsFilledOnlyWhenAskedAndAllowed) {
  V.SetPicture("###-");
  std::string S = "123";
  EXPECT_TRUE(V.IsValidInput(S, true));
  EXPECT_EQ(S, "123");
  EXPECT_TRUE(V.IsValidInput(S, false));
  EXPECT_EQ(S, "123-");

  V.SetAutoFill(false);
  S = "123";
  EXPECT_TRUE(V.IsValidInput(S, false));
  EXPECT_EQ(S, "123");
}

TEST_F(PictureValidatorTest, InputKeepsTheRewritesOfTheEvaluation) {
  V.SetPicture("&*?");
  std::string S = "john";
  EXPECT_TRUE(V.IsValidInput(S, true));
  EXPECT_EQ(S, "John");
  S = "jo1";
  EXPECT_FALSE(V.IsValidInput(S, true));
}

// A text judged right after another takes the earlier answer only when it
// is the same text: texts of every length up to twenty, one after another,
// that differ in a single place, each rewritten (and so told apart) by the
// picture, and texts that the evaluation leaves as they are.
TEST_F(PictureValidatorTest, TheLastAnswerServesOnlyTheSameText) {
  V.SetPicture("*!");
  for (std::size_t Length = 1; Length <= 20; ++Length) {
    const std::string Before(Length, 'a');
    for (std::size_t At = 0; At < Length; ++At) {
      std::string Changed = Before;
      Changed[At] = 'b';
      std::string First = Before;
      std::string Second = Changed;
      EXPECT_EQ(V.Eval(First, false), prComplete);
      EXPECT_EQ(V.Eval(Second, false), prComplete);
      EXPECT_EQ(First, std::string(Length, 'A'));
      std::string Want(Length, 'A');
      Want[At] = 'B';
      EXPECT_EQ(Second, Want) << Length << " " << At;
    }
  }
  V.SetPicture("*#");
  EXPECT_TRUE(V.IsValid("12345678"));
  EXPECT_FALSE(V.IsValid("1234567x"));
  std::string Same = "12345678";
  EXPECT_EQ(V.Eval(Same, false), prComplete);
  EXPECT_EQ(V.Eval(Same, false), prComplete);
  EXPECT_EQ(Same, "12345678");
}

TEST_F(PictureValidatorTest, IncompleteEmptyAndSyntaxAreAcceptableInput) {
  V.SetPicture("(###) ###-####");
  std::string S = "(55";
  EXPECT_TRUE(V.IsValidInput(S, true));
  S = "";
  EXPECT_TRUE(V.IsValidInput(S, true));
  // The count digits run to the end of the picture: no piece is left to repeat.
  V.SetPicture("{*55");
  S = "x";
  EXPECT_EQ(V.Eval(S, false), prSyntax);
  EXPECT_TRUE(V.IsValidInput(S, true));
}

TEST_F(PictureValidatorTest, MessagesQuoteTheTextAndNameThePicture) {
  V.SetPicture("#;%#");
  V.ShowErrorMessage(true, "x%s");
  EXPECT_EQ(Log.TakeError(), "\"x%s\" contains invalid input for the picture:\r#;%#");
  V.ShowErrorMessage(false, "1%");
  EXPECT_EQ(Log.TakeError(), "\"1%\" does not completely match the picture:\r#;%#");
}

// Robustness: every picture is evaluated as written, however malformed, and
// none may crash, hang or read outside the picture or the text.

std::string Nested(const std::string& Open, const std::string& Inner, const std::string& Close,
                   int Depth) {
  std::string S;
  for (int I = 0; I < Depth; ++I)
    S += Open;
  S += Inner;
  for (int I = 0; I < Depth; ++I)
    S += Close;
  return S;
}

TEST_F(PictureValidatorTest, MalformedPicturesAreEvaluatedSafely) {
  const std::vector<std::string> Pictures = {
      "[",
      "]",
      "{",
      "}",
      "[#",
      "#]",
      "{#",
      "#}",
      "{[}]",
      "[{]}",
      ";",
      "#;",
      "{;}",
      "[;]",
      "*",
      "#*",
      "**",
      "*[]",
      "{}",
      "[]",
      "*{}",
      "*5",
      "*0",
      "*99999999999#",
      "*2147483648[]",
      ",",
      ",,",
      "#,",
      ",#",
      "{,}",
      "[,]",
      "*,",
      "*;",
      "**;",
      "*[*{",
      "}{",
      "][",
      "*]]]",
  };
  const std::vector<std::string> Texts = {
      "", "1", "12", "a", ";", ",", "[", "]", "{", "}", "*", " ", "1a2b3c", std::string(300, '7'),
  };
  for (const std::string& Picture : Pictures) {
    V.SetPicture(Picture);
    for (const std::string& Original : Texts) {
      for (bool Fill : {false, true}) {
        std::string Text = Original;
        const TPicResult Result = V.Eval(Text, Fill);
        EXPECT_LE(Result, prSyntax) << Picture << " / " << Original;
        EXPECT_GE(Text.size(), Original.size()) << Picture << " / " << Original;
      }
    }
  }
}

TEST_F(PictureValidatorTest, MalformedPicturesGiveTheResultsTheyAreWrittenFor) {
  struct {
    const char* Picture;
    const char* Text;
    TPicResult Result;
  } Rows[] = {
      {"#;", "1", prIncomplete},              // the escape has nothing to escape
      {"#;", "1;", prError},                  // and matches nothing, not even itself
      {"*", "a", prError},                    // a repetition of nothing takes nothing
      {"*[]", "1", prError},                  //
      {"{}", "1", prError},                   //
      {"**#", "12a", prError},                //
      {"*0#", "1234", prComplete},            // a count of 0 means any number
      {"*99999999999#", "123", prIncomplete}, // a count too large to hold is the largest
      {"*2147483648[]#", "1", prComplete},
      {"{##", "12", prError},   // an unclosed group ends before the last character
      {"{##", "1", prComplete}, //
  };
  for (const auto& Row : Rows) {
    V.SetPicture(Row.Picture);
    std::string Text = Row.Text;
    EXPECT_EQ(V.Eval(Text, false), Row.Result) << Row.Picture << " / " << Row.Text;
  }
}

TEST_F(PictureValidatorTest, NoByteValueMatchesBeyondThePicture) {
  V.SetPicture("#;");
  for (int B = 0; B < 256; ++B) {
    std::string Text = "1";
    Text += static_cast<char>(B);
    EXPECT_EQ(V.Eval(Text, true), prError) << B;
  }
}

TEST_F(PictureValidatorTest, EveryCodePageCharacterIsALiteralOrAClassInPictureAndText) {
  const std::string Special = "#?&~!@;*{}[],";
  std::vector<std::string> AllChars;
  std::string AllBytes; // every character of the code page, in its UTF-8 form
  for (int B = 0; B < 256; ++B) {
    AllChars.push_back(vcl::Cp1252ToUtf8(std::string(1, static_cast<char>(B))));
    AllBytes += AllChars.back();
  }
  const auto Up = [](const std::string& S) { return vcl::UpperCase(S); };
  // Each character of the picture against each character of the text: a
  // literal takes its own character in either ASCII case, or a blank.
  for (const std::string& P : AllChars) {
    V.SetPicture(P + "#");
    for (const std::string& T : AllChars) {
      std::string Text = T + "5";
      const TPicResult Result = V.Eval(Text, true);
      if (P.size() == 1 && Special.find(P[0]) != std::string::npos) {
        EXPECT_NE(Result, prAmbiguous);
        continue;
      }
      const bool Matches = Up(P) == Up(T) || T == " ";
      EXPECT_EQ(Result, Matches ? prComplete : prError) << P << " " << T;
      if (Matches) {
        EXPECT_EQ(Text, P + "5");
      }
    }
  }
  // A NUL is an ordinary literal, in the picture and in the text.
  V.SetPicture(std::string("\0#", 2));
  std::string Text("\0"
                   "7",
                   2);
  EXPECT_EQ(V.Eval(Text, false), prComplete);
  // The whole byte range as one picture and as one text.
  V.SetPicture(AllBytes);
  std::string Everything = AllBytes;
  EXPECT_LE(V.Eval(Everything, true), prSyntax);
  V.SetPicture("*@");
  Everything = AllBytes;
  EXPECT_EQ(V.Eval(Everything, false), prComplete);
  EXPECT_EQ(Everything, AllBytes);
  V.SetPicture("*!");
  Everything = AllBytes;
  EXPECT_EQ(V.Eval(Everything, false), prComplete);
  EXPECT_EQ(Everything, vcl::AnsiUpperCase(AllBytes));
}

TEST_F(PictureValidatorTest, DeepNestingWorksUpToTheLimitAndFailsBeyond) {
  // The whole picture counts as the first level of nesting.
  const int Deepest = TPictureValidator::MaxNesting - 1;
  for (const auto& [Open, Close] : {std::pair{"{", "}"}, std::pair{"[", "]"}}) {
    V.SetPicture(Nested(Open, "#", Close, Deepest));
    std::string Text = "1";
    EXPECT_EQ(V.Eval(Text, false), prComplete) << Open;
    V.SetPicture(Nested(Open, "#", Close, Deepest + 1));
    Text = "1";
    EXPECT_EQ(V.Eval(Text, false), prError) << Open;
  }
  V.SetPicture(Nested("*", "#", "", Deepest));
  std::string Text = "123";
  EXPECT_EQ(V.Eval(Text, false), prComplete);
}

TEST_F(PictureValidatorTest, TenThousandNestedPiecesFailWithoutCrashing) {
  const int Depth = 10000;
  const struct {
    std::string Picture;
    TPicResult OneDigit;
  } Rows[] = {
      {Nested("{", "#", "}", Depth), prError},      {Nested("[", "#", "]", Depth), prError},
      {Nested("*", "#", "", Depth), prError},       {Nested("{", "#", "", Depth), prError},
      {Nested("[", "#", "", Depth), prError},       {Nested("*[", "#", "]", Depth), prError},
      {Nested("", "#", "}", Depth), prIncomplete},  // only closing brackets: literals
      {Nested("{#,", "#", "}", Depth), prComplete}, // the first alternative never goes deep
  };
  for (const auto& Row : Rows) {
    V.SetPicture(Row.Picture);
    std::string Text;
    EXPECT_EQ(V.Eval(Text, true), prEmpty);
    Text = "1";
    EXPECT_EQ(V.Eval(Text, true), Row.OneDigit) << Row.Picture.substr(0, 4);
    EXPECT_FALSE(V.IsValid(std::string(50, '1') + "x"));
  }
}

TEST_F(PictureValidatorTest, LongestTextsAreJudged) {
  const std::string Digits(65535, '4');
  V.SetPicture("*#");
  EXPECT_TRUE(V.IsValid(Digits));
  EXPECT_FALSE(V.IsValid(Digits + "x"));
  V.SetPicture("*[#]");
  EXPECT_TRUE(V.IsValid(Digits));
  V.SetPicture("&*?");
  std::string Letters(65535, 'q');
  EXPECT_TRUE(V.IsValidInput(Letters, false));
  EXPECT_EQ(Letters[0], 'Q');
  EXPECT_EQ(Letters.back(), 'q');
  V.SetPicture("(###) ###-####");
  EXPECT_FALSE(V.IsValid(Digits));
  std::string Input = Digits;
  EXPECT_FALSE(V.IsValidInput(Input, false));
}

} // namespace
