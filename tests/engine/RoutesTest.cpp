// The multi-route search on small hand-built networks: the distance filter,
// the time, change, route and path-length limits, the choice among the
// departures towards one neighbour, and the route records.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "DistFareFixture.h"
#include "Engine.h"
#include "RouteRecords.h"
#include "TempDir.h"
#include "TextNetwork.h"
#include "TimetableFixture.h"

namespace kiv {
namespace {

using test::servedHours;
using test::sjis;
using test::TempDir;
using test::TimetableWorld;
using test::trunkLines;
using test::workText;

constexpr std::uint32_t kAllDay = servedHours(0, 23);
constexpr std::uint32_t kMorning = servedHours(10, 11);

// The last word of the second line of a route list: the first route's via text.
std::string firstVia(const std::string& list) {
  const auto lineStart = list.find('\n') + 1;
  const auto lineEnd = list.find("\r\n", lineStart);
  const std::string line = list.substr(lineStart, lineEnd - lineStart);
  return line.substr(line.rfind(' ') + 1);
}

// Most tests write their networks record by record (TimetableFixture.h), for
// shapes the compiler never writes: private trains (network 10) over JR
// stations, whose fare sections cost nothing (a compiled train stops only at
// stations of its own network); walking connections at other intervals than
// the compiled one minute; a train timed at one stop and frequent at the
// next; a station's links out of next-station order.
class RoutesTest : public testing::Test {
 protected:
  // Writes the distances and the timetable and opens an engine on them.
  Engine& open(const test::DistFareWorld& dist, const TimetableWorld& table) {
    engine.reset();
    dist.write(dir.path());
    table.write(dir.path());
    engine = std::make_unique<Engine>(dir.path());
    return *engine;
  }
  // The multi-route search's result at 10:00 on a Monday, detour 10 km, and
  // its route list.
  std::pair<int, std::string> found(StationNo from, StationNo to, int extra) {
    const int count = engine->dia.findRoutes(from, to, 10, 0, 1, 10, extra);
    return {count, dir.readText("$MltRtL1.kv4")};
  }
  std::string details() const { return dir.readText("$MltRtDt.kv4"); }

