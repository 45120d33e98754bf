// Data the generator never writes but the files allow: the fast paths must
// still give what the plain ones give.

#include <gtest/gtest.h>

#include "DistFareFixture.h"
#include "DistanceReference.h"
#include "FareDifferential.h"
#include "TempDir.h"

namespace kiv::test {
namespace {

FareSide sideOf(DistFareEngine& e, const TempDir& dir) {
  return {e.kiv, e.staName, e.staFare, e.staMan, e.dist, e.fare, dir.path()};
}

TEST(UnusualData, NegativeEdgesLeavingEdgesAndDoubleEntriesGiveTheSameResults) {
  DistFareWorld world(9);
  // Station 3 stands twice in JR (positions 3 and 6): it is found at 3.
  world.network(0, {1, 2, 3, 4, 5, 3, 6});
  world.network(10, {6, 7, 8, 9});
  world.jrBoth(1, 2, 40, 1);
  world.jrBoth(2, 3, 40, 3);
  world.jrBoth(1, 4, 100, 4, 110);
  // A negative edge lowers a station that is already settled.
  world.jr(4, 2, -70, 2);
  world.jr(3, 5, 20, 0, 25);
  world.jr(5, 7, 10, 1);  // leads out of JR: never followed
  world.jrBoth(5, 6, 30, 2);
  world.prBoth(10, 6, 7, 50, 1);
  world.prBoth(10, 7, 8, 50, 10);
  world.pr(10, 8, 9, -20, 2);
  world.link(9, 1);
  world.link(4, 8);
  TempDir dir;
  world.write(dir.path());
  DistFareEngine engine(dir.path());
  const FareSide side = sideOf(engine, dir);

  expectSameJrSearches(side, 1);
  expectSamePrivateSearches(side, 10, 1);
  // Over code 0 a private search follows the private edges of JR's index entries.
  expectSamePrivateSearches(side, 0, 1);
  expectSameAllNetworkSearches(side, 1);
  expectSameStationFares(side, 0, 1);
  expectSameFareTables(side, {1, 3, 6, 8});
  expectSameJrCheapestTable(side);
}

TEST(UnusualData, ASearchOverFewerPositionsThanTheNetworkHasStopsAtThem) {
  DistFareWorld world(5);
  world.network(0, {1, 2, 3, 4, 5});
  for (StationNo s = 1; s < 5; ++s) world.jrBoth(s, static_cast<StationNo>(s + 1), 30, 2);
  TempDir dir;
  world.write(dir.path());
  DistFareEngine engine(dir.path());
  const reference::DistMan plainDist(sourcesOf(sideOf(engine, dir)));

  for (int n : {0, 2, 5, 7}) {
    std::vector<JrDistanceBreakdown> fast(8), plain(8);
    for (StationNo start : {1, 3, 5}) {
      EXPECT_EQ(engine.dist.jrDistances(start, n, fast.data()),
                plainDist.jrDistances(start, n, plain.data()));
      EXPECT_TRUE(fast == plain) << "n " << n << " from " << start;
    }
    std::vector<Distance> fastAll(8), plainAll(8);
    EXPECT_EQ(engine.dist.allDistances(2, n, fastAll.data()), plainDist.allDistances(2, n, plainAll.data()));
    EXPECT_TRUE(fastAll == plainAll) << "n " << n;
  }
}

}  // namespace
}  // namespace kiv::test
