#include <gtest/gtest.h>

#include <memory>

#include "Engine.h"
#include "TempDir.h"
#include "TextNetwork.h"
#include "TimetableFixture.h"

namespace kiv {
namespace {

using test::servedHours;
using test::sjis;
using test::workText;

// "$TT$.kv4" for a route from `from` to `to`: the title, the given lines and
// the closing note.
std::string routeReport(const std::string& from, const std::string& to, const std::string& lines) {
  return workText("☆★ ［ " + from + "→" + to + " ］のルート(時間優先) ★☆\n\n" + lines +
                  "\n\n注 : 実際のダイヤとは異なります。\n");
}

class FastestTest : public testing::Test {
 protected:
  Engine& open(const test::TimetableWorld& world) {
    world.write(dir.path());
    engine = std::make_unique<Engine>(dir.path());
    return *engine;
  }
  // A network in the text format, with the report's output mode.
  Engine& open(std::string_view source, int outputMode) {
    test::compileNetworkInto(dir, source);
    test::writeOutputMode(dir.path(), outputMode);
    engine = std::make_unique<Engine>(dir.path());
    return *engine;
  }
  std::string report() const { return dir.readText("$TT$.kv4"); }
  // The report fastestRoute writes for these arguments, or its result when
  // that is not 0.
  std::string route(StationNo from, StationNo to, int hour, int minute, int day) {
    const int result = engine->dia.fastestRoute(from, to, hour, minute, day);
    return result == 0 ? report() : "fastestRoute returned " + std::to_string(result);
  }

  // One label per station: the exact rule off.
  void oneLabelPerStation() {
    RouteSearchRules rules;
    rules.exactFastest = false;
    engine->dia.setSearchRules(rules);
  }

  test::TempDir dir;
  std::unique_ptr<Engine> engine;
};

// A to D over B (線1, 線3) or over C (線2, 線4), 10 minutes a ride.
constexpr char kTwoEqualWays[] = R"(
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
at 15 hours 10
C
D 10
)";

TEST_F(FastestTest, EqualCostsSettleTheHigherStationFirst) {
  // 1 -> 2 -> 4 and 1 -> 3 -> 4 take 25 minutes alike. Stations 2 and 3 are
  // both reached at 10:10; 3 is settled first and keeps 4, which the later
  // equal offer through 2 does not take over.
  RDiaMan& dia = open(kTwoEqualWays, 0).dia;
  const TrainNo t4 = 4;
  oneLabelPerStation();

  TimetableSearchState state(dia.searchStationCount());
  EXPECT_EQ(fastestMinutes(dia.network(), state, FastestQuery{1, 4, 10, 0, 1}), 25);
  EXPECT_EQ(state.table[4].pred, 3);
  EXPECT_EQ(state.table[4].trainIn, t4);
  // The start node as the multi-route search relies on it.
  EXPECT_EQ(state.table[1].cost, 0);
  EXPECT_EQ(state.table[1].trainIn, -1);
  EXPECT_EQ(state.table[1].arrival, (TimeOfDay{10, 0}));

  EXPECT_EQ(route(1, 4, 10, 0, 1), routeReport("A", "D",
                                               "    10:00  出発時刻\n"
                                               "    10:00  A発\n"
                                               "      |------- 線2\n"
                                               "    10:10  C着\n"
                                               "    10:15  C発\n"
                                               "      |------- 線4\n"
                                               "    10:25  D着\n"
                                               "\n    予想所要時間  25分\n"));
}

// Tokyo to Nippori: an interval train to Akihabara staying on board at
// Kanda, a change, and a timed train that stands at Ueno.
constexpr char kTokyoToNippori[] = R"(
line 東北線
kind 山手線内
  0.0 東京 x
  1.3 神田 x
  2.0 秋葉原 x
  3.6 上野 x
  5.8 日暮里 x

train 山手線
terminal 秋葉原
every 4 hours 9-10
東京
神田 2
秋葉原 3

train 京浜東北線
terminal 日暮里
at 10 hours 10
秋葉原
上野 4 wait=2
日暮里 3
)";

