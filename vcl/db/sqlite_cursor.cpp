// The cursor of TSQLiteDataSet. A table is read in key order a window of
// rows at a time: the first or last rows, the rows after or before a key, the
// row of a key, so moving never reads more than one window and no statement
// stays open between moves. The cursor remembers the key of its row, so it
// keeps its place when its row is deleted. A query (or a view: anything
// without a key) is read a window at a time by position. Each record holds
// the columns, then (for tables) the key values.
#include <algorithm>

#include "vcl/db/sqlite_impl.h"
#include "vcl/db/storage.h"

namespace vcl {

namespace {

constexpr int WindowSize = 256;

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

std::string Join(const std::vector<std::string>& Parts, const std::string& Suffix = "") {
  std::string S;
  for (const std::string& P : Parts)
    S += (S.empty() ? "" : ", ") + P + Suffix;
  return S;
}

std::string Params(int First, int Count) {
  std::string S;
  for (int I = 0; I < Count; ++I)
    S += (I ? ", ?" : "?") + std::to_string(First + I);
  return S;
}

} // namespace

TSQLiteDataSet::TCursor::TCursor(TConnection& Connection, const std::string& TableName,
                                 const std::string& SQL, std::vector<TFieldDef>& Defs)
    : FConnection(Connection) {
  if (!TableName.empty())
    ReadTable(TableName, Defs);
  else
    ReadQuery(SQL, Defs);
}

TSQLiteDataSet::TCursor::~TCursor() = default;

std::unique_ptr<TSQLiteStatement> TSQLiteDataSet::TCursor::Prepare(const std::string& SQL) const {
  return std::make_unique<TSQLiteStatement>(FConnection.Handle(), SQL, FConnection.Owner());
}

// The columns and the key of a table. Tables have their rowid (named by an
// INTEGER PRIMARY KEY column when there is one) or, without rowid, their
// primary key; views, virtual tables and tables whose rowid no name reaches
// are read as queries.
void TSQLiteDataSet::TCursor::ReadTable(const std::string& TableName,
                                        std::vector<TFieldDef>& Defs) {
  FTable = Quote(TableName);
  Prepare("SELECT * FROM " + FTable + " LIMIT 0"); // "no such table" comes from here
  auto Info = Prepare("SELECT type, wr FROM pragma_table_list(?1)");
  Info->Bind(1, TableName);
  const bool IsTable = Info->Step() && dbstore::ValueText(Info->Column(0)) == "table";
  const bool WithoutRowid = IsTable && std::get<std::int64_t>(Info->Column(1)) != 0;
  Info->Reset();
  if (IsTable) {
    std::vector<std::string> Types;
    const TPrimaryKey PrimaryKey = ReadColumns(TableName, Defs, Types);
    ChooseKey(WithoutRowid, PrimaryKey, Types, Defs);
  }
  if (FKeySlots.empty()) {
    FColumns = 0;
    FColumnNames.clear();
    FGenerated.clear();
    Defs.clear();
    ReadQuery("SELECT * FROM " + FTable, Defs);
    return;
  }
  FKeyed = true;
  FRowid = !WithoutRowid;
  PrepareKeyed(Join(FColumnNames));
}

// The table's columns into Defs (and their declared types into Types); the
// primary key's columns in key order.
TSQLiteDataSet::TCursor::TPrimaryKey
TSQLiteDataSet::TCursor::ReadColumns(const std::string& TableName, std::vector<TFieldDef>& Defs,
                                     std::vector<std::string>& Types) {
  auto Columns = Prepare("SELECT name, type, \"notnull\" AND dflt_value IS NULL, pk, hidden "
                         "FROM pragma_table_xinfo(?1)");
  Columns->Bind(1, TableName);
  std::vector<std::pair<std::int64_t, int>> Places; // (place in the key, column)
  while (Columns->Step()) {
    const std::int64_t Hidden = std::get<std::int64_t>(Columns->Column(4));
    if (Hidden == 1)
      continue; // hidden columns of virtual tables
    TFieldDef Def;
    Def.Name = dbstore::ValueText(Columns->Column(0));
    Types.push_back(Trim(dbstore::ValueText(Columns->Column(1))));
    Def.DataType = TypeOfDecl(Types.back(), Def.Size);
    Def.Required = std::get<std::int64_t>(Columns->Column(2)) != 0;
    Def.ReadOnly = Hidden >= 2; // generated columns
    if (const std::int64_t Place = std::get<std::int64_t>(Columns->Column(3)))
      Places.emplace_back(Place, FColumns);
    FColumnNames.push_back(Quote(Def.Name));
    FGenerated.push_back(Def.ReadOnly);
    Defs.push_back(std::move(Def));
    ++FColumns;
  }
  Columns->Reset();
  std::sort(Places.begin(), Places.end());
  TPrimaryKey PrimaryKey;
  for (const auto& Place : Places)
    PrimaryKey.push_back(Place.second);
  return PrimaryKey;
}

// A table without rowid is keyed by its primary key; a rowid table by its
// INTEGER PRIMARY KEY column (the rowid's own name), else by a name of the
// rowid no column has taken. No key is left when all three names are taken.
void TSQLiteDataSet::TCursor::ChooseKey(bool WithoutRowid, const TPrimaryKey& PrimaryKey,
                                        const std::vector<std::string>& Types,
                                        std::vector<TFieldDef>& Defs) {
  if (WithoutRowid) {
    for (int Column : PrimaryKey)
      FKeySlots.push_back({FColumnNames[Column], Column});
  } else if (PrimaryKey.size() == 1 && SameText(Types[PrimaryKey[0]], "INTEGER")) {
    const int Alias = PrimaryKey[0];
    FKeySlots.push_back({FColumnNames[Alias], Alias});
    Defs[Alias].Required = false; // SQLite numbers new rows itself
  } else {
    for (const char* Name : {"rowid", "_rowid_", "oid"})
      if (std::none_of(Defs.begin(), Defs.end(),
                       [Name](const TFieldDef& D) { return SameText(D.Name, Name); })) {
        FKeySlots.push_back({Name, -1});
        return;
      }
  }
}

// The statements of keyed browsing; K stands for the key columns in order.
void TSQLiteDataSet::TCursor::PrepareKeyed(const std::string& Columns) {
  std::vector<std::string> Key;
  for (const TKeySlot& Slot : FKeySlots)
    Key.push_back(Slot.Expr);
  const int K = static_cast<int>(Key.size());
  const std::string Select = "SELECT " + Columns + ", " + Join(Key) + " FROM " + FTable;
  const std::string Row = "(" + Join(Key) + ")";
  const std::string Up = " ORDER BY " + Join(Key, " ASC");
  const std::string Down = " ORDER BY " + Join(Key, " DESC");
  const std::string Limit = " LIMIT ?" + std::to_string(K + 1);
  FFirst = Prepare(Select + Up + " LIMIT ?1");
  FLast = Prepare(Select + Down + " LIMIT ?1");
  FAfter = Prepare(Select + " WHERE " + Row + " > (" + Params(1, K) + ")" + Up + Limit);
  FBefore = Prepare(Select + " WHERE " + Row + " < (" + Params(1, K) + ")" + Down + Limit);
  FByKey = Prepare(Select + " WHERE " + Row + " = (" + Params(1, K) + ")");
  FAt = Prepare(Select + Up + " LIMIT ?1 OFFSET ?2");
  FCountAll = Prepare("SELECT count(*) FROM " + FTable);
  FCountBefore =
      Prepare("SELECT count(*) FROM " + FTable + " WHERE " + Row + " < (" + Params(1, K) + ")");
}

// A query is read through itself as a subquery, a window at a time.
void TSQLiteDataSet::TCursor::ReadQuery(const std::string& SQL, std::vector<TFieldDef>& Defs) {
  std::string Body = Trim(SQL);
  while (!Body.empty() && (Body.back() == ';' || static_cast<unsigned char>(Body.back()) <= ' '))
    Body.pop_back();
  FAt = Prepare("SELECT * FROM (" + Body + ") LIMIT ?1 OFFSET ?2");
  FCountAll = Prepare("SELECT count(*) FROM (" + Body + ")");
  FColumns = FAt->ColumnCount();
  TWindow First;
  FetchAt(0, 1, First);
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

// ---------------------------------------------------------------------------
// Reading

// Steps S to its end into Rows (in reverse for descending statements), and
// always resets it.
void TSQLiteDataSet::TCursor::Fetch(TSQLiteStatement& S, TWindow& Rows, bool Reversed) const {
  // Rows keeps its records' memory: each row read overwrites one in place.
  std::size_t Count = 0;
  const int Width = this->Width();
  try {
    while (S.Step()) {
      if (Count == Rows.size())
        Rows.emplace_back();
      TRecordBuffer& Row = Rows[Count++];
      Row.resize(Width);
      for (int I = 0; I < Width; ++I)
        S.ColumnInto(I, Row[I]);
    }
  } catch (...) {
    S.Reset();
    throw;
  }
  S.Reset();
  Rows.resize(Count);
  if (Reversed)
    std::reverse(Rows.begin(), Rows.end());
}

void TSQLiteDataSet::TCursor::FetchAt(int Offset, int Count, TWindow& Rows) {
  FAt->Bind(1, std::int64_t(Count));
  FAt->Bind(2, std::int64_t(Offset));
  Fetch(*FAt, Rows, false);
}

void TSQLiteDataSet::TCursor::BindKey(TSQLiteStatement& S, int First,
                                      const TRecordBuffer& Key) const {
  for (std::size_t I = 0; I < Key.size(); ++I)
    S.Bind(First + static_cast<int>(I), Key[I]);
}

bool TSQLiteDataSet::TCursor::ReadByKey(const TRecordBuffer& Key, TRecordBuffer& Row) {
  TWindow Rows;
  BindKey(*FByKey, 1, Key);
  Fetch(*FByKey, Rows, false);
  if (Rows.empty())
    return false;
  Row = std::move(Rows[0]);
  return true;
}

// The cursor's row into Rec, remembering its key.
void TSQLiteDataSet::TCursor::Take(TRecordBuffer& Rec) {
  Rec = FWindow[FPos];
  if (FKeyed)
    FKey.assign(Rec.end() - static_cast<int>(FKeySlots.size()), Rec.end());
  FGap = false;
}

// The fetched rows become the window; the old window is kept as the spare.
void TSQLiteDataSet::TCursor::Arrive(TWindow&& Rows, int Pos, TRecordBuffer& Rec) {
  std::swap(FWindow, Rows);
  FPos = Pos;
  Take(Rec);
}

bool TSQLiteDataSet::TCursor::First(TRecordBuffer& Rec) {
  TWindow& Rows = FSpare;
  if (FKeyed) {
    FFirst->Bind(1, std::int64_t(WindowSize));
    Fetch(*FFirst, Rows, false);
  } else {
    FetchAt(0, WindowSize, Rows);
  }
  if (Rows.empty())
    return false;
  FWindowStart = 0;
  Arrive(std::move(Rows), 0, Rec);
  FRecNo = 1;
  return true;
}

bool TSQLiteDataSet::TCursor::Last(TRecordBuffer& Rec) {
  TWindow& Rows = FSpare;
  if (FKeyed) {
    FLast->Bind(1, std::int64_t(WindowSize));
    Fetch(*FLast, Rows, true);
    FRecNo = FRowCount >= 0 ? FRowCount : 0;
  } else {
    FWindowStart = std::max(RecordCount() - WindowSize, 0);
    FetchAt(FWindowStart, WindowSize, Rows);
    FRecNo = FWindowStart + static_cast<int>(Rows.size());
  }
  if (Rows.empty())
    return false;
  const int Pos = static_cast<int>(Rows.size()) - 1;
  Arrive(std::move(Rows), Pos, Rec);
  return true;
}

// From a gap the row after it is the one at FPos, and it takes the number
// the removed row had.
bool TSQLiteDataSet::TCursor::Next(TRecordBuffer& Rec) {
  const int Target = FGap ? FPos : FPos + 1;
  const bool Counted = FRecNo > 0 && !FGap;
  if (FPos >= 0 && Target < static_cast<int>(FWindow.size())) {
    FPos = Target;
    Take(Rec);
  } else {
    TWindow& Rows = FSpare;
    if (FKeyed) {
      if (FKey.empty())
        return false;
      BindKey(*FAfter, 1, FKey);
      FAfter->Bind(static_cast<int>(FKey.size()) + 1, std::int64_t(WindowSize));
      Fetch(*FAfter, Rows, false);
    } else {
      FetchAt(FWindowStart + static_cast<int>(FWindow.size()), WindowSize, Rows);
    }
    if (Rows.empty())
      return false;
    FWindowStart += static_cast<int>(FWindow.size());
    Arrive(std::move(Rows), 0, Rec);
  }
  if (Counted)
    ++FRecNo;
  return true;
}

bool TSQLiteDataSet::TCursor::Prior(TRecordBuffer& Rec) {
  if (FPos > 0 && FPos <= static_cast<int>(FWindow.size())) {
    --FPos;
    Take(Rec);
  } else {
    TWindow& Rows = FSpare;
    int Start = 0;
    if (FKeyed) {
      if (FKey.empty())
        return false;
      BindKey(*FBefore, 1, FKey);
      FBefore->Bind(static_cast<int>(FKey.size()) + 1, std::int64_t(WindowSize));
      Fetch(*FBefore, Rows, true);
    } else {
      if (FWindowStart == 0)
        return false;
      Start = std::max(FWindowStart - WindowSize, 0);
      FetchAt(Start, FWindowStart - Start, Rows);
    }
    if (Rows.empty())
      return false;
    FWindowStart = Start;
    const int Pos = static_cast<int>(Rows.size()) - 1;
    Arrive(std::move(Rows), Pos, Rec);
  }
  if (FRecNo > 0)
    --FRecNo;
  return true;
}

bool TSQLiteDataSet::TCursor::GotoRecNo(int RecNo, TRecordBuffer& Rec) {
  TWindow& Rows = FSpare;
  FetchAt(RecNo - 1, WindowSize, Rows);
  if (Rows.empty())
    return false;
  FWindowStart = RecNo - 1;
  Arrive(std::move(Rows), 0, Rec);
  FRecNo = RecNo;
  return true;
}

int TSQLiteDataSet::TCursor::RecNo() {
  if (FRecNo == 0 && FKeyed && !FKey.empty()) {
    BindKey(*FCountBefore, 1, FKey);
    FRecNo = static_cast<int>(Scalar(*FCountBefore)) + 1;
  }
  return FRecNo;
}

int TSQLiteDataSet::TCursor::RecordCount() {
  if (FRowCount < 0)
    FRowCount = static_cast<int>(Scalar(*FCountAll));
  return FRowCount;
}

std::int64_t TSQLiteDataSet::TCursor::Scalar(TSQLiteStatement& S) {
  std::int64_t Value = 0;
  try {
    if (S.Step())
      Value = std::get<std::int64_t>(S.Column(0));
  } catch (...) {
    S.Reset();
    throw;
  }
  S.Reset();
  return Value;
}

// Reads the cursor's row again. The window is dropped (what else it held
// may have changed too) and counts are taken again when asked.
bool TSQLiteDataSet::TCursor::Refresh(TRecordBuffer& Rec) {
  FRowCount = -1;
  TWindow Rows;
  if (FKeyed) {
    if (FKey.empty())
      return false;
    BindKey(*FByKey, 1, FKey);
    Fetch(*FByKey, Rows, false);
    FRecNo = 0;
  } else {
    FetchAt(FWindowStart + std::max(FPos, 0), WindowSize, Rows);
    FWindowStart += std::max(FPos, 0);
  }
  if (Rows.empty()) {
    FWindow.clear();
    FPos = 0;
    FGap = true;
    return false;
  }
  Arrive(std::move(Rows), 0, Rec);
  return true;
}

// ---------------------------------------------------------------------------
// Writing

// "c1 IS ?n AND c2 IS ?n+1 ...": the row still holds what was read.
std::string TSQLiteDataSet::TCursor::RowMatches(int FirstParam) const {
  std::string S;
  for (int I = 0; I < FColumns; ++I)
    S += " AND " + FColumnNames[I] + " IS ?" + std::to_string(FirstParam + I);
  return S;
}

void TSQLiteDataSet::TCursor::BindRow(TSQLiteStatement& S, int FirstParam,
                                      const TRecordBuffer& Row) const {
  for (int I = 0; I < FColumns; ++I)
    S.Bind(FirstParam + I, Row[I]);
}

TSQLiteDataSet::TCursor::TWriteResult TSQLiteDataSet::TCursor::Update(const TRecordBuffer& Old,
                                                                      TRecordBuffer& Rec,
                                                                      TRecordBuffer& Fresh) {
  std::vector<int> Changed;
  for (int I = 0; I < FColumns; ++I)
    if (!FGenerated[I] && Rec[I] != Old[I])
      Changed.push_back(I);
  if (Changed.empty()) {
    Rec = Old;
    return wrDone;
  }
  const int K = static_cast<int>(FKeySlots.size());
  const int N = static_cast<int>(Changed.size());
  std::vector<std::string> Sets;
  for (int I = 0; I < N; ++I)
    Sets.push_back(FColumnNames[Changed[I]] + " = ?" + std::to_string(I + 1));
  std::vector<std::string> Key;
  for (const TKeySlot& Slot : FKeySlots)
    Key.push_back(Slot.Expr);
  const std::string SQL = "UPDATE " + FTable + " SET " + Join(Sets) + " WHERE (" + Join(Key) +
                          ") = (" + Params(N + 1, K) + ")" + RowMatches(N + K + 1);
  const TRecordBuffer OldKey(Old.end() - K, Old.end());
  // The row's key afterwards: an edited key column moves it.
  TRecordBuffer NewKey = OldKey;
  for (int I = 0; I < K; ++I)
    if (FKeySlots[I].Column >= 0)
      NewKey[I] = Rec[FKeySlots[I].Column];
  TWriteResult Result = wrDone;
  TRecordBuffer Stored;
  FConnection.Transaction([&] {
    auto Statement = Prepare(SQL);
    for (int I = 0; I < N; ++I)
      Statement->Bind(I + 1, Rec[Changed[I]]);
    BindKey(*Statement, N + 1, OldKey);
    BindRow(*Statement, N + K + 1, Old);
    Statement->Step();
    if (sqlite3_changes(FConnection.Handle()) == 0) {
      Result = ReadByKey(OldKey, Fresh) ? wrChanged : wrGone;
      return false;
    }
    if (!ReadByKey(NewKey, Stored))
      DatabaseError("The record could not be read back after it was written", FConnection.Owner());
    return true;
  });
  if (Result == wrDone) {
    // An edited key moves the row elsewhere in the order: the window around
    // it is read again when the cursor moves on.
    if (NewKey != OldKey || FGap || FPos < 0 || FPos >= static_cast<int>(FWindow.size())) {
      FWindow.assign(1, Stored);
      FPos = 0;
      FRecNo = NewKey != OldKey ? 0 : FRecNo;
    } else {
      FWindow[FPos] = Stored;
    }
    Take(Rec);
  }
  return Result;
}

void TSQLiteDataSet::TCursor::Insert(TRecordBuffer& Rec) {
  std::vector<int> Given;
  for (int I = 0; I < FColumns; ++I)
    if (!FGenerated[I] && !IsNullValue(Rec[I]))
      Given.push_back(I);
  std::vector<std::string> Names;
  for (int I : Given)
    Names.push_back(FColumnNames[I]);
  const int N = static_cast<int>(Given.size());
  const std::string SQL =
      N == 0 ? "INSERT INTO " + FTable + " DEFAULT VALUES"
             : "INSERT INTO " + FTable + " (" + Join(Names) + ") VALUES (" + Params(1, N) + ")";
  TRecordBuffer Stored;
  FConnection.Transaction([&] {
    auto Statement = Prepare(SQL);
    for (int I = 0; I < N; ++I)
      Statement->Bind(I + 1, Rec[Given[I]]);
    Statement->Step();
    // A rowid table's key is the new rowid; a table without rowid has its
    // key in the columns written.
    TRecordBuffer Key;
    for (const TKeySlot& Slot : FKeySlots)
      Key.push_back(FRowid ? TDBValue(std::int64_t(sqlite3_last_insert_rowid(FConnection.Handle())))
                           : Rec[Slot.Column]);
    if (!ReadByKey(Key, Stored))
      DatabaseError("The record could not be read back after it was written", FConnection.Owner());
    return true;
  });
  FWindow.assign(1, Stored);
  FPos = 0;
  Take(Rec);
  FRecNo = 0;
  if (FRowCount >= 0)
    ++FRowCount;
}

TSQLiteDataSet::TCursor::TWriteResult TSQLiteDataSet::TCursor::Delete(const TRecordBuffer& Old,
                                                                      TRecordBuffer& Fresh) {
  const int K = static_cast<int>(FKeySlots.size());
  std::vector<std::string> Key;
  for (const TKeySlot& Slot : FKeySlots)
    Key.push_back(Slot.Expr);
  const std::string SQL = "DELETE FROM " + FTable + " WHERE (" + Join(Key) + ") = (" +
                          Params(1, K) + ")" + RowMatches(K + 1);
  const TRecordBuffer OldKey(Old.end() - K, Old.end());
  TWriteResult Result = wrDone;
  FConnection.Transaction([&] {
    auto Statement = Prepare(SQL);
    BindKey(*Statement, 1, OldKey);
    BindRow(*Statement, K + 1, Old);
    Statement->Step();
    if (sqlite3_changes(FConnection.Handle()) == 0 && ReadByKey(OldKey, Fresh)) {
      Result = wrChanged;
      return false;
    }
    return true; // deleted, by us or already by someone else
  });
  if (Result == wrDone)
    RemoveCurrent();
  return Result;
}

// The cursor's row left the table: the cursor stands in the gap, keeping
// the key (and the number) it had.
void TSQLiteDataSet::TCursor::RemoveCurrent() {
  if (FPos >= 0 && FPos < static_cast<int>(FWindow.size()) && !FGap)
    FWindow.erase(FWindow.begin() + FPos);
  FGap = true;
  if (FRowCount > 0)
    --FRowCount;
}

} // namespace vcl
