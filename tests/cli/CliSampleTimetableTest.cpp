// The station timetables of the sample network where the era's service is
// known: the first trains of the JR lines leave one at a time, none before
// 4:19, and the busiest lines run their morning peak as often as they did.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "TempDir.h"

#ifdef KIV_SAMPLE_DIR

namespace kiv::test {
namespace {

class CliSampleTimetableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& file : std::filesystem::directory_iterator(KIV_SAMPLE_DIR)) {
      if (file.path().filename().string()[0] != '$') {
        std::filesystem::copy(file.path(), dir / file.path().filename().string());
      }
    }
  }

  // The minutes at which each train leaves `station` on a Monday in `hour`;
  // a frequent service counts as its departures in the hour (-1 each).
  std::map<std::string, std::vector<int>> departures(const std::string& station, int hour) {
    const CliResult r =
        runCli({"timetable", station, "--day", "1", "--hour", std::to_string(hour), "--json"}, dir.path());
    std::map<std::string, std::vector<int>> trains;
    EXPECT_EQ(r.status, 0) << station << " " << hour << ": " << r.err;
    if (r.status != 0) return trains;
    const auto timetable = nlohmann::json::parse(r.out);
    for (const auto& company : timetable["companies"]) {
      for (const auto& d : company["departures"]) {
        std::vector<int>& minutes = trains[d["train"].get<std::string>()];
        if (d["kind"] == "timed") {
          minutes.push_back(d["minute"].get<int>());
        } else {
          minutes.insert(minutes.end(), 60 / d["interval_minutes"].get<int>(), -1);
        }
      }
    }
    return trains;
  }

  TempDir dir;
};

TEST_F(CliSampleTimetableTest, TheFirstTrainsOfTheJrLinesLeaveOneAtATimeAfterFourNineteen) {
  struct First {
    const char* station;
    const char* train;
    int minute;  // of the only departure in the 4 o'clock hour
  };
  const First firsts[] = {{"東京", "中央線快速(下り)", 45},         {"高尾", "中央線快速(上り)", 40},
                          {"大宮", "京浜東北線(南行大船行)", 40},   {"大船", "京浜東北線(北行大宮行)", 35},
                          {"三鷹", "中央・総武線各停(千葉行)", 30}, {"千葉", "中央・総武線各停(三鷹行)", 40}};
  for (const First& f : firsts) {
    SCOPED_TRACE(f.station);
    auto trains = departures(f.station, 4);
    EXPECT_EQ(trains[f.train], std::vector<int>{f.minute});
    // Nothing of the line leaves in the hour before.
    const CliResult earlier =
        runCli({"timetable", f.station, "--day", "1", "--hour", "3", "--json"}, dir.path());
    EXPECT_EQ(earlier.out.find(f.train), std::string::npos) << earlier.out;
  }
}

TEST_F(CliSampleTimetableTest, TheMorningPeakOfTheYamanoteLineAndTheTokaidoLine) {
  // 山手線: a train every 2 minutes 30 seconds each way (24 an hour).
  auto osaki = departures("大崎", 7);
  EXPECT_EQ(osaki["山手線(外回り)"].size(), 24u);
  EXPECT_EQ(osaki["山手線(内回り)"].size(), 24u);
  // Through the day it runs every 4 minutes.
  EXPECT_EQ(departures("大崎", 11)["山手線(外回り)"].size(), 15u);

  // 東海道線: about 15 trains an hour towards 東京 at 品川 at the peak (13
  // leave in the clock hour from 7:00).
  std::size_t towardsTokyo = 0;
  for (const auto& [train, minutes] : departures("品川", 7)) {
    if (train.starts_with("東海道線(上り")) towardsTokyo += minutes.size();
  }
  EXPECT_GE(towardsTokyo, 13u);  // 5 an hour outside the peak
  EXPECT_LE(towardsTokyo, 16u);
  // On a Sunday the peak trains from 平塚 do not run.
  const CliResult sunday = runCli({"timetable", "品川", "--day", "0", "--hour", "7"}, dir.path());
  EXPECT_EQ(sunday.out.find("東海道線(上り平塚発)"), std::string::npos) << sunday.out;
}

}  // namespace
}  // namespace kiv::test

#endif
