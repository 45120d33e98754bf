// The multi-route search over the timetable: the fastest minutes from the
// time-priority search, a distance filter that keeps the stations inside a
// detour ellipse around the shortest-distance route, and a depth-first
// enumeration of paths through the timetable that keeps every route
// reaching the destination, for the route list files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "Types.h"
#include "journey/BestRoutes.h"
#include "report/WorkFiles.h"
#include "timetable/FoundRoute.h"
#include "timetable/RouteDescription.h"
#include "timetable/RouteFiles.h"
#include "timetable/TimetableSearch.h"

namespace kiv {

class RStaName;

// The stations the classic search may enter before it ends as at the route
// limit, keeping the routes found so far.
inline constexpr long kClassicStepBudget = 2'000'000;

// mode of a RouteQuery.
inline constexpr int kClassicRoutesMode = 1;
inline constexpr int kBestRoutesMode = 2;

// A route list question.
struct RouteQuery {
  StationNo from = 0;
  StationNo to = 0;
  int hour = 0;  // departure time, as given (even off the clock)
  int minute = 0;
  int day = 0;           // day code of the departure
  int detourKm = 0;      // the detour ellipse: km beyond the shortest distance
  int extraMinutes = 0;  // minutes beyond the fastest arrival
  int maxChanges = 0;
  int maxRoutes = 0;
  int mode = kClassicRoutesMode;  // kClassicRoutesMode or kBestRoutesMode
  // Stations the classic search may enter before it gives up (workBudget).
  long classicStepBudget = kClassicStepBudget;
};

// Why a route list ended: it holds every route within the limits; it
// reached the route limit (or, in best-routes mode, more were found than it
// keeps); the progress callback said stop; or the classic search spent its
// work budget and kept the routes found so far.
enum class RouteListEnd { complete, routeLimit, stopped, workBudget };

// Told after each found route, and now and then while a long search has
// found nothing new: the number of routes found so far and the number of
// stations on the current path. Returning false stops the search, which
// then ends as if the route limit had been reached. An empty one is not
// called.
using RouteProgress = std::function<bool(int found, int depth)>;

// What a route list search gave.
struct RouteSearchResult {
  // The number of routes found (and written, once the wrapper has written
  // them); -1 when there is no route at all or a work file could not be
  // written (then named in workFileProblem).
  int found = -1;
  RouteListEnd end = RouteListEnd::complete;
  // More routes may exist than were written.
  bool cut = false;
  std::string workFileProblem;
  // The classic search: the routes in the order found, numbered from 0,
  // and the lines of its search log "$vflg.kv4" (the detour ellipse), each
  // ended by CR LF.
  std::vector<FoundRoute> routes;
  std::string searchLog;
  // The best-routes search: the journeys in list order, with their stops,
  // criteria and marks (routes and searchLog stay empty).
  std::vector<Journey> journeys;
};

// The classic multi-route search (mode 1) from query.from to query.to
// leaving at the query's time, whose fastest arrival takes `fastest`
// minutes: the routes that stay inside the detour ellipse, arrive within
// the fastest minutes plus the extra minutes and change at most maxChanges
// times, up to maxRoutes routes, with the distance filter's log. Runs on
// the search table as the fastest search left it; writes no file
// (writeClassicRoutes does).
RouteSearchResult searchClassicRoutes(const TimetableNetwork& net, TimetableSearchState& state,
                                      const RouteQuery& query, int fastest, const RouteProgress& progress);

// Writes what searchClassicRoutes gave into workDir: the search log
// "$vflg.kv4", then the routes into "$MltRtL1.kv4" and "$MltRtDt.kv4" under
// the head of the query, by writeList. A log that cannot be created ends it
// with no route file touched; a route file that cannot be written whole
// makes found -1, with the file named in workFileProblem.
void writeClassicRoutes(const std::filesystem::path& workDir, const RStaName& names, const RouteQuery& query,
                        RouteSearchResult& result, RouteListWriter writeList = writeRouteList);

}  // namespace kiv
