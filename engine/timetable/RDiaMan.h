// The timetable of the whole network and the searches over it, as the
// windows and the command line call them: the timetable data itself is a
// Timetable, read once at load; each call runs its search in a working
// state of its own, writes the work files from the search's value and
// returns the value.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "Types.h"
#include "data/DiaIdx1File.h"
#include "data/DiaIdx2File.h"
#include "data/Diagram2File.h"
#include "journey/BestRoutes.h"
#include "report/WorkFiles.h"
#include "timetable/FastestSearch.h"
#include "timetable/FoundRoute.h"
#include "timetable/RouteSearch.h"
#include "timetable/RouteSearchRules.h"
#include "timetable/Timetable.h"
#include "timetable/TimetableIndex.h"
#include "timetable/TimetableSearch.h"
#include "timetable/TrainLinkIndex.h"

namespace kiv {

class RStaName;
class RTrainMan;
class RCnctMan;
class RDefMan;
class RDistMan;
class RFareMan;
class RKivMan;
namespace station_timetable {
struct Work;
}

class RDiaMan {
 public:
  // Reads the three timetable files of dataDir; the searches' states are
  // sized from staName.getCount(). The other engine objects are only kept
  // for the searches; none of them is used here.
  RDiaMan(const std::filesystem::path& dataDir, RStaName& staName, RTrainMan& trains, RCnctMan& cnct,
          RDefMan& def, RDistMan& dist, RFareMan& fare, RKivMan& kiv);
  ~RDiaMan();
  RDiaMan(const RDiaMan&) = delete;
  RDiaMan& operator=(const RDiaMan&) = delete;

  // The directory of the data files, where the work files are written too.
  const std::filesystem::path& workDirectory() const { return dataDir_; }
  // The timetable data the searches run on, read at load.
  const Timetable& timetable() const { return timetable_; }

  // --- The lookups of the timetable, under the names the callers know -------
  int getDepartureRange(StationNo station, int& first, int& last) const {
    return timetable_.getDepartureRange(station, first, last);
  }
  int getLinkRange(StationNo station, int& first, int& last) const {
    return timetable_.getLinkRange(station, first, last);
  }
  int getLinkDepartures(StationNo station, StationNo next, int& first, int& last) const {
    return timetable_.getLinkDepartures(station, next, first, last);
  }
  std::span<const DiaDepartureRecord> departuresOf(StationNo station) const {
    return timetable_.departuresOf(station);
  }
  std::span<const DiaLinkRecord> linksOf(StationNo station) const { return timetable_.linksOf(station); }
  std::span<const DiaDepartureRecord> departuresTowards(StationNo station, StationNo next) const {
    return timetable_.departuresTowards(station, next);
  }
  const DiaDepartureRecord& departureAt(int index) const { return timetable_.departureAt(index); }
  static int isHourServed(std::uint32_t hours, int hour) { return Timetable::isHourServed(hours, hour); }
  static int isDayServed(std::uint8_t days, int day) { return Timetable::isDayServed(days, day); }
  static int nextServedHour(std::uint32_t hours, int minute, TimeOfDay time) {
    return Timetable::nextServedHour(hours, minute, time);
  }
  static int nextServedHour(std::uint32_t hours, std::uint8_t days, int day, int minute, TimeOfDay time) {
    return Timetable::nextServedHour(hours, days, day, minute, time);
  }
  static bool recordDeparture(const DiaDepartureRecord& r, TimeOfDay time, int day, TimeOfDay& departure) {
    return Timetable::recordDeparture(r, time, day, departure);
  }
  int nextDeparture(StationNo station, StationNo next, TrainNo train, TimeOfDay time, TimeOfDay& departure,
                    int* recordIndex = nullptr) const {
    return timetable_.nextDeparture(station, next, train, time, departure, recordIndex);
  }
  int nextDepartureOn(StationNo station, StationNo next, TrainNo train, TimeOfDay time, int day,
                      TimeOfDay& departure, int* recordIndex = nullptr) const {
    return timetable_.nextDepartureOn(station, next, train, time, day, departure, recordIndex);
  }
  static int minutesBetween(TimeOfDay from, TimeOfDay to) { return Timetable::minutesBetween(from, to); }
  static std::string hoursToText(std::uint32_t hours) { return Timetable::hoursToText(hours); }
  int getRecordCount() const { return timetable_.getRecordCount(); }
  int getRecord(int index, DiaDepartureRecord& record) const { return timetable_.getRecord(index, record); }

