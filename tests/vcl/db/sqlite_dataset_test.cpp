// TSQLiteDataSet against real databases: a temporary file with a second
// connection of the test's own that sets tables up and checks what was
// written, and in-memory databases.
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

  // Fills the table with Count numbered rows (name 'n1', 'n2', ...).
  void Numbered(int Count) {
    Raw->Exec("DELETE FROM people;"
              "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
              std::to_string(Count) + ") INSERT INTO people (id, name) SELECT i, 'n' || i FROM n");
  }

  std::string Name() { return Data->FieldByName("name")->AsString(); }

  TTempDatabase File;
  std::unique_ptr<TRawConnection> Raw;
  TSQLiteDataSet* Data = nullptr;
};

TEST_F(SQLiteDataSetTest, OpensOnTheFirstRecordWithFieldsTypedFromTheColumns) {
  Data->Open();
  EXPECT_EQ(Data->State(), dsBrowse);
  ASSERT_EQ(Data->FieldCount(), 4);
  EXPECT_EQ(Data->Fields()->Fields(0)->DataType(), ftInteger);
  EXPECT_EQ(Data->FieldByName("name")->DataType(), ftString);
  EXPECT_EQ(Data->FieldByName("city")->Size(), 20);
  EXPECT_TRUE(Data->FieldByName("name")->Required());
  EXPECT_FALSE(Data->FieldByName("id")->Required()); // the rowid numbers itself
  EXPECT_EQ(Name(), "Ada");
  EXPECT_TRUE(Data->Bof());
  EXPECT_FALSE(Data->Eof());
  EXPECT_EQ(Data->FindField("nope"), nullptr);
  try {
    Data->FieldByName("nope");
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_EQ(E.Message(), "People: Field 'nope' not found");
  }
}

TEST_F(SQLiteDataSetTest, NavigationKeepsBofEofAndRecNo) {
  Data->Open();
  Data->Next();
  EXPECT_EQ(Name(), "Blaise");
  EXPECT_FALSE(Data->Bof());
  EXPECT_EQ(Data->RecNo(), 2);
  Data->Next();
  Data->Next(); // past the last: stays on it
  EXPECT_EQ(Name(), "Carl");
  EXPECT_TRUE(Data->Eof());
  Data->Prior();
  EXPECT_EQ(Name(), "Blaise");
  EXPECT_FALSE(Data->Eof());
  Data->Last();
  EXPECT_TRUE(Data->Eof());
  EXPECT_EQ(Data->RecNo(), 3);
  EXPECT_EQ(Data->RecordCount(), 3);
  EXPECT_EQ(Data->MoveBy(-5), -2);
  EXPECT_TRUE(Data->Bof());
  EXPECT_EQ(Name(), "Ada");
  Data->SetRecNo(3);
  EXPECT_EQ(Name(), "Carl");
}

TEST_F(SQLiteDataSetTest, WalksAcrossWindowsBothWays) {
  Numbered(1000);
  Data->Open();
  int Count = 1;
  while (!Data->Eof()) {
    Data->Next();
    if (!Data->Eof())
      ++Count;
    ASSERT_EQ(Name(), "n" + std::to_string(Count));
  }
  EXPECT_EQ(Count, 1000);
  EXPECT_EQ(Data->RecNo(), 1000);
  for (int I = 0; I < 700; ++I)
    Data->Prior();
  EXPECT_EQ(Name(), "n300");
  EXPECT_EQ(Data->RecNo(), 300);
  Data->SetRecNo(777);
  EXPECT_EQ(Name(), "n777");
  Data->Last();
  Data->MoveBy(-300);
  EXPECT_EQ(Name(), "n700");
  EXPECT_EQ(Data->RecNo(), 700); // counted by key
}

TEST_F(SQLiteDataSetTest, AnEmptyTableIsAtBothEnds) {
  Raw->Exec("DELETE FROM people");
  Data->Open();
  EXPECT_TRUE(Data->IsEmpty());
  EXPECT_TRUE(Data->Bof());
  EXPECT_TRUE(Data->Eof());
  EXPECT_EQ(Data->RecNo(), 0);
  EXPECT_EQ(Data->RecordCount(), 0);
  EXPECT_TRUE(Data->FieldByName("name")->IsNull());
  Data->Next();
  Data->Last();
  EXPECT_TRUE(Data->IsEmpty());
}

