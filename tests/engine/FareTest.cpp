#include <gtest/gtest.h>

#include "DistFareFixture.h"
#include "SjisText.h"
#include "TempDir.h"
#include "TextNetwork.h"
#include "data/FareRFile.h"

namespace kiv {
namespace {

using test::DistFareEngine;
using test::TempDir;

enum : StationNo { Tokyo = 1, Shinjuku, Omiya, Takasaki, Atami, Aoto, Oshiage, Narita, Airport };

// JR: 東京-新宿 10.0 km in the Yamanote zone; trunk lines 東京-大宮 30.5,
// 新宿-大宮 20.0, 大宮-高崎 75.0, 東京-熱海 100.0 km. So 新宿-高崎 is 95.0 km
// (1620 yen) and 東京-高崎 105.0 km over 新宿 (1890 yen); 東京-熱海 has a
// special fare of 1500 yen, 新宿-熱海 is 110.0 km (1890 yen).
// 京成 (20): 押上-青砥 4.0 km, 青砥-成田 3.0 km in zone 1, 成田-空港 2.0 km in zone 2.
// 西武 (30): 新宿-高崎 10.0 km, 東京-高崎 20.0 km.
constexpr char kFareNetwork[] = R"(
line 東海道線
kind 山手線内
    0.0 東京 とうきょう
   10.0 新宿 しんじゅく
kind 幹線
   30.0 大宮 おおみや
  105.0 高崎 たかさき
line 東北線
kind 幹線
    0.0 東京
   30.5 大宮
line 熱海線
kind 幹線
    0.0 東京
  100.0 熱海 あたみ

line 押上線
network 20
    0.0 青砥 あおと
    4.0 押上 おしあげ
line 本線
network 20
    0.0 青砥
zone 1
    3.0 成田 なりた
zone 2
    5.0 空港 くうこう

line 新宿線
network 30
    0.0 新宿
   10.0 高崎
line 池袋線
network 30
    0.0 東京
   20.0 高崎

fare 0 高崎 大宮 990
fare 0 東京 熱海 1500
reduce 0 新宿 大宮 20
reduce 20 押上 空港 50
fare 20 空港 押上 300
reduce 20 青砥 成田 20
)";

void writeWorld(const TempDir& dir, const std::string& tokyoName = "東京") {
  std::string source = kFareNetwork;
  for (std::size_t at = source.find("東京"); at != std::string::npos; at = source.find("東京", at + 1))
    source.replace(at, std::string("東京").size(), tokyoName);
  test::compileNetworkInto(dir, source);
}

// The network written into a fresh directory and the engine objects over it.
struct FareWorld {
  explicit FareWorld(const std::string& tokyoName = "東京") : e((writeWorld(dir, tokyoName), dir.path())) {}
  TempDir dir;
  DistFareEngine e;
};

TEST(StationFare, PricesEachNetworkOnItsShortestDistance) {
  FareWorld w;
  DistFareEngine& e = w.e;
  EXPECT_EQ(e.fare.stationFare(0, Tokyo, Shinjuku, 0), 160);
  EXPECT_EQ(e.fare.stationFare(0, Tokyo, Omiya, 0), 480);  // 30.0 km over 新宿, not 30.5 direct
  EXPECT_EQ(e.fare.stationFare(0, Takasaki, Shinjuku, 0), 1620);
  EXPECT_EQ(e.fare.stationFare(20, Oshiage, Aoto, 1), 150);
  EXPECT_EQ(e.fare.stationFare(20, Oshiage, Narita, 1), 180 + 140);  // 7.0 km, 3.0 km of it in zone 1
  EXPECT_EQ(e.fare.stationFare(30, Tokyo, Shinjuku, 1), 360);        // 30.0 km over 高崎
  // Same station, origin outside the network, destination outside it.
  EXPECT_EQ(e.fare.stationFare(0, Shinjuku, Shinjuku, 1), -1);
  EXPECT_EQ(e.fare.stationFare(0, Aoto, Tokyo, 0), 0);
  EXPECT_EQ(e.fare.stationFare(20, Aoto, Tokyo, 0), 0);
}

TEST(StationFare, SpecialFaresReplaceAndReductionsLowerTheDistanceFare) {
  FareWorld w;
  DistFareEngine& e = w.e;
  EXPECT_EQ(e.fare.stationFare(0, Omiya, Takasaki, 1), 990);  // 75.0 km would be 1280
  EXPECT_EQ(e.fare.stationFare(0, Shinjuku, Omiya, 0), 320 - 20);
  EXPECT_EQ(e.fare.stationFare(0, Omiya, Shinjuku, 0), 320 - 20);
  EXPECT_EQ(e.fare.stationFare(20, Aoto, Narita, 0), 270 - 20);
  // Surcharged in zones 1 and 2; on 押上-空港 a special fare wins over a reduction.
  EXPECT_EQ(e.fare.stationFare(20, Airport, Aoto, 0), 150 + 140 + 70);
  EXPECT_EQ(e.fare.stationFare(20, Oshiage, Airport, 0), 300);
}

// A reduction larger than the fare (a corrupt FARER.KV4) leaves no fare:
// never a negative one, in the fare nor in the fare table.
TEST(StationFare, ReductionLargerThanTheFareLeavesNone) {
  TempDir dir;
  writeWorld(dir);
  ASSERT_TRUE(writeFareRFile(dir / "FARER.KV4", FareRFile{{{0, Tokyo, Shinjuku, 9999}}}));
  DistFareEngine e(dir.path());
  EXPECT_EQ(e.fare.stationFare(0, Tokyo, Shinjuku, 0), 0);
  EXPECT_EQ(e.fare.pairFare(0, Tokyo, Shinjuku, 160), 0);
  EXPECT_EQ(e.fare.pairFare(0, Shinjuku, Tokyo, 99991), 1);
  EXPECT_EQ(e.fare.pairFare(0, Tokyo, Atami, 0), 1500);  // the special fare stands
  ASSERT_EQ(e.fare.buildFareTable(Tokyo), 0);
  const std::string table = dir.readText("$FareTbl.kv4");
  EXPECT_EQ(table.find('-'), std::string::npos) << table;
}

TEST(StationFare, TokyoZoneRulePricesFromTokyoInBothDirectionsOnJrOnly) {
  FareWorld w;
  DistFareEngine& e = w.e;
  EXPECT_EQ(e.fare.stationFare(0, Shinjuku, Takasaki, 0), 1620);
  EXPECT_EQ(e.fare.stationFare(0, Shinjuku, Takasaki, 1), 1890);
  EXPECT_EQ(e.fare.stationFare(0, Takasaki, Shinjuku, 0), 1620);
  EXPECT_EQ(e.fare.stationFare(0, Takasaki, Shinjuku, 1), 1890);
  // The special fare of the pair priced (東京-熱海) applies, not that of 新宿-熱海.
  EXPECT_EQ(e.fare.stationFare(0, Atami, Shinjuku, 0), 1890);
  EXPECT_EQ(e.fare.stationFare(0, Atami, Shinjuku, 1), 1500);
  // Two Yamanote-zone stations, or a station in neither list: no rule.
  EXPECT_EQ(e.fare.stationFare(0, Shinjuku, Tokyo, 1), 160);
  EXPECT_EQ(e.fare.stationFare(0, Takasaki, Omiya, 1), 990);
  // A private network is never priced from Tokyo (that would be 20.0 km, 260 yen).
  EXPECT_EQ(e.fare.stationFare(30, Shinjuku, Takasaki, 1), 200);
  EXPECT_EQ(e.fare.stationFare(30, Takasaki, Shinjuku, 1), 200);
}

TEST(StationFare, TokyoZoneRuleWithoutTokyoInTheStationFileGivesZero) {
  FareWorld w("東京駅");
  DistFareEngine& e = w.e;
  EXPECT_EQ(e.fare.stationFare(0, Shinjuku, Takasaki, 1), 0);
  EXPECT_EQ(e.fare.stationFare(0, Shinjuku, Takasaki, 0), 1620);
}

TEST(TokyoZoneList, ListsThePairsWhoseFareChangesGroupedByTheFarStation) {
  FareWorld w;
  DistFareEngine& e = w.e;
  // 熱海 comes before 高崎 in the 101-200 km list. 東京's own pairs cost the
  // same both ways and are left out; 新宿-熱海 drops from 1890 to the special
  // 1500, 新宿-高崎 rises from 1620 to 1890.
  EXPECT_EQ(e.fare.buildTokyoZoneList(), 2);
  EXPECT_EQ(test::readUtf8(w.dir / "$TKY101.KV4"), "新宿,熱海,150\r\n新宿,高崎,189\r\n");
}

// One report per 101-200 km station (熱海 is the first); "stop" after it
// keeps 熱海's pair only.
TEST(TokyoZoneList, ReportsEachFarStationAndStopsWhenTold) {
  FareWorld w;
  DistFareEngine& e = w.e;
  std::vector<TableProgress> reports;
  EXPECT_EQ(e.fare.buildTokyoZoneList([&reports](const TableProgress& p) {
    reports.push_back(p);
    return true;
  }),
            2);
  ASSERT_EQ(reports.size(), 36u);
  EXPECT_EQ(reports.front().done, 1);
  EXPECT_EQ(reports.front().found, 1);
  EXPECT_EQ(reports.back().done, 36);
  EXPECT_EQ(reports.back().total, 36);
  EXPECT_EQ(reports.back().found, 2);

  EXPECT_EQ(e.fare.buildTokyoZoneList([](const TableProgress&) { return false; }), 1);
  EXPECT_EQ(test::readUtf8(w.dir / "$TKY101.KV4"), "新宿,熱海,150\r\n");
}

TEST(TokyoZoneList, FailsWhenTheFileCannotBeCreated) {
  TempDir dir;
  DistFareEngine e(dir / "missing");
  EXPECT_EQ(e.fare.buildTokyoZoneList(), -1);
}

}  // namespace
}  // namespace kiv
