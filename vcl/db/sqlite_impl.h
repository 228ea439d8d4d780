// The SQLite side of TSQLiteDataSet: a connection, prepared statements, and
// the cursor that reads a table in windows by key (or a query in windows by
// position) and writes rows. Only the data-access sources include this
// header; nothing of SQLite shows in vcl/db.h.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "vcl/db.h"

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
  int ColumnCount() const;
  std::string ColumnName(int Index) const;
  std::string DeclType(int Index) const; // "" for expressions
  void Reset();

private:
  sqlite3* FDb;
  sqlite3_stmt* FStmt = nullptr;
  const TComponent* FOwner;
};

// Raises EDatabaseError with the connection's last message.
[[noreturn]] void SQLiteError(sqlite3* Db, const TComponent* Owner);
// Name as an SQL identifier in double quotes.
std::string Quote(const std::string& Name);

class TSQLiteDataSet::TConnection {
public:
  // Opens an existing database (":memory:" is made); a file that cannot be
  // opened or is not a database raises EDatabaseError naming it.
  TConnection(const std::string& Name, int BusyTimeout, const TComponent* Owner);
  ~TConnection();
  TConnection(const TConnection&) = delete;
  TConnection& operator=(const TConnection&) = delete;

  sqlite3* Handle() const { return FDb; }
  const TComponent* Owner() const { return FOwner; }
  void Exec(const std::string& SQL);
  void SetBusyTimeout(int Milliseconds);
  // Runs Action between BEGIN IMMEDIATE and COMMIT; Action returning false,
  // or any failure (also of the COMMIT), rolls back.
  template <typename F> void Transaction(F Action) {
    Exec("BEGIN IMMEDIATE");
    try {
      if (Action())
        Exec("COMMIT");
      else
        Exec("ROLLBACK");
    } catch (...) {
      if (!sqlite3_get_autocommit(FDb))
        sqlite3_exec(FDb, "ROLLBACK", nullptr, nullptr, nullptr);
      throw;
    }
  }

private:
  sqlite3* FDb = nullptr;
  const TComponent* FOwner;
};

class TSQLiteDataSet::TCursor {
public:
  enum TWriteResult : std::uint8_t { wrDone, wrChanged, wrGone };

  // Reads the columns of TableName (or of the query SQL) into Defs.
  TCursor(TConnection& Connection, const std::string& TableName, const std::string& SQL,
          std::vector<TFieldDef>& Defs);
  ~TCursor();

  // Tables with a key can be written; queries and views cannot.
  bool Writable() const { return FKeyed; }
  // Values per record: the columns, then the key values of a table.
  int Width() const { return FColumns + static_cast<int>(FKeySlots.size()); }

  bool First(TRecordBuffer& Rec);
  bool Last(TRecordBuffer& Rec);
  bool Next(TRecordBuffer& Rec);
  bool Prior(TRecordBuffer& Rec);
  bool GotoRecNo(int RecNo, TRecordBuffer& Rec);
  int RecNo();
  int RecordCount();
  bool Refresh(TRecordBuffer& Rec);

  // Writes the columns of Rec that differ from Old, in the row that still
  // holds Old; wrChanged and wrGone write nothing, Fresh then holding the
  // row as it is now (wrChanged). On wrDone Rec is the row as stored.
  TWriteResult Update(const TRecordBuffer& Old, TRecordBuffer& Rec, TRecordBuffer& Fresh);
  // Inserts Rec (its Null columns take their defaults); Rec becomes the row
  // as stored and the cursor's record.
  void Insert(TRecordBuffer& Rec);
  // Deletes the cursor's row if it still holds Old (wrChanged: it does not,
  // Fresh holds it); the cursor is then between its neighbours.
  TWriteResult Delete(const TRecordBuffer& Old, TRecordBuffer& Fresh);

private:
  struct TKeySlot {
    std::string Expr; // the quoted column, or the rowid's name
    int Column;       // the column holding the key value, -1 for a bare rowid
  };
  using TWindow = std::vector<TRecordBuffer>;
  using TPrimaryKey = std::vector<int>; // columns, in key order

  void ReadTable(const std::string& TableName, std::vector<TFieldDef>& Defs);
  TPrimaryKey ReadColumns(const std::string& TableName, std::vector<TFieldDef>& Defs,
                          std::vector<std::string>& Types);
  void ChooseKey(bool WithoutRowid, const TPrimaryKey& PrimaryKey,
                 const std::vector<std::string>& Types, std::vector<TFieldDef>& Defs);
  void ReadQuery(const std::string& SQL, std::vector<TFieldDef>& Defs);
  void PrepareKeyed(const std::string& Columns);
  std::unique_ptr<TSQLiteStatement> Prepare(const std::string& SQL) const;
  void Fetch(TSQLiteStatement& S, TWindow& Rows, bool Reversed) const;
  void FetchAt(int Offset, int Count, TWindow& Rows);
  static std::int64_t Scalar(TSQLiteStatement& S);
  void BindKey(TSQLiteStatement& S, int First, const TRecordBuffer& Key) const;
  bool ReadByKey(const TRecordBuffer& Key, TRecordBuffer& Row);
  std::string RowMatches(int FirstParam) const;
  void BindRow(TSQLiteStatement& S, int FirstParam, const TRecordBuffer& Row) const;
  void Take(TRecordBuffer& Rec);
  void Arrive(TWindow&& Rows, int Pos, TRecordBuffer& Rec);
  void RemoveCurrent();

  TConnection& FConnection;
  bool FKeyed = false;
  bool FRowid = false; // keyed by the rowid (else by a primary key without rowid)
  int FColumns = 0;
  std::vector<std::string> FColumnNames; // quoted
  std::vector<bool> FGenerated;
  std::string FTable; // quoted
  std::vector<TKeySlot> FKeySlots;

  std::unique_ptr<TSQLiteStatement> FFirst, FLast, FAfter, FBefore, FByKey, FAt, FCountAll,
      FCountBefore;

  TWindow FWindow;
  TWindow FSpare; // the window before, whose memory the next fetch reuses
  int FPos = -1;
  bool FGap = false;    // the cursor's row was removed: it stands before FWindow[FPos]
  TRecordBuffer FKey;   // keyed: the key of the cursor's row
  int FWindowStart = 0; // queries: the position of FWindow[0]
  int FRecNo = 0;       // 0 while unknown
  int FRowCount = -1;   // -1 while unknown
};

// The rules SQLite holds each written row of a table to that concern one
// column alone: NOT NULL, and the CHECK constraints written in the column's
// definition (a table's own CHECK constraints span columns and are left to
// the write). Columns are in the order of the data set's records.
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
    std::unique_ptr<TSQLiteStatement> Broken; // one row: 1 when Rec breaks it
  };
  struct TColumn {
    bool NotNull = false;  // refuses Null in an UPDATE
    bool Required = false; // refuses Null in an INSERT (no default)
    std::vector<TCheck> Checks;
  };
  void ReadNotNull(TConnection& Connection, const std::string& TableName,
                   const std::vector<TFieldDef>& Defs);
  void ReadChecks(TConnection& Connection, const std::string& TableName,
                  const std::vector<TFieldDef>& Defs);

  std::vector<TColumn> FColumns;
  const TComponent* FOwner;
};

} // namespace vcl
