// Queries with bound parameters: each :name of the SQL is a parameter of the
// data set, given a typed value by name, bound (never spliced into the
// statement) when the data set opens, and kept in form files.
#include <gtest/gtest.h>

#include "db_fixture.h"
#include "vcl/db.h"
#include "vcl/forms.h"
#include "vcl/typinfo.h"

using namespace vcl;
using dbtest::Refusal;
using dbtest::TRawConnection;
using dbtest::TTempDatabase;

namespace {

class SQLiteParamsTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLocale();
    Raw = std::make_unique<TRawConnection>(File.Path());
    Raw->Exec("CREATE TABLE people (id INTEGER PRIMARY KEY, name TEXT, city TEXT,"
              " credit CURRENCY, born DATE, active BOOLEAN);"
              "INSERT INTO people (name, city, credit, born, active) VALUES"
              " ('Ada', 'London', 1200.5, '1815-12-10', 1),"
              " ('Blaise', 'Paris', 300, '1623-06-19', 0),"
              " ('Carl', 'Paris', 5000.25, '1777-04-30', 1),"
              " ('O''Brien', 'Cork', 10, '1900-01-01', 1)");
    Data = std::make_unique<TSQLiteDataSet>(nullptr);
    Data->SetName("People");
    Data->SetDatabaseName(File.Path());
  }
  // The names of the rows, in order.
  std::string Names() {
    std::string S;
    for (Data->First(); !Data->Eof(); Data->Next())
      S += (S.empty() ? "" : ",") + Data->FieldByName("name")->AsString();
    return S;
  }

  TTempDatabase File;
  std::unique_ptr<TRawConnection> Raw;
  std::unique_ptr<TSQLiteDataSet> Data;
};

TEST_F(SQLiteParamsTest, EachNameOfTheSQLIsAParameterWithATypedValue) {
  Data->SQL()->SetTextStr("SELECT name FROM people -- not :this\n"
                          "WHERE city = :city AND credit >= :least AND born < :before"
                          " AND active = :active AND name <> ':quoted' AND :city <> ''"
                          " ORDER BY name");
  ASSERT_EQ(Data->Params()->Count(), 4);
  EXPECT_EQ(Data->Params()->Params(0)->ParamName(), "city");
  EXPECT_EQ(Data->Params()->Params(3)->ParamName(), "active");
  Data->ParamByName("city")->SetAsString("Paris");
  Data->ParamByName("least")->SetAsCurrency(Currency(300));
  Data->ParamByName("before")->SetAsDate(EncodeDate(1800, 1, 1));
  Data->ParamByName("active")->SetAsBoolean(false);
  EXPECT_EQ(Data->ParamByName("least")->DataType(), ftCurrency);
  Data->Open();
  EXPECT_EQ(Names(), "Blaise");
  Data->Close();
  Data->ParamByName("active")->SetAsBoolean(true);
  Data->ParamByName("least")->SetAsFloat(1000.5);
  Data->Open();
  EXPECT_EQ(Names(), "Carl");
  EXPECT_EQ(Data->RecordCount(), 1);
  Data->Close();
  // A value is data, never SQL.
  Data->ParamByName("city")->SetAsString("Cork' OR '1'='1");
  Data->Open();
  EXPECT_EQ(Names(), "");
}

TEST_F(SQLiteParamsTest, ChangingTheSQLKeepsTheValuesOfNamesItStillHolds) {
  Data->SQL()->SetTextStr("SELECT name FROM people WHERE city = :city AND credit > :least");
  Data->ParamByName("city")->SetAsString("Paris");
  Data->ParamByName("least")->SetAsInteger(0);
  Data->SQL()->SetTextStr("SELECT name FROM people WHERE city = :City ORDER BY name DESC");
  ASSERT_EQ(Data->Params()->Count(), 1);
  EXPECT_EQ(Data->ParamByName("city")->AsString(), "Paris");
  EXPECT_EQ(Data->Params()->FindParam("least"), nullptr);
  EXPECT_EQ(Refusal([&] { Data->ParamByName("least"); }), "People: Parameter 'least' not found");
  Data->Open();
  EXPECT_EQ(Names(), "Carl,Blaise");
}

