#include "JourneyTimes.h"

#include <algorithm>

#include "Engine.h"
#include "report/WorkFiles.h"
#include "text/ReportText.h"

namespace kiv::ui {
namespace {

constexpr int kDay = 1440;
constexpr int kServiceDayStart = 4 * 60;
// The last train of a day arrives by 4:00 the next morning.
constexpr int kServiceDayEnd = 28 * 60;
// An arrival before noon may need a journey that leaves the evening before.
constexpr int kArriveByDayBack = 12 * 60;

QString clockText(int minutes) { return QString::asprintf("%d:%02d", (minutes % kDay) / 60, minutes % 60); }

ArrivingBy searchBack(Engine& engine, StationNo from, StationNo to, int arrival, int day, int routes,
                      const std::function<bool(int)>& keepGoing) {
  BestRoutesQuery query;
  query.from = from;
  query.to = to;
  query.day = day;
  query.latestArrival = arrival;
  query.earliestDeparture = std::max(arrival - kDay, 0);
  query.arriveBy = true;
  query.window = engine.def.getDiffTime();
  query.maxChanges = engine.def.getTransMax();
  query.maxRoutes = routes;
  query.keepGoing = keepGoing;
  BestRoutesState state;
  return {searchBestRoutes(engine.dia.journeyNetwork(), state, query), day, arrival, 0};
}

// Writes the journeys as the route files, under the head of their first
// departure, and sorts them.
void writeFound(Engine& engine, StationNo from, StationNo to, ArrivingBy& found) {
  if (found.result.journeys.empty()) return;
  const int leave = found.result.journeys.front().departure;
  const work_files::ClockTime asked{report_text::format("%2d:%02d", leave / 60, leave % 60), leave};
  found.written = engine.dia.writeJourneys(from, to, asked, found.result.journeys);
  if (found.written < 0 || engine.dia.sortRouteLists(found.written) < 0) found.written = -1;
}

}  // namespace

int dayOfTime(int minutes, int day) { return ((day + minutes / kDay) % 7 + 7) % 7; }

QString dayName(int day) {
  static const char* const kNames[7] = {"日", "月", "火", "水", "木", "金", "土"};
  return QString::fromUtf8(kNames[((day % 7) + 7) % 7]);
}

QString dayTimeText(int minutes, int day) {
  if (minutes < 0) return clockText(0);
  const int days = minutes / kDay;
  if (days == 0) return clockText(minutes);
  if (days == 1) return QStringLiteral("翌 ") + clockText(minutes);
  return dayName(dayOfTime(minutes, day)) + QLatin1Char(' ') + clockText(minutes);
}

QString marksText(const Journey& journey) {
  const QString blank = QStringLiteral("　");
  return (journey.earliest ? QStringLiteral("早") : blank) +
         (journey.fewestChanges ? QStringLiteral("楽") : blank) +
         (journey.cheapest ? QStringLiteral("安") : blank);
}

int serviceDayOf(int minutes) {
  return minutes >= kServiceDayStart ? (minutes - kServiceDayStart) / kDay : -1;
}

QString laterDayNote(int askedMinutes, int firstDeparture, int day) {
  if (serviceDayOf(firstDeparture) <= serviceDayOf(askedMinutes)) return {};
  return QStringLiteral("この日の列車は終わっています: ") + dayName(dayOfTime(firstDeparture, day)) +
         QStringLiteral("曜の始発からの経路です");
}

ArrivingBy searchArrivingBy(Engine& engine, StationNo from, StationNo to, int arrival, int day,
                            const std::function<bool(int)>& keepGoing) {
  const int routes = engine.def.getRouteMax();
  ArrivingBy found = searchBack(engine, from, to, arrival, day, routes, keepGoing);
  if (found.result.journeys.empty() && !found.result.stopped && arrival < kArriveByDayBack) {
    found = searchBack(engine, from, to, arrival + kDay, (day + 6) % 7, routes, keepGoing);
  }
  writeFound(engine, from, to, found);
  return found;
}

ArrivingBy searchLastTrain(Engine& engine, StationNo from, StationNo to, int day) {
  ArrivingBy found = searchBack(engine, from, to, kServiceDayEnd, day, 1, {});
  writeFound(engine, from, to, found);
  return found;
}

}  // namespace kiv::ui
