// The multi-user test's clerks: processes of their own, each posting edits
// through a TPgDataSet to the same rows while the others do, and logging
// what became of each: acknowledged (with the row as read and as stored),
// refused as a conflict, refused for a lost connection, or in doubt (the
// connection was lost while committing); and each time the server could not
// be reached to begin an edit.
#pragma once

#include <string>
#include <vector>

namespace multiuser {

constexpr int Rows = 50;

// A row of the ledger as the data set shows it: version, a, b, c.
using TRow = std::vector<std::string>;

struct TEntry {
  std::string Kind; // ack, conflict, lost, doubt, unreachable, other
  int Id = 0;
  TRow Read;    // as read when the edit began
  TRow Written; // ack: as stored; doubt: as it was to be written
  std::string Message;
};

// Runs clerk Number: Edits edits on the ledger of ConnInfo, logged to Log;
// the last fifth of them once the file RestartMarker exists. Returns the
// process's exit status.
int RunClerk(int Number, int Edits, const std::string& ConnInfo, const std::string& Log,
             const std::string& RestartMarker);
std::vector<TEntry> ReadLog(const std::string& Log);
// The row the data set is on, as logged.
std::string RowText(const TRow& Row);

} // namespace multiuser
