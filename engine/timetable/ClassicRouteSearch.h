// The steps of one classic multi-route search (searchClassicRoutes) and its
// working fields, which live while the search runs, so that a search reads
// no state left by the one before. A template over the lookups the search
// makes (IndexedLookups in the engine); the bodies are in
// ClassicRouteSearchBody.h.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ByStation.h"
#include "timetable/FoundRoute.h"
#include "timetable/RouteDescription.h"
#include "timetable/RouteSearch.h"
#include "timetable/TimetableSearch.h"

namespace kiv {

template <typename Lookups>
class BasicClassicRouteSearch {
 public:
  BasicClassicRouteSearch(const TimetableNetwork& net, TimetableSearchState& state,
                          const RouteProgress& progress)
      : net_(net), state_(state), boarding_(net, state), progress_(progress) {}
  BasicClassicRouteSearch(const BasicClassicRouteSearch&) = delete;
  BasicClassicRouteSearch& operator=(const BasicClassicRouteSearch&) = delete;

  RouteSearchResult run(const RouteQuery& query, int fastest);

 private:
  // One departure the search may follow towards a neighbour.
  struct Candidate {
    const DiaDepartureRecord* record = nullptr;
    int cost = 0;
    RouteHop hop;
  };
  // The detour ellipse: marks in allowed_ the stations whose way from
  // `from` and on to `to` is at most detourKm longer than the shortest, and
  // lists them in `log`, the lines of the search log "$vflg.kv4".
  void markDetourEllipse(StationNo from, StationNo to, int detourKm, std::string& log);
  // The latest minutes after the start at which a passenger may stand at each
  // station and still reach `goal` within the time limit, by any departures
  // inside the detour ellipse, ignoring changes: no route arriving later can
  // be recorded. Empty when the timetable does not keep to the clock.
  // `deadline` is the latest arrival of use, minutes after midnight of the
  // start day.
  ByStation<int> latestUsefulCost(StationNo goal, int deadline);
  // The departures towards x to follow from a, in the order to follow them;
  // none that costs more than latestCost (a bound of x's time).
  void candidatesTowards(StationNo a, std::span<const DiaDepartureRecord> towards, int latestCost,
                         std::vector<Candidate>& out) const;
  // Extends the current path by station a, recording it when a is the goal.
  // Only a counted station counts against the budget of the search: one from
  // which the goal can still be reached in time.
  void extendRoute(StationNo a, StationNo goal, bool counted = true);
  // Keeps the route of the path station_[1..depth_]: its list and detail
  // records.
  void recordRoute();
  FoundRoute describeRoute();
  // Tells the progress callback how far the search is; a "stop" ends it.
  void askToGoOn();

  const TimetableNetwork& net_;
  TimetableSearchState& state_;
  BasicBoarding<Lookups> boarding_;
  const RouteProgress& progress_;
  std::vector<FoundRoute> routes_;

  std::int32_t found_ = 0;
  ByStation<std::uint8_t> allowed_;  // 1 = inside the detour ellipse
  ByStation<std::uint8_t> onPath_;   // 1 = on the path being extended
  std::vector<std::uint8_t> use_;    // per train 1..T: 1 when switched on
  std::int16_t depth_ = 0;           // stations on the path
  std::vector<StationNo> station_;   // path positions 1..101
  std::vector<TrainNo> train_;       // train from position k to k + 1
  std::int16_t timeLimit_ = 0;
  std::int16_t maxTransfers_ = 0;
  std::int16_t maxRoutes_ = 0;
  std::int16_t transfers_ = 0;
  int day_ = -1;    // day code of the departure; -1 tests no days
  int start_ = 0;   // departure time, hour * 60 + minute
  long steps_ = 0;  // stations entered by the enumeration
  long stepBudget_ = kClassicStepBudget;
  // Fares of the sections priced in this search, by network code and the
  // last and first station.
  SectionFares fares_;
  std::vector<int> bound_;                          // least minutes to the goal, per station
  ByStation<int> latest_;                           // latestUsefulCost, per station
  std::vector<std::vector<Candidate>> candidates_;  // per path position
  bool stopped_ = false;                            // the progress callback said stop
};

}  // namespace kiv
