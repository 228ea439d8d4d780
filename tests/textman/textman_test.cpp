// Character-set string routines, case by case at the edges of their ranges.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "textman/textman.h"

using namespace TextMan;

TEST(TextMan, CharPosAndCharPosBack) {
  struct Case {
    const char* S;
    int Start;
    int Forward;  // CharPos('a', S, Start)
    int Backward; // CharPosBack('a', S, Start)
  };
  const Case Cases[] = {
      {"abca", 0, 0, 0},       {"abca", 1, 1, 1},       {"abca", 2, 4, 1}, {"abca", 4, 4, 4},
      {"abca", 5, 0, 0},       {"abca", -3, 0, 0},      {"bcd", 1, 0, 0},  {"bcd", 3, 0, 0},
      {"", 0, 0, 0},           {"", 1, 0, 0},           {"xxa", 3, 3, 3},  {"xxa", 2, 3, 0},
      {"abca", INT_MAX, 0, 0}, {"abca", INT_MIN, 0, 0},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(CharPos('a', C.S, C.Start), C.Forward) << C.S << " from " << C.Start;
    EXPECT_EQ(CharPosBack('a', C.S, C.Start), C.Backward) << C.S << " from " << C.Start;
  }
}

TEST(TextMan, CharOccurrence) {
  struct Case {
    const char* S;
    std::uint8_t N;
    int Expected;
  };
  const Case Cases[] = {{"a,b,c", 0, 0}, {"a,b,c", 1, 2}, {"a,b,c", 2, 4},
                        {"a,b,c", 3, 0}, {",,", 2, 2},    {"", 1, 0}};
  for (const auto& C : Cases)
    EXPECT_EQ(CharOccurrence(',', C.S, C.N), C.Expected) << C.S << " #" << int(C.N);
  EXPECT_EQ(CharOccurrence(',', std::string(300, ','), 255), 255);
}

TEST(TextMan, CharsInStrPosAndCharsNotInStrPos) {
  const TCharSet Digits("0123456789");
  struct Case {
    const char* S;
    int Start;
    int In;
    int NotIn;
  };
  const Case Cases[] = {
      {"ab12cd", 1, 3, 1}, {"ab12cd", 3, 3, 5}, {"ab12cd", 4, 4, 5}, {"ab12cd", 5, 0, 5},
      {"ab12cd", 7, 0, 0}, {"123", 1, 1, 0},    {"", 1, 0, 0},       {"ab12cd", 0, 0, 0},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(CharsInStrPos(Digits, C.S, C.Start), C.In) << C.S << " from " << C.Start;
    EXPECT_EQ(CharsNotInStrPos(Digits, C.S, C.Start), C.NotIn) << C.S << " from " << C.Start;
  }
}

TEST(TextMan, CharsNotInStrKeepsOrderAndRepetitions) {
  EXPECT_EQ(CharsNotInStr("10200", "123456789"), "3456789");
  EXPECT_EQ(CharsNotInStr("abc", "xaxbyc"), "xxy");
  EXPECT_EQ(CharsNotInStr("", "aa"), "aa");
  EXPECT_EQ(CharsNotInStr("abc", ""), "");
  EXPECT_EQ(CharsNotInStr("Abc", "a"), "a"); // case matters
}

TEST(TextMan, FilterStrTakesEachCharacterOnce) {
  EXPECT_EQ(FilterStr("abcabc", TCharSet("ac")), "ac");
  EXPECT_EQ(FilterStr("cabbage", TCharSet("abc")), "cab");
  EXPECT_EQ(FilterStr("xyz", TCharSet("abc")), "");
  EXPECT_EQ(FilterStr("ÿ€ÿ中", TCharSet("ÿ€中")), "ÿ€中");
  // The caller's set is not touched.
  const TCharSet Set("a");
  FilterStr("a", Set);
  EXPECT_TRUE(Set.Contains('a'));
}

TEST(TextMan, CopyFromTo) {
  struct Case {
    int From, To;
    const char* Expected;
  };
  const Case Cases[] = {{2, 4, "bcd"}, {1, 6, "abcdef"}, {4, 3, ""},
                        {4, 2, ""},    {5, 99, "ef"},    {7, 9, ""},
                        {0, 2, "abc"}, {-1, 1, "abc"},   {INT_MIN, INT_MAX, "abcdef"},
                        {3, 3, "c"}};
  for (const auto& C : Cases)
    EXPECT_EQ(CopyFromTo("abcdef", C.From, C.To), C.Expected) << C.From << ".." << C.To;
}

TEST(TextMan, ReplaceFirstCharAndReplaceChars) {
  std::string S = "1 2 3";
  ReplaceFirstChar(' ', '.', S);
  EXPECT_EQ(S, "1.2 3");
  ReplaceFirstChar('x', '.', S);
  EXPECT_EQ(S, "1.2 3");
  ReplaceChars('.', ' ', S);
  ReplaceChars(' ', '-', S);
  EXPECT_EQ(S, "1-2-3");
  std::string Empty;
  ReplaceChars('a', 'b', Empty);
  ReplaceFirstChar('a', 'b', Empty);
  EXPECT_EQ(Empty, "");
}

TEST(TextMan, SkipToEndsOnePastTheEnd) {
  const std::string S = "a,b,c";
  int Pos = 0;
  SkipTo(S, Pos, ',');
  EXPECT_EQ(Pos, 2);
  SkipTo(S, Pos, ',');
  EXPECT_EQ(Pos, 4);
  SkipTo(S, Pos, ',');
  EXPECT_EQ(Pos, 6);
  SkipTo(S, Pos, ','); // already past the end: stays there
  EXPECT_EQ(Pos, 6);

  // A loop that skips until Pos passes the end stops.
  int Steps = 0;
  for (Pos = 0; Pos <= static_cast<int>(S.size()); SkipTo(S, Pos, ','))
    ++Steps;
  EXPECT_EQ(Steps, 3);

  Pos = INT_MAX;
  SkipTo(S, Pos, ',');
  EXPECT_EQ(Pos, 6);
  Pos = -4; // a start below 1 finds nothing
  SkipTo(S, Pos, ',');
  EXPECT_EQ(Pos, 6);
}

TEST(TextMan, AppendCharFillStrAndCharInStr) {
  std::string S = "ab";
  AppendChar('x', S, 0);
  EXPECT_EQ(S, "ab");
  AppendChar('x', S, 3);
  EXPECT_EQ(S, "abxxx");
  AppendChar('y', S, 65535);
  EXPECT_EQ(S.size(), 5u + 65535u);
  EXPECT_EQ(S.back(), 'y');
  EXPECT_EQ(FillStr('0', 0), "");
  EXPECT_EQ(FillStr('0', 4), "0000");
  EXPECT_EQ(FillStr('-', 65535), std::string(65535, '-'));
  EXPECT_TRUE(CharInStr('b', "abc"));
  EXPECT_FALSE(CharInStr('B', "abc"));
  EXPECT_FALSE(CharInStr('a', ""));
  EXPECT_TRUE(CharInStr('\0', std::string("a\0b", 3)));
}
