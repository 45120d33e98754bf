// The working state of RFareMan's pricing, owned by the caller and handed
// to it by reference: the shortest-distance search it prices from, and the
// distance fares it may remember. A caller pricing many journeys keeps one
// state; the forms of the pricing calls without one make their own.
#pragma once

#include <vector>

#include "Types.h"
#include "distance/DistanceSearchState.h"

namespace kiv {

struct FareSearchState {
  // Set by a caller pricing many journeys from a few origins: the distance
  // fares of the last two origins (network, origin, network size) are then
  // kept, so that each origin is searched once. Unset, one journey searches
  // only as far as its destination.
  bool rememberFares = false;

  struct RememberedFares {
    bool valid = false;
    NetworkCode network = 0;
    StationNo origin = 0;
    int n = 0;
    std::vector<int> fares;
  };
  RememberedFares remembered[2];
  int lastRemembered = 0;  // the one used last

  // The distance fares of one origin when they are not remembered, and the
  // routes of the search they are priced from, by position.
  std::vector<int> fares;
  std::vector<JrDistanceBreakdown> jrRoutes;
  std::vector<PrDistanceBreakdown> prRoutes;
  DistanceSearchState distances;
};

}  // namespace kiv
