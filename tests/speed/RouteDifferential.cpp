#include "RouteDifferential.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>

#include "RouteListReference.h"
#include "TimetableSearchReference.h"
#include "data/BinaryIO.h"

namespace kiv::test {

namespace {

// The work files, and the descriptions of every route in each order.
const char* const kWorkFiles[] = {"$TT$.kv4",     "$MltRtL1.kv4", "$MltRtL2.kv4", "$MltRtL3.kv4",
                                  "$MltRtDt.kv4", "$vflg.kv4",    "routes.txt"};

// What one implementation gave for one query: the return values and the
// work files (empty when a file was not written).
struct Outcome {
  int fastestMinutes = 0;
  int fastestReport = 0;
  int routesFound = 0;
  bool cut = false;
  std::vector<std::vector<std::uint8_t>> files;
};

// The reference searches run in *plain, the fast ones (plain null) in the engine's state.
Outcome runQuery(Engine& e, const std::filesystem::path& dir, TimetableSearchState* plain,
                 const RouteQuery& q, int mode, const RouteLimitsCase& limits) {
  for (const char* name : kWorkFiles) std::filesystem::remove(dir / name);
  e.def.setRouteMode(static_cast<std::int8_t>(mode));
  e.def.setRouteMax(static_cast<std::int16_t>(limits.routeMax));
  e.def.setTransMax(static_cast<std::int8_t>(limits.transMax));
  Outcome out;
  if (plain) {
    out.fastestMinutes =
        reference::fastestMinutes(e.dia.network(), *plain, {q.from, q.to, q.hour, q.minute, q.day});
    FastestResult route;
    out.fastestReport = reference::fastestRoute(
        e.dia, *plain, {q.from, q.to, q.hour, q.minute, q.day, e.def.getOutputMode() == 1}, route);
    const RDiaMan::RouteLimits l = e.dia.routeLimitsFromSettings();
    const RouteSearchResult routes =
        reference::searchRoutes(e.dia, *plain,
                                {q.from, q.to, q.hour, q.minute, q.day, limits.detourKm, limits.extraMinutes,
                                 l.transMax, l.routeMax, l.modeRoute, l.classicStepBudget});
    out.routesFound = routes.found;
    out.cut = routes.cut;
  } else {
    out.fastestMinutes = e.dia.fastestTime(q.from, q.to, q.hour, q.minute, q.day);
    out.fastestReport = e.dia.fastestRoute(q.from, q.to, q.hour, q.minute, q.day);
    out.routesFound =
        e.dia.searchRoutes(q.from, q.to, q.hour, q.minute, q.day, limits.detourKm, limits.extraMinutes);
    out.cut = e.dia.routeListCut();
  }
  // The first routes of each order.
  const int described = std::min(out.routesFound, 12);
  for (int order = 1; order <= 3; ++order) {
    for (int k = 0; k < described; ++k) {
      EXPECT_EQ(e.dia.writeRouteDetail(dir / "routes.txt", order + k == 1 ? "w" : "a", k, order, k + 1), 0);
    }
  }
  for (const char* name : kWorkFiles)
    out.files.push_back(readWholeFile(dir / name).value_or(std::vector<std::uint8_t>{}));
  return out;
}

}  // namespace

void expectSameRouteSearches(Engine& engine, const std::filesystem::path& dir,
                             const std::vector<RouteQuery>& queries, const RouteSearchRules& rules,
                             const std::vector<RouteLimitsCase>& limits) {
  engine.dia.setSearchRules(rules);
  TimetableSearchState plain(engine.dia.searchStationCount());
  for (const RouteQuery& q : queries) {
    for (const RouteLimitsCase& l : limits) {
      for (int mode : {1, 2}) {
        SCOPED_TRACE("route " + std::to_string(q.from) + "->" + std::to_string(q.to) + " at " +
                     std::to_string(q.hour) + ":" + std::to_string(q.minute) + " day " +
                     std::to_string(q.day) + ", mode " + std::to_string(mode) + ", detour " +
                     std::to_string(l.detourKm) + ", extra " + std::to_string(l.extraMinutes) + ", routes " +
                     std::to_string(l.routeMax));
        const Outcome reference = runQuery(engine, dir, &plain, q, mode, l);
        const Outcome fast = runQuery(engine, dir, nullptr, q, mode, l);
        EXPECT_EQ(fast.fastestMinutes, reference.fastestMinutes);
        EXPECT_EQ(fast.fastestReport, reference.fastestReport);
        EXPECT_EQ(fast.routesFound, reference.routesFound);
        // Whether the list was cut says something only of a list written.
        if (reference.routesFound >= 0) {
          EXPECT_EQ(fast.cut, reference.cut);
        }
        for (std::size_t k = 0; k < reference.files.size(); ++k) {
          EXPECT_TRUE(fast.files[k] == reference.files[k]) << kWorkFiles[k] << " differs";
        }
      }
    }
  }
  engine.dia.setSearchRules(RouteSearchRules{});
}

std::vector<RouteQuery> randomRouteQueries(int stations, int count, unsigned seed) {
  std::mt19937 dice(seed);
  const auto between = [&dice](int low, int high) {
    return low + static_cast<int>(dice() % static_cast<unsigned>(high - low + 1));
  };
  std::vector<RouteQuery> queries;
  while (static_cast<int>(queries.size()) < count) {
    const auto from = static_cast<StationNo>(between(1, stations));
    const auto to = static_cast<StationNo>(between(1, stations));
    if (from == to) continue;
    // Mostly daytime, sometimes late at night (service runs over midnight).
    const int hour = between(0, 9) < 8 ? between(5, 20) : between(21, 23);
    queries.push_back({from, to, hour, between(0, 59), between(0, 6)});
  }
  return queries;
}

}  // namespace kiv::test
