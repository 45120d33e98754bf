// The cut-off distance searches of the detour ellipse against the whole
// search, and the narrow detours of the route search against the reference.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "DistFareFixture.h"
#include "FareNetworkGenerator.h"
#include "NetworkGenerator.h"
#include "RouteDifferential.h"
#include "TempDir.h"

namespace kiv::test {
namespace {

// Every station within `reach` (of a search that stops there) has its full
// distance; every other is unreached, except those settled before `goal`
// when the reach falls short of it: the nearer ones, and any as near as it.
void expectCutAt(const std::vector<Distance>& full, const std::vector<Distance>& cut, long long reach,
                 const std::string& what, std::size_t goal = 0) {
  for (std::size_t s = 1; s < full.size(); ++s) {
    if (goal != 0 && full[s] == full[goal] && full[s] > reach && cut[s] == full[s]) continue;
    const bool beforeGoal = goal != 0 && full[s] < full[goal];
    const Distance expected = full[s] <= reach || beforeGoal ? full[s] : kUnreachedDistance;
    ASSERT_EQ(cut[s], expected) << what << ", station " << s << ", reach " << reach;
  }
}

TEST(BoundedDistances, StationsWithinTheLimitKeepTheirDistancesAndTheRestAreUnreached) {
  for (std::uint32_t seed = 1; seed <= 4; ++seed) {
    TempDir dir;
    const GeneratedFareNetwork generated = writeFareNetwork(dir.path(), {150, seed, 40, 25});
    DistFareEngine engine(dir.path());
    const int n = generated.stations;
    const auto size = static_cast<std::size_t>(n) + 1;
    std::vector<Distance> full(size), fullGoal(size), cut(size);
    for (StationNo start = 1; start <= n; start = static_cast<StationNo>(start + 13)) {
      ASSERT_EQ(engine.dist.allDistances(start, n, full.data()), 0);
      const std::string from = "seed " + std::to_string(seed) + " from " + std::to_string(start);
      for (int limit : {-5, 0, 1, 37, 120, 400, 31999, 32000, INT_MAX}) {
        ASSERT_EQ(engine.dist.allDistancesWithin(start, n, limit, cut.data()), 0);
        expectCutAt(full, cut, limit, from);
      }
      // With a goal: as far as the goal's distance and the limit beyond it.
      const auto goal = static_cast<StationNo>(1 + (start * 7) % n);
      for (int beyond : {-50, 0, 25, 300, INT_MAX}) {
        ASSERT_EQ(engine.dist.allDistancesWithin(start, n, beyond, cut.data(), goal), 0);
        expectCutAt(full, cut, static_cast<long long>(full[static_cast<std::size_t>(goal)]) + beyond,
                    from + " to " + std::to_string(goal), static_cast<std::size_t>(goal));
        EXPECT_EQ(cut[static_cast<std::size_t>(goal)], full[static_cast<std::size_t>(goal)]);
      }
    }
    // A goal outside the stations searched, or one never reached: the whole search.
    ASSERT_EQ(engine.dist.allDistancesWithin(1, n - 1, 0, cut.data(), static_cast<StationNo>(n)), 0);
    ASSERT_EQ(engine.dist.allDistances(1, n - 1, fullGoal.data()), 0);
    for (int s = 1; s < n; ++s)
      EXPECT_EQ(cut[static_cast<std::size_t>(s)], fullGoal[static_cast<std::size_t>(s)]);
  }
}

TEST(BoundedDistances, ANegativeEdgeOrAnUnreachedGoalGivesTheWholeSearch) {
  DistFareWorld world(7);
  world.network(0, {1, 2, 3, 4, 5, 6});
  world.jrBoth(1, 2, 40, 1);
  world.jrBoth(2, 3, 300, 3);
  // Past the limit, an edge back lowers station 2 below it.
  world.jr(3, 4, 10, 2);
  world.jr(4, 2, -330, 2);
  world.jrBoth(4, 5, 20, 0);
  TempDir dir;
  world.write(dir.path());
  DistFareEngine engine(dir.path());
  std::vector<Distance> full(8), cut(8);
  ASSERT_EQ(engine.dist.allDistances(1, 7, full.data()), 0);
  ASSERT_LT(full[2], 40);
  ASSERT_EQ(engine.dist.allDistancesWithin(1, 7, 50, cut.data()), 0);
  EXPECT_TRUE(cut == full);

  // Station 7 has no edge: the search from 1 never settles it.
  DistFareWorld apart(7);
  apart.network(0, {1, 2, 3, 4, 5, 6, 7});
  for (StationNo s = 1; s < 6; ++s) apart.jrBoth(s, static_cast<StationNo>(s + 1), 100, 2);
  TempDir apartDir;
  apart.write(apartDir.path());
  DistFareEngine apartEngine(apartDir.path());
  ASSERT_EQ(apartEngine.dist.allDistances(1, 7, full.data()), 0);
  ASSERT_EQ(apartEngine.dist.allDistancesWithin(1, 7, 0, cut.data(), 7), 0);
  EXPECT_TRUE(cut == full);
  EXPECT_EQ(cut[6], 500);
}

TEST(RouteDifferential, NarrowDetoursGiveTheSameLogAndRoutes) {
  // Stations lie within 8 km of each other: detours of a few km leave most
  // of them outside the ellipse, so the cut searches decide what is inside.
  const std::vector<RouteLimitsCase> narrow = {{0, 30, 20, 4}, {1, 60, 50, 6}, {3, 60, 300, 8}};
  for (unsigned seed = 31; seed <= 34; ++seed) {
    const NetworkShape shape{
        .seed = seed, .stations = 30, .lines = 6, .stopsPerLine = 8, .walks = 3, .transfers = 6};
    SCOPED_TRACE("seed " + std::to_string(seed));
    TempDir dir;
    writeRandomNetwork(dir.path(), shape);
    Engine engine(dir.path());
    expectSameRouteSearches(engine, dir.path(), randomRouteQueries(shape.stations, 3, seed),
                            RouteSearchRules{}, narrow);
  }
}

}  // namespace
}  // namespace kiv::test
