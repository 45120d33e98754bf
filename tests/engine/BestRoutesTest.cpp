// The best-routes search on random networks, against every journey a plain
// depth-first enumeration finds within the same limits: the same journeys
// that no other beats, the list for N routes the start of the list for
// N + 1, the first journey at the exact fastest arrival; and the arrive-by
// search against the forward one.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

#include "Engine.h"
#include "NetworkGenerator.h"
#include "TempDir.h"
#include "journey/BestRoutes.h"

namespace kiv {
namespace {

constexpr int kExtraMinutes = 20;
constexpr int kMaxChanges = 3;
constexpr int kMaxPathLength = 100;
// A query whose enumeration takes more steps than this is not compared.
constexpr long kStepLimit = 3'000'000;

// The service day of a time: from 4:00 to 4:00 the next morning.
int serviceDay(int minutes) { return minutes >= 240 ? (minutes - 240) / 1440 : -1; }

// What tells two journeys of the set apart: departure, arrival, changes,
// fare, walking, and waiting at change stations.
using Criteria = std::tuple<int, int, int, int, int, int>;

bool dominates(const Criteria& a, const Criteria& b) {
  const auto [ad, aa, ac, af, aw, at] = a;
  const auto [bd, ba, bc, bf, bw, bt] = b;
  const bool noWorse = ad >= bd && aa <= ba && ac <= bc && af <= bf;
  const bool better = ad > bd || aa < ba || ac < bc || af < bf;
  return noWorse && (better || std::tie(aw, at) < std::tie(bw, bt));
}

// The journeys no other beats, ties kept once, in a fixed order.
std::vector<Criteria> paretoSet(const std::vector<Criteria>& all) {
  std::vector<Criteria> kept;
  for (const Criteria& c : all) {
    const bool beaten =
        std::any_of(all.begin(), all.end(), [&](const Criteria& o) { return dominates(o, c); });
    if (!beaten && std::find(kept.begin(), kept.end(), c) == kept.end()) kept.push_back(c);
  }
  std::sort(kept.begin(), kept.end());
  return kept;
}

// Every journey of the query, enumerated depth-first over every departure
// record from every start time, each priced by its route records.
class Enumeration {
 public:
  Enumeration(Engine& engine, const BestRoutesQuery& query) : engine_(engine), query_(query) {}

  // False when the enumeration grew too large to finish.
  bool run(std::vector<Criteria>& out) {
    for (const int start : startTimes()) {
      stops_.assign(1, RouteStopTimes{query_.from, -1, 0, 0, clock(start), {}});
      onPath_.assign(static_cast<std::size_t>(engine_.staName.getCount()) + 1, false);
      onPath_[static_cast<std::size_t>(query_.from)] = true;
      extend(start, -1, 0, start);
      if (steps_ > kStepLimit) return false;
    }
    out = found_;
    return true;
  }

 private:
  static TimeOfDay clock(int m) {
    return {static_cast<std::int8_t>(m / 60), static_cast<std::int8_t>(m % 60)};
  }

  std::vector<int> startTimes() const {
    std::vector<int> times{query_.earliestDeparture};
    for (int day = serviceDay(query_.earliestDeparture) + 1; 240 + day * 1440 <= query_.latestArrival; ++day)
      times.push_back(240 + day * 1440);
    for (const DiaDepartureRecord& r : engine_.dia.departuresOf(query_.from)) {
      if (r.interval != 0) continue;
      for (int h = 0; h < 48; ++h) {
        const int t = h * 60 + r.minute;
        if (t >= query_.earliestDeparture && t <= query_.latestArrival && RDiaMan::isHourServed(r.hours, h) &&
            RDiaMan::isDayServed(r.days, query_.day + h / 24))
          times.push_back(t);
      }
    }
    return times;
  }

