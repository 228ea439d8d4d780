// The connection of a TPgDataSet: connecting (and the login when the server
// wants a password libpq's own sources lack), the session's settings,
// statements prepared once per connection, transactions that are run
// again after a serialization failure or a deadlock, and a connection lost
// on the way, which is reported and made again by the next action.
#include <chrono>
#include <random>
#include <thread>

#include "vcl/pgdb/detail/pg_impl.h"

namespace vcl {

namespace {

// How often a write is tried in all when other users' writes get in its way.
constexpr int WriteAttempts = 5;

std::string Named(const TComponent* Owner, const std::string& Message) {
  return Owner && !Owner->Name().empty() ? Owner->Name() + ": " + Message : Message;
}

// libpq's message on one line, without its trailing newline.
std::string OneLine(const char* Message) {
  std::string S = Message ? Message : "";
  for (char& C : S)
    if (C == '\n' || C == '\t')
      C = ' ';
  while (!S.empty() && S.back() == ' ')
    S.pop_back();
  std::string Single;
  for (char C : S)
    if (!(C == ' ' && !Single.empty() && Single.back() == ' '))
      Single += C;
  return Single;
}

std::string Field(const PGresult* Result, int Code) {
  const char* Value = Result ? pg::Libpq().PQresultErrorField(Result, Code) : nullptr;
  return Value ? Value : "";
}

// The connection's options as libpq reads DatabaseName, without those left
// empty.
pg::TConnOptions Options(const std::string& Name, const TComponent* Owner) {
  auto Result = pg::ConnOptions(Name);
  if (!Result)
    DatabaseError("The database name is neither a connection string nor a postgresql:// URI "
                  "that can be read",
                  Owner);
  return *Result;
}

void Ignore(void*, const char*) {}

} // namespace

TPgDataSet::TConnection::TConnection(const std::string& DatabaseName, TPgDataSet* Owner)
    : FOwner(Owner), FName(DatabaseName) {
  Connect();
}

TPgDataSet::TConnection::~TConnection() {
  Drop();
}

bool TPgDataSet::TConnection::Alive() const {
  return FConn && pg::Libpq().PQstatus(FConn) == CONNECTION_OK;
}

void TPgDataSet::TConnection::Drop() {
  if (FConn)
    pg::Libpq().PQfinish(FConn);
  FConn = nullptr;
  FStatements.clear();
  FReadOnly = -1;
}

void TPgDataSet::TConnection::Revive() {
  if (!Alive()) {
    Drop();
    Connect();
  }
}

// The texts travel as UTF-8, the library's own text; the server converts
// them to and from the database's encoding.
PGconn* TPgDataSet::TConnection::TryConnect() const {
  auto Given = Options(FName, FOwner);
  std::map<std::string, std::string> Settings(Given.begin(), Given.end());
  Settings["client_encoding"] = "UTF8";
  Settings.try_emplace("connect_timeout", "10");
  Settings.try_emplace("fallback_application_name", "valedit");
  if (!FUser.empty())
    Settings["user"] = FUser;
  if (!FPassword.empty())
    Settings["password"] = FPassword;
  std::vector<const char*> Keys, Values;
  for (const auto& [Key, Value] : Settings) {
    Keys.push_back(Key.c_str());
    Values.push_back(Value.c_str());
  }
  Keys.push_back(nullptr);
  Values.push_back(nullptr);
  return pg::Libpq().PQconnectdbParams(Keys.data(), Values.data(), 0);
}

void TPgDataSet::TConnection::Connect() {
  const pg::TLibpq& Pq = pg::Libpq();
  PGconn* Conn = TryConnect();
  if (Pq.PQstatus(Conn) != CONNECTION_OK && Pq.PQconnectionNeedsPassword(Conn) &&
      FPassword.empty()) {
    std::string User = FUser.empty() ? Pq.PQuser(Conn) : FUser;
    std::string Password;
    const std::string Database = std::string(Pq.PQdb(Conn)) + " on " + Pq.PQhost(Conn);
    if (!FOwner->Login(Database, User, Password) || Password.empty())
      ConnectError(Conn, "no password was given");
    Pq.PQfinish(Conn);
    FUser = User;
    FPassword = Password;
    Conn = TryConnect();
  }
  if (Pq.PQstatus(Conn) != CONNECTION_OK) {
    // A password that failed is not tried again: the next login asks anew.
    if (Pq.PQconnectionUsedPassword(Conn))
      FPassword.clear();
    ConnectError(Conn, OneLine(Pq.PQerrorMessage(Conn)));
  }
  FConn = Conn;
  Pq.PQsetNoticeProcessor(FConn, Ignore, nullptr);
  StartSession();
}

void TPgDataSet::TConnection::ConnectError(PGconn* Conn, const std::string& Why) const {
  std::string Where = "Cannot connect to the database";
  if (Conn) {
    const pg::TLibpq& Pq = pg::Libpq();
    Where = "Cannot connect to database '" + std::string(Pq.PQdb(Conn)) + "' on host '" +
            Pq.PQhost(Conn) + "' at port " + Pq.PQport(Conn) + " as user '" + Pq.PQuser(Conn) + "'";
    Pq.PQfinish(Conn);
  }
  DatabaseError(Where + ": " + Why, FOwner);
}

// Dates and times in ISO order and floats written exactly, as the data set
// reads them.
void TPgDataSet::TConnection::StartSession() {
  Exec("SET DateStyle = 'ISO, YMD'; SET IntervalStyle = 'postgres';"
       " SET extra_float_digits = 1; SET bytea_output = 'hex'");
}

bool TPgDataSet::TConnection::ReadOnly() {
  if (FReadOnly < 0) {
    const pg::TResult Result = Run("SHOW transaction_read_only", {}, true);
    FReadOnly = Result.Text(0, 0) == "on" ? 1 : 0;
  }
  return FReadOnly == 1;
}

// Class 08 is the connection's; 57P01-57P03 the server shutting down or
// starting up.
bool TPgDataSet::TConnection::Lost(const PGresult* Result) const {
  if (!FConn || pg::Libpq().PQstatus(FConn) != CONNECTION_OK)
    return true;
  const std::string State = Field(Result, PG_DIAG_SQLSTATE);
  return State.rfind("08", 0) == 0 || State == "57P01" || State == "57P02" || State == "57P03";
}

void TPgDataSet::TConnection::Fail(const PGresult* Result) {
  std::string Message = Field(Result, PG_DIAG_MESSAGE_PRIMARY);
  if (Message.empty())
    Message = OneLine(pg::Libpq().PQerrorMessage(FConn));
  if (const std::string Detail = Field(Result, PG_DIAG_MESSAGE_DETAIL); !Detail.empty())
    Message += " (" + Detail + ")";
  if (Lost(Result)) {
    Drop();
    throw pg::ELostConnection(
        Named(FOwner, "The connection to the database server was lost (" + Message + ")"));
  }
  const std::string State = Field(Result, PG_DIAG_SQLSTATE);
  if (State == "40001" || State == "40P01")
    throw pg::ERunAgain(Message);
  DatabaseError(Message, FOwner);
}

const std::string& TPgDataSet::TConnection::Prepared(const std::string& SQL) {
  auto It = FStatements.find(SQL);
  if (It != FStatements.end())
    return It->second;
  const std::string Name = "s" + std::to_string(FStatements.size() + 1);
  const pg::TResult Result(pg::Libpq().PQprepare(FConn, Name.c_str(), SQL.c_str(), 0, nullptr));
  if (pg::Libpq().PQresultStatus(Result.Handle()) != PGRES_COMMAND_OK)
    Fail(Result.Handle());
  return FStatements.emplace(SQL, Name).first->second;
}

pg::TResult TPgDataSet::TConnection::Run(const std::string& SQL, const pg::TParamTexts& Params,
                                         bool Retry) {
  for (int Attempt = 0;; ++Attempt) {
    try {
      Revive();
      std::vector<const char*> Values;
      for (const auto& P : Params)
        Values.push_back(P ? P->c_str() : nullptr);
      const std::string& Name = Prepared(SQL);
      pg::TResult Result(pg::Libpq().PQexecPrepared(FConn, Name.c_str(),
                                                    static_cast<int>(Values.size()), Values.data(),
                                                    nullptr, nullptr, 0));
      const ExecStatusType Status = pg::Libpq().PQresultStatus(Result.Handle());
      if (Status != PGRES_COMMAND_OK && Status != PGRES_TUPLES_OK)
        Fail(Result.Handle());
      return Result;
    } catch (const pg::ELostConnection&) {
      if (!Retry || FInTransaction || Attempt > 0)
        throw;
    }
  }
}

void TPgDataSet::TConnection::Exec(const std::string& Statements) {
  Revive();
  const pg::TResult Result(pg::Libpq().PQexec(FConn, Statements.c_str()));
  const ExecStatusType Status = pg::Libpq().PQresultStatus(Result.Handle());
  if (Status != PGRES_COMMAND_OK && Status != PGRES_TUPLES_OK && Status != PGRES_EMPTY_QUERY)
    Fail(Result.Handle());
}

// BEGIN may connect again: nothing of the write has happened yet. A failure
// after it rolls back (on a connection that is still there).
void TPgDataSet::TConnection::RunTransaction(const std::function<bool()>& Action) {
  Run("BEGIN", {}, true);
  struct TScope {
    bool& Flag;
    ~TScope() { Flag = false; }
  } Scope{FInTransaction = true};
  bool Commit = false;
  try {
    Commit = Action();
    if (!Commit) {
      Run("ROLLBACK", {});
      return;
    }
  } catch (const pg::ELostConnection& E) {
    throw EDatabaseError(E.Message() + "; nothing was written. What you typed is kept: try again "
                                       "once the server can be reached");
  } catch (...) {
    if (Alive())
      pg::Libpq().PQclear(pg::Libpq().PQexec(FConn, "ROLLBACK"));
    throw;
  }
  try {
    Run("COMMIT", {});
  } catch (const pg::ELostConnection& E) {
    throw EDatabaseError(E.Message() + " while the change was being committed; it is not known "
                                       "whether it was saved. What you typed is kept: cancel and "
                                       "refresh to see what the table holds");
  }
}

void TPgDataSet::TConnection::Transaction(const std::function<bool()>& Action) {
  static thread_local std::minstd_rand Random(std::random_device{}());
  for (int Attempt = 1;; ++Attempt) {
    try {
      RunTransaction(Action);
      return;
    } catch (const pg::ERunAgain& E) {
      if (Attempt == WriteAttempts)
        DatabaseError("Other users' writes at the same time kept this one from being written (" +
                          E.Message() + ", " + std::to_string(WriteAttempts) +
                          " attempts); nothing was written. What you typed is kept: try again",
                      FOwner);
      // Apart from the others, who are trying again too.
      std::this_thread::sleep_for(std::chrono::milliseconds(5 * Attempt + Random() % 20));
    }
  }
}

} // namespace vcl