  TempDir dir;
  std::unique_ptr<Engine> engine;
};

// The pair `found` gives for a count and a route list written in UTF-8.
std::pair<int, std::string> listed(int count, const std::string& utf8List) {
  return {count, workText(utf8List)};
}

// A JR line of stations with the given names, 100 m apart. Every hop k -> k + 1
// runs every 2 minutes all day and rides 1 minute, with its own train k
// (named "線k") or, when oneTrain, train 1 throughout.
void writeLine(const TempDir& dir, const std::vector<std::string>& names, bool oneTrain) {
  std::string source = "line 線\nkind 幹線\n";
  for (std::size_t s = 0; s < names.size(); ++s)
    source += std::to_string(s / 10) + "." + std::to_string(s % 10) + " " + names[s] + " x\n";
  const auto train = [&](std::size_t first, std::size_t last) {
    source += "train 線" + std::to_string(first + 1) + "\nterminal " + names[last] +
              "\nevery 2 hours 0-23\n" + names[first] + "\n";
    for (std::size_t s = first + 1; s <= last; ++s) source += names[s] + " 1\n";
  };
  if (oneTrain) {
    train(0, names.size() - 1);
  } else {
    for (std::size_t s = 0; s + 1 < names.size(); ++s) train(s, s + 1);
  }
  test::compileNetworkInto(dir, {{"line.txt", source}});
}

// Twelve double-byte characters, 24 bytes of Shift-JIS: "長" ten times and
// the number in full-width digits.
std::string longName(int n) {
  const char* digits[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
  std::string name;
  for (int i = 0; i < 10; ++i) name += "長";
  return name + digits[n / 10] + digits[n % 10];
}

// One route through every kind of record: a JR train, a change to another
// JR train with 3 transfer minutes, a walking connection and a private
// train that is timed at one station and stays on board as a frequent
// service at the next. The fare sections change at the network codes, not
// at the trains.
TEST_F(RoutesTest, RecordsChangesSegmentsAndFareSectionsOfARoute) {
  test::DistFareWorld dist(6);
  dist.network(0, {1, 2, 3});
  dist.network(10, {4, 5, 6});
  dist.jrBoth(1, 2, 100, 3);
  dist.jrBoth(2, 3, 80, 3);
  dist.link(3, 4);
  dist.prBoth(10, 4, 5, 50, 0);
  dist.prBoth(10, 5, 6, 60, 0);
  dist.special(0, 1, 3, 31);  // 10-yen units
  dist.special(10, 4, 6, 24);

  TimetableWorld table({"甲", "乙", "丙", "丁", "戊", "己"});
  const auto [red, green] = table.trains({"赤線", "緑線"}, 0);
  const TrainNo walk = table.train("徒歩連絡", 900);
  const TrainNo blue = table.train("青線", 10);
  table.timed(red, 1, 2, 5, 10, kMorning);
  table.timed(green, 2, 3, 20, 8, kMorning);
  table.every(walk, 3, 4, 2, 4, kAllDay);
  table.timed(blue, 4, 5, 40, 5, kMorning);
  table.every(blue, 5, 6, 10, 6, kMorning);
  table.transfer(2, red, green, 3);
  table.transfer(3, green, walk, 0);
  table.transfer(4, walk, blue, 0);

  Engine& engine = open(dist, table);
  std::vector<std::pair<int, int>> progress;
  engine.dia.setProgressCallback([&](int found, int depth) {
    progress.emplace_back(found, depth);
    return true;
  });
  ASSERT_EQ(engine.dia.fastestTime(1, 6, 10, 0, 1), 51);
  EXPECT_EQ(engine.dia.searchRoutes(1, 6, 10, 0, 1, 0, 15), 1);
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 6}}));

  const std::string pad(22, ' ');
  EXPECT_EQ(dir.readText("$vflg.kv4"),
            workText("出発駅:甲\n目的駅:己\n最短距離:290(100m)\n迂回限度:0 km\n"
                     "距離限度:290(100m)\n"
                     "○    290(    0,  290) : 甲" +
                     pad + "\n○    290(  100,  190) : 乙" + pad + "\n○    290(  180,  110) : 丙" + pad +
                     "\n○    290(  180,  110) : 丁" + pad + "\n○    290(  230,   60) : 戊" + pad +
                     "\n○    290(  290,    0) : 己" + pad + "\n"));
  EXPECT_EQ(dir.readText("$MltRtL1.kv4"), workText(test::kMixedRouteList));
  EXPECT_EQ(details(), workText(test::kMixedRouteDetails));
  // searchRoutes sorts the list as well.
  EXPECT_EQ(dir.readText("$MltRtL2.kv4"), workText(test::kMixedRouteList));
}

// 丁 lies exactly on the detour ellipse (60 + 60 = 100 + 2 km), 戊 one
// hundred metres outside it; the fastest route through 戊 still sets the
// time limit, but the enumeration never enters 戊.
TEST_F(RoutesTest, DetourEllipseIncludesItsBoundary) {
  const test::DataDir dir = test::compileNetwork(R"(
line 赤線
kind 幹線
   0.0 甲 x
   5.0 乙 x
  10.0 丙 x
line 緑線
kind 幹線
   0.0 甲
   6.0 丁 x
  12.0 丙
line 青線
kind 幹線
   0.0 甲
   6.0 戊 x
  12.1 丙

train 赤線
terminal 丙
at 0 hours 10-11
甲
乙 10
丙 10
train 緑線
terminal 丙
at 0 hours 10-11
甲
丁 12
丙 12
train 青線
terminal 丙
at 0 hours 10-11
甲
戊 5
丙 5

fare 0 甲 丙 200
)");

  Engine engine(dir.path());
  ASSERT_EQ(engine.dia.fastestTime(1, 3, 10, 0, 1), 10);
  EXPECT_EQ(engine.dia.findRoutes(1, 3, 10, 0, 1, 2, 20), 2);
  EXPECT_EQ(dir.readText("$MltRtL1.kv4"), workText("0 甲 丙 10:00\n"
                                                   "9 0 0 10:20 20 200 0 20 0 0 なし\n"
                                                   "9 1 1 10:24 24 200 0 24 0 0 なし\n"));
  const std::string pad(22, ' ');
  EXPECT_EQ(dir.readText("$vflg.kv4"),
            workText("出発駅:甲\n目的駅:丙\n最短距離:100(100m)\n迂回限度:2 km\n"
                     "距離限度:120(100m)\n"
                     "○    100(    0,  100) : 甲" +
                     pad + "\n○    100(   50,   50) : 乙" + pad + "\n○    100(  100,    0) : 丙" + pad +
                     "\n○    120(   60,   60) : 丁" + pad + "\n"));
}

