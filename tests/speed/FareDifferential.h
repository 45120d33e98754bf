// Checks that the fast distance searches and fare tables give exactly what
// the plain ones give: the same search results element for element and the
// same work files byte for byte.
#pragma once

#include <filesystem>
#include <vector>

#include "ReferenceSources.h"
#include "Types.h"

namespace kiv {
class RStaName;
class RStaFare;
class RKivMan;
class RStaMan;
class RDistMan;
class RFareMan;
}  // namespace kiv

namespace kiv::test {

// The distance and fare objects of one loaded data directory.
struct FareSide {
  const RKivMan& kiv;
  const RStaName& names;
  const RStaFare& staFare;
  const RStaMan& sta;
  RDistMan& dist;
  RFareMan& fare;
  std::filesystem::path dir;  // where the work files are written
};

// The same objects as the plain searches read them.
reference::FareSources sourcesOf(const FareSide& side);

// Every origin whose number is a multiple of `step` (1: all of them).
void expectSameJrSearches(const FareSide& side, int step);
void expectSamePrivateSearches(const FareSide& side, NetworkCode network, int step);
void expectSameAllNetworkSearches(const FareSide& side, int step);
// Station-to-station fares of the stations of one network, both modes.
void expectSameStationFares(const FareSide& side, NetworkCode network, int step);
// "$FareTbl.kv4" of each origin.
void expectSameFareTables(const FareSide& side, const std::vector<StationNo>& origins);
void expectSameTokyoZoneList(const FareSide& side);
// "jrregu.dat" and "$jrregu.csv"; the progress lines are kept off the test output.
void expectSameJrCheapestTable(const FareSide& side);

}  // namespace kiv::test
