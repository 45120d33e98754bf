// fare, faretable, reqtime, timetable and the data commands on the test
// network.
#include <gtest/gtest.h>

#include <algorithm>

#include "CliNetwork.h"

namespace kiv::test {
namespace {

std::string row(const std::string& name, const std::string& number) {
  return "    " + padded(name, 24) + "  " + std::string(4 - std::min<std::size_t>(4, number.size()), ' ') +
         number + "\n";
}

const std::string kFareTableJr = "  東京 からの運賃(円)  ～ ＪＲ東日本 ～\n\n" + row("神田", "140") +
                                 row("秋葉原", "150") + row("上野", "160") + row("高崎", "1890");
const std::string kFareTableTokyu =
    "  東京 からの運賃(円)  ～ 東京急行電鉄 ～\n\n" + row("秋葉原", "110") + row("上野", "120");

TEST_F(CliTest, FareIsPricedOnTheChosenNetworkWithOrWithoutTheTokyoRule) {
  EXPECT_EQ(run({"fare", "東京", "上野"}).out, "160\n");
  EXPECT_EQ(run({"fare", "上野", "#1", "--network", "60"}).out, "120\n");
  // 神田 lies in the Yamanote zone and 高崎 101-200 km out: priced from 東京.
  EXPECT_EQ(run({"fare", "神田", "高崎"}).out, "1890\n");
  EXPECT_EQ(run({"fare", "高崎", "神田"}).out, "1890\n");
  EXPECT_EQ(run({"fare", "神田", "高崎", "--no-tokyo-rule"}).out, "2000\n");
  EXPECT_EQ(run({"fare", "神田", "高崎", "--verbose"}).out, "神田→高崎  1890円  (ＪＲ東日本)\n");
  EXPECT_EQ(run({"fare", "上野", "#1", "--network", "60", "--no-tokyo-rule", "--verbose"}).out,
            "上野→東京  120円  (東京急行電鉄, without the Tokyo-zone rule)\n");

  const CliResult r = run({"fare", "神田", "上野", "--network", "60"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "kiv4cli: 神田 is not a station of network 60\n");
  EXPECT_EQ(run({"fare", "東京", "上野", "--network", "70"}).status, 1);
  // A pure price query: the recent lists stay as they were.
  EXPECT_EQ(settingOf(dir, "station_dep1"), "上野");
}

TEST_F(CliTest, FareTablePrintsOrSavesTheBlocksAsTheWindowSavesThem) {
  CliResult r = run({"faretable", "東京"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kFareTableJr + "\n\n" + kFareTableTokyu);
  EXPECT_EQ(settingOf(dir, "station_dep1"), "東京");
  EXPECT_EQ(settingOf(dir, "station_dep2"), "上野");

  r = run({"faretable", "東京", "--block", "1"});
  EXPECT_EQ(r.out, kFareTableTokyu);

  r = run({"faretable", "東京", "--block", "2"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "kiv4cli: the fare table of 東京 has no block 2 (its blocks: 0..1)\n");

  // -o writes the file exactly as the window's save does and prints nothing;
  // with -C the file name is taken in the data directory.
  r = runCli({"-C", dir.path().string(), "faretable", "東京", "--csv", "-o", "fares.csv"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(dir.readText("fares.csv"), workText("From,会社,To,運賃\n"
                                                "東京,ＪＲ東日本,神田,140\n"
                                                "東京,ＪＲ東日本,秋葉原,150\n"
                                                "東京,ＪＲ東日本,上野,160\n"
                                                "東京,ＪＲ東日本,高崎,1890\n"
                                                "東京,東京急行電鉄,秋葉原,110\n"
                                                "東京,東京急行電鉄,上野,120\n"));
  r = run({"faretable", "東京", "--block", "0", "-ojr.txt"});
  EXPECT_EQ(dir.readText("jr.txt"), workText(kFareTableJr));

  r = run({"faretable", "東京", "-o", "missing/dir/x.txt"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "kiv4cli: cannot write missing/dir/x.txt: No such file or directory\n");
  std::filesystem::create_directory(dir / "adir");
  r = run({"faretable", "東京", "-o", "adir"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "adir"));
}

const std::string kYamanoteTimes =
    "  東京 からの所要時間(分)  ～ 山手線 ～\n\n" + row("神田", "2") + row("秋葉原", "4") + row("上野", "7");
const std::string kTokyuTimes =
    "  東京 からの所要時間(分)  ～ 東急線 ～\n\n" + row("秋葉原", "3") + row("上野", "6");

TEST_F(CliTest, RequiredTimesPrintOrSaveTheTablesOfTheTrains) {
  CliResult r = run({"reqtime", "東京"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kYamanoteTimes + "\n\n" + kTokyuTimes);
  EXPECT_EQ(settingOf(dir, "station_dep1"), "東京");

  r = run({"reqtime", "東京", "--table", "1", "--sjis"});
  EXPECT_EQ(r.out, workText(kTokyuTimes));

  r = run({"reqtime", "#1", "--table", "1", "--csv", "-o", "t.csv"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(dir.readText("t.csv"),
            workText("From,列車,To,所要(分)\n東京,東急線,秋葉原,3\n東京,東急線,上野,6\n"));

  EXPECT_EQ(run({"reqtime", "東京", "--table", "2"}).status, 1);

  // 高崎 has no departures: the system's message, not a stale table.
  r = run({"reqtime", "高崎"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "この駅の時刻データが存在しません\n");
  EXPECT_EQ(r.out, "");
}

std::string timetableBlock(const std::string& day, const std::string& company, const std::string& minute,
                           const std::string& train) {
  return "☆★ ［ 東京 ］の発車時刻データ( " + day + "曜 9時台 )  ～ " + company + " ～ ★☆\n\n" + "    " +
         minute + "分発  " + padded(train, 32) + "  上野 方面ゆき\n";
}

TEST_F(CliTest, TimetableTakesDayAndHourFromTheSettingsUnlessGiven) {
  // dep_day 1 and dep_h 9 from the settings.
  CliResult r = run({"timetable", "東京"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, timetableBlock("月", "ＪＲ東日本", "00", "山手線") + "\n\n" +
                       timetableBlock("月", "東京急行電鉄", "10", "東急線") + kTimetableNote);
  EXPECT_EQ(settingOf(dir, "station_dep1"), "東京");

  // The 東急線 runs on weekdays only.
  r = run({"timetable", "東京", "--day", "日", "--hour", "9"});
  EXPECT_EQ(r.out, timetableBlock("日", "ＪＲ東日本", "00", "山手線") + kTimetableNote);
  EXPECT_EQ(run({"timetable", "東京", "--day", "0"}).out, r.out);

  // Grouping by train changes the layout of the source lines.
  r = run({"timetable", "東京", "--group", "--sjis"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, dir.readText("$VTT.kv4"));
  EXPECT_EQ(dir.readText("TTSrc.kv4").substr(0, 6 + 32 + 1), sjis("000 1 " + padded("山手線", 32) + " "));

  r = run({"timetable", "東京", "--hour", "5"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "この時間帯のデータが存在しません\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "$VTT.kv4"));

  r = run({"timetable", "高崎"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "この駅の時刻データが存在しません\n");
}

TEST_F(CliTest, DataCommandsPrintTheirListOrTheirCountOnly) {
  CliResult r = run({"stations"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "東京\n神田\n秋葉原\n上野\n高崎\n");
  EXPECT_EQ(run({"stations", "--sjis"}).out, workText("東京\n神田\n秋葉原\n上野\n高崎\n"));

  const auto lines = [&](const std::string& file) {
    const std::string text = dir.readText(file);
    return std::to_string(std::count(text.begin(), text.end(), '\n')) + "\n";
  };
  // The progress line of the JR table goes to standard error.
  r = run({"jrcheap"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, lines("jrregu.dat"));
  r = run({"tokyo101"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, lines("$TKY101.KV4"));
}

}  // namespace
}  // namespace kiv::test
