// The fast route searches against the reference ones on generated networks
// and on the sample network. The long set (hundreds of networks) is
// disabled in the normal run; the target route_differential_long runs it.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "Engine.h"
#include "NetworkGenerator.h"
#include "RouteDifferential.h"
#include "TempDir.h"
#include "text/Codec.h"

namespace kiv::test {
namespace {

const std::vector<RouteLimitsCase> kDefaultAndLarge = {{10, 15, 20, 4}, {1000, 60, 300, 8}};

void expectSameOnNetwork(const NetworkShape& shape, int queries) {
  SCOPED_TRACE("network of " + std::to_string(shape.stations) + " stations, seed " +
               std::to_string(shape.seed));
  TempDir dir;
  writeRandomNetwork(dir.path(), shape);
  Engine engine(dir.path());
  const auto q = randomRouteQueries(shape.stations, queries, shape.seed);
  expectSameRouteSearches(engine, dir.path(), q, RouteSearchRules{}, kDefaultAndLarge);
  expectSameRouteSearches(engine, dir.path(), q, RouteSearchRules::literal(), kDefaultAndLarge);
}

NetworkShape shapeOf(unsigned seed) {
  return {.seed = seed,
          .stations = 10 + static_cast<int>(seed % 7) * 5,
          .lines = 3 + static_cast<int>(seed % 5),
          .stopsPerLine = 5 + static_cast<int>(seed % 4),
          .walks = static_cast<int>(seed % 4),
          .transfers = static_cast<int>(seed % 9)};
}

TEST(RouteDifferential, GeneratedNetworksGiveTheSameResultsAndFiles) {
  for (unsigned seed = 1; seed <= 10; ++seed) expectSameOnNetwork(shapeOf(seed), 4);
}

TEST(RouteDifferential, TrainsSwitchedOffGiveTheSameResults) {
  // The fast search bounds the minutes to the goal by the least ride between
  // two stations while every train is on, and by the records of the trains
  // on otherwise.
  const NetworkShape shape{
      .seed = 77, .stations = 16, .lines = 9, .stopsPerLine = 7, .walks = 4, .transfers = 12};
  TempDir dir;
  writeRandomNetwork(dir.path(), shape);
  Engine engine(dir.path());
  for (int t = 1; t <= engine.trains.getTrainCount(); t += 3)
    engine.trains.setTrainUse(static_cast<TrainNo>(t), 0);
  const auto q = randomRouteQueries(shape.stations, 4, shape.seed);
  expectSameRouteSearches(engine, dir.path(), q, RouteSearchRules{}, kDefaultAndLarge);
}

TEST(RouteDifferential, DenseNetworkWithManyRoutesGivesTheSameResults) {
  // Many lines over few stations: the route limits and the best-routes list overflow.
  expectSameOnNetwork(
      {.seed = 77, .stations = 16, .lines = 9, .stopsPerLine = 7, .walks = 4, .transfers = 12}, 4);
}

#ifdef KIV_SAMPLE_DIR
// The sample journeys at the given limits, under the mended rules.
void expectSameOnSample(const std::vector<RouteLimitsCase>& limits) {
  const std::filesystem::path source = KIV_SAMPLE_DIR;
  if (!std::filesystem::exists(source / "StaName.kv4")) GTEST_SKIP() << "sample network not built";
  TempDir dir;
  std::filesystem::copy(source, dir.path(), std::filesystem::copy_options::recursive);
  Engine engine(dir.path());
  const auto station = [&](const char* name) {
    return engine.staName.findByName(utf8ToSjis(name).value_or(""));
  };
  const std::vector<RouteQuery> queries = {{station("東京"), station("高崎"), 9, 0, 1},
                                           {station("新宿"), station("川越"), 10, 0, 2},
                                           {station("上野"), station("水戸"), 14, 15, 6},
                                           {station("池袋"), station("千葉"), 23, 40, 5}};
  expectSameRouteSearches(engine, dir.path(), queries, RouteSearchRules{}, limits);
}

TEST(RouteDifferential, SampleNetworkGivesTheSameResultsAndFiles) { expectSameOnSample({{10, 15, 20, 4}}); }

TEST(RouteDifferential, DISABLED_SampleNetworkAtTheLargestLimits) { expectSameOnSample({{20, 60, 300, 4}}); }
#endif

TEST(RouteDifferential, DISABLED_LongSetOfGeneratedNetworks) {
  for (unsigned seed = 2000; seed < 2300; ++seed) expectSameOnNetwork(shapeOf(seed), 6);
}

}  // namespace
}  // namespace kiv::test
