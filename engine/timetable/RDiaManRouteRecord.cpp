// Recording one route of the multi-route search in the route list files:
// described from the path and the search table, and written under its route
// number.
#include <string>
#include <variant>
#include <vector>

#include "timetable/RDiaMan.h"
#include "timetable/RouteDescription.h"
#include "timetable/RouteSearchState.h"

namespace kiv {

void RDiaMan::writeFoundRoute(FoundRoute& route, int number) {
  using namespace work_files;
  RouteSummary& summary = route.summary;
  summary.position = number;
  summary.detection = number;
  if (fast()) {
    // Hundreds of routes per search: their records are appended to the
    // bytes of the files without printf.
    struct AppendNumbered {
      std::string& line;
      int number;
      void operator()(RouteStop& r) const { appendRouteStop(line, (r.detection = number, r)); }
      void operator()(RouteRide& r) const { appendRouteRide(line, (r.detection = number, r)); }
      void operator()(RouteFareSection& r) const { appendRouteFareSection(line, (r.detection = number, r)); }
    };
    for (auto& record : route.details) {
      std::visit(AppendNumbered{rs_->detailText, number}, record);
      rs_->detailText += "\r\n";
    }
    appendRouteSummary(rs_->listText, summary, RouteListLayout::kDetectionOrder);
    rs_->listText += "\r\n";
    return;
  }
  struct NumberedRecord {
    int number;
    std::string operator()(RouteStop r) const {
      r.detection = number;
      return formatRouteStop(r);
    }
    std::string operator()(RouteRide r) const {
      r.detection = number;
      return formatRouteRide(r);
    }
    std::string operator()(RouteFareSection r) const {
      r.detection = number;
      return formatRouteFareSection(r);
    }
  };
  for (const auto& record : route.details) rs_->detailFile->line(std::visit(NumberedRecord{number}, record));
  rs_->listFile->line(formatRouteSummary(summary, RouteListLayout::kDetectionOrder));
}

FoundRoute RDiaMan::describeRoute() {
  std::vector<RouteStopTimes> stops;
  stops.reserve(static_cast<std::size_t>(rs_->depth));
  for (int k = 1; k <= rs_->depth; ++k) {
    const StationNo s = rs_->station[static_cast<std::size_t>(k)];
    const SearchNode& node = searchTable_[static_cast<std::size_t>(s)];
    stops.push_back(
        {s, rs_->train[static_cast<std::size_t>(k)], node.walkMinutes, node.waitMinutes, node.arrival, node.departure});
  }
  return kiv::describeRoute(RouteDescriber{staName_, trains_, fare_, kiv_, rs_->fares}, stops);
}

}  // namespace kiv
