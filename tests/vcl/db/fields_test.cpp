// Every field type's texts, typed values and Null handling, read from and
// written to a real table; the characters each takes; validation events;
// fields kept by a form for a data set.
#include <limits>

#include <gtest/gtest.h>

#include "../sqlitedb/db_fixture.h"
#include "vcl/db.h"

using namespace vcl;
using dbtest::TRawConnection;
using dbtest::TTempDatabase;

namespace {

class FieldsTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLocale();
    Raw = std::make_unique<TRawConnection>(File.Path());
    Raw->Exec("CREATE TABLE t (id INTEGER PRIMARY KEY, s VARCHAR(10), i INTEGER, b BOOLEAN,"
              " f REAL, c CURRENCY, d DATE, tm TIME, dt DATETIME);"
              "INSERT INTO t VALUES (1, 'abc', 42, 1, 2.5, 1234.5, '2024-01-31', '13:05:00',"
              " '2024-01-31 13:05:00');"
              "INSERT INTO t (id) VALUES (2)");
    Data = std::make_unique<TSQLiteDataSet>(nullptr);
    Data->SetDatabaseName(File.Path());
    Data->SetTableName("t");
  }

  TField* F(const char* Name) { return Data->FieldByName(Name); }
  std::string Stored(const std::string& Column, int Id = 1) {
    return Raw->Value("SELECT " + Column + " FROM t WHERE id = " + std::to_string(Id));
  }

  TTempDatabase File;
  std::unique_ptr<TRawConnection> Raw;
  std::unique_ptr<TSQLiteDataSet> Data;
};

TEST_F(FieldsTest, EachTypeReadsItsTexts) {
  struct Case {
    const char* Name;
    TFieldType Type;
    TAlignment Alignment;
    const char* AsString;
    const char* DisplayText;
    const char* EditText;
  } Cases[] = {
      {"s", ftString, taLeftJustify, "abc", "abc", "abc"},
      {"i", ftInteger, taRightJustify, "42", "42", "42"},
      {"b", ftBoolean, taLeftJustify, "True", "True", "True"},
      {"f", ftFloat, taRightJustify, "2.5", "2.5", "2.5"},
      {"c", ftCurrency, taRightJustify, "1234.5", "$1,234.50", "1234.50"},
      {"d", ftDate, taLeftJustify, "1/31/24", "1/31/24", "1/31/24"},
      {"tm", ftTime, taLeftJustify, "1:05:00 PM", "1:05:00 PM", "1:05:00 PM"},
      {"dt", ftDateTime, taLeftJustify, "1/31/24 1:05:00 PM", "1/31/24 1:05:00 PM",
       "1/31/24 1:05:00 PM"},
  };
  Data->Open();
  for (const Case& C : Cases) {
    TField* Field = F(C.Name);
    EXPECT_EQ(Field->DataType(), C.Type) << C.Name;
    EXPECT_EQ(Field->Alignment(), C.Alignment) << C.Name;
    EXPECT_EQ(Field->AsString(), C.AsString) << C.Name;
    EXPECT_EQ(Field->DisplayText(), C.DisplayText) << C.Name;
    EXPECT_EQ(Field->EditText(), C.EditText) << C.Name;
    EXPECT_EQ(Field->Text(), C.EditText) << C.Name;
    EXPECT_FALSE(Field->IsNull()) << C.Name;
  }
  EXPECT_EQ(F("i")->AsInteger(), 42);
  EXPECT_EQ(F("i")->AsFloat(), 42.0);
  EXPECT_TRUE(F("b")->AsBoolean());
  EXPECT_EQ(F("c")->AsCurrency(), Currency::FromRaw(12345000));
  EXPECT_EQ(F("d")->AsDateTime(), EncodeDate(2024, 1, 31));
  EXPECT_EQ(F("dt")->AsDateTime(), EncodeDate(2024, 1, 31) + EncodeTime(13, 5, 0, 0));
  EXPECT_EQ(F("s")->AsVariant(), Variant("abc"));
  EXPECT_EQ(F("i")->AsVariant(), Variant(42));
  EXPECT_EQ(F("b")->AsVariant(), Variant(true));
  EXPECT_EQ(F("c")->AsVariant().VarType(), varCurrency);
  EXPECT_EQ(F("d")->AsVariant().VarType(), varDate);
}

