#include <benchmark/benchmark.h>

#include "BenchOperations.h"
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

void useImplementation(BenchData& d, bool reference) {
  d.engine->dia.setSearchImplementation(reference ? RDiaMan::SearchImplementation::reference
                                                  : RDiaMan::SearchImplementation::fast);
}

void fastestRoute(BenchData& d, bool reference) {
  useImplementation(d, reference);
  const Journey j = journeyOf(d);
  benchmark::DoNotOptimize(d.engine->dia.fastestRoute(j.from, j.to, 9, 0, 1));
}

// The whole route command's search: findRoutes and the two sorted lists.
void routeSearch(BenchData& d, bool reference, int mode, int routes, int detourKm, int extraMinutes) {
  useImplementation(d, reference);
  const Journey j = journeyOf(d);
  RDefMan& def = d.engine->def;
  def.setRouteMode(static_cast<std::int8_t>(mode));
  def.setRouteMax(static_cast<std::int16_t>(routes));
  def.setTransMax(4);
  benchmark::DoNotOptimize(d.engine->dia.searchRoutes(j.from, j.to, 9, 0, 1, detourKm, extraMinutes));
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
  };
}

}  // namespace kiv::bench
