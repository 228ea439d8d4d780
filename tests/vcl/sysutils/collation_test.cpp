// The locale's collation and letter case.
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
      {"apple", "APPLE", 0, -1},   {"apple", "Banana", -1, -1},
      {"Zebra", "apple", 1, 1},    {"äpfel", "ÄPFEL", 0, -1}, // accented letters fold case too
      {"Äpfel", "Apfel", 1, 1},                               // but differ from the plain letter
      {"Äpfel", "Banane", -1, -1},                            // and sort beside it
      {"ΣΟΦΊΑ", "σοφία", 0, 1},                               // every script folds
      {"Αθήνα", "Αθ", 1, 1},                                  // a prefix sorts first
      {"ŁÓDŹ", "łódź", 0, 1},      {"co-op", "coop", -1, -1}, // punctuation counts, before letters
      {"a\x01", "a", 1, 1}, // the collator ignores controls; equality does not
      {"", "a", -1, -1},           {"same", "same", 0, 0},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(Sign(AnsiCompareText(C.A, C.B)), C.Text) << C.A << " / " << C.B;
    EXPECT_EQ(Sign(AnsiCompareText(C.B, C.A)), -C.Text) << C.B << " / " << C.A;
    EXPECT_EQ(Sign(AnsiCompareStr(C.A, C.B)), C.Str) << C.A << " / " << C.B;
    EXPECT_EQ(Sign(AnsiCompareStr(C.B, C.A)), -C.Str) << C.B << " / " << C.A;
  }
}

TEST(Collation, CaseMappingCoversEveryLetterWithASimpleMapping) {
  EXPECT_EQ(AnsiUpperCase("abc äéÿšœ 1!"), "ABC ÄÉŸŠŒ 1!");
  EXPECT_EQ(AnsiLowerCase("ABC ÄÉŸŠŒ 1!"), "abc äéÿšœ 1!");
  EXPECT_EQ(AnsiUpperCase("łódź жук λόγος ğ"), "ŁÓDŹ ЖУК ΛΌΓΟΣ Ğ");
  // One character to one: the sharp s has no single capital and stays; the
  // micro sign's capital is the Greek mu. Signs and ideographs stay.
  EXPECT_EQ(AnsiUpperCase("µß"), "Μß");
  EXPECT_EQ(AnsiLowerCase("€™中"), "€™中");
}

TEST(Collation, SameTextFoldsEveryScript) {
  const struct {
    const char *A, *B;
    bool Same;
  } Cases[] = {
      {"Müller", "MÜLLER", true}, {"ΟΔΟΣ", "οδος", true},     {"οδός", "ΟΔΟΣ", false},
      {"Москва", "МОСКВА", true}, {"Ğüç", "ğÜÇ", true},       {"strasse", "straße", false},
      {"東京", "東京", true},     {"Apple", "Apples", false}, {"", "", true},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(AnsiSameText(C.A, C.B), C.Same) << C.A << " / " << C.B;
    EXPECT_EQ(AnsiCompareText(C.A, C.B) == 0, C.Same) << C.A << " / " << C.B;
  }
}
