// The time-priority (fastest) route search over the timetable: a
// label-setting search in which a hop costs the change minutes at the
// station, the wait for the train's next departure and the riding minutes.
#pragma once

#include <cstdint>
#include <string>
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
  // RDiaMan::fastestRoute: the report file that could not be written whole
  // (the route was found); empty otherwise.
  std::string workFileProblem;
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

// The bound of the minutes to `goal` that the last fastest search in the
// state drew with the trains switched on by `use` (trainUseFlags), or
// nullptr.
const std::vector<int>* knownGoalBound(const TimetableSearchState& state, StationNo goal,
                                       const std::vector<std::uint8_t>& use);

}  // namespace kiv
