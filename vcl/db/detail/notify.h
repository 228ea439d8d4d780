// Telling each member of a list of listeners (a data set's data sources, a
// data source's links) of an event while the listeners may leave the list,
// or others join it, as they hear of it. Every move of a data set sends
// such events, so the snapshot taken of the list lives on the stack for the
// usual few listeners: walking a data set allocates nothing for them.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace vcl::dbnotify {

// Calls Tell for each member of List as it was at the start that is still
// in List when its turn comes; members that join meanwhile are not told.
template <typename T, typename F> void TellEach(const std::vector<T*>& List, F Tell) {
  constexpr std::size_t Few = 8;
  const std::size_t Count = List.size();
  std::array<T*, Few> Small;
  std::vector<T*> Large;
  T* const* Snapshot = Small.data();
  if (Count <= Few) {
    std::copy(List.begin(), List.end(), Small.begin());
  } else {
    Large = List;
    Snapshot = Large.data();
  }
  for (std::size_t I = 0; I < Count; ++I)
    if (std::find(List.begin(), List.end(), Snapshot[I]) != List.end())
      Tell(Snapshot[I]);
}

} // namespace vcl::dbnotify
