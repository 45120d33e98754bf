#include <gtest/gtest.h>

#include <memory>

#include "Engine.h"
#include "TempDir.h"
#include "TimetableFixture.h"
#include "data/BinaryIO.h"

namespace kiv {
namespace {

constexpr std::uint32_t hour(int h) { return 1u << h; }
constexpr TimeOfDay at(int h, int m) { return {static_cast<std::int8_t>(h), static_cast<std::int8_t>(m)}; }

TEST(DiaManTimes, NextServedHourLooksUpToADayAhead) {
  // Only 06:00-06:59 served: at 23:50 the 5-minute departure is 06:05 next day.
  EXPECT_EQ(RDiaMan::nextServedHour(hour(6), 5, at(23, 50)), 30);
  // The current hour, while its minute is still to come (or is now).
  EXPECT_EQ(RDiaMan::nextServedHour(hour(10), 30, at(10, 7)), 10);
  EXPECT_EQ(RDiaMan::nextServedHour(hour(10), 7, at(10, 7)), 10);
  // Minute passed: the next served hour, even the same clock hour a day later.
  EXPECT_EQ(RDiaMan::nextServedHour(hour(10) | hour(12), 30, at(10, 40)), 12);
  EXPECT_EQ(RDiaMan::nextServedHour(hour(10), 30, at(10, 40)), 34);
  // Hours past midnight are looked up modulo 24 and not reduced.
  EXPECT_EQ(RDiaMan::nextServedHour(hour(1), 20, at(25, 10)), 25);
  // Nothing served; bits 24..31 carry no hour.
  EXPECT_EQ(RDiaMan::nextServedHour(0, 0, at(10, 0)), -1);
  EXPECT_EQ(RDiaMan::nextServedHour(0xFF000000u, 0, at(10, 0)), -1);
}

TEST(DiaManTimes, MasksAndDifferencesWrapAtTheirPeriods) {
  EXPECT_EQ(RDiaMan::isHourServed(hour(1), 25), 1);
  EXPECT_EQ(RDiaMan::isHourServed(hour(1), 2), 0);
  EXPECT_EQ(RDiaMan::isDayServed(0x01, 7), 1);  // day 7 is Sunday again
  EXPECT_EQ(RDiaMan::isDayServed(0x40, 6), 1);
  for (int d = 0; d < 7; ++d) EXPECT_EQ(RDiaMan::isDayServed(0x80, d), 0) << d;

  EXPECT_EQ(RDiaMan::minutesBetween(at(10, 0), at(9, 59)), 1439);
  EXPECT_EQ(RDiaMan::minutesBetween(at(10, 0), at(10, 0)), 0);
  EXPECT_EQ(RDiaMan::minutesBetween(at(23, 50), at(24, 10)), 20);
  EXPECT_EQ(RDiaMan::minutesBetween(at(23, 50), at(0, 10)), 20);

  EXPECT_EQ(RDiaMan::hoursToText(hour(0) | hour(6) | hour(23) | 0xFF000000u), "100000100000000000000001");
}

// An RDiaMan over a data directory of five stations and a timetable written
// by the test, within a whole engine built on that directory. Written record
// by record: the lookups are tested on records of trains with no stop list
// (several records of one train on one link, in any order) and on broken
// spans, which the compiler never writes.
class DiaManTest : public testing::Test {
 protected:
  static constexpr int kStations = 5;

  DiaManTest() { test::writeStationNames(dir.path(), {"S1", "S2", "S3", "S4", "S5"}); }

  static DiaDepartureRecord dep(TrainNo train, StationNo from, StationNo to, int minute, int interval,
                                std::uint32_t hours, int ride = 4) {
    return test::departureRecord(train, from, to, minute, interval, ride, hours);
  }

  // Writes the three files for records grouped by station and, within a
  // station, by next stop.
  void writeTimetable(const std::vector<DiaDepartureRecord>& deps) {
    test::writeTimetableFiles(dir.path(), kStations, deps);
  }

  RDiaMan& load() {
    engine = std::make_unique<Engine>(dir.path());
    return engine->dia;
  }

