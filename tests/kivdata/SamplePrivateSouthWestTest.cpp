// The private railways south and west of Tokyo in the sample network as
// shipped in data/ (東急, 小田急, 京王, 京急, 相鉄, 横浜市営地下鉄 and the smaller
// companies of 神奈川, 山梨, 静岡 and 多摩): operating kilometres as the company
// timetables print them, split by surcharge zone; the fares the company band
// tables give on them; stations shared with JR under one name; trains on every
// network; and journeys whose route list shows one fare section per network.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "SampleNetwork.h"
#include "text/ReportText.h"

namespace kiv::test {
namespace {

// The networks these lines add: 小田急, 京王, 東急 (and its two flat-fare lines),
// 京急, 横浜市営地下鉄, 相鉄, 江ノ電, 横浜新都市交通, 湘南モノレール, 富士急,
// 多摩都市モノレール, 箱根登山鉄道, 伊豆箱根鉄道.
constexpr NetworkCode kNetworks[] = {40, 50, 60, 61, 62, 70, 110, 120, 190, 200, 210, 220, 240, 300, 310};

class SamplePrivateSouthWest : public SampleNetworkTest {};

// Operating kilometres (100 m) between the ends of each line and at a few
// stations, and the part of them in surcharge zones 1 and 2.
TEST_F(SamplePrivateSouthWest, OperatingKilometresAndSurchargeZones) {
  expectPrivateKm({{40, "新宿", "小田原", 825, 0, 0},         {40, "新宿", "町田", 308, 0, 0},
                   {40, "相模大野", "片瀬江ノ島", 276, 0, 0}, {40, "新宿", "唐木田", 321, 0, 106},
                   {50, "新宿", "京王八王子", 379, 0, 0},     {50, "新宿", "笹塚", 36, 0, 0},
                   {50, "調布", "橋本", 226, 214, 0},         {50, "新宿", "高尾山口", 447, 0, 0},
                   {50, "渋谷", "吉祥寺", 127, 0, 0},         {60, "渋谷", "桜木町", 263, 0, 0},
                   {60, "渋谷", "中央林間", 315, 94, 0},      {60, "目黒", "蒲田", 129, 0, 0},
                   {60, "五反田", "蒲田", 109, 0, 0},         {60, "大井町", "二子玉川園", 104, 0, 0},
                   {61, "長津田", "こどもの国", 34, 0, 0},    {62, "三軒茶屋", "下高井戸", 50, 0, 0},
                   {70, "品川", "横浜", 222, 0, 0},           {70, "品川", "浦賀", 567, 0, 0},
                   {70, "品川", "三崎口", 657, 0, 0},         {70, "京急蒲田", "羽田空港", 65, 32, 0},
                   {70, "京急蒲田", "天空橋", 33, 0, 0},      {110, "戸塚", "あざみ野", 330, 0, 0},
                   {120, "横浜", "海老名", 246, 0, 0},        {120, "横浜", "いずみ中央", 187, 82, 0},
                   {190, "藤沢", "鎌倉", 100, 0, 0},          {200, "新杉田", "金沢八景", 106, 0, 0},
                   {210, "大船", "湘南江の島", 66, 0, 0},     {220, "大月", "河口湖", 266, 0, 0},
                   {240, "上北台", "立川北", 54, 0, 0},       {300, "小田原", "強羅", 150, 0, 0},
                   {310, "小田原", "大雄山", 96, 0, 0},       {310, "三島", "修善寺", 198, 0, 0}},
                  true);
}

// Fares of the time from the built-in band tables, surcharges included.
TEST_F(SamplePrivateSouthWest, FaresFromTheCompanyTables) {
  expectStationFares({
      {40, "新宿", "小田原", 850},
      {40, "新宿", "片瀬江ノ島", 610},  // 82.5 km; 61.9 km
      {40, "新宿", "唐木田", 380},      // 32.1 km + 20 yen on 10.6 km of the 多摩線
      {50, "新宿", "京王八王子", 350},
      {50, "渋谷", "吉祥寺", 190},
      {50, "新宿", "橋本", 430},  // 38.1 km + 80 yen on 21.4 km of the 相模原線
      {60, "渋谷", "桜木町", 290},
      {60, "渋谷", "用賀", 200},  // 7.6 km + 10 yen on the 新玉川線
      {61, "長津田", "こどもの国", 130},
      {62, "三軒茶屋", "下高井戸", 130},
      {70, "品川", "横浜", 300},
      {70, "品川", "羽田空港", 400},  // 14.0 km + 170 yen for the airport extension
      {110, "戸塚", "あざみ野", 440},
      {120, "横浜", "海老名", 300},
      {120, "横浜", "いずみ中央", 290},  // 18.7 km + 40 yen on 8.2 km of the いずみ野線
      {190, "藤沢", "鎌倉", 290},
      {200, "新杉田", "金沢八景", 300},
      {210, "大船", "湘南江の島", 300},
      {220, "大月", "河口湖", 1110},
      {240, "上北台", "立川北", 280},
      {300, "小田原", "強羅", 650},
      {310, "三島", "修善寺", 500},
  });
}

// A station served by several companies is one station: it belongs to each of
// their networks, so a misspelt name or kana in one file would show here.
TEST_F(SamplePrivateSouthWest, SharedStationsBelongToEveryNetworkThatServesThem) {
  struct Case {
    const char* name;
    std::set<int> networks;
  };
  const Case cases[] = {{"新宿", {0, 40, 50}},
                        {"渋谷", {0, 50, 60}},
                        {"横浜", {0, 60, 70, 110, 120}},
                        {"小田原", {0, 40, 300, 310}},
                        {"品川", {0, 70}},
                        {"大和", {40, 120}},
                        {"海老名", {40, 120}},
                        {"長津田", {0, 60, 61}},
                        {"あざみ野", {60, 110}},
                        {"中央林間", {40, 60}},
                        {"金沢八景", {70, 200}},
                        {"藤沢", {0, 40, 190}},
                        {"大船", {0, 210}},
                        {"明大前", {50}},
                        {"上大岡", {70, 110}}};
  Engine& e = engine();
  for (const Case& c : cases) {
    const StationNo s = station(c.name);
    ASSERT_GT(s, 0) << c.name;
    std::set<int> networks;
    for (int j = 0; j < e.staFare.getNetworkCount(s); ++j) networks.insert(e.staFare.getNetworkAt(s, j));
    for (int code : c.networks) EXPECT_TRUE(networks.count(code)) << c.name << " on " << code;
  }
}

// Every network has trains of its own and fares; walking connections join the
// stations of another name where passengers change.
TEST_F(SamplePrivateSouthWest, EveryNetworkHasTrainsAndFares) {
  Engine& e = engine();
  std::set<int> withTrains;
  for (TrainNo t = 1; t <= e.trains.getTrainCount(); ++t) {
    NetworkCode code = 0;
    if (e.trains.getNetworkCode(t, code) == 0) withTrains.insert(code);
  }
  for (NetworkCode code : kNetworks) {
    SCOPED_TRACE(code);
    EXPECT_TRUE(withTrains.count(code));
    const int n = e.sta.getNetworkSize(code);
    ASSERT_GE(n, 2);
    // Between the two lowest-numbered stations, which lie on connected lines
    // (the two lines of 伊豆箱根鉄道 do not meet).
    EXPECT_GT(e.fare.stationFare(code, e.sta.getStationAt(code, 1), e.sta.getStationAt(code, 2), 1), 0);
  }
  for (auto [a, b] : {std::pair{"京急川崎", "川崎"},
                      {"京王八王子", "八王子"},
                      {"溝の口", "武蔵溝ノ口"},
                      {"立川北", "立川"},
                      {"湘南江の島", "江ノ島"},
                      {"山下", "豪徳寺"}}) {
    StationNo linked[5] = {};
    const int count = e.fare.linkedStations(station(a), 5, linked);
    EXPECT_NE(std::find(linked, linked + count, station(b)), linked + count) << a << "-" << b;
  }
}

// Journeys over these lines, alone and mixed with JR: the fastest route found
// at 10:00 on a Monday and the fare sections its description closes with, one
// per network (a walk between two stations is a section of its own at 0 yen).
class SamplePrivateSouthWestRoutes : public SampleNetworkTest {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<TempDir>();
    const KivdataRun run =
        runKivdataCommand({"build", shippedDataDir().string(), (dir_->path() / "out").string()});
    ASSERT_EQ(run.rc, 0) << run.err;
    engine_ = std::make_unique<Engine>(dir_->path() / "out");
  }
  static void TearDownTestSuite() {
    engine_.reset();
    dir_.reset();
  }

