// PostgreSQL: TPgDataSet, the data set over a table or a query of a
// PostgreSQL server, for a team whose clerks share one database. It keeps
// the contract of the SQLite data set: the same fields from the columns'
// types, windows of rows fetched by key, writes that never overwrite
// another user's change unseen, and the same messages when they do not
// happen. Only this engine includes libpq.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "vcl/db.h"

namespace vcl {

// Supplies the password (and may change the user name) of a connection the
// server asks a password for.
using TLoginEvent =
    std::function<void(TObject* Sender, std::string& UserName, std::string& Password)>;

// A data set over a PostgreSQL database named DatabaseName, a libpq
// connection string ("host=db.example.org dbname=shop user=clerk") or URI
// ("postgresql://clerk@db.example.org/shop"). Libpq's own sources give what
// the name leaves out (PGHOST, PGUSER, ...), and the password too (PGPASSWORD,
// ~/.pgpass); when the server still asks for one, OnLogin supplies it, or
// else the login dialog asks the user when LoginPrompt is True. A password is
// kept only in memory, for as long as the data set keeps DatabaseName, and
// never written to a form file.
//
// A table is browsed in the order of the key that tells its rows apart (its
// primary key, else its smallest unique key of columns never Null, else the
// row's place in the table, which PostgreSQL changes on every update) a
// window at a time; a query a window at a time by position, read-only. Each
// post or delete runs in its own transaction, with bound parameters only,
// and writes the row only while it still holds every value as read: a row
// another user changed meanwhile is not overwritten, the other values are
// shown and posting again writes the typed ones over them. A write that
// meets a serialization failure or a deadlock is tried again a few times
// before it is reported. A lost connection (the server restarted) is
// reported, keeping every typed value, and the next action connects again.
// The connection lasts until DatabaseName changes or the data set goes.
class TPgDataSet : public TCustomSQLDataSet {
public:
  explicit TPgDataSet(TComponent* AOwner);
  ~TPgDataSet() override;

  // Whether the login dialog asks the user for a password the server wants
  // and OnLogin does not supply.
  bool LoginPrompt() const { return FLoginPrompt; }
  void SetLoginPrompt(bool Value) { FLoginPrompt = Value; }
  // Runs SQL statements (schema, setup) on the data set's connection, in
  // one transaction.
  void ExecSQL(const std::string& Statements);
  // False for queries, views, tables the user may not update, and
  // connections that are read-only.
  bool CanModify() const override;
  // Whether the data set holds a connection to the server.
  bool Connected() const;

  TLoginEvent OnLogin;

protected:
  std::vector<std::string> ParamNames(const std::string& SQL) const override;
  void DatabaseChanged() override;
  TSQLCursor* Cursor() const override;
  void InternalOpen(std::vector<TFieldDef>& Defs) override;
  void InternalClose() override;
  // A column's NOT NULL, its type's range, length and decimals judge each
  // assignment, so a value the table would refuse, or keep other than
  // given, is reported where it is typed.
  void CheckFieldValue(const TField* Field) override;

private:
  class TConnection;
  class TCursor;
  TConnection& Connection();
  // Asks for the password the server wants for Database (its name and
  // host); false when none is given.
  bool Login(const std::string& Database, std::string& UserName, std::string& Password);

  bool FLoginPrompt = true;
  std::unique_ptr<TConnection> FConnection;
  std::unique_ptr<TCursor> FCursor;
};

// Declares the published table of TPgDataSet (once; its constructor calls it).
void RegisterPgClasses();

} // namespace vcl