  // Departure time of a train on a link, or "none".
  std::string departure(StationNo s, StationNo next, TrainNo t, TimeOfDay time, int* index = nullptr) {
    TimeOfDay d = at(99, 99);
    if (engine->dia.nextDeparture(s, next, t, time, d, index) != 0) {
      return d == at(99, 99) ? "none" : "none, but the time was touched";
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d:%02d", d.hour, d.minute);
    return buf;
  }
  // The departure time and the index of the record that gave it.
  std::string departureOfRecord(StationNo s, StationNo next, TrainNo t, TimeOfDay time) {
    int index = -1;
    const std::string when = departure(s, next, t, time, &index);
    return when + " record " + std::to_string(index);
  }

  test::TempDir dir;
  std::unique_ptr<Engine> engine;
};

TEST_F(DiaManTest, IntervalServiceLeavesHalfAnIntervalLaterOrAtTheNextServedHour) {
  writeTimetable({dep(2, 1, 2, 0, 15, hour(10) | hour(11)), dep(3, 1, 2, 0, 5, hour(10))});
  load();
  EXPECT_EQ(departure(1, 2, 2, at(10, 7)), "10:14");
  EXPECT_EQ(departure(1, 2, 3, at(10, 7)), "10:09");
  EXPECT_EQ(departure(1, 2, 2, at(9, 50)), "10:00");  // hour 9 not served
  EXPECT_EQ(departure(1, 2, 3, at(11, 7)), "34:00");  // only hour 10, next day
  // Arriving late in a served hour still waits only half an interval, even
  // when the departure falls into an hour that is not served.
  EXPECT_EQ(departure(1, 2, 3, at(10, 59)), "11:01");
}

TEST_F(DiaManTest, TimedDepartureTakesTheEarliestRecordOfTheTrain) {
  writeTimetable({dep(1, 1, 2, 30, 0, hour(10)), dep(1, 1, 2, 5, 0, hour(6))});
  load();
  EXPECT_EQ(departureOfRecord(1, 2, 1, at(10, 7)), "10:30 record 0");
  EXPECT_EQ(departureOfRecord(1, 2, 1, at(23, 50)), "30:05 record 1");
  // 10:30 has gone: 06:05 next day comes before 10:30 next day.
  EXPECT_EQ(departureOfRecord(1, 2, 1, at(10, 40)), "30:05 record 1");
}

TEST_F(DiaManTest, NextDepartureMatchesTrainAndNextStopAndKeepsTheEarlierOfEqualWaits) {
  writeTimetable({dep(1, 1, 3, 10, 0, hour(10)),       // other next stop
                  dep(4, 1, 2, 10, 0, hour(10)),       // other train
                  dep(1, 1, 2, 30, 0, hour(10), 4),    // 10:30
                  dep(1, 1, 2, 30, 0, hour(10), 9),    // 10:30 as well
                  dep(1, 1, 2, 0, 60, hour(10), 2)});  // also 10:30 (half of 60)
  load();
  EXPECT_EQ(departureOfRecord(1, 2, 1, at(10, 0)), "10:30 record 2");
  EXPECT_EQ(departureOfRecord(1, 3, 1, at(10, 0)), "10:10 record 0");
  EXPECT_EQ(departure(1, 2, 5, at(10, 0)), "none");  // no such train
  EXPECT_EQ(departure(1, 4, 1, at(10, 0)), "none");  // no such link
  EXPECT_EQ(departure(2, 3, 1, at(10, 0)), "none");  // no departures at all
  EXPECT_EQ(departure(0, 2, 1, at(10, 0)), "none");
}

TEST_F(DiaManTest, SpansOfTheStationAndLinkIndexes) {
  writeTimetable(
      {dep(1, 1, 2, 0, 0, 1), dep(2, 1, 2, 0, 0, 1), dep(1, 1, 3, 0, 0, 1), dep(1, 3, 1, 0, 0, 1)});
  auto& dia = load();
  int first = 0;
  int last = 0;
  EXPECT_EQ(dia.getDepartureRange(1, first, last), 3);
  EXPECT_EQ(std::pair(first, last), std::pair(0, 2));
  EXPECT_EQ(dia.getLinkRange(1, first, last), 2);
  EXPECT_EQ(std::pair(first, last), std::pair(0, 1));
  EXPECT_EQ(dia.getLinkDepartures(1, 3, first, last), 1);
  EXPECT_EQ(std::pair(first, last), std::pair(2, 2));
  EXPECT_EQ(dia.getDepartureRange(3, first, last), 1);
  EXPECT_EQ(std::pair(first, last), std::pair(3, 3));

  ASSERT_EQ(dia.departuresTowards(1, 2).size(), 2u);
  EXPECT_EQ(dia.departuresTowards(1, 2)[1].train, 2);
  ASSERT_EQ(dia.linksOf(3).size(), 1u);
  EXPECT_EQ(dia.linksOf(3)[0].to, 1);
  EXPECT_EQ(dia.departuresOf(1).size(), 3u);

  EXPECT_EQ(dia.getLinkDepartures(1, 4, first, last), -1);  // no such neighbour
  EXPECT_EQ(std::pair(first, last), std::pair(-1, -1));
  EXPECT_EQ(dia.getLinkDepartures(2, 1, first, last), -1);  // station without links
  EXPECT_EQ(std::pair(first, last), std::pair(-1, -1));
}

TEST_F(DiaManTest, BrokenSpansAreEmptyOrCutAtTheEndOfTheirArrays) {
  writeDiaIdx1File(dir / "DiaIdx1.kv4", {{{1, 1, 1, 1, 2},     // sound
                                          {2, 0, 0, 0, 3},     // 0 = none
                                          {3, 2, 1, 2, 1},     // first > last
                                          {4, 1, 9, 2, 99},    // runs past the end
                                          {5, 5, 5, 3, 8}}});  // begins past the end
  writeDiaIdx2File(dir / "DiaIdx2.kv4", {{{1, 2, 1, 50}}});    // runs past the end
  writeDiagram2File(dir / "Diagram2.kv4", {{}, {dep(1, 1, 2, 0, 0, 1), dep(1, 1, 2, 0, 0, 1)}});
  auto& dia = load();

  int first = 0;
  int last = 0;
  EXPECT_EQ(dia.getLinkDepartures(1, 2, first, last), 2);
  EXPECT_EQ(std::pair(first, last), std::pair(0, 1));
  EXPECT_EQ(dia.getDepartureRange(4, first, last), 1);
  EXPECT_EQ(std::pair(first, last), std::pair(1, 1));
  EXPECT_EQ(dia.getLinkRange(4, first, last), 1);
  EXPECT_EQ(std::pair(first, last), std::pair(0, 0));
  EXPECT_EQ(dia.getLinkDepartures(4, 2, first, last), -1);  // the link is station 1's

  for (StationNo s : {2, 3, 5, 0, -1, 6, 32767}) {
    EXPECT_EQ(dia.getDepartureRange(s, first, last), -1) << s;
    EXPECT_EQ(std::pair(first, last), std::pair(-1, -1)) << s;
    EXPECT_EQ(dia.getLinkRange(s, first, last), -1) << s;
    EXPECT_TRUE(dia.departuresOf(s).empty()) << s;
    EXPECT_TRUE(dia.linksOf(s).empty()) << s;
  }

  DiaDepartureRecord r = dep(7, 7, 7, 7, 7, 7);
  EXPECT_EQ(dia.getRecord(2, r), -1);
  EXPECT_EQ(dia.getRecord(-1, r), -1);
  EXPECT_EQ(r.train, 7);
  EXPECT_EQ(dia.getRecord(1, r), 0);
  EXPECT_EQ(r.train, 1);
  EXPECT_EQ(dia.departureAt(2).train, 0);
  EXPECT_EQ(dia.departureAt(-1).hours, 0u);
}

TEST_F(DiaManTest, MalformedFilesLoadWhatIsCompleteAndLookupsStayInside) {
  writeTimetable(
      {dep(1, 1, 2, 30, 0, hour(10)), dep(1, 1, 2, 40, 0, hour(10)), dep(1, 1, 2, 20, 0, hour(10))});
  // Cut Diagram2.kv4 inside its third record: the index still names it.
  auto bytes = *readWholeFile(dir / "Diagram2.kv4");
  bytes.resize(bytes.size() - 5);
  writeWholeFile(dir / "Diagram2.kv4", bytes);
  auto& dia = load();
  EXPECT_EQ(dia.getRecordCount(), 2);
  EXPECT_EQ(dia.departuresOf(1).size(), 2u);
  EXPECT_EQ(departure(1, 2, 1, at(10, 0)), "10:30");  // 10:20 was lost

  // A negative station count: no stations, so no departures anywhere.
  ByteWriter negative;
  negative.i32(-3);
  negative.zeros(3 * kDiaStationRecordSize);
  writeWholeFile(dir / "DiaIdx1.kv4", negative.data());
  auto& empty = load();
  EXPECT_TRUE(empty.departuresOf(1).empty());
  EXPECT_EQ(departure(1, 2, 1, at(10, 0)), "none");
}

TEST_F(DiaManTest, MissingStationIndexStopsTheLoadButTheSearchTableIsSized) {
  writeTimetable({dep(1, 1, 2, 30, 0, hour(10))});
  std::filesystem::remove(dir / "DiaIdx1.kv4");
  auto& dia = load();
  EXPECT_EQ(dia.getRecordCount(), 0);
  EXPECT_EQ(dia.searchStationCount(), kStations);
  TimetableSearchState state(dia.searchStationCount());
  EXPECT_EQ(fastestMinutes(dia.network(), state, FastestQuery{1, 2, 10, 0, 1}), -1);
  const auto& table = state.table;
  ASSERT_EQ(table.size(), kStations + 1u);
  for (int s = 0; s <= kStations; ++s) {
    EXPECT_EQ(table[s].station, s);
    EXPECT_EQ(table[s].cost, s == 1 ? 0 : kUnreachedCost);  // only the start is reached
  }
}

}  // namespace
}  // namespace kiv
