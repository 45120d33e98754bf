// The route commands on the sample network, for what a traveller expects of
// them: trains only on the days and in the hours they run, the through
// train in the fastest route and in the route list, and a best-routes list
// that begins with the fastest arrival. The cases assert these properties,
// not whole reports, so that they hold as the sample network grows.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "TempDir.h"

#ifdef KIV_SAMPLE_DIR

namespace kiv::test {
namespace {

class CliSampleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& file : std::filesystem::directory_iterator(KIV_SAMPLE_DIR)) {
      std::filesystem::copy(file.path(), dir / file.path().filename().string());
    }
    dir.writeText("Kiv4.def", "dep_h = 12\ndep_m = 0\ndep_day = 1\ndep_systime = 0\n");
  }
  CliResult run(const std::vector<std::string>& args) { return runCli(args, dir.path()); }

  TempDir dir;
};

// How often `part` stands in `text`.
int countOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST_F(CliSampleTest, WeekendTrainsDoNotRunOnATuesday) {
  for (const char* command : {"fastest", "route"}) {
    const CliResult tuesday = run({command, "吉祥寺", "東京", "--time", "10:00", "--day", "火"});
    ASSERT_EQ(tuesday.status, 0) << tuesday.err;
    EXPECT_EQ(tuesday.out.find("土休日"), std::string::npos) << tuesday.out;
  }
  const CliResult saturday = run({"fastest", "吉祥寺", "東京", "--time", "10:00", "--day", "土"});
  EXPECT_EQ(saturday.out.find("(上り)"), std::string::npos) << saturday.out;
}

TEST_F(CliSampleTest, RouteDoesNotLeaveBeforeTheFirstServedHour) {
  // 池袋 has no departures at 3 o'clock.
  const CliResult timetable = run({"timetable", "池袋", "--hour", "3", "--day", "火"});
  EXPECT_EQ(timetable.out.find("分発"), std::string::npos) << timetable.out;
  const CliResult r = run({"route", "池袋", "千葉", "--time", "3:00", "--day", "火"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find("池袋(03:"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("(03:"), std::string::npos) << r.out;
}

TEST_F(CliSampleTest, FastestRouteStaysOnTheThroughTrain) {
  const CliResult r = run({"fastest", "上野", "水戸", "--time", "14:15", "--day", "6", "--plain"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("    16:23  水戸着\n"), std::string::npos) << r.out;
  EXPECT_EQ(countOf(r.out, "|-------"), 1) << r.out;
}

TEST_F(CliSampleTest, RouteListHoldsTheThroughTrainFromItsFirstStation) {
  // The 東上線 makes the shortest way run by 池袋, so the 川越線 lies beyond the
  // default detour limit: allow the widest detour.
  const CliResult r =
      run({"route", "新宿", "川越", "--time", "10:00", "--day", "火", "--mode", "best", "--detour", "20"});
  ASSERT_EQ(r.status, 0) << r.err;
  // One of the routes boards the 川越-bound through train at 新宿 and rides
  // it to the end (others may leave it to change to another company's line).
  bool ridesThrough = false;
  for (auto at = r.out.find("(下り川越行)  新宿("); at != std::string::npos;
       at = r.out.find("(下り川越行)  新宿(", at + 1)) {
    const std::string segment = r.out.substr(at, r.out.find('\n', at) - at);
    ridesThrough = ridesThrough || segment.find("→川越(") != std::string::npos;
  }
  EXPECT_TRUE(ridesThrough) << r.out;
}

// The arrival time of the fastest route report: the first word of the line
// before the required time.
std::string fastestArrival(const std::string& report) {
  const auto end = report.find("\n\n    予想所要時間");
  if (end == std::string::npos) return "(none)";
  std::string line = report.substr(report.rfind('\n', end - 1) + 1, end);
  line = line.substr(line.find_first_not_of(' '));
  return line.substr(0, line.find(' '));
}

TEST_F(CliSampleTest, BestRoutesBeginWithTheFastestArrival) {
  for (const std::vector<std::string>& journey :
       {std::vector<std::string>{"新宿", "川越", "--time", "10:00", "--day", "火"},
        std::vector<std::string>{"上野", "水戸", "--time", "14:15", "--day", "土"},
        std::vector<std::string>{"東京", "高崎", "--time", "9:00", "--day", "月"}}) {
    std::vector<std::string> fastest = {"fastest"};
    fastest.insert(fastest.end(), journey.begin(), journey.end());
    const CliResult f = run(fastest);
    ASSERT_EQ(f.status, 0) << f.err;

    std::vector<std::string> best = {"route"};
    best.insert(best.end(), journey.begin(), journey.end());
    for (const char* option : {"--mode", "best", "--routes", "5"}) best.push_back(option);
    const CliResult r = run(best);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(valueAfter(r.out, "  予想到着時刻  "), fastestArrival(f.out)) << f.out << r.out;
  }
}

}  // namespace
}  // namespace kiv::test

#endif