  void extend(int arrival, TrainNo trainIn, int segments, int start) {
    if (++steps_ > kStepLimit) return;
    const StationNo a = stops_.back().station;
    if (a == query_.to) {
      record(start);
      return;
    }
    if (static_cast<int>(stops_.size()) >= kMaxPathLength) return;
    const bool atStart = stops_.size() == 1;
    for (const DiaDepartureRecord& r : engine_.dia.departuresOf(a)) {
      const StationNo x = r.nextStation;
      if (onPath_[static_cast<std::size_t>(x)]) continue;
      const bool walks = engine_.trains.isWalking(r.train) == 1;
      const bool walkedIn = trainIn > 0 && engine_.trains.isWalking(trainIn) == 1;
      const int seg = segments + (r.train != trainIn && !walks ? 1 : 0);
      if (std::max(seg, 1) - 1 > query_.maxChanges) continue;
      int ready = arrival;
      if (!atStart && !walks && !walkedIn) ready += engine_.cnct.transferMinutes(a, trainIn, r.train);
      int departure = ready;
      if (!(r.train == trainIn && r.interval != 0)) {
        TimeOfDay dep;
        if (!RDiaMan::recordDeparture(r, clock(ready), query_.day, dep)) continue;
        departure = dep.totalMinutes();
      }
      const int next = departure + r.rideMinutes;
      const int leaves = atStart ? departure : stops_.front().departure.totalMinutes();
      if (next > query_.latestArrival || serviceDay(next) != serviceDay(leaves)) continue;
      RouteStopTimes& here = stops_.back();
      here.train = r.train;
      here.walkMinutes = static_cast<std::int16_t>(atStart ? 0 : ready - arrival);
      here.waitMinutes =
          static_cast<std::int16_t>(atStart ? departure - query_.earliestDeparture : departure - ready);
      here.departure = clock(departure);
      stops_.push_back(RouteStopTimes{x, -1, 0, 0, clock(next), {}});
      onPath_[static_cast<std::size_t>(x)] = true;
      extend(next, r.train, seg, start);
      onPath_[static_cast<std::size_t>(x)] = false;
      stops_.pop_back();
    }
  }

  void record(int) {
    const FoundRoute route = describeRoute(
        RouteDescriber{engine_.staName, engine_.trains, engine_.fare, engine_.kiv, fares_}, stops_);
    const int departure = stops_.front().departure.totalMinutes();
    found_.emplace_back(departure, route.arrivalMinutes, route.changes, route.fare,
                        route.summary.walkingMinutes,
                        route.summary.waitingMinutes - stops_.front().waitMinutes);
  }

  Engine& engine_;
  const BestRoutesQuery& query_;
  std::vector<RouteStopTimes> stops_;
  std::vector<bool> onPath_;
  std::vector<Criteria> found_;
  SectionFares fares_;
  long steps_ = 0;
};

Criteria criteriaOf(const Journey& j) {
  return {j.departure, j.arrival, j.changes, j.fare, j.walking, j.waiting};
}

class BestRoutesTest : public testing::TestWithParam<unsigned> {
 protected:
  void SetUp() override {
    test::NetworkShape shape;
    shape.seed = GetParam();
    shape.stations = 12;
    net = test::writeRandomNetwork(dir.path(), shape);
    engine = std::make_unique<Engine>(dir.path());
  }

  // Random queries whose fastest route exists: the query with its deadline
  // at the fastest arrival plus kExtraMinutes.
  std::vector<BestRoutesQuery> queries(int count) {
    std::vector<BestRoutesQuery> out;
    unsigned state = GetParam() * 2654435761u;
    auto next = [&](int n) {
      state = state * 1103515245u + 12345u;
      return static_cast<int>((state >> 8) % static_cast<unsigned>(n));
    };
    for (int tries = 0; static_cast<int>(out.size()) < count && tries < 200; ++tries) {
      BestRoutesQuery q;
      q.from = static_cast<StationNo>(1 + next(net.stationCount));
      q.to = static_cast<StationNo>(1 + next(net.stationCount));
      q.day = next(7);
      q.earliestDeparture = (5 + next(18)) * 60 + next(60);
      q.maxChanges = kMaxChanges;
      q.maxRoutes = 1000;
      q.extraMinutes = kExtraMinutes;
      if (q.from == q.to) continue;
      const int fastest =
          engine->dia.fastestTime(q.from, q.to, q.earliestDeparture / 60, q.earliestDeparture % 60, q.day);
      if (fastest < 0 || fastest > 12 * 60) continue;
      // Whenever the fastest route exists, a journey does, no earlier.
      const BestRoutesResult found = search(q);
      EXPECT_FALSE(found.journeys.empty());
      if (found.journeys.empty()) continue;
      EXPECT_GE(found.journeys.front().arrival, q.earliestDeparture + fastest);
      q.latestArrival = found.deadline;
      out.push_back(q);
    }
    return out;
  }

  BestRoutesResult search(const BestRoutesQuery& q) {
    return searchBestRoutes(engine->dia.network(), state, q);
  }

