// The subways and the small railways of central Tokyo in the sample network
// (営団, 都営, 東京モノレール, ゆりかもめ, 東京臨海高速鉄道, 東葉高速鉄道, 都電):
// operating kilometres within each company's network, the fares the built-in
// band tables give on them, stations shared with JR, and journey times over
// their trains.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SampleNetwork.h"

namespace kiv::test {
namespace {

class SampleSubways : public SampleNetworkTest {
 protected:
  static int fareYen(NetworkCode code, const char* from, const char* to) {
    return engine().kiv.privateFare(privateDistance(code, from, to), code) * 10;
  }
};

// Line totals and stations along a line, in 100 m, as the companies' timetables
// print them. Each pair is one where the line itself is the shortest way
// within the company.
TEST_F(SampleSubways, OperatingKilometres) {
  // None of these companies has surcharge zones.
  expectPrivateKm({{80, "浅草", "上野", 22},
                   {80, "浅草", "新橋", 80},
                   {80, "池袋", "御茶ノ水", 64},
                   {80, "中野坂上", "方南町", 32},
                   {80, "北千住", "秋葉原", 68},
                   {80, "中野", "西船橋", 308},
                   {80, "綾瀬", "新御茶ノ水", 112},
                   {80, "和光市", "新木場", 283},
                   {80, "和光市", "池袋", 115},
                   {80, "水天宮前", "三越前", 13},
                   {80, "赤羽岩淵", "駒込", 63},
                   {90, "西馬込", "押上", 183},
                   {90, "三田", "西高島平", 225},
                   {90, "新宿", "本八幡", 235},
                   {90, "新宿", "市ヶ谷", 37},
                   {90, "新宿", "練馬", 91},
                   {90, "練馬", "光が丘", 38},
                   {150, "浜松町", "羽田空港", 169},
                   {250, "新橋", "有明", 119},
                   {270, "新木場", "東京テレポート", 49},
                   {280, "西船橋", "東葉勝田台", 162},
                   {290, "三ノ輪橋", "王子駅前", 60},
                   {290, "三ノ輪橋", "早稲田（都電）", 122}},
                  true);
}

// A company fare is charged on the shortest way within the company: 池袋 →
// 新宿 goes by 有楽町線, 南北線 and 丸ノ内線 (9.9 km), not round by the
// 丸ノ内線 alone (16.6 km).
TEST_F(SampleSubways, CompanyFaresFollowTheShortestWay) {
  EXPECT_EQ(privateDistance(80, "池袋", "新宿").total, 99);
  EXPECT_EQ(fareYen(80, "池袋", "新宿"), 190);
  EXPECT_EQ(privateDistance(80, "池袋", "荻窪").total, 175);
}

// Fares of the time from the built-in band tables, one journey per band
// the data reach where that is cheap to name.
TEST_F(SampleSubways, Fares) {
  const std::vector<Fare> cases = {{80, "浅草", "上野", 160},
                                   {80, "中野", "大手町", 190},
                                   {80, "浅草", "渋谷", 230},
                                   {80, "綾瀬", "代々木上原", 270},
                                   {80, "中野", "西船橋", 300},
                                   {90, "新宿", "市ヶ谷", 170},
                                   {90, "西馬込", "押上", 310},
                                   {90, "新宿", "本八幡", 360},
                                   {150, "浜松町", "天王洲アイル", 190},
                                   {150, "浜松町", "羽田空港", 470},
                                   {250, "新橋", "竹芝", 180},
                                   {250, "新橋", "有明", 370},
                                   {270, "新木場", "東雲", 180},
                                   {270, "新木場", "東京テレポート", 230},
                                   {280, "西船橋", "東葉勝田台", 610},
                                   {290, "三ノ輪橋", "早稲田（都電）", 160}};
  for (const Fare& c : cases) EXPECT_EQ(fareYen(c.network, c.from, c.to), c.yen) << c.from << " - " << c.to;
}

// Every company of this group has trains and stations; its trains carry its
// network code.
TEST_F(SampleSubways, EveryCompanyHasTrainsAndStations) {
  Engine& e = engine();
  for (NetworkCode code : {80, 90, 150, 250, 270, 280, 290}) {
    SCOPED_TRACE(code);
    EXPECT_GT(e.sta.getNetworkSize(code), 1);
    std::int32_t first = -1, last = -1;
    ASSERT_EQ(e.trains.findCompanyTrains(static_cast<std::int16_t>(code / 10), first, last), 0);
    ASSERT_LE(first, last);
    for (std::int32_t t = first; t <= last; ++t) {
      NetworkCode trainCode = -1;
      ASSERT_EQ(e.trains.getNetworkCode(static_cast<TrainNo>(t), trainCode), 0);
      EXPECT_EQ(trainCode, code) << "train " << t;
    }
  }
}

// One station per name, whichever company serves it; stations of the same
// name in different places are kept apart by their qualifier.
TEST_F(SampleSubways, SharedStations) {
  Engine& e = engine();
  auto networks = [&](const char* name) {
    std::vector<int> codes;
    const StationNo s = station(name);
    for (int j = 0; j < e.staFare.getNetworkCount(s); ++j) codes.push_back(e.staFare.getNetworkAt(s, j));
    return codes;
  };
  EXPECT_EQ(networks("新宿"), (std::vector<int>{0, 40, 50, 80, 90}));
  EXPECT_EQ(networks("市ヶ谷"), (std::vector<int>{0, 80, 90}));
  EXPECT_EQ(networks("四ッ谷"), (std::vector<int>{0, 80}));
  EXPECT_EQ(networks("浜松町"), (std::vector<int>{0, 150}));
  EXPECT_EQ(networks("西船橋"), (std::vector<int>{0, 80, 280}));
  EXPECT_EQ(networks("新橋"), (std::vector<int>{0, 80, 90, 250}));
  EXPECT_EQ(networks("早稲田"), (std::vector<int>{80}));
  EXPECT_EQ(networks("早稲田（都電）"), (std::vector<int>{290}));
}

// Journey times on a weekday morning over the trains, changes and walks of
// these companies: end to end on a line, and with a change to or from JR.
TEST_F(SampleSubways, JourneyTimes) {
  expectJourneyTimes(10, 0, 1,
                     {{"浅草", "渋谷", 30, 40},
                      {"中野", "西船橋", 45, 60},
                      {"新宿", "本八幡", 38, 50},
                      {"東京", "羽田空港", 28, 45},
                      {"東京", "有明", 30, 45},
                      {"新木場", "東京テレポート", 8, 20},
                      {"大手町", "東葉勝田台", 55, 75},
                      {"三ノ輪橋", "早稲田（都電）", 40, 65},
                      {"有楽町", "日比谷", 3, 5}});
}

}  // namespace
}  // namespace kiv::test