  // --- Search rules ----------------------------------------------------------
  // The rules both route searches follow (all mends on by default).
  void setSearchRules(const RouteSearchRules& rules) { rules_ = rules; }
  const RouteSearchRules& searchRules() const { return rules_; }

  // Why the timetable was not used (the spans of DiaIdx1.kv4 or
  // DiaIdx2.kv4 do not fit the records); empty when it was consistent.
  const std::string& dataProblem() const { return timetable_.dataProblem(); }

  // N, the station count known at load: a search state for this timetable
  // has N + 1 nodes.
  int searchStationCount() const { return stationCount_; }
  // The timetable and the engine objects as the searches take them, with
  // the rules in force.
  TimetableNetwork network() const;

  // ==== Time-priority route, station timetable and required-time table ====

  // --- Time-priority route search ---
  // The earliest arrival from `from` to `to` leaving at hour:minute: the
  // travel minutes, or -1 when the destination cannot be reached (or a
  // station number is outside 1..N). A departure is used only on the
  // service days of `day` (with the service-day rule on). With the exact
  // rule every arrival train at a station is a label of its own, and among
  // the earliest arrivals the route with the fewest changes is taken;
  // without it, one label per station, ties settling the higher station
  // number first.
  int fastestTime(StationNo from, StationNo to, int hour, int minute, int day);
  // The same search, then the report of the fastest route in "$TT$.kv4"
  // (detailed with the stops passed when the output mode is 1): 0, or -1
  // when there is no route (nothing written) or the file cannot be created.
  int fastestRoute(StationNo from, StationNo to, int hour, int minute, int day);
  // The same for a query that says whether the report is detailed; the
  // route found in `result` (none when there is no route).
  int fastestRoute(const FastestQuery& query, FastestResult& result);

  // --- Station timetable ---
  // One line per departure pattern of the station served on `day` in clock
  // hour `hour` into "TTSrc.kv4", laid out so that sorting the lines as text
  // orders them by network code, list order and then minute (or by train
  // when `grouping`). The number of lines; -1 when the station has no
  // departures or the file cannot be created.
  int writeStationDepartures(StationNo station, int day, int hour, bool grouping);
  // Sorts the lines of "TTSrc.kv4" ascending, ignoring the case of ASCII
  // letters, keeping duplicates and the order of equal lines, and writes
  // them back. The number of lines, or -1 when the file cannot be read or
  // written.
  int sortStationDepartures();
  // The report "$VTT.kv4" from the sorted "TTSrc.kv4", one headed block per
  // company. dayName is the one-letter day name (NUL-terminated Shift-JIS).
  // 0, or -1 when "TTSrc.kv4" cannot be read or "$VTT.kv4" created.
  int writeStationTimetable(StationNo station, const char* dayName, int hour, bool grouping);
  // The whole station timetable command: deletes "TTSrc.kv4" and "$VTT.kv4",
  // writes the departures, sorts them and writes the report, naming the day
  // after its day code. The result of writeStationDepartures: -1 when the
  // station has no departures, 0 when the hour has none (no report then),
  // else the number of lines; -1 as well when a work file fails.
  int buildStationTimetable(StationNo station, int day, int hour, bool grouping);

  // --- Required-time table ---
  // For every train leaving the station, the stations it reaches and the
  // riding minutes to each, into "$RqTmTbl.kv4". 0, or -1 when the station
  // has no departures or is not in the station directory (the work file is
  // left as it was) or the file cannot be created.
  int buildRequiredTimeTable(StationNo station);
  // The tables the file is written from; nullopt where the build yields -1.
  std::optional<work_files::RequiredTimes> requiredTimes(StationNo station) const;
  // Writes table `table` of "$RqTmTbl.kv4" (all tables when -1) to `file`
  // as text or as CSV. 0, or -1 when `file` cannot be created; a missing
  // work file gives a file with only the CSV header (or empty).
  int exportRequiredTimeTable(const std::filesystem::path& file, int table, bool csv);
  // The links of every train, which the table follows.
  const TrainLinkIndex& trainLinkIndex() const { return timetable_.trainLinks(); }
  // ==== end of time-priority route, station timetable and required-time table ====

