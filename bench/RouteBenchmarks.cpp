#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "BenchOperations.h"
#include "RouteListReference.h"
#include "journey/BestRoutes.h"
#include "text/Codec.h"

namespace kiv::bench {

namespace {

// The journey timed: 東京 → 高崎 on the sample, the data set's own journey
// on a generated network; Monday 9:00.
struct Journey {
  StationNo from;
  StationNo to;
};

Journey journeyOf(BenchData& d) {
  const StationNo takasaki = d.engine->staName.findByName(utf8ToSjis("高崎").value_or(""));
  if (d.name == "sample" && takasaki > 0) return {d.origin, takasaki};
  return {d.origin, d.farStation};
}

// The search state of the searches on a data set, kept from one run to the
// next (the best-routes search keeps its own the same way).
TimetableSearchState& keptState(BenchData& d) {
  static std::map<const BenchData*, std::unique_ptr<TimetableSearchState>> states;
  auto& state = states[&d];
  if (!state) state = std::make_unique<TimetableSearchState>(d.engine->dia.searchStationCount());
  return *state;
}

void fastestRoute(BenchData& d, bool reference) {
  const Journey j = journeyOf(d);
  if (reference) {
    FastestResult route;
    // A state of its own for each run, as the engine's command runs in.
    TimetableSearchState state(d.engine->dia.searchStationCount());
    const FastestQuery query{j.from, j.to, 9, 0, 1, d.engine->def.getOutputMode() == 1};
    benchmark::DoNotOptimize(reference::fastestRoute(d.engine->dia, state, query, route));
    return;
  }
  benchmark::DoNotOptimize(d.engine->dia.fastestRoute(j.from, j.to, 9, 0, 1));
}

// The whole route command's search: findRoutes and the two sorted lists.
void routeSearch(BenchData& d, bool reference, int mode, int routes, int detourKm, int extraMinutes) {
  const Journey j = journeyOf(d);
  RDefMan& def = d.engine->def;
  def.setRouteMode(static_cast<std::int8_t>(mode));
  def.setRouteMax(static_cast<std::int16_t>(routes));
  def.setTransMax(4);
  if (reference) {
    const RDiaMan::RouteLimits l = d.engine->dia.routeLimitsFromSettings();
    TimetableSearchState state(d.engine->dia.searchStationCount());
    benchmark::DoNotOptimize(
        reference::searchRoutes(d.engine->dia, state,
                                {j.from, j.to, 9, 0, 1, detourKm, extraMinutes, l.transMax, l.routeMax,
                                 l.modeRoute, l.classicStepBudget})
            .found);
    return;
  }
  benchmark::DoNotOptimize(d.engine->dia.searchRoutes(j.from, j.to, 9, 0, 1, detourKm, extraMinutes));
}

// Everyday journeys of the sample for the best-routes search: commutes,
// airports, day trips; on a generated network its own journey alone.
std::vector<Journey> querySet(BenchData& d) {
  static const char* const kPairs[][2] = {
      {"東京", "高崎"},   {"所沢", "新宿"},     {"八王子", "新宿"},   {"川崎", "立川"}, {"練馬", "豊洲"},
      {"新宿", "本厚木"}, {"渋谷", "成田空港"}, {"北千住", "中目黒"}, {"横浜", "大宮"}, {"町田", "東京"}};
  std::vector<Journey> set;
  if (d.name == "sample") {
    for (const auto& pair : kPairs) {
      const StationNo from = d.engine->staName.findByName(utf8ToSjis(pair[0]).value_or(""));
      const StationNo to = d.engine->staName.findByName(utf8ToSjis(pair[1]).value_or(""));
      if (from > 0 && to > 0) set.push_back({from, to});
    }
  }
  if (set.empty()) set.push_back(journeyOf(d));
  return set;
}

// The searches alone, without the route files: the fastest route of each
// journey of the set (as the reference the best routes are measured
// against), or its best routes within the limits.
void bestRoutesSet(BenchData& d, bool fastest, int routes, int changes, int extraMinutes) {
  static BestRoutesState state;
  for (const Journey& j : querySet(d)) {
    if (fastest) {
      benchmark::DoNotOptimize(
          fastestMinutes(d.engine->dia.network(), keptState(d), FastestQuery{j.from, j.to, 8, 0, 1}));
      continue;
    }
    BestRoutesQuery query;
    query.from = j.from;
    query.to = j.to;
    query.day = 1;
    query.earliestDeparture = 8 * 60;
    query.extraMinutes = extraMinutes;
    query.maxChanges = changes;
    query.maxRoutes = routes;
    benchmark::DoNotOptimize(searchBestRoutes(d.engine->dia.network(), state, query).journeys.size());
  }
}

}  // namespace

std::vector<Operation> routeOperations() {
  return {
      {"fastest_route", fastestRoute, false},
      {"routes_default", [](BenchData& d, bool reference) { routeSearch(d, reference, 1, 20, 10, 15); },
       false},
      {"routes_default_best", [](BenchData& d, bool reference) { routeSearch(d, reference, 2, 20, 10, 15); },
       false},
      {"routes_largest", [](BenchData& d, bool reference) { routeSearch(d, reference, 1, 300, 20, 60); },
       true},
      {"routes_largest_best", [](BenchData& d, bool reference) { routeSearch(d, reference, 2, 300, 20, 60); },
       true},
      // The best routes of ten journeys against their fastest routes: the
      // "reference" column is the fastest search, so the ratio is the
      // fastest time over the best-routes time.
      {"best_set_default", [](BenchData& d, bool fastest) { bestRoutesSet(d, fastest, 20, 4, 15); }, false},
      {"best_set_largest", [](BenchData& d, bool fastest) { bestRoutesSet(d, fastest, 300, 20, 60); }, false},
  };
}

}  // namespace kiv::bench
