// The timetable searches as values: a query in, the route or the route list
// out, the working state the caller's own, and no setting read or changed.
#include <gtest/gtest.h>

#include <memory>

#include "Engine.h"
#include "TempDir.h"
#include "TextNetwork.h"
#include "TimetableFixture.h"
#include "timetable/FastestSearch.h"
#include "timetable/RouteSearch.h"

namespace kiv {
namespace {

// A to D over B (線1 then 線3, 25 minutes) or over C (線2 then 線4, 30
// minutes); F to H by one train passing G, and F reached from nowhere else.
constexpr char kTwoWays[] = R"(
line 甲線
kind 幹線
  0.0 A x
  1.0 B x
line 乙線
kind 幹線
  0.0 A
  1.0 C x
line 丙線
kind 幹線
  0.0 B
  1.0 D x
line 丁線
kind 幹線
  0.0 C
  1.0 D
line 己線
kind 幹線
  0.0 F x
  1.0 G x
  2.0 H x

train 線1
terminal B
at 0 hours 10
A
B 10
train 線2
terminal C
at 0 hours 10
A
C 10
train 線3
terminal D
at 15 hours 10
B
D 10
train 線4
terminal D
at 20 hours 10
C
D 10
train 線5
terminal H
at 0 hours 10
F
G 10
H 10
)";

class TimetableSearchValuesTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::compileNetworkInto(dir, kTwoWays));
    test::writeOutputMode(dir.path(), 1);
    engine = std::make_unique<Engine>(dir.path());
  }
  RDiaMan& dia() { return engine->dia; }

  test::TempDir dir;
  std::unique_ptr<Engine> engine;
};

TEST_F(TimetableSearchValuesTest, FastestRouteComesBackWithItsStops) {
  TimetableSearchState state(dia().searchStationCount());
  const FastestResult found = searchFastest(dia().network(), state, FastestQuery{1, 4, 10, 0, 1});
  ASSERT_TRUE(found.found());
  EXPECT_EQ(found.minutes, 25);
  ASSERT_EQ(found.path.size(), 3u);
  EXPECT_EQ(found.path[0].station, 1);
  EXPECT_EQ(found.path[0].trainIn, -1);
  EXPECT_EQ(found.path[0].departure, (TimeOfDay{10, 0}));
  EXPECT_EQ(found.path[1].station, 2);
  EXPECT_EQ(found.path[1].trainIn, found.path[0].trainOut);
  EXPECT_EQ(found.path[1].arrival, (TimeOfDay{10, 10}));
  EXPECT_EQ(found.path[1].departure, (TimeOfDay{10, 15}));
  EXPECT_EQ(found.path[2].station, 4);
  EXPECT_EQ(found.path[2].trainOut, -1);
  EXPECT_EQ(found.path[2].arrival, (TimeOfDay{10, 25}));
  // The minutes alone agree, and no route is a value too.
  EXPECT_EQ(fastestMinutes(dia().network(), state, FastestQuery{1, 4, 10, 0, 1}), 25);
  const FastestResult none = searchFastest(dia().network(), state, FastestQuery{1, 5, 10, 0, 1});  // A to F
  EXPECT_FALSE(none.found());
  EXPECT_TRUE(none.path.empty());
}

TEST_F(TimetableSearchValuesTest, ASearchInOneStateLeavesAnotherStateAlone) {
  TimetableSearchState first(dia().searchStationCount());
  ASSERT_EQ(fastestMinutes(dia().network(), first, FastestQuery{1, 4, 10, 0, 1}), 25);
  const std::vector<SearchNode> before = first.table;
  TimetableSearchState second(dia().searchStationCount());
  EXPECT_EQ(fastestMinutes(dia().network(), second, FastestQuery{1, 3, 10, 0, 1}), 10);  // A to C
  EXPECT_EQ(second.table[3].arrival, (TimeOfDay{10, 10}));
  EXPECT_EQ(first.table[3].arrival, before[3].arrival);
  EXPECT_EQ(first.table[3].cost, before[3].cost);
  EXPECT_EQ(first.table[4].arrival, (TimeOfDay{10, 25}));
  // The engine's own calls run in states of their own.
  EXPECT_EQ(dia().fastestTime(1, 3, 10, 0, 1), 10);
  EXPECT_EQ(first.table[4].arrival, (TimeOfDay{10, 25}));
}

TEST_F(TimetableSearchValuesTest, QueryDecidesThePlainReportWhateverTheSettings) {
  const StationNo f = 5;
  const StationNo h = 7;
  FastestResult found;
  ASSERT_EQ(dia().fastestRoute(FastestQuery{f, h, 10, 0, 1, false}, found), 0);
  const std::string plain = dir.readText("$TT$.kv4");
  EXPECT_EQ(found.minutes, 20);
  EXPECT_EQ(found.path.size(), 3u);
  ASSERT_EQ(dia().fastestRoute(FastestQuery{f, h, 10, 0, 1, true}, found), 0);
  const std::string detailed = dir.readText("$TT$.kv4");
  EXPECT_NE(plain, detailed);
  // The settings say detailed (output mode 1), and stay so.
  ASSERT_EQ(dia().fastestRoute(f, h, 10, 0, 1), 0);
  EXPECT_EQ(dir.readText("$TT$.kv4"), detailed);
  EXPECT_EQ(engine->def.getOutputMode(), 1);
}

TEST_F(TimetableSearchValuesTest, RouteQueryCarriesItsLimitsAndLeavesTheSettings) {
  const int routeMax = engine->def.getRouteMax();
  const int transMax = engine->def.getTransMax();
  ASSERT_GT(routeMax, 1);
  RouteQuery query;
  query.from = 1;
  query.to = 4;
  query.hour = 10;
  query.day = 1;
  query.detourKm = 50;
  query.extraMinutes = 60;
  query.maxChanges = 3;
  query.maxRoutes = 1;
  EXPECT_EQ(dia().searchRoutes(query), 1);
  EXPECT_EQ(dia().routeListEnd(), RouteListEnd::routeLimit);
  const std::string oneRoute = dir.readText("$MltRtL1.kv4");
  query.maxRoutes = 5;
  EXPECT_EQ(dia().searchRoutes(query), 2);
  EXPECT_EQ(dia().routeListEnd(), RouteListEnd::complete);
  // No change allowed: only routes on one train, and there is none.
  query.maxChanges = 0;
  EXPECT_EQ(dia().searchRoutes(query), 0);
  EXPECT_EQ(engine->def.getRouteMax(), routeMax);
  EXPECT_EQ(engine->def.getTransMax(), transMax);

  // The same limits through the settings give the same list.
  engine->def.setRouteMax(1);
  engine->def.setTransMax(3);
  engine->def.setRouteMode(kClassicRoutesMode);
  EXPECT_EQ(dia().searchRoutes(1, 4, 10, 0, 1, 50, 60), 1);
  EXPECT_EQ(dir.readText("$MltRtL1.kv4"), oneRoute);
}

}  // namespace
}  // namespace kiv
