// The column rules of an SQLite table, judged when a field is assigned:
// NOT NULL from the table's column list; the CHECK constraints written in
// each column's definition, read from the table's CREATE TABLE statement;
// and whether the column keeps the value as given. SQLite itself converts
// the record and evaluates the checks, in a copy of the table that holds
// only the record. A rule that cannot be read or evaluated here is still
// enforced by the write.
#include "vcl/db/detail/storage.h"
#include "vcl/sqlitedb/detail/sqlite_impl.h"

namespace vcl {

namespace {

// The collations every connection has; others (an application's own) are
// left to the write.
bool BuiltIn(const std::string& Collation) {
  return SameText(Collation, "BINARY") || SameText(Collation, "NOCASE") ||
         SameText(Collation, "RTRIM");
}

// The column holds Given as given when it holds the same value, or the same
// number written otherwise (12.50 as 12.5, 7 as '7').
bool HeldAsGiven(const TDBValue& Given, const TDBValue& Held, const std::string& HeldText) {
  if (Given == Held)
    return true;
  if (std::holds_alternative<TBlobData>(Given) || std::holds_alternative<TBlobData>(Held))
    return false;
  const auto A = dbstore::NumberKey(dbstore::ValueText(Given));
  const auto B = dbstore::NumberKey(HeldText);
  return A && B && *A == *B;
}

} // namespace

TSQLiteDataSet::TColumnRules::TColumnRules(TConnection& Connection, const std::string& TableName,
                                           const std::vector<TFieldDef>& Defs)
    : FColumns(Defs.size()), FOwner(Connection.Owner()) {
  const std::string CreateTable = ReadColumns(Connection, TableName, Defs);
  for (const TColumnDefinition& C : ColumnDefinitions(CreateTable))
    if (const int Column = ColumnNamed(Defs, C.Name); Column >= 0 && BuiltIn(C.Collation))
      FColumns[Column].Collation = C.Collation;
  MakeCopy(TableName, Defs);
  ReadChecks(TableName, CreateTable, Defs);
}

TSQLiteDataSet::TColumnRules::~TColumnRules() = default;

// NOT NULL and the affinities from the table's column list; returns the
// table's CREATE TABLE statement ("" when there is none to read).
std::string TSQLiteDataSet::TColumnRules::ReadColumns(TConnection& Connection,
                                                      const std::string& TableName,
                                                      const std::vector<TFieldDef>& Defs) {
  TSQLiteStatement Columns(Connection.Handle(),
                           "SELECT name, \"notnull\", type FROM pragma_table_xinfo(?1)", FOwner);
  Columns.Bind(1, TableName);
  while (Columns.Step()) {
    const int Column = ColumnNamed(Defs, std::get<std::string>(Columns.Column(0)));
    if (Column < 0)
      continue;
    FColumns[Column].NotNull = std::get<std::int64_t>(Columns.Column(1)) != 0;
    FColumns[Column].Required = Defs[Column].Required;
    FColumns[Column].Affinity = AffinityOf(dbstore::ValueText(Columns.Column(2)));
  }
  Columns.Reset();
  TSQLiteStatement Schema(Connection.Handle(),
                          "SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = ?1 "
                          "COLLATE NOCASE",
                          FOwner);
  Schema.Bind(1, TableName);
  std::string CreateTable;
  if (Schema.Step())
    CreateTable = dbstore::ValueText(Schema.Column(0));
  Schema.Reset();
  return CreateTable;
}

// The copy keeps the table's name, so a check that names it reads the copy.
void TSQLiteDataSet::TColumnRules::MakeCopy(const std::string& TableName,
                                            const std::vector<TFieldDef>& Defs) {
  sqlite3* Copy = nullptr;
  const int Rc =
      sqlite3_open_v2(":memory:", &Copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  FCopy.reset(Copy);
  if (Rc != SQLITE_OK)
    SQLiteError(Copy, FOwner);
  std::vector<std::string> Columns, Sets;
  for (std::size_t I = 0; I < Defs.size(); ++I) {
    const TColumn& C = FColumns[I];
    Columns.push_back(Quote(Defs[I].Name) + " " + C.Affinity +
                      (C.Collation.empty() ? "" : " COLLATE " + C.Collation));
    Sets.push_back(Quote(Defs[I].Name) + " = ?" + std::to_string(I + 1));
  }
  const std::string Table = Quote(TableName);
  TSQLiteStatement(Copy, "CREATE TABLE " + Table + " (" + JoinList(Columns) + ")", FOwner).Step();
  TSQLiteStatement(Copy, "INSERT INTO " + Table + " DEFAULT VALUES", FOwner).Step();
  FLoad = std::make_unique<TSQLiteStatement>(Copy, "UPDATE " + Table + " SET " + JoinList(Sets),
                                             FOwner);
  for (std::size_t I = 0; I < Defs.size(); ++I)
    FColumns[I].Held = std::make_unique<TSQLiteStatement>(
        Copy, "SELECT " + Quote(Defs[I].Name) + " FROM " + Table, FOwner);
}

// Each check becomes a query over the copy's one row.
void TSQLiteDataSet::TColumnRules::ReadChecks(const std::string& TableName,
                                              const std::string& CreateTable,
                                              const std::vector<TFieldDef>& Defs) {
  for (const TColumnDefinition& C : ColumnDefinitions(CreateTable)) {
    const int Column = ColumnNamed(Defs, C.Name);
    if (Column < 0)
      continue;
    for (const TColumnDefinition::TCheck& Check : C.Checks) {
      const std::string Query = "SELECT (NOT (" + Check.Expr + ")) IS 1 FROM " + Quote(TableName);
      try {
        FColumns[Column].Checks.push_back(
            {Check.Text, std::make_unique<TSQLiteStatement>(FCopy.get(), Query, FOwner)});
      } catch (const EDatabaseError&) {
        // An expression that does not read as a query here is left to the write.
      }
    }
  }
}

// The record into the copy's row, where it takes the columns' affinities.
void TSQLiteDataSet::TColumnRules::Load(const TRecordBuffer& Rec) const {
  for (std::size_t I = 0; I < FColumns.size(); ++I)
    FLoad->Bind(static_cast<int>(I) + 1, Rec[I]);
  FLoad->Step();
  FLoad->Reset();
}

void TSQLiteDataSet::TColumnRules::CheckHeld(const TField* Field, const TColumn& Rules,
                                             const TDBValue& Given) const {
  TDBValue Held;
  std::string HeldText;
  if (Rules.Held->Step()) {
    Held = Rules.Held->Column(0);
    HeldText = Rules.Held->ColumnText(0);
  }
  Rules.Held->Reset();
  if (!HeldAsGiven(Given, Held, HeldText))
    DatabaseError("Field '" + Field->DisplayLabel() + "': " + dbstore::ValueText(Given) +
                  " cannot be stored exactly; the column would hold " + HeldText);
}

void TSQLiteDataSet::TColumnRules::Check(const TField* Field, const TRecordBuffer& Rec,
                                         bool Inserting) const {
  const int Column = Field->FieldNo() - 1;
  if (Column < 0 || Column >= static_cast<int>(FColumns.size()))
    return;
  const TColumn& Rules = FColumns[Column];
  // An insert leaves Null columns to their defaults; an update writes Null.
  if (IsNullValue(Rec[Column]) && (Inserting ? Rules.Required : Rules.NotNull))
    DatabaseError("Field '" + Field->DisplayLabel() + "' must have a value");
  Load(Rec);
  CheckHeld(Field, Rules, Rec[Column]);
  for (const TCheck& C : Rules.Checks) {
    const bool Broken = C.Broken->Step() && C.Broken->Column(0) == TDBValue(std::int64_t(1));
    C.Broken->Reset();
    if (Broken)
      DatabaseError("CHECK constraint failed: " + C.Text, FOwner);
  }
}

} // namespace vcl
