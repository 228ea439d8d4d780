// What is typed reaches an SQLite table unchanged, checked through a second
// connection: a column's CHECK judges the value as the table converts it; a
// write the table ignored is no success; amounts come back exactly or are
// refused; a stored value its field cannot read is shown as stored and
// never written back; a read-only database is read-only up front; and a
// conflict is seen whatever the column's collation.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "db_fixture.h"
#include "vcl/buttons.h"
#include "vcl/dbctrls.h"
#include "vcl/testing.h"

using namespace vcl;
namespace vt = vcl::testing;
using dbtest::Refusal;
using dbtest::TRawConnection;
using dbtest::TTempDatabase;

namespace {

class SQLiteIntegrityTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLocale();
    Raw = std::make_unique<TRawConnection>(File.Path());
    Data = std::make_unique<TSQLiteDataSet>(nullptr);
    Data->SetName("Data");
    Data->SetDatabaseName(File.Path());
  }
  void Open(const std::string& Table) {
    Data->SetTableName(Table);
    Data->Open();
  }
  TField* F(const char* Name) { return Data->FieldByName(Name); }
  std::string Stored(const std::string& SQL) { return Raw->Value(SQL); }

  TTempDatabase File;
  std::unique_ptr<TRawConnection> Raw;
  std::unique_ptr<TSQLiteDataSet> Data;
};

// ---------------------------------------------------------------------------
// A column's CHECK constraint judges the value the table will hold

TEST_F(SQLiteIntegrityTest, AColumnCheckGivesTheTablesOwnVerdict) {
  Raw->Exec("CREATE TABLE acct (id INTEGER PRIMARY KEY,"
            " credit CURRENCY CHECK (credit <= 5000),"
            " login TEXT COLLATE NOCASE CHECK (login <> 'admin'),"
            " code VARCHAR(4) CHECK (code < '5'));"
            "INSERT INTO acct VALUES (1, 100, 'ada', '1')");
  Open("acct");
  struct TCase {
    const char* Field;
    const char* Text;
  } Cases[] = {{"credit", "1200.75"}, {"credit", "5000"}, {"credit", "5000.01"},
               {"credit", "90000"},   {"login", "ADMIN"}, {"login", "Admin2"},
               {"code", "42"},        {"code", "7"}};
  for (const TCase& C : Cases) {
    // The table's verdict: the same text written by the second connection.
    bool TableTakesIt = true;
    try {
      Raw->Exec("SAVEPOINT probe; UPDATE acct SET " + std::string(C.Field) + " = '" + C.Text +
                "' WHERE id = 1");
    } catch (const std::runtime_error&) {
      TableTakesIt = false;
    }
    Raw->Exec("ROLLBACK TO probe; RELEASE probe");
    Data->Edit();
    const std::string Verdict = Refusal([&] { F(C.Field)->SetAsString(C.Text); });
    EXPECT_EQ(Verdict.empty(), TableTakesIt) << C.Field << " := " << C.Text << ": " << Verdict;
    if (Verdict.empty()) {
      EXPECT_NO_THROW(Data->Post()) << C.Field << " := " << C.Text;
    }
    Data->Cancel();
  }
  EXPECT_EQ(Stored("SELECT credit || ' ' || login || ' ' || code FROM acct"), "5000 Admin2 42");
}

// ---------------------------------------------------------------------------
// A write the table ignored