// Direct 10 minutes; through 丙 exactly 10 + 5; through 丁 one minute more.
TEST_F(RoutesTest, TimeLimitAllowsTheFastestPlusExtraMinutesAndNoMore) {
  TimetableWorld table({"甲", "乙", "丙", "丁"});
  const auto [red, green, blue] = table.trains({"赤線", "緑線", "青線"}, 10);
  table.timed(red, 1, 2, 0, 10, kMorning);
  table.timed(green, 1, 3, 0, 7, kMorning);
  table.timed(blue, 1, 4, 0, 8, kMorning);
  table.timed(green, 3, 2, 7, 8, kMorning);
  table.timed(blue, 4, 2, 8, 8, kMorning);
  open(trunkLines(4, {{1, 2, 10}, {1, 3, 10}, {3, 2, 10}, {1, 4, 10}, {4, 2, 10}}), table);

  EXPECT_EQ(found(1, 2, 5), listed(2,
                                   "0 甲 乙 10:00\n"
                                   "9 0 0 10:10 10 0 0 10 0 0 なし\n"
                                   "9 1 1 10:15 15 0 0 15 0 0 なし\n"));
  EXPECT_EQ(found(1, 2, 4).first, 1);
}

// Walking onto a train counts as a change for the limit, though the route
// shows no change; a change between two walking connections counts for
// neither. Both list the change station in the via text.
TEST_F(RoutesTest, WalkingConnectionsInTheChangeCount) {
  {
    TimetableWorld table({"甲", "乙", "丙"});
    const TrainNo walk = table.train("徒歩連絡", 900);
    const TrainNo red = table.train("赤線", 10);
    table.every(walk, 1, 2, 2, 3, kAllDay);
    table.timed(red, 2, 3, 10, 5, kMorning);
    Engine& engine = open(test::trunkRow(3), table);

    engine.def.setTransMax(0);
    EXPECT_EQ(found(1, 3, 0), listed(0, "0 甲 丙 10:00\n"));
    engine.def.setTransMax(1);
    EXPECT_EQ(found(1, 3, 0), listed(1,
                                     "0 甲 丙 10:00\n"
                                     "9 0 0 10:15 15 0 0 5 3 7 乙\n"));
  }
  {
    TimetableWorld table({"甲", "乙", "丙"});
    const TrainNo first = table.train("徒歩一", 900);
    const TrainNo second = table.train("徒歩二", 900);
    table.every(first, 1, 2, 2, 3, kAllDay);
    table.every(second, 2, 3, 4, 5, kAllDay);
    Engine& engine = open(test::trunkRow(3), table);

    engine.def.setTransMax(0);
    EXPECT_EQ(found(1, 3, 0), listed(1,
                                     "0 甲 丙 10:00\n"
                                     "9 0 0 10:11 11 0 0 0 8 3 乙\n"));
    EXPECT_EQ(details(), workText("1 0 甲 0 1 10:00 10:01\n"
                                  "1 0 乙 0 2 10:04 10:06\n"
                                  "2 0 徒歩一 甲 乙 10:01 10:04 0 3\n"
                                  "2 0 徒歩二 乙 丙 10:06 10:11 0 5\n"
                                  "3 0 0900 徒歩 甲 丙 0\n"));
  }
}

