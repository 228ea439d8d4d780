// The data-set contract suite's engine: what a test needs of a database
// engine to run the same scenarios on each (dataset_contract.cpp holds
// them; each engine's tests instantiate them with a factory of its engine).
// The suite works on a table "people" made with the engine's own words for
// a key the table numbers itself, and checks what was stored through a
// connection of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "vcl/db.h"

namespace dbtest {

class TDataEngine {
public:
  virtual ~TDataEngine() = default;
  // A new closed data set on the engine's test database, named Name.
  virtual std::unique_ptr<vcl::TCustomSQLDataSet> NewDataSet(const std::string& Name) = 0;
  // Runs statements on the test's own connection.
  virtual void Exec(const std::string& SQL) = 0;
  // The first column of the first row as text: "NULL" for Null, "" for no row.
  virtual std::string Value(const std::string& SQL) = 0;
  // The column definition of an integer key the table numbers itself.
  virtual std::string AutoKey() const = 0;
  // The beginning of the engine's message for a duplicate in a unique column.
  virtual std::string UniqueViolation() const = 0;
};

using TDataEngineFactory = std::function<std::unique_ptr<TDataEngine>()>;

struct TEngineParam {
  std::string Name;
  TDataEngineFactory Make;
};

inline void PrintTo(const TEngineParam& Param, std::ostream* Out) {
  *Out << Param.Name;
}

inline std::string EngineName(const ::testing::TestParamInfo<TEngineParam>& Info) {
  return Info.param.Name;
}

// people: id (the key), name (unique, not null), city (varchar(20)), age
// (never below 0): Ada London 36, Blaise Paris 39, Carl Brunswick 77.
class DataSetContract : public ::testing::TestWithParam<TEngineParam> {
protected:
  void SetUp() override;
  void TearDown() override;
  // Fills the table with Count numbered rows (name 'n1', 'n2', ...).
  void Numbered(int Count);
  std::string Name() { return Data->FieldByName("name")->AsString(); }
  std::string Stored(const std::string& SQL) { return Engine->Value(SQL); }

  std::unique_ptr<TDataEngine> Engine;
  std::unique_ptr<vcl::TCustomSQLDataSet> Data;
};

} // namespace dbtest
