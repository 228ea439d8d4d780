// The run-time core's conversions, with differential checks: what a value is
// written as reads back as the value, the non-raising conversions agree with
// the raising ones, and decimal integers read as the standard library reads
// them. Input: bytes taken by FuzzedDataProvider, an operation at a time.
#include <fuzzer/FuzzedDataProvider.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

#include "fuzz/fuzz_support.h"

namespace {

using namespace vcl;

// A conversion that may refuse its text: it raises EConvertError and
// nothing else.
template <typename F> bool Converts(F&& Fn) {
  try {
    Fn();
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}

// A decimal text of any length (leading zeros, blanks, a sign) read again by
// the standard library: TryStrToInt takes it exactly when its value fits a
// 32-bit integer, and gives that value.
void DecimalAgainstFromChars(FuzzedDataProvider& In) {
  std::string Digits = In.ConsumeRandomLengthString(30);
  if (Digits.empty())
    return;
  for (char& Ch : Digits)
    Ch = static_cast<char>('0' + static_cast<unsigned char>(Ch) % 10);
  const std::string_view Signs[] = {"", "-", "+"};
  const std::string_view Sign = Signs[In.ConsumeIntegralInRange(0, 2)];
  const std::string Text =
      std::string(In.ConsumeIntegralInRange(0, 2), ' ') + std::string(Sign) + Digits;
  std::int64_t Magnitude = 0;
  const auto Got = std::from_chars(Digits.data(), Digits.data() + Digits.size(), Magnitude);
  const bool Negative = Sign == "-";
  const bool Fits = Got.ec == std::errc() && Magnitude <= (Negative ? 2147483648 : 2147483647);
  int Value = 0;
  const bool Ok = TryStrToInt(Text, Value);
  FUZZ_CHECK(Ok == Fits && (!Fits || Value == (Negative ? -Magnitude : Magnitude)), "'%s'",
             Text.c_str());
}

void Integers(FuzzedDataProvider& In) {
  const int N = In.ConsumeIntegral<int>();
  const std::string Text = IntToStr(N);
  FUZZ_CHECK(StrToInt(Text) == N, "%d", N);
  int Back = 0;
  FUZZ_CHECK(TryStrToInt(Text, Back) && Back == N, "%d", N);
  const std::string Any = In.ConsumeRandomLengthString(40);
  int Tried = 0;
  const bool TryOk = TryStrToInt(Any, Tried);
  int Raised = 0;
  const bool RaiseOk = Converts([&] { Raised = StrToInt(Any); });
  FUZZ_CHECK(TryOk == RaiseOk && (!TryOk || Tried == Raised), "'%s'", Any.c_str());
  DecimalAgainstFromChars(In);
}

void Floats(FuzzedDataProvider& In) {
  const double D = In.ConsumeFloatingPoint<double>();
  if (std::isfinite(D)) {
    const std::string Text = FloatToStr(D);
    Extended Back = 0;
    FUZZ_CHECK(TryStrToFloat(Text, Back), "'%s'", Text.c_str());
    // Fifteen significant digits.
    FUZZ_CHECK(std::fabs(Back - D) <= 1e-14L * std::fabs(static_cast<Extended>(D)) + 1e-300L,
               "%.17g written as '%s' reads as %.20Lg", D, Text.c_str(), Back);
    const int Format = In.ConsumeIntegralInRange(0, 4);
    const int Precision = In.ConsumeIntegralInRange(-2, 40);
    const int Digits = In.ConsumeIntegralInRange(-2, 40);
    FUZZ_CHECK(!FloatToStrF(D, static_cast<TFloatFormat>(Format), Precision, Digits).empty(),
               "%.17g", D);
  }
  const std::string Any = In.ConsumeRandomLengthString(40);
  Extended Tried = 0;
  const bool TryOk = TryStrToFloat(Any, Tried);
  Extended Raised = 0;
  const bool RaiseOk = Converts([&] { Raised = StrToFloat(Any); });
  FUZZ_CHECK(TryOk == RaiseOk, "'%s'", Any.c_str());
  FUZZ_CHECK(!TryOk || Tried == Raised || (std::isnan(Tried) && std::isnan(Raised)), "'%s'",
             Any.c_str());
}

void Currencies(FuzzedDataProvider& In) {
  const Currency C = Currency::FromRaw(In.ConsumeIntegral<std::int64_t>());
  const std::string Text = CurrToStr(C);
  Currency Back;
  FUZZ_CHECK(Converts([&] { Back = StrToCurr(Text); }), "'%s'", Text.c_str());
  // StrToCurr reads through an Extended: amounts of up to 13 integer digits
  // come back exactly, larger ones to within one unit of the last decimal.
  const long long Raw = C.Raw();
  const long long Tolerance = Raw > -100000000000000000LL && Raw < 100000000000000000LL ? 0 : 1;
  const long long Difference = Back.Raw() > Raw ? Back.Raw() - Raw : Raw - Back.Raw();
  FUZZ_CHECK(Difference >= 0 && Difference <= Tolerance, "%lld written as '%s' reads as %lld", Raw,
             Text.c_str(), static_cast<long long>(Back.Raw()));
  const std::string Any = In.ConsumeRandomLengthString(40);
  Converts([&] { StrToCurr(Any); });
}

// Dates of the calendar, in the orders and with the separators a locale
// uses ('/' in a format stands for DateSeparator).
void Dates(FuzzedDataProvider& In) {
  static const char* const Formats[] = {"M/d/yyyy", "dd/MM/yyyy", "yyyy/MM/dd", "d/M/yyyy",
                                        "MM/dd/yyyy"};
  static const char Separators[] = {'/', '.', '-'};
  ResetLocale();
  ShortDateFormat = In.PickValueInArray(Formats);
  DateSeparator = In.PickValueInArray(Separators);
  // 1 January 1 to 31 December 9999.
  const int Day = In.ConsumeIntegralInRange(-693593, 2958465);
  Word Y = 0, M = 0, D = 0;
  DecodeDate(Day, Y, M, D);
  FUZZ_CHECK(EncodeDate(Y, M, D) == Day, "%d: %d-%d-%d", Day, Y, M, D);
  const std::string Text = DateToStr(Day);
  TDateTime Back = 0;
  FUZZ_CHECK(Converts([&] { Back = StrToDate(Text); }), "'%s' (%s)", Text.c_str(),
             ShortDateFormat.c_str());
  FUZZ_CHECK(Back == Day, "%d written as '%s' reads as %g", Day, Text.c_str(), double(Back));

  const int Second = In.ConsumeIntegralInRange(0, 86399);
  const TDateTime Time = Second / 86400.0;
  Word H = 0, Min = 0, S = 0, Ms = 0;
  DecodeTime(Time, H, Min, S, Ms);
  FUZZ_CHECK(H * 3600 + Min * 60 + S == Second && Ms == 0, "%d: %d:%d:%d.%d", Second, H, Min, S,
             Ms);
  const std::string TimeText = TimeToStr(Time);
  TDateTime TimeBack = 0;
  FUZZ_CHECK(Converts([&] { TimeBack = StrToTime(TimeText); }), "'%s'", TimeText.c_str());
  FUZZ_CHECK(std::fabs(TimeBack - Time) < 0.5 / 86400, "%d written as '%s' reads as %g", Second,
             TimeText.c_str(), double(TimeBack));

  const std::string Any = In.ConsumeRandomLengthString(40);
  Converts([&] { StrToDate(Any); });
  Converts([&] { StrToTime(Any); });
  Converts([&] { StrToDateTime(Any); });
  FormatDateTime(In.ConsumeRandomLengthString(40), In.ConsumeFloatingPointInRange(-700000.0, 3e6));
}

void Formats(FuzzedDataProvider& In) {
  const std::string Fmt = In.ConsumeRandomLengthString(60);
  const int I = In.ConsumeIntegral<int>();
  const double D = In.ConsumeFloatingPoint<double>();
  const std::string S = In.ConsumeRandomLengthString(20);
  std::string Result;
  if (Converts([&] { Result = Format(Fmt, {I, D, S, I, Currency::FromRaw(I)}); }))
    // Every directive is at most 100000 characters wide.
    FUZZ_CHECK(Result.size() <= Fmt.size() * 100000 + 1000, "'%s' gave %zu characters", Fmt.c_str(),
               Result.size());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::QuietEnvironment();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  FuzzedDataProvider In(Data, Size);
  ResetLocale();
  while (In.remaining_bytes() > 0) {
    switch (In.ConsumeIntegralInRange(0, 4)) {
    case 0:
      Integers(In);
      break;
    case 1:
      Floats(In);
      break;
    case 2:
      Currencies(In);
      break;
    case 3:
      Dates(In);
      break;
    default:
      Formats(In);
      break;
    }
  }
  return 0;
}
