// The demo on PostgreSQL (--db postgresql://...): the form's data set is the
// engine's, the customers table is made and filled when the database has
// none, also by two demos starting at once, and used as it stands after.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <thread>

#include "../../vcl/pgdb/pg_fixture.h"
#include "apps/demo/customerform.h"
#include "apps/demo/sampledb.h"
#include "vcl/pgdb.h"

namespace {

// A database of the test's own on the test run's server, named by a URI.
class DemoOnPostgreSQL : public ::testing::Test {
protected:
  void SetUp() override {
    Name = "demo_" + std::to_string(getpid());
    Admin.Exec("DROP DATABASE IF EXISTS " + Name);
    Admin.Exec("CREATE DATABASE " + Name);
    std::ifstream Home(dbtest::PgServerDir() + "/home");
    std::string Socket;
    std::getline(Home, Socket);
    Uri = "postgresql://postgres@/" + Name + "?host=" + Socket + "&port=" + dbtest::PgPort();
  }
  void TearDown() override { Admin.Exec("DROP DATABASE " + Name + " WITH (FORCE)"); }
  std::string Count() {
    return dbtest::TPgRaw(dbtest::PgConnInfo() + " dbname=" + Name)
        .Value("SELECT count(*) FROM customers");
  }

  dbtest::TPgRaw Admin;
  std::string Name, Uri;
};

TEST_F(DemoOnPostgreSQL, TheFormsDataSetIsTheEnginesAndTheTableIsMadeOnce) {
  EXPECT_FALSE(Demo::IsPostgreSQL("shop.db"));
  EXPECT_EQ(Demo::FormTextFor(Demo::CustomerFormText, "shop.db"), Demo::CustomerFormText);
  Demo::TCustomerForm Form(nullptr, Demo::FormTextFor(Demo::CustomerFormText, Uri));
  ASSERT_NE(dynamic_cast<vcl::TPgDataSet*>(Form.Customers), nullptr);
  Form.OpenDatabase(Uri);
  EXPECT_EQ(Form.Customers->RecordCount(), Demo::SampleCustomerCount);
  EXPECT_EQ(Form.DBNameEdit->Text(), "Maria Lopez");
  EXPECT_EQ(Form.DBCreditEdit->Text(), "$15,000.00");
  dbtest::TPgRaw(dbtest::PgConnInfo() + " dbname=" + Name)
      .Exec("DELETE FROM customers WHERE code <> 'C-1001'");
  Form.OpenDatabase(Uri); // there: used as it stands
  EXPECT_EQ(Form.Customers->RecordCount(), 1);
}

TEST_F(DemoOnPostgreSQL, TwoDemosStartingAtOnceMakeOneTable) {
  std::string Failures[2];
  std::thread Demos[2];
  for (int I = 0; I < 2; ++I)
    Demos[I] = std::thread([&, I] {
      try {
        vcl::TPgDataSet Customers(nullptr);
        Demo::OpenSampleDatabase(&Customers, Uri);
      } catch (const std::exception& E) {
        Failures[I] = E.what();
      }
    });
  for (std::thread& T : Demos)
    T.join();
  EXPECT_EQ(Failures[0], "");
  EXPECT_EQ(Failures[1], "");
  EXPECT_EQ(Count(), "8");
}

} // namespace
