#include <gtest/gtest.h>

#include <memory>

#include "Engine.h"
#include "TempDir.h"
#include "TimetableFixture.h"

namespace kiv {
namespace {

using test::servedHours;
using test::sjis;
using test::workText;

// Written record by record: 環状線 branches at 東京 and the records carry
// empty masks, which no compiled train has.
// Stations 品川 1, 東京 2, 神田 3, 上野 4, 大手町 5, 池袋 6.
// 本線 runs 品川-東京-神田-上野 both ways; 支線 runs 東京-大手町-池袋; 環状線
// reaches 上野 from 東京 over 神田 (2 + 2) and over 大手町 (6 + 1); 別線 runs
// 品川-池袋 only and does not leave 東京. Masks and use flags play no part.
class ReqTimeTest : public testing::Test {
 protected:
  ReqTimeTest() {
    test::TimetableWorld w{"品川", "東京", "神田", "上野", "大手町", "池袋"};
    const TrainNo main = w.train("本線", 0);
    const TrainNo branch = w.train("支線", 10);
    const TrainNo ring = w.train("環状線", 0);
    const TrainNo other = w.train("別線", 0);
    w.timed(main, 1, 2, 0, 3, 0);
    w.timed(other, 1, 6, 0, 9, servedHours(6, 23));
    w.timed(main, 2, 1, 0, 3, servedHours(6, 23));
    w.timed(main, 2, 3, 0, 4, servedHours(6, 23));
    w.timed(ring, 2, 3, 0, 2, servedHours(6, 23)).days = 0;
    w.timed(ring, 2, 5, 0, 6, servedHours(6, 23));
    w.timed(branch, 2, 5, 0, 7, servedHours(6, 23));
    w.timed(main, 3, 2, 0, 4, servedHours(6, 23));
    w.timed(main, 3, 4, 0, 5, servedHours(6, 23));
    w.timed(ring, 3, 4, 0, 2, servedHours(6, 23));
    w.timed(main, 4, 3, 0, 5, servedHours(6, 23));
    w.timed(ring, 5, 4, 0, 1, servedHours(6, 23));
    w.timed(branch, 5, 6, 0, 2, servedHours(6, 23));
    w.write(dir.path());
    engine = std::make_unique<Engine>(dir.path());
    engine->trains.setTrainUse(ring, 0);
  }

  RDiaMan& dia() { return engine->dia; }

