// What a TPgDataSet's cursor reads from the catalog when it opens: the
// table a name means, its columns and their field types, the key that tells
// its rows apart and the statements of keyed browsing; or the columns of a
// query and the values of its parameters. How it fetches rows is below;
// how it writes, in pgwrite.cpp.
#include <algorithm>

#include "vcl/pgdb/detail/pg_impl.h"

namespace vcl {

namespace {

// A zoned time is read as the session's local one: that is what a user
// typed and sees, and it goes back as such.
std::string SelectOf(const std::string& Name, Oid& Type) {
  if (Type == pg::TimestampTzOid) {
    Type = pg::TimestampOid;
    return Name + "::timestamp";
  }
  if (Type == pg::TimeTzOid) {
    Type = pg::TimeOid;
    return Name + "::time";
  }
  return Name;
}

// "{1,3}" as numbers.
std::vector<int> IntArray(const std::string& Text) {
  std::vector<int> Values;
  std::size_t Pos = 1;
  while (Pos < Text.size()) {
    std::size_t End = Text.find_first_of(",}", Pos);
    if (End == std::string::npos || End == Pos)
      break;
    Values.push_back(std::atoi(Text.c_str() + Pos));
    Pos = End + 1;
  }
  return Values;
}

} // namespace

TPgDataSet::TCursor::TCursor(TConnection& Connection, const std::string& TableName,
                             const std::string& SQL, const TParams& Params,
                             std::vector<TFieldDef>& Defs)
    : FConnection(Connection) {
  if (!TableName.empty())
    ReadTable(TableName, Defs);
  else
    ReadQuery(SQL, Params, Defs);
}

TPgDataSet::TCursor::~TCursor() = default;

// The name as it is written, else as SQL reads it (folded to lower case,
// perhaps with its schema).
Oid TPgDataSet::TCursor::FindTable(const std::string& TableName) {
  pg::TResult Found =
      FConnection.Run("SELECT oid, relkind, oid::regclass::text FROM pg_class WHERE oid = "
                      "to_regclass(quote_ident($1))",
                      {TableName}, true);
  if (Found.Rows() == 0)
    try {
      Found = FConnection.Run("SELECT oid, relkind, oid::regclass::text FROM pg_class WHERE oid = "
                              "to_regclass($1)",
                              {TableName}, true);
    } catch (const pg::ELostConnection&) {
      throw;
    } catch (const EDatabaseError&) {
      // Not a name SQL can read either.
    }
  if (Found.Rows() == 0)
    DatabaseError("no such table: " + TableName, FConnection.Owner());
  FTable = Found.Text(0, 2);
  const std::string Kind = Found.Text(0, 1);
  FWritable = Kind == "r" || Kind == "p";
  return static_cast<Oid>(std::stoul(Found.Text(0, 0)));
}

void TPgDataSet::TCursor::ReadTable(const std::string& TableName, std::vector<TFieldDef>& Defs) {
  const Oid Table = FindTable(TableName);
  ReadColumns(Table, Defs);
  if (!FWritable) {
    // A view is read as the query of all its rows.
    FCols.clear();
    Defs.clear();
    ReadQuery("SELECT * FROM " + FTable, TParams(), Defs);
    return;
  }
  ChooseKey(Table);
  const std::string Oid = std::to_string(Table);
  FWritable = !FConnection.ReadOnly() &&
              FConnection.Run("SELECT has_table_privilege(" + Oid + "::oid, 'UPDATE')", {}, true)
                      .Text(0, 0) == "t";
  PrepareKeyed();
}

// Domains are read as their base types.
void TPgDataSet::TCursor::ReadColumns(Oid Table, std::vector<TFieldDef>& Defs) {
  const pg::TResult Columns = FConnection.Run(
      "SELECT a.attname, coalesce(nullif(t.typbasetype, 0), a.atttypid),"
      " CASE WHEN t.typbasetype <> 0 THEN t.typtypmod ELSE a.atttypmod END,"
      " a.attnotnull, a.atthasdef OR a.attidentity <> '',"
      " a.attgenerated <> '' OR a.attidentity = 'a', a.attcollation <> 0, a.attnum"
      " FROM pg_attribute a JOIN pg_type t ON t.oid = a.atttypid"
      " WHERE a.attrelid = $1 AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum",
      {std::to_string(Table)}, true);
  for (int Row = 0; Row < Columns.Rows(); ++Row) {
    pg::TColumn C;
    C.Name = pg::QuoteIdent(Columns.Text(Row, 0));
    C.Type = static_cast<Oid>(std::stoul(Columns.Text(Row, 1)));
    C.Mod = std::stoi(Columns.Text(Row, 2));
    C.NotNull = Columns.Text(Row, 3) == "t";
    C.HasDefault = Columns.Text(Row, 4) == "t";
    C.Generated = Columns.Text(Row, 5) == "t";
    C.Collatable = Columns.Text(Row, 6) == "t";
    C.Number = std::stoi(Columns.Text(Row, 7));
    TFieldDef Def;
    Def.Name = Columns.Text(Row, 0);
    Def.DataType = pg::FieldTypeOf(C.Type, C.Mod, Def.Size);
    Def.Required = C.NotNull && !C.HasDefault && !C.Generated;
    Def.ReadOnly = C.Generated;
    C.Select = SelectOf(C.Name, C.Type);
    FCols.push_back(std::move(C));
    Defs.push_back(std::move(Def));
  }
  FColumns = static_cast<int>(FCols.size());
}

// The primary key; else the smallest unique key of columns never Null
// (the first by name among equals); else the row's place (ctid).
void TPgDataSet::TCursor::ChooseKey(Oid Table) {
  const pg::TResult Indexes =
      FConnection.Run("SELECT i.indisprimary, (i.indkey::int2[])[0:i.indnkeyatts - 1],"
                      " i.indexprs IS NULL AND i.indpred IS NULL"
                      " FROM pg_index i JOIN pg_class c ON c.oid = i.indexrelid"
                      " WHERE i.indrelid = $1 AND i.indisunique AND i.indisvalid"
                      " ORDER BY i.indisprimary DESC, c.relname",
                      {std::to_string(Table)}, true);
  std::vector<std::vector<int>> Candidates;
  for (int Row = 0; Row < Indexes.Rows(); ++Row) {
    std::vector<int> Key;
    for (int Number : IntArray(Indexes.Text(Row, 1))) {
      const auto It = std::find_if(FCols.begin(), FCols.end(),
                                   [Number](const pg::TColumn& C) { return C.Number == Number; });
      Key.push_back(It != FCols.end() && It->NotNull && Indexes.Text(Row, 2) == "t"
                        ? static_cast<int>(It - FCols.begin())
                        : -1);
    }
    if (Indexes.Text(Row, 0) == "t") {
      Candidates = {Key};
      break;
    }
    Candidates.push_back(std::move(Key));
  }
  FKey = SmallestKey(Candidates);
  FByPlace = FKey.empty();
  FKeyWidth = FByPlace ? 1 : static_cast<int>(FKey.size());
  FTypes.clear();
  for (const pg::TColumn& C : FCols)
    FTypes.push_back(C.Type);
  for (int Column : FKey)
    FTypes.push_back(FCols[Column].Type);
  if (FByPlace)
    FTypes.push_back(pg::TidOid);
}

std::string TPgDataSet::TCursor::SelectList() const {
  std::vector<std::string> Exprs;
  for (const pg::TColumn& C : FCols)
    Exprs.push_back(C.Select);
  return pg::Join(Exprs) + ", " + KeyList();
}

std::string TPgDataSet::TCursor::KeyList() const {
  if (FByPlace)
    return "ctid";
  std::vector<std::string> Names;
  for (int Column : FKey)
    Names.push_back(FCols[Column].Name);
  return pg::Join(Names);
}

// The statements of keyed browsing; K stands for the key columns in order.
void TPgDataSet::TCursor::PrepareKeyed() {
  const std::string Select = "SELECT " + SelectList() + " FROM " + FTable;
  const std::string Key = "(" + KeyList() + ")";
  const std::string Params = "(" + pg::Placeholders(1, FKeyWidth) + ")";
  std::vector<std::string> Parts;
  for (int Column : FKey)
    Parts.push_back(FCols[Column].Name);
  if (FByPlace)
    Parts.push_back("ctid");
  const std::string Up = " ORDER BY " + pg::Join(Parts, " ASC");
  const std::string Down = " ORDER BY " + pg::Join(Parts, " DESC");
  const std::string Limit = " LIMIT $" + std::to_string(FKeyWidth + 1);
  FFirst = Select + Up + " LIMIT $1";
  FLast = Select + Down + " LIMIT $1";
  FAfter = Select + " WHERE " + Key + " > " + Params + Up + Limit;
  FBefore = Select + " WHERE " + Key + " < " + Params + Down + Limit;
  FByKey = Select + " WHERE " + Key + " = " + Params;
  FAt = Select + Up + " LIMIT $1 OFFSET $2";
  FCountAll = "SELECT count(*) FROM " + FTable;
  FCountBefore = "SELECT count(*) FROM " + FTable + " WHERE " + Key + " < " + Params;
}

// A query is read through itself as a subquery, a window at a time; its
// own parameters come first, so the window's take the next numbers.
void TPgDataSet::TCursor::ReadQuery(const std::string& SQL, const TParams& Params,
                                    std::vector<TFieldDef>& Defs) {
  std::string Body = Trim(SQL);
  while (!Body.empty() && (Body.back() == ';' || static_cast<unsigned char>(Body.back()) <= ' '))
    Body.pop_back();
  const std::vector<std::string> Names = pg::ParamNamesOf(Body);
  for (const std::string& Name : Names) {
    const TParam* Param = Params.FindParam(Name);
    if (!Param || Param->DataType() == ftUnknown)
      DatabaseError("No value for parameter '" + Name + "'", FConnection.Owner());
    FParams.push_back(pg::ParamText(Param->Value()));
  }
  Body = pg::NumberParams(Body, Names);
  const int N = static_cast<int>(Names.size());
  FAt = "SELECT * FROM (" + Body + ") AS q LIMIT $" + std::to_string(N + 1) + " OFFSET $" +
        std::to_string(N + 2);
  FCountAll = "SELECT count(*) FROM (" + Body + ") AS q";
  pg::TParamTexts Probe = FParams;
  Probe.push_back("0");
  Probe.push_back("0");
  const pg::TResult Shape = FConnection.Run(FAt, Probe, true);
  FColumns = Shape.Columns();
  for (int I = 0; I < FColumns; ++I) {
    TFieldDef Def;
    Def.Name = pg::Libpq().PQfname(Shape.Handle(), I);
    Def.DataType = pg::FieldTypeOf(pg::Libpq().PQftype(Shape.Handle(), I),
                                   pg::Libpq().PQfmod(Shape.Handle(), I), Def.Size);
    Def.ReadOnly = true;
    FTypes.push_back(pg::Libpq().PQftype(Shape.Handle(), I));
    Defs.push_back(std::move(Def));
  }
  FWritable = false;
}

// ---------------------------------------------------------------------------
// Fetching

// The rows of Result into Rows (in reverse for descending statements),
// overwriting the records already there.
void TPgDataSet::TCursor::Read(const pg::TResult& Result, TWindow& Rows, bool Reversed) const {
  const int Count = Result.Rows();
  const int Width = std::min(this->Width(), Result.Columns());
  if (static_cast<int>(Rows.size()) < Count)
    Rows.resize(Count);
  for (int Row = 0; Row < Count; ++Row) {
    TRecordBuffer& Rec = Rows[Reversed ? Count - 1 - Row : Row];
    Rec.resize(this->Width());
    for (int I = 0; I < Width; ++I)
      pg::ReadValue(FTypes[I],
                    Result.IsNull(Row, I) ? nullptr
                                          : pg::Libpq().PQgetvalue(Result.Handle(), Row, I),
                    pg::Libpq().PQgetlength(Result.Handle(), Row, I), Rec[I]);
  }
  Rows.resize(Count);
}

void TPgDataSet::TCursor::Fetch(TFetch What, const TRecordBuffer& Key, int Offset, int Count,
                                TWindow& Rows) {
  pg::TParamTexts Params;
  const std::string* SQL = nullptr;
  switch (What) {
  case fFirst:
  case fLast:
    SQL = What == fFirst ? &FFirst : &FLast;
    Params = {std::to_string(Count)};
    break;
  case fAfter:
  case fBefore:
    SQL = What == fAfter ? &FAfter : &FBefore;
    Params = pg::ParamTexts(Key);
    Params.push_back(std::to_string(Count));
    break;
  case fByKey:
    SQL = &FByKey;
    Params = pg::ParamTexts(Key);
    break;
  case fAt:
    SQL = &FAt;
    Params = FParams;
    Params.push_back(std::to_string(Count));
    Params.push_back(std::to_string(Offset));
    break;
  }
  Read(FConnection.Run(*SQL, Params, true), Rows, What == fLast || What == fBefore);
}

int TPgDataSet::TCursor::Count(const TRecordBuffer* Key) {
  const pg::TResult Result = Key ? FConnection.Run(FCountBefore, pg::ParamTexts(*Key), true)
                                 : FConnection.Run(FCountAll, FParams, true);
  return std::stoi(Result.Text(0, 0));
}

} // namespace vcl
