// The working fields of one multi-route search of RDiaMan (findRoutes): they
// live on findRoutes' stack while it runs, so a search reads no state left
// by the one before.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "report/WorkFileWriter.h"
#include "timetable/FoundRoute.h"
#include "timetable/RDiaMan.h"
#include "timetable/RouteDescription.h"

namespace kiv {

struct RDiaMan::RouteSearchState {
  std::int32_t found = 0;
  std::vector<std::uint8_t> allowed;  // 1 = inside the detour ellipse
  std::vector<std::uint8_t> onPath;   // 1 = on the path being extended
  std::vector<std::uint8_t> use;      // per train 1..T: 1 when switched on
  std::int16_t depth = 0;             // stations on the path
  std::vector<StationNo> station;     // path positions 1..101
  std::vector<TrainNo> train;         // train from position k to k + 1
  std::int16_t timeLimit = 0;
  std::int16_t maxTransfers = 0;
  std::int16_t maxRoutes = 0;
  std::int16_t transfers = 0;
  std::unique_ptr<work_files::WorkFileWriter> listFile;    // "$MltRtL1.kv4"
  std::unique_ptr<work_files::WorkFileWriter> detailFile;  // "$MltRtDt.kv4"
  // The bytes of the two files, lines ended by CR LF: the fast search
  // writes each whole when it ends.
  std::string listText;
  std::string detailText;
  int day = -1;    // day code of the departure; -1 tests no days
  int start = 0;   // departure time, hour * 60 + minute
  long steps = 0;  // stations entered by the enumeration
  // Stations the classic enumeration may enter (RouteLimits::classicStepBudget).
  long stepBudget = kClassicStepBudget;
  // Fares of the sections priced in this search, by network code and the
  // last and first station.
  SectionFares fares;
  std::vector<int> bound;                               // least minutes to the goal, per station
  std::vector<int> latest;                              // latestUsefulCost, per station (fast only)
  int latestDeadline = 0;                               // the deadline `latest` was drawn for
  std::vector<std::vector<RouteCandidate>> candidates;  // per path position
  bool stopped = false;                                 // the progress callback said stop
};

// The working fields of one route search, in use (rs_ points at them) while
// the object lives.
class RDiaMan::ActiveRouteSearch {
 public:
  explicit ActiveRouteSearch(RouteSearchState*& slot) : slot_(slot) { slot_ = &state_; }
  ~ActiveRouteSearch() { slot_ = nullptr; }
  ActiveRouteSearch(const ActiveRouteSearch&) = delete;
  ActiveRouteSearch& operator=(const ActiveRouteSearch&) = delete;

 private:
  RouteSearchState*& slot_;
  RouteSearchState state_;
};

}  // namespace kiv
