// The locale's collation and letter case of code page 1252 texts.
#include <gtest/gtest.h>

#include <string>

#include "vcl/sysutils.h"

using namespace vcl;

namespace {

int Sign(int V) {
  return (V > 0) - (V < 0);
}

} // namespace

TEST(Collation, CompareTextOrdersAsADictionaryIgnoringCase) {
  struct Case {
    std::string A, B;
    int Text; // AnsiCompareText
    int Str;  // AnsiCompareStr
  };
  const Case Cases[] = {
      {"apple", "APPLE", 0, -1},
      {"apple", "Banana", -1, -1},
      {"Zebra", "apple", 1, 1},
      {"\xE4pfel", "\xC4PFEL", 0, -1}, // accented letters fold case too
      {"\xC4pfel", "Apfel", 1, 1},     // but differ from the plain letter
      {"\xC4pfel", "Banane", -1, -1},  // and sort beside it
      {"co-op", "coop", -1, -1},       // punctuation counts, before letters
      {"a\x01", "a", 1, 1},            // the collator ignores controls; equality does not
      {"", "a", -1, -1},
      {"same", "same", 0, 0},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(Sign(AnsiCompareText(C.A, C.B)), C.Text) << C.A << " / " << C.B;
    EXPECT_EQ(Sign(AnsiCompareText(C.B, C.A)), -C.Text) << C.B << " / " << C.A;
    EXPECT_EQ(Sign(AnsiCompareStr(C.A, C.B)), C.Str) << C.A << " / " << C.B;
    EXPECT_EQ(Sign(AnsiCompareStr(C.B, C.A)), -C.Str) << C.B << " / " << C.A;
  }
}

TEST(Collation, CaseMappingCoversTheCodePagesLetters) {
  EXPECT_EQ(AnsiUpperCase("abc \xE4\xE9\xFF\x9A\x9C 1!"), "ABC \xC4\xC9\x9F\x8A\x8C 1!");
  EXPECT_EQ(AnsiLowerCase("ABC \xC4\xC9\x9F\x8A\x8C 1!"), "abc \xE4\xE9\xFF\x9A\x9C 1!");
  // Letters whose other case lies outside the code page stay as they are.
  EXPECT_EQ(AnsiUpperCase("\xB5\xDF"), "\xB5\xDF");
  EXPECT_EQ(AnsiLowerCase("\x80\x99"), "\x80\x99");
}
