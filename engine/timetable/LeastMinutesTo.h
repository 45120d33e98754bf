// The least minutes from every station to a goal over given hops: the
// search behind the lower bounds of the minutes to a goal.
#pragma once

#include <cstddef>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

#include "Types.h"

namespace kiv {

// The least riding minutes of a station from which the goal cannot be reached.
inline constexpr int kOutOfReach = 1 << 20;

// The least minutes from every station to the goal over the hops that
// forEachInto(x, hop) names into each station x (hop(from, minutes)); size
// is the number of entries (stations + 1).
template <typename ForEachInto>
std::vector<int> leastMinutesTo(StationNo goal, std::size_t size, ForEachInto forEachInto) {
  std::vector<int> bound(size, kOutOfReach);
  using Entry = std::pair<int, StationNo>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
  bound[static_cast<std::size_t>(goal)] = 0;
  queue.emplace(0, goal);
  while (!queue.empty()) {
    const auto [minutes, x] = queue.top();
    queue.pop();
    if (minutes > bound[static_cast<std::size_t>(x)]) continue;
    forEachInto(x, [&, minutes = minutes](StationNo from, int ride) {
      if (minutes + ride < bound[static_cast<std::size_t>(from)]) {
        bound[static_cast<std::size_t>(from)] = minutes + ride;
        queue.emplace(minutes + ride, from);
      }
    });
  }
  return bound;
}

}  // namespace kiv
