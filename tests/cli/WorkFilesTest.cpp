// The work-file readers on hand-made files: both line ends, records in the
// layouts the engine writes, and lines a reader must skip.
#include <gtest/gtest.h>

#include "CliNetwork.h"
#include "report/WorkFiles.h"

namespace kiv::test {
namespace {

using namespace kiv::work_files;

TEST(WorkFiles, RouteListsAndDetailsAreReadRecordByRecord) {
  TempDir dir;
  // The detection-order layout pads hours and totals below 10 with a blank.
  dir.writeText("list", workText("0 東京 上野 9:05\n"
                                 "9 0 0  9:16 11 120 0 6 0 10 なし\n"
                                 "9 1 1 25:07  7 160 1 7 0 0 神田,秋葉原\n"
                                 "9 2 x 9:00 1 1 1 1 1 1 bad\n"
                                 "9 3 3 9:00\n"));
  const auto list = readRouteList(dir / "list");
  ASSERT_TRUE(list);
  EXPECT_EQ(sjisToUtf8Lossy(list->head.from), "東京");
  EXPECT_EQ(list->head.departure.minutes, 545);
  ASSERT_EQ(list->routes.size(), 2u);  // the malformed and the short line are skipped
  EXPECT_EQ(list->routes[1].arrival.text, "25:07");
  EXPECT_EQ(list->routes[1].arrival.minutes, 1507);
  EXPECT_EQ(list->routes[1].fare, 160);
  EXPECT_EQ(sjisToUtf8Lossy(list->routes[1].via), "神田,秋葉原");

  // Plain LF line ends are read as well.
  dir.writeText("detail", sjis("1 0 東京 0 10 09:00 09:10\n"
                               "2 0 東急線 東京 上野 09:10 09:16 6 0\n"
                               "3 0 0060 東急 東京 上野 120\n"
                               "1 1 東京 0 0 09:00 09:00\n"
                               "4 0 unknown record\n"));
  const auto all = readRouteDetails(dir / "detail");
  ASSERT_TRUE(all);
  const RouteDetail first = detailOf(*all, 0);
  ASSERT_EQ(first.stops.size(), 1u);
  EXPECT_EQ(first.stops[0].waitingMinutes, 10);
  ASSERT_EQ(first.rides.size(), 1u);
  EXPECT_EQ(first.rides[0].departure.minutes, 550);
  ASSERT_EQ(first.fares.size(), 1u);
  EXPECT_EQ(first.fares[0].network, 60);
  EXPECT_EQ(detailOf(*all, 1).stops.size(), 1u);
  EXPECT_FALSE(readRouteList(dir / "missing"));
}

TEST(WorkFiles, GroupedTablesKeepEachEntryInItsGroup) {
  TempDir dir;
  dir.writeText("fares",
                workText("0 東京\n1 0 ＪＲ東日本\n2 0 神田 140\n2 1 上野 160\n1 1 東急\n2 1 上野 120\n"));
  const auto table = readFareTable(dir / "fares");
  ASSERT_TRUE(table);
  ASSERT_EQ(table->blocks.size(), 2u);
  EXPECT_EQ(table->blocks[0].fares.size(), 1u);  // an entry of block 1 before its heading is skipped
  EXPECT_EQ(table->blocks[1].fares[0].fare, 120);

  dir.writeText("times", workText("0 高崎\n1 0 高崎線(上り)\n2 0 倉賀野 5\n"));
  const auto times = readRequiredTimes(dir / "times");
  ASSERT_TRUE(times);
  EXPECT_EQ(sjisToUtf8Lossy(times->tables[0].train), "高崎線(上り)");
  EXPECT_EQ(times->tables[0].stations[0].minutes, 5);
}

TEST(WorkFiles, StationDeparturesInBothLayouts) {
  TempDir dir;
  dir.writeText("plain", workText("000 1 0 05分毎 山手線 上野\n000 1 1 03分発 両毛線(上り) 小山\n"));
  dir.writeText("grouped", workText("000 1 両毛線(上り) 1 03分発 小山\n"));
  const auto plain = readStationDepartures(dir / "plain", false);
  ASSERT_TRUE(plain);
  ASSERT_EQ(plain->size(), 2u);
  EXPECT_TRUE((*plain)[0].interval);
  EXPECT_EQ((*plain)[0].value, 5);
  EXPECT_EQ(sjisToUtf8Lossy((*plain)[1].unit), "分発");
  const auto grouped = readStationDepartures(dir / "grouped", true);
  ASSERT_TRUE(grouped);
  ASSERT_EQ(grouped->size(), 1u);
  EXPECT_EQ(sjisToUtf8Lossy((*grouped)[0].train), "両毛線(上り)");
  EXPECT_EQ((*grouped)[0].value, 3);
  EXPECT_FALSE((*grouped)[0].interval);
}

TEST(WorkFiles, ClockTimesAreHoursAndTwoDigitMinutes) {
  EXPECT_EQ(parseClockTime("0:00")->minutes, 0);
  EXPECT_EQ(parseClockTime("09:05")->minutes, 545);
  EXPECT_EQ(parseClockTime("25:10")->minutes, 1510);
  for (const char* bad : {"9:5", "9:60", ":05", "905", "9:05x", "-1:00", ""})
    EXPECT_FALSE(parseClockTime(bad)) << bad;
}

}  // namespace
}  // namespace kiv::test
