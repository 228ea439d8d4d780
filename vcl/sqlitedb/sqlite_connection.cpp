// The SQLite connection of a TSQLiteDataSet and its prepared statements.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "vcl/sqlitedb/detail/sqlite_impl.h"

namespace vcl {

void SQLiteError(sqlite3* Db, const TComponent* Owner) {
  DatabaseError(sqlite3_errmsg(Db), Owner);
}

std::string Quote(const std::string& Name) {
  std::string S = "\"";
  for (char C : Name)
    S += C == '"' ? std::string("\"\"") : std::string(1, C);
  return S + "\"";
}

TSQLiteStatement::TSQLiteStatement(sqlite3* Db, const std::string& SQL, const TComponent* Owner)
    : FDb(Db), FOwner(Owner) {
  if (sqlite3_prepare_v3(Db, SQL.c_str(), static_cast<int>(SQL.size()), SQLITE_PREPARE_PERSISTENT,
                         &FStmt, nullptr) != SQLITE_OK)
    SQLiteError(Db, Owner);
}

TSQLiteStatement::~TSQLiteStatement() {
  sqlite3_finalize(FStmt);
}

void TSQLiteStatement::Bind(int Index, const TDBValue& Value) {
  int Rc = SQLITE_OK;
  if (const auto* I = std::get_if<std::int64_t>(&Value)) {
    Rc = sqlite3_bind_int64(FStmt, Index, *I);
  } else if (const auto* D = std::get_if<double>(&Value)) {
    Rc = sqlite3_bind_double(FStmt, Index, *D);
  } else if (const auto* S = std::get_if<std::string>(&Value)) {
    return BindText(Index, *S);
  } else if (const auto* B = std::get_if<TBlobData>(&Value)) {
    Rc = sqlite3_bind_blob64(FStmt, Index, B->Bytes.data(), B->Bytes.size(), SQLITE_TRANSIENT);
  } else {
    Rc = sqlite3_bind_null(FStmt, Index);
  }
  if (Rc != SQLITE_OK)
    SQLiteError(FDb, FOwner);
}

void TSQLiteStatement::BindText(int Index, const std::string& Text) {
  std::string Bytes;
  const std::string* Stored = &Text;
  if (FLegacyCp1252) {
    if (!Utf8ToCp1252(Text, Bytes))
      DatabaseError("The text '" + Text + "' holds characters that code page 1252 lacks", FOwner);
    Stored = &Bytes;
  }
  if (sqlite3_bind_text64(FStmt, Index, Stored->data(), Stored->size(), SQLITE_TRANSIENT,
                          SQLITE_UTF8) != SQLITE_OK)
    SQLiteError(FDb, FOwner);
}

bool TSQLiteStatement::Step() {
  const int Rc = sqlite3_step(FStmt);
  if (Rc == SQLITE_ROW)
    return true;
  if (Rc == SQLITE_DONE)
    return false;
  // The statement's own error text; resetting first keeps no lock behind.
  const std::string Message = sqlite3_errmsg(FDb);
  sqlite3_reset(FStmt);
  DatabaseError(Message, FOwner);
}

TDBValue TSQLiteStatement::Column(int Index) const {
  TDBValue Value;
  ColumnInto(Index, Value);
  return Value;
}

// One call fetches the column's value; the value's own accessors then cost
// no further trip through the statement (a walk reads every column of every
// row). The value is unprotected, which only matters to a connection shared
// between threads, and a data set's never is.
void TSQLiteStatement::ColumnInto(int Index, TDBValue& Value) const {
  sqlite3_value* Column = sqlite3_column_value(FStmt, Index);
  switch (sqlite3_value_type(Column)) {
  case SQLITE_INTEGER:
    Value = static_cast<std::int64_t>(sqlite3_value_int64(Column));
    break;
  case SQLITE_FLOAT:
    Value = sqlite3_value_double(Column);
    break;
  case SQLITE_TEXT: {
    const auto* Text = reinterpret_cast<const char*>(sqlite3_value_text(Column));
    const auto Size = static_cast<std::size_t>(sqlite3_value_bytes(Column));
    if (FLegacyCp1252)
      Value = Cp1252ToUtf8(std::string_view(Text, Size));
    else if (auto* S = std::get_if<std::string>(&Value))
      S->assign(Text, Size);
    else
      Value = std::string(Text, Size);
    break;
  }
  case SQLITE_BLOB: {
    const auto* Bytes = static_cast<const char*>(sqlite3_value_blob(Column));
    const int Size = sqlite3_value_bytes(Column);
    Value = TBlobData{Bytes ? std::string(Bytes, Size) : std::string()};
    break;
  }
  default:
    Value = TDBValue();
    break;
  }
}

std::string TSQLiteStatement::ColumnText(int Index) const {
  const auto* Text = reinterpret_cast<const char*>(sqlite3_column_text(FStmt, Index));
  return Text ? std::string(Text, static_cast<std::size_t>(sqlite3_column_bytes(FStmt, Index)))
              : std::string();
}

int TSQLiteStatement::ParamCount() const {
  return sqlite3_bind_parameter_count(FStmt);
}

std::string TSQLiteStatement::ParamName(int Index) const {
  const char* Name = sqlite3_bind_parameter_name(FStmt, Index);
  return Name ? Name : "";
}

int TSQLiteStatement::ColumnCount() const {
  return sqlite3_column_count(FStmt);
}

std::string TSQLiteStatement::ColumnName(int Index) const {
  const char* Name = sqlite3_column_name(FStmt, Index);
  return Name ? Name : "";
}

std::string TSQLiteStatement::DeclType(int Index) const {
  const char* Type = sqlite3_column_decltype(FStmt, Index);
  return Type ? Type : "";
}

void TSQLiteStatement::Reset() {
  sqlite3_reset(FStmt);
  sqlite3_clear_bindings(FStmt);
}

// ---------------------------------------------------------------------------

namespace {

// The device and inode of the file at Path; false when there is none.
bool FileId(const std::string& Path, std::uint64_t& Device, std::uint64_t& Inode) {
  struct stat Info {};
  if (stat(Path.c_str(), &Info) != 0)
    return false;
  Device = Info.st_dev;
  Inode = Info.st_ino;
  return true;
}

} // namespace

TSQLiteDataSet::TConnection::TConnection(const std::string& Name, int BusyTimeout,
                                         const TComponent* Owner)
    : FOwner(Owner) {
  // A data set is used from one thread only: its connection needs no locks.
  int Flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX;
  // A missing file is an error, never an empty new database, unless a
  // file: URI asks for one (mode=rwc) or the database lives in memory.
  const bool Uri = Name.rfind("file:", 0) == 0;
  if (Name.empty() || Name == ":memory:" ||
      (Uri && (Name.find("mode=rwc") != std::string::npos ||
               Name.find("mode=memory") != std::string::npos)))
    Flags |= SQLITE_OPEN_CREATE;
  std::string Problem = Open(Name, Flags, BusyTimeout);
  // A file in WAL mode in a folder the process may not write cannot be
  // opened at all: SQLite keeps the WAL's index beside it.
  if (!Problem.empty() && (sqlite3_errcode(FDb) & 0xff) == SQLITE_READONLY) {
    const char* Path = sqlite3_db_filename(FDb, "main");
    FPath = Path ? Path : "";
    if (!FPath.empty() && !FolderWritable())
      Problem = "it is in WAL mode and its folder is read-only";
  }
  if (!Problem.empty()) {
    sqlite3_close(FDb);
    DatabaseError("Cannot open database '" + Name + "': " + Problem, Owner);
  }
  const char* Path = sqlite3_db_filename(FDb, "main");
  FPath = Path ? Path : "";
  if (!FPath.empty())
    FileId(FPath, FDevice, FInode);
}

// Opens Name with Flags into FDb; returns the problem, "" when there is
// none.
std::string TSQLiteDataSet::TConnection::Open(const std::string& Name, int Flags, int BusyTimeout) {
  const int Rc = sqlite3_open_v2(Name.c_str(), &FDb, Flags, nullptr);
  if (Rc != SQLITE_OK)
    return FDb ? sqlite3_errmsg(FDb) : sqlite3_errstr(Rc);
  // The schema check below waits for a writer's lock as a post does.
  SetBusyTimeout(BusyTimeout);
  // An unknown name in double quotes is an error in our statements, never
  // the text of the name; schemas may keep their double-quoted strings.
  sqlite3_db_config(FDb, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  // Opening is lazy: reading the schema finds a file that is no database.
  if (sqlite3_exec(FDb, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr) !=
      SQLITE_OK)
    return sqlite3_errmsg(FDb);
  return "";
}

// In WAL mode the last connection to close moves the log into the file and
// deletes it. Two programs closing at the same moment may each see the other
// still open and leave the log, holding data the file alone lacks; so each
// connection first moves what it can into the file itself (without waiting
// for readers), and a file copied without its log is complete.
TSQLiteDataSet::TConnection::~TConnection() {
  if (FDb && !ReadOnly())
    sqlite3_wal_checkpoint_v2(FDb, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
  sqlite3_close(FDb);
}

void TSQLiteDataSet::TConnection::Exec(const std::string& SQL) {
  char* Message = nullptr;
  if (sqlite3_exec(FDb, SQL.c_str(), nullptr, nullptr, &Message) != SQLITE_OK) {
    const std::string Text = Message ? Message : sqlite3_errmsg(FDb);
    sqlite3_free(Message);
    DatabaseError(Text, FOwner);
  }
}

void TSQLiteDataSet::TConnection::SetBusyTimeout(int Milliseconds) {
  sqlite3_busy_timeout(FDb, Milliseconds);
}

const char* JournalModeName(TJournalMode Mode) {
  static constexpr const char* Names[] = {"",       "DELETE", "TRUNCATE", "PERSIST",
                                          "MEMORY", "WAL",    "OFF"};
  return Names[Mode];
}

// A file is never changed where it may not be written. Leaving WAL mode
// needs the file to itself: while another program has it open the pragma
// fails, and the file keeps its mode (the data set works in either).
void TSQLiteDataSet::TConnection::SetJournalMode(TJournalMode Mode) {
  if (Mode != jmDefault && !InMemory() && !ReadOnly() && FolderWritable())
    sqlite3_exec(FDb, (std::string("PRAGMA journal_mode = ") + JournalModeName(Mode)).c_str(),
                 nullptr, nullptr, nullptr);
  // A post is on the disk when it returns, in every mode: in WAL mode too
  // the commit waits for the disk (once, for the log), so a power loss
  // loses no posted record.
  sqlite3_exec(FDb, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
}

bool TSQLiteDataSet::TConnection::ReadOnly() const {
  return sqlite3_db_readonly(FDb, "main") == 1;
}

// SQLite goes on writing to the file it opened, even once that file is gone
// from its folder: what it wrote would be lost.
void TSQLiteDataSet::TConnection::CheckFile() const {
  std::uint64_t Device = 0, Inode = 0;
  if (InMemory())
    return;
  if (!FileId(FPath, Device, Inode))
    DatabaseError("The database file '" + FPath + "' was deleted since it was opened", FOwner);
  if (Device != FDevice || Inode != FInode)
    DatabaseError("The database file '" + FPath +
                      "' was replaced by another file since it was opened; close and open the "
                      "data set to use it",
                  FOwner);
}

bool TSQLiteDataSet::TConnection::FolderWritable() const {
  const std::string Folder = std::filesystem::path(FPath).parent_path().string();
  return access(Folder.empty() ? "." : Folder.c_str(), W_OK) == 0;
}

// SQLite writes its journal beside the database, so a folder the process
// may not write makes the database read-only as surely as the file's own
// permissions do.
void TSQLiteDataSet::TConnection::RaiseReadOnlyCause() const {
  if (InMemory())
    return;
  const char* Cause = !FolderWritable()                  ? "its folder is read-only"
                      : access(FPath.c_str(), W_OK) != 0 ? "the file is read-only"
                                                         : nullptr;
  if (Cause)
    DatabaseError("Cannot write to the database '" + FPath + "': " + Cause, FOwner);
}

} // namespace vcl
