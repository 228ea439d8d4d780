// The SQLite side of TSQLiteDataSet: a connection, prepared statements, the
// cursor that reads a table in windows by key (or a query in windows by
// position) and writes rows, the column rules that judge each assignment,
// and the reading of SQL text they need. Only the data-access sources
// include this header; nothing of SQLite shows in vcl/db.h.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "vcl/sqlitedb.h"

namespace vcl {

// A prepared statement. Every use binds, steps and ends with Reset, so no
// statement keeps a read transaction open between uses.
class TSQLiteStatement {
public:
  TSQLiteStatement(sqlite3* Db, const std::string& SQL, const TComponent* Owner);
  ~TSQLiteStatement();
  TSQLiteStatement(const TSQLiteStatement&) = delete;
  TSQLiteStatement& operator=(const TSQLiteStatement&) = delete;

  void Bind(int Index, const TDBValue& Value);
  // True while a row is there; raises EDatabaseError with SQLite's message.
  bool Step();
  TDBValue Column(int Index) const;
  // The column into Value, reusing the memory a text already there holds.
  void ColumnInto(int Index, TDBValue& Value) const;
  // The column as SQLite writes it out as text (a real as "1.0e+30").
  std::string ColumnText(int Index) const;
  int ColumnCount() const;
  std::string ColumnName(int Index) const;
  std::string DeclType(int Index) const; // "" for expressions
  // The statement's parameters, numbered from 1; a name keeps its ':'
  // ("" for a bare '?').
  int ParamCount() const;
  std::string ParamName(int Index) const;
  void Reset();
  // Texts go in and come out as code page 1252 bytes in the database, for
  // databases written by earlier versions; UTF-8 otherwise.
  void SetLegacyCp1252(bool Value) { FLegacyCp1252 = Value; }

private:
  void BindText(int Index, const std::string& Text);

  sqlite3* FDb;
  sqlite3_stmt* FStmt = nullptr;
  const TComponent* FOwner;
  bool FLegacyCp1252 = false;
};

// Raises EDatabaseError with the connection's last message.
[[noreturn]] void SQLiteError(sqlite3* Db, const TComponent* Owner);
// Name as an SQL identifier in double quotes.
std::string Quote(const std::string& Name);
// "a, b, c" (each part followed by Suffix), and "?1, ?2, ..." from First.
std::string JoinList(const std::vector<std::string>& Parts, const std::string& Suffix = "");
std::string ParamList(int First, int Count);

class TSQLiteDataSet::TConnection {
public:
  // Opens an existing database (":memory:" is made); a file that cannot be
  // opened or is not a database raises EDatabaseError naming it. Opening
  // waits up to BusyTimeout for another connection's lock.
  TConnection(const std::string& Name, int BusyTimeout, const TComponent* Owner);
  ~TConnection();
  TConnection(const TConnection&) = delete;
  TConnection& operator=(const TConnection&) = delete;

  sqlite3* Handle() const { return FDb; }
  const TComponent* Owner() const { return FOwner; }
  // The database lives in memory (or in a temporary file): it ends with
  // the connection.
  bool InMemory() const { return FPath.empty(); }
  // The database was opened read-only: by mode=ro, or from a file this
  // process may not write.
  bool ReadOnly() const;
  void Exec(const std::string& SQL);
  void SetBusyTimeout(int Milliseconds);
  // See TSQLiteStatement::SetLegacyCp1252: the statements of the data set's
  // cursor follow it.
  bool LegacyCp1252() const { return FLegacyCp1252; }
  void SetLegacyCp1252(bool Value) { FLegacyCp1252 = Value; }
  // Runs Action between BEGIN IMMEDIATE and COMMIT; Action returning false,
  // or any failure (also of the COMMIT), rolls back. A file replaced or
  // deleted since the connection opened it is not written at all, and a
  // refusal to write names its cause.
  template <typename F> void Transaction(F Action) {
    CheckFile();
    Exec("BEGIN IMMEDIATE");
    try {
      if (Action())
        Exec("COMMIT");
      else
        Exec("ROLLBACK");
    } catch (const EDatabaseError&) {
      const int Code = sqlite3_errcode(FDb);
      if (!sqlite3_get_autocommit(FDb))
        sqlite3_exec(FDb, "ROLLBACK", nullptr, nullptr, nullptr);
      if ((Code & 0xff) == SQLITE_READONLY)
        RaiseReadOnlyCause();
      throw;
    } catch (...) {
      if (!sqlite3_get_autocommit(FDb))
        sqlite3_exec(FDb, "ROLLBACK", nullptr, nullptr, nullptr);
      throw;
    }
  }

private:
  void CheckFile() const;
  // Raises a message naming why the file cannot be written, when it can
  // tell (a read-only folder or file).
  void RaiseReadOnlyCause() const;

