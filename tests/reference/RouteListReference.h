// The route commands of RDiaMan done the plain way: the plain searches of
// TimetableSearchReference.h on a search table of their own, the report and
// the route files written afresh, line by line, and the route lists sorted
// from words split into strings and written line by line. They define the
// files and the results RDiaMan's commands must give, byte for byte.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "Types.h"
#include "report/WorkFiles.h"
#include "timetable/FastestSearch.h"
#include "timetable/FoundRoute.h"
#include "timetable/RouteSearch.h"
#include "timetable/TimetableSearch.h"

namespace kiv {
class RDiaMan;
class RStaName;
}  // namespace kiv

namespace kiv::reference {

// RDiaMan::fastestRoute: the plain search in `state` (a search state of
// dia's station count, lent to one search at a time), then the report
// "$TT$.kv4" written afresh. 0, or -1 when there is no route or the file
// cannot be created; the route found in `result`.
int fastestRoute(RDiaMan& dia, TimetableSearchState& state, const FastestQuery& query, FastestResult& result);

// RDiaMan::searchRoutes for a query that carries its limits and mode: the
// plain fastest search in `state`, then in classic mode the plain classic
// search and in best-routes mode RDiaMan::findRoutes (that search has one
// form only). The route files are written line by line, and the lists
// sorted the plain way. found is what RDiaMan::searchRoutes returns; cut,
// end and workFileProblem what routeListCut(), routeListEnd() and
// workFileProblem() tell after it.
RouteSearchResult searchRoutes(RDiaMan& dia, TimetableSearchState& state, const RouteQuery& query);

// kiv::writeRouteList with the files written line by line.
std::string writeRouteList(const std::filesystem::path& dir, const RStaName& names, StationNo from,
                           StationNo to, const work_files::ClockTime& asked, std::vector<FoundRoute> routes);

// RDiaMan::sortRouteLists on the work files of dir; the file that could not
// be read or written in `problem`.
int sortRouteLists(const std::filesystem::path& dir, int count, std::string& problem);

}  // namespace kiv::reference
