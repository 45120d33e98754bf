// Stopping a route search from its progress callback, in both route modes.
#include <gtest/gtest.h>

#include "Engine.h"
#include "NetworkGenerator.h"
#include "TempDir.h"

namespace kiv {
namespace {

// A dense random network on which a search finds many routes.
struct DenseNetwork {
  test::TempDir dir;
  std::unique_ptr<Engine> engine;
  DenseNetwork() {
    test::writeRandomNetwork(dir.path(),
                             {.seed = 77, .stations = 16, .lines = 9, .stopsPerLine = 7, .walks = 4});
    engine = std::make_unique<Engine>(dir.path());
    engine->def.setRouteMax(300);
    engine->def.setTransMax(8);
  }
};

TEST(RouteProgress, StopEndsTheSearchInEitherModeWithACutList) {
  DenseNetwork net;
  RDiaMan& dia = net.engine->dia;
  // A journey with many routes in the first minutes of service.
  const int routes = dia.findRoutes(1, 9, 8, 0, 1, 1000, 60);
  ASSERT_GT(routes, 3) << "the network should offer several routes";

  for (int mode : {1, 2}) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    net.engine->def.setRouteMode(static_cast<std::int8_t>(mode));
    int calls = 0;
    dia.setProgressCallback([&calls](int, int) {
      ++calls;
      return false;
    });
    const int found = dia.findRoutes(1, 9, 8, 0, 1, 1000, 60);
    dia.setProgressCallback({});
    EXPECT_EQ(calls, 1) << "the search went on after the callback said stop";
    EXPECT_EQ(found, 1);
    EXPECT_TRUE(dia.routeListCut());
  }
}

}  // namespace
}  // namespace kiv
