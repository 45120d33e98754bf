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

std::vector<StationNo> linksOf(const RFareMan& fare, StationNo s, int max) {
  std::vector<StationNo> out(10, -99);
  const int count = fare.linkedStations(s, max, out.data());
  EXPECT_GE(count, 0);
  EXPECT_EQ(out[static_cast<std::size_t>(count)], -99);  // nothing written past the count
  out.resize(static_cast<std::size_t>(count));
  return out;
}

// ---- The four fare files ----

TEST(FareFiles, RoundTripKeepsEveryByte) {
  TempDir dir;
  FareIdxFile idx{{FareIdxRecord{{1, 2, 3, 4, 5, 6, 7, 8}}, FareIdxRecord{{0xff, 0, 0, 0, 0, 0, 0, 0x80}}}};
  const FareFFile special{{{0, 1, 2, 19}, {610, 3, 4, -1}}};
  const FareRFile reductions{{{20, 5, 6, 3}}};
  const FareWFile links{{{0x7fff, 1, 2, -2}, {9, 3, 3, 0}}};
  using test::writtenAndReadBack;
  // The station index has no header.
  EXPECT_EQ(writtenAndReadBack(dir / "FAREIDX.KV4", idx, 16u, writeFareIdxFile, readFareIdxFile).records,
            idx.records);
  EXPECT_EQ(writtenAndReadBack(dir / "FAREF.KV4", special, 2u + 2 * 8, writeFareFFile, readFareFFile).records,
            special.records);
  EXPECT_EQ(writtenAndReadBack(dir / "FARER.KV4", reductions, 2u + 8, writeFareRFile, readFareRFile).records,
            reductions.records);
  EXPECT_EQ(writtenAndReadBack(dir / "FAREW.KV4", links, 2u + 2 * 8, writeFareWFile, readFareWFile).records,
            links.records);
  EXPECT_FALSE(readFareWFile(dir / "missing.kv4"));
}

TEST(FareFiles, ReadTheStoredFieldOrder) {
  // One record per file, every field a different value.
  using Bytes = std::vector<std::uint8_t>;
  TempDir dir;
  const Bytes pairBytes{1, 0, 0x62, 0x02, 0x01, 0x00, 0x02, 0x00, 0xFB, 0xFF};
  const Bytes linkBytes{1, 0, 0x01, 0x7F, 0x03, 0x00, 0x04, 0x00, 0xFF, 0xFF};
  const auto special = test::readStoredBytes(dir, pairBytes, readFareFFile, writeFareFFile);
  const auto reductions = test::readStoredBytes(dir, pairBytes, readFareRFile, writeFareRFile);
  const auto links = test::readStoredBytes(dir, linkBytes, readFareWFile, writeFareWFile);
  ASSERT_TRUE(special && reductions && links);
  const std::vector<FarePairRecord> pair{{610, 1, 2, -5}};
  EXPECT_EQ(special->records, pair);
  EXPECT_EQ(reductions->records, pair);
  EXPECT_EQ(links->records, (std::vector<FareWRecord>{{0x7F01, 3, 4, -1}}));
}

TEST(FareFiles, ShortFilesAndNegativeCountsGiveOnlyCompleteRecords) {
  TempDir dir;
  ByteWriter w;
  w.i16(4);  // claims four links, holds two and a half
  w.i16(0), w.i16(1), w.i16(2), w.i16(0);
  w.i16(0), w.i16(1), w.i16(3), w.i16(0);
  w.i16(0), w.i16(1);
  writeWholeFile(dir / "FAREW.KV4", w.data());
  EXPECT_EQ(readFareWFile(dir / "FAREW.KV4")->records.size(), 2u);

  ByteWriter negative;
  negative.i16(-1);
  negative.zeros(16);
  writeWholeFile(dir / "FAREF.KV4", negative.data());
  EXPECT_TRUE(readFareFFile(dir / "FAREF.KV4")->records.empty());

  writeWholeFile(dir / "FAREIDX.KV4", std::vector<std::uint8_t>(13, 1));
  EXPECT_EQ(readFareIdxFile(dir / "FAREIDX.KV4")->records.size(), 1u);

  // The engine runs on such files: the complete links only.
  DistFareWorld world(3);
  world.write(dir.path());
  writeWholeFile(dir / "FAREW.KV4", w.data());
  writeWholeFile(dir / "FAREF.KV4", negative.data());
  writeWholeFile(dir / "FAREIDX.KV4", {});
  DistFareEngine engine(dir.path());
  EXPECT_EQ(linksOf(engine.fare, 1, 5), (std::vector<StationNo>{2, 3}));
  EXPECT_EQ(engine.fare.specialFare(0, 0, 0), 0);
}

