// The data-access test helpers.
#include "db_fixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace dbtest {

TTempDatabase::TTempDatabase() {
  char Name[] = "/tmp/vcl_db_test_XXXXXX";
  const int Fd = mkstemp(Name);
  if (Fd < 0)
    throw std::runtime_error("no temporary file");
  close(Fd);
  std::remove(Name); // SQLite makes the file itself
  FPath = Name;
}

TTempDatabase::~TTempDatabase() {
  for (const char* Suffix : {"", "-journal", "-wal", "-shm"})
    std::remove((FPath + Suffix).c_str());
}

TRawConnection::TRawConnection(const std::string& Path) {
  if (sqlite3_open(Path.c_str(), &FDb) != SQLITE_OK)
    throw std::runtime_error(sqlite3_errmsg(FDb));
}

TRawConnection::~TRawConnection() {
  sqlite3_close(FDb);
}

void TRawConnection::Exec(const std::string& SQL) {
  char* Message = nullptr;
  if (sqlite3_exec(FDb, SQL.c_str(), nullptr, nullptr, &Message) != SQLITE_OK) {
    const std::string Text = Message ? Message : "?";
    sqlite3_free(Message);
    throw std::runtime_error(Text + " in " + SQL);
  }
}

std::string TRawConnection::Value(const std::string& SQL) {
  sqlite3_stmt* Stmt = nullptr;
  if (sqlite3_prepare_v2(FDb, SQL.c_str(), -1, &Stmt, nullptr) != SQLITE_OK)
    throw std::runtime_error(std::string(sqlite3_errmsg(FDb)) + " in " + SQL);
  std::string Result;
  if (sqlite3_step(Stmt) == SQLITE_ROW) {
    const auto* Text = sqlite3_column_text(Stmt, 0);
    Result = Text ? reinterpret_cast<const char*>(Text) : "NULL";
  }
  sqlite3_finalize(Stmt);
  return Result;
}

void MakeReadOnly(const std::string& Path) {
  if (chmod(Path.c_str(), 0444) != 0)
    throw std::runtime_error("cannot make " + Path + " read-only");
}

void BecomeUnprivileged() {
  constexpr uid_t Nobody = 65534;
  if (geteuid() == 0 && (setgid(Nobody) != 0 || setuid(Nobody) != 0))
    throw std::runtime_error("cannot leave root");
}

} // namespace dbtest
