// Making a new database for a data set: from a plain file name, a file: URI
// or in memory; with its schema whole or not at all; and never over a file
// another program made meanwhile. Opening a missing file stays an error.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <barrier>
#include <filesystem>
#include <thread>

#include "db_fixture.h"
#include "vcl/db.h"

using namespace vcl;
using dbtest::Refusal;
using dbtest::TRawConnection;

namespace {

namespace fs = std::filesystem;

const char* const Schema = "CREATE TABLE t (id INTEGER PRIMARY KEY, v TEXT);"
                           "INSERT INTO t (v) VALUES ('new')";

class SQLiteCreateTest : public ::testing::Test {
protected:
  void SetUp() override {
    char Name[] = "/tmp/vcl_db_create_XXXXXX";
    ASSERT_NE(mkdtemp(Name), nullptr);
    Folder = Name;
  }
  void TearDown() override { fs::remove_all(Folder); }
  // The names in the folder, sorted.
  std::string Listing() const {
    std::vector<std::string> Names;
    for (const auto& Entry : fs::directory_iterator(Folder))
      Names.push_back(Entry.path().filename().string());
    std::sort(Names.begin(), Names.end());
    std::string S;
    for (const std::string& N : Names)
      S += (S.empty() ? "" : " ") + N;
    return S;
  }

  fs::path Folder;
};

TEST_F(SQLiteCreateTest, AMissingFileIsMadeWithItsSchemaAndAnExistingOneIsLeftAlone) {
  const std::string Path = (Folder / "shop.db").string();
  TSQLiteDataSet Shop(nullptr);
  Shop.SetDatabaseName(Path);
  Shop.SetTableName("t");
  EXPECT_TRUE(Shop.CreateDatabase(Schema));
  EXPECT_EQ(Listing(), "shop.db");
  EXPECT_EQ(TRawConnection(Path).Value("SELECT v FROM t"), "new");
  Shop.Open();
  EXPECT_EQ(Shop.FieldByName("v")->AsString(), "new");
  Shop.Close();

  TSQLiteDataSet Again(nullptr);
  Again.SetDatabaseName(Path);
  EXPECT_FALSE(Again.CreateDatabase("CREATE TABLE other (x)"));
  EXPECT_EQ(TRawConnection(Path).Value("SELECT group_concat(name) FROM sqlite_schema"), "t");
  EXPECT_EQ(Listing(), "shop.db");

  // Opening is unchanged: a missing file is an error, never a new database.
  Again.SetDatabaseName((Folder / "missing.db").string());
  Again.SetTableName("t");
  EXPECT_NE(Refusal([&] { Again.Open(); }).find("unable to open database file"), std::string::npos);
  EXPECT_EQ(Listing(), "shop.db");
}

TEST_F(SQLiteCreateTest, AFailingSchemaOrFolderLeavesNothingBehind) {
  TSQLiteDataSet Shop(nullptr);
  Shop.SetName("Shop");
  Shop.SetDatabaseName((Folder / "shop.db").string());
  EXPECT_EQ(Refusal([&] { Shop.CreateDatabase("CREATE TABLE t (v); NOT SQL"); }),
            "Shop: Cannot create database '" + (Folder / "shop.db").string() +
                "': near \"NOT\": syntax error");
  EXPECT_EQ(Listing(), "");
  Shop.SetDatabaseName((Folder / "no" / "shop.db").string());
  EXPECT_NE(Refusal([&] { Shop.CreateDatabase(Schema); }).find("Cannot create database"),
            std::string::npos);
  EXPECT_EQ(Listing(), "");
  Shop.SetDatabaseName((Folder / "shop.db").string());
  Shop.SetTableName("t");
  EXPECT_TRUE(Shop.CreateDatabase(Schema));
  Shop.Open();
  EXPECT_THROW(Shop.CreateDatabase(Schema), EDatabaseError); // not while open
}

TEST_F(SQLiteCreateTest, TwoMakingTheSameFileAtOnceGetOneWholeDatabase) {
  const std::string Path = (Folder / "shop.db").string();
  std::string Rows = "CREATE TABLE t (id INTEGER PRIMARY KEY, v TEXT);";
  for (int I = 0; I < 200; ++I)
    Rows += "INSERT INTO t (v) VALUES ('row');";
  for (int Round = 0; Round < 20; ++Round) {
    fs::remove(Path);
    std::barrier Start(2);
    bool Made[2] = {};
    std::string Failure[2];
    auto Make = [&](int Who) {
      TSQLiteDataSet Shop(nullptr);
      Shop.SetDatabaseName(Path);
      Start.arrive_and_wait();
      try {
        Made[Who] = Shop.CreateDatabase(Rows);
      } catch (const EDatabaseError& E) {
        Failure[Who] = E.Message();
      }
    };
    std::thread Other(Make, 1);
    Make(0);
    Other.join();
    EXPECT_EQ(Failure[0] + Failure[1], "") << "round " << Round;
    EXPECT_NE(Made[0], Made[1]) << "round " << Round;
    EXPECT_EQ(TRawConnection(Path).Value("SELECT count(*) FROM t"), "200") << "round " << Round;
    EXPECT_EQ(Listing(), "shop.db") << "round " << Round;
  }
}

TEST_F(SQLiteCreateTest, AFileURIIsTakenAsSQLiteTakesIt) {
  const fs::path Path = Folder / "a shop?.db";
  const std::string Uri = "file://localhost" + Folder.string() + "/a%20shop%3F.db?cache=private";
  TSQLiteDataSet Shop(nullptr);
  Shop.SetDatabaseName(Uri);
  Shop.SetTableName("t");
  EXPECT_TRUE(Shop.CreateDatabase(Schema));
  EXPECT_EQ(Listing(), "a shop?.db");
  Shop.Open();
  EXPECT_EQ(Shop.FieldByName("v")->AsString(), "new");
  Shop.Close();
  EXPECT_FALSE(Shop.CreateDatabase(Schema));

  // A database the URI opens read-only is never made.
  Shop.SetDatabaseName("file:" + (Folder / "ro.db").string() + "?mode=ro");
  EXPECT_FALSE(Shop.CreateDatabase(Schema));
  EXPECT_THROW(Shop.Open(), EDatabaseError);
  EXPECT_EQ(Listing(), "a shop?.db");
  Shop.SetDatabaseName("file://elsewhere/x.db");
  EXPECT_NE(Refusal([&] { Shop.CreateDatabase(Schema); }).find("invalid uri authority"),
            std::string::npos);
}

TEST_F(SQLiteCreateTest, AnInMemoryDatabaseIsMadeOnceOnTheDataSetsConnection) {
  for (const char* Name : {":memory:", "file:shop?mode=memory"}) {
    TSQLiteDataSet Shop(nullptr);
    Shop.SetDatabaseName(Name);
    Shop.SetTableName("t");
    EXPECT_TRUE(Shop.CreateDatabase(Schema)) << Name;
    Shop.Open();
    EXPECT_EQ(Shop.FieldByName("v")->AsString(), "new") << Name;
    Shop.Close();
    EXPECT_FALSE(Shop.CreateDatabase(Schema)) << Name; // it lives on, as made
  }
  EXPECT_EQ(Listing(), "");
}

} // namespace
