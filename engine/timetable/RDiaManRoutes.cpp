// The multi-route search for the windows and the command line: the limits
// from the settings, the fastest minutes, and the classic or the best-routes
// search by the route mode, each in a search state of its own.
#include <utility>
#include <vector>

#include "settings/RDefMan.h"
#include "timetable/RDiaMan.h"

namespace kiv {

void RDiaMan::setProgressCallback(RouteProgress callback) { routeProgress_ = std::move(callback); }

RDiaMan::RouteLimits RDiaMan::routeLimitsFromSettings() const {
  return {def_.getTransMax(), def_.getRouteMax(), def_.getRouteMode()};
}

RouteQuery RDiaMan::routeQuery(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                               int extraMinutes) const {
  const RouteLimits limits = routeLimitsFromSettings();
  return RouteQuery{from,
                    to,
                    hour,
                    minute,
                    day,
                    detourKm,
                    extraMinutes,
                    limits.transMax,
                    limits.routeMax,
                    limits.modeRoute,
                    limits.classicStepBudget};
}

int RDiaMan::searchRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                          int extraMinutes) {
  return searchRoutes(routeQuery(from, to, hour, minute, day, detourKm, extraMinutes));
}

int RDiaMan::findRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                        int extraMinutes) {
  return findRoutes(routeQuery(from, to, hour, minute, day, detourKm, extraMinutes));
}

int RDiaMan::findRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                        int extraMinutes, const RouteLimits& limits) {
  return findRoutes(RouteQuery{from, to, hour, minute, day, detourKm, extraMinutes, limits.transMax,
                               limits.routeMax, limits.modeRoute, limits.classicStepBudget});
}

int RDiaMan::findRoutes(const RouteQuery& query) { return findRouteList(query).found; }

RouteSearchResult RDiaMan::findRouteList(const RouteQuery& query) {
  workFileProblem_.clear();
  routeListCut_ = false;
  routeListEnd_ = RouteListEnd::complete;
  const TimetableNetwork net = network();
  TimetableSearchState state(stationCount_);
  const int fastest =
      fastestMinutes(net, state, FastestQuery{query.from, query.to, query.hour, query.minute, query.day});
  if (fastest == -1) return {};
  RouteSearchResult result;
  if (query.mode == kBestRoutesMode) {
    result = findBestRoutes(query);
  } else {
    // The classic search goes on from the start station's node as the
    // fastest search left it.
    result = searchClassicRoutes(net, state, query, fastest, routeProgress_);
    writeClassicRoutes(dataDir_, staName_, query, result);
  }
  workFileProblem_ = result.workFileProblem;
  routeListCut_ = result.cut;
  routeListEnd_ = result.end;
  return result;
}

int RDiaMan::searchRoutes(const RouteQuery& query) { return searchRouteList(query).found; }

RouteSearchResult RDiaMan::searchRouteList(const RouteQuery& query) {
  RouteSearchResult result = findRouteList(query);
  // Sorted lists that could not be written are no result either (and never
  // "no route"): sortRouteLists names the file.
  if (sortRouteLists(result.found) < 0 && result.found > 0) {
    result.found = -1;
    result.workFileProblem = workFileProblem_;
  }
  return result;
}

std::vector<int> RDiaMan::minutesToGoalBound(StationNo goal) const {
  return kiv::minutesToGoalBound(network(), goal);
}

}  // namespace kiv
