// The pieces the fast route searches stand on: the served-hour window that
// passes over records which cannot leave in time, and the grouping of each
// station's departures by next stop and train.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <utility>

#include "Engine.h"
#include "NetworkGenerator.h"
#include "TempDir.h"
#include "timetable/FastDepartures.h"
#include "timetable/TimetableIndexTrainHops.h"

namespace kiv::test {
namespace {

// mayLeaveBy may only rule out a record whose next departure (on any day)
// is later than the latest time asked for.
TEST(RouteFastPaths, HourWindowRulesOutOnlyRecordsThatCannotLeaveInTime) {
  std::mt19937 dice(7);
  int ruledOut = 0;
  for (int trial = 0; trial < 200000; ++trial) {
    DiaDepartureRecord r;
    // Sparse and dense hour masks, timed and frequent services.
    r.hours = dice() % 3 == 0 ? (1u << (dice() % 24)) : (dice() & 0xFFFFFFu);
    r.days = static_cast<std::uint8_t>(dice() % 2 == 0 ? 0x7F : dice() & 0x7F);
    r.minute = static_cast<std::int16_t>(dice() % 60);
    r.interval = static_cast<std::int16_t>(dice() % 3 == 0 ? 5 + dice() % 30 : 0);
    const TimeOfDay time{static_cast<std::int8_t>(dice() % 48), static_cast<std::int8_t>(dice() % 60)};
    const int latest = time.totalMinutes() + static_cast<int>(dice() % 1800) - 30;
    const int day = static_cast<int>(dice() % 8) - 1;
    if (fast_departures::mayLeaveBy(r, time, latest)) continue;
    ++ruledOut;
    TimeOfDay departure{};
    if (!fast_departures::recordDeparture(r, time, day, departure)) continue;
    ASSERT_GT(departure.totalMinutes(), latest)
        << "hours " << r.hours << " minute " << r.minute << " interval " << r.interval << " at "
        << int{time.hour} << ":" << int{time.minute} << " by " << latest;
  }
  // The window must rule something out, or it would be no use.
  EXPECT_GT(ruledOut, 10000);
}

// Every departure record towards a station of the network is in exactly one
// group of its station, the group of its next stop and train, in the order
// of the station's departure span.
TEST(RouteFastPaths, TrainHopsGroupEveryRecordOnce) {
  TempDir dir;
  writeRandomNetwork(dir.path(),
                     {.seed = 5, .stations = 40, .lines = 6, .stopsPerLine = 8, .walks = 3, .transfers = 4});
  Engine engine(dir.path());
  const TrainHopIndex index = TrainHopIndex::build(engine.dia.timetable());
  const int n = engine.dia.searchStationCount();
  for (int s = 1; s <= n; ++s) {
    SCOPED_TRACE("station " + std::to_string(s));
    const auto span = engine.dia.departuresOf(static_cast<StationNo>(s));
    std::set<std::int32_t> seen;
    std::set<std::pair<StationNo, TrainNo>> groups;
    for (auto h = index.hopStart[static_cast<std::size_t>(s)];
         h < index.hopStart[static_cast<std::size_t>(s) + 1]; ++h) {
      const TrainHopIndex::Hop& hop = index.hops[static_cast<std::size_t>(h)];
      EXPECT_TRUE(groups.insert({hop.next, hop.train}).second) << "one group per next stop and train";
      EXPECT_EQ(index.stateStation[static_cast<std::size_t>(hop.state)], hop.next);
      EXPECT_EQ(index.stateTrain[static_cast<std::size_t>(hop.state)], hop.train);
      std::int32_t previous = -1;
      for (auto k = hop.first; k < hop.first + hop.count; ++k) {
        const std::int32_t position = index.spanPosition[static_cast<std::size_t>(k)];
        const DiaDepartureRecord& r = span[static_cast<std::size_t>(position)];
        EXPECT_EQ(index.records[static_cast<std::size_t>(k)], r);
        EXPECT_EQ(r.nextStation, hop.next);
        EXPECT_EQ(r.train, hop.train);
        EXPECT_LE(hop.leastRide, std::max<int>(0, r.rideMinutes));
        EXPECT_GT(position, previous) << "records in the order of the span";
        previous = position;
        seen.insert(position);
      }
    }
    std::set<std::int32_t> expected;
    for (std::size_t k = 0; k < span.size(); ++k) {
      if (span[k].nextStation >= 1 && span[k].nextStation <= n) expected.insert(static_cast<std::int32_t>(k));
    }
    EXPECT_EQ(seen, expected);
  }
}

}  // namespace
}  // namespace kiv::test
