// The network the command-line tests run on, compiled into a fresh data
// directory: five JR stations 東京 神田 秋葉原 上野 高崎 on one line, a
// private line (code 60, 東急) 東京 秋葉原 上野, special fares for every pair
// the tests price, two trains and a settings file.
//
//   東京 -1.3km- 神田 -0.7km- 秋葉原 -1.6km- 上野 -100km- 高崎      (JR)
//   東京 ------- 2.0km ------ 秋葉原 -1.6km- 上野                  (60)
//
// 山手線 (JR) leaves 東京 at :00 and reaches 神田 :02, 秋葉原 :04, 上野 :07;
// 東急線 (60, weekdays only) leaves 東京 at :10 and reaches 秋葉原 :13, 上野 :16;
// both run in the hours 6..22 and are bound for 上野. 東京 lists the 東急線 link
// before the 山手線 one, so the route search finds the 東急線 route first.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliRunner.h"
#include "SjisText.h"
#include "TempDir.h"
#include "TextNetwork.h"
#include "TimetableFixture.h"
#include "data/StaNameFile.h"
#include "text/Codec.h"
#include "text/ReportText.h"

namespace kiv::test {

// Every pair the tests price has a fare of its own. The stations have no
// real readings ("x") and the lines stay out of the station-selection list.
inline constexpr char kCliNetwork[] = R"(
line 山手線
nolist
kind 山手線内
    0.0 東京   x
    1.3 神田   x
    2.0 秋葉原 x
    3.6 上野   x
kind 幹線
  103.6 高崎   x

line 東急線
nolist
network 60
zone 1
    0.0 東京
    2.0 秋葉原
    3.6 上野

train 山手線
terminal 上野
at 0 hours 6-22
東京
神田 2
秋葉原 2
上野 3

train 東急線
network 60
terminal 上野
at 10 hours 6-22 days 平日
東京
秋葉原 3
上野 3

fare 0 東京 神田 140
fare 0 東京 秋葉原 150
fare 0 東京 上野 160
fare 0 東京 高崎 1890
fare 0 神田 高崎 2000
fare 60 東京 秋葉原 110
fare 60 東京 上野 120
)";

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
    compileNetworkInto(dir, kCliNetwork);
    putLinkFirst(dir.path(), 1, 3);  // 東京 → 秋葉原 by the 東急線
    writeCliSettings(dir);
  }
  CliResult run(const std::vector<std::string>& args) { return runCli(args, dir.path()); }

  TempDir dir;
};

}  // namespace kiv::test
