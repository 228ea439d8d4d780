// The published table of TSQLiteDataSet: what a form file keeps of it
// beyond what every SQL data set keeps.
#include "vcl/sqlitedb.h"
#include "vcl/typinfo.h"

namespace vcl {

void RegisterSQLiteClasses() {
  static const bool Done = [] {
    RegisterDBClasses();
    // Each engine's default database differs: the property is its own.
    using T = TSQLiteDataSet;
    Published<T>("TSQLiteDataSet")
        .Inherits<TCustomSQLDataSet>()
        .Int("BusyTimeout", &T::BusyTimeout, &T::SetBusyTimeout, 2000)
        .Str("DatabaseName", &T::DatabaseName, &T::SetDatabaseName, std::string(":memory:"))
        .Int("LegacyCodePage", &T::LegacyCodePage, &T::SetLegacyCodePage, 0)
        .Range(0, 1252);
    return true;
  }();
  (void)Done;
}

} // namespace vcl
