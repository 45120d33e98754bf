// The best-routes mode of the multi-route search: the journeys of the
// best-routes search, written to the route list files in the order of the
// list.
#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "journey/BestRoutes.h"
#include "network/RStaName.h"
#include "report/WorkFiles.h"
#include "text/ReportText.h"
#include "timetable/RDiaMan.h"
#include "timetable/RouteFiles.h"

namespace kiv {

int RDiaMan::findBestRoutes(StationNo from, StationNo to, int hour, int minute, int day, int extraMinutes,
                            const RouteLimits& limits) {
  BestRoutesQuery query;
  query.from = from;
  query.to = to;
  query.day = day;
  query.earliestDeparture = std::max(hour * 60 + minute, 0);
  query.extraMinutes = extraMinutes;
  query.maxChanges = limits.transMax;
  query.maxRoutes = limits.routeMax;
  if (routeProgress_) query.keepGoing = [this](int found) { return routeProgress_(found, 0); };
  bestRoutes_ = searchBestRoutes(journeyNetwork(), bestRoutesState_, query);
  routeListCut_ = bestRoutes_.cut;
  routeListEnd_ = bestRoutes_.stopped ? RouteListEnd::stopped
                  : bestRoutes_.cut   ? RouteListEnd::routeLimit
                                      : RouteListEnd::complete;
  if (bestRoutes_.journeys.empty()) return -1;
  // The departure as given, even an hour or minute off the clock.
  const work_files::ClockTime asked{report_text::format("%2d:%02d", hour, minute), hour * 60 + minute};
  return writeJourneys(from, to, asked, bestRoutes_.journeys);
}

JourneyNetwork RDiaMan::journeyNetwork() const {
  return JourneyNetwork{*this, trains_, cnct_, staName_, fare_, kiv_};
}

int RDiaMan::writeJourneys(StationNo from, StationNo to, const work_files::ClockTime& asked,
                           const std::vector<Journey>& journeys) {
  std::vector<FoundRoute> routes;
  routes.reserve(journeys.size());
  for (const Journey& j : journeys) routes.push_back(j.route);
  workFileProblem_ = writeRouteList(dataDir_, staName_, from, to, asked, std::move(routes));
  return workFileProblem_.empty() ? static_cast<int>(journeys.size()) : -1;
}

}  // namespace kiv
