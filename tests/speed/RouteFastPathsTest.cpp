// The pieces the fast route searches stand on: the served-hour window that
// passes over records which cannot leave in time, the grouping of each
// station's departures by next stop and train, and the bound of the minutes
// to a goal drawn from the timetable's indexes.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <utility>

#include "Engine.h"
#include "NetworkGenerator.h"
#include "TempDir.h"
#include "TimetableSearchReference.h"
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

// The bound read from the least rides between stations (every train on) or
// from the records of the trains switched on is the one the scan of every
// departure record gives, for every goal: a bound too high would prune
// routes that arrive in time.
TEST(RouteFastPaths, GoalBoundIsTheLeastRideOverTheTrainsSwitchedOn) {
  for (unsigned seed : {3u, 11u}) {
    TempDir dir;
    writeRandomNetwork(
        dir.path(),
        {.seed = seed, .stations = 30, .lines = 7, .stopsPerLine = 7, .walks = 3, .transfers = 5});
    Engine engine(dir.path());
    for (bool someOff : {false, true}) {
      if (someOff) {
        for (int t = 2; t <= engine.trains.getTrainCount(); t += 3)
          engine.trains.setTrainUse(static_cast<TrainNo>(t), 0);
      }
      const TimetableNetwork net = engine.dia.network();
      for (int goal = 1; goal <= engine.dia.searchStationCount(); ++goal) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", goal " + std::to_string(goal) +
                     (someOff ? ", some trains off" : ""));
        EXPECT_EQ(minutesToGoalBound(net, static_cast<StationNo>(goal)),
                  reference::minutesToGoalBound(net, static_cast<StationNo>(goal)));
      }
    }
  }
}

}  // namespace
}  // namespace kiv::test
