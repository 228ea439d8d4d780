// The tour script played headless against the customer order form, as the
// demo's --script option plays it: every kind of field refuses a key and,
// where it can, a value on leaving; the birth date is picked in the
// calendar; a customer is edited and posted, which the test reads back from
// the database file through a connection of its own; the pictures of the
// start, a refused exit and the open calendar are written.
#include <unistd.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "apps/demo/customerform.h"
#include "apps/demo/script.h"
#include "vcl/testing.h"

namespace {

using namespace vcl;
namespace vt = vcl::testing;
namespace fs = std::filesystem;

std::string FileText(const fs::path& File) {
  std::ifstream In(File, std::ios::binary);
  return {std::istreambuf_iterator<char>(In), {}};
}

// Every row of the customers table of File, a line each, columns joined by '|'.
std::string Rows(const fs::path& File) {
  sqlite3* Db = nullptr;
  std::string Text;
  if (sqlite3_open_v2(File.c_str(), &Db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* Stmt = nullptr;
    sqlite3_prepare_v2(Db,
                       "SELECT id, code, name, phone, country, credit_limit, birth_date, region "
                       "FROM customers ORDER BY id",
                       -1, &Stmt, nullptr);
    while (Stmt && sqlite3_step(Stmt) == SQLITE_ROW) {
      for (int C = 0; C < sqlite3_column_count(Stmt); ++C) {
        const auto* V = sqlite3_column_text(Stmt, C);
        Text += (C ? "|" : "") + std::string(V ? reinterpret_cast<const char*>(V) : "NULL");
      }
      Text += "\n";
    }
    sqlite3_finalize(Stmt);
  }
  sqlite3_close(Db);
  return Text;
}

class TourTest : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLocale();
    // Each case runs in a process of its own, perhaps beside another.
    Dir = fs::path(::testing::TempDir()) / ("demo_tour_" + std::to_string(::getpid()));
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    Previous = fs::current_path();
    fs::current_path(Dir); // the tour's pictures are written here
    Form = new Demo::TCustomerForm(nullptr);
    Form->OpenDatabase((Dir / "customers.db").string());
    vt::ShowForm(Form);
  }
  void TearDown() override {
    delete Form;
    fs::current_path(Previous);
    ResetLocale();
  }

  vt::TFixedClock Clock{EncodeDate(2024, 6, 1)};
  fs::path Dir, Previous;
  Demo::TCustomerForm* Form = nullptr;
};

TEST_F(TourTest, EveryStepRunsAndEveryExpectationHolds) {
  std::ostringstream Log;
  Demo::TScriptPlayer Player(Form, Log, [this] { return Form->Status(); });
  ASSERT_TRUE(Player.Play(Demo::LoadScript(DEMO_TOUR))) << Log.str();
  const std::string L = Log.str();

  // What the boxes said, in order: a refused key, then a refused exit, per kind.
  const char* Boxes[] = {
      "\"!\" is an invalid character.",
      "\"x\" is not a digit or (-).",
      "\"1200\" is not a valid integer between 1 and 999.",
      "\"12.34\" contains more than 1 digits after the decimal.",
      "\"75\" is not a valid number between 0.0 and 50.0.",
      "\"12a\" contains invalid character(s) for a decimal number.",
      "\"120000\" is not a valid currency between $0.00 and $100,000.00.",
      "\"Q\" does not resemble any of the valid words.",
      "\"Ne\" is not a valid word.",
      "\"5\" contains invalid input for the picture: (###) ###-####",
      "\"(555) 12\" does not completely match the picture: (###) ###-####",
      "\"-\" contains invalid input for the picture: #####[-####],&#& #&#",
      "\"A1A 1\" does not completely match the picture: #####[-####],&#& #&#",
      "\"x\" does not resemble a date.",
      "\"2/30/1990\" is not a valid date between 1/1/1900 and 6/1/2024.",
      "\"3\" does not resemble a time.",
      "\"7:00 AM\" is not a valid time between 8:00:00 AM and 6:00:00 PM.",
      // The customer file.
      "\"*\" is an invalid character.",
      "\"150000\" is not a valid currency between $0.00 and $100,000.00.",
  };
  std::size_t From = 0;
  for (const char* Box : Boxes) {
    const std::string Line = "    box: \"" + std::string(Box) + "\"\n";
    const std::size_t At = L.find(Line, From);
    ASSERT_NE(At, std::string::npos) << "missing or out of order: " << Box << "\n" << L;
    From = At + Line.size();
  }
  // The calendar opened on the birth date and closed on the date picked.
  EXPECT_NE(L.find("    dialog \"Select a Date\" opens\n"), std::string::npos);
  EXPECT_NE(L.find("    status: \"Birth date: 4/16/1970.\"\n"), std::string::npos);
  EXPECT_NE(L.find("    status: \"Born: 10/31/1975.\"\n"), std::string::npos) << L;
  // The summary read every typed value back.
  EXPECT_NE(L.find("box: \"Customer code: AB-7 Quantity: 120 pieces Discount %: 7.5 % Credit "
                   "limit: $12,000.00 Country: New Zealand Phone: (555) 123-4567 Postcode: A1A "
                   "1B1 Birth date: Thursday, April 16, 1970 Appointment: 9:15 AM Sales region: "
                   "South E-mail: ann.lee@example.com\""),
            std::string::npos)
      << L;

  // What was posted is in the file; the cancelled credit limit is not, and
  // no other customer changed.
  delete Form;
  Form = nullptr;
  EXPECT_EQ(Rows(Dir / "customers.db"),
            "1|C-1001|Maria Lopez|(555) 201-3344|Spain|15000|1968-04-12|South\n"
            "2|C-1002X|Thomas Berg-Meyer|(555) 318-9021|Switzerland|15000|1975-10-31|East\n"
            "3|C-1003|Aiko Tanaka|(555) 427-1180|Japan|8000|1982-01-05|East\n"
            "4|C-1004|Liam Walsh|(555) 512-6677|Ireland|12500|1990-07-21|West\n"
            "5|C-1005|Sofia Rossi|(555) 634-2209|Italy|40000|1959-11-02|South\n"
            "6|C-1006|Noah Martin|(555) 745-8812|Canada|5000|1995-03-17|North\n"
            "7|C-1007|Emma Jensen|(555) 856-4490|Denmark|18000.5|1987-06-08|North\n"
            "8|C-1008|Lucas Silva|(555) 967-3321|Brazil|22000|1979-12-24|West\n");

  // Four different pictures of something.
  const std::string Start = FileText(Dir / "start.png");
  const std::string Refused = FileText(Dir / "refused-exit.png");
  const std::string Calendar = FileText(Dir / "calendar.png");
  const std::string RefusedInFile = FileText(Dir / "refused-exit-file.png");
  EXPECT_GT(Start.size(), 1000u);
  EXPECT_NE(Start, Refused);
  EXPECT_NE(Refused, Calendar);
  EXPECT_NE(Start, Calendar);
  EXPECT_NE(Refused, RefusedInFile);
}

} // namespace
