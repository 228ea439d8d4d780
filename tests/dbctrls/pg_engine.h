// The contract suite's engine on PostgreSQL: the customers table in a
// schema of the test's own on the test run's server, read and written
// through a connection of the test's own.
#pragma once

#include "../vcl/pgdb/pg_fixture.h"
#include "engine.h"

namespace dbtest {

class TPgEngine : public TEngine {
public:
  TPgEngine();
  vcl::TDataSet* Customers(vcl::TComponent* Owner) override;
  void Exec(const std::string& SQL) override;
  bool Holds(int Id, const std::string& Condition) override;
  bool StoreNote(int Id, const std::string& Bytes) override;
  std::string Note(int Id) override;

private:
  TPgSchema FSchema;
};

} // namespace dbtest
