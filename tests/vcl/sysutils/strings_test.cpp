// The 1-based string helpers, case and comparison routines, integer texts.
#include "sysutils_fixture.h"

using namespace vcl;

namespace {

using StringsTest = SysUtilsTest;

TEST_F(StringsTest, CopyClampsIndexAndCount) {
  struct Case {
    int Index, Count;
    const char* Expected;
  } Cases[] = {
      {1, 3, "abc"}, {2, 2, "bc"}, {4, 10, "def"}, {0, 2, "ab"}, {-5, 3, "abc"},
      {6, 1, "f"},   {7, 1, ""},   {3, 0, ""},     {3, -1, ""},  {1, 1000, "abcdef"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(Copy("abcdef", C.Index, C.Count), C.Expected) << C.Index << "," << C.Count;
  EXPECT_EQ(Copy("", 1, 1), "");
}

TEST_F(StringsTest, PosFindsFirstOccurrenceFromOne) {
  EXPECT_EQ(Pos("b", "abcb"), 2);
  EXPECT_EQ(Pos("cb", "abcb"), 3);
  EXPECT_EQ(Pos("x", "abcb"), 0);
  EXPECT_EQ(Pos("", "abc"), 0);
  EXPECT_EQ(Pos("abcd", "abc"), 0);
  EXPECT_EQ(Pos('c', "abcb"), 3);
  EXPECT_EQ(Pos('z', "abcb"), 0);
}

TEST_F(StringsTest, DeleteIgnoresOutOfRangeAndStopsAtEnd) {
  struct Case {
    int Index, Count;
    const char* Expected;
  } Cases[] = {
      {1, 1, "bcdef"},  {2, 3, "aef"},    {5, 10, "abcd"},  {6, 1, "abcde"},
      {0, 2, "abcdef"}, {7, 1, "abcdef"}, {3, 0, "abcdef"}, {3, -2, "abcdef"},
  };
  for (const Case& C : Cases) {
    std::string S = "abcdef";
    Delete(S, C.Index, C.Count);
    EXPECT_EQ(S, C.Expected) << C.Index << "," << C.Count;
  }
}

TEST_F(StringsTest, InsertClampsPosition) {
  struct Case {
    int Index;
    const char* Expected;
  } Cases[] = {{1, "XYabc"}, {2, "aXYbc"}, {4, "abcXY"}, {9, "abcXY"}, {0, "XYabc"}, {-3, "XYabc"}};
  for (const Case& C : Cases) {
    std::string S = "abc";
    Insert("XY", S, C.Index);
    EXPECT_EQ(S, C.Expected) << C.Index;
  }
}

TEST_F(StringsTest, LengthAndStringOfChar) {
  EXPECT_EQ(Length(""), 0);
  EXPECT_EQ(Length("abc"), 3);
  EXPECT_EQ(StringOfChar('*', 3), "***");
  EXPECT_EQ(StringOfChar('*', 0), "");
  EXPECT_EQ(StringOfChar('*', -2), "");
}

TEST_F(StringsTest, CaseMappingTouchesAsciiOnly) {
  EXPECT_EQ(UpperCase("abc xyz 1é"), "ABC XYZ 1é");
  EXPECT_EQ(LowerCase("ABC XYZ 1É"), "abc xyz 1É");
  EXPECT_EQ(UpCase('q'), 'Q');
}

TEST_F(StringsTest, ComparisonsOrderAndFoldCase) {
  EXPECT_EQ(CompareStr("abc", "abc"), 0);
  EXPECT_LT(CompareStr("ABC", "abc"), 0);
  EXPECT_LT(CompareStr("ab", "abc"), 0);
  EXPECT_GT(CompareStr("b", "abc"), 0);
  // Characters beyond ASCII sort after it, in code point order.
  EXPECT_GT(CompareStr("é", "z"), 0);
  EXPECT_LT(CompareStr("é", "東"), 0);
  EXPECT_EQ(CompareText("Hello", "hELLO"), 0);
  EXPECT_LT(CompareText("apple", "Banana"), 0);
  EXPECT_GT(CompareText("abcd", "ABC"), 0);
  EXPECT_TRUE(SameText("MiXeD", "mixed"));
  EXPECT_FALSE(SameText("mixed", "mixer"));
}

TEST_F(StringsTest, TrimRemovesControlsAndBlanks) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\u00A0x\u00A0"), "\u00A0x\u00A0"); // a non-breaking space is not <= ' '
}

TEST_F(StringsTest, QuotedStrDoublesQuotes) {
  EXPECT_EQ(QuotedStr(""), "''");
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
}

TEST_F(StringsTest, AdjustLineBreaksReadsCrLfAndLoneBreaksAlike) {
  const struct {
    const char* Text;
    const char* Lf;
    const char* CrLf;
  } Cases[] = {
      {"a\rb", "a\nb", "a\r\nb"},     {"a\nb", "a\nb", "a\r\nb"},
      {"a\r\nb", "a\nb", "a\r\nb"},   {"a\n\rb", "a\n\nb", "a\r\n\r\nb"},
      {"\r\r\n", "\n\n", "\r\n\r\n"}, {"a\r", "a\n", "a\r\n"},
      {"plain", "plain", "plain"},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Text);
    EXPECT_EQ(AdjustLineBreaks(C.Text, tlbsLF), C.Lf);
    EXPECT_EQ(AdjustLineBreaks(C.Text), C.CrLf);
  }
}

TEST_F(StringsTest, IntToStrAndIntToHex) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(-2147483648LL), "-2147483648");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0x1234ABCD, 2), "1234ABCD");
  EXPECT_EQ(IntToHex(0, 0), "0");
  EXPECT_EQ(IntToHex(-1, 4), "FFFFFFFFFFFFFFFF");
}

TEST_F(StringsTest, StrToIntAcceptsClassicForms) {
  struct Case {
    const char* Text;
    int Expected;
  } Cases[] = {
      {"0", 0},
      {"42", 42},
      {"+5", 5},
      {"-17", -17},
      {"  12", 12},
      {" $1F", 31},
      {"$ff", 255},
      {"-$10", -16},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"$FFFFFFFF", -1},
      {"007", 7},
      // Leading zeros on either side of the longest run read in one pass.
      {"0000000000000000042", 42},
      {"-00000000000000000002147483648", -2147483647 - 1},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(StrToInt(C.Text), C.Expected) << C.Text;
}

TEST_F(StringsTest, StrToIntRejectsWithClassicMessage) {
  const char* Bad[] = {"", " ", "$", "-", "+", "12 ", "1 2", "abc", "1.5", "0x1F", "--1",
                       "2147483648", "-2147483649", "$100000000", "99999999999999999999999",
                       // The bytes just outside the digits, mid-run, and the
                       // largest values the one-pass read can hold.
                       "1/2", "1:2", "1\xff", "9999999999999999999", "0002147483648"};
  for (const char* Text : Bad) {
    EXPECT_CONVERT_ERROR(StrToInt(Text),
                         "'" + std::string(Text) + "' is not a valid integer value");
    int Value = 99;
    EXPECT_FALSE(TryStrToInt(Text, Value)) << Text;
  }
  EXPECT_EQ(StrToIntDef("x", -3), -3);
  EXPECT_EQ(StrToIntDef("8", -3), 8);
}

} // namespace
