// The JR lines of the rest of the Tokyo region in the shipped sample: the
// kilometres of the timetable from 東京 split by line kind, fares on trunk and
// local lines (the local-line bands beyond 41 km among them), the two lines
// that are trunk lines though they look like local ones, the 横須賀線 route by
// 西大井 and the spellings the railway uses.
#include <gtest/gtest.h>

#include "SampleNetwork.h"

namespace kiv::test {
namespace {

class SampleRegion : public SampleNetworkTest {
 protected:
  // The plain JR fare between two stations in yen, without the Tokyo-zone rule.
  static int fareYen(const char* from, const char* to) {
    return engine().fare.stationFare(0, station(from), station(to), 0);
  }
};

// Totals are the kilometres printed in the timetable; the splits catch a wrong
// `kind` on the new lines (train-specific zone to 青梅, trunk beyond).
TEST_F(SampleRegion, KilometresAndLineKindsFromTokyo) {
  const SplitFromTokyo cases[] = {
      {"舞浜", 127, 0, 127, 0, 0},         {"海浜幕張", 317, 0, 317, 0, 0},
      {"青梅", 560, 103, 457, 0, 0},       {"奥多摩", 747, 103, 457, 187, 0},
      {"武蔵五日市", 555, 103, 452, 0, 0}, {"西大井", 104, 68, 36, 0, 0},
      {"新川崎", 195, 68, 127, 0, 0},      {"大月", 878, 103, 428, 347, 0},
      {"佐倉", 553, 0, 392, 161, 0},       {"成田空港", 792, 0, 392, 400, 0},
      {"黒磯", 1633, 58, 245, 1330, 0},    {"いわき", 2152, 58, 374, 1720, 0},
      {"水上", 1641, 58, 245, 1338, 0},    {"横川", 1347, 58, 245, 1044, 0},
      {"伊東", 1215, 68, 397, 750, 0},     {"日光", 1500, 58, 245, 792, 405},
  };
  for (const SplitFromTokyo& c : cases) expectSplitFromTokyo(c);
}

TEST_F(SampleRegion, FaresOnTheNewLines) {
  EXPECT_EQ(SampleNetworkTest::fareYen("舞浜"), 210);       // train-specific zone, 12.7 km
  EXPECT_EQ(SampleNetworkTest::fareYen("大月"), 1450);      // trunk, 87.8 km
  EXPECT_EQ(SampleNetworkTest::fareYen("成田空港"), 1280);  // trunk, 79.2 km
  EXPECT_EQ(SampleNetworkTest::fareYen("黒磯"), 2940);      // trunk, 163.3 km
  EXPECT_EQ(SampleNetworkTest::fareYen("館山"), 2210);      // 蘇我 43.0 km + 88.2 km
  // 銚子 is 120.5 km by 佐倉 but 119.5 km by 大網 and the 東金線 (13.8 km local line):
  // 105.7 + 13.8 × 1.1 = 120.9 km of fare distance, the same band as 120.5 km.
  EXPECT_EQ(SampleNetworkTest::fareYen("銚子"), 2210);
  // Trunk lines with the 日光線: 109.5 km + 40.5 km × 1.1 = 154.1 km of fare distance.
  EXPECT_EQ(SampleNetworkTest::fareYen("日光"), 2520);
  // 新宿 → 拝島 by 立川 and the 青梅線 (34.1 km), no longer round by the 八高線.
  EXPECT_EQ(fareYen("新宿", "拝島"), 540);
  EXPECT_EQ(fareYen("品川", "西大井"), 150);
}

// One journey along each of the shorter new lines: the kind of the line picks the
// table (train-specific zone 150 yen for 4-6 km and 210 for 11-15 km; trunk 740 yen
// for 41-45 km; local lines 230 yen for 11-15 km, 400 for 21-23 km, 650 for 33-37 km).
TEST_F(SampleRegion, FaresAlongTheShorterLines) {
  struct Case {
    const char *from, *to;
    int yen;
  };
  const Case cases[] = {
      {"鶴見", "海芝浦", 150},      // 鶴見線, 4.7 km
      {"尻手", "浜川崎", 150},      // 南武線 branch, 4.1 km
      {"拝島", "武蔵五日市", 210},  // 五日市線, 11.1 km
      {"千葉", "上総一ノ宮", 740},  // 外房線, 43.0 km
      {"大網", "成東", 230},        // 東金線, 13.8 km
      {"香取", "鹿島神宮", 230},    // 鹿島線, 14.2 km
      {"宝積寺", "烏山", 400},      // 烏山線, 20.4 km
      {"木更津", "上総亀山", 650},  // 久留里線, 32.2 km counts as 33
  };
  for (const Case& c : cases) EXPECT_EQ(fareYen(c.from, c.to), c.yen) << c.from << "-" << c.to;
}

// Journeys on local lines only, priced on the local-line table; the bands from
// 42 km on continue the ten bands of the tariff.
TEST_F(SampleRegion, LocalLineBands) {
  EXPECT_EQ(fareYen("八王子", "越生"), 740);              // 37.6 km
  EXPECT_EQ(fareYen("八王子", "小川町（埼玉県）"), 950);  // 52.3 km
  EXPECT_EQ(fareYen("八王子", "寄居"), 1110);             // 63.9 km
  EXPECT_EQ(fareYen("八王子", "群馬藤岡"), 1620);         // 84.9 km
  EXPECT_EQ(fareYen("八王子", "倉賀野"), 1800);           // 92.0 km, the longest
  EXPECT_EQ(fareYen("渋川", "大前"), 1110);               // 55.3 km counts as 56
  // On to 高崎 the last 4.1 km are trunk line: 4.1 + 92.0 × 1.1 = 105.3 km, trunk table.
  EXPECT_EQ(fareYen("八王子", "高崎"), 1890);
}

// 両毛線, 水戸線 and 相模線 are trunk lines: fares on the trunk table without fare
// kilometres.
TEST_F(SampleRegion, CountryLinesThatAreTrunkLines) {
  EXPECT_EQ(fareYen("高崎", "前橋"), 190);    // 9.9 km; a local section would give 200
  EXPECT_EQ(fareYen("小山", "友部"), 950);    // 50.2 km; the local table gives 740
  EXPECT_EQ(fareYen("小山", "桐生"), 950);    // 54.2 km
  EXPECT_EQ(fareYen("茅ケ崎", "橋本"), 570);  // 33.3 km; as a local line 650
  const JrDistanceBreakdown b = fromTokyo("前橋");
  EXPECT_EQ(b.localBusiness, 0);
  EXPECT_EQ(b.trunk, b.total - b.yamanote - b.trainZone);
}

// Large ケ as the railway writes it; the three names of the built-in Yamanote-zone
// list keep the list's small ヶ and ッ so that the list resolves.
TEST_F(SampleRegion, StationSpellings) {
  for (const char* name :
       {"茅ケ崎", "北茅ケ崎", "阿佐ケ谷", "保土ケ谷", "姉ケ崎", "袖ケ浦", "市ヶ谷", "四ッ谷", "千駄ヶ谷"})
    EXPECT_GT(station(name), 0) << name;
  for (const char* name : {"茅ヶ崎", "阿佐ヶ谷", "保土ヶ谷", "市ケ谷", "千駄ケ谷"})
    EXPECT_EQ(station(name), -1) << name;
}

// The new lines change journey times: 新宿 → 拝島 by 立川 takes well under the 79
// minutes of the way round by the 八高線; the 快速 takes 東京 to 成田空港 in
// about 80 minutes.
TEST_F(SampleRegion, JourneysOverTheNewLines) {
  Engine& e = engine();
  const int haijima = e.dia.fastestTime(station("新宿"), station("拝島"), 10, 0, 1);
  EXPECT_GT(haijima, 0);
  EXPECT_LT(haijima, 60);
  EXPECT_GT(e.dia.fastestTime(station("新宿"), station("奥多摩"), 10, 0, 1), 0);
  const int airport = e.dia.fastestTime(station("東京"), station("成田空港"), 9, 45, 1);
  EXPECT_GT(airport, 0);
  EXPECT_LT(airport, 90);
}

}  // namespace
}  // namespace kiv::test