// Three equally fast routes, whose first hops the link index lists as
// 丁, 乙, 丙: routes are detected in that order, and the search stops once
// route_max of them are found.
TEST_F(RoutesTest, StopsAtTheRouteLimitInDetectionOrder) {
  TimetableWorld table({"甲", "乙", "丙", "丁", "戊"});
  const auto [red, blue] = table.trains({"赤線", "青線"}, 10);
  for (StationNo mid : {4, 2, 3}) table.timed(red, 1, mid, 0, 5, kMorning);
  for (StationNo mid : {2, 3, 4}) table.timed(blue, mid, 5, 6, 5, kMorning);
  Engine& engine =
      open(trunkLines(5, {{1, 2, 10}, {2, 5, 10}, {1, 3, 10}, {3, 5, 10}, {1, 4, 10}, {4, 5, 10}}), table);

  std::vector<std::pair<int, int>> progress;
  engine.dia.setProgressCallback([&](int found, int depth) {
    progress.emplace_back(found, depth);
    return true;
  });
  const auto firstTwo = listed(2,
                               "0 甲 戊 10:00\n"
                               "9 0 0 10:11 11 0 1 10 1 0 丁\n"
                               "9 1 1 10:11 11 0 1 10 1 0 乙\n");
  engine.def.setRouteMax(2);
  EXPECT_EQ(found(1, 5, 0), firstTwo);
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}}));

  engine.def.setRouteMax(5);
  const auto all = found(1, 5, 0);
  EXPECT_EQ(all.first, 3);
  EXPECT_EQ(firstVia(all.second), sjis("丁"));

  // A callback that says stop ends the search as the route limit would.
  engine.dia.setProgressCallback([](int found, int) { return found < 2; });
  EXPECT_EQ(found(1, 5, 0), firstTwo);
}

// Without through trains, of the departures towards one neighbour the
// cheapest is followed; a later one costing the same does not replace it,
// nor its wait at the station. With them, one departure per train is
// followed, cheapest first and of equal costs the first in the file.
TEST_F(RoutesTest, FollowsTheFirstOfEqualCostDepartures) {
  TimetableWorld table({"甲", "乙"});
  const auto [red, green, blue] = table.trains({"赤線", "緑線", "青線"}, 10);
  table.timed(red, 1, 2, 5, 11, kMorning);    // 16 minutes
  table.timed(green, 1, 2, 10, 5, kMorning);  // 15
  table.timed(blue, 1, 2, 0, 15, kMorning);   // 15
  Engine& engine = open(test::trunkRow(2), table);

  EXPECT_EQ(found(1, 2, 1), listed(3,
                                   "0 甲 乙 10:00\n"
                                   "9 0 0 10:15 15 0 0 5 0 10 なし\n"
                                   "9 1 1 10:15 15 0 0 15 0 0 なし\n"
                                   "9 2 2 10:16 16 0 0 11 0 5 なし\n"));

  engine.dia.setSearchRules(test::rulesWithout(&RouteSearchRules::throughTrains));
  EXPECT_EQ(found(1, 2, 0).first, 1);
  EXPECT_EQ(details(), workText("1 0 甲 0 10 10:00 10:10\n"
                                "2 0 緑線 甲 乙 10:10 10:15 5 0\n"
                                "3 0 0010 東武 甲 乙 0\n"));
}

