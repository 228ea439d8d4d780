// The sample database: its table, its records, and how a missing file is
// created.
#include "apps/demo/sampledb.h"

#include <cctype>
#include <cstring>
#include <filesystem>

namespace Demo {

namespace {

// In one transaction, so that a file is created whole or not filled at all.
const char* const SampleCustomers = R"SQL(
BEGIN;
CREATE TABLE customers (
  id INTEGER PRIMARY KEY,
  code VARCHAR(8) NOT NULL UNIQUE,
  name VARCHAR(30) NOT NULL,
  phone VARCHAR(14),
  country VARCHAR(20),
  credit_limit CURRENCY,
  birth_date DATE,
  region VARCHAR(5)
);
INSERT INTO customers (code, name, phone, country, credit_limit, birth_date, region) VALUES
  ('C-1001', 'Maria Lopez', '(555) 201-3344', 'Spain', 15000, '1968-04-12', 'South'),
  ('C-1002', 'Thomas Berg', '(555) 318-9021', 'Germany', 25000, '1975-09-30', 'North'),
  ('C-1003', 'Aiko Tanaka', '(555) 427-1180', 'Japan', 8000, '1982-01-05', 'East'),
  ('C-1004', 'Liam Walsh', '(555) 512-6677', 'Ireland', 12500, '1990-07-21', 'West'),
  ('C-1005', 'Sofia Rossi', '(555) 634-2209', 'Italy', 40000, '1959-11-02', 'South'),
  ('C-1006', 'Noah Martin', '(555) 745-8812', 'Canada', 5000, '1995-03-17', 'North'),
  ('C-1007', 'Emma Jensen', '(555) 856-4490', 'Denmark', 18000.5, '1987-06-08', 'North'),
  ('C-1008', 'Lucas Silva', '(555) 967-3321', 'Brazil', 22000, '1979-12-24', 'West');
COMMIT;
)SQL";

// A file: URI that asks SQLite to create the file: the path with every
// character that is not plainly safe in a URI written as %XX.
std::string CreatingUri(const std::string& Path) {
  static constexpr char Hex[] = "0123456789ABCDEF";
  std::string Uri = "file:";
  for (char C : Path) {
    const auto U = static_cast<unsigned char>(C);
    if (std::isalnum(U) || std::strchr("/-._~", C))
      Uri += C;
    else
      Uri += {'%', Hex[U >> 4], Hex[U & 15]};
  }
  return Uri + "?mode=rwc";
}

} // namespace

void OpenSampleDatabase(vcl::TSQLiteDataSet* Customers, const std::string& Database) {
  Customers->Close();
  Customers->SetTableName("customers");
  const bool InMemory = Database == ":memory:";
  const bool Create = InMemory || !std::filesystem::exists(Database);
  Customers->SetDatabaseName(InMemory || !Create ? Database : CreatingUri(Database));
  if (Create) {
    try {
      Customers->ExecSQL(SampleCustomers);
    } catch (...) {
      // Leave no half-made file behind for the next start to trip over.
      Customers->SetDatabaseName(":memory:");
      if (!InMemory)
        std::filesystem::remove(Database);
      throw;
    }
  }
  Customers->Open();
}

} // namespace Demo
