// The data-set contract on SQLite: a database file of the test's own.
#include "../db/contract/data_engine.h"
#include "db_fixture.h"

namespace dbtest {

namespace {

class TSQLiteDataEngine : public TDataEngine {
public:
  TSQLiteDataEngine() : FRaw(FFile.Path()) {}
  std::unique_ptr<vcl::TCustomSQLDataSet> NewDataSet(const std::string& Name) override {
    auto Data = std::make_unique<vcl::TSQLiteDataSet>(nullptr);
    Data->SetName(Name);
    Data->SetDatabaseName(FFile.Path());
    return Data;
  }
  void Exec(const std::string& SQL) override { FRaw.Exec(SQL); }
  std::string Value(const std::string& SQL) override { return FRaw.Value(SQL); }
  std::string AutoKey() const override { return "INTEGER PRIMARY KEY"; }
  std::string UniqueViolation() const override { return "UNIQUE constraint failed: people.name"; }

private:
  TTempDatabase FFile;
  TRawConnection FRaw;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(SQLite, DataSetContract,
                         ::testing::Values(TEngineParam{
                             "SQLite", [] { return std::make_unique<TSQLiteDataEngine>(); }}),
                         EngineName);

} // namespace dbtest
