// Making a new SQLite database for a data set. A file is filled under a
// temporary name in its folder and then linked into place, which fails
// when a file of the name exists: so no program ever opens a half-made
// database, two programs making the same one at once get one whole file,
// and a program removes only the temporary file it made itself.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "vcl/sqlitedb/detail/sqlite_impl.h"

namespace vcl {

namespace {

// Where a database name puts the database, as SQLite reads plain names and
// file: URIs.
struct TPlace {
  std::string Path;      // the file; "" for a database in memory
  bool ReadOnly = false; // mode=ro
};

std::string Decoded(const std::string& Text) {
  std::string S;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '%' && I + 2 < Text.size() &&
        std::isxdigit(static_cast<unsigned char>(Text[I + 1])) &&
        std::isxdigit(static_cast<unsigned char>(Text[I + 2]))) {
      S += static_cast<char>(std::stoi(Text.substr(I + 1, 2), nullptr, 16));
      I += 2;
    } else {
      S += Text[I];
    }
  }
  return S;
}

// file:[//authority]path[?name=value&...][#fragment]; the authority may be
// empty or "localhost".
TPlace PlaceOf(const std::string& Name, const TComponent* Owner) {
  if (Name.empty() || Name == ":memory:")
    return {};
  if (Name.rfind("file:", 0) != 0)
    return {Name};
  std::string Rest = Name.substr(5, Name.find('#') - 5);
  const std::size_t QueryAt = std::min(Rest.find('?'), Rest.size());
  std::string Path = Rest.substr(0, QueryAt);
  if (Path.rfind("//", 0) == 0) {
    const std::size_t Slash = std::min(Path.find('/', 2), Path.size());
    const std::string Authority = Path.substr(2, Slash - 2);
    if (!Authority.empty() && Authority != "localhost")
      DatabaseError("Cannot create database '" + Name + "': invalid uri authority: " + Authority,
                    Owner);
    Path.erase(0, Slash);
  }
  TPlace Place{Decoded(Path)};
  std::string Query = Rest.substr(std::min(QueryAt + 1, Rest.size()));
  for (std::size_t From = 0; From <= Query.size();) {
    const std::size_t To = std::min(Query.find('&', From), Query.size());
    const std::string Param = Decoded(Query.substr(From, To - From));
    if (Param == "mode=memory")
      Place.Path.clear();
    Place.ReadOnly = Place.ReadOnly || Param == "mode=ro";
    From = To + 1;
  }
  if (Place.Path == ":memory:")
    Place.Path.clear();
  return Place;
}

[[noreturn]] void CannotCreate(const std::string& Name, const std::string& Why,
                               const TComponent* Owner) {
  DatabaseError("Cannot create database '" + Name + "': " + Why, Owner);
}

// Flushes the file (or folder) at Path to the disk.
void Sync(const std::string& Path) {
  const int Fd = open(Path.c_str(), O_RDONLY);
  if (Fd >= 0) {
    fsync(Fd);
    close(Fd);
  }
}

// Fills the empty file Temporary by running Statements on it; on failure
// the file is removed and the failure raised.
void Fill(const std::string& Temporary, const std::string& Name, const std::string& Statements,
          const TComponent* Owner) {
  sqlite3* Db = nullptr;
  std::string Problem;
  if (sqlite3_open_v2(Temporary.c_str(), &Db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    Problem = sqlite3_errmsg(Db);
  } else {
    // No other program sees the file before it is whole and synced, so it
    // needs no journal of its own on the disk.
    char* Message = nullptr;
    if (sqlite3_exec(
            Db, ("PRAGMA journal_mode = MEMORY; PRAGMA synchronous = OFF; " + Statements).c_str(),
            nullptr, nullptr, &Message) != SQLITE_OK)
      Problem = Message ? Message : sqlite3_errmsg(Db);
    sqlite3_free(Message);
  }
  sqlite3_close(Db);
  if (!Problem.empty()) {
    unlink(Temporary.c_str());
    CannotCreate(Name, Problem, Owner);
  }
  Sync(Temporary);
}

// Makes the file Path with Statements run in it; false when a file of the
// name was there first.
bool CreateFile(const std::string& Path, const std::string& Name, const std::string& Statements,
                const TComponent* Owner) {
  std::string Temporary = Path + ".XXXXXX";
  const int Fd = mkstemp(Temporary.data());
  if (Fd < 0)
    CannotCreate(Name, std::strerror(errno), Owner);
  fchmod(Fd, 0644); // as SQLite makes its files
  close(Fd);
  Fill(Temporary, Name, Statements, Owner);
  const int Linked = link(Temporary.c_str(), Path.c_str());
  const int Error = errno;
  unlink(Temporary.c_str());
  if (Linked == 0) {
    const std::string Folder = std::filesystem::path(Path).parent_path().string();
    Sync(Folder.empty() ? "." : Folder);
    return true;
  }
  if (Error == EEXIST)
    return false;
  CannotCreate(Name, std::strerror(Error), Owner);
}

} // namespace

bool TSQLiteDataSet::CreateDatabase(const std::string& Statements) {
  CheckInactive();
  const TPlace Place = PlaceOf(DatabaseName(), this);
  if (Place.Path.empty()) {
    if (FConnection)
      return false;
    try {
      Connection().Exec(Statements);
    } catch (...) {
      FConnection.reset(); // the half-made database goes with it
      throw;
    }
    return true;
  }
  struct stat Info {};
  if (Place.ReadOnly || lstat(Place.Path.c_str(), &Info) == 0)
    return false;
  return CreateFile(Place.Path, DatabaseName(), Statements, this);
}

} // namespace vcl
