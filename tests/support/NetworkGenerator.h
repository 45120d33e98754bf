// Random timetable networks for property tests of the route searches: lines
// of stations joined by JR distance edges, trains in both directions with
// timed and frequent patterns on chosen hours and days, express trains that
// pass stations, through trains that run on from one line onto another,
// walking connections and change minutes. Every file the searches read is
// written through the engine's format modules, so a generated directory
// loads like compiled data.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "Types.h"
#include "data/Diagram2File.h"

namespace kiv::test {

struct NetworkShape {
  unsigned seed = 1;
  int stations = 14;
  int lines = 4;
  int stopsPerLine = 6;  // at most; lines have 3 up to this many stations
  int walks = 2;         // walking connections between two stations
  int transfers = 6;     // change-minute records
  int side = 80;         // stations lie in a square of this side (100 m units)
};

// What a generated network holds, for checking search results against.
struct GeneratedNetwork {
  int stationCount = 0;
  int trainCount = 0;
  std::vector<DiaDepartureRecord> departures;  // in file order
  std::vector<bool> walking;                   // per train number (index 0 unused)
};

// Writes StaName, StaAttr, StaIdx, StaFare, the distance and fare tables,
// Train, Transfer and the three timetable files of a network of the given
// shape into dir. The same shape always gives the same files.
GeneratedNetwork writeRandomNetwork(const std::filesystem::path& dir, const NetworkShape& shape);

}  // namespace kiv::test
