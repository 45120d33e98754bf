// One route of the multi-route search as the route list files hold it.
#pragma once

#include <cstdint>
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

}  // namespace kiv
