// A compiled fixture loads in the engine: station, network and train counts,
// positions, distance splits, timetable spans and patterns, change times,
// fares and links are what the sources say.
#include <gtest/gtest.h>

#include "Engine.h"
#include "KivdataTestSupport.h"
#include "text/Codec.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;

constexpr StationNo kKo = 1, kOtsu = 2, kHei = 3, kTei = 4, kBo = 5, kKi = 6;
constexpr TrainNo kDown = 1, kUp = 2, kPrivate = 3, kWalk = 4;

class KivdataEngine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    tree_ = new SourceTree;
    writeFixture(*tree_);
    KivdataRun run = tree_->build(tree_->root() / "out");
    ASSERT_EQ(run.rc, 0) << run.err;
    engine_ = new Engine(tree_->root() / "out");
  }
  static void TearDownTestSuite() {
    delete engine_;
    delete tree_;
  }
  static Engine& e() { return *engine_; }

  static SourceTree* tree_;
  static Engine* engine_;
};

SourceTree* KivdataEngine::tree_ = nullptr;
Engine* KivdataEngine::engine_ = nullptr;

TEST_F(KivdataEngine, StationsNetworksAndTrains) {
  EXPECT_EQ(e().staName.getCount(), 6);
  EXPECT_EQ(e().staName.findByName(*utf8ToSjis("丙")), kHei);
  char kana[kStationKanaSize];
  ASSERT_EQ(e().staName.getKana(kBo, kana), 0);
  EXPECT_EQ(std::string(kana), *utf8ToSjis("ぼ"));

  EXPECT_EQ(e().sta.getNetworkSize(0), 4);
  EXPECT_EQ(e().sta.getNetworkSize(10), 3);
  EXPECT_EQ(e().sta.findPosition(10, kHei), 1);  // a network lists its stations in number order
  EXPECT_EQ(e().sta.findPosition(10, kBo), 2);
  EXPECT_EQ(e().sta.getStationAt(10, 3), kKi);
  EXPECT_EQ(e().sta.findPosition(0, kBo), -1);

  EXPECT_EQ(e().staFare.getNetworkCount(kHei), 2);
  EXPECT_EQ(e().staFare.getNetworkAt(kHei, 0), 0);
  EXPECT_EQ(e().staFare.getNetworkAt(kHei, 1), 10);
  EXPECT_EQ(e().staFare.getNetworkCount(kBo), 1);

  EXPECT_EQ(e().trains.getTrainCount(), 4);
  NetworkCode code = -1;
  EXPECT_EQ(e().trains.getNetworkCode(kPrivate, code), 0);
  EXPECT_EQ(code, 10);
  EXPECT_EQ(e().trains.isWalking(kWalk), 1);
  EXPECT_EQ(e().trains.getNetworkCode(kWalk, code), 0);
  EXPECT_EQ(code, 900);
  EXPECT_EQ(e().trains.isWalking(kUp), 0);
}

TEST_F(KivdataEngine, DistancesSplitByLineKindAndZone) {
  std::int16_t first = 0, last = 0;
  ASSERT_EQ(e().dist.findEdges(0, kHei, first, last), 0);
  EXPECT_EQ(last - first + 1, 2);  // towards 乙 and 丁, stored together

  std::vector<JrDistanceBreakdown> jr(5);
  ASSERT_EQ(e().dist.jrDistances(kKo, 4, jr.data()), 0);
  const JrDistanceBreakdown& toTei = jr[e().sta.findPosition(0, kTei)];
  EXPECT_EQ(toTei.total, 200);
  EXPECT_EQ(toTei.yamanote, 20);
  EXPECT_EQ(toTei.trunk, 105);
  EXPECT_EQ(toTei.localBusiness, 75);
  EXPECT_EQ(toTei.localFare, 82);  // fare=22.0 at 丁, 1.1 × 12.5 = 13.8 at 丙

  std::vector<PrDistanceBreakdown> pr(4);
  ASSERT_EQ(e().dist.privateDistances(kBo, 3, 10, pr.data()), 0);
  EXPECT_EQ(pr[3].total, 55);
  EXPECT_EQ(pr[3].zone[0], 30);

  std::vector<Distance> all(7);
  ASSERT_EQ(e().dist.allDistances(kKo, 6, all.data()), 0);
  EXPECT_EQ(all[kBo], 155);  // over 丙 and the private line, shorter than over the walk at 丁
  EXPECT_EQ(all[kKi], 150);
}