  // ==== Multi-route search and route list files ====
  // Told after each found route, and now and then while a long search has
  // found nothing new: the number of routes found so far and the number of
  // stations on the current path. Returning false stops the search, which
  // then ends as if the route limit had been reached (in best-routes mode
  // with the best of the routes found so far, as a cut list).
  using RouteProgress = kiv::RouteProgress;
  // An empty callback (the default) is not called.
  void setProgressCallback(RouteProgress callback);

  // findRoutes, then sortRouteLists with its result: the number of routes
  // found (0..route_max), or -1 when there is no route at all or a work file
  // (a sorted list too) could not be written (workFileProblem names it).
  int searchRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                   int extraMinutes);
  // The same for a query that carries its limits and route mode instead of
  // taking them from the settings.
  int searchRoutes(const RouteQuery& query);
  // searchRoutes as a value: the number found (or -1), how the list ended,
  // the file that failed, and the routes (classic mode) or the journeys
  // with their marks (best-routes mode) the files were written from.
  RouteSearchResult searchRouteList(const RouteQuery& query);
  // The query of searchRoutes: the limits and route mode from the settings.
  RouteQuery routeQuery(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                        int extraMinutes) const;
  // Enumerates the routes from `from` to `to` leaving at hour:minute that
  // stay inside the detour ellipse (detourKm around the shortest distance),
  // arrive within the fastest minutes plus extraMinutes and change at most
  // trans_max times, up to route_max routes, into "$MltRtL1.kv4" (summaries
  // in detection order) and "$MltRtDt.kv4" (details), with the distance
  // filter logged in "$vflg.kv4". Departures run on the service days of
  // `day` (with the service-day rule on). With mode_route 2 (best routes)
  // the routes within the limits are enumerated and the route_max best, by
  // arrival, changes, fare and detection order, are written as routes
  // 0, 1, 2 ... in that order; the enumeration widens its time limit step
  // by step up to the allowed extra minutes and stops at the first step
  // that finds more routes than the list holds. A step that would enter
  // more than 1.5 million stations from which the goal can still be reached
  // within its limit is given up for the list of the step before (the list
  // then counts as cut).
  // The number of routes written; -1 when there is no route at all (no file
  // touched) or a work file cannot be created.
  int findRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm, int extraMinutes);
  // The stations the classic search (mode_route 1) may enter before it ends
  // as at the route limit, keeping the routes found so far.
  static constexpr long kClassicStepBudget = kiv::kClassicStepBudget;
  // The limits findRoutes reads from the settings when it starts.
  struct RouteLimits {
    int transMax = 0;   // changes
    int routeMax = 0;   // routes written
    int modeRoute = 1;  // 1 classic, 2 best routes
    // Stations the classic search may enter before it gives up (workBudget).
    long classicStepBudget = kClassicStepBudget;
  };
  RouteLimits routeLimitsFromSettings() const;
  // findRoutes with the limits given instead of read from the settings.
  int findRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm, int extraMinutes,
                 const RouteLimits& limits);
  // findRoutes for a query that carries its limits and route mode.
  int findRoutes(const RouteQuery& query);
  // findRoutes as a value (see searchRouteList); the sorted lists are not
  // written.
  RouteSearchResult findRouteList(const RouteQuery& query);
  // After findRoutes: true when more routes may exist than were written (the
  // route limit was reached, or in best-routes mode more were found than kept).
  bool routeListCut() const { return routeListCut_; }
  // Why the last findRoutes ended its list: it found every route within the
  // limits; it reached the route limit (or, in best-routes mode, found more
  // than it keeps); the progress callback said stop; or the classic search
  // spent its work budget (RouteLimits::classicStepBudget stations entered) and kept the
  // routes found so far. Every end but `complete` makes routeListCut() true.
  using RouteListEnd = kiv::RouteListEnd;
  RouteListEnd routeListEnd() const { return routeListEnd_; }
  // True when the progress callback stopped the last findRoutes (the list
  // holds what was found until then).
  bool routeSearchStopped() const { return routeListEnd_ == RouteListEnd::stopped; }
  // After findRoutes, searchRoutes or fastestRoute yielded -1: the work file
  // that could not be created or written whole (the search found a route);
  // empty when there is no route, and after a search that succeeded.
  const std::string& workFileProblem() const { return workFileProblem_; }
  // Writes "$MltRtL2.kv4" (time order) and "$MltRtL3.kv4" (fare order) from
  // the first `count` summaries of "$MltRtL1.kv4". The number of routes
  // sorted (0 and no file written when count < 1 or the list holds no
  // route); -1 when "$MltRtL1.kv4" cannot be read or a sorted list cannot be
  // created (the other one is still written), with the file named in
  // workFileProblem when count > 0.
  int sortRouteLists(int count);
  // Appends (mode "a") or writes afresh (mode "w") the text description of
  // route `detection` to `file`, headed with `row` and the label of list
  // `order` (1 detection, 2 time, 3 fare order). 0; -1 with `file`
  // untouched when the order or mode is unknown or the list or detail file
  // cannot be read, and -1 when `file` cannot be opened.
  int writeRouteDetail(const std::filesystem::path& file, const char* mode, int detection, int order,
                       int row);

  // Writes journeys as routes 0, 1, 2 ... of "$MltRtL1.kv4" and
  // "$MltRtDt.kv4" under the head of a search from `from` to `to` at
  // `asked`. The number written, or -1 (workFileProblem names the file) when
  // a file cannot be written whole.
  int writeJourneys(StationNo from, StationNo to, const work_files::ClockTime& asked,
                    const std::vector<Journey>& journeys);
  // A lower bound of the minutes from every station to `goal`: the least
  // riding minutes over the departures of the trains switched on; all 0
  // when a riding time in the data is negative.
  std::vector<int> minutesToGoalBound(StationNo goal) const;
  // ==== end of multi-route search and route list files ====

 private:
  // The time `minutes` after t; the hour is not wrapped at midnight.
  static TimeOfDay addMinutes(TimeOfDay t, int minutes) { return Timetable::addMinutes(t, minutes); }

  std::filesystem::path dataDir_;  // also the directory of the work files
  RStaName& staName_;
  RTrainMan& trains_;
  RCnctMan& cnct_;
  RDefMan& def_;
  RDistMan& dist_;
  RFareMan& fare_;
  RKivMan& kiv_;

  Timetable timetable_;
  int stationCount_ = 0;
  RouteSearchRules rules_;

  // The report "$TT$.kv4" of a fastest route.
  int writeFastestReport(const std::vector<PathStop>& path, TimeOfDay start, bool detailed);
  // The lines of "TTSrc.kv4" for the station's departures served on `day`
  // in hour `hour`, unsorted; the number of departures in `count`.
  std::string stationDepartureText(std::span<const DiaDepartureRecord> span, int day, int hour, bool grouping,
                                   int& count) const;
  // The report "$VTT.kv4" from the sorted lines of "TTSrc.kv4".
  std::string stationTimetableText(StationNo station, const char* dayName, int hour, bool grouping,
                                   const std::vector<std::string>& lines) const;
  // The names, file paths and buffers of the fast station timetable, made
  // on its first build.
  std::shared_ptr<station_timetable::Work> stationTimetableWork_;
  // Calls visit for the first departure record of each train on every link
  // record, by station, link file order and record order.
  void forEachTrainLink(const std::function<void(TrainNo, const TrainLinkIndex::Link&)>& visit) const;

  // A route list or detail file as writeRouteDetail reads it: the one kept
  // when the file still holds the same bytes, else read afresh.
  struct ParsedRouteFile;
  const ParsedRouteFile* routeFile(const std::filesystem::path& file, std::size_t numberWord,
                                   std::shared_ptr<ParsedRouteFile>& kept);
  std::shared_ptr<ParsedRouteFile> routeListRead_;
  std::shared_ptr<ParsedRouteFile> routeDetailsRead_;

  // The best-routes mode of findRouteList, after the fastest minutes are
  // known.
  RouteSearchResult findBestRoutes(const RouteQuery& query);

  RouteProgress routeProgress_;
  // How the last findRoutes ended, for the calls that answer after it.
  bool routeListCut_ = false;
  RouteListEnd routeListEnd_ = RouteListEnd::complete;
  std::string workFileProblem_;
};

}  // namespace kiv
