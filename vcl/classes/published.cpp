// The form-file names of the run-time core's own enumerations, which the
// GUI's controls and the data layer's fields both publish.
#include "vcl/classes.h"
#include "vcl/typinfo.h"

namespace vcl {

void RegisterClassesEnums() {
  static const bool Done = [] {
    DeclareEnum<TAlignment>("TAlignment");
    return true;
  }();
  (void)Done;
}

} // namespace vcl
