// The form-file writer: a component, its published properties and the
// components nested in it, in the classic text form
//
//   object Edit1: TValidEdit
//     Kind = 2
//     Validator.Max = 10
//     Items.Strings = (
//       'one'
//       'two')
//   end
//
// Values equal to their declared default and properties whose stored-test
// says no are left out; the reader restores them from the constructor.
#include <charconv>
#include <cmath>
#include <string_view>

#include "vcl/typinfo.h"

namespace vcl {

void TComponent::GetChildren(const std::function<void(TComponent*)>& Proc,
                             const TComponent* Root) const {
  if (this != Root)
    return;
  for (int I = 0; I < ComponentCount(); ++I) {
    TComponent* Child = Components(I);
    const TComponent* Parent = Child->GetParentComponent();
    if (!Parent || Parent == this)
      Proc(Child);
  }
}

namespace {

// Source characters per quoted piece before a long string goes on with '+'.
constexpr int StringPieceLength = 64;
// Bytes per line of binary data.
constexpr int BinaryLineBytes = 32;
// Sub-objects within sub-objects deeper than this mean a getter that leads
// back to its own object.
constexpr int MaxSubObjectDepth = 64;

std::string Indent(int Level) {
  return std::string(static_cast<std::size_t>(Level) * 2, ' ');
}

bool Plain(char32_t C) {
  return C >= ' ' && C < 127;
}

// #nn for a character outside printable ASCII. A C1 control (U+0080 to
// U+009F) is written in hex, #$80 to #$9F: decimal #128 to #159 name code
// page 1252 characters, as files written by earlier versions meant them.
std::string CharCode(char32_t C) {
  if (C >= 0x80 && C <= 0x9F) {
    constexpr char Digits[] = "0123456789ABCDEF";
    return std::string("#$") + Digits[C >> 4] + Digits[C & 0xF];
  }
  return '#' + std::to_string(static_cast<std::uint32_t>(C));
}

// One quoted piece: printable ASCII runs in quotes (a quote doubled), every
// other character as #nn, its code point, so that the file stays 7-bit and
// reads back the same whatever the reader's encoding.
std::string QuotePiece(const std::string& S) {
  std::string Out;
  bool InQuotes = false;
  for (const char32_t C : Utf8Decode(S)) {
    if (Plain(C)) {
      if (!InQuotes)
        Out += '\'';
      InQuotes = true;
      Out += static_cast<char>(C);
      if (C == '\'')
        Out += '\'';
    } else {
      if (InQuotes)
        Out += '\'';
      InQuotes = false;
      Out += CharCode(C);
    }
  }
  if (InQuotes)
    Out += '\'';
  return Out.empty() ? "''" : Out;
}

// The string literal for S; a long one is split into pieces joined by '+',
// each further piece on its own line at Level.
std::string QuoteString(const std::string& S, int Level) {
  std::string Out;
  for (int Start = 1; Start == 1 || Start <= Length(S); Start += StringPieceLength) {
    if (Start > 1)
      Out += " +\n" + Indent(Level);
    Out += QuotePiece(Copy(S, Start, StringPieceLength));
  }
  return Out;
}

// The shortest text that reads back as the same value of the property's
// precision, with the exponent written as 1E20 and 1E-5.
std::string FloatText(long double Value, int Size, const std::string& Name) {
  if (!std::isfinite(Value))
    throw EWriteError("Property " + Name + " holds a value that cannot be stored");
  if (Value == 0)
    Value = 0; // no "-0"
  char Buf[64];
  const auto Shortest = [&](auto V) {
    std::to_chars_result R = std::to_chars(Buf, Buf + sizeof Buf, V);
    // Plain digits read back as an integer, and more than 18 of them may be
    // too many for one: such a value is written with its exponent.
    const std::string_view Digits(Buf, static_cast<std::size_t>(R.ptr - Buf));
    if (Digits.find_first_of(".e") == std::string_view::npos &&
        Digits.size() - (Digits[0] == '-' ? 1 : 0) > 18)
      R = std::to_chars(Buf, Buf + sizeof Buf, V, std::chars_format::scientific);
    return std::string(Buf, R.ptr);
  };
  const std::string S = Size == 4   ? Shortest(static_cast<float>(Value))
                        : Size == 8 ? Shortest(static_cast<double>(Value))
                                    : Shortest(Value);
  const auto E = S.find('e');
  if (E == std::string::npos)
    return S;
  std::string Exponent = S.substr(E + 1);
  const bool Negative = Exponent[0] == '-';
  Exponent.erase(0, Exponent.find_first_not_of("+-0"));
  return S.substr(0, E) + "E" + (Negative ? "-" : "") + Exponent;
}

std::string CurrencyText(Currency Value) {
  const std::int64_t Raw = Value.Raw();
  // Work with the magnitude as unsigned: the most negative amount has no positive twin.
  const std::uint64_t Abs = Raw < 0 ? 0 - static_cast<std::uint64_t>(Raw) : Raw;
  std::string S = std::to_string(Abs / 10000);
  std::string Fraction = std::to_string(Abs % 10000 + 10000).substr(1);
  Fraction.erase(Fraction.find_last_not_of('0') + 1);
  if (!Fraction.empty())
    S += '.' + Fraction;
  return Raw < 0 ? '-' + S : S;
}

std::string BinaryText(const std::string& Bytes, int Level) {
  static const char Hex[] = "0123456789ABCDEF";
  std::string Out = "{";
  for (std::size_t I = 0; I < Bytes.size(); ++I) {
    if (I % BinaryLineBytes == 0)
      Out += '\n' + Indent(Level);
    const auto B = static_cast<unsigned char>(Bytes[I]);
    Out += Hex[B >> 4];
    Out += Hex[B & 15];
  }
  return Out + '}';
}

class TTextWriter {
public:
  explicit TTextWriter(const TComponent* Root) : FRoot(Root) {}

