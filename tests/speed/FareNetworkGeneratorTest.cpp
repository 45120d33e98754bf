// The generated networks must exercise what the differential tests compare:
// the same seed gives the same files, and the tables built on a network are
// not empty.

#include <gtest/gtest.h>

#include <string>

#include "DistFareFixture.h"
#include "FareNetworkGenerator.h"
#include "TempDir.h"
#include "data/BinaryIO.h"

namespace kiv::test {
namespace {

constexpr const char* kFiles[] = {"StaName.kv4", "StaAttr.kv4", "StaIdx.kv4",  "StaFare.kv4",
                                  "DistJR.kv4",  "DistPR.kv4",  "DistIdx.kv4", "FAREIDX.KV4",
                                  "FAREF.KV4",   "FARER.KV4",   "FAREW.KV4"};

TEST(FareNetworkGenerator, TheSameSeedGivesTheSameFilesAndAnotherSeedOthers) {
  TempDir a, b, c;
  writeFareNetwork(a.path(), {150, 5, 40, 12});
  writeFareNetwork(b.path(), {150, 5, 40, 12});
  writeFareNetwork(c.path(), {150, 6, 40, 12});
  for (const char* f : kFiles) {
    EXPECT_EQ(readWholeFile(a / f), readWholeFile(b / f)) << f;
    ASSERT_TRUE(readWholeFile(a / f).has_value()) << f;
  }
  EXPECT_NE(readWholeFile(a / "DistJR.kv4"), readWholeFile(c / "DistJR.kv4"));
}

TEST(FareNetworkGenerator, EveryEdgeStaysInItsNetworkAndTheTablesHaveLines) {
  TempDir dir;
  const GeneratedFareNetwork g = writeFareNetwork(dir.path(), {240, 9, 40, 20});
  DistFareEngine engine(dir.path());
  for (std::size_t k = 0; k < g.networks.size(); ++k) {
    const NetworkCode network = g.networks[k];
    EXPECT_GE(engine.staMan.getNetworkSize(network), static_cast<int>(g.members[k].size()));
    for (StationNo s : g.members[k]) {
      std::int16_t first = -1, last = -1;
      if (engine.dist.findEdges(network, s, first, last) != 0) continue;
      for (int e = first; e <= last; ++e) {
        StationNo to = 0;
        if (network == 0) {
          DistJREdge edge;
          ASSERT_EQ(engine.dist.getJrEdge(e, edge), 0);
          to = edge.to;
        } else {
          DistPREdge edge;
          ASSERT_EQ(engine.dist.getPrEdge(e, edge), 0);
          to = edge.to;
        }
        EXPECT_GE(engine.staMan.findPosition(network, to), 1) << "network " << network << " edge " << e;
      }
    }
  }

  testing::internal::CaptureStdout();
  EXPECT_GT(engine.dist.buildJrCheapestTable(), 0);
  testing::internal::GetCapturedStdout();
  EXPECT_GT(engine.fare.buildTokyoZoneList(), 0);
  ASSERT_EQ(engine.fare.buildFareTable(g.tokyo), 0);
  EXPECT_GT(readWholeFile(dir / "$FareTbl.kv4")->size(), 1000u);
}

}  // namespace
}  // namespace kiv::test
