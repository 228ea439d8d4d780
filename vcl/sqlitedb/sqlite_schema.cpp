// What a TSQLiteDataSet's cursor reads from the schema when it opens: the
// columns of a table and their field types, the key that tells its rows
// apart, the statements of keyed browsing; or the columns of a query and the
// values of its parameters.
#include <algorithm>
#include <map>

#include "vcl/db/detail/storage.h"
#include "vcl/sqlitedb/detail/sqlite_impl.h"

namespace vcl {

namespace {

bool Has(const std::string& Upper, const char* Part) {
  return Upper.find(Part) != std::string::npos;
}

// The field type of a declared column type; string sizes from "(n)".
TFieldType TypeOfDecl(const std::string& Decl, int& Size) {
  const std::string U = UpperCase(Decl);
  Size = 0;
  if (Has(U, "BOOL"))
    return ftBoolean;
  if (Has(U, "DATETIME") || Has(U, "TIMESTAMP"))
    return ftDateTime;
  if (Has(U, "DATE"))
    return ftDate;
  if (Has(U, "TIME"))
    return ftTime;
  if (Has(U, "CURRENCY") || Has(U, "MONEY"))
    return ftCurrency;
  if (Has(U, "INT"))
    return ftInteger;
  if (Has(U, "CHAR") || Has(U, "CLOB") || Has(U, "TEXT")) {
    const auto Open = U.find('(');
    if (Open != std::string::npos)
      Size = std::max(0, std::atoi(U.c_str() + Open + 1));
    return ftString;
  }
  if (Has(U, "REAL") || Has(U, "FLOA") || Has(U, "DOUB") || Has(U, "NUMERIC") || Has(U, "DECIMAL"))
    return ftFloat;
  return ftString;
}

// An expression column of a query is typed by the value it gave first.
TFieldType TypeOfValue(const TDBValue& V) {
  if (std::holds_alternative<std::int64_t>(V))
    return ftInteger;
  if (std::holds_alternative<double>(V))
    return ftFloat;
  return ftString;
}

} // namespace

// SQLite's rules, in their order.
std::string AffinityOf(const std::string& Decl) {
  const std::string U = UpperCase(Decl);
  if (Has(U, "INT"))
    return "INTEGER";
  if (Has(U, "CHAR") || Has(U, "CLOB") || Has(U, "TEXT"))
    return "TEXT";
  if (Has(U, "BLOB") || Trim(U).empty())
    return "BLOB";
  if (Has(U, "REAL") || Has(U, "FLOA") || Has(U, "DOUB"))
    return "REAL";
  return "NUMERIC";
}

int ColumnNamed(const std::vector<TFieldDef>& Defs, const std::string& Name) {
  for (std::size_t I = 0; I < Defs.size(); ++I)
    if (SameText(Defs[I].Name, Name))
      return static_cast<int>(I);
  return -1;
}

std::string JoinList(const std::vector<std::string>& Parts, const std::string& Suffix) {
  std::string S;
  for (const std::string& P : Parts)
    S += (S.empty() ? "" : ", ") + P + Suffix;
  return S;
}

std::string ParamList(int First, int Count) {
  std::string S;
  for (int I = 0; I < Count; ++I)
    S += (I ? ", ?" : "?") + std::to_string(First + I);
  return S;
}

TSQLiteDataSet::TCursor::TCursor(TConnection& Connection, const std::string& TableName,
                                 const std::string& SQL, const TParams& Params,
                                 std::vector<TFieldDef>& Defs)
    : FConnection(Connection) {
  if (!TableName.empty())
    ReadTable(TableName, Defs);
  else
    ReadQuery(SQL, Params, Defs);
}

TSQLiteDataSet::TCursor::~TCursor() = default;

std::unique_ptr<TSQLiteStatement> TSQLiteDataSet::TCursor::Prepare(const std::string& SQL) const {
  auto S = std::make_unique<TSQLiteStatement>(FConnection.Handle(), SQL, FConnection.Owner());
  S->SetLegacyCp1252(FConnection.LegacyCp1252());
  return S;
}

// The columns and the key of a table. Views, virtual tables and tables
// whose rows nothing tells apart are read as queries.
void TSQLiteDataSet::TCursor::ReadTable(const std::string& TableName,
                                        std::vector<TFieldDef>& Defs) {
  FTable = Quote(TableName);
  Prepare("SELECT * FROM " + FTable + " LIMIT 0"); // "no such table" comes from here
  auto Info = Prepare("SELECT type, wr FROM pragma_table_list(?1)");
  Info->Bind(1, TableName);
  const bool IsTable = Info->Step() && dbstore::ValueText(Info->Column(0)) == "table";
  const bool WithoutRowid = IsTable && std::get<std::int64_t>(Info->Column(1)) != 0;
  Info->Reset();
  if (IsTable)
    ChooseKey(TableName, WithoutRowid, ReadColumns(TableName, Defs), Defs);
  if (FKeyKind == kkNone) {
    FColumns = 0;
    FColumnNames.clear();
    FGenerated.clear();
    FKeySlots.clear();
    Defs.clear();
    ReadQuery("SELECT * FROM " + FTable, TParams(), Defs);
    return;
  }
  PrepareKeyed(JoinList(FColumnNames));
}

// The table's columns into Defs, with what choosing a key needs.
TSQLiteDataSet::TCursor::TTableInfo
TSQLiteDataSet::TCursor::ReadColumns(const std::string& TableName, std::vector<TFieldDef>& Defs) {
  auto Columns = Prepare("SELECT name, type, \"notnull\", dflt_value IS NULL, pk, hidden "
                         "FROM pragma_table_xinfo(?1)");
  Columns->Bind(1, TableName);
  TTableInfo Table;
  std::vector<std::pair<std::int64_t, int>> Places; // (place in the key, column)
  while (Columns->Step()) {
    const std::int64_t Hidden = std::get<std::int64_t>(Columns->Column(5));
    if (Hidden == 1)
      continue; // hidden columns of virtual tables
    TFieldDef Def;
    Def.Name = dbstore::ValueText(Columns->Column(0));
    Table.Types.push_back(Trim(dbstore::ValueText(Columns->Column(1))));
    Def.DataType = TypeOfDecl(Table.Types.back(), Def.Size);
    Table.NotNull.push_back(std::get<std::int64_t>(Columns->Column(2)) != 0);
    Def.Required = Table.NotNull.back() && std::get<std::int64_t>(Columns->Column(3)) != 0;
    Def.ReadOnly = Hidden >= 2; // generated columns
    if (const std::int64_t Place = std::get<std::int64_t>(Columns->Column(4)))
      Places.emplace_back(Place, FColumns);
    FColumnNames.push_back(Quote(Def.Name));
    FGenerated.push_back(Def.ReadOnly);
    Defs.push_back(std::move(Def));
    ++FColumns;
  }
  Columns->Reset();
  std::sort(Places.begin(), Places.end());
  for (const auto& Place : Places)
    Table.PrimaryKey.push_back(Place.second);
  return Table;
}

// A table without rowid is keyed by its primary key, a rowid table by its
// INTEGER PRIMARY KEY column (the rowid's own name), by a primary key of
// columns that are never Null, by the smallest unique key of such columns,
// or else by a name of the rowid that no column has taken. No key is left
// when all three names are taken.
void TSQLiteDataSet::TCursor::ChooseKey(const std::string& TableName, bool WithoutRowid,
                                        const TTableInfo& Info, std::vector<TFieldDef>& Defs) {
  const std::vector<int>& Primary = Info.PrimaryKey;
  const bool Alias =
      !WithoutRowid && Primary.size() == 1 && SameText(Info.Types[Primary[0]], "INTEGER");
  std::vector<int> Key;
  if (WithoutRowid || Alias ||
      (!Primary.empty() && std::all_of(Primary.begin(), Primary.end(),
                                       [&](int Column) { return Info.NotNull[Column]; })))
    Key = Primary;
  else
    Key = UniqueKey(TableName, Defs, Info.NotNull);
  if (Alias)
    Defs[Primary[0]].Required = false; // SQLite numbers new rows itself
  for (int Column : Key)
    FKeySlots.push_back({FColumnNames[Column], Column});
  if (!Key.empty())
    FKeyKind = kkKey;
  for (const char* Name : {"rowid", "_rowid_", "oid"})
    if (FKeyKind == kkNone && ColumnNamed(Defs, Name) < 0) {
      FKeySlots.push_back({Name, -1});
      FKeyKind = kkRowid;
    }
  FKeyWidth = static_cast<int>(FKeySlots.size());
}

// The columns of the table's smallest unique index over plain columns that
// are never Null (the first by name among equals); none when there is none.
std::vector<int> TSQLiteDataSet::TCursor::UniqueKey(const std::string& TableName,
                                                    const std::vector<TFieldDef>& Defs,
                                                    const std::vector<bool>& NotNull) const {
  auto Indexes = Prepare("SELECT l.name, i.name FROM pragma_index_list(?1) AS l,"
                         " pragma_index_info(l.name) AS i"
                         " WHERE l.\"unique\" AND NOT l.partial ORDER BY l.name, i.seqno");
  Indexes->Bind(1, TableName);
  std::map<std::string, std::vector<int>> Columns;
  while (Indexes->Step()) {
    std::vector<int>& Index = Columns[std::get<std::string>(Indexes->Column(0))];
    const TDBValue Name = Indexes->Column(1); // Null for an expression
    const int Column = IsNullValue(Name) ? -1 : ColumnNamed(Defs, dbstore::ValueText(Name));
    Index.push_back(Column >= 0 && NotNull[Column] ? Column : -1);
  }
  Indexes->Reset();
  std::vector<std::vector<int>> Candidates;
  for (auto& [Name, Index] : Columns)
    Candidates.push_back(std::move(Index));
  return SmallestKey(Candidates);
}

// The statements of keyed browsing; K stands for the key columns in order.
// They read the columns, then the key values that are no column (the row
// id): a key column's value is taken from its column.
void TSQLiteDataSet::TCursor::PrepareKeyed(const std::string& Columns) {
  const int K = static_cast<int>(FKeySlots.size());
  const std::string Key = KeyExprs();
  std::string Select = "SELECT " + Columns;
  std::vector<std::string> Exprs;
  for (const TKeySlot& Slot : FKeySlots) {
    Exprs.push_back(Slot.Expr);
    if (Slot.Column < 0)
      Select += ", " + Slot.Expr;
  }
  Select += " FROM " + FTable;
  const std::string Row = "(" + Key + ")";
  const std::string Up = " ORDER BY " + JoinList(Exprs, " ASC");
  const std::string Down = " ORDER BY " + JoinList(Exprs, " DESC");
  const std::string Limit = " LIMIT ?" + std::to_string(K + 1);
  FFirst = Prepare(Select + Up + " LIMIT ?1");
  FLast = Prepare(Select + Down + " LIMIT ?1");
  FAfter = Prepare(Select + " WHERE " + Row + " > (" + ParamList(1, K) + ")" + Up + Limit);
  FBefore = Prepare(Select + " WHERE " + Row + " < (" + ParamList(1, K) + ")" + Down + Limit);
  FByKey = Prepare(Select + " WHERE " + Row + " = (" + ParamList(1, K) + ")");
  FAt = Prepare(Select + Up + " LIMIT ?1 OFFSET ?2");
  FCountAll = Prepare("SELECT count(*) FROM " + FTable);
  FCountBefore =
      Prepare("SELECT count(*) FROM " + FTable + " WHERE " + Row + " < (" + ParamList(1, K) + ")");
  ExpectColumns(*FFirst);
}

// A query is read through itself as a subquery, a window at a time.
void TSQLiteDataSet::TCursor::ReadQuery(const std::string& SQL, const TParams& Params,
                                        std::vector<TFieldDef>& Defs) {
  std::string Body = Trim(SQL);
  while (!Body.empty() && (Body.back() == ';' || static_cast<unsigned char>(Body.back()) <= ' '))
    Body.pop_back();
  TakeParams(Body, Params);
  // The query's own parameters come first, so the window's take the next numbers.
  const int N = static_cast<int>(FParams.size());
  FAt = Prepare("SELECT * FROM (" + Body + ") LIMIT ?" + std::to_string(N + 1) + " OFFSET ?" +
                std::to_string(N + 2));
  FCountAll = Prepare("SELECT count(*) FROM (" + Body + ")");
  FColumns = FAt->ColumnCount();
  ExpectColumns(*FAt);
  TWindow First;
  Fetch(fAt, {}, 0, 1, First);
  for (int I = 0; I < FColumns; ++I) {
    TFieldDef Def;
    Def.Name = FAt->ColumnName(I);
    const std::string Decl = FAt->DeclType(I);
    Def.DataType = !Decl.empty()   ? TypeOfDecl(Decl, Def.Size)
                   : First.empty() ? ftString
                                   : TypeOfValue(First[0][I]);
    Def.ReadOnly = true;
    Defs.push_back(std::move(Def));
  }
}

// The values of the query's parameters, in SQLite's numbering: each is
// written :name and has a value in Params.
void TSQLiteDataSet::TCursor::TakeParams(const std::string& Body, const TParams& Params) {
  auto Query = Prepare(Body);
  for (int I = 1; I <= Query->ParamCount(); ++I) {
    const std::string Name = Query->ParamName(I);
    if (Name.size() < 2 || Name[0] != ':')
      DatabaseError("Write the parameters of the SQL as :name, not as '" +
                        (Name.empty() ? std::string("?") : Name) + "'",
                    FConnection.Owner());
    const TParam* Param = Params.FindParam(Name.substr(1));
    if (!Param || Param->DataType() == ftUnknown)
      DatabaseError("No value for parameter '" + Name.substr(1) + "'", FConnection.Owner());
    FParams.push_back(Param->Value());
  }
}

void TSQLiteDataSet::TCursor::ExpectColumns(const TSQLiteStatement& S) {
  FExpected.clear();
  for (int I = 0; I < S.ColumnCount(); ++I)
    FExpected.push_back(S.ColumnName(I));
}

} // namespace vcl
