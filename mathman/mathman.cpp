// Numeric and fraction routines. Reals are doubles held to the precision and
// range of the classic 6-byte real: every routine that produces a Real passes
// it through ToReal48, which rounds the mantissa to 40 bits (39-bit fraction
// plus the hidden bit, halves to even) and keeps the exponent within the
// type's range. Fractions are written whole:numerator/denominator ("3:1/2").
#include "mathman/mathman.h"

#include <algorithm>
#include <cmath>

#include "vcl/dialogs.h"
#include "vcl/sysutils.h"

namespace MathMan {

namespace {

constexpr int MantissaBits = 40;
// The real48's binary exponent of 1.f x 2^E runs from -128 to 126 (biased 1..255).
constexpr int MinExponent = -128;
constexpr int MaxExponent = 126;

// Parameters of the classic routines are short strings of at most 255 characters.
std::string ShortString(const std::string& S) {
  return vcl::Copy(S, 1, 255);
}

// Rounds to the nearest integer, halves to the even one, whatever the
// floating-point environment's rounding mode.
long double RoundHalfEven(long double X) {
  const long double Floor = std::floor(X);
  const long double Diff = X - Floor;
  if (Diff > 0.5L)
    return Floor + 1;
  if (Diff < 0.5L)
    return Floor;
  return std::fmod(Floor, 2.0L) == 0 ? Floor : Floor + 1;
}

// A piece of a fraction: its first 10 characters, trimmed, as an integer.
int FracPart(const std::string& S) {
  return vcl::StrToInt(vcl::Trim(vcl::Copy(S, 1, 10)));
}

} // namespace

Real ToReal48(long double Value) {
  if (std::isnan(Value))
    throw vcl::EInvalidOp("Invalid floating point operation");
  if (std::isinf(Value))
    throw vcl::EOverflow("Floating point overflow");
  if (Value == 0)
    return 0;
  int Exp = 0;
  const long double Fraction = std::frexp(Value, &Exp); // 0.5 <= |Fraction| < 1
  // Scaling by a power of two is exact in the 64-bit mantissa of long double.
  long double Mantissa = RoundHalfEven(std::ldexp(std::fabs(Fraction), MantissaBits));
  if (Mantissa == std::ldexp(1.0L, MantissaBits)) { // rounded up to the next power of two
    Mantissa /= 2;
    ++Exp;
  }
  // Value = 1.f x 2^(Exp - 1); the range is judged after rounding, so a value
  // just below the smallest real48 that rounds up to it survives.
  if (Exp - 1 < MinExponent)
    return 0;
  if (Exp - 1 > MaxExponent)
    throw vcl::EOverflow("Floating point overflow");
  const long double Result = std::ldexp(Mantissa, Exp - MantissaBits);
  return static_cast<Real>(Value < 0 ? -Result : Result);
}

int Max(int A, int B) {
  return A > B ? A : B;
}

int Min(int A, int B) {
  return A < B ? A : B;
}

Real LineDistance(Real X, Real Y) {
  const long double LX = X;
  const long double LY = Y;
  return ToReal48(std::sqrt(LX * LX + LY * LY));
}

void RndReal(Real& R, std::uint8_t Digits) {
  // Precision 18 writes every digit the extended type holds, as the classic
  // fixed-width real-to-text conversion does; it is the binary value that is
  // rounded, so the double nearest 2.675 (just below it) gives 2.67.
  const std::string Fixed = vcl::FloatToStrF(R, vcl::ffFixed, 18, Digits);
  // The text is cut to 15 characters, which drops trailing decimals. The cut
  // never reaches into the integer digits or an exponent (values of 1e15 and
  // more): that would change the magnitude, not the decimals.
  const int Separator = vcl::Pos(vcl::DecimalSeparator, Fixed);
  int Keep = std::max(15, (Separator > 0 ? Separator : vcl::Length(Fixed) + 1) - 1);
  if (vcl::Pos('E', Fixed) > 0)
    Keep = vcl::Length(Fixed);
  vcl::Extended Value = 0;
  // An unreadable text (none is expected) leaves R as it was.
  if (vcl::TryStrToFloat(vcl::Copy(Fixed, 1, Keep), Value))
    R = ToReal48(Value);
}

Real FracToReal(const std::string& Text) {
  std::string S = ShortString(Text);
  const int Colon = vcl::Pos(':', S);
  if (Colon == 0)
    return ToReal48(vcl::StrToFloat(vcl::Trim(S)));
  const std::string W = vcl::Copy(S, 1, Colon - 1);
  vcl::Delete(S, 1, Colon);
  const int Slash = vcl::Pos('/', S);
  const std::string N = vcl::Copy(S, 1, Slash - 1);
  const std::string D = vcl::Copy(S, Slash + 1, 255);
  const int Whole = FracPart(W);
  const int Numerator = FracPart(N);
  const int Denominator = FracPart(D);
  if (Denominator == 0)
    throw vcl::EZeroDivide("Floating point division by zero");
  // The fraction is added whatever the sign of the whole part: -3:1/2 is -2.5.
  return ToReal48(static_cast<long double>(Whole) +
                  static_cast<long double>(Numerator) / Denominator);
}

std::string FormatFrac(const std::string& S) {
  std::string T = ShortString(S);
  std::erase(T, ' ');
  int P = vcl::Pos(':', T);
  if (P < 3)
    vcl::Insert(vcl::StringOfChar(' ', 3 - P), T, 1);
  P = vcl::Pos('/', T);
  if (P < 6)
    vcl::Insert(vcl::StringOfChar(' ', 6 - P), T, 4);
  const int L = vcl::Length(T);
  if (L < 8)
    vcl::Insert(vcl::StringOfChar(' ', 8 - L), T, 7);
  return T;
}

bool ValidFrac(const std::string& S, std::uint8_t& Err) {
  Err = 0;
  // The formatted text always has at least 8 characters, so its 5th and its
  // last character exist.
  const std::string F = vcl::Copy(FormatFrac(S), 1, 255);
  const bool NumeratorBlank = F[4] == ' ';
  const bool LastBlank = F.back() == ' ';
  if (!NumeratorBlank && LastBlank)
    Err = 1;
  else if (NumeratorBlank && !LastBlank)
    Err = 2;
  return Err == 0;
}

void FracError(std::uint8_t Err) {
  if (Err == 1)
    vcl::MessageDlg("Fractions must have a denominator.", vcl::mtError, {vcl::mbOK}, 0);
  else if (Err == 2)
    vcl::MessageDlg("Fractions must have a numerator.", vcl::mtError, {vcl::mbOK}, 0);
}

bool IsLeapYear(int Year) {
  return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

} // namespace MathMan
