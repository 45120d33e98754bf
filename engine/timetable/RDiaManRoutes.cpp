// The multi-route search for the windows and the command line: the limits
// from the settings, the fastest minutes, and the classic or the best-routes
// search by the route mode.
#include <utility>
#include <vector>

#include "settings/RDefMan.h"
#include "timetable/RDiaMan.h"

namespace kiv {

void RDiaMan::setProgressCallback(RouteProgress callback) { routeProgress_ = std::move(callback); }

int RDiaMan::searchRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                          int extraMinutes) {
  const RouteLimits limits = routeLimitsFromSettings();
  return searchRoutes(RouteQuery{from, to, hour, minute, day, detourKm, extraMinutes, limits.transMax,
                                 limits.routeMax, limits.modeRoute, limits.classicStepBudget});
}

RDiaMan::RouteLimits RDiaMan::routeLimitsFromSettings() const {
  return {def_.getTransMax(), def_.getRouteMax(), def_.getRouteMode()};
}

int RDiaMan::findRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                        int extraMinutes) {
  return findRoutes(from, to, hour, minute, day, detourKm, extraMinutes, routeLimitsFromSettings());
}

int RDiaMan::findRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                        int extraMinutes, const RouteLimits& limits) {
  return findRoutes(RouteQuery{from, to, hour, minute, day, detourKm, extraMinutes, limits.transMax,
                               limits.routeMax, limits.modeRoute, limits.classicStepBudget});
}

int RDiaMan::findRoutes(const RouteQuery& query) {
  workFileProblem_.clear();
  routeListEnd_ = RouteListEnd::complete;
  const TimetableNetwork net = network();
  const int fastest =
      fastestMinutes(net, state_, FastestQuery{query.from, query.to, query.hour, query.minute, query.day});
  if (fastest == -1) return -1;
  if (query.mode == kBestRoutesMode) {
    const RouteLimits limits{query.maxChanges, query.maxRoutes, query.mode, query.classicStepBudget};
    return findBestRoutes(query.from, query.to, query.hour, query.minute, query.day, query.extraMinutes,
                          limits);
  }
  RouteSearchResult result = searchClassicRoutes(net, state_, query, fastest, routeProgress_);
  writeClassicRoutes(dataDir_, staName_, query, result);
  routeListCut_ = result.cut;
  routeListEnd_ = result.end;
  workFileProblem_ = result.workFileProblem;
  return result.found;
}

int RDiaMan::searchRoutes(const RouteQuery& query) {
  const int found = findRoutes(query);
  // Sorted lists that could not be written are no result either (and never
  // "no route"): sortRouteLists names the file.
  if (sortRouteLists(found) < 0 && found > 0) return -1;
  return found;
}

std::vector<int> RDiaMan::minutesToGoalBound(StationNo goal) const {
  return kiv::minutesToGoalBound(network(), goal);
}

}  // namespace kiv
