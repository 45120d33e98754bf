// The required-time table, the station timetable and the engine start-up on
// the generated timetable network of 3,000 stations ("tt3000") and on the
// sample network, the plain way and the fast way.
#include <benchmark/benchmark.h>

#include <map>

#include "BenchOperations.h"
#include "RequiredTimeTableReference.h"
#include "StationTimetableReference.h"

namespace kiv::bench {

namespace {

// The stations with departures, in number order.
std::vector<StationNo> servedStations(const Engine& e) {
  std::vector<StationNo> out;
  for (int s = 1; s <= e.staName.getCount(); ++s)
    if (!e.dia.departuresOf(static_cast<StationNo>(s)).empty()) out.push_back(static_cast<StationNo>(s));
  return out;
}

// Each run takes the next served station of its data set, so that one run
// is an average over the network and not the cost of one station.
struct StationCycle {
  std::vector<StationNo> stations;
  std::size_t next = 0;
};
std::map<const BenchData*, StationCycle> cycles;

StationNo nextStation(const BenchData& d) {
  StationCycle& c = cycles[&d];
  if (c.stations.empty()) c.stations = servedStations(*d.engine);
  if (c.stations.empty()) return 1;
  return c.stations[c.next++ % c.stations.size()];
}

void requiredTimeTable(BenchData& d, bool reference) {
  Engine& e = *d.engine;
  const StationNo s = nextStation(d);
  benchmark::DoNotOptimize(reference ? reference::buildRequiredTimeTable(e, s)
                                     : e.dia.buildRequiredTimeTable(s));
}

// Weekday mornings at 8, grouped by train every other run.
void stationTimetable(BenchData& d, bool reference) {
  Engine& e = *d.engine;
  const StationNo s = nextStation(d);
  const bool grouping = (s & 1) != 0;
  benchmark::DoNotOptimize(reference ? reference::buildStationTimetable(e.dia, s, 1, 8, grouping)
                                     : e.dia.buildStationTimetable(s, 1, 8, grouping));
}

// Loading every file; the fast way also builds the indexes the fast
// searches build on first use.
void startUp(BenchData& d, bool reference) {
  Engine e(d.dir);
  if (reference) return;
  benchmark::DoNotOptimize(e.dist.networkPositions(0).size());
  benchmark::DoNotOptimize(&e.dia.trainLinkIndex());
}

}  // namespace

std::vector<Operation> timetableTableOperations() {
  return {
      {"required_time_table", requiredTimeTable, false},
      {"station_timetable", stationTimetable, false},
  };
}

std::vector<Operation> timetableStartUpOperations() { return {{"startup", startUp, false}}; }

}  // namespace kiv::bench
