// The searches that end at a time: the journeys that arrive by a time, the
// latest departure first, and the last journey of a day. Both write their
// journeys as the route files (journey k is detection number k) and sort
// them, as the route search does.
#pragma once

#include <functional>
#include <string>

#include "Types.h"
#include "journey/BestRoutes.h"
#include "report/WorkFiles.h"
#include "timetable/RouteListView.h"

namespace kiv {

class RDiaMan;
class RStaName;

// A service day runs from 4:00 to 4:00 the next morning.
inline constexpr int kServiceDayStart = 4 * 60;
// The last train of a day arrives by 4:00 the next morning.
inline constexpr int kServiceDayEnd = 28 * 60;
// An arrival before noon may need a journey that leaves the evening before.
inline constexpr int kArriveByDayBack = 12 * 60;

// The service day of a time counted from midnight of a search's day: 0 that
// day, -1 before 4:00 of it.
inline int serviceDayOf(int minutes) {
  return minutes >= kServiceDayStart ? (minutes - kServiceDayStart) / 1440 : -1;
}
// The day code (0 Sunday .. 6 Saturday) of such a time on a search of `day`.
inline int dayOfTime(int minutes, int day) { return ((day + minutes / 1440) % 7 + 7) % 7; }

struct ArriveByRequest {
  StationNo from = 0;
  StationNo to = 0;
  int day = 0;      // day code of the arrival
  int arrival = 0;  // minutes after midnight of `day`
  int window = 0;   // minutes before the latest departure that are also searched
  int maxChanges = 0;
  int maxRoutes = 1;
  std::function<bool(int found)> keepGoing;
};

struct ArrivingBy {
  BestRoutesResult result;
  int day = 0;                  // the search's day: the day asked, or the day before it
  int arrival = 0;              // the arrival asked, counted from that day
  int written = 0;              // routes written; -1 when a work file could not be written
  std::string workFileProblem;  // that file, when written is -1
  // The time in the head of the route files: the first journey's departure.
  work_files::ClockTime asked;
};

// The journeys arriving by the time asked, latest departure first; an
// arrival before noon with nothing on the day itself is searched from the
// evening before.
ArrivingBy searchArrivingBy(RDiaMan& dia, const ArriveByRequest& request);
// The view of the journeys found from `from` to `to`, under the head the
// route files were written with.
RouteListView routeListView(const RStaName& names, StationNo from, StationNo to, const ArrivingBy& found);
// The last journey of the request's day: the latest departure that arrives
// by 4:00 the next morning (the request's arrival and routes are not used).
ArrivingBy searchLastTrain(RDiaMan& dia, ArriveByRequest request);

}  // namespace kiv
