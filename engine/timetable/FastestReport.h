// The report "$TT$.kv4" of a fastest route: the start, each change with
// its arrival, departure and train, the stops passed when detailed, the
// arrival and the travel time.
#pragma once

#include <string>
#include <vector>

#include "Types.h"
#include "timetable/TimetableSearch.h"

namespace kiv {

class RStaName;
class RTrainMan;

// The report's text (lines ended by "\n") of the route `path` leaving at `start`.
std::string fastestReportText(const RStaName& names, const RTrainMan& trains,
                              const std::vector<PathStop>& path, TimeOfDay start, bool detailed);

}  // namespace kiv
