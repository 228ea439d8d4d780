// The edit-mask rules on their own: parsing, formatting values into masks,
// reading the value back, completeness, and placing typed or pasted text.
#include <gtest/gtest.h>

#include "vcl/maskutils.h"
#include "vcl/sysutils.h"

using namespace vcl;

namespace {

const char* const Phone = "!\\(999\\)000-0000;1;_";
const char* const PhoneBare = "!\\(999\\)000-0000;0;_";
const char* const Date = "!99/99/00;1;_";
const char* const Zip = "00000-9999;0;_";

TEST(MaskFormatTest, SectionsGiveSavingAndTheBlankCharacter) {
  struct Case {
    const char* Mask;
    bool Save;
    char Blank;
    const char* BlankText;
  } Cases[] = {
      {Phone, true, '_', "(___)___-____"}, {PhoneBare, false, '_', "(___)___-____"},
      {"000", true, '_', "___"},         // no sections: literals saved, '_'
      {"000;0", false, '_', "___"},      // two sections
      {"000;1;*", true, '*', "***"},     // any blank character
      {"000;x; ", true, ' ', "   "},     // anything but '0' saves
      {"0\\;0;0;#", false, '#', "#;#"},  // an escaped ';' is a literal
      {"_0:0/0", true, '_', " _:_/_"},   // '_' is a space, ':' and '/' the separators
      {">L<l<>c", true, '_', "___"},     // case marks take no position
      {"\\0\\9\\\\", true, '_', "09\\"}, // escaped mask characters
  };
  for (const Case& C : Cases) {
    const TEditMaskFormat F(C.Mask);
    EXPECT_EQ(F.SaveLiterals(), C.Save) << C.Mask;
    EXPECT_EQ(F.Blank(), C.Blank) << C.Mask;
    EXPECT_EQ(F.BlankText(), C.BlankText) << C.Mask;
  }
  EXPECT_FALSE(TEditMaskFormat("").IsMasked());
  EXPECT_FALSE(TEditMaskFormat("!;1;_").IsMasked()); // no position at all
}

TEST(MaskFormatTest, SeparatorsComeFromTheLocaleWhenTheMaskIsRead) {
  const char Saved = DateSeparator;
  DateSeparator = '.';
  EXPECT_EQ(TEditMaskFormat("99/99").BlankText(), "__.__");
  DateSeparator = Saved;
}

TEST(MaskFormatTest, EachPositionTakesItsClassOfCharacterInItsCase) {
  const TEditMaskFormat F("09#LlAaCc>l<L<>l");
  struct Case {
    int Pos;
    char32_t In;
    char32_t Out; // 0: refused
  } Cases[] = {
      {0, '5', '5'},     {0, 'a', 0},     {0, '-', 0},       {1, '7', '7'},   {2, '-', '-'},
      {2, '+', '+'},     {2, 'x', 0},     {3, 'q', 'q'},     {3, U'é', U'é'}, // é is a letter
      {3, '1', 0},       {4, 'Z', 'Z'},   {5, '3', '3'},     {5, 'b', 'b'},   {5, '!', 0},
      {7, '!', '!'},     {7, ' ', ' '},   {8, '\t', 0},      {9, 'a', 'A'},   {10, 'B', 'b'},
      {11, 'c', 'c'},    {11, 'C', 'C'},  {3, U'ж', U'ж'},   {9, U'ä', U'Ä'}, {10, U'Ж', U'ж'},
      {6, U'東', U'東'}, {6, U'0', U'0'}, {7, U'\u0085', 0}, // C1 controls are no characters
  };
  for (const Case& C : Cases)
    EXPECT_EQ(F.Accept(C.Pos, C.In), C.Out)
        << "position " << C.Pos << " char " << static_cast<unsigned>(C.In);
}

TEST(MaskFormatTest, TextAndEditTextConvertBothWays) {
  struct Case {
    const char* Mask;
    const char* Text;     // set as Text
    const char* EditText; // what the window shows
    const char* Back;     // Text read back
  } Cases[] = {
      {Phone, "(415)555-1212", "(415)555-1212", "(415)555-1212"},
      {Phone, "4155551212", "(415)555-1212", "(415)555-1212"}, // literals may be left out
      {Phone, "(   )555-1212", "(___)555-1212", "(   )555-1212"},
      {PhoneBare, "4155551212", "(415)555-1212", "4155551212"},
      {PhoneBare, "5551212", "(___)555-1212", "5551212"}, // '!': right-aligned
      {Zip, "12345", "12345-____", "12345"},              // no '!': left-aligned
      {Zip, "123456789", "12345-6789", "123456789"},
      {Date, "01/05/24", "01/05/24", "01/05/24"},
      {Date, "1/5/24", "1_/5_/24", "1 /5 /24"}, // short parts wait for their literal
      {Phone, "", "(___)___-____", ""},         // nothing entered reads empty
      {Zip, "", "_____-____", ""},
      {">LL-00", "ab-12", "AB-12", "AB-12"},
      {"LLLLLL;1; ", "Ada", "Ada   ", "Ada"}, // trailing blanks are padding
      {"00-00", "12", "12-__", "12-"},
      {Phone, "(4x5)555-1212", "(4_5)555-1212", "(4 5)555-1212"}, // refused characters leave blanks
      {"99 -0000;1;_", "5  -1234", "5_ -1234", "5  -1234"},       // a blank before a literal blank
      {"99 -0000;1;_", "5 -1234", "5_ -1234", "5  -1234"},
      // Literals, blanks and letters of any script, one position each.
      {"№ 000 \\€;1;·", "№ 12 €", "№ 12· €", "№ 12  €"},
      {"№ 000 \\€;0;·", "123", "№ 123 €", "123"},
      {">LLL", "łóż", "ŁÓŻ", "ŁÓŻ"},
  };
  for (const Case& C : Cases) {
    const TEditMaskFormat F(C.Mask);
    const std::string Edit = F.EditTextFromText(C.Text);
    EXPECT_EQ(Edit, C.EditText) << C.Mask << " / " << C.Text;
    EXPECT_EQ(F.TextOf(Edit), C.Back) << C.Mask << " / " << C.Text;
    // What was read back sets the same edit text again.
    EXPECT_EQ(F.EditTextFromText(F.TextOf(Edit)), Edit) << C.Mask << " / " << C.Text;
  }
}

TEST(MaskFormatTest, FormatMaskTextShowsTheValueWithItsLiterals) {
  EXPECT_EQ(FormatMaskText(PhoneBare, "4155551212"), "(415)555-1212");
  EXPECT_EQ(FormatMaskText(PhoneBare, "5551212"), "(   )555-1212");
  EXPECT_EQ(FormatMaskText("", "as is"), "as is");
}

TEST(MaskFormatTest, FirstInvalidFindsMissingRequiredAndWrongCharacters) {
  struct Case {
    const char* Mask;
    const char* EditText;
    int Wrong;
  } Cases[] = {
      {Phone, "(415)555-1212", -1},
      {Phone, "(___)555-1212", -1}, // optional area code
      {Phone, "(415)5_5-1212", 6},
      {Phone, "(415)555-121_", 12},
      {Zip, "12345-____", -1},
      {Zip, "1234_-____", 4},
      {"LL", "a1", 1},
      {">LL", "ab", 0},       // lower case where upper belongs
      {Phone, "(415)555", 9}, // a short text misses its end
  };
  for (const Case& C : Cases)
    EXPECT_EQ(TEditMaskFormat(C.Mask).FirstInvalid(C.EditText), C.Wrong)
        << C.Mask << " / " << C.EditText;
}

TEST(MaskFormatTest, PlaceWritesOverPositionsAndSkipsLiterals) {
  struct Case {
    const char* Mask;
    const char* Before;
    int Pos;
    const char* Chars;
    bool Paste;
    const char* After; // nullptr: refused
    int PosAfter;
  } Cases[] = {
      {Phone, "(___)___-____", 0, "4", false, "(4__)___-____", 2},
      {Phone, "(415)___-____", 4, "5", false, "(415)5__-____", 6}, // over the ')'
      {Phone, "(415)___-____", 4, ")", false, "(415)___-____", 5}, // the literal itself
      {Phone, "(415)___-____", 5, "x", false, nullptr, 5},
      {Phone, "(415)555-1212", 13, "3", false, nullptr, 13}, // no room left
      {Phone, "(415)555-1212", 1, " ", false, "(_15)555-1212", 2},
      {Phone, "(___)___-____", 0, "415-555-1212", true, "(415)555-1212", 13},
      {Phone, "(___)___-____", 0, "(415) 555-1212", true, "(415)555-1212", 13},
      {Phone, "(___)___-____", 0, "(415) 555-1212", false, nullptr, 0}, // typed, the space blanks
      {Phone, "(___)___-____", 0, "(___)555-1212", true, "(___)555-1212", 13}, // blanks as copied
      {Phone, "(___)___-____", 0, "4155551212  ", true, "(415)555-1212", 13},
      {Phone, "(___)___-____", 0, "41555512123", true, nullptr, 0},
      {Phone, "(___)___-____", 0, "415abc", true, nullptr, 0},
      {Date, "__/__/__", 0, "12/31/99", true, "12/31/99", 8},
      {Zip, "_____-____", 3, "45678", true, "___45-678_", 9},
  };
  for (const Case& C : Cases) {
    const TEditMaskFormat F(C.Mask);
    std::string S = C.Before;
    int Pos = C.Pos;
    const bool Placed = F.Place(S, Pos, C.Chars, C.Paste);
    EXPECT_EQ(Placed, C.After != nullptr) << C.Mask << " / " << C.Chars;
    EXPECT_EQ(S, C.After ? C.After : C.Before) << C.Mask << " / " << C.Chars;
    EXPECT_EQ(Pos, C.PosAfter) << C.Mask << " / " << C.Chars;
  }
}

} // namespace
