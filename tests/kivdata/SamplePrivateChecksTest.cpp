// Facts of the private railways in the sample network as shipped in data/ that
// were checked against published figures: the operating kilometres of the
// 東武小泉線 (counted as long as the 伊勢崎線 between 館林 and 太田), station
// kilometres of the 京王相模原線 and the 都営新宿線, and what the data assume at
// the junctions of through running (a step across the platform) and between
// neighbouring stations of other companies.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "SampleNetwork.h"

namespace kiv::test {
namespace {

class SamplePrivateChecks : public SampleNetworkTest {
 protected:
  // The train of that name (UTF-8), or -1.
  static TrainNo train(const char* utf8) {
    const std::string sjis = *utf8ToSjis(utf8);
    char name[kTrainNameSize];
    for (TrainNo t = 1; t <= engine().trains.getTrainCount(); ++t) {
      if (engine().trains.getTrainName(t, name) == 0 && sjis == name) return t;
    }
    return -1;
  }
};

// Kilometres (100 m) and the part in surcharge zone 1, with the fare the
// company band table gives on them.
TEST_F(SamplePrivateChecks, CheckedKilometresAndTheirFares) {
  struct Case {
    NetworkCode network;
    const char* from;
    const char* to;
    int total, zone1, yen;
  };
  const Case cases[] = {
      // 小泉線: 館林–西小泉 13.2 km; 太田 is 20.1 km from 館林 both by 東小泉 and by
      // the 伊勢崎線, so the two ways cost the same.
      {10, "館林", "西小泉", 132, 0, 240},
      {10, "館林", "東小泉", 110, 0, 240},
      {10, "東小泉", "太田", 91, 0, 190},
      {10, "館林", "太田", 201, 0, 350},
      {10, "西小泉", "太田", 113, 0, 240},
      // 東武: 新栃木 3.0 km beyond 栃木; the 宇都宮線 from 新栃木; 春日部 to 鬼怒川温泉.
      {10, "栃木", "新栃木", 30, 0, 140},
      {10, "新栃木", "壬生", 73, 0, 190},
      {10, "新栃木", "東武宇都宮", 243, 0, 350},
      {10, "春日部", "鬼怒川温泉", 1055, 0, 1160},
      // 東武桐生線 and 佐野線 after the company's station tables.
      {10, "太田", "藪塚", 97, 0, 190},
      {10, "館林", "佐野", 115, 0, 240},
      {10, "館林", "多田", 193, 0, 300},
      // 京王: 新宿–京王多摩センター 29.2 km, 12.5 of them from 京王多摩川 in the zone.
      {50, "新宿", "京王多摩センター", 292, 125, 330},
      {50, "京王多摩川", "京王多摩センター", 125, 125, 210},
      // 都営新宿線, after the lengths of the sections opened 1978–1989.
      {90, "新宿", "曙橋", 23, 0, 170},
      {90, "新宿", "岩本町", 73, 0, 210},
      {90, "新宿", "東大島", 141, 0, 260},
      {90, "新宿", "船堀", 158, 0, 310},
      {90, "新宿", "瑞江", 192, 0, 310},
      {90, "新宿", "篠崎", 207, 0, 310},
      // 12号線: 都庁前 opened with 新宿–練馬 in 1997, 0.8 km from each neighbour.
      {90, "新宿", "都庁前", 8, 0, 170},
      {90, "都庁前", "西新宿五丁目", 8, 0, 170},
      // 京急: 京急川崎–金沢八景 29.1 km.
      {70, "京急川崎", "金沢八景", 291, 0, 350},
      // 丸ノ内線 新宿三丁目 16.3 km from 池袋, 0.3 km from 新宿.
      {80, "新宿", "新宿三丁目", 3, 0, 160},
      // 北総: 京成高砂–小室 19.8 km (the company's own section, the rest was the 公団線).
      {130, "京成高砂", "小室", 198, 0, 680},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.from) + " - " + c.to);
    const PrDistanceBreakdown b = privateDistance(c.network, c.from, c.to);
    EXPECT_EQ(b.total, c.total);
    EXPECT_EQ(b.zone[0], c.zone1);
    EXPECT_EQ(engine().fare.stationFare(c.network, station(c.from), station(c.to), 1), c.yen);
  }
}

// Through running is shown as two trains turning at the junction; changing
// between them takes the step across the platform, not the five minutes of a
// change between companies. The other trains at those stations keep a walk.
TEST_F(SamplePrivateChecks, ChangesAtTheJunctionsOfThroughRunning) {
  struct Case {
    const char* station;
    const char* arriving;
    const char* departing;
    int minutes;
  };
  const Case cases[] = {
      {"押上", "都営浅草線(押上行)", "京成押上線(京成高砂行)", 1},
      {"押上", "京成押上線(押上行)", "都営浅草線(西馬込行)", 1},
      {"泉岳寺", "都営浅草線(西馬込行)", "京急快特(三崎口行)", 1},
      {"中目黒", "日比谷線(中目黒行)", "東横線各停(桜木町行)", 1},
      {"中目黒", "日比谷線(中目黒行)", "東横線急行(桜木町行)", 2},
      {"北千住", "日比谷線(北千住行)", "東武伊勢崎線各停(動物公園行)", 1},
      {"北千住", "日比谷線(北千住行)", "東武伊勢崎線準急(館林行)", 5},
      {"代々木上原", "千代田線(代々木上原行)", "小田急各停(本厚木行)", 1},
      {"和光市", "有楽町線(和光市行)", "東上線各停(志木行)", 1},
      {"小竹向原", "西武有楽町線(小竹向原行)", "有楽町線(新木場行)", 1},
      {"渋谷", "半蔵門線(渋谷行)", "田園都市線各停(中央林間行)", 1},
      {"新宿", "都営新宿線(新宿行)", "京王各停(京王八王子行)", 1},
      {"新宿", "都営新宿線(新宿行)", "京王特急(京王八王子行)", 6},
      {"浅草", "東武伊勢崎線普通(浅草行)", "銀座線(渋谷行)", 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.station) + ": " + c.arriving + " → " + c.departing);
    const TrainNo a = train(c.arriving), d = train(c.departing);
    ASSERT_GT(a, 0);
    ASSERT_GT(d, 0);
    EXPECT_EQ(engine().cnct.transferMinutes(station(c.station), a, d), c.minutes);
  }
}

// Walks between stations of companies in different folders link the two as
// one place, and journeys over the lines mended here are reached in the time
// of the service of the era (leaving at 10:00 on a Wednesday).
TEST_F(SamplePrivateChecks, WalksAndJourneys) {
  Engine& e = engine();
  for (const auto& [a, b] : {std::pair{"足利市", "足利"}, {"市川真間", "市川"}, {"東葉勝田台", "勝田台"}}) {
    StationNo linked[5] = {};
    const int n = e.fare.linkedStations(station(a), 5, linked);
    EXPECT_NE(std::find(linked, linked + std::max(n, 0), station(b)), linked + std::max(n, 0))
        << a << " - " << b;
  }
  expectJourneyTimes(10, 0, 3,
                     {
                         {"館林", "西小泉", 1, 45},  // a train at :20, 19 minutes
                         {"西小泉", "太田", 1, 60},  // change at 東小泉 to the branch
                         {"取手", "下館", 1, 90},    // the hourly through train, no wait at 水海道
                         {"館林", "足利", 1, 70},  // hourly 東武 to 足利市, then the walk to the JR station
                     });
}

}  // namespace
}  // namespace kiv::test
