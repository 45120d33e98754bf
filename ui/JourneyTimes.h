// The days and times of a best-routes list as the windows show them, and the
// arrive-by and last-train searches of the main window. Times count minutes
// from midnight of the search's day; 1440 and more fall on the following
// days. The route list files keep their own times (hours past 24): only the
// text shown says the day.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "Types.h"
#include "journey/ArrivingBy.h"
#include "journey/BestRoutes.h"

namespace kiv {
class Engine;
}

namespace kiv::ui {

// 「日」..「土」.
QString dayName(int day);
// "9:24" on the search's day, "翌 0:12" on the next, "水 6:35" further on.
QString dayTimeText(int minutes, int day);
// "早楽安" with a full-width blank for each mark the journey lacks.
QString marksText(const Journey& journey);
// The line above a list whose first journey leaves on a later service day
// than the time asked; empty when it leaves on the same one.
QString laterDayNote(int askedMinutes, int firstDeparture, int day);

// The arrive-by and last-train searches (journey/ArrivingBy.h) with the
// limits of the settings.
// The journeys arriving by hour:minute on `day`, latest departure first;
// an arrival before noon with nothing on the day itself is searched from
// the evening before. `keepGoing` may stop the search.
ArrivingBy searchArrivingBy(Engine& engine, StationNo from, StationNo to, int arrival, int day,
                            const std::function<bool(int)>& keepGoing = {});
// The last journey of `day`: the latest departure that arrives by 4:00 the
// next morning.
ArrivingBy searchLastTrain(Engine& engine, StationNo from, StationNo to, int day);

}  // namespace kiv::ui