  sqlite3* FDb = nullptr;
  const TComponent* FOwner;
  std::string FPath; // the database file; "" in memory
  std::uint64_t FDevice = 0, FInode = 0;
  bool FLegacyCp1252 = false;
};

class TSQLiteDataSet::TCursor : public TSQLCursor {
public:
  // A write goes to the row the key names that still holds every value as
  // read; when there is none, the row as it is now tells why (TWriteResult).

  // Reads the columns of TableName (or of the query SQL, whose :name
  // parameters take the values of Params) into Defs.
  TCursor(TConnection& Connection, const std::string& TableName, const std::string& SQL,
          const TParams& Params, std::vector<TFieldDef>& Defs);
  ~TCursor() override;

  bool Writable() const override { return FKeyKind != kkNone; }
  TWriteResult Update(const TRecordBuffer& Old, TRecordBuffer& Rec, TRecordBuffer& Fresh) override;
  // wrIgnored when the table took no row.
  TWriteResult Insert(TRecordBuffer& Rec) override;
  TWriteResult Delete(const TRecordBuffer& Old, TRecordBuffer& Fresh) override;

protected:
  void Fetch(TFetch What, const TRecordBuffer& Key, int Offset, int Count, TWindow& Rows) override;
  int Count(const TRecordBuffer* Key) override;

private:
  // How a table's rows are told apart: by a key whose values name one row
  // for good (a declared primary key, or a unique key of columns that are
  // never Null), or else by the row id, which SQLite may give to another row
  // (VACUUM, a delete and an insert), so that a row is known only as long
  // as it holds every value as read.
  enum TKeyKind : std::uint8_t { kkNone, kkKey, kkRowid };
  struct TKeySlot {
    std::string Expr; // the quoted column, or the rowid's name
    int Column;       // the column holding the key value, -1 for a bare rowid
  };
  struct TTableInfo {
    std::vector<std::string> Types; // declared, per column
    std::vector<bool> NotNull;
    std::vector<int> PrimaryKey; // columns, in key order
  };

  void ReadTable(const std::string& TableName, std::vector<TFieldDef>& Defs);
  TTableInfo ReadColumns(const std::string& TableName, std::vector<TFieldDef>& Defs);
  void ChooseKey(const std::string& TableName, bool WithoutRowid, const TTableInfo& Info,
                 std::vector<TFieldDef>& Defs);
  std::vector<int> UniqueKey(const std::string& TableName, const std::vector<TFieldDef>& Defs,
                             const std::vector<bool>& NotNull) const;
  void ReadQuery(const std::string& SQL, const TParams& Params, std::vector<TFieldDef>& Defs);
  void TakeParams(const std::string& Body, const TParams& Params);
  void PrepareKeyed(const std::string& Columns);
  void ExpectColumns(const TSQLiteStatement& S);
  std::unique_ptr<TSQLiteStatement> Prepare(const std::string& SQL) const;
  void CheckShape(const TSQLiteStatement& S) const;
  void Step(TSQLiteStatement& S, TWindow& Rows, bool Reversed) const;
  std::int64_t Scalar(TSQLiteStatement& S) const;
  // Binds Values to the parameters from First on.
  void BindValues(TSQLiteStatement& S, int First, const TRecordBuffer& Values) const;
  std::string KeyExprs() const;
  std::string RowMatches(int FirstParam) const;
  void BindRow(TSQLiteStatement& S, int FirstParam, const TRecordBuffer& Row) const;
  void BindColumns(TSQLiteStatement& S, const TRecordBuffer& Rec,
                   const std::vector<int>& Columns) const;
  void ReadBack(const TRecordBuffer& Key, TRecordBuffer& Stored);
  TWriteResult Written(const TRecordBuffer& Old, TRecordBuffer& Fresh);

