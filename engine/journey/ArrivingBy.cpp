#include "journey/ArrivingBy.h"

#include <algorithm>

#include "report/WorkFiles.h"
#include "text/ReportText.h"
#include "timetable/RDiaMan.h"
#include "timetable/RouteListView.h"

namespace kiv {
namespace {

ArrivingBy searchBack(const RDiaMan& dia, const ArriveByRequest& request, int arrival, int day) {
  BestRoutesQuery query;
  query.from = request.from;
  query.to = request.to;
  query.day = day;
  query.latestArrival = arrival;
  query.earliestDeparture = std::max(arrival - 1440, 0);
  query.arriveBy = true;
  query.window = request.window;
  query.maxChanges = request.maxChanges;
  query.maxRoutes = request.maxRoutes;
  query.keepGoing = request.keepGoing;
  BestRoutesState state;
  ArrivingBy found;
  found.result = searchBestRoutes(dia.network(), state, query);
  found.day = day;
  found.arrival = arrival;
  return found;
}

// Writes the journeys as the route files, under the head of their first
// departure, and sorts them.
void writeFound(RDiaMan& dia, const ArriveByRequest& request, ArrivingBy& found) {
  if (found.result.journeys.empty()) return;
  const int leave = found.result.journeys.front().departure;
  found.asked = askedTime(leave / 60, leave % 60);
  found.written = dia.writeJourneys(request.from, request.to, found.asked, found.result.journeys);
  if (found.written < 0 || dia.sortRouteLists(found.written) < 0) {
    found.written = -1;
    found.workFileProblem = dia.workFileProblem();
  }
}

}  // namespace

ArrivingBy searchArrivingBy(RDiaMan& dia, const ArriveByRequest& request) {
  ArrivingBy found = searchBack(dia, request, request.arrival, request.day);
  if (found.result.journeys.empty() && !found.result.stopped && request.arrival < kArriveByDayBack) {
    found = searchBack(dia, request, request.arrival + 1440, (request.day + 6) % 7);
  }
  writeFound(dia, request, found);
  return found;
}

ArrivingBy searchLastTrain(RDiaMan& dia, ArriveByRequest request) {
  request.maxRoutes = 1;
  ArrivingBy found = searchBack(dia, request, kServiceDayEnd, request.day);
  writeFound(dia, request, found);
  return found;
}

RouteListView routeListView(const RStaName& names, StationNo from, StationNo to, const ArrivingBy& found) {
  return routeListView(routeListHead(names, from, to, found.asked), routesOf(found.result.journeys));
}

}  // namespace kiv
