// Removing one item from a list that holds it once, searching from the end:
// owners and parents free their components and children newest first, so
// the search is short where it matters (freeing a large form).
#pragma once

#include <algorithm>
#include <iterator>
#include <vector>

namespace vcl {

template <typename T, typename U> void EraseLast(std::vector<T*>& List, const U* Item) {
  const auto It = std::find(List.rbegin(), List.rend(), Item);
  if (It != List.rend())
    List.erase(std::next(It).base());
}

} // namespace vcl
