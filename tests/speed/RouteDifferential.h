// Checks that the fast route searches give exactly what the reference ones
// give: the same return values and the same work files byte for byte, for
// the fastest route and for the multi-route search in both modes.
#pragma once

#include <filesystem>
#include <vector>

#include "Engine.h"
#include "timetable/RouteSearchRules.h"

namespace kiv::test {

struct RouteQuery {
  StationNo from = 0;
  StationNo to = 0;
  int hour = 0;
  int minute = 0;
  int day = 0;
};

struct RouteLimitsCase {
  int detourKm = 10;
  int extraMinutes = 15;
  int routeMax = 20;
  int transMax = 4;
};

// Runs every query with both implementations under `rules`, in both route
// modes and for each of `limits`, and expects identical results. The work
// files are written into dir, the engine's data directory.
void expectSameRouteSearches(Engine& engine, const std::filesystem::path& dir,
                             const std::vector<RouteQuery>& queries, const RouteSearchRules& rules,
                             const std::vector<RouteLimitsCase>& limits);

// `count` queries between random stations of 1..stations at random times
// and days, reproducibly from `seed`.
std::vector<RouteQuery> randomRouteQueries(int stations, int count, unsigned seed);

}  // namespace kiv::test
