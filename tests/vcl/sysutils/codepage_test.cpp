// Code page 1252 and Unicode: every byte has a code point and comes back
// from it; code points the code page lacks have no byte.
#include <gtest/gtest.h>

#include "vcl/sysutils.h"

namespace {

TEST(CodePageTest, EveryByteRoundTrips) {
  for (int Code = 0; Code < 256; ++Code)
    EXPECT_EQ(vcl::UnicodeToCp1252(vcl::Cp1252ToUnicode(static_cast<char>(Code))), Code) << Code;
}

TEST(CodePageTest, TheRangeThatDiffersFromLatin1) {
  const struct {
    int Byte;
    char32_t Code;
  } Cases[] = {{0x41, U'A'},      {0x80, U'\u20AC'}, {0x8A, U'\u0160'},
               {0x81, U'\u0081'}, {0x93, U'\u201C'}, {0x9F, U'\u0178'},
               {0xA0, U'\u00A0'}, {0xE9, U'\u00E9'}, {0xFF, U'\u00FF'}};
  for (const auto& C : Cases) {
    EXPECT_EQ(vcl::Cp1252ToUnicode(static_cast<char>(C.Byte)), C.Code) << C.Byte;
    EXPECT_EQ(vcl::UnicodeToCp1252(C.Code), C.Byte) << C.Byte;
  }
  for (char32_t Missing : {U'\u0080', U'\u0093', U'\u0100', U'\u4E2D', U'\U0001F600'})
    EXPECT_EQ(vcl::UnicodeToCp1252(Missing), -1) << static_cast<unsigned>(Missing);
}

} // namespace
