// Stopping a route search from its progress callback, in both route modes,
// and the classic search's work budget.
#include <gtest/gtest.h>

#include "Engine.h"
#include "NetworkGenerator.h"
#include "TempDir.h"

namespace kiv {
namespace {

// A dense random network on which a search finds many routes.
struct DenseNetwork {
  test::TempDir dir;
  std::unique_ptr<Engine> engine;
  DenseNetwork() {
    test::writeRandomNetwork(dir.path(),
                             {.seed = 77, .stations = 16, .lines = 9, .stopsPerLine = 7, .walks = 4});
    engine = std::make_unique<Engine>(dir.path());
    engine->def.setRouteMax(300);
    engine->def.setTransMax(8);
  }
};

TEST(RouteProgress, StopEndsTheSearchInEitherModeWithACutList) {
  DenseNetwork net;
  RDiaMan& dia = net.engine->dia;
  // A journey with many routes in the first minutes of service.
  const int routes = dia.findRoutes(1, 9, 8, 0, 1, 1000, 60);
  ASSERT_GT(routes, 3) << "the network should offer several routes";

  for (int mode : {1, 2}) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    net.engine->def.setRouteMode(static_cast<std::int8_t>(mode));
    int calls = 0;
    dia.setProgressCallback([&calls](int, int) {
      ++calls;
      return false;
    });
    const int found = dia.findRoutes(1, 9, 8, 0, 1, 1000, 60);
    dia.setProgressCallback({});
    EXPECT_EQ(calls, 1) << "the search went on after the callback said stop";
    EXPECT_EQ(found, 1);
    EXPECT_TRUE(dia.routeListCut());
    EXPECT_EQ(dia.routeListEnd(), RDiaMan::RouteListEnd::stopped);
  }
}

// The work files of the last search, as they are.
std::string routeFiles(const test::TempDir& dir) {
  return dir.readText("$MltRtL1.kv4") + "|" + dir.readText("$MltRtDt.kv4");
}

TEST(RouteProgress, TheClassicSearchEndsAfterItsWorkBudgetKeepingWhatItFound) {
  DenseNetwork net;
  RDiaMan& dia = net.engine->dia;
  RDiaMan::RouteLimits limits = dia.routeLimitsFromSettings();
  ASSERT_EQ(limits.classicStepBudget, RDiaMan::kClassicStepBudget);
  // Every route within the limits: the budget is not reached.
  const int all = dia.findRoutes(1, 9, 8, 0, 1, 1000, 60, limits);
  ASSERT_GT(all, 3);
  ASSERT_LT(all, 300);
  EXPECT_EQ(dia.routeListEnd(), RDiaMan::RouteListEnd::complete);
  EXPECT_FALSE(dia.routeListCut());
  const std::string complete = routeFiles(net.dir);

  // A budget the whole search needs (found by halving) leaves the files as
  // they were; a budget a little smaller cuts the list.
  long enough = 1;
  for (;; enough *= 2) {
    limits.classicStepBudget = enough;
    if (dia.findRoutes(1, 9, 8, 0, 1, 1000, 60, limits) == all &&
        dia.routeListEnd() == RDiaMan::RouteListEnd::complete)
      break;
    ASSERT_LT(enough, 1L << 30);
  }
  EXPECT_EQ(routeFiles(net.dir), complete);
  limits.classicStepBudget = 3;
  const int cut = dia.findRoutes(1, 9, 8, 0, 1, 1000, 60, limits);
  EXPECT_EQ(dia.routeListEnd(), RDiaMan::RouteListEnd::workBudget);
  EXPECT_TRUE(dia.routeListCut());
  EXPECT_GE(cut, 0);
  EXPECT_LT(cut, all);
  // The routes found before the budget ran out are the first ones of the
  // whole list.
  const std::string first = net.dir.readText("$MltRtL1.kv4");
  EXPECT_EQ(complete.substr(0, first.size()), first);

  // The route limit is told apart from the budget.
  limits.classicStepBudget = RDiaMan::kClassicStepBudget;
  limits.routeMax = 2;
  EXPECT_EQ(dia.findRoutes(1, 9, 8, 0, 1, 1000, 60, limits), 2);
  EXPECT_EQ(dia.routeListEnd(), RDiaMan::RouteListEnd::routeLimit);
}

}  // namespace
}  // namespace kiv