// A frequent service is boarded as its next departure: at 9:05, before its
// first served hour, it leaves at 11:00. Under the literal rule the search took
// it half an interval on at any hour and so found a route faster than the
// fastest time. Before 10:00 and under ten minutes, the list pads hour and
// total with a blank, the details with "0".
TEST_F(RoutesTest, FrequentServiceWaitsForItsServedHours) {
  TimetableWorld table({"甲", "乙"});
  const TrainNo red = table.train("赤線", 10);
  table.every(red, 1, 2, 10, 4, servedHours(11, 12));
  Engine& engine = open(test::trunkRow(2), table);

  ASSERT_EQ(engine.dia.fastestTime(1, 2, 9, 5, 1), 119);
  EXPECT_EQ(engine.dia.searchRoutes(1, 2, 9, 5, 1, 10, 0), 1);
  EXPECT_EQ(dir.readText("$MltRtL1.kv4"), workText("0 甲 乙  9:05\n"
                                                   "9 0 0 11:04 119 0 0 4 0 115 なし\n"));
  EXPECT_EQ(details(), workText("1 0 甲 0 115 09:05 11:00\n"
                                "2 0 赤線 甲 乙 11:00 11:04 4 0\n"
                                "3 0 0010 東武 甲 乙 0\n"));

  engine.dia.setSearchRules(test::rulesWithout(&RouteSearchRules::frequentServiceHours));
  EXPECT_EQ(engine.dia.searchRoutes(1, 2, 9, 5, 1, 10, 0), 1);
  EXPECT_EQ(dir.readText("$MltRtL1.kv4"), workText("0 甲 乙  9:05\n"
                                                   "9 0 0  9:14  9 0 0 4 0 5 なし\n"));
  EXPECT_EQ(details(), workText("1 0 甲 0 5 09:05 09:10\n"
                                "2 0 赤線 甲 乙 09:10 09:14 4 0\n"
                                "3 0 0010 東武 甲 乙 0\n"));
  EXPECT_EQ(dir.readText("$MltRtL3.kv4"), workText("0 甲 乙 9:05\n"
                                                   "9 0 0 9:14 9 0 0 4 0 5 なし\n"));
}

// What is never ridden or entered: a train switched off in the line
// selection (the faster 黒線), a station already on the path (乙 back to
// 甲 on the train the passenger is on), and no change minutes onto a
// walking connection, whatever the transfer table says (in the fastest time
// as well).
TEST_F(RoutesTest, SkipsUnusedTrainsAndStationsOnThePath) {
  TimetableWorld table({"甲", "乙", "丙"});
  const auto [black, red] = table.trains({"黒線", "赤線"}, 10);
  const TrainNo walk = table.train("徒歩連絡", 900);
  table.timed(black, 1, 2, 0, 2, kMorning);
  table.every(red, 1, 2, 4, 5, kMorning);
  table.every(red, 2, 1, 4, 5, kMorning);
  table.every(walk, 2, 3, 2, 3, kAllDay);
  table.transfer(2, red, walk, 5);
  Engine& engine = open(test::trunkRow(3), table);

  engine.trains.setTrainUse(black, 0);
  ASSERT_EQ(engine.dia.fastestTime(1, 3, 10, 0, 1), 11);
  EXPECT_EQ(found(1, 3, 20), listed(1,
                                    "0 甲 丙 10:00\n"
                                    "9 0 0 10:11 11 0 0 5 3 3 乙\n"));
  EXPECT_EQ(details(), workText("1 0 甲 0 2 10:00 10:02\n"
                                "1 0 乙 0 1 10:07 10:08\n"
                                "2 0 赤線 甲 乙 10:02 10:07 5 0\n"
                                "3 0 0010 東武 甲 乙 0\n"
                                "2 0 徒歩連絡 乙 丙 10:08 10:11 0 3\n"
                                "3 0 0900 徒歩 乙 丙 0\n"));
}

// A path of 100 stations is recorded; one of 101 is not.
TEST_F(RoutesTest, PathLengthIsBoundedAtOneHundredStations) {
  std::vector<std::string> names;
  for (int s = 1; s <= 101; ++s) names.push_back("S" + std::to_string(s));
  writeLine(dir, names, true);

  Engine engine(dir.path());
  EXPECT_EQ(engine.dia.findRoutes(1, 100, 10, 0, 1, 10, 0), 1);
  EXPECT_EQ(engine.dia.findRoutes(1, 101, 10, 0, 1, 10, 0), 0);
}

