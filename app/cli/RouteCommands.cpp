// route and fastest: the route command and the old single-route command of
// the main window, with the route list printed as the route list window
// saves it.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "CliErrors.h"
#include "CommandGuard.h"
#include "Commands.h"
#include "DepartureTime.h"
#include "Engine.h"
#include "FastestRoute.h"
#include "JourneyText.h"
#include "JsonOutput.h"
#include "Output.h"
#include "RouteJson.h"
#include "RouteListEnd.h"
#include "StationArg.h"
#include "journey/ArrivingBy.h"
#include "journey/BestRoutes.h"
#include "report/RouteListExport.h"
#include "report/WorkFiles.h"
#include "text/ReportText.h"

namespace kiv::cli {
namespace {

constexpr const char* kNoRoute = "経路が見当たりません";
constexpr const char* kRouteLimitReached =
    "検出経路数が設定値に達したため検出処理はここまでとします。\n"
    "他にも利用に適した経路があるかもしれませんので\n"
    "条件設定を見直すことをおすすめします";

// Shows the number of routes found on the terminal while the search runs;
// silent when standard error is not a terminal.
class ProgressLine {
 public:
  explicit ProgressLine(RDiaMan& dia) : dia_(dia), shown_(isatty(STDERR_FILENO) == 1) {
    if (!shown_) return;
    dia_.setProgressCallback([](int found, int) {
      std::fprintf(stderr, "\rsearching: %d route%s found", found, found == 1 ? "" : "s");
      std::fflush(stderr);
      return true;
    });
  }
  ~ProgressLine() {
    if (!shown_) return;
    dia_.setProgressCallback({});
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
  }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

