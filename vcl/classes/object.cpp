// The root of the object model: class names from the dynamic type.
#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "vcl/classes.h"

namespace vcl {

std::string TObject::ClassName() const {
  const char* Mangled = typeid(*this).name();
  int Status = 0;
  std::unique_ptr<char, void (*)(void*)> Demangled(
      abi::__cxa_demangle(Mangled, nullptr, nullptr, &Status), std::free);
  std::string Name = Status == 0 && Demangled ? Demangled.get() : Mangled;
  // Only the class itself counts: "Validate::TIntegerValidator" is "TIntegerValidator".
  const auto Colon = Name.rfind("::");
  return Colon == std::string::npos ? Name : Name.substr(Colon + 2);
}

} // namespace vcl