TEST_F(SQLiteDataSetTest, EditPostWritesTheRowAndCancelDoesNot) {
  Data->Open();
  Data->Next();
  Data->Edit();
  EXPECT_EQ(Data->State(), dsEdit);
  Data->FieldByName("city")->SetAsString("Clermont");
  EXPECT_TRUE(Data->Modified());
  Data->Post();
  EXPECT_EQ(Data->State(), dsBrowse);
  EXPECT_EQ(Raw->Value("SELECT city FROM people WHERE name = 'Blaise'"), "Clermont");
  EXPECT_EQ(Name(), "Blaise");
  Data->Edit();
  Data->FieldByName("city")->SetAsString("Rouen");
  Data->Cancel();
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Clermont");
  EXPECT_EQ(Raw->Value("SELECT city FROM people WHERE name = 'Blaise'"), "Clermont");
}

TEST_F(SQLiteDataSetTest, InsertWritesANewRowAndStaysOnIt) {
  Data->Open();
  Data->Insert();
  EXPECT_EQ(Data->State(), dsInsert);
  EXPECT_TRUE(Data->FieldByName("id")->IsNull());
  Data->FieldByName("name")->SetAsString("Dorothy");
  Data->FieldByName("age")->SetAsInteger(84);
  Data->Post();
  EXPECT_EQ(Name(), "Dorothy");
  EXPECT_EQ(Data->FieldByName("id")->AsInteger(), 4); // numbered by SQLite
  EXPECT_EQ(Raw->Value("SELECT age FROM people WHERE id = 4"), "84");
  EXPECT_EQ(Data->RecordCount(), 4);
  EXPECT_EQ(Data->RecNo(), 4);
  Data->Prior();
  EXPECT_EQ(Name(), "Carl");
  Data->Append();
  Data->Cancel();
  EXPECT_EQ(Name(), "Carl");
  EXPECT_EQ(Raw->Value("SELECT count(*) FROM people"), "4");
}

TEST_F(SQLiteDataSetTest, AnEditedKeyMovesTheRecordInTheOrder) {
  Data->Open();
  Data->Edit();
  Data->FieldByName("id")->SetAsInteger(10);
  Data->Post();
  EXPECT_EQ(Name(), "Ada");
  EXPECT_EQ(Raw->Value("SELECT name FROM people WHERE id = 10"), "Ada");
  EXPECT_EQ(Data->RecNo(), 3);
  Data->Next();
  EXPECT_TRUE(Data->Eof());
  Data->Prior();
  EXPECT_EQ(Name(), "Carl");
  Data->First();
  EXPECT_EQ(Name(), "Blaise");
}

TEST_F(SQLiteDataSetTest, DeleteMovesToTheNextRecordOrThePriorOneAtTheEnd) {
  Data->Open();
  Data->Next();
  Data->Delete();
  EXPECT_EQ(Name(), "Carl");
  EXPECT_EQ(Data->RecNo(), 2);
  EXPECT_EQ(Raw->Value("SELECT count(*) FROM people WHERE name = 'Blaise'"), "0");
  Data->Delete(); // the last
  EXPECT_EQ(Name(), "Ada");
  Data->Delete();
  EXPECT_TRUE(Data->IsEmpty());
  EXPECT_EQ(Raw->Value("SELECT count(*) FROM people"), "0");
  EXPECT_THROW(Data->Delete(), EDatabaseError);
}

TEST_F(SQLiteDataSetTest, ValuesAreBoundNeverSplicedIntoTheStatement) {
  const std::string Hostile = "O'Brien\"); DROP TABLE people; --";
  Data->Open();
  Data->Edit();
  Data->FieldByName("name")->SetAsString(Hostile);
  Data->FieldByName("city")->SetAsString("'; DELETE FROM people WHERE '1'='1");
  Data->Post();
  EXPECT_EQ(Raw->Value("SELECT count(*) FROM people"), "3");
  EXPECT_EQ(Raw->Value("SELECT name FROM people WHERE id = 1"), Hostile);
  Data->Close();
  Data->Open();
  EXPECT_EQ(Name(), Hostile);
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "'; DELETE FROM people WHERE '1'='1");
}

TEST_F(SQLiteDataSetTest, TableAndColumnNamesAreQuoted) {
  Raw->Exec("CREATE TABLE \"odd \"\"name\"\"\" (\"first name\" TEXT, \"select\" INTEGER);"
            "INSERT INTO \"odd \"\"name\"\"\" VALUES ('x', 1)");
  Data->SetTableName("odd \"name\"");
  Data->Open();
  EXPECT_EQ(Data->FieldByName("first name")->AsString(), "x");
  Data->Edit();
  Data->FieldByName("select")->SetAsInteger(2);
  Data->Post();
  EXPECT_EQ(Raw->Value("SELECT \"select\" FROM \"odd \"\"name\"\"\""), "2");
}

