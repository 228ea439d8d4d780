// Test helpers for data access: a database file in the temporary folder
// that goes away with the test, and a connection of the test's own, apart
// from the data set's, to set tables up and to check what was written.
#pragma once

#include <sqlite3.h>

#include <string>

#include "vcl/db.h"

namespace dbtest {

// The message of the EDatabaseError Action raises; "" when it raises none.
template <typename A> std::string Refusal(A Action) {
  try {
    Action();
  } catch (const vcl::EDatabaseError& E) {
    return E.Message();
  }
  return "";
}

class TTempDatabase {
public:
  TTempDatabase();
  ~TTempDatabase();
  TTempDatabase(const TTempDatabase&) = delete;
  TTempDatabase& operator=(const TTempDatabase&) = delete;
  const std::string& Path() const { return FPath; }

private:
  std::string FPath;
};

class TRawConnection {
public:
  explicit TRawConnection(const std::string& Path);
  ~TRawConnection();
  TRawConnection(const TRawConnection&) = delete;
  TRawConnection& operator=(const TRawConnection&) = delete;
  void Exec(const std::string& SQL);
  // The first column of the first row as text: "NULL" for Null, "" for no row.
  std::string Value(const std::string& SQL);
  sqlite3* Handle() const { return FDb; }

private:
  sqlite3* FDb = nullptr;
};

// Takes every write permission from the file at Path.
void MakeReadOnly(const std::string& Path);
// Makes the process an unprivileged user when it runs as root, so that file
// permissions bind it; for a process of its own (a death test's child).
void BecomeUnprivileged();

} // namespace dbtest
