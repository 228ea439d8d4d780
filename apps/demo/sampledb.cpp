// The sample database: its table and its records, made where the database
// does not exist yet.
#include "apps/demo/sampledb.h"

namespace Demo {

namespace {

const char* const SampleCustomers = R"SQL(
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
)SQL";

} // namespace

void OpenSampleDatabase(vcl::TSQLiteDataSet* Customers, const std::string& Database) {
  Customers->Close();
  Customers->SetTableName("customers");
  Customers->SetDatabaseName(Database);
  Customers->CreateDatabase(SampleCustomers);
  Customers->Open();
}

} // namespace Demo
