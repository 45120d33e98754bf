// A route list as the route window and the command line show it: the list
// in each of its three orders (as found, by time, by fare) and the details
// of every route, made from the routes a search found rather than read back
// from the route files.
#pragma once

#include <array>
#include <vector>

#include "Types.h"
#include "journey/BestRoutes.h"
#include "report/WorkFiles.h"
#include "timetable/FoundRoute.h"
#include "timetable/RouteSearch.h"

namespace kiv {

class RStaName;

struct RouteListView {
  // Detection order, time order and fare order, as "$MltRtL1.kv4",
  // "$MltRtL2.kv4" and "$MltRtL3.kv4" hold them.
  std::array<work_files::RouteList, 3> lists;
  // The records of every route, as "$MltRtDt.kv4" holds them.
  work_files::RouteDetail details;
};

// The view of `routes`, numbered 0, 1, 2 ... in the order given, under `head`.
RouteListView routeListView(const work_files::RouteListHead& head, const std::vector<FoundRoute>& routes);

// The view of what a route list search gave for `query`: its routes, or in
// best-routes mode its journeys, under the head of the query.
RouteListView routeListView(const RStaName& names, const RouteQuery& query, const RouteSearchResult& list);

// The routes of best-routes journeys, in their order.
std::vector<FoundRoute> routesOf(const std::vector<Journey>& journeys);

// The time a list was asked for as its head gives it, even an hour or
// minute off the clock.
work_files::ClockTime askedTime(int hour, int minute);
// The head of a list from `from` to `to` asked for at `asked`.
work_files::RouteListHead routeListHead(const RStaName& names, StationNo from, StationNo to,
                                        const work_files::ClockTime& asked);

}  // namespace kiv