  test::TempDir dir;
  test::GeneratedNetwork net;
  std::unique_ptr<Engine> engine;
  BestRoutesState state;
};

TEST_P(BestRoutesTest, SameSetAsEveryJourneyEnumerated) {
  int compared = 0;
  for (const BestRoutesQuery& q : queries(6)) {
    SCOPED_TRACE(testing::Message() << "S" << q.from << " -> S" << q.to << " at " << q.earliestDeparture
                                    << " by " << q.latestArrival << " day " << q.day);
    std::vector<Criteria> all;
    if (!Enumeration(*engine, q).run(all)) continue;
    ++compared;
    std::vector<Criteria> found;
    for (const Journey& j : search(q).journeys) found.push_back(criteriaOf(j));
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, paretoSet(all));
  }
  EXPECT_GT(compared, 0);
}

TEST_P(BestRoutesTest, ListsAreStartsOfLongerListsAndLeadWithTheFastest) {
  for (BestRoutesQuery q : queries(6)) {
    SCOPED_TRACE(testing::Message() << "S" << q.from << " -> S" << q.to << " at " << q.earliestDeparture);
    const BestRoutesResult all = search(q);
    ASSERT_FALSE(all.journeys.empty());
    EXPECT_EQ(all.journeys.front().arrival, q.latestArrival - kExtraMinutes);
    q.latestArrival = 0;
    EXPECT_EQ(criteriaOf(search(q).journeys.front()), criteriaOf(all.journeys.front()));
    EXPECT_TRUE(all.journeys.front().earliest);
    for (const Journey& a : all.journeys) {
      for (const Journey& b : all.journeys) EXPECT_FALSE(&a != &b && dominates(criteriaOf(a), criteriaOf(b)));
    }
    q.latestArrival = all.deadline;
    for (int n = 1; n <= static_cast<int>(all.journeys.size()); ++n) {
      q.maxRoutes = n;
      const BestRoutesResult some = search(q);
      ASSERT_EQ(static_cast<int>(some.journeys.size()), n);
      EXPECT_EQ(some.cut, n < static_cast<int>(all.journeys.size()));
      for (int k = 0; k < n; ++k) EXPECT_EQ(criteriaOf(some.journeys[k]), criteriaOf(all.journeys[k]));
    }
  }
}

TEST_P(BestRoutesTest, ArriveByLeavesAsLateAsTheForwardSearchAllows) {
  for (BestRoutesQuery q : queries(6)) {
    SCOPED_TRACE(testing::Message() << "S" << q.from << " -> S" << q.to << " by " << q.latestArrival);
    BestRoutesQuery by = q;
    by.arriveBy = true;
    by.window = 30;
    by.earliestDeparture = std::max(q.latestArrival - 24 * 60, 0);
    const BestRoutesResult back = search(by);
    ASSERT_FALSE(back.journeys.empty());
    const Journey& last = back.journeys.front();
    EXPECT_LE(last.arrival, q.latestArrival);
    for (const Journey& j : back.journeys) EXPECT_LE(j.start, last.start);
    // Forward from the time it has the passenger at the origin, a journey
    // arrives in time; a minute later none does.
    BestRoutesQuery forward = q;
    forward.earliestDeparture = last.start;
    EXPECT_FALSE(search(forward).journeys.empty());
    forward.earliestDeparture = last.start + 1;
    EXPECT_TRUE(search(forward).journeys.empty());
  }
}

// Networks 19 and 71 have a frequent service whose half interval puts a
// journey from an earlier time at the origin ahead of the latest one.
INSTANTIATE_TEST_SUITE_P(GeneratedNetworks, BestRoutesTest,
                         testing::Values(1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 10u, 19u, 71u));

// Marks: every journey that shares the best value gets its mark; a journey
// whose fare the data do not give (a ridden section at 0 yen) is never the
// cheapest, and with no known fare no journey is.
TEST(BestRoutesMarks, SharedBestValuesAndNoPriceForAnUnknownFare) {
  const auto journey = [](int arrival, int changes, int fare, bool priced) {
    Journey j;
    j.arrival = arrival;
    j.changes = changes;
    j.fare = fare;
    j.route.details.push_back(work_files::RouteFareSection{0, 1, "JR", "A", "B", priced ? fare : 0});
    return j;
  };
  std::vector<Journey> list{journey(600, 1, 0, false), journey(600, 0, 300, true),
                            journey(620, 0, 300, true)};
  markJourneys(list);
  EXPECT_TRUE(list[0].earliest && list[1].earliest && !list[2].earliest);
  EXPECT_TRUE(!list[0].fewestChanges && list[1].fewestChanges && list[2].fewestChanges);
  EXPECT_TRUE(!list[0].cheapest && list[1].cheapest && list[2].cheapest);

  std::vector<Journey> unpriced{journey(600, 0, 0, false)};
  markJourneys(unpriced);
  EXPECT_FALSE(unpriced[0].cheapest);
}

}  // namespace
}  // namespace kiv
