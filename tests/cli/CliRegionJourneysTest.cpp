// Journeys across the companies of the region on the sample network, in
// best-routes mode at a fixed weekday morning: the first route's fare
// sections (company, from, to, yen), its total and its arrival, as a
// traveller of the time would ride and pay them. Every section fare is the
// company's band fare for the kilometres ridden (plus the airport additions
// of 京成 and 京急), so a wrong kilometre, a missing change or a station
// merged with a namesake elsewhere shows up here.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "TempDir.h"

#ifdef KIV_SAMPLE_DIR

namespace kiv::test {
namespace {

class CliRegionJourneysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& file : std::filesystem::directory_iterator(KIV_SAMPLE_DIR)) {
      const std::string name = file.path().filename().string();
      // Only the data files: work files and settings left by a hand run do not belong.
      if (name.starts_with("$") || name == "Kiv4.def") continue;
      std::filesystem::copy(file.path(), dir / name);
    }
    dir.writeText("Kiv4.def", "dep_h = 12\ndep_m = 0\ndep_day = 1\ndep_systime = 0\n");
  }

  TempDir dir;
};

struct Journey {
  const char* from;
  const char* to;
  const char* time;
  std::vector<std::string> sections;  // "company  from→to  yen円", in riding order
  const char* fare;                   // the total, as in the report
  const char* arrival;
};

// The report of the first route: everything before the second route's title.
// The first route described, after the overview of the best routes.
std::string firstRoute(const std::string& report) {
  const std::size_t first = report.find("--<<");
  const std::size_t second = report.find("No.002/", first);
  return report.substr(first, second == std::string::npos ? std::string::npos : second - first);
}

// The fare-section lines of a route report ("  ＪＲ  新宿→品川  250円"),
// without their indentation.
std::vector<std::string> fareSections(const std::string& route) {
  std::vector<std::string> sections;
  std::istringstream lines(route);
  for (std::string line; std::getline(lines, line);) {
    if (line.ends_with("円") && line.find("→") != std::string::npos) sections.push_back(line.substr(2));
  }
  return sections;
}

const std::vector<Journey> kJourneys = {
    // 営団 半蔵門線, a walk to the 総武快速線, a walk to 京成 at 船橋 (京成 with
    // the airport addition of 140 yen).
    {"渋谷",
     "成田空港",
     "9:00",
     {"営団  渋谷→三越前  190円", "徒歩  三越前→新日本橋  0円", "ＪＲ  新日本橋→船橋  380円",
      "徒歩  船橋→京成船橋  0円", "京成  京成船橋→成田空港  720円"},
     "1290円",
     "10:38"},
    // JR all the way by the 山手線 and the 横須賀線 (54.8 km in the train zone).
    {"新宿", "鎌倉", "9:00", {"ＪＲ  新宿→鎌倉  890円"}, "890円", "10:19"},
    {"池袋", "横浜", "9:00", {"ＪＲ  池袋→品川  250円", "京急  品川→横浜  300円"}, "550円", "9:49"},
    // 14.5 km on 京急 and the airport addition of 170 yen.
    {"品川", "羽田空港", "9:00", {"京急  品川→羽田空港  400円"}, "400円", "9:26"},
    // 小田急 82.5 km, then the mountain railway from 小田原.
    {"新宿",
     "箱根湯本",
     "9:00",
     {"小田急  新宿→小田原  850円", "箱根登山鉄道  小田原→箱根湯本  300円"},
     "1150円",
     "11:12"},
    {"浅草", "東武日光", "9:00", {"東武  浅草→東武日光  1320円"}, "1320円", "11:30"},
};

TEST_F(CliRegionJourneysTest, FirstBestRouteHasOneFareSectionPerNetwork) {
  for (const Journey& j : kJourneys) {
    SCOPED_TRACE(std::string(j.from) + "→" + j.to);
    const CliResult r =
        runCli({"route", j.from, j.to, "--time", j.time, "--day", "1", "--mode", "best", "--routes", "5"},
               dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string route = firstRoute(r.out);
    EXPECT_EQ(fareSections(route), j.sections) << route;
    EXPECT_EQ(valueAfter(route, "  運賃  "), j.fare) << route;
    EXPECT_EQ(valueAfter(route, "  予想到着時刻  "), j.arrival) << route;
  }
}

// The fastest route 新橋→六本木 changes on foot from 銀座 to 日比谷, a change
// inside the 営団 fare: one journey (160 yen), not 160 + 160.
TEST_F(CliRegionJourneysTest, FastestRouteKeepsOneFareOverAChangeOnFootInsideTheCompany) {
  const CliResult r = runCli({"fastest", "新橋", "六本木", "--time", "10:00", "--day", "2"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_NE(r.out.find("徒歩（営団乗換）"), std::string::npos) << r.out;
  EXPECT_EQ(fareSections(r.out), std::vector<std::string>{"営団  新橋→六本木  160円"}) << r.out;
}

TEST_F(CliRegionJourneysTest, SameNamedStationsFarApartAreNotOnePlace) {
  // Were the two one station, the distances would take a short cut through
  // it: 入谷 of the 日比谷線 joined to the 相模線 put 海老名 3 km from 上野
  // and left the 小田急 to 箱根湯本 outside the detour.
  struct Namesakes {
    const char* name;
    const char* kana;
    const char* other;  // the qualified name of the station elsewhere
  };
  for (const Namesakes& n : {Namesakes{"入谷", "いりや", "入谷（神奈川県）"},
                             Namesakes{"平和台", "へいわだい", "平和台（千葉県）"},
                             Namesakes{"永田", "ながた", "永田（埼玉県）"}}) {
    const CliResult r = runCli({"find", n.kana}, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(std::string(" ") + n.name + " " + n.kana + "\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(std::string(" ") + n.other + " " + n.kana + "\n"), std::string::npos) << r.out;
  }
}

}  // namespace
}  // namespace kiv::test

#endif
