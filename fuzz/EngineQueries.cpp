#include "EngineQueries.h"

#include "Engine.h"

namespace kiv::fuzz {

// Stations 1 and 2 (neighbours in most data sets, so the searches stay
// short) and the last station; the searches run on every table the engine
// read, so corrupt spans and counts show as hangs or sanitizer reports.
void runEngineQueries(Engine& engine) {
  const int count = engine.staName.getCount();
  if (count < 2) return;
  const StationNo from = 1;
  const StationNo to = 2;
  engine.fare.stationFare(0, from, to, 1);
  engine.fare.stationFare(0, from, static_cast<StationNo>(count), 0);
  engine.fare.buildFareTable(from);
  engine.dia.fastestRoute(from, to, 9, 0, 1);
  engine.def.setRouteMax(3);
  engine.def.setTransMax(2);
  engine.dia.searchRoutes(from, to, 9, 0, 1, 3, 5);
  engine.dia.buildRequiredTimeTable(from);
  engine.dia.buildStationTimetable(from, 1, 9, true);
}

}  // namespace kiv::fuzz
