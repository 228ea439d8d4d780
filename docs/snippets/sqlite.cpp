// The guide's examples of SQLite data sets: making a database, queries with
// parameters (in code and in a form file), exact amounts and read-only
// databases. Runs in a scratch folder of its own; each region between
// "// [name]" and "// [end]" is quoted in docs/data-aware.md, and its
// Expect lines are the results the guide states.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "docs/snippets/expect.h"
#include "vcl/db.h"
#include "vcl/forms.h"

using Snippets::Expect;

namespace {

void CreateDatabase() {
  // [sqlite create]
  vcl::TSQLiteDataSet Shop(nullptr);
  Shop.SetDatabaseName("shop.db");
  Expect(Shop.CreateDatabase("CREATE TABLE customers (id INTEGER PRIMARY KEY,"
                             " name VARCHAR(40), city VARCHAR(20), credit CURRENCY);"
                             "INSERT INTO customers (name, city, credit) VALUES"
                             " ('Ada', 'London', 1200.5), ('Blaise', 'Paris', 300),"
                             " ('Carl', 'Paris', 5000.25);"));
  Expect(!Shop.CreateDatabase("...")); // it exists now: left as it is
  // [end]
}

void Parameters() {
  // [sqlite parameters]
  vcl::TSQLiteDataSet Query(nullptr);
  Query.SetDatabaseName("shop.db");
  Query.SQL()->SetTextStr("SELECT name FROM customers WHERE city = :city AND credit >= :least");
  Query.ParamByName("city")->SetAsString("Paris");
  Query.ParamByName("least")->SetAsCurrency(1000);
  Query.Open();
  Expect(Query.FieldByName("name")->AsString() == "Carl");
  Expect(Query.RecordCount() == 1);
  // [end]
}

void ParametersInAFormFile(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  const std::string Text{std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
  // [sqlite parameters form file]
  vcl::TForm Form(nullptr);
  vcl::ReadComponentText(Text, &Form);
  auto* Orders = static_cast<vcl::TSQLiteDataSet*>(Form.FindComponent("Orders"));
  Expect(Orders->ParamByName("least")->AsString() == "1000");
  Orders->Open();
  Expect(Orders->RecordCount() == 2); // Ada and Carl
  // [end]
}

void Amounts() {
  vcl::TSQLiteDataSet Customers(nullptr);
  Customers.SetDatabaseName("shop.db");
  Customers.SetTableName("customers");
  Customers.Open();
  // [sqlite amounts]
  Customers.Edit();
  vcl::TField* Credit = Customers.FieldByName("credit");
  Credit->SetAsString("98765.43"); // other programs read 98765.43 too
  try {
    Credit->SetAsString("123456789012.3456"); // 16 significant digits
  } catch (const vcl::EDatabaseError& E) {
    Expect(E.Message() == "Field 'credit': 123456789012.3456 cannot be stored exactly; "
                          "the column would hold 123456789012.346");
  }
  Expect(Credit->AsString() == "98765.43"); // the refused amount was not taken
  Customers.Post();
  // [end]
}

void ReadOnly() {
  // [sqlite read-only]
  vcl::TSQLiteDataSet Customers(nullptr);
  Customers.SetDatabaseName("file:shop.db?mode=ro");
  Customers.SetTableName("customers");
  Customers.Open();
  Expect(!Customers.CanModify()); // data-aware controls stay read-only
  // [end]
}

} // namespace

int main(int Argc, char** Argv) {
  if (Argc != 2) {
    std::cerr << "usage: docs_sqlite docs/snippets/orders.dfm\n";
    return 2;
  }
  const std::string Orders = std::filesystem::absolute(Argv[1]).string();
  char Scratch[] = "/tmp/docs_sqlite_XXXXXX";
  if (!mkdtemp(Scratch) || chdir(Scratch) != 0)
    return 2;
  vcl::ResetLocale();
  vcl::Application->Initialize(true);
  CreateDatabase();
  Parameters();
  ParametersInAFormFile(Orders);
  Amounts();
  ReadOnly();
  std::filesystem::remove_all(Scratch);
  return Snippets::Failures == 0 ? 0 : 1;
}
