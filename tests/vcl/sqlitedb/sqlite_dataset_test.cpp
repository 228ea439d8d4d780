// TSQLiteDataSet against real databases where SQLite has its own ways:
// locks and the busy timeout, files that are missing or no database, keys of
// tables without row ids and row ids of tables without keys, in-memory
// databases. What every engine does alike is in dataset_contract.cpp.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "db_fixture.h"
#include "vcl/db.h"

using namespace vcl;
using dbtest::TRawConnection;
using dbtest::TTempDatabase;

namespace {

class SQLiteDataSetTest : public ::testing::Test {
protected:
  void SetUp() override {
    Raw = std::make_unique<TRawConnection>(File.Path());
    Raw->Exec("CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE,"
              " city VARCHAR(20), age INTEGER CHECK (age >= 0));"
              "INSERT INTO people (name, city, age) VALUES ('Ada', 'London', 36),"
              " ('Blaise', 'Paris', 39), ('Carl', 'Brunswick', 77)");
    Data = new TSQLiteDataSet(nullptr);
    Data->SetName("People");
    Data->SetDatabaseName(File.Path());
    Data->SetTableName("people");
  }
  void TearDown() override {
    delete Data;
    Raw.reset();
  }

  std::string Name() { return Data->FieldByName("name")->AsString(); }

  TTempDatabase File;
  std::unique_ptr<TRawConnection> Raw;
  TSQLiteDataSet* Data = nullptr;
};

TEST_F(SQLiteDataSetTest, ALockedDatabaseFailsThePostAfterTheBusyTimeout) {
  Data->SetBusyTimeout(50);
  Data->Open();
  Data->Edit();
  Data->FieldByName("city")->SetAsString("Oxford");
  Raw->Exec("BEGIN IMMEDIATE; UPDATE people SET age = 37 WHERE id = 3");
  try {
    Data->Post();
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_NE(E.Message().find("database is locked"), std::string::npos) << E.Message();
  }
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Oxford");
  Raw->Exec("COMMIT");
  EXPECT_EQ(Raw->Value("SELECT city FROM people WHERE id = 1"), "London");
  Data->Post();
  EXPECT_EQ(Raw->Value("SELECT city FROM people WHERE id = 1"), "Oxford");
}

TEST_F(SQLiteDataSetTest, ASecondWriterWaitsForTheLockToGo) {
  Data->SetBusyTimeout(5000);
  Data->Open();
  Data->Edit();
  Data->FieldByName("city")->SetAsString("Oxford");
  Raw->Exec("BEGIN IMMEDIATE");
  std::thread Releaser([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    Raw->Exec("COMMIT");
  });
  EXPECT_NO_THROW(Data->Post());
  Releaser.join();
  EXPECT_EQ(Raw->Value("SELECT city FROM people WHERE id = 1"), "Oxford");
}

TEST_F(SQLiteDataSetTest, MissingFilesTablesAndNonDatabasesGiveClearErrors) {
  Data->SetDatabaseName(File.Path() + ".missing");
  try {
    Data->Open();
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_EQ(E.Message(), "People: Cannot open database '" + File.Path() +
                               ".missing': unable to open database file");
  }
  EXPECT_FALSE(Data->Active());
  EXPECT_FALSE(std::ifstream(File.Path() + ".missing").good()); // no empty file left behind

  const std::string Text = File.Path() + ".txt";
  std::ofstream(Text) << "This is a letter, not a database. It goes on for a while so that "
                         "the header check has more than a hundred bytes to look at.\n";
  Data->SetDatabaseName(Text);
  try {
    Data->Open();
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_EQ(E.Message(), "People: Cannot open database '" + Text + "': file is not a database");
  }
  std::remove(Text.c_str());

  Data->SetDatabaseName(File.Path());
  Data->SetTableName("nobody");
  try {
    Data->Open();
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_EQ(E.Message(), "People: no such table: nobody");
  }
}

TEST_F(SQLiteDataSetTest, ATableWithoutRowidIsKeyedByItsPrimaryKey) {
  Raw->Exec("CREATE TABLE stock (shop TEXT, item TEXT, count INTEGER,"
            " PRIMARY KEY (shop, item)) WITHOUT ROWID;"
            "INSERT INTO stock VALUES ('b', 'x', 1), ('a', 'y', 2), ('a', 'x', 3)");
  Data->SetTableName("stock");
  Data->Open();
  auto Row = [this] {
    return Data->FieldByName("shop")->AsString() + Data->FieldByName("item")->AsString();
  };
  EXPECT_EQ(Row(), "ax");
  Data->Next();
  EXPECT_EQ(Row(), "ay");
  Data->Edit();
  Data->FieldByName("count")->SetAsInteger(20);
  Data->Post();
  EXPECT_EQ(Raw->Value("SELECT count FROM stock WHERE shop = 'a' AND item = 'y'"), "20");
  Data->Insert();
  Data->FieldByName("shop")->SetAsString("c");
  Data->FieldByName("item")->SetAsString("z");
  Data->Post();
  EXPECT_EQ(Row(), "cz");
  Data->Prior();
  EXPECT_EQ(Row(), "bx");
  Data->Delete();
  EXPECT_EQ(Row(), "cz");
  EXPECT_EQ(Raw->Value("SELECT group_concat(shop || item) FROM stock"), "ax,ay,cz");
}

TEST_F(SQLiteDataSetTest, AColumnNamedRowidOrAViewStillGetsAKeyOrIsReadOnly) {
  Raw->Exec("CREATE TABLE r (rowid TEXT, v INTEGER); INSERT INTO r VALUES ('x', 1), ('y', 2);"
            "CREATE VIEW names AS SELECT name FROM people");
  Data->SetTableName("r");
  Data->Open();
  Data->Next();
  Data->Edit();
  Data->FieldByName("v")->SetAsInteger(20);
  Data->Post();
  EXPECT_EQ(Raw->Value("SELECT v FROM r WHERE rowid = 'y'"), "20");
  Data->Close();
  Data->SetTableName("names");
  Data->Open();
  EXPECT_EQ(Name(), "Ada");
  EXPECT_FALSE(Data->CanModify());
}

TEST(SQLiteMemoryTest, AnInMemoryDatabaseLivesAsLongAsTheDataSet) {
  TSQLiteDataSet Data(nullptr);
  EXPECT_EQ(Data.DatabaseName(), ":memory:");
  Data.ExecSQL("CREATE TABLE t (v TEXT); INSERT INTO t VALUES ('kept')");
  Data.SetTableName("t");
  Data.Open();
  Data.Close();
  Data.Open();
  EXPECT_EQ(Data.FieldByName("v")->AsString(), "kept");
  EXPECT_THROW(Data.ExecSQL("NOT SQL AT ALL"), EDatabaseError);
}

} // namespace
