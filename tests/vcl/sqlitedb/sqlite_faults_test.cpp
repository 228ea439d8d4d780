// TSQLiteDataSet while another connection or process gets in the way: Open
// waits for a lock as Post does; a column dropped or a query reshaped under
// an open data set is an error, never the column's name or a shifted value;
// a row is found by its key, and without one never taken for another; and
// Close and Open read the file that is there now, while a file replaced,
// deleted or in a read-only folder is named as the cause of a failing write.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "db_fixture.h"
#include "vcl/db.h"

using namespace vcl;
using dbtest::Refusal;
using dbtest::TRawConnection;
using dbtest::TTempDatabase;

namespace {

namespace fs = std::filesystem;

class SQLiteFaultsTest : public ::testing::Test {
protected:
  void SetUp() override {
    Raw = std::make_unique<TRawConnection>(File.Path());
    Raw->Exec("CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT, city TEXT, note TEXT);"
              "INSERT INTO people (name, city, note) VALUES ('Ada', 'London', 'first'),"
              " ('Blaise', 'Paris', 'second')");
    Data = std::make_unique<TSQLiteDataSet>(nullptr);
    Data->SetName("People");
    Data->SetDatabaseName(File.Path());
    Data->SetTableName("people");
  }
  TField* F(const char* Name) { return Data->FieldByName(Name); }
  std::string Stored(const std::string& SQL) { return Raw->Value(SQL); }
  // A database file beside the test's with one person, Name.
  std::string OtherFile(const std::string& Name) {
    const std::string Path = File.Path() + ".other";
    TRawConnection Other(Path);
    Other.Exec("CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT, city TEXT, note TEXT);"
               "INSERT INTO people (name) VALUES ('" +
               Name + "')");
    return Path;
  }

