// TPgDataSet where PostgreSQL has its own ways, on the test run's server
// with a connection of the test's own: the field types of its column types,
// values that come back exactly (amounts, times without shifts, Null) or are
// refused where typed, queries whose SQL holds casts and quoted colons,
// tables without a key, writes that other writers get in the way of, and a
// connection that is lost.
#include <gtest/gtest.h>

#include <thread>

#include "../../unicode_texts.h"
#include "../sqlitedb/db_fixture.h"
#include "pg_fixture.h"
#include "vcl/pgdb.h"

using namespace vcl;
using dbtest::Refusal;

namespace {

class PgDataSetTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLocale();
    Data = std::make_unique<TPgDataSet>(nullptr);
    Data->SetName("Data");
    Data->SetDatabaseName(Schema.ConnInfo());
  }
  void Open(const std::string& Table) {
    Data->SetTableName(Table);
    Data->Open();
  }
  TField* F(const char* Name) { return Data->FieldByName(Name); }
  std::string Stored(const std::string& SQL) { return Schema.Raw().Value(SQL); }
  void Exec(const std::string& SQL) { Schema.Raw().Exec(SQL); }

  dbtest::TPgSchema Schema;
  std::unique_ptr<TPgDataSet> Data;
};

TEST_F(PgDataSetTest, FieldsAreTypedFromTheColumnTypes) {
  Exec("CREATE TABLE t (id bigint PRIMARY KEY, small smallint, amount numeric(12,2),"
       " big numeric(30,2), rate numeric(10,6), any_number numeric, ratio double precision,"
       " ok boolean, day date, at time, stamp timestamp, zoned timestamptz, code varchar(8),"
       " note text, raw bytea, tag uuid)");
  Open("t");
  const struct {
    const char* Name;
    TFieldType Type;
  } Expected[] = {
      {"id", ftInteger},  {"small", ftInteger},    {"amount", ftCurrency}, {"big", ftFloat},
      {"rate", ftFloat},  {"any_number", ftFloat}, {"ratio", ftFloat},     {"ok", ftBoolean},
      {"day", ftDate},    {"at", ftTime},          {"stamp", ftDateTime},  {"zoned", ftDateTime},
      {"code", ftString}, {"note", ftString},      {"raw", ftString},      {"tag", ftString}};
  for (const auto& E : Expected)
    EXPECT_EQ(F(E.Name)->DataType(), E.Type) << E.Name;
  EXPECT_EQ(F("code")->Size(), 8);
  EXPECT_TRUE(F("id")->Required());
  EXPECT_TRUE(Data->CanModify());
}

TEST_F(PgDataSetTest, ValuesComeBackExactlyAndNullStaysNull) {
  Exec("CREATE TABLE t (id serial PRIMARY KEY, amount numeric(16,4), stamp timestamp,"
       " day date, ok boolean, ratio double precision, note text, raw bytea);"
       "INSERT INTO t (amount, stamp, day, ok, ratio, note, raw) VALUES (98765432109.1234,"
       " '2024-03-31 02:30:00.123456', '1815-12-10', true, 0.1, 'caf\u00e9', '\\x00ff')");
  Open("t");
  EXPECT_EQ(F("amount")->AsCurrency(), Currency::FromRaw(987654321091234));
  // A time that some zones skip stays as stored: no zone shifts it.
  EXPECT_EQ(F("stamp")->AsString(), "3/31/24 2:30:00 AM");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", F("stamp")->AsDateTime()),
            "2024-03-31 02:30:00.123");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd", F("day")->AsDateTime()), "1815-12-10");
  EXPECT_TRUE(F("ok")->AsBoolean());
  EXPECT_EQ(F("ratio")->AsFloat(), 0.1);
  EXPECT_EQ(F("note")->AsString(), "caf\u00e9");
  EXPECT_EQ(std::get<TBlobData>(F("raw")->Value()).Bytes, std::string("\0\xff", 2));

  // Editing another field writes only it: the others stay as stored, to the digit.
  Data->Edit();
  F("note")->SetAsString("na\u00efve");
  Data->Post();
  EXPECT_EQ(Stored("SELECT amount || ' ' || stamp || ' ' || note FROM t"),
            "98765432109.1234 2024-03-31 02:30:00.123456 na\u00efve");

  Data->Append();
  Data->Post();
  EXPECT_EQ(Stored("SELECT count(*) FROM t WHERE amount IS NULL AND stamp IS NULL AND"
                   " day IS NULL AND ok IS NULL AND ratio IS NULL AND note IS NULL"),
            "1");
  for (const char* Name : {"amount", "stamp", "day", "ok", "ratio", "note"})
    EXPECT_TRUE(F(Name)->IsNull()) << Name;
}

