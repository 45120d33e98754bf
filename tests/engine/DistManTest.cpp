// The distance files and searches on edges written one by one: parallel
// edges, edges in an order of the test's choosing, kinds and fare distances
// the compiler never writes, edges that leave their network.
#include <gtest/gtest.h>

#include <vector>

#include "DistFareFixture.h"
#include "StoredBytes.h"
#include "TempDir.h"
#include "data/BinaryIO.h"

namespace kiv {
namespace {

using test::DistFareEngine;
using test::DistFareWorld;
using test::TempDir;

JrDistanceBreakdown jrSplit(int total, int yamanote, int trainZone, int trunk, int localBusiness,
                            int localFare) {
  return {static_cast<std::int16_t>(total),         static_cast<std::int16_t>(yamanote),
          static_cast<std::int16_t>(trainZone),     static_cast<std::int16_t>(trunk),
          static_cast<std::int16_t>(localBusiness), static_cast<std::int16_t>(localFare)};
}

const JrDistanceBreakdown kJrUnreached = jrSplit(kUnreachedDistance, 0, 0, 0, 0, 0);

std::vector<JrDistanceBreakdown> jrFrom(const DistFareEngine& engine, StationNo start) {
  const int n = engine.staMan.getNetworkSize(0);
  std::vector<JrDistanceBreakdown> out(static_cast<std::size_t>(n) + 1);
  EXPECT_EQ(engine.dist.jrDistances(start, n, out.data()), 0);
  return out;
}

std::vector<PrDistanceBreakdown> prFrom(const DistFareEngine& engine, StationNo start, NetworkCode network) {
  const int n = engine.staMan.getNetworkSize(network);
  std::vector<PrDistanceBreakdown> out(static_cast<std::size_t>(n) + 1);
  EXPECT_EQ(engine.dist.privateDistances(start, n, network, out.data()), 0);
  return out;
}

std::vector<Distance> allFrom(const DistFareEngine& engine, StationNo start) {
  const int n = engine.staName.getCount();
  std::vector<Distance> out(static_cast<std::size_t>(n) + 1);
  EXPECT_EQ(engine.dist.allDistances(start, n, out.data()), 0);
  return out;
}

// ---- The three distance files ----

TEST(DistFiles, RoundTripKeepsEveryByte) {
  TempDir dir;
  const DistJRFile jr{{{1, 2, 123, 456, 4}, {2, 1, 123, 456, -3}}};
  const DistPRFile pr{{{0x1234, 5, 6, 70, 9}, {-1, 6, 5, 70, 10}}};
  const DistIdxFile idx{{{0, 1, 1, 1}, {0, 2, 2, 2}, {610, 5, 1, 1}, {610, 6, 2, 2}}};
  using test::writtenAndReadBack;
  EXPECT_EQ(writtenAndReadBack(dir / "DistJR.kv4", jr, 2u + 2 * 9, writeDistJRFile, readDistJRFile).edges,
            jr.edges);
  EXPECT_EQ(writtenAndReadBack(dir / "DistPR.kv4", pr, 2u + 2 * 9, writeDistPRFile, readDistPRFile).edges,
            pr.edges);
  EXPECT_EQ(
      writtenAndReadBack(dir / "DistIdx.kv4", idx, 2u + 4 * 8, writeDistIdxFile, readDistIdxFile).entries,
      idx.entries);
  EXPECT_FALSE(readDistJRFile(dir / "missing.kv4"));
}

TEST(DistFiles, ReadTheStoredFieldOrder) {
  // One record per file, every field a different value, so that two fields
  // swapped in both the reader and the writer would still show.
  using Bytes = std::vector<std::uint8_t>;
  TempDir dir;
  const Bytes jrBytes{1, 0, 0x02, 0x01, 0x03, 0x00, 0x05, 0x04, 0x07, 0x06, 0xFD};
  const Bytes prBytes{1, 0, 0x0B, 0x0A, 0x02, 0x00, 0x03, 0x00, 0x05, 0x04, 0x09};
  const Bytes idxBytes{1, 0, 0x62, 0x02, 0x05, 0x00, 0x07, 0x00, 0x09, 0x01};
  const auto jr = test::readStoredBytes(dir, jrBytes, readDistJRFile, writeDistJRFile);
  const auto pr = test::readStoredBytes(dir, prBytes, readDistPRFile, writeDistPRFile);
  const auto idx = test::readStoredBytes(dir, idxBytes, readDistIdxFile, writeDistIdxFile);
  ASSERT_TRUE(jr && pr && idx);
  EXPECT_EQ(jr->edges, (std::vector<DistJREdge>{{0x0102, 3, 0x0405, 0x0607, -3}}));
  EXPECT_EQ(pr->edges, (std::vector<DistPREdge>{{0x0A0B, 2, 3, 0x0405, 9}}));
  EXPECT_EQ(idx->entries, (std::vector<DistIdxEntry>{{610, 5, 7, 0x0109}}));
}

TEST(DistFiles, ShortFilesAndNegativeCountsGiveOnlyCompleteRecords) {
  TempDir dir;
  ByteWriter w;
  w.i16(5);  // claims five edges, holds two and a half
  for (int e = 0; e < 2; ++e) {
    w.i16(1), w.i16(2), w.i16(3), w.i16(4), w.i8(1);
  }
  w.zeros(4);
  writeWholeFile(dir / "DistJR.kv4", w.data());
  EXPECT_EQ(readDistJRFile(dir / "DistJR.kv4")->edges.size(), 2u);

  ByteWriter negative;
  negative.i16(-3);
  negative.zeros(3 * 9);
  writeWholeFile(dir / "DistPR.kv4", negative.data());
  EXPECT_TRUE(readDistPRFile(dir / "DistPR.kv4")->edges.empty());

  writeWholeFile(dir / "DistIdx.kv4", {0x01});  // not even a whole count
  EXPECT_TRUE(readDistIdxFile(dir / "DistIdx.kv4")->entries.empty());

  // The engine loads such files without reading past them.
  DistFareWorld world(2);
  world.network(0, {1, 2});
  world.write(dir.path());
  writeWholeFile(dir / "DistJR.kv4", w.data());
  ByteWriter idx;
  idx.i16(1);
  idx.i16(0), idx.i16(1), idx.i16(1), idx.i16(9);  // edges 1..9, two exist
  writeWholeFile(dir / "DistIdx.kv4", idx.data());
  DistFareEngine engine(dir.path());
  EXPECT_EQ(engine.dist.getJrEdgeCount(), 2);
  EXPECT_EQ(jrFrom(engine, 1)[2].total, 3);
}

TEST(DistFiles, LoadingStopsAtTheFirstMissingFile) {
  TempDir dir;
  DistFareWorld world(3);
  world.network(0, {1, 2});
  world.network(10, {2, 3});
  world.jrBoth(1, 2, 10, 3);
  world.prBoth(10, 2, 3, 20, 1);
  world.write(dir.path());

  std::filesystem::remove(dir / "DistIdx.kv4");
  {
    DistFareEngine engine(dir.path());
    EXPECT_EQ(engine.dist.getJrEdgeCount(), 2);
    EXPECT_EQ(engine.dist.getPrEdgeCount(), 2);
    // Without an index no station has edges: only the start is reached.
    const auto jr = jrFrom(engine, 1);
    EXPECT_EQ(jr[1].total, 0);
    EXPECT_EQ(jr[2], kJrUnreached);
  }
  std::filesystem::remove(dir / "DistJR.kv4");
  DistFareEngine engine(dir.path());
  EXPECT_EQ(engine.dist.getJrEdgeCount(), 0);
  EXPECT_EQ(engine.dist.getPrEdgeCount(), 0);
}

// ---- Edge lookups ----

TEST(DistEdges, FindEdgesTakesTheFirstIndexEntryAndTheAccessorsCopyRawEdges) {
  TempDir dir;
  DistFareWorld(3).write(dir.path());
  writeDistJRFile(dir / "DistJR.kv4", DistJRFile{{{1, 2, 10, 11, 1}, {1, 3, 20, 21, 4}, {2, 1, 10, 11, 1}}});
  writeDistPRFile(dir / "DistPR.kv4", DistPRFile{{{77, 2, 3, 30, 5}}});
  writeDistIdxFile(dir / "DistIdx.kv4", DistIdxFile{{{10, 2, 1, 1}, {0, 1, 1, 2}, {0, 1, 3, 3}}});
  DistFareEngine engine(dir.path());

  std::int16_t first = 0;
  std::int16_t last = 0;
  EXPECT_EQ(engine.dist.findEdges(0, 1, first, last), 0);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(last, 2);
  EXPECT_EQ(engine.dist.findEdges(10, 2, first, last), 0);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(last, 1);
  EXPECT_EQ(engine.dist.findEdges(0, 2, first, last), -1);  // station 2 has no JR entry
  EXPECT_EQ(first, -1);
  EXPECT_EQ(last, -1);

  DistJREdge jr;
  ASSERT_EQ(engine.dist.getJrEdge(2, jr), 0);
  EXPECT_EQ(jr, (DistJREdge{1, 3, 20, 21, 4}));
  DistPREdge pr;
  ASSERT_EQ(engine.dist.getPrEdge(1, pr), 0);
  EXPECT_EQ(pr, (DistPREdge{77, 2, 3, 30, 5}));
  EXPECT_EQ(engine.dist.getJrEdge(0, jr), -1);
  EXPECT_EQ(engine.dist.getJrEdge(4, jr), -1);
  EXPECT_EQ(engine.dist.getPrEdge(2, pr), -1);
}

// ---- JR search ----

TEST(JrDistances, SplitsTheDistanceByLineKind) {
  TempDir dir;
  DistFareWorld world(6);
  world.network(0, {1, 2, 3, 4, 5, 6});
  world.jrBoth(1, 2, 10, 1, 99);  // fare distance of kinds 1-3 is ignored
  world.jrBoth(2, 3, 20, 2, 99);
  world.jrBoth(3, 4, 30, 3, 99);
  world.jrBoth(4, 5, 40, 4, 50);
  world.jrBoth(5, 6, 5, 0, 7);
  world.write(dir.path());
  DistFareEngine engine(dir.path());

  const auto d = jrFrom(engine, 1);
  EXPECT_EQ(d[1], jrSplit(0, 0, 0, 0, 0, 0));
  EXPECT_EQ(d[2], jrSplit(10, 10, 0, 0, 0, 0));
  EXPECT_EQ(d[3], jrSplit(30, 10, 20, 0, 0, 0));
  EXPECT_EQ(d[4], jrSplit(60, 10, 20, 30, 0, 0));
  EXPECT_EQ(d[5], jrSplit(100, 10, 20, 30, 40, 50));
  EXPECT_EQ(d[6], jrSplit(105, 10, 20, 30, 45, 57));

  // From the other end the same edges give the same split.
  EXPECT_EQ(jrFrom(engine, 6)[1], jrSplit(105, 10, 20, 30, 45, 57));
}

TEST(JrDistances, AmongEqualTotalsTheRouteThroughTheHigherPositionKeepsItsSplit) {
  // Start 1 reaches 4 over station 2 (Yamanote zone) or station 3 (trunk),
  // both 20 long. Stations 2 and 3 tie at 10: the higher position is settled
  // first and gives 4 its split; the other route, equal, does not replace it.
  for (bool trunkHigher : {true, false}) {
    SCOPED_TRACE(trunkHigher ? "trunk via position 3" : "trunk via position 2");
    TempDir dir;
    DistFareWorld world(4);
    world.network(0, {1, 2, 3, 4});
    const StationNo viaYamanote = trunkHigher ? 2 : 3;
    const StationNo viaTrunk = trunkHigher ? 3 : 2;
    world.jrBoth(1, viaYamanote, 10, 1);
    world.jrBoth(1, viaTrunk, 10, 3);
    world.jrBoth(viaYamanote, 4, 10, 1);
    world.jrBoth(viaTrunk, 4, 10, 3);
    world.write(dir.path());
    DistFareEngine engine(dir.path());

    const auto d = jrFrom(engine, 1);
    EXPECT_EQ(d[4], trunkHigher ? jrSplit(20, 0, 0, 20, 0, 0) : jrSplit(20, 20, 0, 0, 0, 0));
  }
}

TEST(JrDistances, EqualEdgesFromOneStationKeepTheFirstAndAShorterRouteReplaces) {
  TempDir dir;
  DistFareWorld world(4);
  world.network(0, {1, 2, 3, 4});
  world.jr(1, 2, 10, 2);  // two parallel edges of equal length: the first stays
  world.jr(1, 2, 10, 1);
  world.jr(1, 4, 50, 3);  // long direct edge, later beaten by the route over 3
  world.jr(1, 3, 10, 4, 12);
  world.jr(3, 4, 15, 1);
  world.write(dir.path());
  DistFareEngine engine(dir.path());

  const auto d = jrFrom(engine, 1);
  EXPECT_EQ(d[2], jrSplit(10, 0, 10, 0, 0, 0));
  EXPECT_EQ(d[4], jrSplit(25, 15, 0, 0, 10, 12));
}

TEST(JrDistances, StartOutsideTheNetworkLeavesTheArrayUntouched) {
  TempDir dir;
  DistFareWorld world(4);
  world.network(0, {1, 2, 3});
  world.network(10, {4});
  world.jrBoth(1, 2, 10, 3);
  world.write(dir.path());
  DistFareEngine engine(dir.path());

  const auto marker = jrSplit(-7, -7, -7, -7, -7, -7);
  std::vector<JrDistanceBreakdown> out(4, marker);
  EXPECT_EQ(engine.dist.jrDistances(4, 3, out.data()), -1);
  EXPECT_EQ(engine.dist.jrDistances(-1, 3, out.data()), -1);
  // Asking for fewer positions than the start's own is refused too.
  EXPECT_EQ(engine.dist.jrDistances(3, 2, out.data()), -1);
  for (const auto& b : out) EXPECT_EQ(b, marker);

  // A station of another part of the network stays unreached with no split.
  const auto d = jrFrom(engine, 1);
  EXPECT_EQ(d[3], kJrUnreached);
}

TEST(JrDistances, EdgesLeavingTheNetworkAreSkippedAndSumsStayBounded) {
  TempDir dir;
  DistFareWorld world(6);
  world.network(0, {1, 2, 3, 4});
  world.network(10, {5});
  world.jr(1, 5, 1, 3);  // ends at a station outside the JR network
  world.jr(1, 6, 1, 3);  // ends at a station of no network
  world.jr(1, 2, 20000, 3);
  world.jr(2, 3, 20000, 3);  // 40000 in all: must not wrap round to a short distance
  world.jr(1, 4, 10, 4, 30000);
  world.jr(4, 3, 10, 4, 30000);  // fare distances sum past the 16-bit range
  world.write(dir.path());
  DistFareEngine engine(dir.path());

  const auto d = jrFrom(engine, 1);
  EXPECT_EQ(d[2].total, 20000);
  EXPECT_EQ(d[3].total, 20);
  EXPECT_EQ(d[3].localBusiness, 20);
  EXPECT_EQ(d[3].localFare, kUnreachedDistance);

  // Without the short way round, station 3 lies beyond the 32000 bound.
  TempDir far;
  DistFareWorld farWorld(3);
  farWorld.network(0, {1, 2, 3});
  farWorld.jr(1, 2, 20000, 3);
  farWorld.jr(2, 3, 20000, 3);
  farWorld.write(far.path());
  DistFareEngine farEngine(far.path());
  EXPECT_EQ(jrFrom(farEngine, 1)[3], kJrUnreached);
}

// ---- Private search ----

TEST(PrivateDistances, SplitsByZoneAndFollowsOnlyItsOwnNetwork) {
  TempDir dir;
  DistFareWorld world(6);
  world.network(0, {1, 2, 3});
  world.network(610, {1, 2, 3, 4, 5});
  world.network(620, {2, 6});
  world.prBoth(610, 1, 2, 10, 1);
  world.prBoth(610, 2, 3, 20, 9);
  world.prBoth(610, 3, 4, 30, 0);
  world.prBoth(610, 4, 5, 40, 10);
  world.prBoth(620, 2, 6, 1, 1);
  world.jrBoth(1, 3, 5, 3);  // a JR short cut the private search must not use
  world.write(dir.path());
  DistFareEngine engine(dir.path());

  const auto d = prFrom(engine, 1, 610);
  EXPECT_EQ(d[1], PrDistanceBreakdown{});
  EXPECT_EQ(d[3].total, 30);
  EXPECT_EQ(d[3].zone[0], 10);
  EXPECT_EQ(d[3].zone[8], 20);
  EXPECT_EQ(d[5].total, 100);  // zones 0 and 10 count in the total only
  PrDistanceBreakdown expected;
  expected.total = 100;
  expected.zone[0] = 10;
  expected.zone[8] = 20;
  EXPECT_EQ(d[5], expected);

  // Network 620 lists station 2 at position 1.
  const auto other = prFrom(engine, 2, 620);
  EXPECT_EQ(other[2].total, 1);
  EXPECT_EQ(other[2].zone[0], 1);

  std::vector<PrDistanceBreakdown> out(3);
  EXPECT_EQ(engine.dist.privateDistances(1, 2, 620, out.data()), -1);
  EXPECT_EQ(engine.dist.privateDistances(1, 5, 999, out.data()), -1);
}

// ---- Search over all networks ----

TEST(AllDistances, FollowsEveryNetworkOfAStationAndLinksCostNothing) {
  TempDir dir;
  DistFareWorld world(7);
  world.network(0, {1, 2});
  world.network(10, {2, 3});
  world.network(20, {4, 5});
  world.network(30, {6});
  world.jrBoth(1, 2, 10, 3);
  world.prBoth(10, 2, 3, 20, 1);
  world.prBoth(20, 4, 5, 7, 0);
  world.link(3, 4);  // no edge joins 3 and 4
  world.link(6, 5);
  world.write(dir.path());
  DistFareEngine engine(dir.path());

  const auto d = allFrom(engine, 1);
  EXPECT_EQ(std::vector<Distance>(d.begin() + 1, d.end()),
            (std::vector<Distance>{0, 10, 30, 30, 37, 37, kUnreachedDistance}));

  // The edges of a network are followed only when the station lists it.
  world.setNetworks(2, {0});
  world.write(dir.path());
  DistFareEngine withoutPrivate(dir.path());
  EXPECT_EQ(allFrom(withoutPrivate, 1)[3], kUnreachedDistance);
}

TEST(AllDistances, ALinkNeedsNoEdgeAndAtMostFiveLinksAreFollowed) {
  TempDir dir;
  DistFareWorld world(9);
  world.network(0, {1, 2, 3});
  world.jrBoth(1, 2, 5, 3);
  world.jrBoth(2, 3, 5, 3);
  world.link(3, 1);  // settled first, 1 hands its 0 to 3 with no edge between them
  for (StationNo s = 4; s <= 9; ++s) world.link(s, 2);
  world.write(dir.path());
  DistFareEngine engine(dir.path());

  const auto d = allFrom(engine, 1);
  EXPECT_EQ(d[1], 0);
  EXPECT_EQ(d[2], 5);
  EXPECT_EQ(d[3], 0);
  // Station 2 has six links: only the first five in file order count.
  for (std::size_t s = 4; s <= 8; ++s) EXPECT_EQ(d[s], 5) << s;
  EXPECT_EQ(d[9], kUnreachedDistance);

  // An unknown start reaches nothing rather than writing outside the array.
  const auto none = allFrom(engine, 0);
  for (std::size_t s = 1; s < none.size(); ++s) EXPECT_EQ(none[s], kUnreachedDistance);
}

}  // namespace
}  // namespace kiv
