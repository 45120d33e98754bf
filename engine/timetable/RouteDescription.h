// The records of one route of the route list files, drawn from its stops:
// change stations, train segments, fare sections and the summary.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <tuple>

#include "Types.h"
#include "fare/FareSearchState.h"
#include "timetable/FoundRoute.h"

namespace kiv {

class RStaName;
class RTrainMan;
class RFareMan;
class RKivMan;

// One station of a route: the train it is left by (any value at the
// destination), the change minutes and waiting minutes spent there, and the
// times the passenger arrives and leaves.
struct RouteStopTimes {
  StationNo station = 0;
  TrainNo train = -1;
  std::int16_t walkMinutes = 0;
  std::int16_t waitMinutes = 0;
  TimeOfDay arrival;
  TimeOfDay departure;
};

// Fares of the sections priced so far, by network code, last and first
// station (routes of one search share their sections), and the working
// state they are priced on, kept for the whole search.
struct SectionFares {
  std::map<std::tuple<NetworkCode, StationNo, StationNo>, int> bySection;
  FareSearchState pricing;
};

// What describing a route reads: names, trains and fares.
struct RouteDescriber {
  const RStaName& names;
  const RTrainMan& trains;
  const RFareMan& fare;
  const RKivMan& kiv;
  SectionFares& fares;
};

// The records of the route through `stops` (start first), numbered 0; a
// train segment is a run of hops by one train, a fare section a run of hops
// whose trains have one network code, priced as one journey.
FoundRoute describeRoute(const RouteDescriber& describer, std::span<const RouteStopTimes> stops);

}  // namespace kiv