  test::TempDir dir;
  std::unique_ptr<Engine> engine;
};

TEST_F(ReqTimeTest, TablesFollowEachTrainBothWaysListingStationsOnce) {
  ASSERT_EQ(dia().buildRequiredTimeTable(2), 0);
  EXPECT_EQ(dir.readText("$RqTmTbl.kv4"), workText("0 東京\n"
                                                   "1 0 本線\n"
                                                   "2 0 品川 3\n"
                                                   "2 0 神田 4\n"
                                                   "2 0 上野 9\n"
                                                   "1 1 支線\n"
                                                   "2 1 大手町 7\n"
                                                   "2 1 池袋 9\n"
                                                   "1 2 環状線\n"
                                                   "2 2 神田 2\n"
                                                   "2 2 上野 4\n"
                                                   "2 2 大手町 6\n"));
}

TEST_F(ReqTimeTest, TheValueIsTheTablesTheFileIsWrittenFromAndWritesNothing) {
  const auto times = dia().requiredTimes(2);
  ASSERT_TRUE(times);
  EXPECT_FALSE(std::filesystem::exists(dir / "$RqTmTbl.kv4"));
  EXPECT_EQ(times->origin, sjis("東京"));
  ASSERT_EQ(times->tables.size(), 3u);
  EXPECT_EQ(times->tables[1].table, 1);
  EXPECT_EQ(times->tables[1].train, sjis("支線"));
  ASSERT_EQ(times->tables[1].stations.size(), 2u);
  EXPECT_EQ(times->tables[1].stations[1].station, sjis("池袋"));
  EXPECT_EQ(times->tables[1].stations[1].minutes, 9);
  ASSERT_EQ(dia().buildRequiredTimeTable(2), 0);
  EXPECT_EQ(dir.readText("$RqTmTbl.kv4"), work_files::requiredTimesText(*times));

  EXPECT_FALSE(dia().requiredTimes(6));  // no departures
  EXPECT_FALSE(dia().requiredTimes(0));
}

TEST_F(ReqTimeTest, StationWithoutDeparturesLeavesTheWorkFileAlone) {
  dir.writeText("$RqTmTbl.kv4", "kept");
  EXPECT_EQ(dia().buildRequiredTimeTable(6), -1);
  EXPECT_EQ(dia().buildRequiredTimeTable(0), -1);
  EXPECT_EQ(dir.readText("$RqTmTbl.kv4"), "kept");

  std::filesystem::remove(dir / "$RqTmTbl.kv4");
  std::filesystem::create_directories(dir / "$RqTmTbl.kv4" / "x");
  EXPECT_EQ(dia().buildRequiredTimeTable(2), -1);
}

TEST(ReqTimeTable, StationBeyondTheStationDirectoryHasNoTables) {
  // The timetable files know a third station that the station file lacks:
  // it is refused like a station without departures, and the tables of
  // station 2 leave it out.
  test::TempDir dir;
  test::TimetableWorld w{"A", "B", "C"};
  const TrainNo t = w.train("線", 0);
  w.timed(t, 2, 3, 0, 3, 0);
  w.timed(t, 3, 2, 0, 3, 0);
  w.write(dir.path());
  test::writeStationNames(dir.path(), {"A", "B"});
  Engine e(dir.path());
  dir.writeText("$RqTmTbl.kv4", "kept");
  EXPECT_EQ(e.dia.buildRequiredTimeTable(3), -1);
  EXPECT_EQ(dir.readText("$RqTmTbl.kv4"), "kept");
  EXPECT_EQ(e.dia.buildRequiredTimeTable(2), 0);
  EXPECT_EQ(dir.readText("$RqTmTbl.kv4"), workText("0 B\n1 0 線\n"));
}

TEST_F(ReqTimeTest, ExportAsText) {
  ASSERT_EQ(dia().buildRequiredTimeTable(2), 0);
  ASSERT_EQ(dia().exportRequiredTimeTable(dir / "all.txt", -1, false), 0);
  EXPECT_EQ(dir.readText("all.txt"), workText("  東京 からの所要時間(分)  ～ 本線 ～\n\n"
                                              "    品川                         3\n"
                                              "    神田                         4\n"
                                              "    上野                         9\n"
                                              "\n\n  東京 からの所要時間(分)  ～ 支線 ～\n\n"
                                              "    大手町                       7\n"
                                              "    池袋                         9\n"
                                              "\n\n  東京 からの所要時間(分)  ～ 環状線 ～\n\n"
                                              "    神田                         2\n"
                                              "    上野                         4\n"
                                              "    大手町                       6\n"));
  // One table alone has no empty lines before it.
  ASSERT_EQ(dia().exportRequiredTimeTable(dir / "one.txt", 1, false), 0);
  EXPECT_EQ(dir.readText("one.txt"), workText("  東京 からの所要時間(分)  ～ 支線 ～\n\n"
                                              "    大手町                       7\n"
                                              "    池袋                         9\n"));
}

TEST_F(ReqTimeTest, ExportAsCsv) {
  ASSERT_EQ(dia().buildRequiredTimeTable(2), 0);
  ASSERT_EQ(dia().exportRequiredTimeTable(dir / "ring.csv", 2, true), 0);
  EXPECT_EQ(dir.readText("ring.csv"), workText("From,列車,To,所要(分)\n"
                                               "東京,環状線,神田,2\n"
                                               "東京,環状線,上野,4\n"
                                               "東京,環状線,大手町,6\n"));
  ASSERT_EQ(dia().exportRequiredTimeTable(dir / "all.csv", -1, true), 0);
  EXPECT_EQ(dir.readText("all.csv"), workText("From,列車,To,所要(分)\n"
                                              "東京,本線,品川,3\n"
                                              "東京,本線,神田,4\n"
                                              "東京,本線,上野,9\n"
                                              "東京,支線,大手町,7\n"
                                              "東京,支線,池袋,9\n"
                                              "東京,環状線,神田,2\n"
                                              "東京,環状線,上野,4\n"
                                              "東京,環状線,大手町,6\n"));
  // A table number that does not exist exports nothing but the header.
  ASSERT_EQ(dia().exportRequiredTimeTable(dir / "none.csv", 3, true), 0);
  EXPECT_EQ(dir.readText("none.csv"), workText("From,列車,To,所要(分)\n"));
}

TEST_F(ReqTimeTest, ExportWithoutWorkFileOrTarget) {
  ASSERT_EQ(dia().exportRequiredTimeTable(dir / "empty.csv", -1, true), 0);
  EXPECT_EQ(dir.readText("empty.csv"), workText("From,列車,To,所要(分)\n"));
  ASSERT_EQ(dia().exportRequiredTimeTable(dir / "empty.txt", -1, false), 0);
  EXPECT_TRUE(std::filesystem::exists(dir / "empty.txt"));
  EXPECT_EQ(dir.readText("empty.txt"), "");
  EXPECT_EQ(dia().exportRequiredTimeTable(dir / "no" / "such.txt", -1, false), -1);
}

}  // namespace
}  // namespace kiv
