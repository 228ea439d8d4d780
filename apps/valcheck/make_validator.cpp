// Validator construction for valcheck. Bounds are read with the conversions
// the validator itself judges with, so "--min 1,5" means what a typed "1,5"
// means under the chosen locale. Option values and words are taken in the
// input's encoding, as the lines are.
#include "apps/valcheck/make_validator.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>

#include "apps/valcheck/line_reader.h"
#include "validate/kinds.h"
#include "validate/picture_syntax.h"
#include "vcl/sysutils.h"

namespace ValCheck {

namespace {

// Value in UTF-8, as the validators take it.
std::string FromInput(const TOptions& O, const std::string& What, const std::string& Value) {
  std::string Converted;
  std::string_view Result;
  TDecodeFault Fault;
  if (!DecodeInput(O.Encoding, Value, Converted, Result, Fault))
    throw TUsageError("bad value for " + What + ": '" + Value + "' " + DescribeFault(Fault));
  return std::string(Result);
}

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
  Min = O.Min ? Parse<T>("--min", FromInput(O, "--min", *O.Min), Conv) : Lowest;
  Max = O.Max ? Parse<T>("--max", FromInput(O, "--max", *O.Max), Conv) : Highest;
  if (Min > Max)
    throw TUsageError("--min is greater than --max");
}

void SetUpInteger(Validate::TIntegerValidator& V, const TOptions& O) {
  V.SetLeadingZeros(O.LeadingZeros);
  if (O.Min || O.Max) {
    int Min = 0, Max = 0;
    Bounds<int>(O, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), vcl::StrToInt,
                Min, Max);
    V.SetNoBounds(false);
    V.SetMax(Max);
    V.SetMin(Min);
  }
}

// The float and the currency validator.
void SetUpFloatKind(Validate::TCustomFloatValidator& V, const TOptions& O) {
  if (O.Precision) {
    const int Precision = Parse<int>("--precision", *O.Precision, vcl::StrToInt);
    if (Precision < 0 || Precision > 255)
      throw TUsageError("bad value for --precision: " + *O.Precision + " is not from 0 to 255");
    V.SetPrecision(static_cast<std::uint8_t>(Precision));
  }
  if (O.Min || O.Max) {
    double Min = 0, Max = 0;
    const double Widest = std::numeric_limits<double>::max();
    auto ToDouble = [Widest, &V](const std::string& Text) {
      const vcl::Extended Value = vcl::StrToFloat(Text, V.FormatSettings());
      if (!(Value >= -Widest && Value <= Widest))
        throw vcl::EConvertError("'" + Text + "' is out of range");
      return static_cast<double>(Value);
    };
    Bounds<double>(O, -Widest, Widest, ToDouble, Min, Max);
    V.SetNoBounds(false);
    V.SetMax(Max);
    V.SetMin(Min);
  }
}

void SetUpFloat(Validate::TFloatValidator& V, const TOptions& O) {
  SetUpFloatKind(V, O);
  V.SetLeadingZeros(O.LeadingZeros);
}

// Closes a file descriptor when it goes out of scope.
struct TFileCloser {
  int Fd;
  ~TFileCloser() { ::close(Fd); }
};

// The words of the word file, one a line, in code page 1252; empty lines
// are left out.
void ReadWords(const TOptions& O, vcl::TStringList& Words) {
  const std::string& Path = *O.Words;
  const auto Failure = [&Path](int Error) {
    return TUsageError("cannot read word file '" + Path + "': " + std::strerror(Error));
  };
  const int Fd = ::open(Path.c_str(), O_RDONLY);
  if (Fd < 0)
    throw Failure(errno);
  const TFileCloser Closer{Fd};
  TLineReader Reader(Fd, O.MaxLineLength);
  std::string_view Line;
  for (int LineNo = 1;; ++LineNo) {
    const auto Where = [&] { return "word file '" + Path + "', line " + std::to_string(LineNo); };
    switch (Reader.Next(Line, nullptr)) {
    case TLineReader::lkEnd:
      return;
    case TLineReader::lkError:
      throw Failure(Reader.Error());
    case TLineReader::lkTooLong:
      throw TUsageError(Where() + ": longer than " + std::to_string(O.MaxLineLength) + " bytes");
    case TLineReader::lkLine:
      break;
    }
    if (LineNo == 1 && O.Encoding == enUtf8 && Line.starts_with(Utf8Bom))
      Line.remove_prefix(Utf8Bom.size());
    if (Line.empty())
      continue;
    Words.Add(FromInput(O, Where(), std::string(Line)));
  }
}

void SetUpLookup(Validate::TStringLookupValidator& V, const TOptions& O) {
  vcl::TStringList Words;
  ReadWords(O, Words);
  // Sorting first lets the validator's list take the words in order, each
  // at its end, instead of shifting the list for every word.
  Words.Sort();
  V.SetCaseSensitive(O.CaseSensitive);
  V.SetItems(&Words);
}