// 58 changes give a via text of 1449 bytes: the route list keeps the first
// 1022 (40 names and 11 characters of the 41st), the sorted lists the first
// 510 (20 names and 5 characters of the 21st).
TEST_F(RoutesTest, LongViaTextIsCutAtACharacterBoundary) {
  std::vector<std::string> names;
  for (int s = 1; s <= 60; ++s) names.push_back(longName(s));
  writeLine(dir, names, false);
  for (std::string& name : names) name = sjis(name);

  Engine engine(dir.path());
  engine.def.setTransMax(100);
  ASSERT_EQ(engine.dia.searchRoutes(1, 60, 10, 0, 1, 10, 0), 1);

  std::string listed;
  for (int s = 2; s <= 41; ++s) listed += (s > 2 ? "," : "") + names[static_cast<std::size_t>(s - 1)];
  listed += "," + names[41].substr(0, 22);
  EXPECT_EQ(firstVia(dir.readText("$MltRtL1.kv4")), listed);

  std::string sorted;
  for (int s = 2; s <= 21; ++s) sorted += (s > 2 ? "," : "") + names[static_cast<std::size_t>(s - 1)];
  sorted += "," + names[21].substr(0, 10);
  EXPECT_EQ(firstVia(dir.readText("$MltRtL2.kv4")), sorted);
  EXPECT_EQ(firstVia(dir.readText("$MltRtL3.kv4")), sorted);
}

// One train from 甲 to 乙 at 10:00, and none on to 丙.
test::DataDir compileKoToOtsuAtTen() {
  return test::compileNetwork(std::string(test::kLineKoOtsuHei) + R"(
train 赤線
terminal 乙
at 0 hours 10-11
甲
乙 5
)");
}

TEST_F(RoutesTest, FailsWithoutRouteOrWorkFiles) {
  const test::DataDir dir = compileKoToOtsuAtTen();

  Engine engine(dir.path());
  // No route at all: nothing is written.
  EXPECT_EQ(engine.dia.searchRoutes(1, 3, 10, 0, 1, 10, 0), -1);
  EXPECT_EQ(engine.dia.workFileProblem(), "");
  EXPECT_FALSE(std::filesystem::exists(dir / "$vflg.kv4"));
  EXPECT_FALSE(std::filesystem::exists(dir / "$MltRtL1.kv4"));

  // A route list that cannot be created.
  std::filesystem::create_directory(dir / "$MltRtL1.kv4");
  EXPECT_EQ(engine.dia.searchRoutes(1, 2, 10, 0, 1, 10, 0), -1);
  EXPECT_EQ(engine.dia.workFileProblem(), "$MltRtL1.kv4");
  EXPECT_FALSE(std::filesystem::exists(dir / "$MltRtL2.kv4"));
}

// A failed search tells a work file it could not write from "no route", and
// the next search that succeeds forgets it.
TEST_F(RoutesTest, NamesTheWorkFileThatCouldNotBeWritten) {
  const test::DataDir dir = compileKoToOtsuAtTen();
  Engine engine(dir.path());
  for (const char* file : {"$vflg.kv4", "$MltRtDt.kv4", "$TT$.kv4"}) {
    std::filesystem::create_directory(dir / file);
    const int result = std::string(file) == "$TT$.kv4" ? engine.dia.fastestRoute(1, 2, 10, 0, 1)
                                                       : engine.dia.searchRoutes(1, 2, 10, 0, 1, 10, 0);
    EXPECT_EQ(result, -1) << file;
    EXPECT_EQ(engine.dia.workFileProblem(), file);
    std::filesystem::remove(dir / file);
  }
  EXPECT_EQ(engine.dia.fastestRoute(1, 2, 10, 0, 1), 0);
  EXPECT_EQ(engine.dia.workFileProblem(), "");
  EXPECT_EQ(engine.dia.searchRoutes(1, 2, 10, 0, 1, 10, 0), 1);
  EXPECT_EQ(engine.dia.workFileProblem(), "");
}

}  // namespace
}  // namespace kiv
