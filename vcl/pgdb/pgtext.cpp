// The texts TPgDataSet exchanges with the server: values as libpq gives and
// takes them (every value travels as text, so nothing is lost on the way),
// the field type of each column type, quoted names, and the :name
// parameters of a query, found the way PostgreSQL reads SQL.
#include <cctype>
#include <charconv>
#include <cstring>
#include <functional>

#include "vcl/pgdb/detail/pg_impl.h"

namespace vcl::pg {

namespace {

// numeric(p,s) keeps its modifier as ((p << 16) | s) + 4; varchar(n) as n + 4.
constexpr int ModHeader = 4;

int HexDigit(char C) {
  if (C >= '0' && C <= '9')
    return C - '0';
  if (C >= 'a' && C <= 'f')
    return C - 'a' + 10;
  if (C >= 'A' && C <= 'F')
    return C - 'A' + 10;
  return -1;
}

// bytea in its hex output form, "\x0aff".
TBlobData DecodeBytea(const char* Text, int Length) {
  TBlobData Blob;
  if (Length >= 2 && Text[0] == '\\' && Text[1] == 'x')
    for (int I = 2; I + 1 < Length; I += 2)
      Blob.Bytes += static_cast<char>(HexDigit(Text[I]) * 16 + HexDigit(Text[I + 1]));
  return Blob;
}

std::string EncodeBytea(const std::string& Bytes) {
  static const char Digits[] = "0123456789abcdef";
  std::string S = "\\x";
  for (unsigned char C : Bytes) {
    S += Digits[C >> 4];
    S += Digits[C & 15];
  }
  return S;
}

bool IsNameStart(char C) {
  return std::isalpha(static_cast<unsigned char>(C)) || C == '_' ||
         static_cast<unsigned char>(C) >= 0x80;
}

bool IsNameChar(char C) {
  return IsNameStart(C) || std::isdigit(static_cast<unsigned char>(C)) || C == '$';
}

// The end of the quoted text that starts at Pos (a doubled quote stands for
// itself; with Backslash, a backslash escapes the next character).
std::size_t QuotedEnd(const std::string& SQL, std::size_t Pos, char Quote, bool Backslash) {
  for (++Pos; Pos < SQL.size(); ++Pos) {
    if (Backslash && SQL[Pos] == '\\')
      ++Pos;
    else if (SQL[Pos] == Quote && Pos + 1 < SQL.size() && SQL[Pos + 1] == Quote)
      ++Pos;
    else if (SQL[Pos] == Quote)
      return Pos + 1;
  }
  return SQL.size();
}

// The end of a dollar-quoted string ($tag$ ... $tag$) starting at Pos; Pos
// itself when no such string starts there.
std::size_t DollarEnd(const std::string& SQL, std::size_t Pos) {
  std::size_t Tag = Pos + 1;
  while (Tag < SQL.size() && SQL[Tag] != '$' && IsNameChar(SQL[Tag]))
    ++Tag;
  if (Tag >= SQL.size() || SQL[Tag] != '$' ||
      (Tag > Pos + 1 && std::isdigit(static_cast<unsigned char>(SQL[Pos + 1]))))
    return Pos;
  const std::string Delimiter = SQL.substr(Pos, Tag - Pos + 1);
  const std::size_t Close = SQL.find(Delimiter, Tag + 1);
  return Close == std::string::npos ? SQL.size() : Close + Delimiter.size();
}

// The end of the comment or quoted part at Pos; Pos when none starts there.
std::size_t SkipNonCode(const std::string& SQL, std::size_t Pos) {
  const char C = SQL[Pos];
  if (SQL.compare(Pos, 2, "--") == 0)
    return std::min(SQL.find('\n', Pos), SQL.size());
  if (SQL.compare(Pos, 2, "/*") == 0) {
    int Depth = 0; // comments nest
    for (; Pos + 1 < SQL.size(); ++Pos) {
      if (SQL.compare(Pos, 2, "/*") == 0) {
        ++Depth;
        ++Pos;
      } else if (SQL.compare(Pos, 2, "*/") == 0) {
        ++Pos;
        if (--Depth == 0)
          return Pos + 1;
      }
    }
    return SQL.size();
  }
  const bool Escaped = (C == 'E' || C == 'e') && Pos + 1 < SQL.size() && SQL[Pos + 1] == '\'' &&
                       (Pos == 0 || !IsNameChar(SQL[Pos - 1]));
  if (Escaped)
    return QuotedEnd(SQL, Pos + 1, '\'', true);
  if (C == '\'' || C == '"')
    return QuotedEnd(SQL, Pos, C, false);
  if (C == '$' && (Pos == 0 || !IsNameChar(SQL[Pos - 1])))
    return DollarEnd(SQL, Pos);
  return Pos;
}

// Calls Found(begin, end, name) for each :name of SQL, outside strings,
// quoted names and comments; "::" is a cast.
void EachParam(const std::string& SQL,
               const std::function<void(std::size_t, std::size_t, const std::string&)>& Found) {
  std::size_t Pos = 0;
  while (Pos < SQL.size()) {
    const std::size_t End = SkipNonCode(SQL, Pos);
    if (End != Pos) {
      Pos = End;
      continue;
    }
    if (SQL[Pos] == ':' && Pos + 1 < SQL.size() && SQL[Pos + 1] == ':') {
      Pos += 2;
      continue;
    }
    if (SQL[Pos] == ':' && Pos + 1 < SQL.size() && IsNameStart(SQL[Pos + 1])) {
      std::size_t NameEnd = Pos + 1;
      while (NameEnd < SQL.size() && IsNameChar(SQL[NameEnd]))
        ++NameEnd;
      Found(Pos, NameEnd, SQL.substr(Pos + 1, NameEnd - Pos - 1));
      Pos = NameEnd;
      continue;
    }
    ++Pos;
  }
}

int IndexOfName(const std::vector<std::string>& Names, const std::string& Name) {
  for (std::size_t I = 0; I < Names.size(); ++I)
    if (SameText(Names[I], Name))
      return static_cast<int>(I);
  return -1;
}

} // namespace

std::string RealText(double Value) {
  char Buffer[64];
  const auto End = std::to_chars(Buffer, Buffer + sizeof Buffer, Value);
  return std::string(Buffer, End.ptr);
}

std::optional<double> RealOf(const std::string& Text) {
  double Value = 0;
  const auto End = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  if (End.ec != std::errc() || End.ptr != Text.data() + Text.size())
    return std::nullopt;
  return Value;
}

TFieldType FieldTypeOf(Oid Type, int Mod, int& Size) {
  Size = 0;
  switch (Type) {
  case Int2Oid:
  case Int4Oid:
  case Int8Oid:
  case OidOid:
    return ftInteger;
  case BoolOid:
    return ftBoolean;
  case Float4Oid:
  case Float8Oid:
    return ftFloat;
  case NumericOid: {
    // An amount when every value of the column is one: four decimals at
    // most, and no more integer digits than the currency holds.
    if (Mod < ModHeader)
      return ftFloat;
    const int Precision = ((Mod - ModHeader) >> 16) & 0xffff;
    const int Scale = (Mod - ModHeader) & 0xffff;
    return Scale <= 4 && Precision - Scale <= 14 ? ftCurrency : ftFloat;
  }
  case DateOid:
    return ftDate;
  case TimeOid:
  case TimeTzOid:
    return ftTime;
  case TimestampOid:
  case TimestampTzOid:
    return ftDateTime;
  case VarcharOid:
  case BpcharOid:
    Size = Mod >= ModHeader ? Mod - ModHeader : 0;
    return ftString;
  default:
    return ftString;
  }
}

void ReadValue(Oid Type, const char* Text, int Length, TDBValue& Value) {
  if (!Text) {
    Value = TDBValue();
    return;
  }
  switch (Type) {
  case Int2Oid:
  case Int4Oid:
  case Int8Oid:
  case OidOid: {
    std::int64_t I = 0;
    std::from_chars(Text, Text + Length, I);
    Value = I;
    return;
  }
  case BoolOid:
    Value = std::int64_t(Text[0] == 't' ? 1 : 0);
    return;
  case ByteaOid:
    Value = DecodeBytea(Text, Length);
    return;
  default:
    // Numbers, dates and times stay in the server's text: read back
    // exactly, and compared with the column as they were read.
    if (auto* S = std::get_if<std::string>(&Value))
      S->assign(Text, static_cast<std::size_t>(Length));
    else
      Value = std::string(Text, static_cast<std::size_t>(Length));
    return;
  }
}

std::optional<std::string> ParamText(const TDBValue& Value) {
  struct {
    std::optional<std::string> operator()(std::monostate) const { return std::nullopt; }
    std::optional<std::string> operator()(std::int64_t V) const { return std::to_string(V); }
    std::optional<std::string> operator()(double V) const { return RealText(V); }
    std::optional<std::string> operator()(const std::string& V) const { return V; }
    std::optional<std::string> operator()(const TBlobData& V) const { return EncodeBytea(V.Bytes); }
  } Visitor;
  return std::visit(Visitor, Value);
}

TParamTexts ParamTexts(const TRecordBuffer& Values) {
  TParamTexts Texts;
  Texts.reserve(Values.size());
  for (const TDBValue& V : Values)
    Texts.push_back(ParamText(V));
  return Texts;
}

std::string QuoteIdent(const std::string& Name) {
  std::string S = "\"";
  for (char C : Name)
    S += C == '"' ? std::string("\"\"") : std::string(1, C);
  return S + "\"";
}

std::string Join(const std::vector<std::string>& Parts, const std::string& Suffix) {
  std::string S;
  for (const std::string& P : Parts)
    S += (S.empty() ? "" : ", ") + P + Suffix;
  return S;
}

std::string Placeholders(int First, int Count) {
  std::string S;
  for (int I = 0; I < Count; ++I)
    S += (I ? ", $" : "$") + std::to_string(First + I);
  return S;
}

std::vector<std::string> ParamNamesOf(const std::string& SQL) {
  std::vector<std::string> Names;
  EachParam(SQL, [&](std::size_t, std::size_t, const std::string& Name) {
    if (IndexOfName(Names, Name) < 0)
      Names.push_back(Name);
  });
  return Names;
}

std::string NumberParams(const std::string& SQL, const std::vector<std::string>& Names) {
  std::string Result;
  std::size_t Done = 0;
  EachParam(SQL, [&](std::size_t Begin, std::size_t End, const std::string& Name) {
    Result += SQL.substr(Done, Begin - Done) + "$" + std::to_string(IndexOfName(Names, Name) + 1);
    Done = End;
  });
  return Result + SQL.substr(Done);
}

std::string TResult::Text(int Row, int Column) const {
  return std::string(pg::Libpq().PQgetvalue(FResult.get(), Row, Column),
                     static_cast<std::size_t>(pg::Libpq().PQgetlength(FResult.get(), Row, Column)));
}

int TResult::Affected() const {
  const char* Count = pg::Libpq().PQcmdTuples(FResult.get());
  return Count && *Count ? std::atoi(Count) : 0;
}

} // namespace vcl::pg
