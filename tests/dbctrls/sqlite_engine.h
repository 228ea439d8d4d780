// The contract suite's engine on SQLite: the customers table in a file of
// its own, read and written through a second connection.
#pragma once

#include <memory>

#include "../vcl/sqlitedb/db_fixture.h"
#include "engine.h"

namespace dbtest {

class TSQLiteEngine : public TEngine {
public:
  TSQLiteEngine();
  vcl::TDataSet* Customers(vcl::TComponent* Owner) override;
  void Exec(const std::string& SQL) override;
  bool Holds(int Id, const std::string& Condition) override;
  bool StoreNote(int Id, const std::string& Bytes) override;
  std::string Note(int Id) override;

private:
  TTempDatabase FFile;
  std::unique_ptr<TRawConnection> FRaw;
};

} // namespace dbtest
