// One working state carried through many searches and pricings gives, at
// every step, what a state made for that one call gives: whatever a search
// leaves in the state (settled marks, queued entries, routes of a search
// that stopped early, remembered fares) never leaks into the next one, over
// networks of every size and searches of every kind, in any order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DistFareFixture.h"
#include "FareNetworkGenerator.h"
#include "TempDir.h"

namespace kiv::test {
namespace {

struct GeneratedEngine {
  explicit GeneratedEngine(const FareNetworkShape& shape)
      : generated(writeFareNetwork(dir.path(), shape)), engine(dir.path()) {}
  TempDir dir;
  GeneratedFareNetwork generated;
  DistFareEngine engine;
};

std::string flattened(const work_files::FareTable& table) {
  std::string text = table.origin;
  for (const work_files::FareBlock& block : table.blocks) {
    text += "|" + std::to_string(block.block) + " " + block.company;
    for (const work_files::StationFare& fare : block.fares)
      text += ";" + fare.station + "=" + std::to_string(fare.fare);
  }
  return text;
}

TEST(SearchState, OneDistanceStateThroughSearchesOfEveryKindAndSize) {
  GeneratedEngine g({160, 7, 45, 25});
  const RDistMan& dist = g.engine.dist;
  const RStaMan& sta = g.engine.staMan;
  DistanceSearchState state;

  const int stations = g.generated.stations;
  std::vector<Distance> shared(static_cast<std::size_t>(stations) + 2);
  std::vector<Distance> fresh(shared.size());
  for (StationNo start = 1; start <= stations; start += 9) {
    // The whole network, a part of it, and the detour ellipse with and without a goal.
    for (int n : {stations, stations / 2}) {
      ASSERT_EQ(dist.allDistances(state, start, n, shared.data()), dist.allDistances(start, n, fresh.data()));
      ASSERT_EQ(shared, fresh) << "all distances from " << start << " over " << n;
      const auto goal = static_cast<StationNo>(1 + (start * 7) % n);
      ASSERT_EQ(dist.allDistancesWithin(state, start, n, 40, shared.data(), goal),
                dist.allDistancesWithin(start, n, 40, fresh.data(), goal));
      ASSERT_EQ(shared, fresh) << "ellipse from " << start << " to " << goal << " over " << n;
      ASSERT_EQ(dist.allDistancesWithin(state, start, n, 25, shared.data()),
                dist.allDistancesWithin(start, n, 25, fresh.data()));
      ASSERT_EQ(shared, fresh) << "ellipse from " << start << " over " << n;
    }
  }

  for (std::size_t k = 0; k < g.generated.networks.size(); ++k) {
    const NetworkCode network = g.generated.networks[k];
    const int size = sta.getNetworkSize(network);
    for (const StationNo origin : g.generated.members[k]) {
      for (int n : {size, size - 2}) {
        // A search that stops early between two whole ones, on the same arrays.
        if (network == 0) {
          std::vector<JrDistanceBreakdown> a(static_cast<std::size_t>(size) + 1), b(a.size());
          ASSERT_EQ(dist.jrDistances(state, origin, n, a.data()), dist.jrDistances(origin, n, b.data()));
          ASSERT_TRUE(a == b) << "JR from " << origin << " over " << n;
          for (int to = 1; to <= n; to += 5) {
            JrDistanceBreakdown one, alone;
            ASSERT_EQ(dist.jrDistanceTo(state, origin, n, to, one), dist.jrDistanceTo(origin, n, to, alone));
            ASSERT_TRUE(one == alone) << "JR from " << origin << " to position " << to;
          }
        } else {
          std::vector<PrDistanceBreakdown> a(static_cast<std::size_t>(size) + 1), b(a.size());
          ASSERT_EQ(dist.privateDistances(state, origin, n, network, a.data()),
                    dist.privateDistances(origin, n, network, b.data()));
          ASSERT_TRUE(a == b) << "network " << network << " from " << origin << " over " << n;
          for (int to = n; to >= 1; to -= 4) {
            PrDistanceBreakdown one, alone;
            ASSERT_EQ(dist.privateDistanceTo(state, origin, n, network, to, one),
                      dist.privateDistanceTo(origin, n, network, to, alone));
            ASSERT_TRUE(one == alone) << "network " << network << " from " << origin << " to position " << to;
          }
        }
      }
    }
  }
}

TEST(SearchState, OneFareStateRemembersOnlyWhatStillHolds) {
  GeneratedEngine g({140, 11, 50, 30});
  const RFareMan& fare = g.engine.fare;
  // Remembering or not, one state priced across networks and origins in
  // turn, the Tokyo-zone rule bringing a third origin in between.
  for (const bool remember : {false, true}) {
    FareSearchState state;
    state.rememberFares = remember;
    for (std::size_t k = 0; k < g.generated.networks.size(); ++k) {
      const NetworkCode network = g.generated.networks[k];
      const auto& members = g.generated.members[k];
      for (std::size_t i = 0; i < members.size(); i += 3) {
        for (std::size_t j = 0; j < members.size(); j += 2) {
          for (const int mode : {0, 1}) {
            ASSERT_EQ(fare.stationFare(state, network, members[i], members[j], mode),
                      fare.stationFare(network, members[i], members[j], mode))
                << (remember ? "remembering, " : "") << "network " << network << ", " << members[i] << " to "
                << members[j] << ", mode " << mode;
          }
          ASSERT_EQ(fare.distanceFare(state, network, members[j], members[i]),
                    fare.distanceFare(network, members[j], members[i]));
        }
      }
    }
    // The fare tables of many origins, each over all its networks, on the same state.
    for (StationNo origin = 1; origin <= g.generated.stations; origin += 7)
      ASSERT_EQ(flattened(fare.fareTable(state, origin)), flattened(fare.fareTable(origin)))
          << (remember ? "remembering, " : "") << "fare table of " << origin;
  }
}

}  // namespace
}  // namespace kiv::test
