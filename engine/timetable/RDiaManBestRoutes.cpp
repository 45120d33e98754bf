// The best-routes mode of the multi-route search: the journeys of the
// best-routes search, written to the route list files in the order of the
// list.
#include <algorithm>
#include <utility>
#include <vector>

#include "journey/BestRoutes.h"
#include "report/WorkFiles.h"
#include "timetable/RDiaMan.h"
#include "timetable/RouteFiles.h"
#include "timetable/RouteListView.h"

namespace kiv {

RouteSearchResult RDiaMan::findBestRoutes(const RouteQuery& routes) {
  BestRoutesQuery query;
  query.from = routes.from;
  query.to = routes.to;
  query.day = routes.day;
  query.earliestDeparture = std::max(routes.hour * 60 + routes.minute, 0);
  query.extraMinutes = routes.extraMinutes;
  query.maxChanges = routes.maxChanges;
  query.maxRoutes = routes.maxRoutes;
  if (routeProgress_) query.keepGoing = [this](int found) { return routeProgress_(found, 0); };
  BestRoutesState state;
  BestRoutesResult best = searchBestRoutes(network(), state, query);
  RouteSearchResult result;
  result.cut = best.cut;
  result.end = best.stopped ? RouteListEnd::stopped
               : best.cut   ? RouteListEnd::routeLimit
                            : RouteListEnd::complete;
  result.journeys = std::move(best.journeys);
  if (result.journeys.empty()) return result;
  result.found =
      writeJourneys(routes.from, routes.to, askedTime(routes.hour, routes.minute), result.journeys);
  result.workFileProblem = workFileProblem_;
  return result;
}

int RDiaMan::writeJourneys(StationNo from, StationNo to, const work_files::ClockTime& asked,
                           const std::vector<Journey>& journeys) {
  workFileProblem_ = writeRouteList(dataDir_, staName_, from, to, asked, routesOf(journeys));
  return workFileProblem_.empty() ? static_cast<int>(journeys.size()) : -1;
}

}  // namespace kiv