  // The fare-section lines of the first route of the time-order list.
  static std::vector<std::string> sections(const char* from, const char* to) {
    Engine& e = *engine_;
    const StationNo a = e.staName.findByName(*utf8ToSjis(from));
    const StationNo b = e.staName.findByName(*utf8ToSjis(to));
    std::vector<std::string> result;
    if (e.dia.searchRoutes(a, b, 10, 0, 1, 10, 15) < 1) {
      ADD_FAILURE() << "no route " << from << "-" << to;
      return result;
    }
    const std::filesystem::path out = dir_->path() / "out";
    std::vector<std::string> list;
    EXPECT_TRUE(report_text::readLines(out / "$MltRtL2.kv4", list));
    int detection = 0;
    for (const std::string& line : list) {
      const std::vector<std::string> w = report_text::words(line);
      if (w.size() >= 3 && w[0] == "9") {
        detection = std::atoi(w[2].c_str());
        break;
      }
    }
    EXPECT_EQ(e.dia.writeRouteDetail(dir_->path() / "route.txt", "w", detection, 2, 1), 0);
    std::vector<std::string> lines;
    EXPECT_TRUE(report_text::readLines(dir_->path() / "route.txt", lines));
    // The fare sections: the block of lines that give a journey and a fare but
    // no minutes.
    bool inBlock = false;
    for (const std::string& raw : lines) {
      const std::string line = sjisToUtf8(raw).value_or("?");
      if (line.empty()) {
        if (inBlock) break;
        continue;
      }
      const bool section = line.find("円") != std::string::npos && line.find("→") != std::string::npos &&
                           line.find("分") == std::string::npos;
      if (section) {
        inBlock = true;
        result.push_back(line);
      } else if (inBlock) {
        break;
      }
    }
    return result;
  }

 private:
  inline static std::unique_ptr<TempDir> dir_;
  inline static std::unique_ptr<Engine> engine_;
};

TEST_F(SamplePrivateSouthWestRoutes, OneFareSectionPerNetwork) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(sections("渋谷", "中央林間"), (Lines{"  東急  渋谷→中央林間  330円"}));
  EXPECT_EQ(sections("品川", "羽田空港"), (Lines{"  京急  品川→羽田空港  400円"}));
  EXPECT_EQ(sections("横浜", "いずみ中央"), (Lines{"  相鉄  横浜→いずみ中央  290円"}));
  EXPECT_EQ(sections("三軒茶屋", "新横浜"),
            (Lines{"  東急  三軒茶屋→菊名  270円", "  ＪＲ  菊名→新横浜  130円"}));
  EXPECT_EQ(sections("横浜", "湘南江の島"),
            (Lines{"  ＪＲ  横浜→大船  290円", "  湘南モノレール  大船→湘南江の島  300円"}));
}

}  // namespace
}  // namespace kiv::test