// Each failing write raises SQLite's message, leaves the data set in its
// state with what was typed, and leaves the row on disk as it was.
TEST_F(SQLiteDataSetTest, AConstraintViolationKeepsTheEditAndTheRow) {
  Data->Open();
  Data->Next();
  Data->Edit();
  Data->FieldByName("name")->SetAsString("Ada");    // UNIQUE
  Data->FieldByName("city")->SetAsString("Geneva"); // typed too
  try {
    Data->Post();
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_NE(E.Message().find("UNIQUE constraint failed: people.name"), std::string::npos)
        << E.Message();
  }
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Name(), "Ada");
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Geneva");
  EXPECT_EQ(Raw->Value("SELECT name || city FROM people WHERE id = 2"), "BlaiseParis");
  Data->FieldByName("name")->SetAsString("Blaise P.");
  Data->Post(); // the retry goes through
  EXPECT_EQ(Raw->Value("SELECT name || city FROM people WHERE id = 2"), "Blaise P.Geneva");
}

TEST_F(SQLiteDataSetTest, AFailingInsertStaysInInsertMode) {
  Data->Open();
  Data->Insert();
  Data->FieldByName("name")->SetAsString("Ada"); // UNIQUE
  Data->FieldByName("age")->SetAsInteger(1);
  EXPECT_THROW(Data->Post(), EDatabaseError);
  EXPECT_EQ(Data->State(), dsInsert);
  EXPECT_EQ(Name(), "Ada");
  EXPECT_EQ(Raw->Value("SELECT count(*) FROM people"), "3");
  Data->FieldByName("name")->SetAsString("Eve");
  Data->Post();
  EXPECT_EQ(Raw->Value("SELECT age FROM people WHERE name = 'Eve'"), "1");
}

TEST_F(SQLiteDataSetTest, ARequiredFieldLeftEmptyIsRefusedBeforeWriting) {
  Data->Open();
  Data->Insert();
  Data->FieldByName("city")->SetAsString("Nowhere");
  try {
    Data->Post();
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_EQ(E.Message(), "Field 'name' must have a value");
  }
  EXPECT_EQ(Data->State(), dsInsert);
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Nowhere");
}

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

TEST_F(SQLiteDataSetTest, ARowChangedByAnotherConnectionIsNotOverwritten) {
  Data->Open();
  Data->Edit();
  Data->FieldByName("city")->SetAsString("Oxford");
  Raw->Exec("UPDATE people SET age = 37, city = 'Bath' WHERE id = 1");
  try {
    Data->Post();
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_NE(E.Message().find("changed by another user"), std::string::npos) << E.Message();
  }
  // Theirs is on disk; the typed city stays, their untouched age shows.
  EXPECT_EQ(Raw->Value("SELECT city || age FROM people WHERE id = 1"), "Bath37");
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Oxford");
  EXPECT_EQ(Data->FieldByName("age")->AsInteger(), 37);
  // Posting again, knowingly, writes the typed value over theirs.
  Data->Post();
  EXPECT_EQ(Raw->Value("SELECT city || age FROM people WHERE id = 1"), "Oxford37");
}

TEST_F(SQLiteDataSetTest, CancellingAfterAConflictShowsTheOtherValues) {
  Data->Open();
  Data->Edit();
  Data->FieldByName("city")->SetAsString("Oxford");
  Raw->Exec("UPDATE people SET city = 'Bath' WHERE id = 1");
  EXPECT_THROW(Data->Post(), EDatabaseError);
  Data->Cancel();
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Bath");
}

TEST_F(SQLiteDataSetTest, ARowDeletedByAnotherConnectionCannotBePosted) {
  Data->Open();
  Data->Edit();
  Data->FieldByName("city")->SetAsString("Oxford");
  Raw->Exec("DELETE FROM people WHERE id = 1");
  try {
    Data->Post();
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_EQ(E.Message(), "People: The record was deleted by another user");
  }
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Raw->Value("SELECT count(*) FROM people"), "2");
}

