// The sample network as shipped in data/, seen over the private railways of
// the north and east (東武, 京成, 西武 and the smaller companies from 新京成
// to 上信電鉄): operating kilometres inside each fare network, the fares the
// built-in band tables give on them, the stations they share with JR and with
// each other, and journeys that need their trains, changes and walks.
#include <gtest/gtest.h>

#include <vector>

#include "SampleNetwork.h"

namespace kiv::test {
namespace {

class SampleNorthEast : public SampleNetworkTest {};

// Operating kilometres as the companies' timetables print them: line totals
// and a few stations in between. A wrong row or a missing section shows here.
TEST_F(SampleNorthEast, OperatingKilometres) {
  expectPrivateKm({{10, "浅草", "北千住", 71},
                   {10, "浅草", "東武動物公園", 410},
                   {10, "浅草", "加須", 585},
                   {10, "浅草", "館林", 746},
                   {10, "浅草", "足利市", 868},
                   {10, "浅草", "伊勢崎", 1145},
                   {10, "浅草", "東武日光", 1355},
                   {10, "東武動物公園", "栃木", 449},
                   {10, "東武動物公園", "下今市", 874},
                   {10, "大宮", "船橋", 627},
                   {10, "浅草", "東武宇都宮", 1132},
                   {10, "太田", "赤城", 203},
                   {10, "浅草", "大宮", 505},
                   {11, "池袋", "川越", 305},
                   {11, "池袋", "川越市", 314},
                   {11, "池袋", "寄居", 750},
                   {11, "坂戸", "越生", 109},
                   {20, "京成上野", "京成津田沼", 297},
                   {20, "京成上野", "京成成田", 612},
                   {20, "京成上野", "成田空港", 693},
                   {20, "押上", "青砥", 57},
                   {20, "京成津田沼", "千葉中央", 129},
                   {20, "京成高砂", "京成金町", 25},
                   {21, "千葉中央", "ちはら台", 109},
                   {30, "池袋", "所沢", 248},
                   {30, "池袋", "飯能", 437},
                   {30, "池袋", "吾野", 578},
                   {30, "池袋", "西武秩父", 768},
                   {30, "西武新宿", "東村山", 260},
                   {30, "西武新宿", "本川越", 475},
                   {30, "小平", "拝島", 143},
                   {31, "武蔵境", "是政", 80},
                   {100, "松戸", "京成津田沼", 265},
                   {130, "京成高砂", "印西牧の原", 286},
                   {140, "羽生", "三峰口", 717},
                   {160, "大宮", "内宿", 127},
                   {170, "馬橋", "流山", 57},
                   {180, "千葉みなと", "千城台", 135},
                   {230, "取手", "水海道", 175},
                   {230, "取手", "下館", 511},
                   {231, "佐貫", "竜ヶ崎", 45},
                   {260, "ユーカリが丘", "井野", 17},
                   {320, "下館", "茂木", 419},
                   {330, "桐生", "間藤", 441},
                   {340, "中央前橋", "西桐生", 254},
                   {350, "高崎", "下仁田", 337}},
                  false);
}

// 京成's airport surcharge covers 京成成田–成田空港 (zone 1) and the 東成田線
// (zone 2); the rest of its lines and every other company here have none.
TEST_F(SampleNorthEast, SurchargeZones) {
  PrDistanceBreakdown airport = privateDistance(20, "京成上野", "成田空港");
  EXPECT_EQ(airport.zone[0], 81);
  EXPECT_EQ(airport.zone[1], 0);
  PrDistanceBreakdown oldAirport = privateDistance(20, "京成上野", "東成田");
  EXPECT_EQ(oldAirport.zone[0], 0);
  EXPECT_EQ(oldAirport.zone[1], 71);
  EXPECT_EQ(privateDistance(20, "京成上野", "京成成田").zone[0], 0);
  EXPECT_EQ(privateDistance(10, "浅草", "伊勢崎").zone[0], 0);
  EXPECT_EQ(privateDistance(30, "池袋", "西武秩父").zone[0], 0);
  EXPECT_EQ(privateDistance(30, "池袋", "西武秩父").zone[1], 0);
}

// Fares of the time from the built-in band tables, surcharges included.
TEST_F(SampleNorthEast, Fares) {
  expectStationFares({
      {20, "京成上野", "成田空港", 1000},  // 860 + 140 airport surcharge
      {20, "京成上野", "京成成田", 810},
      {20, "押上", "青砥", 180},
      {21, "千葉中央", "ちはら台", 350},
      {10, "浅草", "東武日光", 1320},
      {10, "浅草", "北千住", 190},
      {11, "池袋", "川越", 450},
      {30, "西武新宿", "本川越", 480},
      {30, "池袋", "西武秩父", 750},
      {140, "羽生", "三峰口", 1020},
      {230, "取手", "水海道", 630},
  });
}

// One station per name: the interchanges belong to every network that
// serves them, and stations of one company's name stay apart from JR's.
TEST_F(SampleNorthEast, SharedStations) {
  Engine& e = engine();
  auto networksOf = [&](const char* name) {
    std::vector<int> codes;
    const StationNo s = station(name);
    EXPECT_GT(s, 0) << name;
    for (int j = 0; j < e.staFare.getNetworkCount(s); ++j) codes.push_back(e.staFare.getNetworkAt(s, j));
    return codes;
  };
  EXPECT_EQ(networksOf("池袋"), (std::vector<int>{0, 11, 30, 80}));
  EXPECT_EQ(networksOf("寄居"), (std::vector<int>{0, 11, 140}));
  EXPECT_EQ(networksOf("京成高砂"), (std::vector<int>{20, 130}));
  EXPECT_EQ(networksOf("新鎌ヶ谷"), (std::vector<int>{100, 130}));
  EXPECT_EQ(networksOf("下館"), (std::vector<int>{0, 230, 320}));
  EXPECT_EQ(networksOf("相老"), (std::vector<int>{10, 330}));
  EXPECT_EQ(networksOf("赤城"), (std::vector<int>{10, 340}));
  EXPECT_EQ(networksOf("京成上野"), (std::vector<int>{20}));
  EXPECT_EQ(networksOf("西武新宿"), (std::vector<int>{30}));
}

// Every company of this part has trains and charges a fare from one end of
// each of its networks to the other.
TEST_F(SampleNorthEast, EveryCompanyHasTrainsAndFares) {
  Engine& e = engine();
  const NetworkCode networks[] = {10,  11,  20,  21,  30,  31,  100, 130, 140, 160,
                                  170, 180, 230, 231, 260, 320, 330, 340, 350};
  for (NetworkCode code : networks) {
    SCOPED_TRACE(code);
    std::int32_t first = -1, last = -1;
    e.trains.findCompanyTrains(static_cast<std::int16_t>(code / 10), first, last);
    EXPECT_GT(first, 0);
    const int n = e.sta.getNetworkSize(code);
    ASSERT_GT(n, 1);
    EXPECT_GT(e.fare.stationFare(code, e.sta.getStationAt(code, 1), e.sta.getStationAt(code, n), 1), 0);
  }
}

// Journeys that need the trains of these companies, their changes with JR
// and the walks between stations of different names, leaving at 9:15 on a
// Monday: each is reached within the time of the service of the era,
// waits for the hourly trains of the country lines included.
TEST_F(SampleNorthEast, JourneyTimes) {
  expectJourneyTimes(9, 15, 1,
                     {{"浅草", "東武日光", 1, 150},
                      {"池袋", "寄居", 1, 120},
                      {"上野", "成田空港", 1, 100},
                      {"新宿", "本川越", 1, 75},
                      {"池袋", "西武秩父", 1, 180},
                      {"大宮", "船橋", 1, 100},
                      {"松戸", "千葉", 1, 100},
                      {"熊谷", "三峰口", 1, 120},
                      {"上野", "印西牧の原", 1, 75},
                      {"中央前橋", "西桐生", 1, 75}});
}

}  // namespace
}  // namespace kiv::test
