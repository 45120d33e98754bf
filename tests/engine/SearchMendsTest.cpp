// The searches a traveller can trust, each against the literal rule it mends:
// service days, the exact fastest route, through trains in the multi-route
// search and the best-routes mode. (Frequent services in the multi-route
// search: RoutesTest.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DistFareFixture.h"
#include "Engine.h"
#include "TempDir.h"
#include "TextNetwork.h"
#include "TimetableFixture.h"

namespace kiv {
namespace {

using test::servedHours;
using test::TempDir;
using test::TimetableWorld;
using test::workText;

constexpr std::uint32_t kMorning = servedHours(10, 11);
constexpr std::uint8_t kWeekends = 0x41;
constexpr std::uint8_t kWeekdays = 0x3E;
constexpr int kTuesday = 2;

// Written record by record (but for one test): private trains (network 10)
// over a row of JR stations cost nothing, which a compiled network never says
// (its trains stop only at stations of their own network).

// The route list without its heading line.
std::string routesOf(const TempDir& dir) {
  const std::string list = dir.readText("$MltRtL1.kv4");
  return list.substr(list.find('\n') + 1);
}

// A weekend-only train at 10:05 and an everyday one at 10:30.
TEST(SearchMendsTest, DeparturesRunOnlyOnTheirServiceDays) {
  TempDir dir;
  test::trunkRow(2).write(dir.path());
  TimetableWorld world({"甲", "乙"});
  const auto [weekend, daily] = world.trains({"休日線", "毎日線"}, 10);
  world.timed(weekend, 1, 2, 5, 5, kMorning).days = kWeekends;
  world.timed(daily, 1, 2, 30, 5, kMorning);
  world.write(dir.path());
  Engine engine(dir.path());

  EXPECT_EQ(engine.dia.fastestTime(1, 2, 10, 0, kTuesday), 35);
  EXPECT_EQ(engine.dia.fastestTime(1, 2, 10, 0, 6), 10);
  EXPECT_EQ(engine.dia.findRoutes(1, 2, 10, 0, kTuesday, 10, 60), 1);
  EXPECT_EQ(routesOf(dir), workText("9 0 0 10:35 35 0 0 5 0 30 なし\n"));

  engine.dia.setSearchRules(test::rulesWithout(&RouteSearchRules::serviceDays));
  EXPECT_EQ(engine.dia.fastestTime(1, 2, 10, 0, kTuesday), 10);
  EXPECT_EQ(engine.dia.findRoutes(1, 2, 10, 0, kTuesday, 10, 60), 2);
  EXPECT_EQ(routesOf(dir), workText("9 0 0 10:10 10 0 0 5 0 5 なし\n"
                                    "9 1 1 10:35 35 0 0 5 0 30 なし\n"));
}

// An hour past midnight belongs to the next day's service.
TEST(SearchMendsTest, NextServedHourLooksAtTheDayOfEachHour) {
  const std::uint32_t hours = servedHours(0, 0) | servedHours(6, 6);
  const TimeOfDay late{23, 50};
  // Saturday night: hours 24..47 fall on Sunday, when a weekday train does not run.
  EXPECT_EQ(RDiaMan::nextServedHour(hours, kWeekdays, 6, 10, late), -1);
  // Sunday night: hour 24 is Monday's 0:10.
  EXPECT_EQ(RDiaMan::nextServedHour(hours, kWeekdays, 0, 10, late), 24);
  // Friday night: only Friday's own hours; Saturday's never come.
  EXPECT_EQ(RDiaMan::nextServedHour(hours, kWeekdays, 5, 10, TimeOfDay{5, 0}), 6);
  EXPECT_EQ(RDiaMan::nextServedHour(hours, kWeekdays, 5, 10, late), -1);
  // No day tested: the hours alone.
  EXPECT_EQ(RDiaMan::nextServedHour(hours, kWeekdays, -1, 10, late), 24);
}

// 甲 -> 乙 -> 丙. The local 各停 reaches 乙 first (10:10) but the change to
// the through train 快速 takes 5 minutes and misses its 10:12 departure; the
// only other train on is 普通 at 10:15. Staying on 快速 from 甲 (10:02)
// reaches 丙 at 10:22.
TimetableWorld throughTrainWorld() {
  TimetableWorld world({"甲", "乙", "丙"});
  const auto [local, rapid, slow] = world.trains({"各停", "快速", "普通"}, 10);
  world.timed(local, 1, 2, 0, 10, kMorning);
  world.timed(rapid, 1, 2, 2, 10, kMorning);
  world.timed(rapid, 2, 3, 12, 10, kMorning);
  world.timed(slow, 2, 3, 15, 10, kMorning);
  world.transfer(2, local, rapid, 5);
  return world;
}

TEST(SearchMendsTest, FastestRouteStaysOnTheThroughTrain) {
  TempDir dir;
  test::trunkRow(3).write(dir.path());
  throughTrainWorld().write(dir.path());
  Engine engine(dir.path());

  EXPECT_EQ(engine.dia.fastestTime(1, 3, 10, 0, 1), 22);
  ASSERT_EQ(engine.dia.fastestRoute(1, 3, 10, 0, 1), 0);
  EXPECT_EQ(dir.readText("$TT$.kv4"), workText("☆★ ［ 甲→丙 ］のルート(時間優先) ★☆\n\n"
                                               "    10:00  出発時刻\n"
                                               "    10:02  甲発\n"
                                               "      |------- 快速\n"
                                               "      |( 乙 10:12 )\n"
                                               "    10:22  丙着\n"
                                               "\n    予想所要時間  22分\n"
                                               "\n\n注 : 実際のダイヤとは異なります。\n"));

  // One label per station: 乙 is kept for the earlier 各停, and from there
  // only 普通 is caught.
  engine.dia.setSearchRules(test::rulesWithout(&RouteSearchRules::exactFastest));
  EXPECT_EQ(engine.dia.fastestTime(1, 3, 10, 0, 1), 25);
}

TEST(SearchMendsTest, MultiRouteSearchFollowsEveryTrainTowardsANeighbour) {
  TempDir dir;
  test::trunkRow(3).write(dir.path());
  throughTrainWorld().write(dir.path());
  Engine engine(dir.path());

  // Per train towards 乙, cheapest first: 各停 (10), then 快速 (12); from 乙
  // on 各停 only 普通 is caught, on 快速 the passenger stays on board or
  // changes to 普通 (1 minute within the company).
  EXPECT_EQ(engine.dia.findRoutes(1, 3, 10, 0, 1, 10, 5), 3);
  EXPECT_EQ(routesOf(dir), workText("9 0 0 10:25 25 0 1 20 1 4 乙\n"
                                    "9 1 1 10:22 22 0 0 20 0 2 なし\n"
                                    "9 2 2 10:25 25 0 1 20 1 4 乙\n"));

  // The literal search follows 各停 alone and, within 22 + 5 minutes of the
  // exact fastest time, finds only the slower route with a change.
  engine.dia.setSearchRules(test::rulesWithout(&RouteSearchRules::throughTrains));
  EXPECT_EQ(engine.dia.findRoutes(1, 3, 10, 0, 1, 10, 5), 1);
  EXPECT_EQ(routesOf(dir), workText("9 0 0 10:25 25 0 1 20 1 4 乙\n"));
}

// 直通 reaches 丙 through 乙 with no change at 10:30; at 乙 the passenger
// could also change to 接続, which arrives at the same time.
TEST(SearchMendsTest, FastestRouteTakesTheFewestChangesAmongEarliestArrivals) {
  // 接続 comes first in the file, so its record at 乙 is the first there.
  const test::DataDir dir = test::compileNetwork(std::string(test::kLineKoOtsuHei) + R"(
train 接続
terminal 丙
at 15 hours 10-11
乙
丙 15

train 直通
terminal 丙
at 0 hours 10-11
甲
乙 10
丙 20
)");
  test::writeOutputMode(dir.path(), 0);
  Engine engine(dir.path());

  const std::string direct = workText(
      "☆★ ［ 甲→丙 ］のルート(時間優先) ★☆\n\n"
      "    10:00  出発時刻\n"
      "    10:00  甲発\n"
      "      |------- 直通\n"
      "    10:30  丙着\n"
      "\n    予想所要時間  30分\n"
      "\n\n注 : 実際のダイヤとは異なります。\n");
  ASSERT_EQ(engine.dia.fastestRoute(1, 3, 10, 0, 1), 0);
  EXPECT_EQ(dir.readText("$TT$.kv4"), direct);

  // The first record to offer 10:30 wins with one label per station.
  engine.dia.setSearchRules(test::rulesWithout(&RouteSearchRules::exactFastest));
  ASSERT_EQ(engine.dia.fastestRoute(1, 3, 10, 0, 1), 0);
  EXPECT_NE(dir.readText("$TT$.kv4"), direct);
}

// Three routes found in the order 快速 through (10:22), 各停 then 普通, and
// 快速 then 普通. Best routes: by arrival, then changes, then fare.
TEST(SearchMendsTest, BestRoutesModeWritesOnlyRoutesNoOtherBeats) {
  TempDir dir;
  test::trunkRow(3).write(dir.path());
  throughTrainWorld().write(dir.path());
  Engine engine(dir.path());
  engine.def.setRouteMode(2);

  // The through train leaves at the same time, arrives earlier and changes
  // less: the two routes with a change at 乙 are beaten and not listed.
  EXPECT_EQ(engine.dia.searchRoutes(1, 3, 10, 0, 1, 10, 5), 1);
  EXPECT_FALSE(engine.dia.routeListCut());
  EXPECT_EQ(routesOf(dir), workText("9 0 0 10:22 22 0 0 20 0 2 なし\n"));
  // The details are numbered as the list.
  const std::string details = dir.readText("$MltRtDt.kv4");
  EXPECT_EQ(details.substr(0, details.find('\n') + 1), workText("1 0 甲 0 2 10:00 10:02\n"));
  engine.def.setRouteMax(2);

  // Classic mode: the first two found.
  engine.def.setRouteMode(1);
  EXPECT_EQ(engine.dia.searchRoutes(1, 3, 10, 0, 1, 10, 5), 2);
  EXPECT_TRUE(engine.dia.routeListCut());
  EXPECT_EQ(routesOf(dir), workText("9 0 0 10:25 25 0 1 20 1 4 乙\n"
                                    "9 1 1 10:22 22 0 0 20 0 2 なし\n"));
}

}  // namespace
}  // namespace kiv
