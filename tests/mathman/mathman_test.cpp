// Numeric and fraction routines, and the 6-byte real they round to.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "mathman/mathman.h"
#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

using namespace MathMan;

namespace {

// 2^Exp as a long double, written out so the tests do not lean on ToReal48.
long double Pow2(int Exp) {
  return std::ldexp(1.0L, Exp);
}

} // namespace

TEST(Real48, RoundsTheMantissaToFortyBitsHalvesToEven) {
  // One third: 0.0101..b = (2^41 + 1) / 3 x 2^-41 once the 40-bit mantissa is rounded.
  const long double Third = 1.0L / 3;
  EXPECT_EQ(ToReal48(Third), std::ldexp(static_cast<double>((Pow2(41) + 1) / 3), -41));
  struct Case {
    long double Value;
    long double Expected;
  };
  const Case Cases[] = {
      {1, 1},
      {1 + Pow2(-39), 1 + Pow2(-39)},             // the last fraction bit is kept
      {1 + Pow2(-40), 1},                         // half way, to the even mantissa
      {1 + 3 * Pow2(-40), 1 + Pow2(-38)},         // half way, up to the even one
      {1 + Pow2(-40) + Pow2(-60), 1 + Pow2(-39)}, // above half way
      {2 - Pow2(-41), 2},                         // carries into the exponent
      {-(1 + 3 * Pow2(-40)), -(1 + Pow2(-38))},
      {0.1L, std::ldexp(std::round(0.1L * Pow2(43)), -43)},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(ToReal48(C.Value), static_cast<double>(C.Expected)) << static_cast<double>(C.Value);
}

TEST(Real48, KeepsTheExponentRangeOfTheType) {
  const long double Smallest = Pow2(-128);                 // about 2.9e-39
  const long double Largest = Pow2(126) * (2 - Pow2(-39)); // about 1.7e38
  EXPECT_EQ(ToReal48(Smallest), static_cast<double>(Smallest));
  EXPECT_EQ(ToReal48(-Smallest), -static_cast<double>(Smallest));
  EXPECT_EQ(ToReal48(Smallest * (1 - Pow2(-45))), static_cast<double>(Smallest)); // rounds up
  EXPECT_EQ(ToReal48(Smallest / 2), 0.0);
  EXPECT_EQ(ToReal48(1e-45L), 0.0);
  EXPECT_EQ(ToReal48(0), 0.0);
  EXPECT_EQ(ToReal48(Largest), static_cast<double>(Largest));
  EXPECT_THROW(ToReal48(Pow2(127)), vcl::EOverflow);
  EXPECT_THROW(ToReal48(-Pow2(127)), vcl::EOverflow);
  EXPECT_THROW(ToReal48(Pow2(127) * (1 - Pow2(-45))), vcl::EOverflow); // rounds up out of range
  EXPECT_THROW(ToReal48(INFINITY), vcl::EOverflow);
  EXPECT_THROW(ToReal48(NAN), vcl::EInvalidOp);
}

TEST(MathMan, MinMaxGiveTheSecondWhenEqual) {
  EXPECT_EQ(Max(3, 7), 7);
  EXPECT_EQ(Max(7, 3), 7);
  EXPECT_EQ(Min(3, 7), 3);
  EXPECT_EQ(Min(-1, -5), -5);
  EXPECT_EQ(Min(INT32_MIN, INT32_MAX), INT32_MIN);
}

TEST(MathMan, LineDistance) {
  EXPECT_EQ(LineDistance(3, 4), 5.0);
  EXPECT_EQ(LineDistance(-3, 4), 5.0);
  EXPECT_EQ(LineDistance(0, 0), 0.0);
  EXPECT_EQ(LineDistance(1, 1), ToReal48(std::sqrt(2.0L)));
  EXPECT_THROW(LineDistance(1.5e38, 1.5e38), vcl::EOverflow);
}

TEST(MathMan, RndRealRoundsThroughFixedText) {
  struct Case {
    Real R;
    int Digits;
    long double Expected;
  };
  const Case Cases[] = {
      {3.14159, 2, 3.14L},
      {2.5, 0, 3},
      {-2.5, 0, -3},
      {0.125, 2, 0.13L},
      {2.675, 2, 2.67L}, // the double nearest 2.675 lies below it
      {2.6750000001, 2, 2.68L},
      {1234567.123456789, 9, 1234567.1234567L}, // the text is cut to 15 characters
      {-1234567.123456789, 9, -1234567.123456L},
      {42, 3, 42},
      // The cut to 15 characters drops decimals only, never integer digits.
      {1e15, 2, 1e15L},
      {-1e14, 2, -1e14L},
      {123456789012345.6, 0, 123456789012346.0L},
      {1.5e30, 2, 1.5e30L},
  };
  for (const auto& C : Cases) {
    Real R = C.R;
    RndReal(R, static_cast<std::uint8_t>(C.Digits));
    EXPECT_EQ(R, ToReal48(C.Expected)) << C.R << " to " << C.Digits;
  }
}

TEST(MathMan, FracToReal) {
  struct Case {
    const char* S;
    long double Expected;
  };
  const Case Cases[] = {
      {"2.5", 2.5L},     {" 2.5 ", 2.5L},      {"1:3/4", 1.75L},      {"0:1/3", 1.0L / 3},
      {"-3:1/2", -2.5L}, {" 1 : 1 / 2", 1.5L}, {"12:3/16", 12.1875L},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(FracToReal(C.S), ToReal48(C.Expected)) << C.S;

  const std::vector<std::string> Malformed = {"abc", "1:/2", "1:1/", ":1/2", "1:x/2", "1:12"};
  for (const auto& S : Malformed)
    EXPECT_THROW(FracToReal(S), vcl::EConvertError) << S;
  EXPECT_THROW(FracToReal("1:1/0"), vcl::EZeroDivide);
  // Each piece is read from its first 10 characters only.
  EXPECT_EQ(FracToReal("1:1/2000000000000"), ToReal48(1 + 1.0L / 2000000000));
}

TEST(MathMan, FormatFracFillsTheEightColumns) {
  struct Case {
    const char* S;
    const char* Expected;
  };
  const Case Cases[] = {
      {"1:1/2", " 1: 1/ 2"},       {"12:3/16", "12: 3/16"},  {"1/2", "    1/ 2"},
      {" 1 : 1 / 2 ", " 1: 1/ 2"}, {"1:1/", " 1: 1/  "},     {"1:/2", " 1:  / 2"},
      {"123:4/5", "123:4/ 5"},     {"12:345/6", "12:345/6"}, {"5", "         5"},
  };
  for (const auto& C : Cases)
    EXPECT_EQ(FormatFrac(C.S), C.Expected) << C.S;
}

TEST(MathMan, ValidFracChecksNumeratorAndDenominator) {
  struct Case {
    const char* S;
    bool Valid;
    int Err;
  };
  const Case Cases[] = {{"3:1/2", true, 0}, {"1:1/", false, 1},   {"1:/2", false, 2},
                        {"1/2", true, 0},   {"12:3/16", true, 0}, {"", true, 0},
                        {"3:a/b", true, 0}};
  for (const auto& C : Cases) {
    std::uint8_t Err = 99;
    EXPECT_EQ(ValidFrac(C.S, Err), C.Valid) << C.S;
    EXPECT_EQ(Err, C.Err) << C.S;
  }
}

TEST(MathMan, FracErrorShowsOneErrorBoxPerKnownCode) {
  struct TBox {
    std::string Msg;
    vcl::TMsgDlgType DlgType;
    vcl::TMsgDlgButtons Buttons;
    int HelpCtx;
  };
  std::vector<TBox> Boxes;
  const auto Before =
      vcl::SetMessageDlgHandler([&](const std::string& Msg, vcl::TMsgDlgType DlgType,
                                    vcl::TMsgDlgButtons Buttons, int HelpCtx) {
        Boxes.push_back({Msg, DlgType, Buttons, HelpCtx});
        return vcl::mrOk;
      });
  for (int Err : {0, 1, 2, 3, 255})
    FracError(static_cast<std::uint8_t>(Err));
  vcl::SetMessageDlgHandler(Before);
  ASSERT_EQ(Boxes.size(), 2u);
  EXPECT_EQ(Boxes[0].Msg, "Fractions must have a denominator.");
  EXPECT_EQ(Boxes[1].Msg, "Fractions must have a numerator.");
  for (const auto& Box : Boxes) {
    EXPECT_EQ(Box.DlgType, vcl::mtError);
    EXPECT_EQ(Box.Buttons, vcl::TMsgDlgButtons{vcl::mbOK});
    EXPECT_EQ(Box.HelpCtx, 0);
  }
}

TEST(MathMan, IsLeapYear) {
  struct Case {
    int Year;
    bool Leap;
  };
  const Case Cases[] = {{1900, false}, {2000, true}, {1996, true},  {1997, false}, {2100, false},
                        {0, true},     {-4, true},   {-100, false}, {-400, true},  {-1, false}};
  for (const auto& C : Cases)
    EXPECT_EQ(IsLeapYear(C.Year), C.Leap) << C.Year;
}