TEST_F(FastestTest, DetailedReportListsEveryStopPassed) {
  // 9:58 at Tokyo: half an interval (2) later the loop line leaves at 10:00,
  // Kanda 10:02 (no wait on board), Akihabara 10:05; one minute to change
  // within JR, the 10:10 train, Ueno 10:14 where it waits for its 10:16
  // departure, Nippori 10:19.
  RDiaMan& dia = open(kTokyoToNippori, 1).dia;
  EXPECT_EQ(dia.fastestTime(1, 5, 9, 58, 1), 21);
  EXPECT_EQ(route(1, 5, 9, 58, 1), routeReport("東京", "日暮里",
                                               "     9:58  出発時刻\n"
                                               "    10:00  東京発\n"
                                               "      |------- 山手線\n"
                                               "      |( 神田 10:02 )\n"
                                               "    10:05  秋葉原着\n"
                                               "    10:10  秋葉原発\n"
                                               "      |------- 京浜東北線\n"
                                               "      |( 上野 10:14-10:16 )\n"
                                               "    10:19  日暮里着\n"
                                               "\n    予想所要時間  21分\n"));
}

TEST_F(FastestTest, PlainReportShowsOnlyDeparturesChangesAndArrival) {
  open(kTokyoToNippori, 0);
  EXPECT_EQ(route(1, 5, 9, 58, 1), routeReport("東京", "日暮里",
                                               "     9:58  出発時刻\n"
                                               "    10:00  東京発\n"
                                               "      |------- 山手線\n"
                                               "    10:05  秋葉原着\n"
                                               "    10:10  秋葉原発\n"
                                               "      |------- 京浜東北線\n"
                                               "    10:19  日暮里着\n"
                                               "\n    予想所要時間  21分\n"));
}

TEST_F(FastestTest, NoRouteWritesNothing) {
  RDiaMan& dia = open(kTokyoToNippori, 1).dia;
  dir.writeText("$TT$.kv4", "old report");

  // The only train onwards from Akihabara switched off in the line selection.
  ASSERT_EQ(engine->trains.setTrainUse(2, 0), 0);
  EXPECT_EQ(dia.fastestTime(1, 5, 9, 58, 1), -1);
  EXPECT_EQ(dia.fastestRoute(1, 5, 9, 58, 1), -1);
  EXPECT_EQ(dia.fastestTime(1, 3, 9, 58, 1), 5 + 2);
  // Against the direction of the trains, and station numbers out of range.
  EXPECT_EQ(dia.fastestRoute(5, 1, 9, 58, 1), -1);
  EXPECT_EQ(dia.fastestTime(0, 5, 9, 58, 1), -1);
  EXPECT_EQ(dia.fastestTime(1, 6, 9, 58, 1), -1);
  EXPECT_EQ(report(), "old report");

  // A route, but no report file can be created in its place.
  ASSERT_EQ(engine->trains.setTrainUse(2, 1), 0);
  std::filesystem::remove(dir / "$TT$.kv4");
  std::filesystem::create_directories(dir / "$TT$.kv4" / "x");
  EXPECT_EQ(dia.fastestRoute(1, 5, 9, 58, 1), -1);
}

TEST_F(FastestTest, StayingOnATimedTrainWaitsForItsNextDeparture) {
  // Arriving at B at 10:05, the same train's record there leaves at minute 3:
  // the next one is 11:03. The required time goes past an hour. (A record the
  // compiler never emits: its minutes follow the riding minutes.)
  test::TimetableWorld w{"A", "B", "C"};
  const TrainNo t = w.train("普通", 0);
  w.timed(t, 1, 2, 0, 5, servedHours(10, 11));
  w.timed(t, 2, 3, 3, 5, servedHours(10, 11));
  w.outputMode(1);
  RDiaMan& dia = open(w).dia;
  EXPECT_EQ(dia.fastestTime(1, 3, 10, 0, 1), 68);
  EXPECT_EQ(route(1, 3, 10, 0, 1), routeReport("A", "C",
                                               "    10:00  出発時刻\n"
                                               "    10:00  A発\n"
                                               "      |------- 普通\n"
                                               "      |( B 10:05-11:03 )\n"
                                               "    11:08  C着\n"
                                               "\n    予想所要時間  1時間8分\n"));
}

