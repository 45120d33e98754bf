#include "JourneyTimes.h"

#include <algorithm>

#include "Engine.h"
#include "report/WorkFiles.h"
#include "text/ReportText.h"

namespace kiv::ui {
namespace {

constexpr int kDay = 1440;

QString clockText(int minutes) { return QString::asprintf("%d:%02d", (minutes % kDay) / 60, minutes % 60); }

}  // namespace

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

QString laterDayNote(int askedMinutes, int firstDeparture, int day) {
  if (serviceDayOf(firstDeparture) <= serviceDayOf(askedMinutes)) return {};
  return QStringLiteral("この日の列車は終わっています: ") + dayName(dayOfTime(firstDeparture, day)) +
         QStringLiteral("曜の始発からの経路です");
}

ArrivingBy searchArrivingBy(Engine& engine, StationNo from, StationNo to, int arrival, int day,
                            const std::function<bool(int)>& keepGoing) {
  return kiv::searchArrivingBy(engine.dia, {from, to, day, arrival, engine.def.getDiffTime(),
                                            engine.def.getTransMax(), engine.def.getRouteMax(), keepGoing});
}

ArrivingBy searchLastTrain(Engine& engine, StationNo from, StationNo to, int day) {
  return kiv::searchLastTrain(engine.dia,
                              {from, to, day, 0, engine.def.getDiffTime(), engine.def.getTransMax(), 1, {}});
}

}  // namespace kiv::ui
