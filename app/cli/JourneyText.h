// The best routes as a traveller reads them: the day of the search, each
// journey's departure and arrival with the day they fall on, its changes,
// fare and marks (早 earliest arrival, 楽 fewest changes, 安 lowest fare).
// The route list files keep their own times (hours past 24 on the following
// days); this text says the day.
#pragma once

#include <string>
#include <vector>

#include "journey/BestRoutes.h"

namespace kiv::cli {

// A time of a search leaving on day code `day`, `minutes` after midnight of
// that day: "9:24" on the day itself, "翌 0:12" on the next day, "水 6:35"
// (the day's name) further on. UTF-8.
std::string dayTimeText(int minutes, int day);

// The day code (0 Sunday .. 6 Saturday) of a time of a search leaving on `day`.
int dayOf(int minutes, int day);

// The marks of a journey, "早楽安" with a full-width blank for each missing.
std::string marksText(const Journey& journey);

// The head of the list: "新宿→横浜  月曜 9:00 以降に出発" (or "までに到着"
// with arriveBy), and the meaning of the marks.
std::string listHead(const std::string& fromUtf8, const std::string& toUtf8, int askedMinutes, int day,
                     bool arriveBy);

// The head, then one line per journey with its marks and fare (不明 when
// the fare data do not give it), and a note above the list when the first
// journey leaves on a later day than the time asked for. Times count from midnight of day `day`. UTF-8, LF
// line ends.
std::string journeyOverview(const std::vector<Journey>& journeys, const std::string& head, int askedMinutes,
                            int day);

}  // namespace kiv::cli
