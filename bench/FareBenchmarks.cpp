#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "BenchOperations.h"
#include "DistanceReference.h"
#include "FareReference.h"

namespace kiv::bench {

namespace {

reference::FareSources plainSources(BenchData& d) {
  Engine& e = *d.engine;
  return {e.staName, e.sta, e.staFare, e.kiv, e.dist, e.fare, d.dir};
}

// A JR journey to the far station, from each JR station in turn.
void stationFare(BenchData& d, bool reference) {
  Engine& e = *d.engine;
  const StationNo from = d.jrStations[d.nextJrStation++ % d.jrStations.size()];
  const int fare = reference ? reference::FareMan(plainSources(d)).stationFare(0, from, d.farStation, 1)
                             : e.fare.stationFare(0, from, d.farStation, 1);
  benchmark::DoNotOptimize(fare);
}

void fareTable(BenchData& d, bool reference) {
  Engine& e = *d.engine;
  benchmark::DoNotOptimize(reference ? reference::FareMan(plainSources(d)).buildFareTable(d.origin)
                                     : e.fare.buildFareTable(d.origin));
}

void tokyoZoneList(BenchData& d, bool reference) {
  Engine& e = *d.engine;
  benchmark::DoNotOptimize(reference ? reference::FareMan(plainSources(d)).buildTokyoZoneList()
                                     : e.fare.buildTokyoZoneList());
}

void jrCheapestTable(BenchData& d, bool reference) {
  Engine& e = *d.engine;
  benchmark::DoNotOptimize(reference ? reference::DistMan(plainSources(d)).buildJrCheapestTable()
                                     : e.dist.buildJrCheapestTable());
}

// Loading every file; the fast way also builds the search tables, which the
// plain way never needs.
void startUp(BenchData& d, bool reference) {
  Engine e(d.dir);
  if (!reference) benchmark::DoNotOptimize(e.dist.networkPositions(0).size());
}

}  // namespace

// The developer tools print progress lines on the standard output; run.sh
// keeps them off its table.
std::vector<Operation> fareOperations() {
  return {
      {"startup", startUp, false},
      {"station_fare", stationFare, false},
      {"fare_table", fareTable, false},
      {"tokyo_zone_list", tokyoZoneList, true},
      {"jr_cheapest_table", jrCheapestTable, true},
  };
}

}  // namespace kiv::bench
