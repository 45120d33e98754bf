#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "network/RKivMan.h"
#include "text/Codec.h"

namespace kiv {
namespace {

JrDistanceBreakdown jr(int total, int yamanote, int trainZone, int trunk, int localBusiness, int localFare) {
  return {static_cast<std::int16_t>(total),         static_cast<std::int16_t>(yamanote),
          static_cast<std::int16_t>(trainZone),     static_cast<std::int16_t>(trunk),
          static_cast<std::int16_t>(localBusiness), static_cast<std::int16_t>(localFare)};
}
JrDistanceBreakdown yamanoteOnly(int d) { return jr(d, d, 0, 0, 0, 0); }
JrDistanceBreakdown trainZoneOnly(int d) { return jr(d, 0, d, 0, 0, 0); }
JrDistanceBreakdown trunkOnly(int d) { return jr(d, 0, 0, d, 0, 0); }
JrDistanceBreakdown localOnly(int d) { return jr(d, 0, 0, 0, d, d); }

PrDistanceBreakdown pr(int total, int zone1 = 0, int zone2 = 0) {
  PrDistanceBreakdown d;
  d.total = static_cast<std::int16_t>(total);
  d.zone[0] = static_cast<std::int16_t>(zone1);
  d.zone[1] = static_cast<std::int16_t>(zone2);
  return d;
}

std::string sjis(const char* utf8) { return *utf8ToSjis(utf8); }

class KivMan : public ::testing::Test {
 protected:
  RKivMan kiv;
};

TEST_F(KivMan, CompanyNamesAreExactShiftJis) {
  EXPECT_EQ(kiv.getCompanyCount(), 37);
  struct Row {
    int number;
    const char* full;
    const char* shortName;
  };
  const Row rows[] = {
      {0, "ＪＲ東日本", "ＪＲ"},
      {11, "横浜市交通局", "横浜市営地下鉄"},
      {18, "千葉都市モノレール", "千葉都市モノレール"},  // the longest, 18 bytes
      {32, "真岡鐵道", "真岡鐵道"},
      {33, "わたらせ渓谷鐵道", "わたらせ渓谷鐵道"},
      {35, "上信電鉄", "上信電鉄"},  // the last numbered company
      {90, "徒歩", "徒歩"},
  };
  for (const Row& row : rows) {
    char full[kCompanyNameSize];
    char shortName[kCompanyNameSize];
    ASSERT_EQ(kiv.getCompanyName(row.number, full), 0) << row.number;
    ASSERT_EQ(kiv.getCompanyShortName(row.number, shortName), 0) << row.number;
    EXPECT_EQ(std::string(full), sjis(row.full)) << row.number;
    EXPECT_EQ(std::string(shortName), sjis(row.shortName)) << row.number;
  }
}

TEST_F(KivMan, EveryCompanyHasNamesThatFitTheBuffer) {
  for (int number = 0; number <= 90; ++number) {
    if (number == 36) number = 90;  // 36..89 do not exist
    char full[kCompanyNameSize] = {};
    char shortName[kCompanyNameSize] = {};
    ASSERT_EQ(kiv.getCompanyName(number, full), 0) << number;
    ASSERT_EQ(kiv.getCompanyShortName(number, shortName), 0) << number;
    // A failed conversion would leave an empty name.
    EXPECT_GT(std::strlen(full), 0u) << number;
    EXPECT_GT(std::strlen(shortName), 0u) << number;
  }
}

TEST_F(KivMan, UnknownCompanyGivesMinusOneAndLeavesTheBufferAlone) {
  for (int number : {36, 89, 91, -1, 100, 1000}) {
    char buffer[kCompanyNameSize] = "untouched";
    EXPECT_EQ(kiv.getCompanyName(number, buffer), -1) << number;
    EXPECT_EQ(kiv.getCompanyShortName(number, buffer), -1) << number;
    EXPECT_STREQ(buffer, "untouched");
  }
}

TEST_F(KivMan, JrBandBoundaries) {
  // A fraction of a kilometre counts as a whole one: 3.0 km is band 1, 3.1 km
  // band 2. The last band of each table runs on to the end mark; beyond 41 km
  // the local-line bands go on (42-46 km 820 yen ... 92-100 km 1,800 yen, the
  // second row of local distances).
  // Distances (100 m) on one line kind alone and their fares (10 yen):
  using Bands = std::vector<std::pair<int, int>>;
  const std::pair<JrDistanceBreakdown (*)(int), Bands> tables[] = {
      {yamanoteOnly, {{1, 13}, {30, 13}, {31, 15}, {100, 16}, {101, 19}, {500, 33}}},
      {trainZoneOnly, {{30, 13}, {31, 15}, {100, 16}, {101, 21}, {2000, 305}, {2200, 336}}},
      {trunkOnly,
       {{1, 14}, {30, 14}, {31, 18}, {100, 19}, {101, 23}, {3000, 494}, {3001, 525}, {31999, 525}}},
      {localOnly, {{30, 14}, {31, 18}, {100, 20}, {101, 23}, {370, 65}, {371, 74}}},
      {localOnly, {{410, 74}, {411, 82}, {551, 111}, {910, 162}, {911, 180}, {5000, 180}}},
  };
  for (const auto& [only, bands] : tables) {
    for (const auto& [distance, fare] : bands) EXPECT_EQ(kiv.jrFare(only(distance)), fare) << distance;
  }
}

TEST_F(KivMan, JrRuleBranches) {
  // Local lines mixed with others up to 10.0 km: local-line table on the total
  // (the trunk table would give 19).
  EXPECT_EQ(kiv.jrFare(jr(100, 60, 0, 0, 40, 44)), 20);
  // From 10.1 km: trunk table on total - local business + local fare distance.
  EXPECT_EQ(kiv.jrFare(jr(250, 0, 0, 200, 50, 55)), 48);  // key 255
  EXPECT_EQ(kiv.jrFare(jr(150, 0, 0, 120, 30, 31)), 32);  // key 151 crosses into the next band
  EXPECT_EQ(kiv.jrFare(jr(101, 71, 0, 0, 30, 30)), 23);   // trunk table without trunk lines
  // Local lines only.
  EXPECT_EQ(kiv.jrFare(jr(80, 0, 0, 0, 80, 88)), 20);
  // Wholly inside the Yamanote zone, even where the train-zone table (21) would apply.
  EXPECT_EQ(kiv.jrFare(yamanoteOnly(25)), 13);
  EXPECT_EQ(kiv.jrFare(yamanoteOnly(120)), 19);
  // Yamanote-zone and train-zone lines: train-zone table on their sum (trunk would give 23).
  EXPECT_EQ(kiv.jrFare(jr(110, 60, 50, 0, 0, 0)), 21);
  EXPECT_EQ(kiv.jrFare(jr(120, 50, 50, 0, 0, 0)), 16);  // the key is the sum, not the total
  // Any trunk distance and no local lines: trunk table on the total.
  EXPECT_EQ(kiv.jrFare(jr(110, 100, 0, 10, 0, 0)), 23);
  EXPECT_EQ(kiv.jrFare(jr(110, 0, 100, 10, 0, 0)), 23);
}

TEST_F(KivMan, JrFareOfNothingOrUnreachedIsZero) {
  EXPECT_EQ(kiv.jrFare(jr(0, 0, 0, 0, 0, 0)), 0);
  EXPECT_EQ(kiv.jrFare(jr(32000, 0, 0, 0, 0, 0)), 0);
}

TEST_F(KivMan, JrZoneTablesHandOverToTrunkBeyondTheirEnd) {
  EXPECT_EQ(kiv.jrFare(yamanoteOnly(501)), 95);
  EXPECT_EQ(kiv.jrFare(trainZoneOnly(2201)), 389);
  EXPECT_EQ(kiv.jrFare(jr(2500, 300, 2200, 0, 0, 0)), 431);
}

TEST_F(KivMan, PrivateBaseAndSurcharges) {
  EXPECT_EQ(kiv.privateFare(pr(100, 20), 10), 20);  // 19 + 1
  EXPECT_EQ(kiv.privateFare(pr(100, 20), 11), 20);
  EXPECT_EQ(kiv.privateFare(pr(100), 10), 19);
  EXPECT_EQ(kiv.privateFare(pr(100, 30, 20), 20), 18 + 14 + 7);
  EXPECT_EQ(kiv.privateFare(pr(151, 60, 70), 40), 24 + 1 + 1);
  EXPECT_EQ(kiv.privateFare(pr(151, 60, 71), 40), 24 + 1 + 2);
  EXPECT_EQ(kiv.privateFare(pr(151, 0, 71), 60), 24 + 2);
  EXPECT_EQ(kiv.privateFare(pr(60, 60, 1), 120), 17 + 2 + 3);
  EXPECT_EQ(kiv.privateFare(pr(61, 61), 120), 17 + 4);
  EXPECT_EQ(kiv.privateFare(pr(100, 100), 70), 19 + 17);
  // Keio zone 1 steps: 15.0 km adds 4, 19.0 km 6, 19.1 km 8.
  EXPECT_EQ(kiv.privateFare(pr(200, 150), 50), 27 + 4);
  EXPECT_EQ(kiv.privateFare(pr(200, 190), 50), 27 + 6);
  EXPECT_EQ(kiv.privateFare(pr(200, 191), 50), 27 + 8);
  EXPECT_EQ(kiv.privateFare(pr(200, 80), 50), 27 + 1);
  EXPECT_EQ(kiv.privateFare(pr(200, 81), 50), 27 + 2);
  // Zones 3 to 9 carry no surcharge anywhere.
  PrDistanceBreakdown farZones = pr(100);
  for (auto& z : farZones.zone) z = 50;
  farZones.zone[0] = farZones.zone[1] = 0;
  for (NetworkCode code : {10, 20, 30, 40, 50, 60, 70, 120}) {
    EXPECT_EQ(kiv.privateFare(farZones, code), kiv.privateFare(pr(100), code)) << code;
  }
}

TEST_F(KivMan, SeibuZoneTwoDeductsTenYen) {
  for (NetworkCode code : {30, 31}) {
    EXPECT_EQ(kiv.privateFare(pr(100), code), 20);
    EXPECT_EQ(kiv.privateFare(pr(100, 0, 50), code), 19);
    EXPECT_EQ(kiv.privateFare(pr(100, 40, 50), code), 20);
    EXPECT_EQ(kiv.privateFare(pr(100, 40, 0), code), 21);
  }
}

TEST_F(KivMan, PrivateFareIsZeroWithoutATableOrADistance) {
  for (NetworkCode code : {0, 900, 12, 22, 63, 232, 360, 9, -1, -10}) {
    EXPECT_EQ(kiv.privateFare(pr(100, 50, 50), code), 0) << code;
  }
  EXPECT_EQ(kiv.privateFare(pr(0), 10), 0);
  EXPECT_EQ(kiv.privateFare(pr(0), 61), 0);
  // An unreached station lies beyond every end mark and is not priced.
  EXPECT_EQ(kiv.privateFare(pr(32000), 10), 0);
  EXPECT_EQ(kiv.privateFare(pr(32000), 350), 0);
  EXPECT_EQ(kiv.privateFare(pr(31999), 10), 150);
}

// First and last band of every private base table, the boundary before the
// last band, and a distance far beyond it; catches a row attached to the
// wrong code or cut short.
TEST_F(KivMan, PrivateBaseTableEdges) {
  struct Edge {
    NetworkCode code;
    int firstFare;
    int lastBound;
    int fareBeforeLast;
    int lastFare;
  };
  const Edge edges[] = {
      {10, 14, 1401, 132, 150}, {11, 14, 1401, 132, 150}, {20, 13, 651, 81, 86},    {21, 18, 101, 33, 35},
      {30, 14, 761, 72, 75},    {31, 14, 761, 72, 75},    {40, 13, 811, 80, 85},    {50, 12, 441, 35, 37},
      {60, 11, 551, 45, 48},    {70, 13, 651, 83, 90},    {80, 16, 271, 27, 30},    {90, 17, 271, 36, 41},
      {100, 14, 221, 23, 25},   {110, 20, 391, 47, 50},   {120, 14, 231, 27, 30},   {130, 20, 261, 76, 79},
      {140, 16, 711, 100, 102}, {150, 15, 136, 40, 47},   {160, 18, 101, 31, 34},   {170, 12, 51, 17, 19},
      {180, 19, 131, 45, 49},   {190, 19, 71, 25, 29},    {200, 23, 71, 28, 30},    {210, 17, 61, 28, 30},
      {220, 16, 261, 105, 111}, {230, 12, 511, 141, 143}, {231, 12, 511, 141, 143}, {240, 20, 131, 36, 40},
      {250, 18, 81, 31, 37},    {270, 18, 31, 18, 23},    {280, 20, 141, 55, 61},   {300, 13, 141, 60, 65},
      {310, 13, 181, 45, 50},   {320, 18, 401, 95, 100},  {330, 18, 451, 108, 114}, {340, 17, 231, 64, 66},
      {350, 17, 331, 104, 108},
  };
  for (const Edge& e : edges) {
    EXPECT_EQ(kiv.privateFare(pr(1), e.code), e.firstFare) << e.code;
    EXPECT_EQ(kiv.privateFare(pr(e.lastBound - 1), e.code), e.fareBeforeLast) << e.code;
    EXPECT_EQ(kiv.privateFare(pr(e.lastBound), e.code), e.lastFare) << e.code;
    EXPECT_EQ(kiv.privateFare(pr(3000), e.code), e.lastFare) << e.code;
  }
  // Single-band tables.
  for (NetworkCode code : {61, 62}) {
    EXPECT_EQ(kiv.privateFare(pr(1), code), 13);
    EXPECT_EQ(kiv.privateFare(pr(2000), code), 13);
  }
  EXPECT_EQ(kiv.privateFare(pr(500), 260), 20);
  EXPECT_EQ(kiv.privateFare(pr(500), 290), 16);
}

TEST_F(KivMan, PrivateInnerBoundaries) {
  // 3.0 / 3.1 km and 10.0 / 10.1 km where a table has those bounds.
  EXPECT_EQ(kiv.privateFare(pr(30), 20), 13);
  EXPECT_EQ(kiv.privateFare(pr(31), 20), 15);
  EXPECT_EQ(kiv.privateFare(pr(100), 20), 18);
  EXPECT_EQ(kiv.privateFare(pr(101), 20), 25);
  EXPECT_EQ(kiv.privateFare(pr(100), 70), 19);
  EXPECT_EQ(kiv.privateFare(pr(101), 70), 23);
  EXPECT_EQ(kiv.privateFare(pr(30), 110), 20);
  EXPECT_EQ(kiv.privateFare(pr(31), 110), 23);
  // Chichibu's fourth band starts at 8.0 km, not 8.1 km.
  EXPECT_EQ(kiv.privateFare(pr(79), 140), 30);
  EXPECT_EQ(kiv.privateFare(pr(80), 140), 37);
  // Tokyo Monorail bounds are not of the form 10k + 1.
  EXPECT_EQ(kiv.privateFare(pr(15), 150), 15);
  EXPECT_EQ(kiv.privateFare(pr(16), 150), 19);
  // Kanto Tetsudo switches to 1 km bands from 40.1 km.
  EXPECT_EQ(kiv.privateFare(pr(400), 230), 118);
  EXPECT_EQ(kiv.privateFare(pr(401), 230), 119);
  EXPECT_EQ(kiv.privateFare(pr(411), 231), 121);
}

}  // namespace
}  // namespace kiv
