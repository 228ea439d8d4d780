// The libpq side of TPgDataSet: results, the connection (its login, its
// prepared statements, its transactions and what happens when it is lost),
// the cursor that reads a table by key or a query by position and writes
// rows, and the texts values travel as. Only vcl_pg's sources include this
// header; nothing of libpq shows in vcl/pgdb.h.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vcl/pgdb.h"
#include "vcl/pgdb/detail/libpq.h"

namespace vcl::pg {

// The types the fields are made from (pg_type's fixed OIDs).
enum : Oid {
  BoolOid = 16,
  ByteaOid = 17,
  NameOid = 19,
  Int8Oid = 20,
  Int2Oid = 21,
  Int4Oid = 23,
  TextOid = 25,
  OidOid = 26,
  Float4Oid = 700,
  Float8Oid = 701,
  BpcharOid = 1042,
  VarcharOid = 1043,
  DateOid = 1082,
  TimeOid = 1083,
  TimestampOid = 1114,
  TimestampTzOid = 1184,
  TimeTzOid = 1266,
  TidOid = 27,
  NumericOid = 1700
};

// What the data set knows of a column: how it is read, typed and judged.
struct TColumn {
  std::string Name;   // quoted
  std::string Select; // the expression that reads it (a zoned time as the session's local one)
  Oid Type = 0;
  int Mod = -1; // the type's modifier: a length, a precision and scale
  bool Collatable = false;
  bool NotNull = false;
  bool HasDefault = false;
  bool Generated = false; // written by the table only
  int Number = 0;         // attnum
};

// A real's shortest text that reads back as the same real, and back.
std::string RealText(double Value);
std::optional<double> RealOf(const std::string& Text);
// The field a column of Type (with modifier Mod) is read into.
TFieldType FieldTypeOf(Oid Type, int Mod, int& Size);
// The value of a column's text as libpq gives it (Null when Text is null).
void ReadValue(Oid Type, const char* Text, int Length, TDBValue& Value);
// The text libpq sends for Value; none for Null.
std::optional<std::string> ParamText(const TDBValue& Value);
// Name as an SQL identifier in double quotes.
std::string QuoteIdent(const std::string& Name);
// "a, b, c" (each part followed by Suffix), and "$1, $2, ..." from First.
std::string Join(const std::vector<std::string>& Parts, const std::string& Suffix = "");
std::string Placeholders(int First, int Count);
// The :name parameters of SQL in the order they first appear, each once;
// and SQL with each written $n instead, n its place in Names.
std::vector<std::string> ParamNamesOf(const std::string& SQL);
std::string NumberParams(const std::string& SQL, const std::vector<std::string>& Names);

// The options a database name (a connection string or URI) gives, as libpq
// reads them; none when libpq cannot read it.
using TConnOptions = std::vector<std::pair<std::string, std::string>>;
std::optional<TConnOptions> ConnOptions(const std::string& Name);
// Name without the password it may hold, as a form file keeps it.
std::string WithoutPassword(const std::string& Name);

// A libpq result, cleared with it.
class TResult {
public:
  explicit TResult(PGresult* Result = nullptr) : FResult(Result) {}
  PGresult* Handle() const { return FResult.get(); }
  int Rows() const { return pg::Libpq().PQntuples(FResult.get()); }
  int Columns() const { return pg::Libpq().PQnfields(FResult.get()); }
  bool IsNull(int Row, int Column) const {
    return pg::Libpq().PQgetisnull(FResult.get(), Row, Column) != 0;
  }
  std::string Text(int Row, int Column) const;
  // The rows an INSERT, UPDATE or DELETE touched.
  int Affected() const;

private:
  struct TClear {
    void operator()(PGresult* R) const { pg::Libpq().PQclear(R); }
  };
  std::unique_ptr<PGresult, TClear> FResult;
};

using TParamTexts = std::vector<std::optional<std::string>>;
TParamTexts ParamTexts(const TRecordBuffer& Values);

// The connection lost (the server went away): nothing of the statement it
// happened in was done, unless it was a COMMIT.
VCL_EXCEPTION(ELostConnection, EDatabaseError);
// A serialization failure or a deadlock: the transaction may be run again.
VCL_EXCEPTION(ERunAgain, EDatabaseError);

} // namespace vcl::pg

