// Variant: kinds, conversions, texts, equality.
#include "sysutils_fixture.h"

using namespace vcl;

namespace {

using VariantTest = SysUtilsTest;

TEST_F(VariantTest, KindsAndTests) {
  EXPECT_EQ(VarType(Variant()), varEmpty);
  EXPECT_EQ(VarType(Variant::Null()), varNull);
  EXPECT_EQ(VarType(Variant(1)), varInteger);
  EXPECT_EQ(VarType(Variant(1.5)), varDouble);
  EXPECT_EQ(VarType(Variant(Currency(2))), varCurrency);
  EXPECT_EQ(VarType(Variant::FromDate(3)), varDate);
  EXPECT_EQ(VarType(Variant(true)), varBoolean);
  EXPECT_EQ(VarType(Variant("x")), varString);
  EXPECT_EQ(VarType(Variant(std::string("x"))), varString);
  EXPECT_TRUE(VarIsEmpty(Variant()));
  EXPECT_FALSE(VarIsEmpty(Variant("")));
  EXPECT_TRUE(VarIsNull(Variant::Null()));
  EXPECT_FALSE(VarIsNull(Variant()));
}

TEST_F(VariantTest, VarToStrFormatsEveryKind) {
  struct Case {
    Variant V;
    const char* Expected;
  } Cases[] = {
      {Variant(), ""},
      {Variant::Null(), ""},
      {Variant(-12), "-12"},
      {Variant(1.5), "1.5"},
      {Variant(Currency::FromRaw(12345)), "1.2345"},
      {Variant::FromDate(EncodeDate(2026, 12, 25)), "12/25/26"},
      {Variant::FromDate(EncodeDate(2026, 12, 25) + 0.5), "12/25/26 12:00:00 PM"},
      {Variant(true), "True"},
      {Variant(false), "False"},
      {Variant("50%"), "50%"},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(VarToStr(C.V), C.Expected);
  EXPECT_THROW(Variant::Null().AsString(), EVariantError);
}

TEST_F(VariantTest, NumericConversions) {
  EXPECT_EQ(Variant(" 42 ").AsInteger(), 42);
  EXPECT_EQ(Variant("2.5").AsInteger(), 2); // halves to even
  EXPECT_EQ(Variant(3.5).AsInteger(), 4);
  EXPECT_EQ(Variant(true).AsInteger(), -1);
  EXPECT_EQ(Variant().AsInteger(), 0);
  EXPECT_EQ(Variant(Currency::FromRaw(15000)).AsInteger(), 2);
  EXPECT_DOUBLE_EQ(Variant("1.25").AsFloat(), 1.25);
  EXPECT_DOUBLE_EQ(Variant(7).AsFloat(), 7.0);
  EXPECT_EQ(Variant(1.23456).AsCurrency().Raw(), 12346);
  EXPECT_EQ(Variant("12.34").AsCurrency().Raw(), 123400);
  EXPECT_TRUE(Variant("TRUE").AsBoolean());
  EXPECT_FALSE(Variant("false").AsBoolean());
  EXPECT_TRUE(Variant(0.5).AsBoolean());
  EXPECT_FALSE(Variant(0).AsBoolean());
  DecimalSeparator = ',';
  EXPECT_DOUBLE_EQ(Variant("1,5").AsFloat(), 1.5);
  EXPECT_EQ(Variant(1.5).AsString(), "1,5");
}

TEST_F(VariantTest, DateConversions) {
  EXPECT_DOUBLE_EQ(Variant("12/25/2026").AsDateTime(), EncodeDate(2026, 12, 25));
  EXPECT_DOUBLE_EQ(Variant("12/25/2026 6:00 AM").AsDateTime(), EncodeDate(2026, 12, 25) + 0.25);
  EXPECT_DOUBLE_EQ(Variant("6:00 PM").AsDateTime(), 0.75);
  EXPECT_DOUBLE_EQ(Variant(100).AsDateTime(), 100.0);
  EXPECT_THROW(Variant("not a date").AsDateTime(), EConvertError);
}

TEST_F(VariantTest, ImpossibleConversionsRaise) {
  EXPECT_THROW(Variant("abc").AsInteger(), EConvertError);
  EXPECT_THROW(Variant("abc").AsFloat(), EConvertError);
  EXPECT_THROW(Variant("abc").AsBoolean(), EConvertError);
  EXPECT_THROW(Variant(1e12).AsInteger(), EVariantError);
  EXPECT_THROW(Variant(1e300).AsCurrency(), EConvertError);
  EXPECT_THROW(Variant::Null().AsInteger(), EVariantError);
  EXPECT_THROW(Variant::Null().AsFloat(), EVariantError);
  EXPECT_THROW(Variant::Null().AsCurrency(), EVariantError);
  EXPECT_THROW(Variant::Null().AsDateTime(), EVariantError);
  EXPECT_THROW(Variant::Null().AsBoolean(), EVariantError);
}

TEST_F(VariantTest, Equality) {
  EXPECT_TRUE(Variant(1) == Variant(1.0));
  EXPECT_TRUE(Variant(Currency(2)) == Variant(2));
  EXPECT_TRUE(Variant("abc") == Variant(std::string("abc")));
  EXPECT_FALSE(Variant("abc") == Variant("ABC"));
  EXPECT_TRUE(Variant("5") == Variant(5));
  EXPECT_FALSE(Variant("five") == Variant(5));
  EXPECT_TRUE(Variant::Null() == Variant::Null());
  EXPECT_FALSE(Variant::Null() == Variant());
  EXPECT_FALSE(Variant(0) == Variant::Null());
  EXPECT_TRUE(Variant() == Variant());
  EXPECT_TRUE(Variant() == Variant(""));
  EXPECT_TRUE(Variant() == Variant(0));
  EXPECT_FALSE(Variant(1) == Variant(2));
}

} // namespace
