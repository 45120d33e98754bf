// The route searches over the timetable done the plain way: every lookup
// scans the spans of the timetable files in their order, every change is
// looked up in the transfer table, the fastest search selects its next
// station by a scan of the search table, and the classic search prunes by
// nothing but the rules. The same steps as the engine's searches, which
// must give the same results.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "Types.h"
#include "timetable/FastestSearch.h"
#include "timetable/RouteSearch.h"
#include "timetable/TimetableSearch.h"

namespace kiv::reference {

// The lookups of the plain searches (a lookup policy of the search bodies).
struct ScanLookups {
  using Boarding = BasicBoarding<ScanLookups>;

  static constexpr bool clockwisePruning = false;
  static constexpr bool latestTimePruning = false;

  static bool walkingTrain(const TimetableNetwork& net, TrainNo t);
  static std::span<const DiaDepartureRecord> departuresFrom(const TimetableNetwork& net, StationNo station);
  static std::span<const DiaDepartureRecord> linkDepartures(const TimetableNetwork& net, StationNo a,
                                                            std::span<const DiaLinkRecord> links,
                                                            std::size_t k);
  static bool recordDeparture(const DiaDepartureRecord& r, TimeOfDay time, int day, TimeOfDay& departure);
  static int changeMinutes(const TimetableNetwork& net, TimetableSearchState& state, StationNo s,
                           TrainNo arriving, TrainNo departing);
  static std::vector<int> goalBound(const TimetableNetwork& net, const TimetableSearchState& state,
                                    StationNo goal, const std::vector<std::uint8_t>& use);
  static void detourDistances(const TimetableNetwork& net, StationNo from, StationNo to, int n, int detourKm,
                              Distance* distFrom, Distance* distTo);
  static int stationSearch(const TimetableNetwork& net, TimetableSearchState& state, const Boarding& boarding,
                           StationNo from, StationNo to, TimeOfDay start, int day);
  static fastest_search::FastestWork& exactWork(TimetableSearchState& state,
                                                fastest_search::FastestWork& fresh);
  static int exactLatest(const TimetableNetwork& net, const Boarding& boarding,
                         fastest_search::FastestWork& work, StationNo from, StationNo to, TimeOfDay start,
                         int day);
  static void exactCandidates(const TimetableNetwork& net, const Boarding& boarding,
                              fastest_search::FastestWork& work, const fastest_search::Label& label, int day,
                              TimeOfDay start, int latest);
};

// kiv::searchFastest, kiv::fastestMinutes, kiv::searchClassicRoutes and
// kiv::minutesToGoalBound the plain way.
FastestResult searchFastest(const TimetableNetwork& net, TimetableSearchState& state,
                            const FastestQuery& query);
int fastestMinutes(const TimetableNetwork& net, TimetableSearchState& state, const FastestQuery& query);
RouteSearchResult searchClassicRoutes(const TimetableNetwork& net, TimetableSearchState& state,
                                      const RouteQuery& query, int fastest, const RouteProgress& progress);
std::vector<int> minutesToGoalBound(const TimetableNetwork& net, StationNo goal);

}  // namespace kiv::reference
