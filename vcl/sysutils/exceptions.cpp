// The exception root and the silent abort.
#include "vcl/sysutils.h"

namespace vcl {

Exception::Exception(std::string Msg) : FMessage(std::move(Msg)) {}

void Abort() {
  throw EAbort("Operation aborted");
}

} // namespace vcl
