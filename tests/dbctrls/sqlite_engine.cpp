// The contract suite's engine on SQLite.
#include "sqlite_engine.h"

#include <stdexcept>

namespace dbtest {

TSQLiteEngine::TSQLiteEngine() : FRaw(std::make_unique<TRawConnection>(FFile.Path())) {
  FRaw->Exec("CREATE TABLE customers (id INTEGER PRIMARY KEY, name VARCHAR(20) NOT NULL,"
             " qty INTEGER, credit CURRENCY, since DATE, note VARCHAR(40));"
             "INSERT INTO customers (name, qty, credit, since, note) VALUES"
             " ('Ada', 50, 1200.5, '2024-03-11', 'first'), ('Blaise', NULL, NULL, NULL, NULL)");
}

vcl::TDataSet* TSQLiteEngine::Customers(vcl::TComponent* Owner) {
  auto* Data = new vcl::TSQLiteDataSet(Owner);
  Data->SetName("Customers");
  Data->SetDatabaseName(FFile.Path());
  Data->SetTableName("customers");
  return Data;
}

void TSQLiteEngine::Exec(const std::string& SQL) {
  FRaw->Exec(SQL);
}

bool TSQLiteEngine::Holds(int Id, const std::string& Condition) {
  return FRaw->Value("SELECT count(*) FROM customers WHERE id = " + std::to_string(Id) + " AND (" +
                     Condition + ")") == "1";
}

bool TSQLiteEngine::StoreNote(int Id, const std::string& Bytes) {
  sqlite3_stmt* Stmt = nullptr;
  if (sqlite3_prepare_v2(FRaw->Handle(), "UPDATE customers SET note = ? WHERE id = ?", -1, &Stmt,
                         nullptr) != SQLITE_OK)
    throw std::runtime_error(sqlite3_errmsg(FRaw->Handle()));
  sqlite3_bind_text(Stmt, 1, Bytes.data(), static_cast<int>(Bytes.size()), SQLITE_TRANSIENT);
  sqlite3_bind_int(Stmt, 2, Id);
  const int Result = sqlite3_step(Stmt);
  sqlite3_finalize(Stmt);
  if (Result != SQLITE_DONE)
    throw std::runtime_error(sqlite3_errmsg(FRaw->Handle()));
  return true;
}

std::string TSQLiteEngine::Note(int Id) {
  sqlite3_stmt* Stmt = nullptr;
  if (sqlite3_prepare_v2(FRaw->Handle(), "SELECT note FROM customers WHERE id = ?", -1, &Stmt,
                         nullptr) != SQLITE_OK)
    throw std::runtime_error(sqlite3_errmsg(FRaw->Handle()));
  sqlite3_bind_int(Stmt, 1, Id);
  std::string Result;
  if (sqlite3_step(Stmt) == SQLITE_ROW) {
    const auto* Text = static_cast<const char*>(sqlite3_column_blob(Stmt, 0));
    Result.assign(Text ? Text : "", static_cast<std::size_t>(sqlite3_column_bytes(Stmt, 0)));
  }
  sqlite3_finalize(Stmt);
  return Result;
}

} // namespace dbtest