TEST_F(KivdataEngine, TimetableSpansAndPatterns) {
  int first = 0, last = 0;
  e().dia.getDepartureRange(kKo, first, last);
  EXPECT_EQ(last - first + 1, 2);  // 本線(下り) at :10 and :50
  e().dia.getLinkRange(kHei, first, last);
  EXPECT_EQ(last - first + 1, 3);  // towards 乙, 丁 and 己
  e().dia.getLinkRange(kTei, first, last);
  EXPECT_EQ(last - first + 1, 2);  // 本線(上り) and the walk
  EXPECT_EQ(e().dia.getLinkDepartures(kKo, kTei, first, last), -1);

  // 14 riding minutes after 甲: the :50 train leaves 丙 at :04 of the next hour.
  auto towardsTei = e().dia.departuresTowards(kHei, kTei);
  ASSERT_EQ(towardsTei.size(), 2u);
  EXPECT_EQ(towardsTei[0].minute, 24);
  EXPECT_EQ(towardsTei[0].hours, 0x7fffc0u);  // 6-22
  EXPECT_EQ(towardsTei[1].minute, 4);
  EXPECT_EQ(towardsTei[1].hours, 0xffff80u);  // 7-23
  EXPECT_EQ(towardsTei[0].terminal, kTei);
  EXPECT_EQ(towardsTei[0].rideMinutes, 8);
  EXPECT_EQ(towardsTei[0].listOrder, 2);

  // The reversed train mirrors the riding minutes, including the derived ones.
  auto upToOtsu = e().dia.departuresTowards(kHei, kOtsu);
  ASSERT_EQ(upToOtsu.size(), 1u);
  EXPECT_EQ(upToOtsu[0].train, kUp);
  EXPECT_EQ(upToOtsu[0].rideMinutes, 11);  // 10.5 km at 60 km/h
  EXPECT_EQ(upToOtsu[0].interval, 15);
  EXPECT_EQ(upToOtsu[0].days, 0x3e);  // Monday to Friday
  EXPECT_EQ(upToOtsu[0].terminal, kKo);

  EXPECT_EQ(e().dia.fastestTime(kKo, kTei, 6, 0, 1), 32);  // leaves 6:10, arrives 6:32
  EXPECT_EQ(e().dia.fastestTime(kTei, kBo, 12, 0, 0), 6);  // the walk is always ready
}

TEST_F(KivdataEngine, ChangeTimesFaresAndLinks) {
  EXPECT_EQ(e().cnct.getTransferCount(), 1);
  EXPECT_EQ(e().cnct.transferMinutes(kOtsu, kDown, kUp), 4);
  EXPECT_EQ(e().cnct.transferMinutes(kOtsu, kUp, kDown), 4);
  EXPECT_EQ(e().cnct.transferMinutes(kHei, kDown, kUp), 1);

  EXPECT_EQ(e().fare.specialFare(0, kTei, kKo), 500);
  EXPECT_EQ(e().fare.fareReduction(0, kKo, kHei), -20);
  StationNo linked[5] = {};
  ASSERT_EQ(e().fare.linkedStations(kBo, 5, linked), 1);
  EXPECT_EQ(linked[0], kTei);
  EXPECT_EQ(e().fare.stationFare(0, kKo, kTei, 0), 500);  // the special fare replaces 400
  EXPECT_EQ(e().fare.stationFare(0, kHei, kKo, 0), 210);  // 230 less the reduction

  // The distance splits price as the line kinds say: 12.5 km with a trunk
  // part on the trunk table; 20.0 km mixing a local line on its fare distance
  // (2.0 + 10.5 + 8.2 = 20.7 km).
  std::vector<JrDistanceBreakdown> jr(5);
  ASSERT_EQ(e().dist.jrDistances(kKo, 4, jr.data()), 0);
  EXPECT_EQ(e().kiv.jrFare(jr[e().sta.findPosition(0, kHei)]), 23);
  EXPECT_EQ(e().kiv.jrFare(jr[e().sta.findPosition(0, kTei)]), 40);  // key 20.7 km, trunk table
  std::vector<PrDistanceBreakdown> pr(4);
  ASSERT_EQ(e().dist.privateDistances(kBo, 3, 10, pr.data()), 0);
  EXPECT_EQ(e().kiv.privateFare(pr[3], 10), 16 + 1);  // 5.5 km on network 10, 3.0 km in zone 1
}

}  // namespace
}  // namespace kiv::test
