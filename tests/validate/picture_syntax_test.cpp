// The picture syntax check: well-formed pictures pass, each kind of fault is
// found at its place, and the validator itself still takes any picture.
#include <gtest/gtest.h>

#include "validate/picture.h"
#include "validate/picture_syntax.h"

namespace {

using Validate::CheckPictureSyntax;

TEST(PictureSyntaxTest, WellFormedPicturesPass) {
  const char* const Pictures[] = {
      "(###) ###-####",
      "(###",
      "#)",
      "&*?",
      "*3[#]",
      "#;*#",
      "{##,###}-#",
      "#[#]/#[#]/####",
      "#[#]:## {AM,PM,am,pm}",
      ";[#;]",
      "*{#,?}",
      "**#",
      "*12{[#]}",
      "{[{#}]}",
      ";;",
      "*;,",
      ",",
      "#,",
  };
  for (const char* P : Pictures)
    EXPECT_FALSE(CheckPictureSyntax(P).has_value()) << P << ": " << CheckPictureSyntax(P)->Message;
}

TEST(PictureSyntaxTest, FaultsAreFoundAtTheirPlace) {
  const struct {
    const char* Picture;
    int Position;
    const char* Message;
  } Cases[] = {
      {"", 0, "the picture is empty"},
      {"[##", 1, "'[' at position 1 is never closed"},
      {"{#}{[#]", 4, "'{' at position 4 is never closed"},
      {"{[#", 2, "'[' at position 2 is never closed"},
      {"*{", 2, "'{' at position 2 is never closed"},
      {"{#;}", 1, "'{' at position 1 is never closed"},
      {"##]", 3, "']' at position 3 has no '[' before it"},
      {"#}{", 2, "'}' at position 2 has no '{' before it"},
      {"{[#}]", 4, "'}' at position 4 cannot close the '[' at position 2"},
      {"##;", 3, "';' at position 3 is at the end, with nothing to escape"},
      {"*", 1, "'*' at position 1 has no piece to repeat"},
      {"#*12", 2, "'*' at position 2 has no piece to repeat"},
      {"{#*}", 3, "'*' at position 3 has no piece to repeat"},
      {"[*3]", 2, "'*' at position 2 has no piece to repeat"},
      {"*,#", 1, "'*' at position 1 has no piece to repeat"},
      {"**", 2, "'*' at position 2 has no piece to repeat"},
      // Positions count characters, not bytes.
      {"N°東京]", 5, "']' at position 5 has no '[' before it"},
      {"é;", 2, "';' at position 2 is at the end, with nothing to escape"},
  };
  for (const auto& C : Cases) {
    const auto Error = CheckPictureSyntax(C.Picture);
    ASSERT_TRUE(Error.has_value()) << C.Picture;
    EXPECT_EQ(Error->Position, C.Position) << C.Picture;
    EXPECT_EQ(Error->Message, C.Message) << C.Picture;
  }
}

// Pictures built from locale texts escape every character the language
// reads as an instruction, so whatever the text, the result is well formed.
TEST(PictureSyntaxTest, LiteralsOfAnyCharacterAreWellFormed) {
  for (int Code = 1; Code < 256; ++Code) {
    const std::string Text(3, static_cast<char>(Code));
    EXPECT_FALSE(CheckPictureSyntax(Validate::PictureLiteral(Text)).has_value()) << Code;
    EXPECT_FALSE(CheckPictureSyntax("{#" + Validate::PictureLiteral(Text) + "}").has_value())
        << Code;
  }
}

// The check is advice for whoever chooses the picture; the validator goes on
// evaluating a malformed picture as written.
TEST(PictureSyntaxTest, TheValidatorStillTakesAMalformedPicture) {
  Validate::TPictureValidator V(nullptr);
  V.SetPicture("##;");
  EXPECT_EQ(V.Status(), Validate::vsOK);
  std::string Text = "12";
  EXPECT_EQ(V.Eval(Text, false), Validate::prIncomplete);
  V.SetPicture("[##");
  EXPECT_EQ(V.Status(), Validate::vsOK);
  // A picture marked vsSyntax would accept every text.
  EXPECT_FALSE(V.IsValid("abc"));
}

} // namespace
