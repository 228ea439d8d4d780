// UTF-8 text: decoding with repair, the character-counting 1-based helpers,
// composition, user-perceived characters, character classes and case.
#include <gtest/gtest.h>

#include <string>

#include "vcl/sysutils.h"

using namespace vcl;

namespace {

TEST(Utf8Test, DecodesWellFormedAndRepairsIllFormedParts) {
  // Each maximal ill-formed part reads as one U+FFFD, as the Unicode
  // standard recommends; the byte that breaks a sequence starts the next.
  const struct {
    const char* Bytes;
    std::u32string Chars;
  } Cases[] = {
      {"aŁ東😀", U"aŁ東😀"},
      {"\xC3", U"\uFFFD"},
      {"\xC3(", U"\uFFFD("},
      {"\xE2\x82", U"\uFFFD"},
      {"\xE2\x82z", U"\uFFFDz"},
      {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},           // a surrogate
      {"\xC0\xAF", U"\uFFFD\uFFFD"},                     // an overlong '/'
      {"\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD"},           // another
      {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"}, // past U+10FFFF
      {"\xF0\x9F\x98x", U"\uFFFDx"},
      {"\x80\xBF", U"\uFFFD\uFFFD"},
      {"M\xFC"
       "ller",
       U"M\uFFFDller"}, // code page 1252 bytes
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Bytes);
    EXPECT_EQ(Utf8Decode(C.Bytes), C.Chars);
    EXPECT_EQ(Length(C.Bytes), static_cast<int>(C.Chars.size()));
    EXPECT_EQ(RepairUtf8(C.Bytes), Utf8Encode(C.Chars));
    EXPECT_EQ(IsValidUtf8(C.Bytes), C.Chars.find(ReplacementChar) == std::u32string::npos);
  }
}

TEST(Utf8Test, EncodesEveryCodePointAndRefusesSurrogates) {
  for (char32_t Ch :
       {U'\0', U'\x7F', U'\x80', U'\u07FF', U'\u0800', U'\uFFFF', U'\U00010000', U'\U0010FFFF'}) {
    const std::string Bytes = Utf8Encode(Ch);
    std::size_t Offset = 0;
    EXPECT_EQ(Utf8Decode(Bytes, Offset), Ch);
    EXPECT_EQ(Offset, Bytes.size());
  }
  EXPECT_EQ(Utf8Encode(char32_t(0xD800)), "\uFFFD");
  EXPECT_EQ(Utf8Encode(char32_t(0x110000)), "\uFFFD");
}

TEST(Utf8Test, HelpersCountCharacters) {
  const std::string S = "Łódź 東京😀";
  EXPECT_EQ(Length(S), 8);
  EXPECT_EQ(Copy(S, 2, 3), "ódź");
  EXPECT_EQ(Copy(S, 7, 10), "京😀");
  EXPECT_EQ(Copy(S, 0, 1), "Ł");
  EXPECT_EQ(Copy(S, 9, 1), "");
  EXPECT_EQ(Pos("東", S), 6);
  EXPECT_EQ(Pos(U'😀', S), 8);
  EXPECT_EQ(Pos(U'ź', S), 4);
  EXPECT_EQ(Pos(U'x', S), 0);
  std::string T = S;
  Delete(T, 2, 3);
  EXPECT_EQ(T, "Ł 東京😀");
  Insert("ó", T, 2);
  EXPECT_EQ(T, "Łó 東京😀");
  Insert("!", T, 100);
  EXPECT_EQ(T, "Łó 東京😀!");
  EXPECT_EQ(StringOfChar(U'ж', 3), "жжж");
  EXPECT_EQ(CharOffset(S, 2), 2u);
  EXPECT_EQ(CharOffset(S, 100), S.size());
  EXPECT_EQ(CharCount(S, CharOffset(S, 7)), 6);
}

TEST(Utf8Test, PosNeverMatchesInsideACharacter) {
  // The ill-formed byte 0x81 also ends the well-formed "Á" (C3 81); only the
  // lone one counts as an occurrence.
  EXPECT_EQ(Pos("\x81", "Á\x81"), 2);
  EXPECT_EQ(Pos("\x81", "Á"), 0);
}

// The test reads whole words, the last overlapping the one before: a byte
// above 0x7F is found at every place of texts of every length up to 24.
TEST(Utf8Test, IsAsciiFindsANonAsciiByteAnywhere) {
  for (std::size_t Length = 0; Length <= 24; ++Length) {
    const std::string Ascii(Length, '~');
    EXPECT_TRUE(vcl::IsAscii(Ascii)) << Length;
    for (std::size_t At = 0; At < Length; ++At)
      for (const char Byte : {'\x80', '\xFF'}) {
        std::string Text = Ascii;
        Text[At] = Byte;
        EXPECT_FALSE(vcl::IsAscii(Text)) << Length << " " << At;
      }
  }
}

TEST(Utf8Test, Cp1252ConvertsBothWays) {
  EXPECT_EQ(Cp1252ToUtf8("M\xFCller \x80\x93\x9F"), "Müller €“Ÿ");
  std::string Out;
  EXPECT_TRUE(Utf8ToCp1252("Müller €“Ÿ", Out));
  EXPECT_EQ(Out, "M\xFCller \x80\x93\x9F");
  EXPECT_FALSE(Utf8ToCp1252("Łódź", Out));
}

TEST(UnicodeTest, NormalisesToComposedForm) {
  const struct {
    const char *Text, *Nfc;
  } Cases[] = {
      {"e\u0301", "é"},
      {"Mu\u0308ller", "Müller"},
      {"\u1100\u1161\u11A8", "각"}, // Hangul jamo
      {"Łódź", "Łódź"},
      {"plain", "plain"},
      {"\u212B", "Å"}, // the angstrom sign is canonically the letter
      {"a\xFF", "a\uFFFD"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(NormalizeNFC(C.Text), C.Nfc) << C.Text;
}

TEST(UnicodeTest, UserPerceivedCharacterBoundaries) {
  const struct {
    const char* Text;
    std::vector<int> Boundaries; // every boundary from 0 to Length
  } Cases[] = {
      {"abc", {0, 1, 2, 3}},         {"e\u0301x", {0, 2, 3}},
      {"👍🏽!", {0, 2, 3}},      // skin-tone modifier
      {"🇵🇱🇨🇿", {0, 2, 4}},           // two flags
      {"👩‍💻", {0, 3}},       // a ZWJ sequence
      {"각\u1100\u1161", {0, 1, 3}}, // a syllable, then jamo
      {"a\r\nb", {0, 1, 3, 4}},      {"", {0}},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Text);
    const int Len = Length(C.Text);
    std::vector<int> Found;
    for (int P = 0; P <= Len; ++P)
      if (IsGraphemeBoundary(C.Text, P))
        Found.push_back(P);
    EXPECT_EQ(Found, C.Boundaries);
    std::vector<int> Forward = {0};
    for (int P = 0; P < Len; P = NextGraphemeBoundary(C.Text, P))
      Forward.push_back(NextGraphemeBoundary(C.Text, P));
    EXPECT_EQ(Forward, C.Boundaries);
    std::vector<int> Backward = {Len};
    for (int P = Len; P > 0; P = PriorGraphemeBoundary(C.Text, P))
      Backward.insert(Backward.begin(), PriorGraphemeBoundary(C.Text, P));
    EXPECT_EQ(Backward, C.Boundaries);
  }
  EXPECT_FALSE(IsGraphemeBoundary("ab", 3));
  EXPECT_EQ(NextGraphemeBoundary("ab", 7), 2);
  EXPECT_EQ(PriorGraphemeBoundary("ab", -1), 0);
}

TEST(UnicodeTest, CutToLengthKeepsWholeCharacters) {
  const struct {
    const char* Text;
    int Count;
    const char* Cut;
  } Cases[] = {
      {"Łódź", 3, "Łód"},   {"ae\u0301", 2, "a"},  {"ae\u0301", 3, "ae\u0301"},
      {"👍🏽x", 1, ""}, {"x👍🏽", 2, "x"}, {"東京", 1, "東"},
      {"abc", 0, ""},       {"abc", -1, ""},       {"abc", 10, "abc"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(CutToLength(C.Text, C.Count), C.Cut) << C.Text << " " << C.Count;
}

TEST(UnicodeTest, CharacterClasses) {
  const struct {
    char32_t Ch;
    bool Letter, Digit, Printable, Graphic;
  } Cases[] = {
      {U'A', true, false, true, true},         {U'Ł', true, false, true, true},
      {U'ж', true, false, true, true},         {U'λ', true, false, true, true},
      {U'ק', true, false, true, true},         {U'ع', true, false, true, true},
      {U'中', true, false, true, true},        {U'ㅎ', true, false, true, true},
      {U'1', false, true, true, true},         {U'٣', false, true, true, true},
      {U'!', false, false, true, true},        {U'€', false, false, true, true},
      {U' ', false, false, true, false},       {U'\u202F', false, false, true, false},
      {U'\t', false, false, false, false},     {U'\u0085', false, false, false, false},
      {U'\u200D', false, false, false, false}, {U'\u0301', false, false, true, true},
      {U'😀', false, false, true, true},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(static_cast<unsigned>(C.Ch));
    EXPECT_EQ(IsLetter(C.Ch), C.Letter);
    EXPECT_EQ(IsDigit(C.Ch), C.Digit);
    EXPECT_EQ(IsPrintable(C.Ch), C.Printable);
    EXPECT_EQ(IsGraphic(C.Ch), C.Graphic);
  }
}

TEST(UnicodeTest, SimpleCaseMapping) {
  const struct {
    char32_t Ch, Upper, Lower;
  } Cases[] = {
      {U'a', U'A', U'a'}, {U'ä', U'Ä', U'ä'}, {U'Ж', U'Ж', U'ж'},
      {U'ς', U'Σ', U'ς'}, {U'ß', U'ß', U'ß'}, {U'ı', U'I', U'ı'},
      {U'İ', U'İ', U'i'}, {U'1', U'1', U'1'}, {U'ǅ', U'Ǆ', U'ǆ'},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(AnsiUpCase(C.Ch), C.Upper) << static_cast<unsigned>(C.Ch);
    EXPECT_EQ(AnsiLowCase(C.Ch), C.Lower) << static_cast<unsigned>(C.Ch);
  }
  EXPECT_EQ(FoldCase("ΣΊΣΥΦΟΣ Straße"), "σίσυφοσ straße");
}

} // namespace