// Texts travel as UTF-8: what the data set writes in any script is what
// another connection reads, and a varchar(n) counts characters, not bytes.
TEST_F(PgDataSetTest, TextInAnyScriptIsStoredAsTypedAndLimitsCountCharacters) {
  Exec("CREATE TABLE t (id integer PRIMARY KEY, note text, code varchar(5));"
       "INSERT INTO t (id) VALUES (1)");
  Open("t");
  for (const auto& T : unicode_texts::Texts) {
    Data->Edit();
    F("note")->SetAsString(T.Text);
    Data->Post();
    EXPECT_EQ(Stored("SELECT note FROM t"), T.Text) << T.Name;
    EXPECT_EQ(Stored("SELECT char_length(note) FROM t"), std::to_string(T.Characters)) << T.Name;
  }
  Exec("UPDATE t SET note = 'Gr\u00fc\u00dfe aus \u0141\u00f3d\u017a'");
  Data->Refresh();
  EXPECT_EQ(F("note")->AsString(), "Gr\u00fc\u00dfe aus \u0141\u00f3d\u017a");
  Data->Edit();
  EXPECT_EQ(Refusal([&] { F("code")->SetAsString("\u0141\u00f3d\u017a\u017b"); }), "");
  EXPECT_EQ(Refusal([&] { F("code")->SetAsString("\u0141\u00f3d\u017a\u017b\u0107"); }),
            "Field 'code': the text is longer than the column's 5 characters");
  F("code")->SetAsString("\u0141\u00f3d\u017a\u017b");
  Data->Post();
  EXPECT_EQ(Stored("SELECT code FROM t"), "\u0141\u00f3d\u017a\u017b");
}

// What a column would keep other than given is refused where it is typed,
// with the message the SQLite engine gives, and nothing is written.
TEST_F(PgDataSetTest, AValueTheColumnWouldChangeIsRefusedWhereItIsTyped) {
  Exec("CREATE TABLE t (id serial PRIMARY KEY, price numeric(8,2) NOT NULL DEFAULT 0,"
       " small smallint, code varchar(4), ratio real, note text);"
       "INSERT INTO t (price) VALUES (1)");
  Open("t");
  Data->Edit();
  const struct {
    const char* Field;
    const char* Text;
    const char* Message;
  } Cases[] = {
      {"price", "12.345",
       "Field 'price': 12.345 cannot be stored exactly; the column would hold "
       "12.35"},
      {"price", "1234567",
       "Field 'price': 1234567 cannot be stored; the column holds at most 6 "
       "digits before the point"},
      {"price", "", "Field 'price' must have a value"},
      {"small", "40000", "Field 'small': 40000 is out of the column's range (-32768 to 32767)"},
      {"code", "ABCDE", "Field 'code': the text is longer than the column's 4 characters"},
      {"ratio", "1.23456789",
       "Field 'ratio': 1.23456789 cannot be stored exactly; the column "
       "would hold 1.2345679"},
      {"note", std::string("a\0b", 3).c_str(), ""},
  };
  for (const auto& C : Cases) {
    const std::string Text = C.Message[0] ? C.Text : std::string("a\0b", 3);
    const std::string Expected =
        C.Message[0] ? C.Message : "Field 'note': a text holding a NUL character cannot be stored";
    EXPECT_EQ(Refusal([&] { F(C.Field)->SetAsString(Text); }), Expected) << C.Field;
  }
  for (const char* Fine : {"12.3", "999999.99", "-0.5"})
    EXPECT_EQ(Refusal([&] { F("price")->SetAsString(Fine); }), "") << Fine;
  F("ratio")->SetAsString("0.1");
  Data->Post();
  EXPECT_EQ(Stored("SELECT price || ' ' || ratio FROM t"), "-0.50 0.1");
}

