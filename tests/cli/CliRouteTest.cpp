// route and fastest on the test network, with the texts worked out from the
// route search, the route list files and the time-priority report.
#include <gtest/gtest.h>

#include "CliNetwork.h"

namespace kiv::test {
namespace {

std::string heading(int row, const std::string& label) {
  char number[8];
  std::snprintf(number, sizeof number, "%03d", row);
  return "--<<  東京→上野  No." + std::string(number) + "/" + label + "  >>--\n  出発時刻  9:00\n";
}

// The route by 山手線 through 神田 and 秋葉原: found second, fastest, dearest.
std::string yamanoteRoute(int row, const std::string& label) {
  return heading(row, label) +
         "  予想到着時刻  9:07\n"
         "  予想所要時間   0:07 ( 乗車7分,徒歩0分,待ち0分 )\n"
         "  運賃  160円\n"
         "\n"
         "  山手線  東京(09:00)→上野(09:07)  7分\n"
         "\n"
         "  東京  09:00-09:00 ( 徒歩0分,待ち0分 )\n"
         "\n"
         "  ＪＲ  東京→上野  160円\n"
         "\n\n";
}

// The route by 東急線 through 秋葉原: found first, 10 minutes' wait, cheapest.
std::string tokyuRoute(int row, const std::string& label) {
  return heading(row, label) +
         "  予想到着時刻  9:16\n"
         "  予想所要時間   0:16 ( 乗車6分,徒歩0分,待ち10分 )\n"
         "  運賃  120円\n"
         "\n"
         "  東急線  東京(09:10)→上野(09:16)  6分\n"
         "\n"
         "  東京  09:00-09:10 ( 徒歩0分,待ち10分 )\n"
         "\n"
         "  東急  東京→上野  120円\n"
         "\n\n";
}

// The route by 山手線 to 秋葉原 and on by the 東急線: found third, 5 minutes
// to change between the companies.
std::string changeRoute(int row, const std::string& label) {
  return heading(row, label) +
         "  予想到着時刻  9:16\n"
         "  予想所要時間   0:16 ( 乗車7分,徒歩5分,待ち4分 )\n"
         "  運賃  270円\n"
         "\n"
         "  山手線  東京(09:00)→秋葉原(09:04)  4分\n"
         "  東急線  秋葉原(09:13)→上野(09:16)  3分\n"
         "\n"
         "  東京  09:00-09:00 ( 徒歩0分,待ち0分 )\n"
         "  秋葉原  09:04-09:13 ( 徒歩5分,待ち4分 )\n"
         "\n"
         "  ＪＲ  東京→秋葉原  150円\n"
         "  東急  秋葉原→上野  120円\n"
         "\n\n";
}

const std::string kBestRoutesHead =
    "東京→上野  月曜 9:00 以降に出発  (早: 最も早く着く  楽: 乗換が最も少ない  安: 運賃が最も安い)\n"
    "  No.001  早楽　  9:00発 → 9:07着  乗換0回  160円\n"
    "  No.002  　楽安  9:10発 → 9:16着  乗換0回  120円\n"
    "\n";

const std::string kRouteLimitText =
    "検出経路数が設定値に達したため検出処理はここまでとします。\n"
    "他にも利用に適した経路があるかもしれませんので\n"
    "条件設定を見直すことをおすすめします\n";

TEST_F(CliTest, RoutePrintsEveryRouteOfTheChosenOrder) {
  // The time comes from the settings (dep_systime 0): 9:00.
  CliResult r = run({"route", "東京", "上野"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, tokyuRoute(1, "検出順") + yamanoteRoute(2, "検出順") + changeRoute(3, "検出順"));

  r = run({"route", "東京", "上野", "--order", "time"});
  EXPECT_EQ(r.out, yamanoteRoute(1, "時間順") + tokyuRoute(2, "時間順") + changeRoute(3, "時間順"));

  r = run({"route", "東京", "上野", "--order", "fare"});
  EXPECT_EQ(r.out, tokyuRoute(1, "運賃順") + yamanoteRoute(2, "運賃順") + changeRoute(3, "運賃順"));

  // The best routes, numbered in their order: by arrival, changes, fare,
  // after a line for each with its day, times and marks. The change at
  // 秋葉原 leaves no later than the 東急線, arrives no earlier, changes
  // more and costs more: no traveller takes it.
  r = run({"route", "東京", "上野", "--mode", "best"});
  EXPECT_EQ(r.out, kBestRoutesHead + yamanoteRoute(1, "検出順") + tokyuRoute(2, "検出順"));
  EXPECT_EQ(settingOf(dir, "mode_route"), "1");

  // The work files of the windowed route command are left behind.
  for (const char* file : {"$vflg.kv4", "$MltRtL1.kv4", "$MltRtL2.kv4", "$MltRtL3.kv4", "$MltRtDt.kv4"}) {
    EXPECT_TRUE(std::filesystem::exists(dir / file)) << file;
  }
}

TEST_F(CliTest, RouteWithSjisPrintsTheBytesOfTheRouteDescription) {
  const CliResult r = run({"route", "東京", "上野", "--order", "time", "--sjis"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, workText(yamanoteRoute(1, "時間順") + tokyuRoute(2, "時間順") + changeRoute(3, "時間順")));
}

TEST_F(CliTest, RouteLimitsHoldForTheRunAndTheLimitTextFollowsTheRoutes) {
  // Route limit reached: the first route found, then the information text.
  CliResult r = run({"route", "東京", "上野", "--routes", "1"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, tokyuRoute(1, "検出順"));
  EXPECT_EQ(r.err, kRouteLimitText);

  // Exactly as many routes as the limit also reaches it, except in the
  // best-routes mode, which knows that no more routes exist.
  r = run({"route", "東京", "上野", "--routes", "3"});
  EXPECT_EQ(r.err, kRouteLimitText);
  r = run({"route", "東京", "上野", "--routes", "2", "--mode", "best"});
  EXPECT_EQ(r.err, "");
  r = run({"route", "東京", "上野", "--routes", "1", "--mode", "best"});
  EXPECT_NE(r.out.find(yamanoteRoute(1, "検出順")), std::string::npos);
  EXPECT_EQ(r.out.find("東急線"), std::string::npos);
  EXPECT_EQ(r.err, kRouteLimitText);
  r = run({"route", "東京", "上野", "--routes", "4"});
  EXPECT_EQ(r.err, "");

  // No extra minutes: only the fastest route (7 minutes) is within the limit.
  r = run({"route", "東京", "上野", "--extra", "0"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, yamanoteRoute(1, "検出順"));

  // --time and --day replace the settings' time; at 9:05 the 山手線 leaves at
  // 10:00, outside the limit, so only the 東急線 remains.
  r = run({"route", "東京", "上野", "--time", "9:05", "--day", "火"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("  出発時刻  9:05\n  予想到着時刻  9:16\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("山手線"), std::string::npos);

  // The 東急線 runs on weekdays only: on a Sunday the 10:00 山手線 it is.
  r = run({"route", "東京", "上野", "--time", "9:05", "--day", "日"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("  出発時刻  9:05\n  予想到着時刻  10:07\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("東急線"), std::string::npos);
}

TEST_F(CliTest, DetourIsUsedButNotSavedWhileTheRecentListsAre) {
  const CliResult r = run({"route", "東京", "上野", "--detour", "20", "--changes", "1", "--extra", "30"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(readUtf8(dir, "$vflg.kv4").find("迂回限度:20 km"), std::string::npos);
  EXPECT_EQ(settingOf(dir, "detour"), "7");
  EXPECT_EQ(settingOf(dir, "station_dep1"), "東京");
  EXPECT_EQ(settingOf(dir, "station_dep2"), "上野");
  EXPECT_EQ(settingOf(dir, "station_arv1"), "上野");
  EXPECT_EQ(settingOf(dir, "dep_h"), "9");

  // Without --detour the search takes the settings' 7 km.
  run({"route", "東京", "上野"});
  EXPECT_NE(readUtf8(dir, "$vflg.kv4").find("迂回限度:7 km"), std::string::npos);
}

TEST_F(CliTest, RouteWithoutAnyRouteFailsAfterTheRecentListsWereUpdated) {
  // 高崎 has no departures at all.
  const CliResult r = run({"route", "高崎", "東京"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "経路が見当たりません\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(settingOf(dir, "station_dep1"), "高崎");
  EXPECT_EQ(settingOf(dir, "station_arv1"), "東京");
}

const std::string kFastestHead =
    "☆★ ［ 東京→上野 ］のルート(時間優先) ★☆\n\n"
    "     9:00  出発時刻\n"
    "     9:00  東京発\n"
    "      |------- 山手線\n";
const std::string kFastestTail =
    "     9:07  上野着\n"
    "\n    予想所要時間  7分\n" +
    kTimetableNote;
const std::string kFastestDetailed =
    kFastestHead + "      |( 神田  9:02 )\n      |( 秋葉原  9:04 )\n" + kFastestTail;

// The fare of the fastest route, section by section, follows the report.
const std::string kFastestFare = "\n  運賃  160円\n  ＪＲ  東京→上野  160円\n";

TEST_F(CliTest, FastestPrintsTheDetailedOrPlainReportAndItsFare) {
  CliResult r = run({"fastest", "東京", "上野"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kFastestDetailed + kFastestFare);
  EXPECT_EQ(settingOf(dir, "station_dep1"), "東京");
  EXPECT_EQ(settingOf(dir, "station_arv1"), "上野");

  r = run({"fastest", "東京", "上野", "--plain", "--sjis"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, workText(kFastestHead + kFastestTail + kFastestFare));
  // The report file itself ends with its note.
  EXPECT_EQ(dir.readText("$TT$.kv4"), workText(kFastestHead + kFastestTail));
  // The plain mode was for this run only.
  EXPECT_EQ(settingOf(dir, "mode_output"), "1");

  // At 9:05 the 東急線 is fastest: its section is priced on its own network.
  r = run({"fastest", "東京", "上野", "--time", "9:05", "--plain"});
  EXPECT_NE(r.out.find("|------- 東急線\n"), std::string::npos) << r.out;
  EXPECT_TRUE(r.out.ends_with(kTimetableNote + "\n  運賃  120円\n  東急  東京→上野  120円\n")) << r.out;

  r = run({"fastest", "上野", "東京", "--time", "9:00"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "経路が見当たりません\n");

  // A plain mode in the settings does not make the report plain, and stays.
  writeCliSettings(dir, 0);
  r = run({"fastest", "東京", "上野"});
  EXPECT_EQ(r.out, kFastestDetailed + kFastestFare);
  EXPECT_EQ(settingOf(dir, "mode_output"), "0");
}

// A journey with a change of train and of network: 山手線 (JR) 東京 → 秋葉原
// at :00, 4 minutes, then 東急線 (60) 秋葉原 → 上野 at :10, 3 minutes, with
// 2 minutes to change.
TEST(CliFastestChange, EachNetworkOfTheRouteIsItsOwnFareSection) {
  const DataDir dir = compileNetwork(R"(
line 山手線
kind 山手線内
  0.0 東京   とうきょう
  2.0 秋葉原 あきはばら
line 東急線
network 60
zone 1
  0.0 秋葉原
  1.6 上野   うえの

train 山手線
terminal 秋葉原
at 0 hours 6-22
東京
秋葉原 4

train 東急線
network 60
terminal 上野
at 10 hours 6-22
秋葉原
上野 3

change 秋葉原 山手線 東急線 2
fare 0 東京 秋葉原 150
fare 60 秋葉原 上野 120
)");

  CliResult r = runCli({"fastest", "東京", "上野", "--time", "9:00", "--day", "1", "--plain"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("     9:04  秋葉原着\n     9:10  秋葉原発\n      |------- 東急線\n"),
            std::string::npos)
      << r.out;
  EXPECT_TRUE(r.out.ends_with("\n  運賃  270円\n  ＪＲ  東京→秋葉原  150円\n  東急  秋葉原→上野  120円\n"))
      << r.out;

  r = runCli({"fastest", "東京", "上野", "--time", "9:00", "--day", "1", "--json"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string legs = r.out.substr(r.out.find("\"legs\""));
  // Two legs, the second boarded at 秋葉原 at 9:10, and two fare sections.
  EXPECT_NE(
      legs.find("\"train\": \"東急線\",\n      \"walking\": false,\n      \"from\": {\n        "
                "\"number\": 2,\n        \"name\": \"秋葉原\"\n      },\n      \"departure\": {\n        "
                "\"minutes\": 550"),
      std::string::npos)
      << legs;
  EXPECT_NE(r.out.find("\"fare\": 270,"), std::string::npos);
  EXPECT_NE(r.out.find("\"company\": \"東急\""), std::string::npos);
}

}  // namespace
}  // namespace kiv::test
