// The departures of every station grouped by next stop and train, for the
// search that only looks for the earliest arrival: a passenger standing at a
// station on one train has the same choices for every record of a group
// (the same change minutes), and only the earliest of them matters. Built
// once from the timetable; the records are copied so that a group's records
// lie side by side.
#pragma once

#include <cstdint>
#include <vector>

#include "Types.h"
#include "data/Diagram2File.h"

namespace kiv {

class Timetable;

struct TrainHopIndex {
  // The records of one station towards one next stop by one train.
  struct Hop {
    StationNo next = 0;
    TrainNo train = 0;
    std::int32_t first = 0;  // records[first, first + count)
    std::int32_t count = 0;
    std::int32_t state = 0;      // the (next, train) arrival of the hop
    std::int32_t leastRide = 0;  // the least riding minutes, negative ones as 0
  };
  // By station number 0..N: hops[hopStart[s], hopStart[s + 1]).
  std::vector<std::int32_t> hopStart;
  std::vector<Hop> hops;
  std::vector<DiaDepartureRecord> records;
  // By record: its place in its station's departure span (from 0).
  std::vector<std::int32_t> spanPosition;
  // By state: the station and the train it arrives on.
  std::vector<StationNo> stateStation;
  std::vector<TrainNo> stateTrain;

  // The groups of the departure spans of the timetable's stations 1..N, in the order
  // of their first record; records towards a station outside 1..N are left
  // out.
  static TrainHopIndex build(const Timetable& timetable);
};

}  // namespace kiv