TEST_F(SQLiteIntegrityTest, AWriteTheTableIgnoredFailsAndKeepsTheTypedValues) {
  Raw->Exec("CREATE TABLE tags (id INTEGER PRIMARY KEY, name TEXT UNIQUE ON CONFLICT IGNORE,"
            " note TEXT);"
            "INSERT INTO tags (name) VALUES ('red'), ('blue'), ('keep');"
            "CREATE TRIGGER no_skip BEFORE INSERT ON tags WHEN NEW.name = 'skip'"
            " BEGIN SELECT RAISE(IGNORE); END;"
            "CREATE TRIGGER no_delete BEFORE DELETE ON tags WHEN OLD.name = 'keep'"
            " BEGIN SELECT RAISE(IGNORE); END");
  Open("tags");
  for (const char* Name : {"red", "skip"}) {
    Data->Append();
    F("name")->SetAsString(Name);
    F("note")->SetAsString("typed");
    EXPECT_NE(Refusal([&] { Data->Post(); }).find("ignored"), std::string::npos) << Name;
    EXPECT_EQ(Data->State(), dsInsert) << Name;
    EXPECT_EQ(F("name")->AsString(), Name);
    EXPECT_EQ(F("note")->AsString(), "typed");
    Data->Cancel();
  }
  EXPECT_EQ(Stored("SELECT count(*) FROM tags"), "3");

  Data->First();
  Data->Next(); // blue
  Data->Edit();
  F("name")->SetAsString("red");
  const std::string Message = Refusal([&] { Data->Post(); });
  EXPECT_NE(Message.find("ignored"), std::string::npos) << Message;
  EXPECT_EQ(Message.find("another user"), std::string::npos) << Message;
  EXPECT_EQ(F("name")->AsString(), "red");
  EXPECT_EQ(Stored("SELECT name FROM tags WHERE id = 2"), "blue");
  Data->Cancel();

  Data->Last(); // keep
  EXPECT_NE(Refusal([&] { Data->Delete(); }).find("ignored"), std::string::npos);
  EXPECT_EQ(F("name")->AsString(), "keep");
  EXPECT_EQ(Stored("SELECT count(*) FROM tags"), "3");
}

// ---------------------------------------------------------------------------
// Money

class SQLiteMoneyTest : public SQLiteIntegrityTest {
protected:
  void SetUp() override {
    SQLiteIntegrityTest::SetUp();
    Raw->Exec("CREATE TABLE acct (id INTEGER PRIMARY KEY, credit CURRENCY)");
    Data->ExecSQL("PRAGMA synchronous = OFF"); // many small posts
    Open("acct");
  }
  // Appends Amount; the refusal's message, "" when it was stored.
  std::string Append(Currency Amount) {
    Data->Append();
    const std::string Message = Refusal([&] { F("credit")->SetAsCurrency(Amount); });
    if (Message.empty())
      Data->Post();
    else
      Data->Cancel();
    return Message;
  }
  // A random amount of Digits significant digits, four of them decimals
  // when there are more than four.
  static Currency RandomAmount(std::mt19937_64& Random, int Digits) {
    std::int64_t Raw = 0;
    for (int I = 0; I < Digits; ++I)
      Raw = Raw * 10 + static_cast<std::int64_t>(I == 0 ? 1 + Random() % 9 : Random() % 10);
    for (int I = Digits; I < 4; ++I)
      Raw *= 10;
    return Currency::FromRaw(Random() % 2 ? -Raw : Raw);
  }
  // The amount as other programs print it: no trailing zeros.
  static std::string Plain(Currency Amount) { return CurrToStr(Amount); }
};

TEST_F(SQLiteMoneyTest, AmountsOfUpToFifteenDigitsComeBackExactlyAndReadTheSameElsewhere) {
  std::mt19937_64 Random(20240531);
  std::vector<Currency> Amounts = {Currency::FromRaw(987654300), Currency::FromRaw(1),
                                   Currency::FromRaw(-5), Currency::FromRaw(9223372036854770000)};
  for (int I = 0; I < 600; ++I)
    Amounts.push_back(RandomAmount(Random, 1 + I % 15));
  for (Currency Amount : Amounts)
    ASSERT_EQ(Append(Amount), "") << Plain(Amount);
  EXPECT_EQ(Stored("SELECT credit FROM acct WHERE id = 1"), "98765.43");
  EXPECT_EQ(Stored("SELECT typeof(credit) FROM acct WHERE id = 1"), "real");
  Data->Close();
  Data->Open();
  for (std::size_t I = 0; I < Amounts.size(); ++I, Data->Next()) {
    ASSERT_EQ(F("credit")->AsCurrency(), Amounts[I]) << Plain(Amounts[I]);
    ASSERT_EQ(Stored("SELECT credit FROM acct WHERE id = " + std::to_string(I + 1)),
              Plain(Amounts[I]));
  }
}

TEST_F(SQLiteMoneyTest, LongerAmountsAreRefusedWithAMessageAndNothingIsWritten) {
  std::mt19937_64 Random(7);
  for (Currency Amount : {Currency::FromRaw(INT64_MAX), Currency::FromRaw(INT64_MIN),
                          Currency::FromRaw(1234567890123456), RandomAmount(Random, 17)}) {
    const std::string Message = Append(Amount);
    EXPECT_EQ(Message.rfind("Field 'credit': " + Plain(Amount) + " cannot be stored exactly", 0),
              0u)
        << Message;
  }
  EXPECT_EQ(Stored("SELECT count(*) FROM acct"), "0");
}

