// Test helpers for PostgreSQL: the throwaway server the test run started
// (scripts/pg-server.sh), a schema of the test's own on it that goes away
// with the test, and a connection of the test's own, apart from the data
// set's, to set tables up and to check what was written.
#pragma once

#include <libpq-fe.h>

#include <memory>
#include <string>

namespace dbtest {

// The server's folder as the test run's fixture left it (scripts/pg-server.sh).
std::string PgServerDir();
// The connection string of the tests' database on it (a trusted socket).
std::string PgConnInfo();
// The port of the server on 127.0.0.1, where a password is asked for.
std::string PgPort();

// A connection of the test's own, with the texts in UTF-8.
class TPgRaw {
public:
  explicit TPgRaw(const std::string& ConnInfo = PgConnInfo());
  ~TPgRaw();
  TPgRaw(const TPgRaw&) = delete;
  TPgRaw& operator=(const TPgRaw&) = delete;
  void Exec(const std::string& SQL);
  // The first column of the first row as text: "NULL" for Null, "" for no row.
  std::string Value(const std::string& SQL);
  PGconn* Handle() const { return FConn; }

private:
  PGconn* FConn = nullptr;
};

// A schema of its own for a test, dropped with it: data sets reach it
// through ConnInfo(), whose search path starts with it.
class TPgSchema {
public:
  TPgSchema();
  ~TPgSchema();
  TPgSchema(const TPgSchema&) = delete;
  TPgSchema& operator=(const TPgSchema&) = delete;
  const std::string& Name() const { return FName; }
  std::string ConnInfo() const;
  // The test's own connection, in the schema.
  TPgRaw& Raw() { return *FRaw; }

private:
  std::string FName;
  std::unique_ptr<TPgRaw> FRaw;
};

} // namespace dbtest