TEST_F(FastestTest, ChangeMinutesCountAfterTheStartOnly) {
  // Station 1 has a 5-minute transfer record that would apply if the start
  // counted as a change: the 10:02 train is caught all the same. At 2 the
  // 3-minute transfer to the second train misses its 10:13 departure by two
  // minutes, so 11:13 is taken. (A transfer record from train -1 is hand-made.)
  test::TimetableWorld w{"A", "B", "C"};
  const auto [first, second] = w.trains({"一号", "二号"}, 0);
  w.timed(first, 1, 2, 2, 10, servedHours(10, 11));
  w.timed(second, 2, 3, 13, 5, servedHours(10, 11));
  w.transfer(1, -1, first, 5);
  w.transfer(2, first, second, 3);
  RDiaMan& dia = open(w).dia;
  EXPECT_EQ(dia.fastestTime(1, 2, 10, 0, 1), 12);
  TimetableSearchState state(dia.searchStationCount());
  EXPECT_EQ(fastestMinutes(dia.network(), state, FastestQuery{1, 3, 10, 0, 1}), 78);
  EXPECT_EQ(state.table[3].boardHour, 11);
  EXPECT_EQ(state.table[3].boardMinute, 13);
}

TEST_F(FastestTest, WalkingConnectionsChangeWithoutChangeMinutes) {
  // Two walks of the walking company. The exact search, like the multi-route
  // search, boards and leaves walks without change minutes: the 10:03 walk
  // is caught. With one label per station the walks change like trains, one
  // minute within the company, and the 11:03 walk is taken. (Compiled walks
  // run every minute all day; these are timed records.)
  test::TimetableWorld w{"A", "B", "C"};
  const auto [walkA, walkB] = w.trains({"徒歩Ａ", "徒歩Ｂ"}, 900);
  w.timed(walkA, 1, 2, 0, 3, servedHours(10, 11));
  w.timed(walkB, 2, 3, 3, 4, servedHours(10, 11));
  RDiaMan& dia = open(w).dia;
  EXPECT_EQ(dia.fastestTime(1, 3, 10, 0, 1), 7);
  oneLabelPerStation();
  EXPECT_EQ(dia.fastestTime(1, 3, 10, 0, 1), 67);
}

// The first train of the day, A to B, and a frequent private shuttle on to C.
constexpr char kEarlyTrainAndShuttle[] = R"(
line 本線
kind 幹線
  0.0 A x
  1.0 B x
line 連絡線
network 10
  0.0 B
  1.0 C x

train 始発
terminal B
at 5 hours 6
A
B 20

train 連絡線
network 10
terminal C
every 10 hours 6-23
B
C 7
)";

TEST_F(FastestTest, FollowingDayServiceKeepsCountingHours) {
  // At 23:50 the only train runs in hour 6: it leaves at 30:05, and the
  // change at B to a frequent service runs into 30:3x.
  RDiaMan& dia = open(kEarlyTrainAndShuttle, 1).dia;
  // B at 30:25; 5 minutes to another company, 30:30; half the interval,
  // 30:35; C at 30:42. 30:42 - 23:50 = 412 minutes.
  EXPECT_EQ(dia.fastestTime(1, 3, 23, 50, 6), 412);
  EXPECT_EQ(route(1, 3, 23, 50, 6), routeReport("A", "C",
                                                "    23:50  出発時刻\n"
                                                "    30:05  A発\n"
                                                "      |------- 始発\n"
                                                "    30:25  B着\n"
                                                "    30:35  B発\n"
                                                "      |------- 連絡線\n"
                                                "    30:42  C着\n"
                                                "\n    予想所要時間  6時間52分\n"));
}

TEST_F(FastestTest, NegativeRidingTimeCannotRewriteASettledStation) {
  // A faulty record back to the start with -30 riding minutes offers the
  // start a cost below 0; the start keeps its label, so the path behind the
  // destination stays a path and the report is written. (A faulty record
  // the compiler never emits.)
  test::TimetableWorld w{"A", "B"};
  const auto [out, back] = w.trains({"往路", "復路"}, 0);
  w.timed(out, 1, 2, 0, 10, servedHours(10, 10));
  w.every(back, 2, 1, 2, -30, servedHours(10, 10));
  w.outputMode(0);
  RDiaMan& dia = open(w).dia;
  TimetableSearchState state(dia.searchStationCount());
  EXPECT_EQ(fastestMinutes(dia.network(), state, FastestQuery{1, 2, 10, 0, 1}), 10);
  EXPECT_EQ(state.table[1].pred, -1);
  EXPECT_EQ(route(1, 2, 10, 0, 1), routeReport("A", "B",
                                               "    10:00  出発時刻\n"
                                               "    10:00  A発\n"
                                               "      |------- 往路\n"
                                               "    10:10  B着\n"
                                               "\n    予想所要時間  10分\n"));
}

}  // namespace
}  // namespace kiv
