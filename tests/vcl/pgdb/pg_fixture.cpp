// The PostgreSQL test helpers.
#include "pg_fixture.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <stdexcept>

namespace dbtest {

namespace {

std::string ReadFile(const std::string& Path) {
  std::ifstream In(Path);
  std::string Line;
  if (!std::getline(In, Line))
    throw std::runtime_error("no PostgreSQL server for the tests: " + Path +
                             " is missing (scripts/pg-server.sh start " + PgServerDir() + ")");
  return Line;
}

} // namespace

std::string PgServerDir() {
  return VALEDIT_PG_DIR;
}

std::string PgConnInfo() {
  return ReadFile(PgServerDir() + "/conninfo");
}

std::string PgPort() {
  return ReadFile(PgServerDir() + "/port");
}

TPgRaw::TPgRaw(const std::string& ConnInfo) {
  FConn = PQconnectdb((ConnInfo + " client_encoding=UTF8").c_str());
  if (PQstatus(FConn) != CONNECTION_OK) {
    const std::string Message = PQerrorMessage(FConn);
    PQfinish(FConn);
    throw std::runtime_error("cannot reach the tests' PostgreSQL server: " + Message);
  }
  PQsetNoticeProcessor(
      FConn, [](void*, const char*) {}, nullptr);
}

TPgRaw::~TPgRaw() {
  PQfinish(FConn);
}

void TPgRaw::Exec(const std::string& SQL) {
  PGresult* Result = PQexec(FConn, SQL.c_str());
  const ExecStatusType Status = PQresultStatus(Result);
  const std::string Message = PQresultErrorMessage(Result);
  PQclear(Result);
  if (Status != PGRES_COMMAND_OK && Status != PGRES_TUPLES_OK)
    throw std::runtime_error(Message + " in " + SQL);
}

std::string TPgRaw::Value(const std::string& SQL) {
  PGresult* Result = PQexec(FConn, SQL.c_str());
  if (PQresultStatus(Result) != PGRES_TUPLES_OK) {
    const std::string Message = PQresultErrorMessage(Result);
    PQclear(Result);
    throw std::runtime_error(Message + " in " + SQL);
  }
  std::string Value;
  if (PQntuples(Result) > 0)
    Value = PQgetisnull(Result, 0, 0) ? "NULL" : PQgetvalue(Result, 0, 0);
  PQclear(Result);
  return Value;
}

TPgSchema::TPgSchema() {
  static std::atomic<int> Count = 0;
  FName = "t" + std::to_string(getpid()) + "_" + std::to_string(++Count);
  FRaw = std::make_unique<TPgRaw>(ConnInfo());
  FRaw->Exec("DROP SCHEMA IF EXISTS " + FName + " CASCADE; CREATE SCHEMA " + FName +
             "; GRANT ALL ON SCHEMA " + FName + " TO clerk");
}

TPgSchema::~TPgSchema() {
  try {
    FRaw->Exec("DROP SCHEMA " + FName + " CASCADE");
  } catch (const std::exception&) {
    // A server restarted by the test: the next run's schema names differ.
  }
}

std::string TPgSchema::ConnInfo() const {
  return PgConnInfo() + " options='-c search_path=" + FName + "'";
}

} // namespace dbtest