TEST_F(SQLiteParamsTest, AParameterWithoutAValueOrWrittenOtherwiseIsRefused) {
  Data->SQL()->SetTextStr("SELECT name FROM people WHERE city = :city");
  EXPECT_EQ(Refusal([&] { Data->Open(); }), "People: No value for parameter 'city'");
  Data->ParamByName("city")->SetDataType(ftString); // Null, on purpose
  EXPECT_EQ(Refusal([&] { Data->Open(); }), "");
  EXPECT_TRUE(Data->IsEmpty());
  Data->Close();
  Data->SQL()->SetTextStr("SELECT name FROM people WHERE city = ?");
  EXPECT_EQ(Refusal([&] { Data->Open(); }),
            "People: Write the parameters of the SQL as :name, not as '?'");
  EXPECT_FALSE(Data->Active());
}

TEST_F(SQLiteParamsTest, ATextValueIsReadByTheParametersType) {
  TParam P(nullptr);
  struct TCase {
    TFieldType Type;
    const char* Text;
    TDBValue Value;
  } Cases[] = {{ftString, "Paris", std::string("Paris")},
               {ftInteger, "-42", std::int64_t(-42)},
               {ftFloat, "2.5", 2.5},
               {ftCurrency, "1200.5", std::string("1200.5")},
               {ftCurrency, "300", std::int64_t(300)},
               {ftDate, "2024-02-29", std::string("2024-02-29")},
               {ftBoolean, "True", std::int64_t(1)},
               {ftInteger, "", TDBValue()}};
  for (const TCase& C : Cases) {
    P.SetDataType(ftUnknown);
    P.SetValueText(C.Text);
    P.SetDataType(C.Type);
    EXPECT_EQ(P.Value(), C.Value) << C.Text;
    EXPECT_EQ(P.ValueText(), C.Text);
  }
  P.SetDataType(ftInteger);
  EXPECT_THROW(P.SetValueText("many"), EConvertError);
}

// A form that keeps a query with its parameters in its file.
class TOrdersForm : public TForm {
public:
  using TForm::TForm;
  TSQLiteDataSet* Orders = nullptr;
};

TEST_F(SQLiteParamsTest, ParametersAreKeptInFormFilesAndReadBack) {
  RegisterSQLiteClasses();
  Published<TOrdersForm>("TOrdersForm").Inherits<TForm>().Field("Orders", &TOrdersForm::Orders);
  TOrdersForm Form(nullptr);
  Form.SetName("OrdersForm");
  Form.Orders = new TSQLiteDataSet(&Form);
  Form.Orders->SetName("Orders");
  Form.Orders->SetDatabaseName(File.Path());
  Form.Orders->SQL()->SetTextStr("SELECT name FROM people WHERE city = :city AND born > :after"
                                 " AND credit > :least ORDER BY name");
  Form.Orders->ParamByName("city")->SetAsString("Paris");
  Form.Orders->ParamByName("after")->SetAsDate(EncodeDate(1700, 1, 1));
  Form.Orders->ParamByName("least")->SetAsCurrency(Currency::FromRaw(12345));
  Form.Orders->Open();
  const std::string Text = ComponentToText(&Form);
  for (const char* Part :
       {"object TParam", "ParamName = 'city'", "DataType = ftString", "Value = 'Paris'",
        "DataType = ftDate", "Value = '1700-01-01'", "DataType = ftCurrency", "Value = '1.2345'"})
    EXPECT_NE(Text.find(Part), std::string::npos) << Part << "\n" << Text;

  TOrdersForm Copy(nullptr);
  ReadComponentText(Text, &Copy);
  ASSERT_NE(Copy.Orders, nullptr);
  EXPECT_EQ(Copy.Orders->Params()->Count(), 3);
  EXPECT_EQ(Copy.Orders->ParamByName("after")->Value(), TDBValue(std::string("1700-01-01")));
  EXPECT_TRUE(Copy.Orders->Active());
  EXPECT_EQ(Copy.Orders->FieldByName("name")->AsString(), "Carl");
  EXPECT_EQ(ComponentToText(&Copy), Text);
}

} // namespace
