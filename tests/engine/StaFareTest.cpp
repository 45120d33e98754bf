#include <gtest/gtest.h>

#include "TempDir.h"
#include "data/BinaryIO.h"
#include "data/StaFareFile.h"
#include "fare/RStaFare.h"

namespace kiv {
namespace {

TEST(StaFare, GivesEachStationsCodesInListOrder) {
  test::TempDir dir;
  ASSERT_TRUE(writeStaFareFile(dir / "StaFare.kv4", {{{0, 130, 131}, {}, {20}}}));
  RStaFare fare(dir.path());
  ASSERT_EQ(fare.getStationCount(), 3);
  EXPECT_EQ(fare.getNetworkCount(1), 3);
  EXPECT_EQ(fare.getNetworkAt(1, 0), 0);
  EXPECT_EQ(fare.getNetworkAt(1, 1), 130);
  EXPECT_EQ(fare.getNetworkAt(1, 2), 131);
  EXPECT_EQ(fare.getNetworkAt(1, 3), -1);  // one past the last
  EXPECT_EQ(fare.getNetworkAt(1, -1), -1);
  EXPECT_EQ(fare.checkEntry(1, 2), 0);
  EXPECT_EQ(fare.checkEntry(1, 3), -1);
  // A station served by no network.
  EXPECT_EQ(fare.getNetworkCount(2), 0);
  EXPECT_EQ(fare.getNetworkAt(2, 0), -1);
  EXPECT_EQ(fare.getNetworkAt(3, 0), 20);
  for (StationNo s : {StationNo{0}, StationNo{4}, StationNo{-1}}) {
    EXPECT_EQ(fare.checkNumber(s), -1);
    EXPECT_EQ(fare.getNetworkCount(s), -1);
    EXPECT_EQ(fare.checkEntry(s, 0), -1);
    EXPECT_EQ(fare.getNetworkAt(s, 0), -1);
  }
}

TEST(StaFare, MissingFileLeavesEveryStationWithoutNetworks) {
  test::TempDir dir;
  RStaFare fare(dir.path());
  EXPECT_EQ(fare.getStationCount(), 0);
  EXPECT_EQ(fare.getNetworkCount(1), -1);
}

TEST(StaFare, MalformedFilesLoadOnlyWholeLists) {
  test::TempDir dir;
  ByteWriter w;
  w.i32(4);
  w.i16(-3);  // a negative count: no codes, the next list follows at once
  w.i16(1);
  w.i16(50);
  w.i16(3);  // cut short after one code
  w.i16(60);
  ASSERT_TRUE(writeWholeFile(dir / "StaFare.kv4", w.data()));
  RStaFare fare(dir.path());
  ASSERT_EQ(fare.getStationCount(), 2);
  EXPECT_EQ(fare.getNetworkCount(1), 0);
  EXPECT_EQ(fare.getNetworkAt(2, 0), 50);
  EXPECT_EQ(fare.getNetworkCount(3), -1);

  w = ByteWriter();
  w.i32(-1);
  w.i16(1);
  w.i16(0);
  ASSERT_TRUE(writeWholeFile(dir / "StaFare.kv4", w.data()));
  EXPECT_EQ(RStaFare(dir.path()).getStationCount(), 0);

  ASSERT_TRUE(writeWholeFile(dir / "StaFare.kv4", {2, 0, 0, 0, 1}));  // count cut short
  EXPECT_EQ(RStaFare(dir.path()).getStationCount(), 0);
}

}  // namespace
}  // namespace kiv
