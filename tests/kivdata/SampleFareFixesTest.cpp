// Kilometres, stations and fares of the sample network checked against
// published figures (sources in data/README.md), and the fare sections of
// routes that change on foot inside one company's fare.
#include <algorithm>
#include <cstdlib>

#include "SampleNetwork.h"
#include "TempDir.h"
#include "text/ReportText.h"

namespace kiv::test {
namespace {

class SampleFareFixes : public SampleNetworkTest {};

// 京急本線: the station kilometres from 品川 as the company publishes them.
TEST_F(SampleFareFixes, KeikyuMainLineKilometresFromShinagawa) {
  expectPrivateKm({{70, "品川", "大森海岸", 48},
                   {70, "品川", "梅屋敷", 72},
                   {70, "品川", "京急蒲田", 80},
                   {70, "品川", "雑色", 94},
                   {70, "品川", "六郷土手", 106},
                   {70, "品川", "京急川崎", 118},
                   {70, "品川", "八丁畷", 131},
                   {70, "品川", "生麦", 169},
                   {70, "品川", "神奈川新町", 200},
                   {70, "品川", "日ノ出町", 248},
                   {70, "品川", "金沢文庫", 395},
                   {70, "品川", "金沢八景", 409},
                   {70, "品川", "追浜", 428},
                   {70, "品川", "京急田浦", 445},
                   {70, "品川", "横須賀中央", 499},
                   {70, "品川", "京急安浦", 511},
                   {70, "鶴見市場", "京急鶴見", 15},
                   {70, "京急川崎", "金沢八景", 291}},
                  false);
}

TEST_F(SampleFareFixes, FaresThatTheKilometresChange) {
  // 40.9 km (the 40.1–45 km band) where the data had 39.7 km and 470 yen; 上野–保土ケ谷
  // 35.4 km (36–40 km band) where the data had 34.3 km and 540 yen.
  expectStationFares({{70, "品川", "金沢八景", 550}, {0, "上野", "保土ケ谷", 620}});
  EXPECT_EQ(fromTokyo("保土ケ谷").total, 318);
  // Both neighbours of 保土ケ谷 keep their distances: 横浜 28.8, 東戸塚 36.7 km.
  EXPECT_EQ(fromTokyo("横浜").total, 288);
  EXPECT_EQ(fromTokyo("東戸塚").total, 367);
}

TEST_F(SampleFareFixes, StationsOfTheTime) {
  EXPECT_GT(station("文挟"), 0);
  EXPECT_EQ(station("文挾"), -1);
  // 昭和島 (1985) between 流通センター and 整備場, 9.9 km from 浜松町.
  expectPrivateKm({{150, "浜松町", "昭和島", 99}, {150, "浜松町", "羽田空港", 169}}, false);
  // 水郡線, a local line: 55.6 km, 61.2 fare kilometres (the 56–64 km band).
  expectStationFares({{0, "水戸", "常陸大子", 1110}});
  // The 有楽町新線 (1994): 小竹向原–新線池袋 as long as the 有楽町線 to 池袋.
  expectPrivateKm({{80, "小竹向原", "新線池袋", 32}, {80, "小竹向原", "池袋", 32}}, false);
}

// JR's fixed fare where the 京急 runs beside it; the distance would give 380.
TEST_F(SampleFareFixes, SpecialFareShinagawaYokohama) {
  expectStationFares({{0, "品川", "横浜", 280}, {0, "横浜", "品川", 280}, {0, "東京", "横浜", 450}});
}

// The routes of a best-routes search: the text of each route's description.
class SampleInFareWalks : public SampleNetworkTest {
 protected:
  struct Route {
    std::vector<std::string> lines;     // the whole description, UTF-8
    std::vector<std::string> sections;  // its fare-section lines
    bool has(const std::string& part) const {
      return std::any_of(lines.begin(), lines.end(),
                         [&](const std::string& l) { return l.find(part) != std::string::npos; });
    }
  };

  // The routes of the classic search (mode 1), which lists routes that no
  // traveller would take, or of the best routes (mode 2).
  static std::vector<Route> routes(const char* from, const char* to, int hour, int count, int mode = 1) {
    Engine& e = engine();
    std::vector<Route> result;
    const int found = e.dia.findRoutes(station(from), station(to), hour, 0, 2, e.def.getDetour(),
                                       e.def.getDiffTime(), RDiaMan::RouteLimits{4, count, mode});
    EXPECT_GT(found, 0) << from << "-" << to;
    for (int d = 0; d < found; ++d) {
      // A directory of its own: the tests of this file run in parallel.
      const test::TempDir scratch;
      const std::filesystem::path file = scratch / "route.txt";
      EXPECT_EQ(e.dia.writeRouteDetail(file, "w", d, 1, 1), 0);
      std::vector<std::string> raw;
      EXPECT_TRUE(report_text::readLines(file, raw));
      Route r;
      for (const std::string& line : raw) {
        const std::string text = sjisToUtf8(line).value_or("?");
        r.lines.push_back(text);
        // A fare section names a journey and its fare but no minutes.
        if (text.find("円") != std::string::npos && text.find("→") != std::string::npos &&
            text.find("分") == std::string::npos)
          r.sections.push_back(text);
      }
      result.push_back(std::move(r));
    }
    return result;
  }

  // The fare sections of a route of the list that has `part` in its
  // description: `expected` when one has them, else those of the first.
  static std::vector<std::string> sectionsOfRouteWith(const std::vector<Route>& list, const std::string& part,
                                                      const std::vector<std::string>& expected) {
    const Route* first = nullptr;
    for (const Route& r : list) {
      if (!r.has(part)) continue;
      if (r.sections == expected) return r.sections;
      if (!first) first = &r;
    }
    if (first) return first->sections;
    ADD_FAILURE() << "no route with " << part;
    return {};
  }
};

using Lines = std::vector<std::string>;

TEST_F(SampleInFareWalks, AChangeOnFootInsideTheEidanFareIsOneJourney) {
  // 丸ノ内線, on foot 淡路町–新御茶ノ水, 千代田線: one 営団 fare, and the
  // cheapest of the best routes for it.
  const std::vector<Route> best = routes("本郷三丁目", "町屋", 10, 5, 2);
  EXPECT_EQ(sectionsOfRouteWith(best, "徒歩（営団乗換）  淡路町", Lines{"  営団  本郷三丁目→町屋  190円"}),
            Lines{"  営団  本郷三丁目→町屋  190円"});
  // Through trains and walks alike: every best route 北千住→中目黒 is one 営団 fare.
  for (const Route& r : routes("北千住", "中目黒", 8, 5, 2))
    EXPECT_EQ(r.sections, Lines{"  営団  北千住→中目黒  230円"});
}

TEST_F(SampleInFareWalks, TheSameWalkBetweenTwoCompaniesStillSplits) {
  const std::vector<Route> list = routes("新橋", "六本木", 10, 300);
  // JR to 有楽町, on foot to 日比谷, 日比谷線: two companies, the walk between them.
  const Lines split{"  ＪＲ  新橋→有楽町  130円", "  徒歩  有楽町→日比谷  0円", "  営団  日比谷→六本木  160円"};
  EXPECT_EQ(sectionsOfRouteWith(list, "徒歩（営団乗換）  有楽町", split), split);
}

}  // namespace
}  // namespace kiv::test