namespace vcl {

class TPgDataSet::TConnection {
public:
  // Connects to the database DatabaseName names, asking Owner for a
  // password when the server wants one that libpq's own sources lack.
  // Raises EDatabaseError naming the database, host, port and user (never
  // the password) when it cannot.
  TConnection(const std::string& DatabaseName, TPgDataSet* Owner);
  ~TConnection();
  TConnection(const TConnection&) = delete;
  TConnection& operator=(const TConnection&) = delete;

  const TPgDataSet* Owner() const { return FOwner; }
  bool Alive() const;
  // The session cannot write (default_transaction_read_only, a standby).
  bool ReadOnly();
  // Connects again when the connection was lost.
  void Revive();

  // Runs one statement with Params bound, prepared once per connection.
  // A read (Retry) outside a transaction whose connection turns out to be
  // lost connects again and runs once more; anything else raises
  // ELostConnection.
  pg::TResult Run(const std::string& SQL, const pg::TParamTexts& Params, bool Retry = false);
  // Runs statements as they are, in one transaction.
  void Exec(const std::string& Statements);
  // Runs Action in a transaction of its own, committed when Action returns
  // true and rolled back otherwise. A serialization failure or a deadlock
  // runs it again, a few times at most; a lost connection raises what the
  // user needs to know (nothing was written, or it is not known).
  void Transaction(const std::function<bool()>& Action);

private:
  void Connect();
  PGconn* TryConnect() const;
  [[noreturn]] void ConnectError(PGconn* Conn, const std::string& Why) const;
  void StartSession();
  bool Lost(const PGresult* Result) const;
  void Drop();
  [[noreturn]] void Fail(const PGresult* Result);
  const std::string& Prepared(const std::string& SQL);
  void RunTransaction(const std::function<bool()>& Action);

  TPgDataSet* FOwner;
  std::string FName;
  std::string FUser;     // given at the login, else libpq's choice
  std::string FPassword; // given at the login: kept for connecting again
  PGconn* FConn = nullptr;
  std::map<std::string, std::string> FStatements; // SQL -> name, on this connection
  int FReadOnly = -1;                             // -1 until asked
  bool FInTransaction = false;
};

class TPgDataSet::TCursor : public TSQLCursor {
public:
  // Reads the columns of TableName (or of the query SQL, whose :name
  // parameters take the values of Params) into Defs.
  TCursor(TConnection& Connection, const std::string& TableName, const std::string& SQL,
          const TParams& Params, std::vector<TFieldDef>& Defs);
  ~TCursor() override;

  // Tables the user may update, on a connection that may write.
  bool Writable() const override { return FWritable; }
  TWriteResult Update(const TRecordBuffer& Old, TRecordBuffer& Rec, TRecordBuffer& Fresh) override;
  TWriteResult Insert(TRecordBuffer& Rec) override;
  TWriteResult Delete(const TRecordBuffer& Old, TRecordBuffer& Fresh) override;
  // Raises EDatabaseError when the value of Field in Rec would be refused
  // by its column, or kept other than given.
  void Check(const TField* Field, const TRecordBuffer& Rec, bool Inserting) const;

protected:
  void Fetch(TFetch What, const TRecordBuffer& Key, int Offset, int Count, TWindow& Rows) override;
  int Count(const TRecordBuffer* Key) override;

private:
  void ReadTable(const std::string& TableName, std::vector<TFieldDef>& Defs);
  Oid FindTable(const std::string& TableName);
  void ReadColumns(Oid Table, std::vector<TFieldDef>& Defs);
  void ChooseKey(Oid Table);
  void ReadQuery(const std::string& SQL, const TParams& Params, std::vector<TFieldDef>& Defs);
  void PrepareKeyed();
  void Read(const pg::TResult& Result, TWindow& Rows, bool Reversed) const;
  std::string SelectList() const;
  std::string KeyList() const;
  std::string RowMatches(int FirstParam) const;
  void AddRow(pg::TParamTexts& Params, const TRecordBuffer& Row) const;
  TWriteResult Written(int Affected, const TRecordBuffer& Old, TRecordBuffer& Fresh);
  TRecordBuffer FirstRow(const pg::TResult& Result) const;

  TConnection& FConnection;
  bool FWritable = false;
  bool FByPlace = false; // keyed by ctid: the row's place in the table
  std::string FTable;    // quoted and qualified
  std::vector<pg::TColumn> FCols;
  std::vector<int> FKey;   // the key's columns; empty for ctid
  std::vector<Oid> FTypes; // of each value of a record
  pg::TParamTexts FParams; // queries: the values of their parameters, in order
  std::string FFirst, FLast, FAfter, FBefore, FByKey, FAt, FCountAll, FCountBefore;
};

} // namespace vcl
