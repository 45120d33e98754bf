// The detour ellipse of the multi-route search: the stations from which the
// way on from the start to the destination is at most the allowed detour
// longer than the shortest distance, marked for the enumeration and listed
// in the lines of the search log "$vflg.kv4" with both their distances.
#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "distance/RDistMan.h"
#include "network/RStaName.h"
#include "text/PreparedFormat.h"
#include "text/ReportText.h"
#include "timetable/ClassicRouteSearch.h"

namespace kiv {

namespace {

int clampedToInt(long long value) {
  return static_cast<int>(
      std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

void ClassicRouteSearch::markDetourEllipse(StationNo from, StationNo to, int detourKm, std::string& text) {
  const int n = state_.stationCount();
  const auto size = static_cast<std::size_t>(n) + 1;
  char fromName[kStationNameSize] = "";
  char toName[kStationNameSize] = "";
  net_.names.getName(from, fromName);
  net_.names.getName(to, toName);

  allowed_.assign(size, 0);
  std::vector<Distance> distFrom(size, kUnreachedDistance);
  std::vector<Distance> distTo(size, kUnreachedDistance);
  if (net_.indexed) {
    // Only a station within the bound of both ends can be inside: the
    // search from the start runs until it knows the shortest distance and
    // then on to the bound, the one from the destination to the bound.
    const long long detour = detourKm * 10LL;
    net_.dist.allDistancesWithin(from, n, clampedToInt(detour), distFrom.data(), to);
    net_.dist.allDistancesWithin(to, n, clampedToInt(distFrom[static_cast<std::size_t>(to)] + detour),
                                 distTo.data());
  } else {
    net_.dist.allDistances(from, n, distFrom.data());
    net_.dist.allDistances(to, n, distTo.data());
  }
  const int shortest = distFrom[static_cast<std::size_t>(to)];
  const int bound = shortest + detourKm * 10;

  text.clear();
  const auto logLine = [&](const char* format, auto... args) {
    report_text::appendFormatted(text, format, {args...});
    text += "\r\n";
  };
  using namespace report_text;
  // Thousands of stations may lie inside: their line's format is read once.
  static const PreparedFormat insideLine(kLogInside.c_str(), false);
  logLine(kLogFrom.c_str(), static_cast<const char*>(fromName));
  logLine(kLogTo.c_str(), static_cast<const char*>(toName));
  logLine(kLogShortest.c_str(), shortest);
  logLine(kLogDetour.c_str(), detourKm);
  logLine(kLogBound.c_str(), bound);
  for (int s = 1; s <= n; ++s) {
    const int sum = distFrom[static_cast<std::size_t>(s)] + distTo[static_cast<std::size_t>(s)];
    if (sum > bound) continue;
    allowed_[static_cast<std::size_t>(s)] = 1;
    char name[kStationNameSize] = "";
    net_.names.getName(static_cast<StationNo>(s), name);
    insideLine.append(text, {sum, distFrom[static_cast<std::size_t>(s)], distTo[static_cast<std::size_t>(s)],
                             static_cast<const char*>(name)});
    text += "\r\n";
  }
}

}  // namespace kiv
