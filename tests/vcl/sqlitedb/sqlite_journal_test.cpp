// The journal mode of an SQLite data set's file: a database the data set
// makes is in WAL mode unless JournalMode says otherwise, a file it opens
// keeps its own mode unless JournalMode names one, and the mode a file is
// in is what another connection sees. Read-only files and folders keep
// their mode (sqlite_faults_test.cpp, sqlite_integrity_test.cpp).
#include <gtest/gtest.h>

#include <filesystem>

#include "db_fixture.h"
#include "vcl/db.h"

using namespace vcl;
using dbtest::TRawConnection;
using dbtest::TTempDatabase;

namespace {

namespace fs = std::filesystem;

const char* const Notes = "CREATE TABLE notes (id INTEGER PRIMARY KEY, v TEXT);"
                          "INSERT INTO notes (v) VALUES ('first')";

// The journal mode of the file at Path as a connection of its own sees it.
std::string ModeOf(const std::string& Path) {
  return TRawConnection(Path).Value("PRAGMA journal_mode");
}

TEST(SQLiteJournalTest, AMadeDatabaseIsInWalModeUnlessAnotherModeIsAsked) {
  const struct {
    TJournalMode Asked;
    const char* Made;
  } Cases[] = {{jmDefault, "wal"}, {jmWal, "wal"}, {jmDelete, "delete"}, {jmTruncate, "delete"}};
  for (const auto& Case : Cases) {
    TTempDatabase File;
    fs::remove(File.Path());
    TSQLiteDataSet Data(nullptr);
    Data.SetJournalMode(Case.Asked);
    Data.SetDatabaseName(File.Path());
    Data.SetTableName("notes");
    ASSERT_TRUE(Data.CreateDatabase(Notes));
    // Modes other than WAL are the connection's, not the file's: a file
    // made in one reads as the rollback journal's default.
    EXPECT_EQ(ModeOf(File.Path()), Case.Made) << Case.Asked;
    Data.Open();
    EXPECT_EQ(Data.FieldByName("v")->AsString(), "first");
    Data.Edit();
    Data.FieldByName("v")->SetAsString("posted");
    Data.Post();
    EXPECT_EQ(TRawConnection(File.Path()).Value("SELECT v FROM notes"), "posted") << Case.Asked;
  }
}

TEST(SQLiteJournalTest, AnOpenedFileKeepsItsModeUnlessOneIsNamed) {
  TTempDatabase File;
  TRawConnection(File.Path()).Exec(Notes);
  TSQLiteDataSet Data(nullptr);
  Data.SetDatabaseName(File.Path());
  Data.SetTableName("notes");
  Data.Open();
  EXPECT_EQ(ModeOf(File.Path()), "delete");
  Data.Close();

  Data.SetJournalMode(jmWal);
  Data.Open();
  EXPECT_EQ(ModeOf(File.Path()), "wal");
  // Asked for while open, a mode applies at once; a posted row is there for
  // another connection whatever the mode.
  Data.SetJournalMode(jmDelete);
  EXPECT_EQ(ModeOf(File.Path()), "delete");
  Data.Edit();
  Data.FieldByName("v")->SetAsString("posted");
  Data.Post();
  EXPECT_EQ(TRawConnection(File.Path()).Value("SELECT v FROM notes"), "posted");
  Data.Close();

  // The default leaves a WAL file in WAL mode.
  TRawConnection(File.Path()).Exec("PRAGMA journal_mode = WAL");
  Data.SetJournalMode(jmDefault);
  Data.Open();
  EXPECT_EQ(ModeOf(File.Path()), "wal");
}

// Leaving WAL mode needs the file to itself: while another program reads
// it, the file stays in WAL mode and the data set works all the same.
TEST(SQLiteJournalTest, AFileAnotherConnectionHoldsInWalModeStaysInIt) {
  TTempDatabase File;
  TRawConnection Other(File.Path());
  Other.Exec(std::string("PRAGMA journal_mode = WAL;") + Notes);
  TSQLiteDataSet Data(nullptr);
  Data.SetBusyTimeout(0);
  Data.SetJournalMode(jmDelete);
  Data.SetDatabaseName(File.Path());
  Data.SetTableName("notes");
  Data.Open();
  EXPECT_EQ(Other.Value("PRAGMA journal_mode"), "wal");
  Data.Edit();
  Data.FieldByName("v")->SetAsString("posted");
  Data.Post();
  EXPECT_EQ(Other.Value("SELECT v FROM notes"), "posted");
}

} // namespace

// A data set closing while another program keeps the file open is not the
// last connection, which alone moves the log into the file. Its posts go
// into the file all the same: a copy of the file without its log has them.
TEST(SQLiteJournalTest, PostsAreInTheFileItselfOnceTheDataSetCloses) {
  TTempDatabase File;
  TRawConnection Other(File.Path());
  Other.Exec(std::string("PRAGMA journal_mode = WAL;") + Notes);
  TSQLiteDataSet Data(nullptr);
  Data.SetDatabaseName(File.Path());
  Data.SetTableName("notes");
  Data.Open();
  Data.Edit();
  Data.FieldByName("v")->SetAsString("posted");
  Data.Post();
  Data.Close();
  ASSERT_TRUE(fs::exists(File.Path() + "-wal")) << "the other connection keeps the log";
  const std::string Alone = File.Path() + ".alone";
  fs::copy_file(File.Path(), Alone, fs::copy_options::overwrite_existing);
  EXPECT_EQ(TRawConnection(Alone).Value("SELECT v FROM notes"), "posted");
  fs::remove(Alone);
}