  TConnection& FConnection;
  TKeyKind FKeyKind = kkNone;
  std::vector<std::string> FColumnNames; // quoted
  std::vector<bool> FGenerated;
  std::string FTable; // quoted
  std::vector<TKeySlot> FKeySlots;
  std::vector<std::string> FExpected; // the names of the columns every fetch reads
  TRecordBuffer FParams;              // queries: the values of their parameters, in order

  std::unique_ptr<TSQLiteStatement> FFirst, FLast, FAfter, FBefore, FByKey, FAt, FCountAll,
      FCountBefore;
};

// The rules SQLite holds each written row of a table to that concern one
// column alone: NOT NULL, the CHECK constraints written in the column's
// definition (a table's own CHECK constraints span columns and are left to
// the write), and the column's keeping of the value as given (its affinity
// turns a text that reads as a number into one, of no more digits than a
// REAL holds). The record is judged as the table will hold it: its values
// go into a one-row copy of the table (the columns' affinities and
// collations, no rows, no other rules) in a private in-memory database,
// where SQLite converts and compares them as the table does. Columns are in
// the order of the data set's records.
class TSQLiteDataSet::TColumnRules {
public:
  TColumnRules(TConnection& Connection, const std::string& TableName,
               const std::vector<TFieldDef>& Defs);
  ~TColumnRules();
  TColumnRules(const TColumnRules&) = delete;
  TColumnRules& operator=(const TColumnRules&) = delete;

  // Raises EDatabaseError when the value of Field in Rec (the record being
  // edited, or inserted) breaks a rule of its column.
  void Check(const TField* Field, const TRecordBuffer& Rec, bool Inserting) const;

private:
  struct TCheck {
    std::string Text;                         // the constraint's name, or its expression
    std::unique_ptr<TSQLiteStatement> Broken; // one row: 1 when the copy breaks it
  };
  struct TColumn {
    std::string Affinity;
    std::string Collation;                  // as declared; "" for the default
    bool NotNull = false;                   // refuses Null in an UPDATE
    bool Required = false;                  // refuses Null in an INSERT (no default)
    std::unique_ptr<TSQLiteStatement> Held; // one row: the value as the copy holds it
    std::vector<TCheck> Checks;
  };
  struct TCloser {
    void operator()(sqlite3* Db) const { sqlite3_close(Db); }
  };
  std::string ReadColumns(TConnection& Connection, const std::string& TableName,
                          const std::vector<TFieldDef>& Defs);
  void MakeCopy(const std::string& TableName, const std::vector<TFieldDef>& Defs);
  void ReadChecks(const std::string& TableName, const std::string& CreateTable,
                  const std::vector<TFieldDef>& Defs);
  void Load(const TRecordBuffer& Rec) const;
  void CheckHeld(const TField* Field, const TColumn& Rules, const TDBValue& Given) const;

  std::unique_ptr<sqlite3, TCloser> FCopy; // closed after the statements on it
  std::unique_ptr<TSQLiteStatement> FLoad;
  std::vector<TColumn> FColumns;
  const TComponent* FOwner;
};

// What a CREATE TABLE statement says of a column beyond SQLite's pragmas.
struct TColumnDefinition {
  struct TCheck {
    std::string Text; // the constraint's name, or its expression
    std::string Expr;
  };
  std::string Name;
  std::string Collation;
  std::vector<TCheck> Checks;
};
// The columns of CreateTable, in order.
std::vector<TColumnDefinition> ColumnDefinitions(const std::string& CreateTable);
// The :name parameters of SQL in the order they first appear, each once
// (names differing in case only are one).
std::vector<std::string> SQLParamNames(const std::string& SQL);
// The affinity SQLite gives a column of the declared type Decl.
std::string AffinityOf(const std::string& Decl);
// The index of the column Name (ignoring case) among Defs; -1 when absent.
int ColumnNamed(const std::vector<TFieldDef>& Defs, const std::string& Name);

} // namespace vcl
