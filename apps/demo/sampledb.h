// The sample database of the demo: a table of customers that the form's
// data-aware part shows and edits.
#pragma once

#include <string>

#include "vcl/db.h"

namespace Demo {

// Points Customers at Database (a file name or a file: URI, as SQLite reads
// them, or ":memory:") and opens it on the customers table. A database that
// does not exist yet is made with the sample customers first, whole or not
// at all, also when another program makes it at the same time; an existing
// one is used as it stands (EDatabaseError when it is no database or has no
// customers table).
void OpenSampleDatabase(vcl::TSQLiteDataSet* Customers, const std::string& Database);

// The number of sample customers.
constexpr int SampleCustomerCount = 8;

} // namespace Demo
