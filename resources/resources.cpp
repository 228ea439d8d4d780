// Lookup in the table that resources/embed.cmake generates at build time.
#include "resources/resources.h"

namespace Resources {

std::string_view Find(const std::string& Name) {
  for (const detail::TEntry* E = detail::Table; E->Name; ++E)
    if (Name == E->Name)
      return {reinterpret_cast<const char*>(E->Data), E->Size};
  return {};
}

} // namespace Resources
