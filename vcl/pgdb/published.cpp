// The published table of TPgDataSet: what a form file keeps of it. The
// password is not among them: it comes at run time (OnLogin, the login
// dialog, or libpq's own sources), and one written into DatabaseName is
// left out of what is stored.
#include "vcl/pgdb.h"
#include "vcl/pgdb/detail/pg_impl.h"
#include "vcl/typinfo.h"

namespace vcl {

void RegisterPgClasses() {
  static const bool Done = [] {
    RegisterDBClasses();
    using T = TPgDataSet;
    Published<T>("TPgDataSet")
        .Inherits<TCustomSQLDataSet>()
        .Str(
            "DatabaseName", [](const T* D) { return pg::WithoutPassword(D->DatabaseName()); },
            &T::SetDatabaseName, std::string())
        .Bool("LoginPrompt", &T::LoginPrompt, &T::SetLoginPrompt, true)
        .Event<void(TObject*, std::string&, std::string&)>("OnLogin", &T::OnLogin);
    return true;
  }();
  (void)Done;
}

} // namespace vcl
