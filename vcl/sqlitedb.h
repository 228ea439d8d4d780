// SQLite: TSQLiteDataSet, the data set over a table or a query of an SQLite
// database, the embedded default engine. It reads rows in windows by key
// (never a whole table at once), and writes each posted or deleted row in
// its own transaction with bound parameters. Only this engine includes
// SQLite's own header, and this header does not.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vcl/db.h"

namespace vcl {

// A data set over an SQLite database (a file, a file: URI, or ":memory:"):
// a table (TableName) or the rows of a query (SQL, with :name parameters).
// Tables are browsed in the order of the key that tells their rows apart (a
// declared primary key, a unique key of columns never Null, or else the row
// id) a window of rows at a time; queries a window at a time by position
// and are read-only. Posts and deletes run in BEGIN IMMEDIATE transactions
// that wait up to BusyTimeout for another writer (as Open waits for one),
// write with bound parameters only, and write a row only while it still
// holds the values read from it, to the letter: a row changed by another
// connection since is not overwritten, the post fails with a message and
// the changed values are shown; posting again then keeps the typed values.
// A row known only by its row id is never written once it changed, since
// another row may have taken its number. A value a column would keep other
// than given (an amount of more digits than a REAL holds) is refused where
// it is assigned. A database opened read-only cannot be modified. The
// connection to a file lasts from first use to Close, so Open reads the
// file that is there then; an in-memory database lives as long as the data
// set (until DatabaseName changes).
class TSQLiteDataSet : public TCustomSQLDataSet {
public:
  explicit TSQLiteDataSet(TComponent* AOwner);
  ~TSQLiteDataSet() override;

  // How long opening and writing wait for another connection's lock, in
  // milliseconds.
  int BusyTimeout() const { return FBusyTimeout; }
  void SetBusyTimeout(int Value);
  // Texts are stored as UTF-8. A database written by an earlier version of
  // this library holds code page 1252 bytes instead: with LegacyCodePage
  // 1252 its texts are read from and written in that code page (a text with
  // a character the code page lacks is refused at Post). 0 (the default)
  // means UTF-8; any other value raises EDatabaseError, as does a change
  // while the data set is open. ConvertCp1252Database converts such a file
  // to UTF-8 once and for all.
  int LegacyCodePage() const { return FLegacyCodePage; }
  void SetLegacyCodePage(int Value);

  // Makes the database DatabaseName when it does not exist yet, runs
  // Statements (its schema and first rows) in it and returns true; a
  // database that exists is left as it is and false returned. A file (a
  // plain name or a file: URI) is made under a temporary name beside it and
  // put in place only once complete, never over a file another program made
  // meanwhile, so no program sees it half made; an in-memory database is
  // made on the data set's connection. Opening a missing file stays an
  // error; a URI that opens read-only (mode=ro) makes nothing.
  bool CreateDatabase(const std::string& Statements);
  // Runs SQL statements (schema, setup) on the data set's connection.
  void ExecSQL(const std::string& Statements);
  // False for queries, views and databases opened read-only.
  bool CanModify() const override;

protected:
  std::vector<std::string> ParamNames(const std::string& SQL) const override;
  void DatabaseChanged() override;
  TSQLCursor* Cursor() const override;
  void InternalOpen(std::vector<TFieldDef>& Defs) override;
  void InternalClose() override;
  // A table's NOT NULL and column CHECK constraints judge each assignment,
  // as does the column's keeping of the value, so a refused value is
  // reported where it is typed, not at Post.
  void CheckFieldValue(const TField* Field) override;

private:
  class TConnection;
  class TCursor;
  class TColumnRules;
  TConnection& Connection();

  int FBusyTimeout = 2000;
  int FLegacyCodePage = 0;
  std::unique_ptr<TConnection> FConnection;
  std::unique_ptr<TCursor> FCursor;
  std::unique_ptr<TColumnRules> FRules;
};

// Converts the SQLite database file FileName, written by an earlier version
// of this library, from code page 1252 to UTF-8: every text value of every
// table, in one transaction, so that the file is converted whole or not at
// all. Returns the number of values changed. A file that already holds a
// text beyond ASCII in valid UTF-8 is refused (EDatabaseError naming the
// table and column) and left as it is, so converting twice cannot garble.
int ConvertCp1252Database(const std::string& FileName);

// Declares the published table of TSQLiteDataSet, with the data layer's
// (once; its constructor calls it, and so does code that reads one from a
// form file before making any).
void RegisterSQLiteClasses();

} // namespace vcl
