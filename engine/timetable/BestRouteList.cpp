#include "timetable/BestRouteList.h"

#include <algorithm>
#include <tuple>

namespace kiv {

namespace {

bool comesBefore(const FoundRoute& a, const FoundRoute& b) {
  return std::tie(a.arrivalMinutes, a.changes, a.fare, a.detection) <
         std::tie(b.arrivalMinutes, b.changes, b.fare, b.detection);
}

}  // namespace

void BestRouteList::offer(FoundRoute route) {
  const auto at = std::upper_bound(routes_.begin(), routes_.end(), route, comesBefore);
  if (routes_.size() >= capacity_) {
    // A route that dominates this one arrives no later, so it stands before it.
    const bool dominated = std::any_of(routes_.begin(), at, [&](const FoundRoute& kept) {
      return kept.changes <= route.changes && kept.fare <= route.fare;
    });
    if (dominated) {
      cut_ = true;
      return;
    }
  }
  routes_.insert(at, std::move(route));
  if (routes_.size() > capacity_) {
    routes_.pop_back();
    cut_ = true;
  }
}

}  // namespace kiv