TEST_F(FieldsTest, NullReadsAsEmptyTextAndZero) {
  Data->Open();
  Data->Next();
  for (const char* Name : {"s", "i", "b", "f", "c", "d", "tm", "dt"}) {
    TField* Field = F(Name);
    EXPECT_TRUE(Field->IsNull()) << Name;
    EXPECT_EQ(Field->AsString(), "") << Name;
    EXPECT_EQ(Field->DisplayText(), "") << Name;
    EXPECT_EQ(Field->EditText(), "") << Name;
    EXPECT_TRUE(VarIsNull(Field->AsVariant())) << Name;
  }
  for (const char* Name : {"i", "f", "c", "d", "dt"})
    EXPECT_EQ(F(Name)->AsFloat(), 0.0) << Name;
  EXPECT_EQ(F("i")->AsInteger(), 0);
  EXPECT_EQ(F("c")->AsCurrency(), Currency());
  EXPECT_EQ(F("d")->AsDateTime(), 0.0);
  EXPECT_FALSE(F("b")->AsBoolean());
}

TEST_F(FieldsTest, TextsSetTheStoredValuesAndEmptyTextSetsNull) {
  struct Case {
    const char* Name;
    const char* Text;
    const char* Stored;
  } Cases[] = {
      {"s", "xyz", "xyz"},
      {"i", " -7 ", "-7"},
      {"b", "f", "0"}, // a beginning of "False"
      {"f", "3.25", "3.25"},
      {"c", "19.99", "19.99"},
      {"d", "2/29/24", "2024-02-29"},
      {"tm", "7:30:05 AM", "07:30:05"},
      {"dt", "2/29/24 7:30:00 PM", "2024-02-29 19:30:00"},
  };
  Data->Open();
  Data->Edit();
  for (const Case& C : Cases)
    F(C.Name)->SetText(C.Text);
  Data->Post();
  for (const Case& C : Cases)
    EXPECT_EQ(Stored(C.Name), C.Stored) << C.Name;
  Data->Edit();
  for (const Case& C : Cases)
    F(C.Name)->SetText("");
  Data->Post();
  for (const Case& C : Cases)
    EXPECT_EQ(Stored(C.Name), "NULL") << C.Name;
}

TEST_F(FieldsTest, TextsThatAreNoValueOfTheTypeAreRefused) {
  Data->Open();
  Data->Edit();
  struct Case {
    const char* Name;
    const char* Text;
  } Cases[] = {{"i", "4x"}, {"b", "maybe"},   {"f", "1.2.3"},
               {"c", "$"},  {"d", "2/30/24"}, {"tm", "25:00"}};
  for (const Case& C : Cases) {
    EXPECT_THROW(F(C.Name)->SetText(C.Text), EConvertError) << C.Name;
  }
  EXPECT_EQ(F("i")->AsInteger(), 42); // unchanged
}

TEST_F(FieldsTest, EachTypeTakesItsCharacters) {
  Data->Open();
  struct Case {
    const char* Name;
    const char* Valid;
    const char* Invalid;
  } Cases[] = {
      {"s", "a1 .-/x", ""},
      {"i", "0123456789+-", ".eE a/"},
      {"f", "0123456789+-.eE", ", a/"},
      {"c", "0123456789+-.", "a$"},
      {"d", "12/3 ", ""},
  };
  for (const Case& C : Cases) {
    for (const char* P = C.Valid; *P; ++P)
      EXPECT_TRUE(F(C.Name)->IsValidChar(*P)) << C.Name << " '" << *P << "'";
    for (const char* P = C.Invalid; *P; ++P)
      EXPECT_FALSE(F(C.Name)->IsValidChar(*P)) << C.Name << " '" << *P << "'";
  }
}

TEST_F(FieldsTest, AmountsStayExactAndOtherProgramsDatesAreRead) {
  Raw->Exec("UPDATE t SET c = '123456789012.3456', d = julianday('2000-02-29'),"
            " dt = '2024-01-31T13:05:30.250Z' WHERE id = 1");
  Data->Open();
  EXPECT_EQ(F("c")->AsCurrency().Raw(), 1234567890123456);
  EXPECT_EQ(F("d")->AsDateTime(), EncodeDate(2000, 2, 29));
  EXPECT_EQ(F("dt")->AsDateTime(), EncodeDate(2024, 1, 31) + EncodeTime(13, 5, 30, 250));
  Data->Edit();
  F("c")->SetAsCurrency(Currency::FromRaw(-987654321098765));
  Data->Post();
  EXPECT_EQ(Stored("c"), "-98765432109.8765");
  EXPECT_EQ(F("c")->AsCurrency().Raw(), -987654321098765);
}

