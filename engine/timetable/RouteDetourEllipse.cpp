// The detour ellipse of the multi-route search: the stations from which the
// way on from the start to the destination is at most the allowed detour
// longer than the shortest distance, marked for the enumeration and listed
// in the search log "$vflg.kv4" with both their distances.
#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "distance/RDistMan.h"
#include "network/RStaName.h"
#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"
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

bool ClassicRouteSearch::markDetourEllipse(StationNo from, StationNo to, int detourKm) {
  // The scanning search writes the log line by line; the indexed one keeps
  // its bytes and writes them whole at the end.
  const std::filesystem::path logFile = workDir_ / work_files::kRouteSearchLog;
  std::optional<work_files::WorkFileWriter> log;
  if (!net_.indexed) {
    log.emplace(logFile);
    if (!log->isOpen()) return false;
  }

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

  std::string text;
  const auto logLine = [&](const char* format, auto... args) {
    if (log) {
      log->line(report_text::format(format, args...));
      return;
    }
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
    const int fromHere = distFrom[static_cast<std::size_t>(s)];
    const int toGoal = distTo[static_cast<std::size_t>(s)];
    if (log) {
      log->line(report_text::format(kLogInside.c_str(), sum, fromHere, toGoal, name));
    } else {
      insideLine.append(text, {sum, fromHere, toGoal, static_cast<const char*>(name)});
      text += "\r\n";
    }
  }
  if (log) {
    log->close();  // a log not written whole does not stop the search
    return true;
  }
  if (work_files::writeWholeBytes(logFile, text, work_files::WholeFile::kOverOldBytes)) return true;
  // As the plain way: only a log that cannot be created stops the search.
  work_files::WorkFileWriter plain(logFile);
  if (!plain.isOpen()) return false;
  plain.line(std::string_view(text).substr(0, text.size() - 2));
  plain.close();
  return true;
}

}  // namespace kiv
