// Connecting to a server that asks for a password (the test run's server on
// 127.0.0.1, role clerk): the password comes from OnLogin, from the login
// dialog (answered as a user answers it), or from libpq's own sources; it
// never appears in a message or in a form file, and a connection made again
// after it was lost does not ask twice.
#include <gtest/gtest.h>

#include <cstdlib>

#include "../sqlitedb/db_fixture.h"
#include "pg_fixture.h"
#include "vcl/forms.h"
#include "vcl/pgdb.h"
#include "vcl/stdctrls.h"
#include "vcl/testing.h"

using namespace vcl;
using dbtest::Refusal;
namespace vt = vcl::testing;

namespace {

const std::string Secret = "clerk-password";

class PgLoginTest : public ::testing::Test {
protected:
  void SetUp() override {
    unsetenv("PGPASSWORD");
    Data.SetName("Orders");
    Data.SetDatabaseName(Tcp());
    Schema.Raw().Exec("CREATE TABLE orders (id serial PRIMARY KEY, item text);"
                      "INSERT INTO orders (item) VALUES ('bolts'); GRANT ALL ON orders TO clerk");
    Data.SetTableName(Schema.Name() + ".orders");
  }
  void TearDown() override { unsetenv("PGPASSWORD"); }
  static std::string Tcp(const std::string& Database = "valedit") {
    return "host=127.0.0.1 port=" + dbtest::PgPort() + " dbname=" + Database + " user=clerk";
  }
  std::string Where(const std::string& Database = "valedit") const {
    return "Orders: Cannot connect to database '" + Database + "' on host '127.0.0.1' at port " +
           dbtest::PgPort() + " as user 'clerk': ";
  }

