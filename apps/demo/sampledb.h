// The sample database of the demo: a table of customers that the form's
// data-aware part shows and edits, in SQLite or on a PostgreSQL server.
#pragma once

#include <string>

#include "vcl/db.h"

namespace Demo {

// Whether Database names a PostgreSQL database (a postgresql:// URI) rather
// than an SQLite one.
bool IsPostgreSQL(const std::string& Database);
// The form file's text with the customers' data set of the class Database
// needs: the one thing of the form that knows the engine.
std::string FormTextFor(const std::string& FormText, const std::string& Database);

// Points Customers at Database and opens it on the customers table. For
// SQLite (a file name or a file: URI, as SQLite reads them, or ":memory:") a
// database that does not exist yet is made with the sample customers first,
// whole or not at all, also when another program makes it at the same time;
// an existing one is used as it stands (EDatabaseError when it is no
// database or has no customers table). On PostgreSQL the table is made and
// filled when the database has none, in one transaction that a second demo
// starting at once waits for.
void OpenSampleDatabase(vcl::TCustomSQLDataSet* Customers, const std::string& Database);

// The number of sample customers.
constexpr int SampleCustomerCount = 8;

} // namespace Demo
