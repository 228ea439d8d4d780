// The library's own resources (bitmaps and text form files), compiled into the
// program from the files of resources/ and looked up by name, as a module's
// resources are.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Resources {

// The bytes of the resource Name (exact case), or an empty view when the
// library has no such resource.
std::string_view Find(const std::string& Name);

namespace detail {
struct TEntry {
  const char* Name;
  const unsigned char* Data;
  std::size_t Size;
};
// The generated table, ended by an entry whose Name is null.
extern const TEntry Table[];
} // namespace detail

} // namespace Resources