// A column of text affinity keeps every amount as its exact text (a REAL
// one keeps 15 significant digits).
TEST_F(FieldsTest, TheExtremeAmountsComeBackFromATextColumn) {
  Raw->Exec("ALTER TABLE t ADD COLUMN ct MONEY TEXT");
  Data->Open();
  const struct {
    std::int64_t Amount;
    const char* Stored;
  } Cases[] = {{std::numeric_limits<std::int64_t>::min(), "-922337203685477.5808"},
               {std::numeric_limits<std::int64_t>::max(), "922337203685477.5807"},
               {-1, "-0.0001"}};
  for (const auto& C : Cases) {
    Data->Edit();
    F("ct")->SetAsCurrency(Currency::FromRaw(C.Amount));
    EXPECT_EQ(F("ct")->AsCurrency().Raw(), C.Amount);
    Data->Post();
    EXPECT_EQ(Stored("ct"), C.Stored);
    Data->Refresh();
    EXPECT_EQ(F("ct")->AsCurrency().Raw(), C.Amount);
  }
}

TEST_F(FieldsTest, MasksFormatsAndDisplayValuesShapeTheTexts) {
  Raw->Exec("UPDATE t SET s = '4155551212' WHERE id = 1");
  Data->Open();
  F("s")->SetEditMask("!\\(999\\)000-0000;0;_");
  EXPECT_EQ(F("s")->DisplayText(), "(415)555-1212");
  EXPECT_EQ(F("s")->Text(), "4155551212");
  static_cast<TDateTimeField*>(F("d"))->SetDisplayFormat("yyyy-mm-dd");
  EXPECT_EQ(F("d")->DisplayText(), "2024-01-31");
  EXPECT_EQ(F("d")->EditText(), "1/31/24");
  auto* Flag = static_cast<TBooleanField*>(F("b"));
  Flag->SetDisplayValues("Yes;No");
  EXPECT_EQ(Flag->AsString(), "Yes");
  Data->Edit();
  Flag->SetAsString("n");
  EXPECT_FALSE(Flag->AsBoolean());
  EXPECT_THROW(Flag->SetAsString("True"), EConvertError);
}

TEST_F(FieldsTest, ValuesChangeOnlyWhileEditingAndValidateMayRefuse) {
  Data->Open();
  try {
    F("s")->SetAsString("no");
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_EQ(E.Message(), "Not in edit or insert mode");
  }
  int Changes = 0;
  F("i")->OnChange = [&](TField*) { ++Changes; };
  F("i")->OnValidate = [](TField* Sender) {
    if (Sender->AsInteger() < 0)
      throw EDatabaseError("No negative numbers");
  };
  Data->Edit();
  F("i")->SetAsInteger(5);
  EXPECT_THROW(F("i")->SetAsInteger(-5), EDatabaseError);
  EXPECT_EQ(F("i")->AsInteger(), 5); // the refused value did not stay
  EXPECT_EQ(Changes, 1);
  F("s")->SetReadOnly(true);
  EXPECT_THROW(F("s")->SetAsString("x"), EDatabaseError);
  EXPECT_THROW(F("b")->SetAsFloat(1.0), EDatabaseError); // no float of a boolean
}

TEST_F(FieldsTest, GetAndSetTextEventsStandInForTheTexts) {
  Data->Open();
  F("s")->OnGetText = [](TField* Sender, std::string& Text, bool Display) {
    Text = (Display ? "<" : "[") + Sender->AsString() + (Display ? ">" : "]");
  };
  F("s")->OnSetText = [](TField* Sender, const std::string& Text) {
    Sender->SetAsString(UpperCase(Text));
  };
  EXPECT_EQ(F("s")->DisplayText(), "<abc>");
  EXPECT_EQ(F("s")->Text(), "[abc]");
  Data->Edit();
  F("s")->SetText("def");
  EXPECT_EQ(F("s")->AsString(), "DEF");
}

TEST_F(FieldsTest, FieldsKeptForADataSetAreTheOnlyOnesAndBindByName) {
  TComponent Form(nullptr);
  auto* Name = new TStringField(&Form);
  Name->SetFieldName("S");
  Name->SetDisplayLabel("Name");
  Name->SetDataSet(Data.get());
  Data->Open();
  EXPECT_EQ(Data->FieldCount(), 1);
  EXPECT_EQ(Name->FieldNo(), 2);
  EXPECT_EQ(Name->AsString(), "abc");
  Data->Close();
  EXPECT_EQ(Data->FieldCount(), 1); // kept over a close
  auto* Missing = new TIntegerField(&Form);
  Missing->SetFieldName("nothere");
  Missing->SetDataSet(Data.get());
  EXPECT_THROW(Data->Open(), EDatabaseError);
  EXPECT_FALSE(Data->Active());
  delete Missing;
  Data->Open();
  Data->Edit();
  Name->Clear();
  Name->SetRequired(true);
  try {
    Data->Post();
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_EQ(E.Message(), "Field 'Name' must have a value");
  }
  Data->Cancel();
  delete Name; // a field freed while open leaves its data set
  EXPECT_EQ(Data->FieldCount(), 0);
}

} // namespace
