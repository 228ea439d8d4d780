// Numeric and fraction routines: integer Min/Max, line length, rounding of a
// real to a number of decimals, and the mixed-fraction notation "3:1/2" with
// its parser, formatter, checker and messages. Real results are kept to the
// precision of the classic 6-byte real (39-bit fraction).
#pragma once

#include <cstdint>
#include <string>

namespace MathMan {

using Real = double;

int Max(int A, int B);
int Min(int A, int B);
Real LineDistance(Real X, Real Y);
void RndReal(Real& R, std::uint8_t Digits);
Real FracToReal(const std::string& S);
std::string FormatFrac(const std::string& S);
bool ValidFrac(const std::string& S, std::uint8_t& Err);
void FracError(std::uint8_t Err);
bool IsLeapYear(int Year);
// Rounds a value to the nearest 6-byte real (39-bit fraction, halves to even).
Real ToReal48(long double Value);

} // namespace MathMan