 private:
  RDiaMan& dia_;
  bool shown_;
};

// Names on standard error, once each, the fare sections of the listed
// routes whose fare the fare data do not give.
void warnUnknownFares(const work_files::RouteList& list, const work_files::RouteDetail& details) {
  std::set<int> listed;
  for (const work_files::RouteSummary& route : list.routes) listed.insert(route.detection);
  std::set<std::tuple<NetworkCode, std::string, std::string>> warned;
  for (const work_files::RouteFareSection& f : details.fares) {
    if (!listed.contains(f.detection) || !fareUnknown(f)) continue;
    if (warned.emplace(f.network, f.from, f.to).second) warnUnknownFare(f.from, f.to, f.network);
  }
}

// Every route of the chosen list, each described as the route list window
// saves a selected row.
void printRoutes(const RouteListView& view, RouteOrder order, bool sjis) {
  const work_files::RouteList& list = listOf(view, order);
  warnUnknownFares(list, view.details);
  ScratchFile out;
  std::vector<int> detections;
  for (const work_files::RouteSummary& route : list.routes) detections.push_back(route.detection);
  if (writeRouteDescriptions(".", out.path(), static_cast<int>(order), 1, detections) != 0) {
    throw CommandFailure("kiv4cli: cannot describe the routes");
  }
  printWorkFile(out.path(), sjis);
}

RouteRequest requestOf(Engine& engine, const Invocation& inv) {
  ResolvedStation from = resolveStation(engine.staName, inv.stations[0], StationRole::kDeparture);
  ResolvedStation to = resolveStation(engine.staName, inv.stations[1], StationRole::kArrival);
  requireDifferentStations(from, to);
  engine.def.pushRecentDep(from.name);
  engine.def.pushRecentArv(to.name);
  const DepartureTime time = routeDepartureTime(engine.def, inv);
  return {std::move(from), std::move(to), time};
}

// A search that found nothing: the searches yield -1 both when there is no
// route and when they could not write their work files whole. Names the
// first work file that cannot be opened; else, when the search says a work
// file failed, that the files written were cut short; else there is no
// route.
[[noreturn]] void failSearch(const std::string& problem, std::initializer_list<const char*> files,
                             const std::string& written) {
  requireWritableWorkFiles(files);
  if (!problem.empty()) {
    // A sorted list is written after the others and is named on its own.
    const bool sortedList = problem == work_files::kRouteListTime || problem == work_files::kRouteListFare;
    throw CommandFailure("kiv4cli: cannot write " + (sortedList ? problem : written) + " in " +
                         currentDirectory() + " whole (is the disk full?); the route search has no result");
  }
  throw CommandFailure(kNoRoute);
}

}  // namespace

namespace {

// The overview of the best routes and the routes described, or JSON.
void printBestRoutes(const Engine& engine, const Invocation& inv, const RouteRequest& request,
                     const RouteListView& view, const std::vector<kiv::Journey>& journeys, int asked, int day,
                     bool arriveBy, bool cut, const std::string& head = {}) {
  if (inv.json) {
    printJson(inv, routesJson(engine, inv, request, cut, view, BestRoutesShown{&journeys, day, arriveBy}));
    return;
  }
  if (!inv.sjis) {
    const std::string shown =
        head.empty() ? listHead(utf8(request.from.name), utf8(request.to.name), asked, day, arriveBy) : head;
    printText(journeyOverview(journeys, shown, arriveBy ? journeys.front().departure : asked, day));
  }
  printRoutes(view, inv.order, inv.sjis);
}

// The journeys arriving by the time of the request (or, for the last
// train, by the end of its day), written to the route files; throws when
// there is none or the files cannot be written.
ArrivingBy arrivingBy(Engine& engine, const Invocation& inv, const RouteRequest& request, int routes,
                      bool lastTrain) {
  const ArriveByRequest wanted{request.from.number,
                               request.to.number,
                               request.time.day,
                               request.time.hour * 60 + request.time.minute,
                               inv.extra.value_or(engine.def.getDiffTime()),
                               inv.changes.value_or(engine.def.getTransMax()),
                               routes,
                               {}};
  ArrivingBy found = lastTrain ? searchLastTrain(engine.dia, wanted) : searchArrivingBy(engine.dia, wanted);
  if (found.result.journeys.empty()) throw CommandFailure(kNoRoute);
  if (found.written < 0) {
    failSearch(found.workFileProblem,
               {work_files::kRouteListFound, work_files::kRouteDetails, work_files::kRouteListTime,
                work_files::kRouteListFare},
               std::string(work_files::kRouteListFound) + " and " + work_files::kRouteDetails);
  }
  return found;
}

void runArriveBy(Engine& engine, const Invocation& inv, const RouteRequest& request, int routes) {
  const ArrivingBy found = arrivingBy(engine, inv, request, routes, false);
  const std::string head =
      listHead(utf8(request.from.name), utf8(request.to.name), found.arrival, found.day, true);
  const RouteListView view = routeListView(engine.staName, request.from.number, request.to.number, found);
  printBestRoutes(engine, inv, request, view, found.result.journeys, found.arrival, found.day, true,
                  found.result.cut, head);
}

}  // namespace

void runRoute(Engine& engine, const Invocation& inv) {
  const RouteRequest journey = requestOf(engine, inv);
  const auto& [from, to, time] = journey;
  if (inv.arriveBy) {
    runArriveBy(engine, inv, journey, inv.routes.value_or(engine.def.getRouteMax()));
    return;
  }
  const int extra = inv.extra.value_or(engine.def.getDiffTime());
  const int detour = inv.detour.value_or(engine.def.getDetour());
  RouteQuery query;
  query.from = from.number;
  query.to = to.number;
  query.hour = time.hour;
  query.minute = time.minute;
  query.day = time.day;
  query.detourKm = detour;
  query.extraMinutes = extra;
  query.maxChanges = inv.changes.value_or(engine.def.getTransMax());
  query.maxRoutes = inv.routes.value_or(engine.def.getRouteMax());
  query.mode = inv.mode ? static_cast<int>(*inv.mode) : engine.def.getRouteMode();
  const bool best = query.mode == static_cast<int>(RouteMode::kBest);

  RouteSearchResult list;
  {
    ProgressLine progress(engine.dia);
    list = engine.dia.searchRouteList(query);
  }
  const int found = list.found;
  // A search cut by its work budget before it found a route is no proof that there is none.
  if (found == 0 && reportEmptyCutList(list.end)) return;
  if (found == 0) throw CommandFailure(kNoRoute);
  if (found < 0) {
    failSearch(list.workFileProblem,
               {work_files::kRouteSearchLog, work_files::kRouteListFound, work_files::kRouteDetails,
                work_files::kRouteListTime, work_files::kRouteListFare},
               std::string(work_files::kRouteListFound) + " and " + work_files::kRouteDetails);
  }
  const bool limitReached = list.end == RouteListEnd::routeLimit;
  const RouteListView view = routeListView(engine.staName, query, list);
  if (best) {
    const int asked = time.hour * 60 + time.minute;
    const BestRoutesShown shown{&list.journeys, time.day, false};
    if (inv.json) {
      printJson(inv, withRouteListEnd(routesJson(engine, inv, journey, limitReached, view, shown), list.end));
    } else {
      printBestRoutes(engine, inv, journey, view, *shown.journeys, asked, time.day, false, limitReached);
    }
  } else if (inv.json) {
    printJson(inv, withRouteListEnd(routesJson(engine, inv, journey, limitReached, view), list.end));
  } else {
    printRoutes(view, inv.order, inv.sjis);
  }
  reportRouteListEnd(list.end, kRouteLimitReached);
}

void runLastTrain(Engine& engine, const Invocation& inv) {
  const RouteRequest request = requestOf(engine, inv);
  const int day = request.time.day;
  const ArrivingBy found = arrivingBy(engine, inv, request, 1, true);
  const BestRoutesResult& result = found.result;
  const std::string head = utf8(request.from.name) + "→" + utf8(request.to.name) + "  " +
                           std::string(dayLetter(day)) + "曜の最終 (翌朝 4:00 までに着く最も遅い出発)";
  const RouteListView view = routeListView(engine.staName, request.from.number, request.to.number, found);
  printBestRoutes(engine, inv, request, view, result.journeys, kServiceDayEnd, day, true, false, head);
}

void runFastest(Engine& engine, const Invocation& inv) {
  const RouteRequest journey = requestOf(engine, inv);
  const auto& [from, to, time] = journey;
  if (inv.arriveBy) {
    runArriveBy(engine, inv, journey, 1);
    return;
  }
  const FastestQuery query{from.number, to.number, time.hour, time.minute, time.day, !inv.plain};
  FastestResult found;
  if (engine.dia.fastestRoute(query, found) != 0) {
    failSearch(found.workFileProblem, {work_files::kFastestReport}, work_files::kFastestReport);
  }
  const FastestPath path = fastestPath(found);
  if (inv.json) {
    printJson(inv, fastestJson(engine, journey, path));
    return;
  }
  printWorkFile(work_files::kFastestReport, inv.sjis);
  printFareSections(engine, path, inv.sjis);
}

}  // namespace kiv::cli
