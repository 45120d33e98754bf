// The searches that stop at one position against the plain whole-network
// searches, on generated networks as they come and with edges of no length
// or shorter than nothing, and the fares priced on them.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DistFareFixture.h"
#include "DistanceReference.h"
#include "FareDifferential.h"
#include "FareNetworkGenerator.h"
#include "TempDir.h"

namespace kiv::test {
namespace {

// Gives every `every`-th edge of both edge files the distance `distance`.
void setEdgeDistances(const std::filesystem::path& dir, std::size_t every, Distance distance) {
  auto jr = readDistJRFile(dir / "DistJR.kv4");
  auto pr = readDistPRFile(dir / "DistPR.kv4");
  ASSERT_TRUE(jr && pr);
  for (std::size_t e = 0; e < jr->edges.size(); e += every) jr->edges[e].distance = distance;
  for (std::size_t e = 0; e < pr->edges.size(); e += every) pr->edges[e].distance = distance;
  ASSERT_TRUE(writeDistJRFile(dir / "DistJR.kv4", *jr));
  ASSERT_TRUE(writeDistPRFile(dir / "DistPR.kv4", *pr));
}

// From every position to every position: the route of the one-position
// search is the route of the whole plain search at that position, and a
// destination outside 1..n is refused with the route untouched.
template <typename Breakdown, typename Whole, typename ToOne>
void expectSameAtEveryPosition(const RStaMan& sta, NetworkCode network, Whole whole, ToOne toOne) {
  const int n = sta.getNetworkSize(network);
  std::vector<Breakdown> all(static_cast<std::size_t>(n) + 1);
  Breakdown marker{};
  marker.total = -12345;
  for (int p = 1; p <= n; ++p) {
    const auto origin = static_cast<StationNo>(sta.getStationAt(network, p));
    const int wholeResult = whole(origin, n, all.data());
    for (int q = 1; q <= n; ++q) {
      Breakdown one = marker;
      ASSERT_EQ(toOne(origin, n, q, one), wholeResult) << "network " << network << " from " << origin;
      ASSERT_TRUE(wholeResult != 0 || one == all[static_cast<std::size_t>(q)])
          << "network " << network << " from " << origin << " to position " << q << ": total " << one.total
          << " against " << all[static_cast<std::size_t>(q)].total;
    }
    for (int q : {0, n + 1}) {
      Breakdown one = marker;
      EXPECT_EQ(toOne(origin, n, q, one), -1);
      EXPECT_TRUE(one == marker);
    }
  }
}

void expectSameOnNetwork(const FareNetworkShape& shape, std::size_t every, Distance distance) {
  SCOPED_TRACE("network of " + std::to_string(shape.stations) + " stations, seed " +
               std::to_string(shape.seed) + ", every " + std::to_string(every) + "th edge " +
               std::to_string(distance));
  TempDir dir;
  const GeneratedFareNetwork generated = writeFareNetwork(dir.path(), shape);
  if (every > 0) setEdgeDistances(dir.path(), every, distance);
  DistFareEngine engine(dir.path());
  const RDistMan& dist = engine.dist;
  const FareSide side{engine.kiv,  engine.staName, engine.staFare, engine.staMan,
                      engine.dist, engine.fare,    dir.path()};
  const reference::DistMan plainDist(sourcesOf(side));

  expectSameAtEveryPosition<JrDistanceBreakdown>(
      engine.staMan, 0,
      [&](StationNo origin, int n, JrDistanceBreakdown* out) {
        return plainDist.jrDistances(origin, n, out);
      },
      [&](StationNo origin, int n, int to, JrDistanceBreakdown& out) {
        return dist.jrDistanceTo(origin, n, to, out);
      });
  for (NetworkCode network : generated.networks) {
    // Over code 0 too: a private search there follows the private edges of
    // JR's index entries.
    expectSameAtEveryPosition<PrDistanceBreakdown>(
        engine.staMan, network,
        [&](StationNo origin, int n, PrDistanceBreakdown* out) {
          return plainDist.privateDistances(origin, n, network, out);
        },
        [&](StationNo origin, int n, int to, PrDistanceBreakdown& out) {
          return dist.privateDistanceTo(origin, n, network, to, out);
        });
    expectSameStationFares(side, network, 1 + shape.stations / 80);
  }
}

TEST(DistTargetSearch, StopsWithTheRouteOfTheWholeSearch) {
  for (std::uint32_t seed = 21; seed <= 24; ++seed)
    expectSameOnNetwork({60 + 40 * static_cast<int>(seed % 4), seed, 45, 30}, 0, 0);
}

TEST(DistTargetSearch, EdgesOfNoLengthKeepTheFirstRouteFound) {
  // Many routes of equal length: the tie order decides every split.
  expectSameOnNetwork({140, 31, 50, 40}, 5, 0);
  expectSameOnNetwork({100, 32, 70, 10}, 2, 0);
}

TEST(DistTargetSearch, EdgesShorterThanNothingSearchTheWholeNetwork) {
  // A settled position may still be lowered: the search cannot stop early.
  expectSameOnNetwork({140, 41, 50, 40}, 37, -15);
  expectSameOnNetwork({100, 42, 60, 20}, 11, -3);
}

TEST(DistTargetSearch, WorkOfOneSearchDoesNotLeakIntoTheNext) {
  // Searches over fewer positions than the network has, between whole ones.
  DistFareWorld world(6);
  world.network(0, {1, 2, 3, 4, 5, 6});
  for (StationNo s = 1; s < 6; ++s) world.jrBoth(s, static_cast<StationNo>(s + 1), 20, 3);
  world.jrBoth(1, 6, 30, 1);
  TempDir dir;
  world.write(dir.path());
  DistFareEngine engine(dir.path());
  const FareSide side{engine.kiv,  engine.staName, engine.staFare, engine.staMan,
                      engine.dist, engine.fare,    dir.path()};
  const reference::DistMan plainDist(sourcesOf(side));
  std::vector<JrDistanceBreakdown> all(7);
  for (int n : {6, 3, 6, 4}) {
    for (StationNo start = 1; start <= n; ++start) {
      ASSERT_EQ(plainDist.jrDistances(start, n, all.data()), 0);
      for (int to = n; to >= 1; --to) {
        JrDistanceBreakdown one;
        ASSERT_EQ(engine.dist.jrDistanceTo(start, n, to, one), 0);
        EXPECT_TRUE(one == all[static_cast<std::size_t>(to)]) << "n " << n << ", " << start << " to " << to;
      }
    }
  }
  JrDistanceBreakdown one;
  EXPECT_EQ(engine.dist.jrDistanceTo(5, 4, 1, one), -1);  // the start lies beyond the positions searched
}

}  // namespace
}  // namespace kiv::test
