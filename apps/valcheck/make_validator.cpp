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
#include "validate/picture_syntax.h"

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

// Value in code page 1252, as the validators take it.
std::string FromInput(const TOptions& O, const std::string& What, const std::string& Value) {
  if (O.Encoding == enCp1252 || IsAscii(Value))
    return Value;
  std::string Converted;
  TDecodeFault Fault;
  if (!Utf8ToCp1252(Value, Converted, Fault))
    throw TUsageError("bad value for " + What + ": '" + Value + "' " + DescribeFault(Fault));
  return Converted;
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
    if (O.Encoding == enCp1252 || IsAscii(Line))
      Words.Add(std::string(Line));
    else
      Words.Add(FromInput(O, Where(), std::string(Line)));
  }
}

std::unique_ptr<Validate::TValidator> MakeLookup(const TOptions& O) {
  vcl::TStringList Words;
  ReadWords(O, Words);
  // Sorting first lets the validator's list take the words in order, each
  // at its end, instead of shifting the list for every word.
  Words.Sort();
  auto V = std::make_unique<Validate::TStringLookupValidator>(nullptr);
  V->SetCaseSensitive(O.CaseSensitive);
  V->SetItems(&Words);
  return V;
}

std::unique_ptr<Validate::TValidator> MakeFilter(const TOptions& O) {
  auto V = std::make_unique<Validate::TFilterValidator>(nullptr);
  const std::string Chars = FromInput(O, "--chars", *O.Chars);
  // The filter drops what it can never list; said here, rather than the
  // character being refused (or let through, with --invalid) on every line.
  for (std::size_t I = 0; I < Chars.size(); ++I) {
    const auto Code = static_cast<unsigned char>(Chars[I]);
    if (Code < 33 || Code > 127) {
      std::string Shown;
      if (O.Encoding == enUtf8)
        AppendUtf8(Chars.substr(I, 1), Shown);
      else
        Shown = Chars.substr(I, 1);
      throw TUsageError("bad value for --chars: '" + Shown + "' (character " +
                        std::to_string(I + 1) +
                        ") cannot be listed; a filter lists only characters with codes 33 to "
                        "127 (no blank, control character or accented letter)");
    }
  }
  V->SetFilterChars(Chars);
  V->SetFilterType(O.InvalidChars ? Validate::ftInvalidChars : Validate::ftValidChars);
  return V;
}

std::unique_ptr<Validate::TValidator> MakePicture(const TOptions& O) {
  const std::string Picture = FromInput(O, "--picture", *O.Picture);
  if (const auto Fault = Validate::CheckPictureSyntax(Picture))
    throw TUsageError("bad picture '" + *O.Picture + "': " + Fault->Message);
  auto V = std::make_unique<Validate::TPictureValidator>(nullptr);
  V->SetPicture(Picture);
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

std::string UnboundedLiteral(const TOptions& O) {
  if (O.Min || O.Max)
    return {};
  if (O.Kind == "integer")
    return " is not a valid integer.";
  if (O.Kind == "float")
    return " is not a valid number.";
  if (O.Kind == "currency")
    return " is not a valid currency.";
  return {};
}

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