TEST_F(SQLiteMoneyTest, AStoredValueOutsideTheRangeIsShownAsStoredAndReadOnlyWithAnError) {
  Data->Close();
  Raw->Exec("INSERT INTO acct VALUES (1, 1e30), (2, 'lots'), (3, 12.5)");
  Data->Open(); // opens, on the first of them
  EXPECT_EQ(F("credit")->DisplayText(), "1e+30");
  EXPECT_EQ(F("credit")->AsString(), "1e+30");
  EXPECT_EQ(Refusal([&] { F("credit")->AsCurrency(); }),
            "Field 'credit' holds '1e+30', which is not a valid currency value");
  Data->Next();
  EXPECT_EQ(F("credit")->EditText(), "lots");
  EXPECT_THROW(F("credit")->AsFloat(), EDatabaseError);
  Data->Next();
  EXPECT_EQ(F("credit")->DisplayText(), "$12.50");
}

// ---------------------------------------------------------------------------
// A stored value that does not fit its field

class SQLiteMisfitTest : public SQLiteIntegrityTest {
protected:
  void SetUp() override {
    SQLiteIntegrityTest::SetUp();
    Raw->Exec("CREATE TABLE stock (id INTEGER PRIMARY KEY, name TEXT, qty INTEGER, note TEXT);"
              "INSERT INTO stock VALUES (1, 'bolts', 10, 'first'), (2, 'nuts', 'many', 'second'),"
              " (3, 'pins', 1e30, 'third'), (4, 'tacks', 2.5, 'fourth')");
  }
};

TEST_F(SQLiteMisfitTest, ItShowsItsStoredTextAndFailsOnlyWhenReadAsANumber) {
  Open("stock");
  struct TCase {
    const char* Shown;
    const char* Error;
  } Cases[] = {{"many", "Field 'qty' holds 'many', which is not a valid integer value"},
               {"1e+30", "Field 'qty' holds '1e+30', which is not a valid integer value"},
               {"2.5", "Field 'qty' holds '2.5', which is not a valid integer value"}};
  for (const TCase& C : Cases) {
    Data->Next();
    EXPECT_EQ(F("qty")->DisplayText(), C.Shown);
    EXPECT_EQ(F("qty")->EditText(), C.Shown);
    EXPECT_EQ(F("qty")->AsString(), C.Shown);
    EXPECT_EQ(Refusal([&] { F("qty")->AsLargeInt(); }), C.Error);
    EXPECT_EQ(Refusal([&] { F("qty")->AsInteger(); }), C.Error);
    EXPECT_EQ(Refusal([&] { F("qty")->AsFloat(); }), C.Error);
  }
}

TEST_F(SQLiteMisfitTest, TheFormMovesWholeAndPostingOtherFieldsLeavesItAsStored) {
  Open("stock");
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 400, 200);
  auto* Source = new TDataSource(&Form);
  Source->SetDataSet(Data.get());
  std::vector<TDBEdit*> Edits;
  for (const char* Name : {"name", "qty", "note"}) {
    Edits.push_back(vt::Place<TDBEdit>(&Form, 8, 8 + 30 * static_cast<int>(Edits.size()), 150, 21));
    Edits.back()->SetDataSource(Source);
    Edits.back()->SetDataField(Name);
  }
  auto* Save = vt::Place<TSpeedButton>(&Form, 300, 8, 23, 22);
  Save->OnClick = [this](TObject*) { Data->Post(); };
  vt::ShowForm(&Form);
  const std::vector<std::vector<std::string>> Rows = {
      {"nuts", "many", "second"}, {"pins", "1e+30", "third"}, {"tacks", "2.5", "fourth"}};
  for (std::size_t Row = 0; Row < Rows.size(); ++Row) {
    EXPECT_NO_THROW(Data->Next());
    for (std::size_t I = 0; I < Edits.size(); ++I)
      EXPECT_EQ(Edits[I]->Text(), Rows[Row][I]) << "row " << Row + 2 << " edit " << I;
    ASSERT_TRUE(vt::MoveFocus(Edits[2]));
    Edits[2]->SelectAll();
    vt::TypeText("changed");
    vt::TMessageBoxRecorder Boxes;
    vt::Click(Save);
    EXPECT_TRUE(Boxes.Boxes().empty()) << Boxes.Boxes()[0].Msg;
    EXPECT_EQ(Data->State(), dsBrowse);
  }
  EXPECT_EQ(Stored("SELECT group_concat(typeof(qty) || ':' || qty || ':' || note, ' ') FROM stock"
                   " WHERE id > 1"),
            "text:many:changed real:1.0e+30:changed real:2.5:changed");
}

