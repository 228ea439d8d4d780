// An enumeration declared with VCL_ENUM carries the names of its values
// beside it, from the one list that declares the values, and DeclareEnum
// publishes them in value order.
#include <gtest/gtest.h>

#include "vcl/typinfo.h"

namespace {

VCL_ENUM(TTide, std::uint8_t, tdLow, tdRising,
         tdHigh, // a comment and a line break inside the list
         tdFalling);

TEST(EnumNames, AreTheEnumeratorsInValueOrder) {
  static_assert(sizeof(TTide) == 1 && tdFalling == 3);
  vcl::DeclareEnum<TTide>("TTide");
  const vcl::TEnumInfo* Info = vcl::EnumInfoOf<TTide>();
  ASSERT_NE(Info, nullptr);
  EXPECT_EQ(Info->Name, "TTide");
  EXPECT_EQ(Info->Names, (std::vector<std::string>{"tdLow", "tdRising", "tdHigh", "tdFalling"}));
  EXPECT_EQ(Info->ValueOf("TDHIGH"), tdHigh);
}

} // namespace
