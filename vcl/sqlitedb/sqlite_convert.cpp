// One-step conversion of a database that earlier versions of this library
// wrote in code page 1252 into UTF-8, for the tools and for programs that
// upgrade their users' files.
#include <algorithm>

#include "vcl/sqlitedb/detail/sqlite_impl.h"

namespace vcl {

namespace {

bool IsAscii(const std::string& S) {
  return std::all_of(S.begin(), S.end(),
                     [](char C) { return static_cast<unsigned char>(C) < 0x80; });
}

// The tables that hold rows of their own: no views, no virtual tables.
std::vector<std::string> TableNames(sqlite3* Db) {
  std::vector<std::string> Names;
  TSQLiteStatement S(Db,
                     "SELECT name FROM sqlite_schema WHERE type = 'table' AND name NOT LIKE "
                     "'sqlite\\_%' ESCAPE '\\' AND sql NOT LIKE 'CREATE VIRTUAL%'",
                     nullptr);
  while (S.Step())
    Names.push_back(S.ColumnText(0));
  return Names;
}

std::vector<std::string> ColumnNames(sqlite3* Db, const std::string& Table) {
  std::vector<std::string> Names;
  TSQLiteStatement S(Db, "SELECT name FROM pragma_table_info(?1)", nullptr);
  S.Bind(1, Table);
  while (S.Step())
    Names.push_back(S.ColumnText(0));
  return Names;
}

// Converts the texts of one column; the number of values changed. Rows are
// matched by their bytes, not their row id, so tables without one convert
// too, and the column's collation cannot match a different text.
int ConvertColumn(sqlite3* Db, const std::string& Table, const std::string& Column) {
  const std::string C = Quote(Column), T = Quote(Table);
  TSQLiteStatement Read(
      Db, "SELECT DISTINCT " + C + " FROM " + T + " WHERE typeof(" + C + ") = 'text'", nullptr);
  std::vector<std::string> Legacy;
  while (Read.Step()) {
    std::string Bytes = Read.ColumnText(0);
    if (IsAscii(Bytes))
      continue;
    if (IsValidUtf8(Bytes))
      DatabaseError("Column " + Table + "." + Column +
                    " already holds UTF-8 text; the database was not converted");
    Legacy.push_back(std::move(Bytes));
  }
  TSQLiteStatement Write(Db,
                         "UPDATE " + T + " SET " + C + " = ?1 WHERE typeof(" + C +
                             ") = 'text' AND CAST(" + C + " AS BLOB) = ?2",
                         nullptr);
  int Changed = 0;
  for (const std::string& Bytes : Legacy) {
    Write.Bind(1, Cp1252ToUtf8(Bytes));
    Write.Bind(2, TBlobData{Bytes});
    Write.Step();
    Write.Reset();
    Changed += sqlite3_changes(Db);
  }
  return Changed;
}

} // namespace

int ConvertCp1252Database(const std::string& FileName) {
  sqlite3* Db = nullptr;
  if (sqlite3_open_v2(FileName.c_str(), &Db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    const std::string Problem = Db ? sqlite3_errmsg(Db) : "out of memory";
    sqlite3_close(Db);
    DatabaseError("Cannot open database '" + FileName + "': " + Problem);
  }
  const std::unique_ptr<sqlite3, int (*)(sqlite3*)> Closer(Db, sqlite3_close);
  sqlite3_busy_timeout(Db, 2000);
  const auto Exec = [Db](const char* SQL) {
    if (sqlite3_exec(Db, SQL, nullptr, nullptr, nullptr) != SQLITE_OK)
      SQLiteError(Db, nullptr);
  };
  Exec("BEGIN IMMEDIATE");
  try {
    int Changed = 0;
    for (const std::string& Table : TableNames(Db))
      for (const std::string& Column : ColumnNames(Db, Table))
        Changed += ConvertColumn(Db, Table, Column);
    Exec("COMMIT");
    return Changed;
  } catch (...) {
    sqlite3_exec(Db, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

} // namespace vcl
