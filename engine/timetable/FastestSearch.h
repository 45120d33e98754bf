// The time-priority (fastest) route search over the timetable: a
// label-setting search in which a hop costs the change minutes at the
// station, the wait for the train's next departure and the riding minutes.
#pragma once

#include <cstdint>
#include <vector>

#include "Types.h"
#include "timetable/TimetableSearch.h"

namespace kiv {

// A fastest-route question.
struct FastestQuery {
  StationNo from = 0;
  StationNo to = 0;
  int hour = 0;  // departure time; hours past 23 are the following day's
  int minute = 0;
  int day = 0;  // day code of the departure (0 Sunday .. 6 Saturday)
  // The report lists the stops passed as well (output mode 1).
  bool detailed = true;

  TimeOfDay start() const { return {static_cast<std::int8_t>(hour), static_cast<std::int8_t>(minute)}; }
};

// The earliest arrival: the travel minutes and the stops of the route, start
// first; minutes -1 and no stops when the destination cannot be reached (or
// a station number is outside 1..N).
struct FastestResult {
  int minutes = -1;
  std::vector<PathStop> path;
  bool found() const { return minutes >= 0; }
};

// The earliest arrival from query.from at query.to leaving at the query's
// time. A departure is used only on the service days of the day (with the
// service-day rule on). With the exact rule every arrival train at a
// station is a label of its own, and among the earliest arrivals the route
// with the fewest changes is taken; without it, one label per station, ties
// settling the higher station number first. The state's search table is
// left with the route's stations filled and the start station's node as the
// multi-route search needs it.
FastestResult searchFastest(const TimetableNetwork& net, TimetableSearchState& state,
                            const FastestQuery& query);

// The minutes of searchFastest alone (the route is not drawn), or -1.
int fastestMinutes(const TimetableNetwork& net, TimetableSearchState& state, const FastestQuery& query);

// The bound of the minutes to `goal` that the last indexed fastest search in
// the state drew with the trains switched on by `use` (trainUseFlags), or
// nullptr.
const std::vector<int>* knownGoalBound(const TimetableSearchState& state, StationNo goal,
                                       const std::vector<std::uint8_t>& use);

// The steps of one fastest search.
class FastestSearch {
 public:
  FastestSearch(const TimetableNetwork& net, TimetableSearchState& state)
      : net_(net), state_(state), boarding_(net, state) {}
  // The minutes, and the stops in *path when given; -1 when there is no route.
  int run(StationNo from, StationNo to, TimeOfDay start, int day, std::vector<PathStop>* path);

 private:
  // Resets the search table for a search from `from` leaving at `start`.
  void resetSearchTable(StationNo from, StationNo to, TimeOfDay start);
  // Station x reached from sel (whose node is `here`) by record r leaving at
  // dep at `cost`, unless x is settled or known at no greater cost: true
  // when x's node was updated.
  bool relaxStation(SearchNode& here, StationNo sel, StationNo x, const DiaDepartureRecord& r, TimeOfDay dep,
                    std::int16_t cost);
  // The label-setting search over the search table with one label per
  // station, selecting the station linearly; 0 when the destination was
  // reached, else -1.
  int runStationSearch(StationNo from, StationNo to, TimeOfDay start, int day);
  // The same search with a priority queue that settles the stations in the
  // same order (least cost, then the highest station number).
  int runStationSearchQueued(StationNo from, StationNo to, TimeOfDay start, int day);
  // The stops of the route the station search found, by the pred links.
  std::vector<PathStop> stationLabelPath(StationNo from, StationNo to);
  // The exact search with one label per station and arrival train (and
  // number of changes); the minutes, or -1. Leaves the start node set and
  // the nodes of the route's stations filled along the route.
  int runExactSearch(StationNo from, StationNo to, TimeOfDay start, int day, std::vector<PathStop>& path);

  const TimetableNetwork& net_;
  TimetableSearchState& state_;
  Boarding boarding_;
};

}  // namespace kiv
