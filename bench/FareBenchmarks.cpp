#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "BenchOperations.h"

namespace kiv::bench {

namespace {

// The developer tools print progress lines on the standard output; a
// benchmark run keeps them there, out of its own result file.
void stationFare(BenchData& d, bool reference) {
  Engine& e = *d.engine;
  const int fare = reference ? e.fare.stationFareReference(0, d.origin, d.farStation, 1)
                             : e.fare.stationFare(0, d.origin, d.farStation, 1);
  benchmark::DoNotOptimize(fare);
}

void fareTable(BenchData& d, bool reference) {
  Engine& e = *d.engine;
  benchmark::DoNotOptimize(reference ? e.fare.buildFareTableReference(d.origin)
                                     : e.fare.buildFareTable(d.origin));
}

void tokyoZoneList(BenchData& d, bool reference) {
  Engine& e = *d.engine;
  benchmark::DoNotOptimize(reference ? e.fare.buildTokyoZoneListReference() : e.fare.buildTokyoZoneList());
}

void jrCheapestTable(BenchData& d, bool reference) {
  Engine& e = *d.engine;
  benchmark::DoNotOptimize(reference ? e.dist.buildJrCheapestTableReference()
                                     : e.dist.buildJrCheapestTable());
}

// Loading every file; the fast way also builds the search tables, which the
// plain way never needs.
void startUp(BenchData& d, bool reference) {
  Engine e(d.dir);
  if (!reference) benchmark::DoNotOptimize(e.dist.positionInNetwork(0, d.origin));
}

}  // namespace

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