  std::string Write() {
    WriteObject(FRoot, 0);
    return FOut;
  }

private:
  void Line(int Level, const std::string& S) { FOut += Indent(Level) + S + '\n'; }

  void WriteObject(const TComponent* C, int Level) {
    const std::string Header =
        C->Name().empty() ? C->ClassName() : C->Name() + ": " + C->ClassName();
    Line(Level, "object " + Header);
    // Writing reads values only; getters are not required to be const.
    WriteProperties(const_cast<TComponent*>(C), "", Level + 1, 0);
    C->GetChildren([&](TComponent* Child) { WriteObject(Child, Level + 1); }, FRoot);
    Line(Level, "end");
  }

  void WriteProperties(TObject* Obj, const std::string& Prefix, int Level, int Depth) {
    if (Depth > MaxSubObjectDepth)
      throw EWriteError("Sub-objects nested too deeply at " + Prefix);
    const TClassInfo* Info = GetClassInfo(Obj);
    if (!Info)
      return;
    for (const TPropInfo* P : Info->Properties())
      if (!P->IsStored || P->IsStored(Obj))
        WriteProperty(Obj, *P, Prefix + P->Name, Level, Depth);
  }

  void WriteProperty(TObject* Obj, const TPropInfo& P, const std::string& Path, int Level,
                     int Depth) {
    const TPropValue Value = P.Get(Obj);
    if (P.Kind == tkClass) {
      if (TObject* Sub = std::get<TObject*>(Value))
        WriteProperties(Sub, Path + ".", Level, Depth + 1);
      return;
    }
    if (P.Kind == tkStrings) {
      WriteStrings(static_cast<TStrings*>(std::get<TObject*>(Value)), Path, Level);
      return;
    }
    // A read-only value cannot be read back, so it is not stored.
    if (P.ReadOnly() || (P.Default && *P.Default == Value))
      return;
    const std::string Text = ValueText(P, Value, Level + 1);
    if (!Text.empty())
      Line(Level, Path + " = " + Text);
  }

  void WriteStrings(const TStrings* List, const std::string& Path, int Level) {
    if (!List || List->Count() == 0)
      return;
    std::string Text = Path + ".Strings = (";
    for (int I = 0; I < List->Count(); ++I)
      Text += '\n' + Indent(Level + 1) + QuoteString(List->Strings(I), Level + 2);
    Line(Level, Text + ')');
  }

  // The value as written after "Name = "; empty when there is nothing to store.
  std::string ValueText(const TPropInfo& P, const TPropValue& Value, int Level) const {
    switch (P.Kind) {
    case tkBoolean:
      return std::get<std::int64_t>(Value) ? "True" : "False";
    case tkInteger: {
      const std::int64_t N = std::get<std::int64_t>(Value);
      for (const TIdentMapEntry& Ident : P.Idents())
        if (Ident.Value == N)
          return Ident.Name;
      return std::to_string(N);
    }
    case tkChar:
      return QuotePiece(Utf8Encode(static_cast<char32_t>(std::get<std::int64_t>(Value))));
    case tkEnumeration:
      return EnumName(P, std::get<std::int64_t>(Value));
    case tkSet: {
      const auto& Bits = std::get<std::bitset<256>>(Value);
      std::string Out;
      for (std::size_t I = 0; I < Bits.size(); ++I)
        if (Bits.test(I))
          Out += (Out.empty() ? "" : ", ") + EnumName(P, static_cast<std::int64_t>(I));
      return '[' + Out + ']';
    }
    case tkFloat:
      return FloatText(std::get<long double>(Value), P.FloatSize, P.Name);
    case tkCurrency:
      return CurrencyText(std::get<Currency>(Value));
    case tkString:
      return QuoteString(std::get<std::string>(Value), Level);
    case tkBinary:
      return BinaryText(std::get<std::string>(Value), Level);
    case tkComponent:
      return ReferenceText(dynamic_cast<TComponent*>(std::get<TObject*>(Value)));
    case tkMethod:
      return std::get<std::string>(Value);
    case tkClass:
    case tkStrings:
      break;
    }
    return {};
  }

  static std::string EnumName(const TPropInfo& P, std::int64_t N) {
    if (N < 0 || N >= static_cast<std::int64_t>(P.EnumType->Names.size()))
      throw EWriteError("Property " + P.Name + " holds no value of " + P.EnumType->Name);
    return P.EnumType->Names[static_cast<std::size_t>(N)];
  }

  // A component of this form by its name, one of another form as Form.Name;
  // an unnamed one cannot be found again and is not stored.
  std::string ReferenceText(const TComponent* C) const {
    if (!C || C->Name().empty())
      return {};
    if (C == FRoot || C->Owner() == FRoot || !C->Owner())
      return C->Name();
    return C->Owner()->Name() + '.' + C->Name();
  }

  const TComponent* FRoot;
  std::string FOut;
};

} // namespace

std::string ComponentToText(const TComponent* Root) {
  if (!Root)
    throw EWriteError("No component to write");
  return TTextWriter(Root).Write();
}

} // namespace vcl