TEST(FareFiles, LoadingStopsAtTheFirstMissingFile) {
  TempDir dir;
  DistFareWorld world(4);
  world.special(0, 1, 2, 50);
  world.reduction(0, 1, 2, 3);
  world.link(1, 2);
  world.write(dir.path());

  std::filesystem::remove(dir / "FAREF.KV4");
  {
    DistFareEngine engine(dir.path());
    EXPECT_EQ(engine.fare.fareReduction(0, 1, 2), 0);
    EXPECT_TRUE(linksOf(engine.fare, 1, 5).empty());
  }
  world.write(dir.path());
  std::filesystem::remove(dir / "FAREIDX.KV4");
  DistFareEngine engine(dir.path());
  EXPECT_EQ(engine.fare.specialFare(0, 1, 2), 0);
  EXPECT_TRUE(linksOf(engine.fare, 2, 5).empty());
}

// ---- Lookups ----

TEST(FareLookups, SpecialFaresAndReductionsMatchEitherOrderOnTheirNetworkOnly) {
  TempDir dir;
  DistFareWorld world(6);
  world.special(610, 2, 1, 19);  // stored as (B, A)
  world.special(610, 1, 2, 25);  // a second record for the same pair never wins
  world.special(0, 3, 4, 30);
  world.reduction(0, 3, 4, 3);
  world.reduction(610, 5, 6, 2);
  world.reduction(610, 6, 5, 9);
  world.write(dir.path());
  DistFareEngine engine(dir.path());
  const RFareMan& fare = engine.fare;

  EXPECT_EQ(fare.specialFare(610, 1, 2), 190);
  EXPECT_EQ(fare.specialFare(610, 2, 1), 190);
  EXPECT_EQ(fare.specialFare(0, 1, 2), 0);  // same pair, other network
  EXPECT_EQ(fare.specialFare(610, 1, 3), 0);
  EXPECT_EQ(fare.specialFare(0, 4, 3), 300);

  EXPECT_EQ(fare.fareReduction(0, 4, 3), -30);
  EXPECT_EQ(fare.fareReduction(610, 6, 5), -20);
  EXPECT_EQ(fare.fareReduction(620, 5, 6), 0);
  EXPECT_EQ(fare.fareReduction(610, 1, 2), 0);  // a special fare is no reduction
}

TEST(FareLookups, LinkedStationsInFileOrderUpToMax) {
  TempDir dir;
  DistFareWorld world(12);
  world.link(1, 1);  // a station linked with itself is reported once
  for (StationNo s = 2; s <= 8; ++s) {
    if (s % 2 == 0) {
      world.link(1, s);
    } else {
      world.link(s, 1);
    }
  }
  world.link(10, 11);
  world.write(dir.path());
  DistFareEngine engine(dir.path());
  const RFareMan& fare = engine.fare;

  EXPECT_EQ(linksOf(fare, 1, 5), (std::vector<StationNo>{1, 2, 3, 4, 5}));
  EXPECT_EQ(linksOf(fare, 1, 8), (std::vector<StationNo>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(linksOf(fare, 11, 5), (std::vector<StationNo>{10}));
  EXPECT_TRUE(linksOf(fare, 12, 5).empty());
  EXPECT_TRUE(linksOf(fare, 1, 0).empty());
  EXPECT_TRUE(linksOf(fare, 1, -3).empty());
}

}  // namespace
}  // namespace kiv
