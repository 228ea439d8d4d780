// Loading libpq on first use: see detail/libpq.h. dlopen lives in the C
// library itself since glibc 2.34, so vcl_pg links nothing for it.
#include "vcl/pgdb/detail/libpq.h"

#include <dlfcn.h>

#include <string>

#include "vcl/db.h"

namespace vcl::pg {

namespace {

// The soname of the libpq whose interface libpq-fe.h declares.
constexpr const char* LibraryName = "libpq.so.5";

[[noreturn]] void LoadError() {
  const char* Why = dlerror();
  throw EDatabaseError(std::string("PostgreSQL client library (") + LibraryName +
                       ") could not be loaded: " + (Why ? Why : "unknown error"));
}

template <typename TFunction> void Resolve(void* Handle, const char* Name, TFunction& Function) {
  dlerror();
  void* Address = dlsym(Handle, Name);
  if (!Address)
    LoadError();
  Function = reinterpret_cast<TFunction>(Address);
}

// The handle is never closed: the functions stay in use by connections
// until the process ends. RTLD_LOCAL keeps libpq's symbols out of the
// program's own look-ups.
TLibpq LoadLibpq() {
  void* Handle = dlopen(LibraryName, RTLD_NOW | RTLD_LOCAL);
  if (!Handle)
    LoadError();
  TLibpq Lib;
#define VCL_LIBPQ_RESOLVE(Name) Resolve(Handle, #Name, Lib.Name);
  VCL_LIBPQ_FUNCTIONS(VCL_LIBPQ_RESOLVE)
#undef VCL_LIBPQ_RESOLVE
  return Lib;
}

} // namespace

const TLibpq& Libpq() {
  // A throwing initialiser leaves the static uninitialised, so a later
  // call (after the library was installed, say) loads it then.
  static const TLibpq Lib = LoadLibpq();
  return Lib;
}

} // namespace vcl::pg