TEST_F(SQLiteDataSetTest, DeletingARowChangedMeanwhileAsksToConfirm) {
  Data->Open();
  Raw->Exec("UPDATE people SET city = 'Bath' WHERE id = 1");
  EXPECT_THROW(Data->Delete(), EDatabaseError);
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Bath"); // shown as it is now
  EXPECT_EQ(Raw->Value("SELECT count(*) FROM people"), "3");
  Data->Delete();
  EXPECT_EQ(Raw->Value("SELECT count(*) FROM people"), "2");
}

TEST_F(SQLiteDataSetTest, EditStartsFromTheRowAsStoredNow) {
  Data->Open();
  Raw->Exec("UPDATE people SET city = 'Bath' WHERE id = 1");
  Data->Edit();
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Bath");
  Data->FieldByName("age")->SetAsInteger(40);
  Data->Post(); // no conflict: the edit began from Bath
  EXPECT_EQ(Raw->Value("SELECT city || age FROM people WHERE id = 1"), "Bath40");
}

TEST_F(SQLiteDataSetTest, RefreshReadsTheRecordAgainByItsKey) {
  Data->Open();
  Data->Next();
  Raw->Exec("UPDATE people SET city = 'Rouen' WHERE id = 2;"
            "INSERT INTO people (id, name) VALUES (0, 'Zero')");
  Data->Refresh();
  EXPECT_EQ(Name(), "Blaise");
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Rouen");
  EXPECT_EQ(Data->RecNo(), 3); // counted again
  EXPECT_EQ(Data->RecordCount(), 4);
  Raw->Exec("DELETE FROM people WHERE id = 2");
  Data->Refresh();
  EXPECT_EQ(Name(), "Carl"); // gone: the next one
}

TEST_F(SQLiteDataSetTest, CloseWritesPendingEditsAndAFailingWriteKeepsItOpen) {
  Data->Open();
  Data->Edit();
  Data->FieldByName("city")->SetAsString("Oxford");
  Data->Close();
  EXPECT_FALSE(Data->Active());
  EXPECT_EQ(Raw->Value("SELECT city FROM people WHERE id = 1"), "Oxford");
  Data->Open();
  Data->Edit();
  Data->FieldByName("name")->SetAsString("Carl"); // UNIQUE
  EXPECT_THROW(Data->Close(), EDatabaseError);
  EXPECT_TRUE(Data->Active());
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Name(), "Carl");
}

TEST_F(SQLiteDataSetTest, MovingWritesPendingEditsFirst) {
  Data->Open();
  Data->Edit();
  Data->FieldByName("city")->SetAsString("Oxford");
  Data->Next();
  EXPECT_EQ(Raw->Value("SELECT city FROM people WHERE id = 1"), "Oxford");
  Data->Edit(); // nothing changed: moving cancels instead of writing
  Data->Last();
  EXPECT_EQ(Data->State(), dsBrowse);
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

TEST_F(SQLiteDataSetTest, PropertiesOfTheStorageChangeOnlyWhileClosed) {
  Data->Open();
  EXPECT_THROW(Data->SetTableName("other"), EDatabaseError);
  EXPECT_THROW(Data->SetDatabaseName(":memory:"), EDatabaseError);
  EXPECT_THROW(Data->SQL()->Add("SELECT 1"), EDatabaseError);
  EXPECT_EQ(Data->TableName(), "people");
}

TEST_F(SQLiteDataSetTest, AQueryIsBrowsedReadOnlyInWindows) {
  Numbered(600);
  Data->SetTableName("");
  Data->SQL()->Add("SELECT id, name, id * 0.5 AS half FROM people");
  Data->SQL()->Add("WHERE id % 2 = 0 ORDER BY id DESC;");
  Data->Open();
  EXPECT_EQ(Data->FieldByName("id")->DataType(), ftInteger);
  EXPECT_EQ(Data->FieldByName("half")->DataType(), ftFloat); // by its first value
  EXPECT_EQ(Name(), "n600");
  EXPECT_EQ(Data->RecordCount(), 300);
  for (int I = 0; I < 299; ++I)
    Data->Next();
  EXPECT_EQ(Name(), "n2");
  EXPECT_EQ(Data->RecNo(), 300);
  Data->MoveBy(-280);
  EXPECT_EQ(Name(), "n562");
  EXPECT_FALSE(Data->CanModify());
  EXPECT_THROW(Data->Edit(), EDatabaseError);
  Data->Last();
  EXPECT_EQ(Data->FieldByName("half")->AsFloat(), 1.0);
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
