// Sources at the edges of what the compiler takes: a very long train
// compiles in time that grows with its length, and a mistyped keyword or a
// reduction that the written set refuses is named with its source line.
#include <gtest/gtest.h>

#include <chrono>

#include "KivdataTestSupport.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;

// A line of `stations` stations 1 km apart and a train that stops at each.
void writeLongLine(const SourceTree& tree, int stations) {
  std::string line = "line 長線\nkind 幹線\n";
  std::string train =
      "train 長線(下り)\nterminal 駅" + std::to_string(stations) + "\nevery 60 hours 6-7\nspeed 60\n";
  for (int i = 1; i <= stations; ++i) {
    line += std::to_string(i - 1) + ".0 駅" + std::to_string(i) + " えき\n";
    train += "駅" + std::to_string(i) + "\n";
  }
  tree.write("long.txt", line + "\n" + train);
}

TEST(KivdataLimits, ALongTrainCompilesInTimeThatGrowsWithItsLength) {
  const auto timeToBuild = [](int stations) {
    SourceTree tree;
    writeLongLine(tree, stations);
    const auto start = std::chrono::steady_clock::now();
    const KivdataRun run = tree.build(tree.root() / "out");
    EXPECT_EQ(run.rc, 0) << run.err.substr(0, 500);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  const double small = timeToBuild(1000);
  const double large = timeToBuild(8000);
  // Eight times the stops: linear cost takes about eight times as long, a
  // square one sixty-four times. The floor keeps a quick run from failing
  // on the noise of a busy machine.
  EXPECT_LT(large, std::max(20.0 * small, 3.0))
      << "1000 stops " << small << " s, 16000 stops " << large << " s";
}

TEST(KivdataLimits, AMistypedKeywordInATrainIsCalledOne) {
  SourceTree tree;
  writeFixture(tree);
  tree.write("jr/02-typo.txt",
             "train 本線(区間)\nterminal 丙\nevery 30 hours 6-22\nsped 40\n甲\n乙 3\n丙 5\n");
  const KivdataRun run = tree.build(tree.root() / "out");
  EXPECT_EQ(run.rc, 1);
  EXPECT_NE(run.err.find("jr/02-typo.txt:4: unknown keyword 'sped' in a train block"), std::string::npos)
      << run.err;
  EXPECT_EQ(run.err.find("unknown station"), std::string::npos) << run.err;
}

TEST(KivdataLimits, AReductionTheFareCheckRefusesIsNamedWithItsLine) {
  SourceTree tree;
  writeFixture(tree);
  tree.write("zz-fares.txt", "# reductions\nreduce 0 甲 乙 9990\n");
  const KivdataRun run = tree.build(tree.root() / "out");
  EXPECT_EQ(run.rc, 1);
  EXPECT_NE(run.err.find("zz-fares.txt:2: reduce 0 甲 乙 9990: larger than the fare of "), std::string::npos)
      << run.err;
}

}  // namespace
}  // namespace kiv::test