  TTempDatabase File;
  std::unique_ptr<TRawConnection> Raw;
  std::unique_ptr<TSQLiteDataSet> Data;
};

// ---------------------------------------------------------------------------
// Locks

TEST_F(SQLiteFaultsTest, OpenWaitsForAnotherConnectionsLockAsPostDoes) {
  Data->SetBusyTimeout(5000);
  Raw->Exec("BEGIN EXCLUSIVE; UPDATE people SET city = 'Oxford' WHERE id = 1");
  std::thread Committer([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Raw->Exec("COMMIT");
  });
  EXPECT_EQ(Refusal([&] { Data->Open(); }), "");
  Committer.join();
  ASSERT_TRUE(Data->Active());
  EXPECT_EQ(F("city")->AsString(), "Oxford");
}

// ---------------------------------------------------------------------------
// The schema changed under an open data set

TEST_F(SQLiteFaultsTest, ADroppedColumnIsAClearErrorNeverItsOwnName) {
  Data->Open();
  Raw->Exec("ALTER TABLE people DROP COLUMN note");
  const std::string Message = Refusal([&] { Data->Refresh(); });
  EXPECT_NE(Message.find("no such column: note"), std::string::npos) << Message;
  EXPECT_NE(F("note")->AsString(), "note");
}

// The move past the rows read so far fails; the data set still shows the
// record it stood on, whole, and where it stands.
TEST_F(SQLiteFaultsTest, AMoveThatFailsKeepsShowingTheRecordItStoodOn) {
  Raw->Exec("WITH RECURSIVE n(i) AS (SELECT 3 UNION ALL SELECT i + 1 FROM n WHERE i < 600)"
            " INSERT INTO people (id, name, note) SELECT i, 'n' || i, 'note ' || i FROM n");
  Data->Open();
  Data->MoveBy(255); // the last record of the first rows read
  ASSERT_EQ(F("name")->AsString(), "n256");
  Raw->Exec("ALTER TABLE people DROP COLUMN city");
  EXPECT_NE(Refusal([&] { Data->Next(); }), "");
  EXPECT_EQ(F("name")->AsString(), "n256");
  EXPECT_EQ(F("note")->AsString(), "note 256");
  EXPECT_FALSE(Data->Eof());
  EXPECT_EQ(Data->RecNo(), 256);
}

TEST_F(SQLiteFaultsTest, AQueryWhoseColumnsChangedIsAnErrorNotAShift) {
  Data->SetTableName("");
  Data->SQL()->Add("SELECT * FROM people ORDER BY id");
  Data->Open();
  Raw->Exec("ALTER TABLE people DROP COLUMN city");
  const std::string Message = Refusal([&] { Data->Refresh(); });
  EXPECT_EQ(Message, "People: The columns have changed since the data set was opened (now id, "
                     "name, note); close and open it again");
  EXPECT_NE(F("city")->AsString(), "first"); // note's value never lands in city
  Data->Close();
  Data->Open();
  EXPECT_EQ(F("note")->AsString(), "first"); // bound by name
  EXPECT_EQ(Data->FindField("city"), nullptr);
}

TEST_F(SQLiteFaultsTest, ASchemaWithDoubleQuotedStringsStillOpensAndIsObeyed) {
  Raw->Exec("CREATE TABLE legacy (id INTEGER PRIMARY KEY,"
            " kind TEXT DEFAULT \"plain\" CHECK (kind <> \"bad\"))");
  Data->SetTableName("legacy");
  Data->Open();
  Data->Append();
  Data->Post();
  EXPECT_EQ(F("kind")->AsString(), "plain");
  Data->Edit();
  EXPECT_THROW(F("kind")->SetAsString("bad"), EDatabaseError);
  F("kind")->SetAsString("good");
  Data->Post();
  EXPECT_EQ(Stored("SELECT kind FROM legacy"), "good");
}

// ---------------------------------------------------------------------------
// Which row a write goes to

// Another program renumbers the rows of a table without a key (VACUUM), or
// deletes a row and inserts another that takes its number.
TEST_F(SQLiteFaultsTest, ARowWithoutAKeyIsNeverTakenForAnother) {
  const char* Disturbances[] = {"DELETE FROM notes WHERE title = 'A'; VACUUM",
                                "DELETE FROM notes WHERE title = 'B';"
                                " INSERT INTO notes (rowid, title, body) VALUES (2, 'D', 'd')"};
  for (const char* Disturbance : Disturbances) {
    Raw->Exec("DROP TABLE IF EXISTS notes; CREATE TABLE notes (title TEXT, body TEXT);"
              "INSERT INTO notes VALUES ('A', 'a'), ('B', 'b'), ('C', 'c')");
    Data->SetTableName("notes");
    Data->Open();
    Data->Last();
    Data->Edit(); // a table without a key stays editable
    F("body")->SetAsString("c1");
    Data->Post();
    EXPECT_EQ(Stored("SELECT body FROM notes WHERE title = 'C'"), "c1");
    Data->Prior(); // B
    Data->Edit();
    F("body")->SetAsString("typed");
    Raw->Exec(Disturbance);
    const std::string Before = Stored("SELECT group_concat(title || body) FROM notes");
    for (int Attempt = 0; Attempt < 2; ++Attempt) {
      const std::string Message = Refusal([&] { Data->Post(); });
      EXPECT_NE(Message.find("can no longer be found"), std::string::npos)
          << Disturbance << ": " << Message;
      EXPECT_EQ(Stored("SELECT group_concat(title || body) FROM notes"), Before) << Disturbance;
    }
    EXPECT_EQ(F("title")->AsString(), "B"); // what was typed is kept
    EXPECT_EQ(F("body")->AsString(), "typed");
    Data->Cancel();
    Data->Close();
  }
}

TEST_F(SQLiteFaultsTest, ADeclaredOrUniqueKeyFindsTheRowAfterItIsRenumbered) {
  const char* Schemas[] = {
      "CREATE TABLE items (sku TEXT NOT NULL UNIQUE, name TEXT)",
      "CREATE TABLE items (sku TEXT PRIMARY KEY NOT NULL, name TEXT)",
      "CREATE TABLE items (shop TEXT NOT NULL DEFAULT 'x', sku TEXT NOT NULL, name TEXT,"
      " PRIMARY KEY (shop, sku))",
      "CREATE TABLE items (sku TEXT NOT NULL, name TEXT); CREATE UNIQUE INDEX by_sku ON items "
      "(sku)"};
  for (const char* Schema : Schemas) {
    Raw->Exec(std::string("DROP TABLE IF EXISTS items; ") + Schema +
              "; INSERT INTO items (sku, name) VALUES ('c', 'C'), ('a', 'A'), ('b', 'B')");
    Data->SetTableName("items");
    Data->Open();
    EXPECT_EQ(F("sku")->AsString(), "a") << Schema; // in the key's order
    Data->Next();
    Data->Edit();
    F("name")->SetAsString("Bee");
    Raw->Exec("DELETE FROM items WHERE sku = 'c'; VACUUM");
    EXPECT_EQ(Refusal([&] { Data->Post(); }), "") << Schema;
    EXPECT_EQ(Stored("SELECT group_concat(sku || name) FROM (SELECT * FROM items ORDER BY sku)"),
              "aA,bBee")
        << Schema;
    Data->Close();
  }
}

TEST_F(SQLiteFaultsTest, AWriteThatWouldMatchSeveralRowsIsAConflictAndWritesNothing) {
  Raw->Exec("CREATE TABLE items (sku TEXT NOT NULL, name TEXT);"
            "CREATE UNIQUE INDEX by_sku ON items (sku); INSERT INTO items VALUES ('a', 'A')");
  Data->SetTableName("items");
  Data->Open();
  Data->Edit();
  F("name")->SetAsString("typed");
  Raw->Exec("DROP INDEX by_sku; INSERT INTO items VALUES ('a', 'A')");
  const std::string Message = Refusal([&] { Data->Post(); });
  EXPECT_NE(Message.find("2 records"), std::string::npos) << Message;
  EXPECT_EQ(Stored("SELECT count(*) FROM items WHERE name = 'typed'"), "0");
  EXPECT_EQ(Data->State(), dsEdit);
}

// ---------------------------------------------------------------------------
// The file itself, in the rollback journal's mode and in WAL mode

class SQLiteFileTest : public SQLiteFaultsTest, public ::testing::WithParamInterface<const char*> {
protected:
  void SetUp() override {
    SQLiteFaultsTest::SetUp();
    Raw->Exec(std::string("PRAGMA journal_mode = ") + GetParam());
    ASSERT_EQ(Stored("PRAGMA journal_mode"), LowerCase(GetParam()));
  }
};

INSTANTIATE_TEST_SUITE_P(JournalModes, SQLiteFileTest, ::testing::Values("DELETE", "WAL"));

TEST_P(SQLiteFileTest, CloseAndOpenReadTheFileThatIsThereNow) {
  Data->Open();
  Data->Close();
  fs::rename(OtherFile("Zoe"), File.Path());
  Data->Open();
  EXPECT_EQ(F("name")->AsString(), "Zoe");
}

TEST_P(SQLiteFileTest, AFileReplacedOrDeletedWhileOpenIsNamedAndNothingIsLost) {
  Data->Open();
  Data->Edit();
  F("city")->SetAsString("Oxford");
  fs::rename(OtherFile("Zoe"), File.Path());
  EXPECT_EQ(Refusal([&] { Data->Post(); }),
            "People: The database file '" + File.Path() +
                "' was replaced by another file since it was opened; close and open the data "
                "set to use it");
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(F("city")->AsString(), "Oxford");
  fs::remove(File.Path());
  EXPECT_EQ(Refusal([&] { Data->Post(); }),
            "People: The database file '" + File.Path() + "' was deleted since it was opened");
  EXPECT_EQ(F("city")->AsString(), "Oxford");
}

// Posts to the file in Folder as a user who may write the file but not its
// folder, asking for journal mode Mode; exits 0 when the failure is
// Expected and nothing was posted.
void PostInReadOnlyFolder(const std::string& Folder, TJournalMode Mode,
                          const std::string& Expected) {
  dbtest::BecomeUnprivileged();
  TSQLiteDataSet People(nullptr);
  People.SetJournalMode(Mode);
  People.SetDatabaseName(Folder + "/people.db");
  People.SetTableName("people");
  try {
    People.Open();
    People.Edit();
    People.FieldByName("name")->SetAsString("Zoe");
    People.Post();
  } catch (const EDatabaseError& E) {
    std::fprintf(stderr, "%s\n", E.Message().c_str());
    std::exit(E.Message() == Expected ? 0 : 1);
  }
  std::exit(2);
}

// A file in the rollback journal's mode stays in it whatever the data set
// asks for (the folder forbids it), and a post fails naming the folder. A
// file in WAL mode cannot even be opened without its folder (SQLite keeps
// the WAL's index there), and Open names the cause.
struct TFolderCase {
  const char* FileMode;
  TJournalMode Asked;
};

class SQLiteFolderTest : public ::testing::TestWithParam<TFolderCase> {};

INSTANTIATE_TEST_SUITE_P(JournalModes, SQLiteFolderTest,
                         ::testing::Values(TFolderCase{"DELETE", jmDefault},
                                           TFolderCase{"DELETE", jmWal},
                                           TFolderCase{"WAL", jmDefault},
                                           TFolderCase{"WAL", jmDelete}));

TEST_P(SQLiteFolderTest, AReadOnlyFolderIsNamedAsTheCauseAndTheFileKeepsItsMode) {
  char Name[] = "/tmp/vcl_db_folder_XXXXXX";
  ASSERT_NE(mkdtemp(Name), nullptr);
  const std::string Folder = Name;
  const std::string Path = Folder + "/people.db";
  {
    TRawConnection Raw(Path);
    Raw.Exec(std::string("PRAGMA journal_mode = ") + GetParam().FileMode +
             "; CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT);"
             "INSERT INTO people (name) VALUES ('Ada')");
  }
  chmod(Path.c_str(), 0666);
  chmod(Folder.c_str(), 0555);
  const std::string Expected =
      std::string(GetParam().FileMode) == "WAL"
          ? "Cannot open database '" + Path + "': it is in WAL mode and its folder is read-only"
          : "Cannot write to the database '" + Path + "': its folder is read-only";
  EXPECT_EXIT(PostInReadOnlyFolder(Folder, GetParam().Asked, Expected),
              ::testing::ExitedWithCode(0), Expected);
  chmod(Folder.c_str(), 0755);
  {
    TRawConnection Raw(Path);
    EXPECT_EQ(Raw.Value("PRAGMA journal_mode"), LowerCase(GetParam().FileMode));
    EXPECT_EQ(Raw.Value("SELECT name FROM people"), "Ada");
  }
  fs::remove_all(Folder);
}

} // namespace
