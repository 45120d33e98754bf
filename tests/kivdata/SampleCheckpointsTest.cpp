// Facts the sample network must get right: operating kilometres from 東京 as
// the timetable prints them, the fares they give, and every station of the two
// built-in station lists present under its listed spelling.
#include "SampleNetwork.h"

namespace kiv::test {
namespace {

class SampleCheckpoints : public SampleNetworkTest {};

TEST_F(SampleCheckpoints, OperatingKilometresFromTokyo) {
  struct Case {
    const char* name;
    int total;  // 100 m
  };
  const Case cases[] = {{"神田", 13},   {"新宿", 103},  {"大宮", 303},   {"千葉", 392},
                        {"熱海", 1046}, {"高崎", 1050}, {"宇都宮", 1095}};
  for (const Case& c : cases) EXPECT_EQ(fromTokyo(c.name).total, c.total) << c.name;
}

TEST_F(SampleCheckpoints, StationToStationFaresFromTokyo) {
  Engine& e = engine();
  EXPECT_EQ(e.fare.stationFare(0, station("東京"), station("高崎"), 1), 1890);
  EXPECT_EQ(e.fare.stationFare(0, station("東京"), station("有楽町"), 1), 130);
  EXPECT_EQ(fareYen("高崎"), 1890);
  EXPECT_EQ(fareYen("有楽町"), 130);
}

TEST_F(SampleCheckpoints, AllSeventyTwoListStationsResolveOnTheJrNetwork) {
  Engine& e = engine();
  for (int list = 1; list <= 2; ++list) {
    ASSERT_EQ(e.sta.getStationListSize(list), 36);
    for (int i = 0; i < 36; ++i) {
      StationNo s = e.sta.getStationListEntry(list, i);
      ASSERT_GT(s, 0) << "list " << list << " entry " << i;
      const int pos = e.sta.findPosition(0, s);
      ASSERT_GT(pos, 0) << "list " << list << " entry " << i;
      EXPECT_LT(fromTokyoAt(pos).total, kUnreachedDistance) << "list " << list << " entry " << i;
    }
  }
  for (const char* name : {"鴬谷", "井野（群馬県）", "大和（茨城県）"}) EXPECT_GT(station(name), 0) << name;
}

// Every station of the 101–200 km list lies more than 100 and at most 200 km
// from 東京. The list is that of the fare rules of the time and does not name
// every such station of the region: 伊東, 銚子, 黒磯 and 日光 lie in that
// range too.
TEST_F(SampleCheckpoints, FarListStationsLieBetween101And200KilometresFromTokyo) {
  Engine& e = engine();
  const int n = e.sta.getNetworkSize(0);
  int inList = 0;
  for (int pos = 1; pos <= n; ++pos) {
    const StationNo s = e.sta.getStationAt(0, pos);
    const int total = fromTokyoAt(pos).total;
    if (e.sta.isInStationList(2, s) != 1) continue;
    ++inList;
    EXPECT_TRUE(total > 1000 && total <= 2000) << "station " << s << " at " << total;
  }
  EXPECT_EQ(inList, 36);
  for (const char* name : {"伊東", "銚子", "黒磯", "日光"}) {
    const int total = fromTokyo(name).total;
    EXPECT_TRUE(total > 1000 && total <= 2000) << name;
    EXPECT_EQ(e.sta.isInStationList(2, station(name)), 0) << name;
  }
}

}  // namespace
}  // namespace kiv::test
