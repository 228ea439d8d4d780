// Integer text conversions. Reading follows the classic Val rules: leading
// blanks, an optional sign, then decimal digits or '$' and hexadecimal digits,
// and nothing after them; the value must fit a 32-bit integer (hexadecimal
// texts may use all 32 bits, so '$FFFFFFFF' is -1).
#include <array>
#include <cstdint>

#include "vcl/sysutils.h"

namespace vcl {

std::string IntToStr(std::int64_t Value) {
  return std::to_string(Value);
}

std::string IntToHex(std::int64_t Value, int Digits) {
  static const char HexDigits[] = "0123456789ABCDEF";
  auto Bits = static_cast<std::uint64_t>(Value);
  std::string Result;
  do {
    Result.insert(Result.begin(), HexDigits[Bits & 0xF]);
    Bits >>= 4;
  } while (Bits != 0);
  if (Length(Result) < Digits)
    Result.insert(0, static_cast<size_t>(Digits - Length(Result)), '0');
  return Result;
}

namespace {

int HexValue(char Ch) {
  if (Ch >= '0' && Ch <= '9')
    return Ch - '0';
  if (Ch >= 'A' && Ch <= 'F')
    return Ch - 'A' + 10;
  if (Ch >= 'a' && Ch <= 'f')
    return Ch - 'a' + 10;
  return -1;
}

// The digits of S from the 1-based position I to its end, in Base, into
// Magnitude: false at a character that is no digit or once the value passes
// Limit. The magnitude is accumulated in 64 bits and checked after every
// digit, so a long run of digits cannot overflow the accumulator; the base
// is a constant so that the multiplication is a shift and add.
template <int Base>
bool Accumulate(const std::string& S, int I, std::uint64_t Limit, std::uint64_t& Magnitude) {
  const int Len = static_cast<int>(S.size());
  for (; I <= Len; ++I) {
    const char Ch = S[I - 1];
    const int Digit = Base == 16 ? HexValue(Ch) : (Ch >= '0' && Ch <= '9' ? Ch - '0' : -1);
    if (Digit < 0)
      return false;
    Magnitude = Magnitude * Base + static_cast<std::uint64_t>(Digit);
    if (Magnitude > Limit)
      return false;
  }
  return true;
}

// The decimal digits of S from the 1-based position I to its end, as
// Accumulate<10> reads them. A run of up to 19 digits cannot overflow 64 bits,
// so each digit is weighed by its own power of ten, no multiplication waiting
// for the one before, and the run is judged once at its end; a longer run
// (leading zeros) is read digit by digit.
bool AccumulateDecimal(const std::string& S, int I, std::uint64_t Limit, std::uint64_t& Magnitude) {
  static constexpr auto Powers = [] {
    std::array<std::uint64_t, 19> P{};
    std::uint64_t Power = 1;
    for (std::uint64_t& Each : P) {
      Each = Power;
      Power *= 10;
    }
    return P;
  }();
  const int Len = static_cast<int>(S.size());
  if (Len - I + 1 > static_cast<int>(Powers.size()))
    return Accumulate<10>(S, I, Limit, Magnitude);
  std::uint64_t Sum = 0;
  bool NoDigit = false;
  for (; I <= Len; ++I) {
    // A byte below '0' wraps to a large value: one test finds both sides.
    const std::uint64_t Digit = static_cast<unsigned char>(S[I - 1]) - unsigned{'0'};
    NoDigit |= Digit > 9;
    Sum += Digit * Powers[Len - I];
  }
  if (NoDigit || Sum > Limit)
    return false;
  Magnitude = Sum;
  return true;
}

} // namespace

bool TryStrToInt(const std::string& S, int& Value) {
  int I = 1;
  const int Len = static_cast<int>(S.size()); // a scan of ASCII syntax, byte by byte
  while (I <= Len && S[I - 1] == ' ')
    ++I;
  bool Negative = false;
  if (I <= Len && (S[I - 1] == '-' || S[I - 1] == '+')) {
    Negative = S[I - 1] == '-';
    ++I;
  }
  const bool Hex = I <= Len && S[I - 1] == '$';
  if (Hex)
    ++I;
  if (I > Len)
    return false;
  const std::uint64_t Limit = Hex ? 0xFFFFFFFFu : (Negative ? 2147483648u : 2147483647u);
  std::uint64_t Magnitude = 0;
  if (!(Hex ? Accumulate<16>(S, I, Limit, Magnitude) : AccumulateDecimal(S, I, Limit, Magnitude)))
    return false;
  // Hexadecimal texts wrap into the sign bit as a 32-bit pattern.
  const auto Bits = static_cast<std::uint32_t>(Negative ? 0 - Magnitude : Magnitude);
  Value = static_cast<int>(Bits);
  return true;
}

int StrToInt(const std::string& S) {
  int Value = 0;
  if (!TryStrToInt(S, Value))
    throw EConvertError("'" + S + "' is not a valid integer value");
  return Value;
}

int StrToIntDef(const std::string& S, int Default) {
  int Value = 0;
  return TryStrToInt(S, Value) ? Value : Default;
}

} // namespace vcl
