// The JSON results of route and fastest, and the route list a route command
// prints, read from the work files of the search.
#pragma once

#include "Arguments.h"
#include "FastestRoute.h"
#include "JsonOutput.h"
#include "RunSettings.h"
#include "StationArg.h"
#include "report/WorkFiles.h"

namespace kiv::cli {

// The two stations and the departure time of a route command.
struct Journey {
  ResolvedStation from;
  ResolvedStation to;
  DepartureTime time;
};

// The route list of the order; throws CommandFailure when it cannot be read.
work_files::RouteList readRouteList(RouteOrder order);

Json routesJson(const Engine& engine, const Invocation& inv, const Journey& journey, bool limitReached);
Json fastestJson(Engine& engine, const Journey& journey, const FastestPath& path);

}  // namespace kiv::cli
