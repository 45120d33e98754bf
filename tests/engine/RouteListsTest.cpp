// The route list files: the time and fare orders derived from the
// detection-ordered list, and the text description of one route, on
// hand-written list and detail files.
#include <gtest/gtest.h>

#include <string>

#include "Engine.h"
#include "RouteRecords.h"
#include "SjisText.h"
#include "TempDir.h"

namespace kiv {
namespace {

using test::TempDir;
using test::workText;

class RouteListsTest : public ::testing::Test {
 protected:
  TempDir dir;
  Engine engine{dir.path()};

  void write(const std::string& name, const std::string& utf8) { dir.writeText(name, workText(utf8)); }
  std::string read(const std::string& name) { return dir.readText(name); }
};

// Routes X, Y, Z of 50, 50 and 30 minutes and equal fares and changes: Z
// moves to the front by exchange with X, which leaves X behind Y.
TEST_F(RouteListsTest, ExchangeProcedureOrdersFiftyFiftyThirtyAsZYX) {
  write("$MltRtL1.kv4",
        "0 甲 乙 10:00\n"
        "9 0 0 10:50 50 300 1 40 4 6 丙\n"
        "9 1 1 10:50 50 300 1 45 2 3 丁\n"
        "9 2 2 10:30 30 300 1 25 1 4 戊\n");
  EXPECT_EQ(engine.dia.sortRouteLists(3), 3);
  const std::string zyx = workText(
      "0 甲 乙 10:00\n"
      "9 0 2 10:30 30 300 1 25 1 4 戊\n"
      "9 1 1 10:50 50 300 1 45 2 3 丁\n"
      "9 2 0 10:50 50 300 1 40 4 6 丙\n");
  EXPECT_EQ(read("$MltRtL2.kv4"), zyx);
  EXPECT_EQ(read("$MltRtL3.kv4"), zyx);
}

// Time order: total, then fare, then changes. Fare order: fare, then total,
// then changes. The padded hours of the detection-ordered list lose their
// padding.
TEST_F(RouteListsTest, TimeAndFareOrdersBreakTiesByTheirSecondaryKeys) {
  write("$MltRtL1.kv4",
        "0 甲 乙  9:05\n"
        "9 0 0  9:45 40 300 2 30 4 6 乙,丙\n"
        "9 1 1  9:45 40 200 1 35 2 3 丙\n"
        "9 2 2  9:45 40 200 0 38 0 2 なし\n"
        "9 3 3  9:40 35 300 0 30 0 5 なし\n"
        "9 4 4  9:50 45 100 0 40 0 5 なし\n");
  EXPECT_EQ(engine.dia.sortRouteLists(5), 5);
  EXPECT_EQ(read("$MltRtL2.kv4"), workText("0 甲 乙 9:05\n"
                                           "9 0 3 9:40 35 300 0 30 0 5 なし\n"
                                           "9 1 2 9:45 40 200 0 38 0 2 なし\n"
                                           "9 2 1 9:45 40 200 1 35 2 3 丙\n"
                                           "9 3 0 9:45 40 300 2 30 4 6 乙,丙\n"
                                           "9 4 4 9:50 45 100 0 40 0 5 なし\n"));
  EXPECT_EQ(read("$MltRtL3.kv4"), workText("0 甲 乙 9:05\n"
                                           "9 0 4 9:50 45 100 0 40 0 5 なし\n"
                                           "9 1 2 9:45 40 200 0 38 0 2 なし\n"
                                           "9 2 1 9:45 40 200 1 35 2 3 丙\n"
                                           "9 3 3 9:40 35 300 0 30 0 5 なし\n"
                                           "9 4 0 9:45 40 300 2 30 4 6 乙,丙\n"));
}

TEST_F(RouteListsTest, SortsOnlyTheRoutesCountedAndPresent) {
  write("$MltRtL1.kv4",
        "0 甲 乙 10:00\n"
        "9 0 0 10:50 50 300 1 40 4 6 丙\n"
        "9 1 1 10:30 30 300 1 25 1 4 戊\n");
  // Only the first route is counted.
  EXPECT_EQ(engine.dia.sortRouteLists(1), 1);
  EXPECT_EQ(read("$MltRtL2.kv4"), workText("0 甲 乙 10:00\n9 0 0 10:50 50 300 1 40 4 6 丙\n"));
  // A count beyond the list sorts what is there.
  EXPECT_EQ(engine.dia.sortRouteLists(5), 2);
  EXPECT_EQ(read("$MltRtL3.kv4"), workText("0 甲 乙 10:00\n"
                                           "9 0 1 10:30 30 300 1 25 1 4 戊\n"
                                           "9 1 0 10:50 50 300 1 40 4 6 丙\n"));

  std::filesystem::remove(dir / "$MltRtL2.kv4");
  std::filesystem::remove(dir / "$MltRtL3.kv4");
  EXPECT_EQ(engine.dia.sortRouteLists(0), 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "$MltRtL2.kv4"));
  EXPECT_FALSE(std::filesystem::exists(dir / "$MltRtL3.kv4"));

  // A time-ordered list that cannot be created leaves the fare order.
  std::filesystem::create_directory(dir / "$MltRtL2.kv4");
  EXPECT_EQ(engine.dia.sortRouteLists(2), -1);
  EXPECT_TRUE(std::filesystem::exists(dir / "$MltRtL3.kv4"));

