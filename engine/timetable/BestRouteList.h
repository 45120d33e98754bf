// The routes kept by the best-routes mode of the multi-route search: at most
// `capacity` of them, ordered by arrival, then changes, then fare, then the
// order in which they were found.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "report/WorkFiles.h"

namespace kiv {

// One found route as the route files hold it, without its route number: its
// list record and its detail records in the order they are written.
struct FoundRoute {
  int detection = 0;       // order of finding, from 0
  int arrivalMinutes = 0;  // hour * 60 + minute at the goal (hours not wrapped)
  int changes = 0;
  std::int32_t fare = 0;
  work_files::RouteSummary summary;
  std::vector<std::variant<work_files::RouteStop, work_files::RouteRide, work_files::RouteFareSection>>
      details;
};

class BestRouteList {
 public:
  explicit BestRouteList(int capacity) : capacity_(capacity < 1 ? 1 : static_cast<std::size_t>(capacity)) {}

  // Takes a route in. While the list has room every route is kept. Once it
  // is full, a route that a kept route dominates (arrives no later, with no
  // more changes and no higher fare) is dropped; any other route is placed
  // in order and the last route goes.
  void offer(FoundRoute route);
  // The kept routes, best first.
  const std::vector<FoundRoute>& routes() const { return routes_; }
  // The kept routes handed over, best first; the list is empty after.
  std::vector<FoundRoute> take() { return std::exchange(routes_, {}); }
  // True once a route had to go (or the list was marked so).
  bool cut() const { return cut_; }
  // Marks the list as holding fewer routes than there are.
  void markCut() { cut_ = true; }
  // False when a route arriving at `arrivalMinutes` can no longer change the
  // list: it is full, has already dropped a route, and its last route arrives
  // earlier. The list only gets better, so the answer stays false.
  bool couldTake(int arrivalMinutes) const { return !cut_ || admits(arrivalMinutes); }
  // False when a route arriving at `arrivalMinutes` would go at once: the
  // list is full and its last route arrives earlier (whatever the route's
  // changes and fare).
  // The latest arrival for which couldTake holds; INT_MAX while any may.
  int latestUsefulArrival() const {
    return cut_ && routes_.size() >= capacity_ ? routes_.back().arrivalMinutes
                                               : std::numeric_limits<int>::max();
  }
  bool admits(int arrivalMinutes) const {
    return routes_.size() < capacity_ || arrivalMinutes <= routes_.back().arrivalMinutes;
  }

 private:
  std::size_t capacity_;
  std::vector<FoundRoute> routes_;
  bool cut_ = false;
};

}  // namespace kiv
