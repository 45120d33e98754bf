// route and fastest: the route command and the old single-route command of
// the main window, with the route list printed as the route list window
// saves it.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "CliErrors.h"
#include "Commands.h"
#include "Engine.h"
#include "Output.h"
#include "ReportText.h"
#include "RunSettings.h"
#include "StationArg.h"

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

const char* listFileOf(RouteOrder order) {
  switch (order) {
    case RouteOrder::kTime:
      return "$MltRtL2.kv4";
    case RouteOrder::kFare:
      return "$MltRtL3.kv4";
    case RouteOrder::kFound:
      break;
  }
  return "$MltRtL1.kv4";
}

// The detection numbers of the routes of a route list file, in its order.
std::vector<int> detectionNumbers(const char* listFile) {
  std::vector<std::string> lines;
  if (!report_text::readLines(listFile, lines)) {
    throw CommandFailure(std::string("kiv4cli: cannot read ") + listFile);
  }
  std::vector<int> numbers;
  for (const std::string& line : lines) {
    const std::vector<std::string> w = report_text::words(line);
    if (w.size() >= 3 && w[0] == "9") numbers.push_back(std::atoi(w[2].c_str()));
  }
  return numbers;
}

// Every route of the chosen list, each described as the route list window
// saves a selected row.
void printRoutes(RDiaMan& dia, RouteOrder order, bool sjis) {
  const std::vector<int> routes = detectionNumbers(listFileOf(order));
  ScratchFile out;
  int row = 0;
  for (int detection : routes) {
    ++row;
    if (dia.writeRouteDetail(out.path(), row == 1 ? "w" : "a", detection, static_cast<int>(order), row) !=
        0) {
      throw CommandFailure("kiv4cli: cannot describe route " + std::to_string(row));
    }
  }
  printWorkFile(out.path(), sjis);
}

// The two stations and the departure time of a route command. The stations
// must differ, and become the latest departure and arrival of the recent lists.
struct Journey {
  ResolvedStation from;
  ResolvedStation to;
  DepartureTime time;
};

Journey journeyOf(Engine& engine, const Invocation& inv) {
  ResolvedStation from = resolveStation(engine.staName, inv.stations[0], StationRole::kDeparture);
  ResolvedStation to = resolveStation(engine.staName, inv.stations[1], StationRole::kArrival);
  requireDifferentStations(from, to);
  engine.def.pushRecentDep(from.name);
  engine.def.pushRecentArv(to.name);
  const DepartureTime time = routeDepartureTime(engine.def, inv);
  return {std::move(from), std::move(to), time};
}

}  // namespace

void runRoute(Engine& engine, const Invocation& inv) {
  const auto [from, to, time] = journeyOf(engine, inv);
  const int extra = inv.extra.value_or(engine.def.getDiffTime());
  const int detour = inv.detour.value_or(engine.def.getDetour());
  RunSettings run(engine.def);
  if (inv.changes) run.setTransMax(*inv.changes);
  if (inv.routes) run.setRouteMax(*inv.routes);
  if (inv.mode) run.setRouteMode(static_cast<int>(*inv.mode));

  int found = 0;
  {
    ProgressLine progress(engine.dia);
    found = engine.dia.searchRoutes(from.number, to.number, time.hour, time.minute, time.day, detour, extra);
  }
  if (found < 1) {
    // The search also fails when it cannot create its files.
    requireWritableWorkFiles({"$vflg.kv4", "$MltRtL1.kv4", "$MltRtDt.kv4"});
    throw CommandFailure(kNoRoute);
  }
  printRoutes(engine.dia, inv.order, inv.sjis);
  if (engine.dia.routeListCut()) std::fprintf(stderr, "%s\n", kRouteLimitReached);
}

void runFastest(Engine& engine, const Invocation& inv) {
  const auto [from, to, time] = journeyOf(engine, inv);
  RunSettings run(engine.def);
  run.setOutputMode(inv.plain ? 0 : 1);
  if (engine.dia.fastestRoute(from.number, to.number, time.hour, time.minute, time.day) != 0) {
    requireWritableWorkFiles({"$TT$.kv4"});
    throw CommandFailure(kNoRoute);
  }
  printWorkFile("$TT$.kv4", inv.sjis);
}

}  // namespace kiv::cli
