// The indexes the fast route searches work on, built from the timetable once
// (on the first search): the spans of every station and link as plain
// arrays, the departures into each station, and the facts of each train that
// never change while the program runs.
#pragma once

#include <cstdint>
#include <vector>

#include "Types.h"

namespace kiv {

struct TimetableIndex {
  // 0-based record indices [first, first + count) of a span.
  struct Span {
    std::int32_t first = 0;
    std::int32_t count = 0;
  };
  // By station number 0..N (station 0 and stations without records: empty).
  std::vector<Span> stationDepartures;
  std::vector<Span> stationLinks;
  // By link record: the departures of RDiaMan::getLinkDepartures for the
  // link's two stations (the first link of the station's span between them).
  std::vector<Span> linkDepartures;
  // The hops into each station as the multi-route search makes them: a
  // station a and a link record of a's link span leading to x. Those into x
  // are hopsInto[intoStart[x] .. intoStart[x + 1]).
  struct Hop {
    StationNo from = 0;
    std::int32_t link = 0;
  };
  std::vector<std::int32_t> intoStart;
  std::vector<Hop> hopsInto;
  // The departures into each station as the time-priority searches take
  // them: a station a and a record of a's departure span whose next stop is
  // x. Those into x are departuresInto[departuresIntoStart[x] ..
  // departuresIntoStart[x + 1]).
  struct Departure {
    StationNo from = 0;
    std::int32_t record = 0;
  };
  std::vector<std::int32_t> departuresIntoStart;
  std::vector<Departure> departuresInto;
  // The least riding minutes of the departures into each station from each
  // station before it, over all records (as if every train were switched
  // on): those into x are leastRidesInto[leastRidesIntoStart[x] ..
  // leastRidesIntoStart[x + 1]), for the goal bound of the multi-route
  // search.
  struct LeastRide {
    StationNo from = 0;
    std::int32_t minutes = 0;
  };
  std::vector<std::int32_t> leastRidesIntoStart;
  std::vector<LeastRide> leastRidesInto;
  // The records of departuresInto with negative riding minutes.
  std::vector<std::int32_t> negativeRides;
  // By train number 0..T: 1 for a walking connection.
  std::vector<std::uint8_t> walking;
  // True when every departure record keeps to the clock (minute 0..59, no
  // negative interval or riding minutes), so that the minutes a route costs
  // are the minutes between its start and its arrival.
  bool clockwise = true;
};

}  // namespace kiv
