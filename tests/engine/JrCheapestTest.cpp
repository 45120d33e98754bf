#include <gtest/gtest.h>

#include <string>

#include "DistFareFixture.h"
#include "SjisText.h"
#include "TempDir.h"
#include "TextNetwork.h"
#include "text/ReportText.h"

namespace kiv {
namespace {

using test::compileNetwork;
using test::DistFareEngine;
using test::readUtf8;
using test::TempDir;

const std::string kCsvHeader =
    "駅１,駅２,最短経路運賃,最短経路キロ,短-山,短-電,短-幹,短-地営,短-地運,"
    "最廉経路運賃,最廉経路キロ,廉-山,廉-電,廉-幹,廉-地営,廉-地運\r\n";

// S1-S2 by 11.0 km of trunk line, or S1-S3-S2 by 12.0 km of train zone.
constexpr const char* kTrunkAndTrainZone = R"(
line 幹線
kind 幹線
   0.0 S1 s1
  11.0 S2 s2
line 電車線
kind 電車特定区間
   0.0 S1
   6.0 S3 s3
  12.0 S2
)";

// Positions follow station numbers. S1-S2 is 11.0 km of trunk line (230
// yen); S1-S3-S2 12.0 km of train zone (210 yen) and S1-S4-S2 12.0 km of
// Yamanote and train zone (also 210 yen, found later).
TEST(JrCheapestTable, ListsEachCheaperPairOnceWithTheFirstCheapestRoute) {
  const test::DataDir dir = compileNetwork(std::string(kTrunkAndTrainZone) + R"(
line 山手線
kind 山手線内
   0.0 S1
   6.0 S4 s4
kind 電車特定区間
  12.0 S2
)");
  DistFareEngine e(dir.path());

  // The progress goes to the caller, never to standard output.
  std::string progress;
  testing::internal::CaptureStdout();
  EXPECT_EQ(e.dist.buildJrCheapestTable([&progress](const TableProgress& p) {
    progress +=
        report_text::format("%3d/%3d done. Found:%3d Max-Depth:%3d\r", p.done, p.total, p.found, p.maxDepth);
    return true;
  }),
            1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(progress,
            "  1/  4 done. Found:  1 Max-Depth:  4\r"
            "  2/  4 done. Found:  1 Max-Depth:  4\r"
            "  3/  4 done. Found:  1 Max-Depth:  4\r");
  EXPECT_EQ(dir.readText("jrregu.dat"), "S1,S2,21\r\n");
  EXPECT_EQ(readUtf8(dir / "$jrregu.csv"), kCsvHeader + "S1,S2,23,110,0,0,110,0,0,21,120,0,120,0,0,0\r\n");
}

// S1-S3-S2 on local lines only: 12.0 km cost 230 yen, as the 11.0 km trunk route does.
TEST(JrCheapestTable, AnEqualFareIsNotCheaper) {
  const test::DataDir dir = compileNetwork(R"(
line 幹線
kind 幹線
   0.0 S1 s1
  11.0 S2 s2
line 地方線
kind 地方交通線
   0.0 S1
   6.0 S3 s3 fare=6.0
  12.0 S2    fare=12.0
)");
  DistFareEngine e(dir.path());
  testing::internal::CaptureStdout();
  EXPECT_EQ(e.dist.buildJrCheapestTable(), 0);
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(dir.readText("jrregu.dat"), "");
  EXPECT_EQ(readUtf8(dir / "$jrregu.csv"), kCsvHeader);
}

// S1-S2 is 110.0 km of trunk line (1,890 yen); the local route over S3 costs
// 1,800 yen from 91.1 km on, and is followed up to 130.0 km, 20.0 km beyond.
TEST(JrCheapestTable, FollowsDetoursOfAtMostTwentyKilometres) {
  for (const char* end : {"130.0", "130.1"}) {
    const test::DataDir dir = compileNetwork(std::string(R"(
line 幹線
kind 幹線
    0.0 S1 s1
  110.0 S2 s2
line 地方線
kind 地方交通線
    0.0 S1
   65.0 S3 s3 fare=65.0
)") + "  " + end + " S2 fare=" + end + "\n");
    DistFareEngine e(dir.path());
    testing::internal::CaptureStdout();
    const int found = e.dist.buildJrCheapestTable();
    testing::internal::GetCapturedStdout();
    if (std::string(end) == "130.0") {
      EXPECT_EQ(found, 1);
      EXPECT_EQ(dir.readText("jrregu.dat"), "S1,S2,180\r\n");
      EXPECT_EQ(readUtf8(dir / "$jrregu.csv"),
                kCsvHeader + "S1,S2,189,1100,0,0,1100,0,0,180,1300,0,0,0,1300,1300\r\n");
    } else {
      EXPECT_EQ(found, 0);
      EXPECT_EQ(dir.readText("jrregu.dat"), "");
    }
  }
}

TEST(JrCheapestTable, FailsWhenItsFilesCannotBeCreated) {
  TempDir dir;
  DistFareEngine e(dir / "missing");
  EXPECT_EQ(e.dist.buildJrCheapestTable(), -1);
}

// Answering "stop" ends the build after that origin, with the pairs found so far.
TEST(JrCheapestTable, StopsWhenTheProgressSaysSo) {
  // S1-S3-S2 is the cheaper way from S1 to S2.
  const test::DataDir dir = compileNetwork(kTrunkAndTrainZone);
  DistFareEngine e(dir.path());
  int calls = 0;
  EXPECT_EQ(e.dist.buildJrCheapestTable([&calls](const TableProgress& p) {
    ++calls;
    EXPECT_EQ(p.done, 1);
    EXPECT_EQ(p.total, 3);
    return false;
  }),
            1);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(dir.readText("jrregu.dat"), "S1,S2,21\r\n");
}

}  // namespace
}  // namespace kiv
