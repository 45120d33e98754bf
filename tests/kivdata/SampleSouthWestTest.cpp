// The sample network as shipped in data/, compiled and loaded in the engine,
// seen from 東京 over the JR lines to the south and west (山手線, 東海道線,
// 横須賀線, 中央線, 総武線, 南武線, 横浜線, 武蔵野線): operating kilometres
// split by line kind, the fares they give, the Yamanote line zone, and a
// timetable at every station.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SampleNetwork.h"

namespace kiv::test {
namespace {

class SampleSouthWest : public SampleNetworkTest {};

// Kilometres (100 m) from 東京 as the timetable prints them, and how they fall
// on the Yamanote line zone, the train-specific zone and trunk lines. The
// splits catch a wrong `kind` as surely as the totals catch a wrong row.
TEST_F(SampleSouthWest, KilometresAndLineKindsFromTokyo) {
  const SplitFromTokyo cases[] = {
      {"有楽町", 8, 8, 0, 0},         {"神田", 13, 13, 0, 0},     {"品川", 68, 68, 0, 0},
      {"新宿", 103, 103, 0, 0},       {"池袋", 123, 123, 0, 0},   {"渋谷", 123, 123, 0, 0},
      {"横浜", 288, 68, 220, 0},      {"大船", 465, 68, 397, 0},  {"熱海", 1046, 68, 397, 581},
      {"久里浜", 704, 68, 636, 0},    {"高尾", 531, 103, 428, 0}, {"八王子", 474, 103, 371, 0},
      {"千葉", 392, 0, 392, 0},       {"西船橋", 206, 0, 206, 0}, {"両国", 39, 20, 19, 0},
      {"府中本町", 369, 103, 266, 0}, {"川崎", 182, 68, 114, 0},  {"東神奈川", 270, 68, 202, 0},
  };
  for (const SplitFromTokyo& c : cases) expectSplitFromTokyo(c);
}

// Fares from 東京 that the built-in rules give on these kilometres; they are
// the fares printed in the fare tables of the time.
TEST_F(SampleSouthWest, FaresFromTokyo) {
  EXPECT_EQ(fareYen("有楽町"), 130);
  EXPECT_EQ(fareYen("新宿"), 190);
  EXPECT_EQ(fareYen("横浜"), 450);
  EXPECT_EQ(fareYen("千葉"), 620);
  EXPECT_EQ(fareYen("鎌倉"), 890);
  EXPECT_EQ(fareYen("高尾"), 890);
  EXPECT_EQ(fareYen("熱海"), 1890);
}

// Every station of the Yamanote-zone list exists under its listed spelling and
// is reached from 東京 on Yamanote-zone sections only; 熱海 of the 101–200 km
// list exists too.
TEST_F(SampleSouthWest, YamanoteZoneListStations) {
  Engine& e = engine();
  ASSERT_EQ(e.sta.getStationListSize(1), 36);
  for (int i = 0; i < 36; ++i) {
    StationNo s = e.sta.getStationListEntry(1, i);
    ASSERT_GT(s, 0) << "list 1 entry " << i;
    const JrDistanceBreakdown& b = fromTokyoAt(e.sta.findPosition(0, s));
    EXPECT_EQ(b.yamanote, b.total) << "list 1 entry " << i;
    EXPECT_LE(b.total, 200) << "list 1 entry " << i;
  }
  EXPECT_GT(e.sta.getStationListEntry(2, 0), 0);  // 熱海
}

// A station without departures could be reached only on foot; every station
// of the sample is served by some train.
TEST_F(SampleSouthWest, EveryStationHasDepartures) {
  Engine& e = engine();
  ASSERT_GT(e.staName.getCount(), 0);
  for (StationNo s = 1; s <= e.staName.getCount(); ++s) {
    int first = -1, last = -1;
    e.dia.getDepartureRange(s, first, last);
    char name[25] = {};
    e.staName.getName(s, name);
    EXPECT_TRUE(first >= 0 && first <= last) << "station " << s << " " << *sjisToUtf8(name);
  }
}

}  // namespace
}  // namespace kiv::test
