// How kiv4cli tells of a route list that the search cut short for its work
// budget rather than at the route limit: a line on standard error, the
// field "search_cut" of the JSON result and its own exit status, so that a
// script can tell a partial list from a complete one.
#pragma once

#include "JsonOutput.h"
#include "timetable/RDiaMan.h"

namespace kiv::cli {

// The route limit's own message, or the work budget's line, on standard
// error; remembers a budget cut for commandExitStatus.
void reportRouteListEnd(RDiaMan::RouteListEnd end, const char* routeLimitMessage);

// After a search that found no route: when the work budget cut it, says so
// (there may well be routes) as reportRouteListEnd does and yields true;
// false when the search was complete (there is no route).
bool reportEmptyCutList(RDiaMan::RouteListEnd end);

// The JSON result with "search_cut": true when the work budget cut the list
// (false otherwise).
Json withRouteListEnd(Json result, RDiaMan::RouteListEnd end);

// The exit status of a command that did its work: kExitSearchCut after a
// route list cut by the work budget, else kExitSuccess.
int commandExitStatus();

}  // namespace kiv::cli
