// A fare the fare data do not give. Damaged or incomplete data can price a
// stretch between two different stations at 0 yen (or not at all); that is
// no price, and every report and window says the fare is unknown (不明)
// instead of showing 0 yen. A walk costs nothing: its 0 yen is its fare. A
// route's total is unknown when the fare of one of its sections is.
#pragma once

#include <set>

#include "report/WorkFiles.h"
#include "timetable/FoundRoute.h"

namespace kiv {

// A section priced at `fare` yen, walked or ridden, between two stations
// that are the same one or not.
inline bool fareUnknown(int fare, bool walked, bool sameStation) {
  return fare <= 0 && !walked && !sameStation;
}

// A fare section of the route files; a section of the walking connections'
// network is walked.
bool fareUnknown(const work_files::RouteFareSection& section);

// Whether the total fare of a found route is unknown.
bool fareUnknown(const FoundRoute& route);

// The detection numbers of the routes among `details` whose total fare is
// unknown.
std::set<int> routesOfUnknownFare(const work_files::RouteDetail& details);

}  // namespace kiv
