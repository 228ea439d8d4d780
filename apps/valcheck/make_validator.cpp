// Validator construction for valcheck. Bounds are read with the conversions
// the validator itself judges with, so "--min 1,5" means what a typed "1,5"
// means under the chosen locale.
#include "apps/valcheck/make_validator.h"

#include <fstream>
#include <limits>

#include "validate/date.h"
#include "validate/filter.h"
#include "validate/float.h"
#include "validate/integer.h"
#include "validate/lookup.h"
#include "validate/picture.h"
#include "validate/time.h"
#include "vcl/sysutils.h"

namespace ValCheck {

namespace {

template <typename T, typename Convert>
T Parse(const std::string& Option, const std::string& Text, Convert Conv) {
  try {
    return static_cast<T>(Conv(Text));
  } catch (const vcl::EConvertError& E) {
    throw TUsageError("bad value for " + Option + ": " + E.Message());
  }
}

// Fills in a bound left out with the widest value and refuses inverted ones,
// which the validators would otherwise quietly fold into one value.
template <typename T, typename Convert>
void Bounds(const TOptions& O, T Lowest, T Highest, Convert Conv, T& Min, T& Max) {
  Min = O.Min ? Parse<T>("--min", *O.Min, Conv) : Lowest;
  Max = O.Max ? Parse<T>("--max", *O.Max, Conv) : Highest;
  if (Min > Max)
    throw TUsageError("--min is greater than --max");
}

std::unique_ptr<Validate::TValidator> MakeInteger(const TOptions& O) {
  auto V = std::make_unique<Validate::TIntegerValidator>(nullptr);
  V->SetLeadingZeros(O.LeadingZeros);
  if (O.Min || O.Max) {
    int Min = 0, Max = 0;
    Bounds<int>(O, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), vcl::StrToInt,
                Min, Max);
    V->SetNoBounds(false);
    V->SetMax(Max);
    V->SetMin(Min);
  }
  return V;
}

template <typename TFloatKind> std::unique_ptr<TFloatKind> MakeFloatKind(const TOptions& O) {
  auto V = std::make_unique<TFloatKind>(nullptr);
  if (O.Precision) {
    const int Precision = Parse<int>("--precision", *O.Precision, vcl::StrToInt);
    if (Precision < 0 || Precision > 255)
      throw TUsageError("bad value for --precision: " + *O.Precision + " is not from 0 to 255");
    V->SetPrecision(static_cast<std::uint8_t>(Precision));
  }
  if (O.Min || O.Max) {
    double Min = 0, Max = 0;
    const double Widest = std::numeric_limits<double>::max();
    auto ToDouble = [Widest](const std::string& Text) {
      const vcl::Extended Value = vcl::StrToFloat(Text);
      if (!(Value >= -Widest && Value <= Widest))
        throw vcl::EConvertError("'" + Text + "' is out of range");
      return static_cast<double>(Value);
    };
    Bounds<double>(O, -Widest, Widest, ToDouble, Min, Max);
    V->SetNoBounds(false);
    V->SetMax(Max);
    V->SetMin(Min);
  }
  return V;
}

std::unique_ptr<Validate::TValidator> MakeFloat(const TOptions& O) {
  auto V = MakeFloatKind<Validate::TFloatValidator>(O);
  V->SetLeadingZeros(O.LeadingZeros);
  return V;
}

std::unique_ptr<Validate::TValidator> MakeLookup(const TOptions& O) {
  std::ifstream In(*O.Words, std::ios::binary);
  if (!In)
    throw TUsageError("cannot read word file '" + *O.Words + "'");
  // Sorting first lets the validator's list take the words in order, each
  // at its end, instead of shifting the list for every word.
  vcl::TStringList Words;
  std::string Word;
  while (std::getline(In, Word)) {
    if (!Word.empty() && Word.back() == '\r')
      Word.pop_back();
    if (!Word.empty())
      Words.Add(Word);
  }
  if (In.bad())
    throw TUsageError("cannot read word file '" + *O.Words + "'");
  Words.Sort();
  auto V = std::make_unique<Validate::TStringLookupValidator>(nullptr);
  V->SetCaseSensitive(O.CaseSensitive);
  V->SetItems(&Words);
  return V;
}

std::unique_ptr<Validate::TValidator> MakeFilter(const TOptions& O) {
  auto V = std::make_unique<Validate::TFilterValidator>(nullptr);
  V->SetFilterChars(*O.Chars);
  V->SetFilterType(O.InvalidChars ? Validate::ftInvalidChars : Validate::ftValidChars);
  return V;
}

std::unique_ptr<Validate::TValidator> MakePicture(const TOptions& O) {
  auto V = std::make_unique<Validate::TPictureValidator>(nullptr);
  V->SetPicture(*O.Picture);
  return V;
}

// The index of --format's value among short, long and optional.
int FormatIndex(const TOptions& O, int Default) {
  if (!O.Format)
    return Default;
  return *O.Format == "short" ? 0 : *O.Format == "long" ? 1 : 2;
}

std::unique_ptr<Validate::TValidator> MakeDate(const TOptions& O) {
  auto V = std::make_unique<Validate::TDateValidator>(nullptr);
  // The format decides the date order and year width that StrToDate reads
  // the bounds with, so it comes first.
  V->SetFormat(static_cast<Validate::TDateFormat>(FormatIndex(O, Validate::vdfLong)));
  if (O.Min || O.Max) {
    double Min = 0, Max = 0;
    Bounds<double>(O, vcl::EncodeDate(1, 1, 1), vcl::EncodeDate(9999, 12, 31), vcl::StrToDate, Min,
                   Max);
    V->SetNoBounds(false);
    V->SetMax(Max);
    V->SetMin(Min);
  }
  return V;
}

std::unique_ptr<Validate::TValidator> MakeTime(const TOptions& O) {
  auto V = std::make_unique<Validate::TTimeValidator>(nullptr);
  V->SetFormat(static_cast<Validate::TTimeFormat>(FormatIndex(O, Validate::vtfShort)));
  if (O.Min || O.Max) {
    double Min = 0, Max = 0;
    // A bound left out stays where the validator puts it: the whole day.
    Bounds<double>(O, V->Min(), V->Max(), vcl::StrToTime, Min, Max);
    V->SetNoBounds(false);
    V->SetMax(Max);
    V->SetMin(Min);
  }
  return V;
}

} // namespace

std::unique_ptr<Validate::TValidator> MakeValidator(const TOptions& O) {
  if (O.Kind == "integer")
    return MakeInteger(O);
  if (O.Kind == "float")
    return MakeFloat(O);
  if (O.Kind == "currency")
    return MakeFloatKind<Validate::TCurrencyValidator>(O);
  if (O.Kind == "picture")
    return MakePicture(O);
  if (O.Kind == "date")
    return MakeDate(O);
  if (O.Kind == "time")
    return MakeTime(O);
  if (O.Kind == "lookup")
    return MakeLookup(O);
  if (O.Kind == "filter")
    return MakeFilter(O);
  throw TUsageError("unknown kind '" + O.Kind + "'");
}

} // namespace ValCheck
