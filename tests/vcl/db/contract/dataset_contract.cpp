// The data-set contract: what every engine's data set does the same way,
// run on each engine (the SQLite tests and the PostgreSQL tests instantiate
// it), against a real database with a connection of the test's own that
// sets tables up and checks what was written.
#include <thread>

#include "data_engine.h"

using namespace vcl;

namespace dbtest {

void DataSetContract::SetUp() {
  Engine = GetParam().Make();
  Engine->Exec("CREATE TABLE people (id " + Engine->AutoKey() +
               ", name TEXT NOT NULL UNIQUE, city VARCHAR(20), age INTEGER CHECK (age >= 0));"
               "INSERT INTO people (name, city, age) VALUES ('Ada', 'London', 36),"
               " ('Blaise', 'Paris', 39), ('Carl', 'Brunswick', 77)");
  Data = Engine->NewDataSet("People");
  Data->SetTableName("people");
}

void DataSetContract::TearDown() {
  Data.reset();
  Engine.reset();
}

void DataSetContract::Numbered(int Count) {
  Engine->Exec("DELETE FROM people;"
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
               std::to_string(Count) + ") INSERT INTO people (id, name) SELECT i, 'n' || i FROM n");
}

namespace {

TEST_P(DataSetContract, OpensOnTheFirstRecordWithFieldsTypedFromTheColumns) {
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

TEST_P(DataSetContract, NavigationKeepsBofEofAndRecNo) {
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

TEST_P(DataSetContract, WalksAcrossWindowsBothWays) {
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

TEST_P(DataSetContract, AnEmptyTableIsAtBothEnds) {
  Engine->Exec("DELETE FROM people");
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

TEST_P(DataSetContract, EditPostWritesTheRowAndCancelDoesNot) {
  Data->Open();
  Data->Next();
  Data->Edit();
  EXPECT_EQ(Data->State(), dsEdit);
  Data->FieldByName("city")->SetAsString("Clermont");
  EXPECT_TRUE(Data->Modified());
  Data->Post();
  EXPECT_EQ(Data->State(), dsBrowse);
  EXPECT_EQ(Stored("SELECT city FROM people WHERE name = 'Blaise'"), "Clermont");
  EXPECT_EQ(Name(), "Blaise");
  Data->Edit();
  Data->FieldByName("city")->SetAsString("Rouen");
  Data->Cancel();
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Clermont");
  EXPECT_EQ(Stored("SELECT city FROM people WHERE name = 'Blaise'"), "Clermont");
}

TEST_P(DataSetContract, InsertWritesANewRowAndStaysOnIt) {
  Data->Open();
  Data->Insert();
  EXPECT_EQ(Data->State(), dsInsert);
  EXPECT_TRUE(Data->FieldByName("id")->IsNull());
  Data->FieldByName("name")->SetAsString("Dorothy");
  Data->FieldByName("age")->SetAsInteger(84);
  Data->Post();
  EXPECT_EQ(Name(), "Dorothy");
  EXPECT_EQ(Data->FieldByName("id")->AsInteger(), 4); // numbered by SQLite
  EXPECT_EQ(Stored("SELECT age FROM people WHERE id = 4"), "84");
  EXPECT_EQ(Data->RecordCount(), 4);
  EXPECT_EQ(Data->RecNo(), 4);
  Data->Prior();
  EXPECT_EQ(Name(), "Carl");
  Data->Append();
  Data->Cancel();
  EXPECT_EQ(Name(), "Carl");
  EXPECT_EQ(Stored("SELECT count(*) FROM people"), "4");
}

TEST_P(DataSetContract, AnEditedKeyMovesTheRecordInTheOrder) {
  Data->Open();
  Data->Edit();
  Data->FieldByName("id")->SetAsInteger(10);
  Data->Post();
  EXPECT_EQ(Name(), "Ada");
  EXPECT_EQ(Stored("SELECT name FROM people WHERE id = 10"), "Ada");
  EXPECT_EQ(Data->RecNo(), 3);
  Data->Next();
  EXPECT_TRUE(Data->Eof());
  Data->Prior();
  EXPECT_EQ(Name(), "Carl");
  Data->First();
  EXPECT_EQ(Name(), "Blaise");
}

TEST_P(DataSetContract, DeleteMovesToTheNextRecordOrThePriorOneAtTheEnd) {
  Data->Open();
  Data->Next();
  Data->Delete();
  EXPECT_EQ(Name(), "Carl");
  EXPECT_EQ(Data->RecNo(), 2);
  EXPECT_EQ(Stored("SELECT count(*) FROM people WHERE name = 'Blaise'"), "0");
  Data->Delete(); // the last
  EXPECT_EQ(Name(), "Ada");
  Data->Delete();
  EXPECT_TRUE(Data->IsEmpty());
  EXPECT_EQ(Stored("SELECT count(*) FROM people"), "0");
  EXPECT_THROW(Data->Delete(), EDatabaseError);
}

TEST_P(DataSetContract, ValuesAreBoundNeverSplicedIntoTheStatement) {
  const std::string Hostile = "O'Brien\"); DROP TABLE people; --";
  Data->Open();
  Data->Edit();
  Data->FieldByName("name")->SetAsString(Hostile);
  Data->FieldByName("city")->SetAsString("' OR '1'='1");
  Data->Post();
  EXPECT_EQ(Stored("SELECT count(*) FROM people"), "3");
  EXPECT_EQ(Stored("SELECT name FROM people WHERE id = 1"), Hostile);
  Data->Close();
  Data->Open();
  EXPECT_EQ(Name(), Hostile);
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "' OR '1'='1");
}

TEST_P(DataSetContract, TableAndColumnNamesAreQuoted) {
  Engine->Exec("CREATE TABLE \"odd \"\"name\"\"\" (\"first name\" TEXT, \"select\" INTEGER);"
               "INSERT INTO \"odd \"\"name\"\"\" VALUES ('x', 1)");
  Data->SetTableName("odd \"name\"");
  Data->Open();
  EXPECT_EQ(Data->FieldByName("first name")->AsString(), "x");
  Data->Edit();
  Data->FieldByName("select")->SetAsInteger(2);
  Data->Post();
  EXPECT_EQ(Stored("SELECT \"select\" FROM \"odd \"\"name\"\"\""), "2");
}

// Each failing write raises the engine's message, leaves the data set in its
// state with what was typed, and leaves the row on disk as it was.
TEST_P(DataSetContract, AConstraintViolationKeepsTheEditAndTheRow) {
  Data->Open();
  Data->Next();
  Data->Edit();
  Data->FieldByName("name")->SetAsString("Ada");    // UNIQUE
  Data->FieldByName("city")->SetAsString("Geneva"); // typed too
  try {
    Data->Post();
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_NE(E.Message().find(Engine->UniqueViolation()), std::string::npos) << E.Message();
  }
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Name(), "Ada");
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Geneva");
  EXPECT_EQ(Stored("SELECT name || city FROM people WHERE id = 2"), "BlaiseParis");
  Data->FieldByName("name")->SetAsString("Blaise P.");
  Data->Post(); // the retry goes through
  EXPECT_EQ(Stored("SELECT name || city FROM people WHERE id = 2"), "Blaise P.Geneva");
}

TEST_P(DataSetContract, AFailingInsertStaysInInsertMode) {
  Data->Open();
  Data->Insert();
  Data->FieldByName("name")->SetAsString("Ada"); // UNIQUE
  Data->FieldByName("age")->SetAsInteger(1);
  EXPECT_THROW(Data->Post(), EDatabaseError);
  EXPECT_EQ(Data->State(), dsInsert);
  EXPECT_EQ(Name(), "Ada");
  EXPECT_EQ(Stored("SELECT count(*) FROM people"), "3");
  Data->FieldByName("name")->SetAsString("Eve");
  Data->Post();
  EXPECT_EQ(Stored("SELECT age FROM people WHERE name = 'Eve'"), "1");
}

TEST_P(DataSetContract, ARequiredFieldLeftEmptyIsRefusedBeforeWriting) {
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

TEST_P(DataSetContract, ARowChangedByAnotherConnectionIsNotOverwritten) {
  Data->Open();
  Data->Edit();
  Data->FieldByName("city")->SetAsString("Oxford");
  Engine->Exec("UPDATE people SET age = 37, city = 'Bath' WHERE id = 1");
  try {
    Data->Post();
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_NE(E.Message().find("changed by another user"), std::string::npos) << E.Message();
  }
  // Theirs is on disk; the typed city stays, their untouched age shows.
  EXPECT_EQ(Stored("SELECT city || age FROM people WHERE id = 1"), "Bath37");
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Oxford");
  EXPECT_EQ(Data->FieldByName("age")->AsInteger(), 37);
  // Posting again, knowingly, writes the typed value over theirs.
  Data->Post();
  EXPECT_EQ(Stored("SELECT city || age FROM people WHERE id = 1"), "Oxford37");
}

TEST_P(DataSetContract, CancellingAfterAConflictShowsTheOtherValues) {
  Data->Open();
  Data->Edit();
  Data->FieldByName("city")->SetAsString("Oxford");
  Engine->Exec("UPDATE people SET city = 'Bath' WHERE id = 1");
  EXPECT_THROW(Data->Post(), EDatabaseError);
  Data->Cancel();
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Bath");
}

TEST_P(DataSetContract, ARowDeletedByAnotherConnectionCannotBePosted) {
  Data->Open();
  Data->Edit();
  Data->FieldByName("city")->SetAsString("Oxford");
  Engine->Exec("DELETE FROM people WHERE id = 1");
  try {
    Data->Post();
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_EQ(E.Message(), "People: The record was deleted by another user");
  }
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Stored("SELECT count(*) FROM people"), "2");
}

TEST_P(DataSetContract, DeletingARowChangedMeanwhileAsksToConfirm) {
  Data->Open();
  Engine->Exec("UPDATE people SET city = 'Bath' WHERE id = 1");
  EXPECT_THROW(Data->Delete(), EDatabaseError);
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Bath"); // shown as it is now
  EXPECT_EQ(Stored("SELECT count(*) FROM people"), "3");
  Data->Delete();
  EXPECT_EQ(Stored("SELECT count(*) FROM people"), "2");
}

TEST_P(DataSetContract, EditStartsFromTheRowAsStoredNow) {
  Data->Open();
  Engine->Exec("UPDATE people SET city = 'Bath' WHERE id = 1");
  Data->Edit();
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Bath");
  Data->FieldByName("age")->SetAsInteger(40);
  Data->Post(); // no conflict: the edit began from Bath
  EXPECT_EQ(Stored("SELECT city || age FROM people WHERE id = 1"), "Bath40");
}

TEST_P(DataSetContract, RefreshReadsTheRecordAgainByItsKey) {
  Data->Open();
  Data->Next();
  Engine->Exec("UPDATE people SET city = 'Rouen' WHERE id = 2;"
               "INSERT INTO people (id, name) VALUES (0, 'Zero')");
  Data->Refresh();
  EXPECT_EQ(Name(), "Blaise");
  EXPECT_EQ(Data->FieldByName("city")->AsString(), "Rouen");
  EXPECT_EQ(Data->RecNo(), 3); // counted again
  EXPECT_EQ(Data->RecordCount(), 4);
  Engine->Exec("DELETE FROM people WHERE id = 2");
  Data->Refresh();
  EXPECT_EQ(Name(), "Carl"); // gone: the next one
}

TEST_P(DataSetContract, CloseWritesPendingEditsAndAFailingWriteKeepsItOpen) {
  Data->Open();
  Data->Edit();
  Data->FieldByName("city")->SetAsString("Oxford");
  Data->Close();
  EXPECT_FALSE(Data->Active());
  EXPECT_EQ(Stored("SELECT city FROM people WHERE id = 1"), "Oxford");
  Data->Open();
  Data->Edit();
  Data->FieldByName("name")->SetAsString("Carl"); // UNIQUE
  EXPECT_THROW(Data->Close(), EDatabaseError);
  EXPECT_TRUE(Data->Active());
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(Name(), "Carl");
}

TEST_P(DataSetContract, MovingWritesPendingEditsFirst) {
  Data->Open();
  Data->Edit();
  Data->FieldByName("city")->SetAsString("Oxford");
  Data->Next();
  EXPECT_EQ(Stored("SELECT city FROM people WHERE id = 1"), "Oxford");
  Data->Edit(); // nothing changed: moving cancels instead of writing
  Data->Last();
  EXPECT_EQ(Data->State(), dsBrowse);
}

TEST_P(DataSetContract, PropertiesOfTheStorageChangeOnlyWhileClosed) {
  Data->Open();
  EXPECT_THROW(Data->SetTableName("other"), EDatabaseError);
  EXPECT_THROW(Data->SetDatabaseName(":memory:"), EDatabaseError);
  EXPECT_THROW(Data->SQL()->Add("SELECT 1"), EDatabaseError);
  EXPECT_EQ(Data->TableName(), "people");
}

TEST_P(DataSetContract, AQueryIsBrowsedReadOnlyInWindows) {
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

} // namespace

} // namespace dbtest