  std::filesystem::remove(dir / "$MltRtL1.kv4");
  EXPECT_EQ(engine.dia.sortRouteLists(2), -1);
}

class RouteDetailTest : public RouteListsTest {
 protected:
  void SetUp() override {
    // The route the search found, and a direct one after it.
    write("$MltRtL2.kv4", std::string(test::kMixedRouteList) + "9 1 1 11:15 75 200 0 75 0 0 なし\n");
    write("$MltRtDt.kv4", std::string(test::kMixedRouteDetails) +
                              "1 1 甲 0 0 10:00 10:00\n"
                              "2 1 黄線 甲 己 10:00 11:15 75 0\n"
                              "3 1 0000 ＪＲ 甲 己 200\n");
  }
};

// Two routes saved into one file: the first written afresh, the second
// appended.
TEST_F(RouteDetailTest, WritesAndAppendsRouteDescriptions) {
  dir.writeText("saved.txt", "old contents");
  EXPECT_EQ(engine.dia.writeRouteDetail(dir / "saved.txt", "w", 0, 2, 1), 0);
  EXPECT_EQ(engine.dia.writeRouteDetail(dir / "saved.txt", "a", 1, 2, 2), 0);
  EXPECT_EQ(read("saved.txt"), workText("--<<  甲→己  No.001/時間順  >>--\n"
                                        "  出発時刻  10:00\n"
                                        "  予想到着時刻  10:51\n"
                                        "  予想所要時間   0:51 ( 乗車29分,徒歩7分,待ち15分 )\n"
                                        "  運賃  550円\n"
                                        "\n"
                                        "  赤線  甲(10:05)→乙(10:15)  10分\n"
                                        "  緑線  乙(10:20)→丙(10:28)  8分\n"
                                        "  徒歩連絡  丙(10:29)→丁(10:33)  4分\n"
                                        "  青線  丁(10:40)→己(10:51)  11分\n"
                                        "\n"
                                        "  甲  10:00-10:05 ( 徒歩0分,待ち5分 )\n"
                                        "  乙  10:15-10:20 ( 徒歩3分,待ち2分 )\n"
                                        "  丙  10:28-10:29 ( 徒歩0分,待ち1分 )\n"
                                        "  丁  10:33-10:40 ( 徒歩0分,待ち7分 )\n"
                                        "\n"
                                        "  ＪＲ  甲→丙  310円\n"
                                        "  徒歩  丙→丁  0円\n"
                                        "  東武  丁→己  240円\n"
                                        "\n\n"
                                        "--<<  甲→己  No.002/時間順  >>--\n"
                                        "  出発時刻  10:00\n"
                                        "  予想到着時刻  11:15\n"
                                        "  予想所要時間   1:15 ( 乗車75分,徒歩0分,待ち0分 )\n"
                                        "  運賃  200円\n"
                                        "\n"
                                        "  黄線  甲(10:00)→己(11:15)  75分\n"
                                        "\n"
                                        "  甲  10:00-10:00 ( 徒歩0分,待ち0分 )\n"
                                        "\n"
                                        "  ＪＲ  甲→己  200円\n"
                                        "\n\n"));
}

// Each order reads its own list and names it in the heading.
TEST_F(RouteDetailTest, HeadingNamesTheOrderOfItsList) {
  write("$MltRtL1.kv4", "0 甲 己  9:05\n9 0 1  9:29 24 200 0 24 0 0 なし\n");
  write("$MltRtL3.kv4", "0 甲 丙 9:05\n9 0 1 9:29 24 200 0 24 0 0 なし\n");
  ASSERT_EQ(engine.dia.writeRouteDetail(dir / "one.txt", "w", 1, 1, 1), 0);
  const std::string detected = workText("--<<  甲→己  No.001/検出順  >>--\n  出発時刻  9:05\n");
  EXPECT_EQ(read("one.txt").substr(0, detected.size()), detected);
  ASSERT_EQ(engine.dia.writeRouteDetail(dir / "three.txt", "w", 1, 3, 7), 0);
  const std::string byFare = workText("--<<  甲→丙  No.007/運賃順  >>--\n");
  EXPECT_EQ(read("three.txt").substr(0, byFare.size()), byFare);
}

TEST_F(RouteDetailTest, TouchesNoFileWhenItCannotReadOrWrite) {
  dir.writeText("saved.txt", "old contents");
  EXPECT_EQ(engine.dia.writeRouteDetail(dir / "saved.txt", "w", 0, 4, 1), -1);
  EXPECT_EQ(engine.dia.writeRouteDetail(dir / "saved.txt", "r", 0, 2, 1), -1);
  // No detection-ordered list was written.
  EXPECT_EQ(engine.dia.writeRouteDetail(dir / "saved.txt", "w", 0, 1, 1), -1);
  std::filesystem::remove(dir / "$MltRtDt.kv4");
  EXPECT_EQ(engine.dia.writeRouteDetail(dir / "saved.txt", "w", 0, 2, 1), -1);
  EXPECT_EQ(read("saved.txt"), "old contents");

  write("$MltRtDt.kv4", "1 0 甲 0 5 10:00 10:05\n");
  std::filesystem::create_directory(dir / "folder");
  EXPECT_EQ(engine.dia.writeRouteDetail(dir / "folder", "w", 0, 2, 1), -1);
}

}  // namespace
}  // namespace kiv