TEST_F(PgDataSetTest, QueriesTakeParametersBesideCastsStringsAndComments) {
  Exec("CREATE TABLE people (id serial PRIMARY KEY, name text, credit numeric(10,2), born date);"
       "INSERT INTO people (name, credit, born) VALUES ('Ada', 1200.5, '1815-12-10'),"
       " ('Blaise', 300, '1623-06-19'), ('Carl', 5000.25, '1777-04-30')");
  Data->SQL()->SetTextStr("SELECT name, credit::text AS shown FROM people -- :not_this\n"
                          "WHERE credit >= :least AND born < :before AND name <> ':quoted'"
                          " AND $$:dollar$$ <> '' /* :nor :this */ ORDER BY name");
  ASSERT_EQ(Data->Params()->Count(), 2);
  Data->ParamByName("least")->SetAsCurrency(Currency(1000));
  Data->ParamByName("before")->SetAsDate(EncodeDate(1800, 1, 1));
  Data->Open();
  EXPECT_EQ(Data->RecordCount(), 1);
  EXPECT_EQ(F("name")->AsString(), "Carl");
  EXPECT_EQ(F("shown")->AsString(), "5000.25");
  EXPECT_FALSE(Data->CanModify());
  EXPECT_THROW(Data->Edit(), EDatabaseError);
  Data->Close();
  Data->ParamByName("least")->Clear();
  Data->Open();
  EXPECT_TRUE(Data->IsEmpty()); // Null compares with nothing
}

// Without a key a row is known by its place, which PostgreSQL changes on
// every update: it is written only while it holds every value as read.
TEST_F(PgDataSetTest, ATableWithoutAKeyIsWrittenOnlyWhileItsRowIsAsRead) {
  Exec("CREATE TABLE notes (body text, n integer);"
       "INSERT INTO notes VALUES ('a', 1), ('b', 2), ('b', 2)");
  Open("notes");
  Data->Next();
  Data->Edit();
  F("n")->SetAsInteger(20);
  Data->Post();
  EXPECT_EQ(Stored("SELECT string_agg(body || n, ',' ORDER BY n) FROM notes"), "a1,b2,b20");
  Data->Edit();
  F("n")->SetAsInteger(30);
  Exec("UPDATE notes SET n = 21 WHERE n = 20");
  EXPECT_NE(Refusal([&] { Data->Post(); }).find("can no longer be found as it was read"),
            std::string::npos);
  EXPECT_EQ(Stored("SELECT string_agg(body || n, ',' ORDER BY n) FROM notes"), "a1,b2,b21");
}

TEST_F(PgDataSetTest, AWriteATriggerSkipsIsNoSuccess) {
  Exec("CREATE TABLE tags (id serial PRIMARY KEY, name text);"
       "INSERT INTO tags (name) VALUES ('keep');"
       "CREATE FUNCTION skip() RETURNS trigger LANGUAGE plpgsql AS"
       " $$BEGIN RETURN NULL; END$$;"
       "CREATE TRIGGER skip BEFORE INSERT OR UPDATE ON tags FOR EACH ROW EXECUTE FUNCTION skip()");
  Open("tags");
  Data->Edit();
  F("name")->SetAsString("changed");
  EXPECT_NE(Refusal([&] { Data->Post(); }).find("ignored"), std::string::npos);
  EXPECT_EQ(F("name")->AsString(), "changed");
  Data->Cancel();
  Data->Append();
  F("name")->SetAsString("new");
  EXPECT_NE(Refusal([&] { Data->Post(); }).find("ignored"), std::string::npos);
  EXPECT_EQ(Data->State(), dsInsert);
  EXPECT_EQ(Stored("SELECT string_agg(name, ',') FROM tags"), "keep");
}

// ---------------------------------------------------------------------------
// Other writers in the way

class PgContentionTest : public PgDataSetTest {
protected:
  void SetUp() override {
    PgDataSetTest::SetUp();
    Exec("CREATE TABLE people (id serial PRIMARY KEY, city text);"
         "INSERT INTO people (city) VALUES ('London');"
         "CREATE SEQUENCE attempts");
    Data->SetTableName("people");
  }
  // Every write to people fails with the given SQLSTATE, counting attempts.
  void FailEveryWrite(const char* State) {
    Exec(std::string("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN"
                     " PERFORM nextval('attempts'); RAISE EXCEPTION 'in the way'"
                     " USING ERRCODE = '") +
         State +
         "'; END$$;"
         "CREATE TRIGGER refuse BEFORE UPDATE ON people FOR EACH ROW EXECUTE FUNCTION refuse()");
  }
};

