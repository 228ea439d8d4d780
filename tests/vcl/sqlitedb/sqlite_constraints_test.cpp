// A table's column rules judge each field assignment: NOT NULL and the
// CHECK constraints of a column's definition refuse a value where it is
// assigned (the field keeps its old value), while a table's own CHECK
// constraints are left to the write.
#include <gtest/gtest.h>

#include "vcl/db.h"

using namespace vcl;

namespace {

class SQLiteConstraintsTest : public ::testing::Test {
protected:
  void SetUp() override {
    Data.SetName("Rules");
    Data.ExecSQL("CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT NOT NULL,"
                 " code TEXT NOT NULL DEFAULT 'x',"
                 " age INTEGER CONSTRAINT adult CHECK (age >= 18) /* not CHECK (age < 0), */,"
                 " \"odd, name\" TEXT CHECK (\"odd, name\" <> 'a,b)'), -- nor CHECK (1 = 0)\n"
                 " lo INTEGER, hi INTEGER CHECK (hi >= lo),"
                 " note VARCHAR(8) DEFAULT ('(') CHECK (length(note) < 5),"
                 " CHECK (lo < 100));"
                 "INSERT INTO t VALUES (1, 'Ada', 'c', 36, 'z', 1, 2, 'n')");
    Data.SetTableName("t");
    Data.Open();
  }
  TField* F(const char* Name) { return Data.FieldByName(Name); }

  TSQLiteDataSet Data{nullptr};
};

struct TAssignCase {
  const char* Field;
  const char* Value;   // "" assigns Null
  const char* Refusal; // "" when accepted
};

TEST_F(SQLiteConstraintsTest, AnEditedValueIsJudgedByItsColumnsRules) {
  const TAssignCase Cases[] = {
      {"name", "", "Field 'name' must have a value"},
      {"code", "", "Field 'code' must have a value"}, // an update writes the Null
      {"age", "10", "Rules: CHECK constraint failed: adult"},
      {"age", "18", ""},
      {"age", "", ""}, // Null passes a check
      {"odd, name", "a,b)", "Rules: CHECK constraint failed: \"odd, name\" <> 'a,b)'"},
      {"odd, name", "a,b", ""},
      {"hi", "0", "Rules: CHECK constraint failed: hi >= lo"}, // reads another column
      {"note", "toolong", "Rules: CHECK constraint failed: length(note) < 5"},
      {"note", "tiny", ""},
      {"lo", "150", ""}, // the table's own check waits for the write
  };
  for (const TAssignCase& C : Cases) {
    Data.Edit();
    const std::string Before = F(C.Field)->AsString();
    try {
      F(C.Field)->SetAsString(C.Value);
      EXPECT_STREQ(C.Refusal, "") << C.Field << " := " << C.Value;
      EXPECT_EQ(F(C.Field)->AsString(), C.Value);
    } catch (const EDatabaseError& E) {
      EXPECT_EQ(E.Message(), C.Refusal) << C.Field << " := " << C.Value;
      EXPECT_EQ(F(C.Field)->AsString(), Before) << C.Field;
    }
    Data.Cancel();
  }
}

TEST_F(SQLiteConstraintsTest, ANewRecordLeavesNullColumnsToTheirDefaults) {
  Data.Insert();
  EXPECT_THROW(F("name")->SetAsString(""), EDatabaseError);
  F("code")->SetAsString(""); // the insert takes the default
  F("name")->SetAsString("Eve");
  F("age")->SetAsInteger(20);
  Data.Post();
  EXPECT_EQ(F("code")->AsString(), "x");
}

TEST_F(SQLiteConstraintsTest, TheTablesOwnCheckStillRefusesThePost) {
  Data.Edit();
  F("lo")->SetAsInteger(150);
  F("hi")->SetAsInteger(200);
  EXPECT_THROW(Data.Post(), EDatabaseError);
  EXPECT_EQ(Data.State(), dsEdit);
}

} // namespace
