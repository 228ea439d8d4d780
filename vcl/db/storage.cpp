// Conversions of stored values: locale-independent numbers, ISO 8601 dates.
#include "vcl/db/detail/storage.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace vcl::dbstore {

namespace {

// Julian day number of 30 December 1899, 00:00.
constexpr double JulianDayOfZero = 2415018.5;

std::string Trimmed(const std::string& Text) {
  return Trim(Text);
}

// Reads Count digits at Pos into Value.
bool Digits(const std::string& S, std::size_t& Pos, int Count, int& Value) {
  if (Pos + Count > S.size())
    return false;
  Value = 0;
  for (int I = 0; I < Count; ++I) {
    const char C = S[Pos + I];
    if (C < '0' || C > '9')
      return false;
    Value = Value * 10 + (C - '0');
  }
  Pos += Count;
  return true;
}

bool Expect(const std::string& S, std::size_t& Pos, char C) {
  if (Pos < S.size() && S[Pos] == C) {
    ++Pos;
    return true;
  }
  return false;
}

// HH:MM[:SS[.fff]] at Pos.
bool ParseClock(const std::string& S, std::size_t& Pos, TDateTime& Time) {
  int H, M, Sec = 0, MSec = 0;
  if (!Digits(S, Pos, 2, H) || !Expect(S, Pos, ':') || !Digits(S, Pos, 2, M))
    return false;
  if (Expect(S, Pos, ':')) {
    if (!Digits(S, Pos, 2, Sec))
      return false;
    if (Expect(S, Pos, '.')) {
      // Up to three decimals count; further ones are dropped.
      int Scale = 100;
      const std::size_t Start = Pos;
      while (Pos < S.size() && S[Pos] >= '0' && S[Pos] <= '9') {
        MSec += (S[Pos] - '0') * Scale;
        Scale /= 10;
        ++Pos;
      }
      if (Pos == Start)
        return false;
    }
  }
  return TryEncodeTime(static_cast<Word>(H), static_cast<Word>(M), static_cast<Word>(Sec),
                       static_cast<Word>(MSec), Time);
}

void SplitTime(TDateTime Value, Word& H, Word& M, Word& S, Word& MS) {
  DecodeTime(Value, H, M, S, MS);
}

} // namespace

std::string NumberText(double Value) {
  char Buffer[64];
  const auto Result = std::to_chars(Buffer, Buffer + sizeof Buffer, Value);
  return std::string(Buffer, Result.ptr);
}

std::optional<std::int64_t> ParseInteger(const std::string& Text) {
  const std::string S = Trimmed(Text);
  const char* Begin = S.data() + (!S.empty() && S[0] == '+' ? 1 : 0);
  std::int64_t Value = 0;
  const auto Result = std::from_chars(Begin, S.data() + S.size(), Value);
  if (Result.ec != std::errc() || Result.ptr != S.data() + S.size() || Begin == S.data() + S.size())
    return std::nullopt;
  return Value;
}

std::optional<double> ParseReal(const std::string& Text) {
  const std::string S = Trimmed(Text);
  const char* Begin = S.data() + (!S.empty() && S[0] == '+' ? 1 : 0);
  double Value = 0;
  const auto Result = std::from_chars(Begin, S.data() + S.size(), Value);
  if (Result.ec != std::errc() || Result.ptr != S.data() + S.size() || Begin == S.data() + S.size())
    return std::nullopt;
  return Value;
}

std::string IsoDate(TDateTime Value) {
  Word Y, M, D;
  DecodeDate(Value, Y, M, D);
  char Buffer[64];
  std::snprintf(Buffer, sizeof Buffer, "%04u-%02u-%02u", Y, M, D);
  return Buffer;
}

std::string IsoTime(TDateTime Value) {
  Word H, M, S, MS;
  SplitTime(Value, H, M, S, MS);
  char Buffer[64];
  if (MS)
    std::snprintf(Buffer, sizeof Buffer, "%02u:%02u:%02u.%03u", H, M, S, MS);
  else
    std::snprintf(Buffer, sizeof Buffer, "%02u:%02u:%02u", H, M, S);
  return Buffer;
}

std::string IsoDateTime(TDateTime Value) {
  return IsoDate(Value) + " " + IsoTime(Value);
}

std::optional<TDateTime> ParseIso(const std::string& Text) {
  const std::string S = Trimmed(Text);
  std::size_t Pos = 0;
  TDateTime Time = 0;
  // A time of day alone.
  if (S.size() >= 5 && S[2] == ':') {
    if (ParseClock(S, Pos, Time) && Pos == S.size())
      return Time;
    return std::nullopt;
  }
  int Y, M, D;
  TDateTime Date;
  if (!Digits(S, Pos, 4, Y) || !Expect(S, Pos, '-') || !Digits(S, Pos, 2, M) ||
      !Expect(S, Pos, '-') || !Digits(S, Pos, 2, D) ||
      !TryEncodeDate(static_cast<Word>(Y), static_cast<Word>(M), static_cast<Word>(D), Date))
    return std::nullopt;
  if (Pos < S.size() && (S[Pos] == ' ' || S[Pos] == 'T')) {
    ++Pos;
    if (!ParseClock(S, Pos, Time))
      return std::nullopt;
    Expect(S, Pos, 'Z'); // UTC marks are read as the time they show
  }
  if (Pos != S.size())
    return std::nullopt;
  // Dates before 1899-12-30 count backwards with the time still added.
  return Date < 0 ? Date - Time : Date + Time;
}

