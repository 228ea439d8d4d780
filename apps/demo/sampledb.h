// The sample database of the demo: a table of customers that the form's
// data-aware part shows and edits.
#pragma once

#include <string>

#include "vcl/db.h"

namespace Demo {

// Points Customers at Database and opens it on the customers table.
// ":memory:" and a file that does not exist yet are filled with the sample
// customers first; an existing file is used as it stands (EDatabaseError
// when it is no database or has no customers table).
void OpenSampleDatabase(vcl::TSQLiteDataSet* Customers, const std::string& Database);

// The number of sample customers.
constexpr int SampleCustomerCount = 8;

} // namespace Demo