void SetUpFilter(Validate::TFilterValidator& V, const TOptions& O) {
  const std::string Chars = FromInput(O, "--chars", *O.Chars);
  // The filter drops what it can never list; said here, rather than the
  // character being refused (or let through, with --invalid) on every line.
  const std::u32string Codes = vcl::Utf8Decode(Chars);
  for (std::size_t I = 0; I < Codes.size(); ++I) {
    if (Codes[I] != 127 && !vcl::IsGraphic(Codes[I]))
      throw TUsageError("bad value for --chars: '" + vcl::Utf8Encode(Codes[I]) + "' (character " +
                        std::to_string(I + 1) +
                        ") cannot be listed; a filter lists no blank or control character");
  }
  V.SetFilterChars(Chars);
  V.SetFilterType(O.InvalidChars ? Validate::ftInvalidChars : Validate::ftValidChars);
}

void SetUpPicture(Validate::TPictureValidator& V, const TOptions& O) {
  const std::string Picture = FromInput(O, "--picture", *O.Picture);
  if (const auto Fault = Validate::CheckPictureSyntax(Picture))
    throw TUsageError("bad picture '" + *O.Picture + "': " + Fault->Message);
  V.SetPicture(Picture);
}

// The index of --format's value among short, long and optional.
int FormatIndex(const TOptions& O, int Default) {
  if (!O.Format)
    return Default;
  return *O.Format == "short" ? 0 : *O.Format == "long" ? 1 : 2;
}

void SetUpDate(Validate::TDateValidator& V, const TOptions& O) {
  // The format decides the date order and year width that StrToDate reads
  // the bounds with, so it comes first.
  V.SetFormat(static_cast<Validate::TDateFormat>(FormatIndex(O, Validate::vdfLong)));
  if (O.Min || O.Max) {
    double Min = 0, Max = 0;
    Bounds<double>(
        O, vcl::EncodeDate(1, 1, 1), vcl::EncodeDate(9999, 12, 31),
        [&V](const std::string& Text) { return vcl::StrToDate(Text, V.FormatSettings()); }, Min,
        Max);
    V.SetNoBounds(false);
    V.SetMax(Max);
    V.SetMin(Min);
  }
}

void SetUpTime(Validate::TTimeValidator& V, const TOptions& O) {
  V.SetFormat(static_cast<Validate::TTimeFormat>(FormatIndex(O, Validate::vtfShort)));
  if (O.Min || O.Max) {
    double Min = 0, Max = 0;
    // A bound left out stays where the validator puts it: the whole day.
    Bounds<double>(
        O, V.Min(), V.Max(),
        [&V](const std::string& Text) { return vcl::StrToTime(Text, V.FormatSettings()); }, Min,
        Max);
    V.SetNoBounds(false);
    V.SetMax(Max);
    V.SetMin(Min);
  }
}

// Applies the options to V, made by the row of Kind; a kind without options
// keeps its validator's defaults.
void SetUp(vcl::Byte Kind, Validate::TValidator& V, const TOptions& O) {
  using namespace Validate::Kinds;
  switch (Kind) {
  case vkFilter:
    return SetUpFilter(dynamic_cast<Validate::TFilterValidator&>(V), O);
  case vkInteger:
    return SetUpInteger(dynamic_cast<Validate::TIntegerValidator&>(V), O);
  case vkFloat:
    return SetUpFloat(dynamic_cast<Validate::TFloatValidator&>(V), O);
  case vkCurrency:
    return SetUpFloatKind(dynamic_cast<Validate::TCurrencyValidator&>(V), O);
  case vkStringLookup:
    return SetUpLookup(dynamic_cast<Validate::TStringLookupValidator&>(V), O);
  case vkPicture:
    return SetUpPicture(dynamic_cast<Validate::TPictureValidator&>(V), O);
  case vkDate:
    return SetUpDate(dynamic_cast<Validate::TDateValidator&>(V), O);
  case vkTime:
    return SetUpTime(dynamic_cast<Validate::TTimeValidator&>(V), O);
  default:
    return;
  }
}

} // namespace

std::unique_ptr<Validate::TValidator> MakeValidator(const TOptions& O) {
  const Validate::TValidatorKind* Row = Validate::FindKindByCommandName(O.Kind);
  if (!Row)
    throw TUsageError("unknown kind '" + O.Kind + "'");
  std::unique_ptr<Validate::TValidator> V(Row->Create(nullptr));
  // A copy of its own: the threads that judge read no shared settings.
  V->SetFormatSettings(vcl::FormatSettings);
  SetUp(Row->Number, *V, O);
  return V;
}

} // namespace ValCheck
