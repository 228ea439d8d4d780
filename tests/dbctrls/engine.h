// What the data-aware edits' contract suite needs of a database engine, so
// that every engine runs the same suite: the customers table below with its
// two rows, a data set over it, and a connection of the test's own that
// writes as another program would and checks what was stored.
//
//   customers: id (integer key), name (text of up to 20, not null),
//              qty (integer), credit (money), since (date),
//              note (text of up to 40)
//   1: 'Ada', 50, 1200.50, 2024-03-11, 'first'
//   2: 'Blaise', and Null everywhere else
#pragma once

#include <string>

#include "vcl/db.h"

namespace dbtest {

class TEngine {
public:
  virtual ~TEngine() = default;
  // A closed data set over the customers table, owned by Owner.
  virtual vcl::TDataSet* Customers(vcl::TComponent* Owner) = 0;
  // Runs a statement on the test's own connection.
  virtual void Exec(const std::string& SQL) = 0;
  // Whether customer Id meets Condition (an SQL condition), as stored.
  virtual bool Holds(int Id, const std::string& Condition) = 0;
  // Stores Bytes (which may hold NUL bytes) as the note of customer Id;
  // false when the engine's texts cannot hold them.
  virtual bool StoreNote(int Id, const std::string& Bytes) = 0;
  // The note of customer Id, byte for byte.
  virtual std::string Note(int Id) = 0;
};

} // namespace dbtest