// ---------------------------------------------------------------------------
// A read-only database

TEST_F(SQLiteIntegrityTest, AReadOnlyDatabaseCannotBeModifiedAndItsEditsAreReadOnly) {
  Raw->Exec("CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT);"
            "INSERT INTO people (name) VALUES ('Ada')");
  Data->SetDatabaseName("file:" + File.Path() + "?mode=ro");
  TForm Form(nullptr);
  auto* Source = new TDataSource(&Form);
  Source->SetDataSet(Data.get());
  auto* Name = vt::Place<TDBEdit>(&Form, 8, 8, 150, 21);
  Name->SetDataSource(Source);
  Name->SetDataField("name");
  Open("people");
  vt::ShowForm(&Form);
  EXPECT_FALSE(Data->CanModify());
  EXPECT_FALSE(F("name")->CanModify());
  ASSERT_TRUE(vt::MoveFocus(Name));
  vt::PressKey(VK_END);
  vt::TypeText("x");
  EXPECT_EQ(Name->Text(), "Ada");
  EXPECT_EQ(Data->State(), dsBrowse);
  EXPECT_EQ(Refusal([&] { Data->Edit(); }), "Data: Cannot modify a read-only data set");
  EXPECT_THROW(Data->Append(), EDatabaseError);
}

// Opens Path's people as a user who may not write the file, asking for the
// journal mode Mode; exits 0 when the data set is read-only and shows the
// row.
void OpenAsReader(const std::string& Path, TJournalMode Mode) {
  dbtest::BecomeUnprivileged();
  TSQLiteDataSet People(nullptr);
  People.SetJournalMode(Mode);
  People.SetDatabaseName(Path);
  People.SetTableName("people");
  People.Open();
  std::exit(!People.CanModify() && People.FieldByName("name")->AsString() == "Ada" ? 0 : 1);
}

// The check runs in a process of its own as an unprivileged user, since a
// file's permissions do not bind root. The file keeps its journal mode
// whatever the data set asks for.
TEST_F(SQLiteIntegrityTest, AFileThatCannotBeWrittenOpensReadOnlyAndKeepsItsMode) {
  const struct {
    const char* FileMode;
    TJournalMode Asked;
  } Cases[] = {{"delete", jmDefault}, {"delete", jmWal}, {"wal", jmDefault}, {"wal", jmDelete}};
  Raw->Exec("CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT);"
            "INSERT INTO people (name) VALUES ('Ada')");
  Raw.reset();
  for (const auto& Case : Cases) {
    chmod(File.Path().c_str(), 0644);
    TRawConnection(File.Path()).Exec(std::string("PRAGMA journal_mode = ") + Case.FileMode);
    dbtest::MakeReadOnly(File.Path());
    EXPECT_EXIT(OpenAsReader(File.Path(), Case.Asked), ::testing::ExitedWithCode(0), "")
        << Case.FileMode << " " << Case.Asked;
    EXPECT_EQ(TRawConnection(File.Path()).Value("PRAGMA journal_mode"), Case.FileMode);
  }
}

// ---------------------------------------------------------------------------
// Conflicts see every change of a stored value

TEST_F(SQLiteIntegrityTest, AConflictIsSeenWhateverTheColumnsCollation) {
  Raw->Exec("CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT COLLATE NOCASE,"
            " code TEXT COLLATE RTRIM, note TEXT);"
            "INSERT INTO people VALUES (1, 'ada', 'x', NULL)");
  Open("people");
  for (const char* Change : {"name = 'ADA'", "code = 'x '"}) {
    Data->Edit();
    F("note")->SetAsString("mine");
    Raw->Exec(std::string("UPDATE people SET ") + Change);
    EXPECT_NE(Refusal([&] { Data->Post(); }).find("changed by another user"), std::string::npos)
        << Change;
    EXPECT_EQ(Stored("SELECT note FROM people"), "NULL") << Change;
    Data->Cancel();
  }
  EXPECT_EQ(F("name")->AsString(), "ADA");
  EXPECT_EQ(F("code")->AsString(), "x ");
}

} // namespace
