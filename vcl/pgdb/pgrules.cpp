// The rules a PostgreSQL column holds each value to that are judged where a
// field is assigned, so that a value the table would refuse, or keep other
// than given, is reported where the user typed it: NOT NULL, the range of
// small integers, the length of varchar(n), the digits of numeric(p,s) and
// of a real. CHECK constraints and the like are left to the write.
#include <charconv>
#include <cstring>

#include "vcl/pgdb/detail/pg_impl.h"

namespace vcl {

namespace {

[[noreturn]] void Refuse(const TField* Field, const std::string& Why) {
  DatabaseError("Field '" + Field->DisplayLabel() + "': " + Why);
}

[[noreturn]] void NotExactly(const TField* Field, const std::string& Given,
                             const std::string& Held) {
  Refuse(Field, Given + " cannot be stored exactly; the column would hold " + Held);
}

// A number's digits: its sign, those before the point and those after.
struct TDecimal {
  bool Negative = false;
  std::string Whole, Fraction;
};

std::optional<TDecimal> DecimalOf(const TDBValue& Value) {
  std::string Text = pg::ParamText(Value).value_or("");
  if (const auto* D = std::get_if<double>(&Value)) {
    char Buffer[400];
    const auto End = std::to_chars(Buffer, Buffer + sizeof Buffer, *D, std::chars_format::fixed);
    Text.assign(Buffer, End.ptr);
  }
  TDecimal Result;
  std::size_t Pos = 0;
  if (Pos < Text.size() && (Text[Pos] == '-' || Text[Pos] == '+'))
    Result.Negative = Text[Pos++] == '-';
  const std::size_t Point = Text.find('.', Pos);
  Result.Whole = Text.substr(Pos, Point == std::string::npos ? std::string::npos : Point - Pos);
  if (Point != std::string::npos)
    Result.Fraction = Text.substr(Point + 1);
  for (const std::string* Part : {&Result.Whole, &Result.Fraction})
    if (Part->find_first_not_of("0123456789") != std::string::npos)
      return std::nullopt; // NaN, or not a number: the write says so
  Result.Whole.erase(0, std::min(Result.Whole.find_first_not_of('0'), Result.Whole.size()));
  return Result;
}

// Rounds half away from zero to Scale decimals, as numeric does.
TDecimal Rounded(TDecimal D, int Scale) {
  const bool Up = static_cast<int>(D.Fraction.size()) > Scale && D.Fraction[Scale] >= '5';
  D.Fraction.resize(Scale, '0');
  if (Up) {
    std::string Digits = D.Whole + D.Fraction;
    int I = static_cast<int>(Digits.size()) - 1;
    for (; I >= 0 && Digits[I] == '9'; --I)
      Digits[I] = '0';
    if (I < 0)
      Digits.insert(Digits.begin(), '1');
    else
      ++Digits[I];
    D.Whole = Digits.substr(0, Digits.size() - Scale);
    D.Fraction = Digits.substr(Digits.size() - Scale);
  }
  return D;
}

std::string TextOf(const TDecimal& D) {
  return (D.Negative ? "-" : "") + (D.Whole.empty() ? std::string("0") : D.Whole) +
         (D.Fraction.empty() ? "" : "." + D.Fraction);
}

// numeric(p,s): at most s decimals (others would be rounded away) and
// p - s digits before the point.
void CheckNumeric(const TField* Field, const TDBValue& Value, int Mod) {
  const auto D = DecimalOf(Value);
  if (!D || Mod < 4)
    return;
  const int Precision = ((Mod - 4) >> 16) & 0xffff, Scale = (Mod - 4) & 0xffff;
  const TDecimal Held = Rounded(*D, Scale);
  const bool Dropped = D->Fraction.size() > static_cast<std::size_t>(Scale) &&
                       D->Fraction.find_first_not_of('0', Scale) != std::string::npos;
  if (static_cast<int>(Held.Whole.size()) > Precision - Scale)
    Refuse(Field, TextOf(*D) + " cannot be stored; the column holds at most " +
                      std::to_string(Precision - Scale) + " digits before the point");
  if (Dropped)
    NotExactly(Field, TextOf(*D), TextOf(Held));
}

void CheckReal(const TField* Field, const TDBValue& Value) {
  const auto D = pg::RealOf(pg::ParamText(Value).value_or(""));
  if (!D)
    return;
  char Buffer[64];
  const auto End = std::to_chars(Buffer, Buffer + sizeof Buffer, static_cast<float>(*D));
  const std::string Held(Buffer, End.ptr);
  if (pg::RealOf(Held) != *D)
    NotExactly(Field, pg::RealText(*D), Held);
}

void CheckInteger(const TField* Field, const TDBValue& Value, Oid Type) {
  const auto* I = std::get_if<std::int64_t>(&Value);
  const std::int64_t Limit = Type == pg::Int2Oid ? 32767 : 2147483647;
  if (I && (*I > Limit || *I < -Limit - 1))
    Refuse(Field, std::to_string(*I) + " is out of the column's range (" +
                      std::to_string(-Limit - 1) + " to " + std::to_string(Limit) + ")");
}

} // namespace

void TPgDataSet::TCursor::Check(const TField* Field, const TRecordBuffer& Rec,
                                bool Inserting) const {
  const int Column = Field->FieldNo() - 1;
  if (!FWritable || Column < 0 || Column >= static_cast<int>(FCols.size()))
    return;
  const pg::TColumn& C = FCols[Column];
  const TDBValue& Value = Rec[Column];
  // An insert leaves Null columns to their defaults; an update writes Null.
  if (IsNullValue(Value)) {
    if (C.NotNull && !(Inserting && C.HasDefault))
      DatabaseError("Field '" + Field->DisplayLabel() + "' must have a value");
    return;
  }
  if (const auto* S = std::get_if<std::string>(&Value); S && S->find('\0') != std::string::npos)
    Refuse(Field, "a text holding a NUL character cannot be stored");
  switch (C.Type) {
  case pg::Int2Oid:
  case pg::Int4Oid:
    return CheckInteger(Field, Value, C.Type);
  case pg::NumericOid:
    return CheckNumeric(Field, Value, C.Mod);
  case pg::Float4Oid:
    return CheckReal(Field, Value);
  case pg::VarcharOid:
  case pg::BpcharOid:
    if (const auto* S = std::get_if<std::string>(&Value); S && C.Mod >= 4 && Length(*S) > C.Mod - 4)
      Refuse(Field,
             "the text is longer than the column's " + std::to_string(C.Mod - 4) + " characters");
    return;
  default:
    return;
  }
}

} // namespace vcl
