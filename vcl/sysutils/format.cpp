// Format: the classic directive language "%" [index ":"] ["-"] [width]
// ["." precision] type. Arguments are only ever values: their texts are
// copied into the result and never scanned for directives.
#include <cstdint>
#include <vector>

#include "vcl/sysutils/detail/floatrec.h"

namespace vcl {

namespace {

// The widest width or precision a directive may ask for, written or taken
// from an argument: a larger one is a mistake, and honouring it would
// allocate as much as the caller's data says.
constexpr int MaxWidth = 100000;

class TFormatter {
public:
  TFormatter(const std::string& Fmt, std::initializer_list<TVarRec> Args,
             const TFormatSettings& Settings)
      : FFmt(Fmt), FArgs(Args.begin(), Args.end()), FSettings(Settings) {}

  std::string Run() {
    std::string Result;
    while (FPos <= static_cast<int>(FFmt.size())) {
      const char Ch = FFmt[static_cast<size_t>(FPos - 1)];
      ++FPos;
      if (Ch != '%') {
        Result += Ch;
      } else if (Peek() == '%') {
        Result += '%';
        ++FPos;
      } else {
        Result += Directive();
      }
    }
    return Result;
  }

private:
  [[noreturn]] void Invalid() const {
    throw EConvertError("Format '" + FFmt + "' invalid or incompatible with argument");
  }

  char Peek() const {
    return FPos <= static_cast<int>(FFmt.size()) ? FFmt[static_cast<size_t>(FPos - 1)] : '\0';
  }

  const TVarRec& NextArg() {
    if (FArgIndex < 0 || FArgIndex >= static_cast<int>(FArgs.size()))
      Invalid();
    return FArgs[static_cast<size_t>(FArgIndex++)];
  }

  // A number written in the format, or '*' taking it from the next argument;
  // -1 when neither is there. Either kind is at most MaxWidth.
  int Number() {
    if (Peek() == '*') {
      ++FPos;
      const TVarRec& Arg = NextArg();
      if (Arg.Kind() != TVarRec::vtInteger || Arg.AsInt() > MaxWidth)
        Invalid();
      return static_cast<int>(Arg.AsInt());
    }
    if (Peek() < '0' || Peek() > '9')
      return -1;
    int Value = 0;
    while (Peek() >= '0' && Peek() <= '9') {
      Value = Value * 10 + (Peek() - '0');
      if (Value > MaxWidth)
        Invalid();
      ++FPos;
    }
    return Value;
  }

  std::string Directive() {
    int Width = Number();
    if (Peek() == ':') {
      ++FPos;
      if (Width < 0)
        Invalid();
      FArgIndex = Width;
      Width = -1;
    }
    bool Left = false;
    if (Peek() == '-') {
      Left = true;
      ++FPos;
    }
    if (Width < 0)
      Width = Number();
    int Prec = -1;
    if (Peek() == '.') {
      ++FPos;
      Prec = Number();
      if (Prec < 0)
        Prec = 0;
    }
    const char Type = UpCase(Peek());
    if (Type == '\0')
      Invalid();
    ++FPos;
    std::string Text = Convert(Type, NextArg(), Prec);
    if (Length(Text) < Width) {
      const std::string Pad = StringOfChar(' ', Width - Length(Text));
      Text = Left ? Text + Pad : Pad + Text;
    }
    return Text;
  }

  std::string Convert(char Type, const TVarRec& Arg, int Prec) {
    switch (Type) {
    case 'D':
      return DecimalText(Arg, Prec);
    case 'U':
      return ZeroPadded(std::to_string(Unsigned(Arg)), Prec);
    case 'X':
      return IntToHex(static_cast<std::int64_t>(Unsigned(Arg)), Prec);
    case 'S':
      if (Arg.Kind() != TVarRec::vtString && Arg.Kind() != TVarRec::vtChar)
        Invalid();
      return Prec >= 0 ? Copy(Arg.AsString(), 1, Prec) : Arg.AsString();
    case 'E':
      return FloatText(Arg, ffExponent, Prec < 0 ? 15 : Prec, 3);
    case 'F':
      return FloatText(Arg, ffFixed, 18, Prec < 0 ? 2 : Prec);
    case 'G':
      return FloatText(Arg, ffGeneral, Prec < 0 ? 15 : Prec, 3);
    case 'N':
      return FloatText(Arg, ffNumber, 18, Prec < 0 ? 2 : Prec);
    case 'M':
      return FloatText(Arg, ffCurrency, 18, Prec < 0 ? FSettings.CurrencyDecimals : Prec);
    default:
      Invalid();
    }
  }

  void RequireInteger(const TVarRec& Arg) const {
    if (Arg.Kind() != TVarRec::vtInteger && Arg.Kind() != TVarRec::vtInt64)
      Invalid();
  }

  static std::string ZeroPadded(std::string Digits, int MinDigits) {
    if (Length(Digits) < MinDigits)
      Digits.insert(0, static_cast<size_t>(MinDigits - Length(Digits)), '0');
    return Digits;
  }

  std::string DecimalText(const TVarRec& Arg, int Prec) {
    RequireInteger(Arg);
    const std::int64_t Value = Arg.AsInt();
    const std::uint64_t Magnitude =
        Value < 0 ? 0 - static_cast<std::uint64_t>(Value) : static_cast<std::uint64_t>(Value);
    const std::string Digits = ZeroPadded(std::to_string(Magnitude), Prec);
    return Value < 0 ? "-" + Digits : Digits;
  }

  // A 32-bit argument is read as its 32-bit pattern, a 64-bit one as 64 bits.
  std::uint64_t Unsigned(const TVarRec& Arg) const {
    RequireInteger(Arg);
    if (Arg.Kind() == TVarRec::vtInteger)
      return static_cast<std::uint32_t>(Arg.AsInt());
    return static_cast<std::uint64_t>(Arg.AsInt());
  }

  std::string FloatText(const TVarRec& Arg, TFloatFormat Fmt, int Precision, int Digits) {
    if (Arg.Kind() == TVarRec::vtCurrency)
      return detail::FloatRecToText(detail::CurrToDecimal(Currency::FromRaw(Arg.AsInt())), Fmt,
                                    Precision, Digits, 19, FSettings);
    if (Arg.Kind() != TVarRec::vtExtended)
      Invalid();
    return detail::FloatRecToText(detail::FloatToDecimal(Arg.AsFloat()), Fmt, Precision, Digits, 18,
                                  FSettings);
  }

  const std::string& FFmt;
  std::vector<TVarRec> FArgs;
  const TFormatSettings& FSettings;
  int FPos = 1;
  int FArgIndex = 0;
};

} // namespace

std::string Format(const std::string& Fmt, std::initializer_list<TVarRec> Args,
                   const TFormatSettings& Settings) {
  return TFormatter(Fmt, Args, Settings).Run();
}

std::string Format(const std::string& Fmt, std::initializer_list<TVarRec> Args) {
  return Format(Fmt, Args, FormatSettings);
}

} // namespace vcl