  dbtest::TPgSchema Schema;
  TPgDataSet Data{nullptr};
};

TEST_F(PgLoginTest, OnLoginSuppliesThePasswordOnceAndItIsKeptForConnectingAgain) {
  int Asked = 0;
  Data.OnLogin = [&](TObject* Sender, std::string& User, std::string& Password) {
    EXPECT_EQ(Sender, &Data);
    EXPECT_EQ(User, "clerk");
    Password = Secret;
    ++Asked;
  };
  Data.Open();
  EXPECT_EQ(Data.FieldByName("item")->AsString(), "bolts");
  Schema.Raw().Exec("SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                    " WHERE usename = 'clerk'");
  Data.Refresh(); // connects again with the password given
  EXPECT_EQ(Asked, 1);
  EXPECT_TRUE(Data.Connected());
}

TEST_F(PgLoginTest, TheLoginDialogAsksTheUser) {
  std::string Shown;
  vt::AnswerNextModal([&](TCustomForm* Form) {
    Shown = static_cast<TLabel*>(Form->FindComponent("DatabaseName"))->Caption();
    EXPECT_EQ(static_cast<TEdit*>(Form->FindComponent("UserName"))->Text(), "clerk");
    auto* Password = static_cast<TEdit*>(Form->FindComponent("Password"));
    EXPECT_EQ(Password->PasswordChar(), '*');
    EXPECT_TRUE(Password->Focused());
    vt::TypeText(Secret);
    vt::PressKey(VK_RETURN); // the OK button is the default one
    return mrNone;
  });
  Data.Open();
  EXPECT_EQ(Shown, "Database: valedit on 127.0.0.1");
  EXPECT_EQ(Data.FieldByName("item")->AsString(), "bolts");
}

TEST_F(PgLoginTest, ACancelledOrRefusedLoginNamesTheServerAndNeverThePassword) {
  vt::AnswerNextModal([](TCustomForm*) { return mrCancel; });
  EXPECT_EQ(Refusal([&] { Data.Open(); }), Where() + "no password was given");

  Data.SetLoginPrompt(false);
  EXPECT_EQ(Refusal([&] { Data.Open(); }), Where() + "no password was given");

  Data.OnLogin = [](TObject*, std::string&, std::string& Password) { Password = "wrong-guess"; };
  const std::string Refused = Refusal([&] { Data.Open(); });
  EXPECT_EQ(Refused.rfind(Where(), 0), 0u) << Refused;
  EXPECT_NE(Refused.find("password authentication failed"), std::string::npos) << Refused;
  EXPECT_EQ(Refused.find("wrong-guess"), std::string::npos) << Refused;

  // A password written into a URI stays out of the message too.
  Data.SetDatabaseName("postgresql://clerk:" + Secret + "@127.0.0.1:" + dbtest::PgPort() +
                       "/nowhere");
  const std::string Missing = Refusal([&] { Data.Open(); });
  EXPECT_EQ(Missing.rfind(Where("nowhere"), 0), 0u) << Missing;
  EXPECT_EQ(Missing.find(Secret), std::string::npos) << Missing;
  Data.SetDatabaseName("host=127.0.0.1 password=" + Secret + " port=");
  EXPECT_EQ(Refusal([&] { Data.Open(); }).find(Secret), std::string::npos);
  EXPECT_FALSE(Data.Active());
}

TEST_F(PgLoginTest, LibpqsOwnSourcesNeedNoLogin) {
  Data.OnLogin = [](TObject*, std::string&, std::string&) { FAIL() << "asked for a password"; };
  setenv("PGPASSWORD", Secret.c_str(), 1);
  Data.Open();
  EXPECT_EQ(Data.FieldByName("item")->AsString(), "bolts");
  Data.Close();
  Data.SetDatabaseName("postgresql://clerk:" + Secret + "@127.0.0.1:" + dbtest::PgPort() +
                       "/valedit");
  unsetenv("PGPASSWORD");
  Data.Open();
  EXPECT_TRUE(Data.Active());
}

TEST_F(PgLoginTest, AFormFileKeepsTheConnectionButNeverThePassword) {
  TForm Form(nullptr);
  auto* Orders = new TPgDataSet(&Form);
  Orders->SetName("Orders");
  Orders->SetDatabaseName(Tcp());
  Orders->SetTableName(Schema.Name() + ".orders");
  Orders->SetLoginPrompt(false);
  Orders->OnLogin = [](TObject*, std::string&, std::string& Password) { Password = Secret; };
  Orders->Open();
  Orders->Close(); // the form opens it when its program has a password to give
  const std::string Text = ComponentToText(&Form);
  EXPECT_EQ(Text.find(Secret), std::string::npos) << Text;
  EXPECT_NE(Text.find("object Orders: TPgDataSet"), std::string::npos) << Text;
  EXPECT_NE(Text.find("LoginPrompt = False"), std::string::npos) << Text;

  TForm Copy(nullptr);
  ReadComponentText(Text, &Copy);
  auto* Read = dynamic_cast<TPgDataSet*>(Copy.FindComponent("Orders"));
  ASSERT_NE(Read, nullptr);
  EXPECT_EQ(Read->DatabaseName(), Tcp());
  EXPECT_FALSE(Read->LoginPrompt());
  EXPECT_EQ(Refusal([&] { Read->Open(); }), Where() + "no password was given");
  Read->OnLogin = [](TObject*, std::string&, std::string& Password) { Password = Secret; };
  Read->Open();
  EXPECT_EQ(Read->FieldByName("item")->AsString(), "bolts");
}

// A password written into the name (a URI's user:password@ or ?password=,
// a connection string's password=, quoted or not) stays in memory: the form
// file keeps the rest of the name as it was written, or, where a password
// cannot be cut out of the text exactly, the name's other options.
TEST_F(PgLoginTest, AFormFileKeepsTheNameWithoutAPasswordWrittenIntoIt) {
  const std::string At = "@127.0.0.1:" + dbtest::PgPort() + "/valedit";
  const struct {
    std::string Name, Stored;
  } Cases[] = {
      {"postgresql://clerk:" + Secret + At, "postgresql://clerk" + At},
      {"postgres://clerk:" + Secret + At + "?sslmode=disable",
       "postgres://clerk" + At + "?sslmode=disable"},
      {"postgresql://clerk" + At + "?password=" + Secret + "&connect_timeout=5",
       "postgresql://clerk" + At + "?connect_timeout=5"},
      {"postgresql://clerk" + At + "?%70assword=" + Secret,
       "user='clerk' dbname='valedit' host='127.0.0.1' port='" + dbtest::PgPort() + "'"},
      {Tcp() + " password=" + Secret, Tcp()},
      {"password = '" + Secret + " \\\\ \\' x' " + Tcp(), Tcp()},
      {Tcp(), Tcp()},
      {"postgresql://clerk" + At, "postgresql://clerk" + At},
  };
  for (const auto& C : Cases) {
    TForm Form(nullptr);
    auto* Orders = new TPgDataSet(&Form);
    Orders->SetName("Orders");
    Orders->SetDatabaseName(C.Name);
    const std::string Text = ComponentToText(&Form);
    EXPECT_EQ(Text.find(Secret), std::string::npos) << Text;
    EXPECT_EQ(Orders->DatabaseName(), C.Name) << "the data set itself keeps what it was given";

    TForm Copy(nullptr);
    ReadComponentText(Text, &Copy);
    auto* Read = static_cast<TPgDataSet*>(Copy.FindComponent("Orders"));
    EXPECT_EQ(Read->DatabaseName(), C.Stored) << C.Name;
    Read->SetTableName(Schema.Name() + ".orders");
    Read->SetLoginPrompt(false);
    int Asked = 0;
    Read->OnLogin = [&](TObject*, std::string&, std::string& Password) {
      ++Asked;
      Password = Secret;
    };
    Read->Open();
    EXPECT_EQ(Read->FieldByName("item")->AsString(), "bolts") << C.Stored;
    EXPECT_EQ(Asked, 1) << C.Stored;
  }
}

} // namespace
