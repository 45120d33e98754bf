// The classic multi-route search on the timetable's indexes: the bound of
// the minutes to the goal that the fastest search drew, and the distances
// of the detour ellipse searched only as far as the detour reaches.
#include "timetable/ClassicRouteSearch.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "distance/RDistMan.h"
#include "timetable/ClassicRouteSearchBody.h"
#include "timetable/FastestSearch.h"

namespace kiv {

namespace {

int clampedToInt(long long value) {
  return static_cast<int>(
      std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

template class BasicClassicRouteSearch<IndexedLookups>;

RouteSearchResult searchClassicRoutes(const TimetableNetwork& net, TimetableSearchState& state,
                                      const RouteQuery& query, int fastest, const RouteProgress& progress) {
  return BasicClassicRouteSearch<IndexedLookups>(net, state, progress).run(query, fastest);
}

std::vector<int> IndexedLookups::goalBound(const TimetableNetwork& net, const TimetableSearchState& state,
                                           StationNo goal, const std::vector<std::uint8_t>& use) {
  // The fastest time was just sought for the same goal: its bound serves.
  const std::vector<int>* known = knownGoalBound(state, goal, use);
  return known ? *known : minutesToGoalBound(net, goal);
}

void IndexedLookups::detourDistances(const TimetableNetwork& net, StationNo from, StationNo to, int n,
                                     int detourKm, Distance* distFrom, Distance* distTo) {
  // Only a station within the bound of both ends can be inside: the search
  // from the start runs until it knows the shortest distance and then on to
  // the bound, the one from the destination to the bound.
  // The two searches share one working state.
  const long long detour = detourKm * 10LL;
  DistanceSearchState state;
  net.dist.allDistancesWithin(state, from, n, clampedToInt(detour), distFrom, to);
  net.dist.allDistancesWithin(state, to, n, clampedToInt(distFrom[static_cast<std::size_t>(to)] + detour),
                              distTo);
}

}  // namespace kiv
