// The sample database: made when it is missing, used as it stands when it
// is there, never half made, also by two demos started at once; named by a
// file name or a file: URI; checked through a connection of the test's own.
#include <unistd.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "apps/demo/sampledb.h"

namespace {

namespace fs = std::filesystem;
using Demo::OpenSampleDatabase;
using Demo::SampleCustomerCount;

// The first column of the first row of Query on the database File, as text
// ("" for Null, "error: ..." when the query fails).
std::string Ask(const fs::path& File, const std::string& Query) {
  sqlite3* Db = nullptr;
  std::string Result;
  if (sqlite3_open_v2(File.c_str(), &Db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    Result = "error: " + std::string(sqlite3_errmsg(Db));
  } else {
    sqlite3_stmt* Stmt = nullptr;
    if (sqlite3_prepare_v2(Db, Query.c_str(), -1, &Stmt, nullptr) != SQLITE_OK)
      Result = "error: " + std::string(sqlite3_errmsg(Db));
    else if (sqlite3_step(Stmt) == SQLITE_ROW && sqlite3_column_text(Stmt, 0))
      Result = reinterpret_cast<const char*>(sqlite3_column_text(Stmt, 0));
    sqlite3_finalize(Stmt);
  }
  sqlite3_close(Db);
  return Result;
}

void Exec(const fs::path& File, const std::string& Statement) {
  sqlite3* Db = nullptr;
  ASSERT_EQ(sqlite3_open(File.c_str(), &Db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(Db, Statement.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(Db);
}

class SampleDatabaseTest : public ::testing::Test {
protected:
  void SetUp() override {
    // Each case runs in a process of its own, perhaps beside another.
    Dir = fs::path(::testing::TempDir()) / ("demo_sampledb_" + std::to_string(::getpid()));
    fs::remove_all(Dir);
    fs::create_directories(Dir);
  }
  fs::path Dir;
};

TEST_F(SampleDatabaseTest, AMissingFileIsMadeWithTheSampleCustomers) {
  const fs::path File = Dir / "customers.db";
  {
    vcl::TSQLiteDataSet Customers(nullptr);
    OpenSampleDatabase(&Customers, File.string());
    EXPECT_EQ(Customers.RecordCount(), SampleCustomerCount);
    EXPECT_EQ(Customers.FieldByName("name")->AsString(), "Maria Lopez");
    // The declared types make currency and date fields.
    EXPECT_EQ(Customers.FieldByName("credit_limit")->DataType(), vcl::ftCurrency);
    EXPECT_EQ(Customers.FieldByName("birth_date")->DataType(), vcl::ftDate);
  }
  EXPECT_EQ(Ask(File, "SELECT count(*) FROM customers"), std::to_string(SampleCustomerCount));
  EXPECT_EQ(Ask(File, "SELECT name || ' ' || birth_date FROM customers WHERE code = 'C-1007'"),
            "Emma Jensen 1987-06-08");
}

TEST_F(SampleDatabaseTest, AnExistingFileIsUsedAsItStands) {
  const fs::path File = Dir / "customers.db";
  {
    vcl::TSQLiteDataSet Customers(nullptr);
    OpenSampleDatabase(&Customers, File.string());
  }
  Exec(File,
       "UPDATE customers SET name = 'Changed' WHERE id = 1; DELETE FROM customers WHERE id = 8");
  vcl::TSQLiteDataSet Customers(nullptr);
  OpenSampleDatabase(&Customers, File.string());
  EXPECT_EQ(Customers.RecordCount(), SampleCustomerCount - 1);
  EXPECT_EQ(Customers.FieldByName("name")->AsString(), "Changed");
}

TEST_F(SampleDatabaseTest, InMemoryHoldsTheSameCustomers) {
  vcl::TSQLiteDataSet Customers(nullptr);
  OpenSampleDatabase(&Customers, ":memory:");
  EXPECT_EQ(Customers.RecordCount(), SampleCustomerCount);
  Customers.Last();
  EXPECT_EQ(Customers.FieldByName("code")->AsString(), "C-1008");
  EXPECT_TRUE(fs::is_empty(Dir));
}

TEST_F(SampleDatabaseTest, ANameWithURICharactersIsTheFileMade) {
  const fs::path File = Dir / "a b%3F?x#1.db";
  vcl::TSQLiteDataSet Customers(nullptr);
  OpenSampleDatabase(&Customers, File.string());
  EXPECT_TRUE(fs::exists(File));
  EXPECT_EQ(Ask(File, "SELECT count(*) FROM customers"), std::to_string(SampleCustomerCount));
}

TEST_F(SampleDatabaseTest, AFileURIIsTakenAsSQLiteTakesIt) {
  const fs::path File = Dir / "customers.db";
  const std::string Uri = "file://" + File.string() + "?cache=private";
  {
    vcl::TSQLiteDataSet Customers(nullptr);
    OpenSampleDatabase(&Customers, Uri);
    Customers.Edit();
    Customers.FieldByName("name")->SetAsString("Changed");
    Customers.Post();
  }
  vcl::TSQLiteDataSet Customers(nullptr);
  OpenSampleDatabase(&Customers, Uri); // the same file again
  EXPECT_EQ(Customers.FieldByName("name")->AsString(), "Changed");
  EXPECT_EQ(Customers.RecordCount(), SampleCustomerCount);
  // Nothing else was made from the URI's text: only the file and, while it
  // is open in WAL mode, its log and index beside it.
  for (const auto& Entry : fs::directory_iterator(Dir)) {
    const std::string Name = Entry.path().filename().string();
    EXPECT_TRUE(Name == "customers.db" || Name == "customers.db-wal" || Name == "customers.db-shm")
        << Name;
  }
}

// Each round starts two demo programs on a missing file at once: both show
// the sample customers, the file holds them once, and nothing but the file
// is left once they have ended.
TEST_F(SampleDatabaseTest, TwoDemosStartedAtOnceShareOneNewFile) {
  const fs::path File = Dir / "customers.db";
  for (int Round = 0; Round < 4; ++Round) {
    fs::remove(File);
    std::string Both;
    for (const std::string Demo : {"1", "2"})
      Both += "(env -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen '" DEMO_PROGRAM "' --db '" +
              File.string() + "' --screenshot '" + (Dir / (Demo + ".png")).string() +
              "' >/dev/null 2>'" + (Dir / (Demo + ".err")).string() + "'; echo $? >'" +
              (Dir / (Demo + ".status")).string() + "') & ";
    ASSERT_EQ(std::system((Both + "wait").c_str()), 0);
    for (const std::string Demo : {"1", "2"}) {
      std::ifstream Status(Dir / (Demo + ".status")), Err(Dir / (Demo + ".err"));
      const std::string Message((std::istreambuf_iterator<char>(Err)), {});
      int Code = -1;
      Status >> Code;
      EXPECT_EQ(Code, 0) << "round " << Round << ", demo " << Demo << ": " << Message;
    }
    EXPECT_EQ(Ask(File, "SELECT count(*) FROM customers"), std::to_string(SampleCustomerCount))
        << "round " << Round;
    // Both moved their log into the file on leaving: the file copied alone,
    // without a log that two demos closing at once may leave, is complete.
    const fs::path Alone = Dir / "alone.db";
    fs::remove(Alone);
    fs::copy_file(File, Alone);
    EXPECT_EQ(Ask(Alone, "SELECT count(*) FROM customers"), std::to_string(SampleCustomerCount))
        << "round " << Round;
  }
}

TEST_F(SampleDatabaseTest, AFileThatIsNoCustomerFileIsRefusedAndLeftAlone) {
  const fs::path Text = Dir / "notes.txt";
  std::ofstream(Text) << "these are notes, not a database\n";
  vcl::TSQLiteDataSet Customers(nullptr);
  EXPECT_THROW(OpenSampleDatabase(&Customers, Text.string()), vcl::EDatabaseError);
  EXPECT_EQ(fs::file_size(Text), 32u);

  const fs::path Other = Dir / "other.db";
  Exec(Other, "CREATE TABLE orders (id INTEGER PRIMARY KEY)");
  EXPECT_THROW(OpenSampleDatabase(&Customers, Other.string()), vcl::EDatabaseError);
  EXPECT_EQ(Ask(Other, "SELECT count(*) FROM sqlite_master"), "1");
}

TEST_F(SampleDatabaseTest, AFileThatCannotBeMadeLeavesNothingBehind) {
  vcl::TSQLiteDataSet Customers(nullptr);
  EXPECT_THROW(OpenSampleDatabase(&Customers, (Dir / "missing" / "customers.db").string()),
               vcl::EDatabaseError);
  EXPECT_FALSE(fs::exists(Dir / "missing"));
}

} // namespace