TEST_F(PgContentionTest, SerializationFailuresAndDeadlocksAreTriedAgainThenReported) {
  for (const char* State : {"40001", "40P01"}) {
    FailEveryWrite(State);
    Data->Open();
    Data->Edit();
    F("city")->SetAsString("Oxford");
    const int Before = std::stoi(Stored("SELECT nextval('attempts')"));
    const std::string Message = Refusal([&] { Data->Post(); });
    EXPECT_NE(Message.find("Other users' writes at the same time kept this one from being "
                           "written (in the way, 5 attempts); nothing was written"),
              std::string::npos)
        << Message;
    EXPECT_EQ(std::stoi(Stored("SELECT last_value FROM attempts")) - Before, 5) << State;
    EXPECT_EQ(Data->State(), dsEdit);
    EXPECT_EQ(F("city")->AsString(), "Oxford");
    Data->Cancel();
    Data->Close();
    Exec("DROP TRIGGER refuse ON people; DROP FUNCTION refuse()");
  }
  EXPECT_EQ(Stored("SELECT city FROM people"), "London");
}

// Another transaction holds the row; its commit without a change of value
// makes ours a serialization failure under SERIALIZABLE, tried again at once.
TEST_F(PgContentionTest, ASerializationFailureThatPassesIsNotReported) {
  Data->SetDatabaseName(Schema.ConnInfo() + " options='-c search_path=" + Schema.Name() +
                        " -c default_transaction_isolation=serializable'");
  Data->Open();
  Data->Edit();
  F("city")->SetAsString("Oxford");
  dbtest::TPgRaw Other(Schema.ConnInfo());
  Other.Exec("BEGIN; UPDATE people SET city = city");
  std::thread Committer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Other.Exec("COMMIT");
  });
  EXPECT_EQ(Refusal([&] { Data->Post(); }), "");
  Committer.join();
  EXPECT_EQ(Stored("SELECT city FROM people"), "Oxford");
}

// ---------------------------------------------------------------------------
// A lost connection

TEST_F(PgDataSetTest, ALostConnectionIsReportedKeepsTheTypedValuesAndComesBack) {
  Exec("CREATE TABLE people (id serial PRIMARY KEY, city text);"
       "INSERT INTO people (city) VALUES ('London'), ('Paris')");
  // The data set's connection goes by a name of its own, so that only it is
  // cut, never the connection of a test running beside this one.
  Data->SetDatabaseName(Schema.ConnInfo() + " application_name=" + Schema.Name());
  Open("people");
  auto Cut = [&] {
    Exec("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE application_name = '" +
         Schema.Name() +
         "' AND datname = current_database() AND pid <> pg_backend_pid()"
         " AND query NOT LIKE '%pg_terminate_backend%' AND backend_type = 'client backend'"
         " AND state <> 'active'");
  };
  // A read connects again by itself: nothing was lost.
  Cut();
  EXPECT_EQ(Refusal([&] { Data->Next(); }), "");
  EXPECT_EQ(F("city")->AsString(), "Paris");
  // So does the start of a write.
  Data->Edit();
  F("city")->SetAsString("Rouen");
  Cut();
  EXPECT_EQ(Refusal([&] { Data->Post(); }), "");
  EXPECT_EQ(Stored("SELECT city FROM people WHERE id = 2"), "Rouen");
  // A connection lost in the middle of a write is reported; the typed
  // value stays, and the next post connects again and writes it.
  Exec("CREATE FUNCTION cut() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN"
       " PERFORM pg_terminate_backend(pg_backend_pid()); RETURN NEW; END$$;"
       "CREATE TRIGGER cut BEFORE UPDATE ON people FOR EACH ROW WHEN (NEW.city = 'Lyon')"
       " EXECUTE FUNCTION cut()");
  Data->Edit();
  F("city")->SetAsString("Lyon");
  const std::string Message = Refusal([&] { Data->Post(); });
  EXPECT_EQ(Message.rfind("Data: The connection to the database server was lost (", 0), 0u)
      << Message;
  EXPECT_NE(Message.find("; nothing was written. What you typed is kept"), std::string::npos)
      << Message;
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_EQ(F("city")->AsString(), "Lyon");
  EXPECT_EQ(Stored("SELECT city FROM people WHERE id = 2"), "Rouen");
  Exec("DROP TRIGGER cut ON people");
  Data->Post();
  EXPECT_EQ(Stored("SELECT city FROM people WHERE id = 2"), "Lyon");
}

} // namespace
