// The JSON results of route and fastest, and the route list a route command
// prints, from the route list the search gave.
#pragma once

#include "Arguments.h"
#include "DepartureTime.h"
#include "FastestRoute.h"
#include "JsonOutput.h"
#include "StationArg.h"
#include "journey/BestRoutes.h"
#include "report/WorkFiles.h"
#include "timetable/RouteListView.h"

namespace kiv::cli {

// The two stations and the time (departure, or arrival with --arrive-by) of
// a route command.
struct RouteRequest {
  ResolvedStation from;
  ResolvedStation to;
  DepartureTime time;
};

// The list of `order` (found, time or fare order) in the view.
const work_files::RouteList& listOf(const RouteListView& view, RouteOrder order);

// The best routes the route files were written from, for their marks and
// days: journeys[k] is the route of detection number k.
struct BestRoutesShown {
  const std::vector<kiv::Journey>* journeys = nullptr;
  int day = 0;  // day code the journeys' times count from
  bool arriveBy = false;
};

Json routesJson(const Engine& engine, const Invocation& inv, const RouteRequest& request, bool limitReached,
                const RouteListView& view, const BestRoutesShown& best = {});
Json fastestJson(Engine& engine, const RouteRequest& journey, const FastestPath& path);

}  // namespace kiv::cli
