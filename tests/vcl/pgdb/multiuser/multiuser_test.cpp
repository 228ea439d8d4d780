// Eight clerks post 500 edits each to the same 50 rows of a ledger through
// their own data sets, each in a process of its own, while the server is
// restarted once in the middle. Afterwards the logs of what each clerk was
// told are held against the table: every row ends as its last acknowledged
// write left it; every acknowledged write began from the row as the write
// before it left it (nobody overwrote a change unseen); every refusal was a
// conflict or a lost connection; a write in doubt may have landed or not;
// and every clerk finished in time. The ledger's trigger numbers each
// row's versions, so the writes to a row can be put in their order. The
// triggers also take a moment inside each write and each commit, as a busy
// server does, so the restart cuts some writes short and leaves some in
// doubt; the clerks make their last fifth of edits only once the restart is
// over, so it lands while all of them are at work.
//
// The program is its own clerk: "pg_multiuser_tests --clerk N CONNINFO LOG MARKER".
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <thread>

#include "../pg_fixture.h"
#include "clerk.h"
#include "vcl/pgdb.h"

using namespace multiuser;

namespace {

constexpr int Clerks = 8;
constexpr int Edits = 500;
const std::string Dir = std::string(VALEDIT_PG_DIR) + "-multiuser";
const std::string RestartMarker = Dir + "/restarted";

std::string Script(const std::string& Action) {
  return std::string(VALEDIT_PG_SCRIPT) + " " + Action + " " + Dir;
}

// The test's own server, stopped however the test ends.
struct TServer {
  TServer() { Started = std::system(Script("start").c_str()) == 0; }
  ~TServer() { std::system(Script("stop").c_str()); }
  bool Started;
};

std::string LogOf(int Clerk) {
  return Dir + "/clerk" + std::to_string(Clerk) + ".log";
}

std::string ConnInfo() {
  std::ifstream In(Dir + "/conninfo");
  std::string Line;
  std::getline(In, Line);
  return Line;
}

int LoggedLines() {
  int Lines = 0;
  for (int I = 0; I < Clerks; ++I) {
    std::ifstream In(LogOf(I));
    std::string Line;
    while (std::getline(In, Line))
      ++Lines;
  }
  return Lines;
}

// The rows as a data set shows them, by id.
std::map<int, TRow> Ledger() {
  vcl::TPgDataSet Data(nullptr);
  Data.SetDatabaseName(ConnInfo());
  Data.SetTableName("ledger");
  Data.Open();
  std::map<int, TRow> Rows;
  for (; !Data.Eof(); Data.Next()) {
    TRow Row;
    for (const char* Name : {"version", "a", "b", "c"})
      Row.push_back(Data.FieldByName(Name)->IsNull() ? "NULL" : Data.FieldByName(Name)->AsString());
    Rows[Data.FieldByName("id")->AsInteger()] = Row;
  }
  return Rows;
}

struct TRowHistory {
  std::map<int, TRow> Acked;         // version -> the row as that write stored it
  std::vector<const TEntry*> Doubts; // writes in doubt
  std::vector<const TEntry*> Reads;  // acknowledged writes, as they read the row
};

// The state a clerk read at Version: the initial row, an acknowledged write,
// or a write in doubt that landed (it began from the version before).
bool Explained(const TRowHistory& H, const TRow& Initial, const TRow& Read) {
  const int Version = std::stoi(Read[0]);
  if (Version == 0)
    return Read == Initial;
  if (const auto It = H.Acked.find(Version); It != H.Acked.end())
    return It->second == Read;
  for (const TEntry* D : H.Doubts) {
    TRow Landed = D->Written;
    Landed[0] = std::to_string(std::stoi(D->Read[0]) + 1);
    if (std::stoi(D->Read[0]) == Version - 1 && Landed == Read)
      return true;
  }
  return false;
}

TEST(PgMultiUser, EightClerksOverwriteNothingUnseenAcrossARestart) {
  TServer Server;
  ASSERT_TRUE(Server.Started) << "the test's PostgreSQL server did not start";
  // A run before this one left its logs: they would count as this run's.
  std::remove(RestartMarker.c_str());
  for (int I = 0; I < Clerks; ++I)
    std::remove(LogOf(I).c_str());
  {
    dbtest::TPgRaw Raw(ConnInfo());
    Raw.Exec("CREATE TABLE ledger (id integer PRIMARY KEY, a integer, b text, c numeric(12,2),"
             " version bigint NOT NULL DEFAULT 0);"
             "INSERT INTO ledger (id, a, b, c) SELECT i, i, 'w' || i, i * 1.5"
             " FROM generate_series(1, 50) AS i;"
             "CREATE FUNCTION next_version() RETURNS trigger LANGUAGE plpgsql AS"
             " $$BEGIN NEW.version := OLD.version + 1; PERFORM pg_sleep(random() * 0.002);"
             " RETURN NEW; END$$;"
             "CREATE TRIGGER next_version BEFORE UPDATE ON ledger FOR EACH ROW"
             " EXECUTE FUNCTION next_version();"
             "CREATE FUNCTION slow_commit() RETURNS trigger LANGUAGE plpgsql AS"
             " $$BEGIN PERFORM pg_sleep(random() * 0.002); RETURN NULL; END$$;"
             "CREATE CONSTRAINT TRIGGER slow_commit AFTER UPDATE ON ledger"
             " DEFERRABLE INITIALLY DEFERRED FOR EACH ROW EXECUTE FUNCTION slow_commit()");
  }
  const std::map<int, TRow> Initial = Ledger();
  std::vector<pid_t> Children;
  for (int I = 0; I < Clerks; ++I) {
    const pid_t Pid = fork();
    ASSERT_GE(Pid, 0);
    if (Pid == 0) {
      const std::string Log = LogOf(I);
      execl("/proc/self/exe", "pg_multiuser_tests", "--clerk", std::to_string(I).c_str(),
            ConnInfo().c_str(), Log.c_str(), RestartMarker.c_str(), nullptr);
      _exit(127);
    }
    Children.push_back(Pid);
  }
  // The restart, once a third of the edits are logged.
  const auto Start = std::chrono::steady_clock::now();
  while (LoggedLines() < Clerks * Edits / 3 &&
         std::chrono::steady_clock::now() - Start < std::chrono::seconds(60))
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(std::system(Script("restart").c_str()), 0);
  std::ofstream(RestartMarker) << "restarted\n";
  // Every clerk finishes in time; one that does not is killed and counted.
  int Hung = 0, Failed = 0;
  for (pid_t Pid : Children) {
    int Status = 0;
    while (waitpid(Pid, &Status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() - Start > std::chrono::seconds(200)) {
        kill(Pid, SIGKILL);
        waitpid(Pid, &Status, 0);
        ++Hung;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    Failed += !(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
  }
  EXPECT_EQ(Hung, 0);
  EXPECT_EQ(Failed, 0);

  std::vector<TEntry> Entries;
  std::map<std::string, int> Counts;
  for (int I = 0; I < Clerks; ++I)
    for (TEntry& E : ReadLog(LogOf(I))) {
      ++Counts[E.Kind];
      EXPECT_NE(E.Kind, "other") << E.Message;
      Entries.push_back(std::move(E));
    }
  std::map<int, TRowHistory> History;
  for (const TEntry& E : Entries) {
    TRowHistory& H = History[E.Id];
    if (E.Kind == "ack") {
      EXPECT_EQ(std::stoi(E.Written[0]), std::stoi(E.Read[0]) + 1) << RowText(E.Written);
      EXPECT_TRUE(H.Acked.emplace(std::stoi(E.Written[0]), E.Written).second)
          << "two acknowledged writes made version " << E.Written[0] << " of row " << E.Id;
      H.Reads.push_back(&E);
    } else if (E.Kind == "doubt") {
      H.Doubts.push_back(&E);
    }
  }
  const std::map<int, TRow> Final = Ledger();
  for (const auto& [Id, H] : History) {
    for (const TEntry* E : H.Reads)
      EXPECT_TRUE(Explained(H, Initial.at(Id), E->Read))
          << "row " << Id << " was read as " << RowText(E->Read) << ", which no write left it as";
    const TRow& Last = Final.at(Id);
    const int Versions = std::stoi(Last[0]);
    EXPECT_TRUE(Explained(H, Initial.at(Id), Last)) << "row " << Id << " ends as " << RowText(Last);
    EXPECT_GE(Versions, static_cast<int>(H.Acked.size())) << "row " << Id;
    EXPECT_LE(Versions, static_cast<int>(H.Acked.size() + H.Doubts.size())) << "row " << Id;
  }
  EXPECT_GT(Counts["ack"], Clerks * Edits / 2);
  EXPECT_GT(Counts["conflict"], 0);
  EXPECT_GT(Counts["lost"] + Counts["doubt"] + Counts["unreachable"], 0)
      << "no clerk noticed the restart";
  std::cout << "acknowledged " << Counts["ack"] << ", conflicts " << Counts["conflict"]
            << ", lost connections " << Counts["lost"] << ", in doubt " << Counts["doubt"]
            << ", server out of reach " << Counts["unreachable"] << ", in "
            << std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() -
                                                                Start)
                   .count()
            << " s\n";
}

} // namespace

int main(int argc, char** argv) {
  if (argc == 6 && std::string(argv[1]) == "--clerk")
    return RunClerk(std::atoi(argv[2]), Edits, argv[3], argv[4], argv[5]);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