TDateTime FromJulianDay(double Day) {
  return Day - JulianDayOfZero;
}

TDBValue CurrencyValue(Currency Value) {
  const std::int64_t Raw = Value.Raw();
  if (Raw % 10000 == 0)
    return Raw / 10000;
  const std::uint64_t Abs = Raw < 0 ? 0 - static_cast<std::uint64_t>(Raw) : Raw;
  char Buffer[32];
  std::snprintf(Buffer, sizeof Buffer, "%s%llu.%04llu", Raw < 0 ? "-" : "",
                static_cast<unsigned long long>(Abs / 10000),
                static_cast<unsigned long long>(Abs % 10000));
  std::string S = Buffer;
  S.erase(S.find_last_not_of('0') + 1);
  return S;
}

std::optional<Currency> ParseCurrency(const std::string& Text) {
  const std::string S = Trimmed(Text);
  std::size_t Pos = S.empty() || (S[0] != '-' && S[0] != '+') ? 0 : 1;
  const bool Negative = Pos == 1 && S[0] == '-';
  // The lowest amount has one unit more than the highest.
  const std::uint64_t Limit = Negative ? 9223372036854775808ULL : 9223372036854775807ULL;
  std::uint64_t Raw = 0;
  int Decimals = -1; // none before the point
  bool Any = false;
  bool RoundUp = false;
  for (; Pos < S.size(); ++Pos) {
    const char C = S[Pos];
    if (C == '.' && Decimals < 0) {
      Decimals = 0;
      continue;
    }
    if (C < '0' || C > '9')
      return std::nullopt;
    Any = true;
    if (Decimals >= 4) {
      RoundUp = RoundUp || (Decimals == 4 && C >= '5');
      ++Decimals;
      continue;
    }
    if (Raw > (Limit - (C - '0')) / 10)
      return std::nullopt;
    Raw = Raw * 10 + (C - '0');
    if (Decimals >= 0)
      ++Decimals;
  }
  if (!Any)
    return std::nullopt;
  for (Decimals = std::max(Decimals, 0); Decimals < 4; ++Decimals) {
    if (Raw > Limit / 10)
      return std::nullopt;
    Raw *= 10;
  }
  if (RoundUp && ++Raw > Limit)
    return std::nullopt;
  return Currency::FromRaw(static_cast<std::int64_t>(Negative ? 0 - Raw : Raw));
}

std::optional<Currency> CurrencyOfReal(double Value) {
  char Buffer[400]; // the longest fixed form of a double is 309 digits and a sign
  const auto Result =
      std::to_chars(Buffer, Buffer + sizeof Buffer, Value, std::chars_format::fixed);
  if (Result.ec != std::errc())
    return std::nullopt;
  return ParseCurrency(std::string(Buffer, Result.ptr));
}

std::optional<std::string> NumberKey(const std::string& Text) {
  const std::string S = Trimmed(Text);
  std::size_t Pos = !S.empty() && (S[0] == '+' || S[0] == '-') ? 1 : 0;
  const bool Negative = Pos == 1 && S[0] == '-';
  std::string Digits;
  long long Exponent = 0; // of the point after the digits read
  bool Any = false, Point = false;
  for (; Pos < S.size() && ((S[Pos] >= '0' && S[Pos] <= '9') || (S[Pos] == '.' && !Point)); ++Pos) {
    if (S[Pos] == '.') {
      Point = true;
      continue;
    }
    Any = true;
    if (!(Digits.empty() && S[Pos] == '0'))
      Digits += S[Pos];
    if (Point)
      --Exponent;
  }
  if (!Any)
    return std::nullopt;
  if (Pos < S.size() && (S[Pos] == 'e' || S[Pos] == 'E')) {
    std::size_t From = Pos + 1;
    if (From < S.size() && S[From] == '+')
      ++From;
    long long Power = 0;
    const auto Result = std::from_chars(S.data() + From, S.data() + S.size(), Power);
    if (Result.ec != std::errc() || Result.ptr != S.data() + S.size())
      return std::nullopt;
    Exponent += Power;
  } else if (Pos != S.size()) {
    return std::nullopt;
  }
  // Trailing zeros move into the exponent; zero has one form.
  while (!Digits.empty() && Digits.back() == '0') {
    Digits.pop_back();
    ++Exponent;
  }
  if (Digits.empty())
    return std::string("0");
  return std::string(Negative ? "-" : "") + Digits + "e" + std::to_string(Exponent);
}

std::string ValueText(const TDBValue& Value) {
  struct {
    std::string operator()(std::monostate) const { return ""; }
    std::string operator()(std::int64_t V) const { return std::to_string(V); }
    std::string operator()(double V) const { return NumberText(V); }
    std::string operator()(const std::string& V) const { return V; }
    std::string operator()(const TBlobData& V) const { return V.Bytes; }
  } Visitor;
  return std::visit(Visitor, Value);
}

} // namespace vcl::dbstore
