// The route searches over the timetable done the plain way: every lookup
// scans the spans of the timetable files in their order, every change is
// looked up in the transfer table, the fastest search selects its next
// station by a scan of the search table, and the classic search prunes by
// nothing but the rules. The same steps as the engine's searches, which
// must give the same results.
#pragma once

#include <vector>

#include "Types.h"
#include "timetable/FastestSearch.h"
#include "timetable/RouteSearch.h"
#include "timetable/TimetableSearch.h"

namespace kiv::reference {

// kiv::searchFastest, kiv::fastestMinutes, kiv::searchClassicRoutes and
// kiv::minutesToGoalBound the plain way.
FastestResult searchFastest(const TimetableNetwork& net, TimetableSearchState& state,
                            const FastestQuery& query);
int fastestMinutes(const TimetableNetwork& net, TimetableSearchState& state, const FastestQuery& query);
RouteSearchResult searchClassicRoutes(const TimetableNetwork& net, TimetableSearchState& state,
                                      const RouteQuery& query, int fastest, const RouteProgress& progress);
std::vector<int> minutesToGoalBound(const TimetableNetwork& net, StationNo goal);

}  // namespace kiv::reference
