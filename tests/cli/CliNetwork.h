// The network the command-line tests run on, written into a fresh data
// directory: five JR stations 東京 神田 秋葉原 上野 高崎 on one line, a
// private line (code 60, 東急) 東京 秋葉原 上野, special fares for every pair
// the tests price, two trains and a settings file.
//
//   東京 -1.3km- 神田 -0.7km- 秋葉原 -1.6km- 上野 -100km- 高崎      (JR)
//   東京 ------- 2.0km ------ 秋葉原 -1.6km- 上野                  (60)
//
// 山手線 (JR) leaves 東京 at :00 and reaches 神田 :02, 秋葉原 :04, 上野 :07;
// 東急線 (60, weekdays only) leaves 東京 at :10 and reaches 秋葉原 :13, 上野 :16;
// both run in the hours 6..22 and are bound for 上野. 東京 lists the 東急線 link before the 山手線 one,
// so the route search finds the 東急線 route first.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliRunner.h"
#include "DistFareFixture.h"
#include "TempDir.h"
#include "TimetableFixture.h"
#include "data/StaNameFile.h"
#include "text/Codec.h"
#include "text/ReportText.h"

namespace kiv::test {

// Every JR pair priced by the tests, in 10 yen: 東京-神田 140, 東京-秋葉原 150,
// 東京-上野 160, 東京-高崎 1890, 神田-高崎 2000; on 60: 東京-秋葉原 110,
// 東京-上野 120.
inline void writeCliNetwork(const TempDir& dir) {
  DistFareWorld fares(5);
  fares.network(0, {1, 2, 3, 4, 5});
  fares.network(60, {1, 3, 4});
  fares.jrBoth(1, 2, 13, 1);
  fares.jrBoth(2, 3, 7, 1);
  fares.jrBoth(3, 4, 16, 1);
  fares.jrBoth(4, 5, 1000, 3);
  fares.prBoth(60, 1, 3, 20, 1);
  fares.prBoth(60, 3, 4, 16, 1);
  fares.special(0, 1, 2, 14);
  fares.special(0, 1, 3, 15);
  fares.special(0, 1, 4, 16);
  fares.special(0, 1, 5, 189);
  fares.special(0, 2, 5, 200);
  fares.special(60, 1, 3, 11);
  fares.special(60, 1, 4, 12);
  fares.write(dir.path());  // its station file is replaced below

  TimetableWorld world({"東京", "神田", "秋葉原", "上野", "高崎"});
  const TrainNo yamanote = world.train("山手線", 0);
  const TrainNo tokyu = world.train("東急線", 60);
  const std::uint32_t hours = servedHours(6, 22);
  constexpr std::uint8_t kWeekdays = 0x3E;
  DiaDepartureRecord& tokyuFromTokyo = world.timed(tokyu, 1, 3, 10, 3, hours);
  tokyuFromTokyo.days = kWeekdays;
  tokyuFromTokyo.terminal = 4;
  world.timed(yamanote, 1, 2, 0, 2, hours).terminal = 4;
  world.timed(yamanote, 2, 3, 2, 2, hours);
  world.timed(yamanote, 3, 4, 4, 3, hours);
  world.timed(tokyu, 3, 4, 13, 3, hours).days = kWeekdays;
  world.write(dir.path());
}

// Replaces the station file with stations of these kanji names and kana
// readings (UTF-8), numbered from 1 in this order.
inline void writeStationNames(const TempDir& dir,
                              const std::vector<std::pair<std::string, std::string>>& names) {
  StaNameFile file;
  for (const auto& [kanji, kana] : names) file.stations.push_back({sjis(kanji), sjis(kana)});
  writeStaNameFile(dir / "StaName.kv4", file);
}

// A settings file: departure 9:00 on Monday from the settings (not the
// clock), detailed reports, detour 7 km, 上野 as the only recent departure.
inline void writeCliSettings(const TempDir& dir, int outputMode = 1) {
  std::string text = "dep_h = 9\ndep_m = 0\ndep_day = 1\ndep_systime = 0\nmode_route = 1\nmode_output = " +
                     std::to_string(outputMode) +
                     "\ndetour = 7\nwindow_main_x = 0\nwindow_main_y = 0\nwindow_main_w = 600\n"
                     "window_main_h = 480\nstation_dep1 = 上野\n";
  for (int k = 2; k <= 10; ++k) text += "station_dep" + std::to_string(k) + " = \n";
  for (int k = 1; k <= 10; ++k) text += "station_arv" + std::to_string(k) + " = \n";
  dir.writeText("Kiv4.def", sjis(text));
}

// A work file or the settings file of the directory as UTF-8.
inline std::string readUtf8(const TempDir& dir, const std::string& name) {
  return sjisToUtf8Lossy(dir.readText(name));
}

// The value of a key of the settings file, as UTF-8; "(missing)" when the
// key has no line.
inline std::string settingOf(const TempDir& dir, const std::string& key) {
  std::vector<std::string> lines;
  report_text::readLines(dir / "Kiv4.def", lines);
  const std::string prefix = key + " = ";
  for (const std::string& line : lines) {
    if (line.rfind(prefix, 0) == 0) return sjisToUtf8Lossy(line.substr(prefix.size()));
  }
  return "(missing)";
}

// The closing note of the route and timetable reports.
inline const std::string kTimetableNote = "\n\n注 : 実際のダイヤとは異なります。\n";

// A data directory with the network and the settings file.
class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeCliNetwork(dir);
    writeCliSettings(dir);
  }
  CliResult run(const std::vector<std::string>& args) { return runCli(args, dir.path()); }

  TempDir dir;
};

}  // namespace kiv::test
