// Test networks in the text format: a wrong source fails the test with the
// compiler's own messages and writes nothing; a good one loads in the engine.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "Engine.h"
#include "TextNetwork.h"
#include "text/Codec.h"

namespace kiv {
namespace {

TEST(TextNetwork, AWrongSourceFailsTheTestWithTheCompilersMessages) {
  test::TempDir dir;
  EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(test::compileNetworkInto(dir,
                                                                "line 本線\nkind 幹線\n  0.0 甲 こう\n"
                                                                "  0.0 乙 おつ\n")),
                          "network.txt:4: kilometres do not increase");
  EXPECT_FALSE(std::filesystem::exists(dir / "StaName.kv4"));

  // A reduction larger than its fare is refused as the command refuses it.
  EXPECT_NONFATAL_FAILURE(test::compileNetworkInto(dir,
                                                   "line 本線\nkind 幹線\n  0.0 甲 こう\n  1.0 乙 おつ\n"
                                                   "reduce 0 甲 乙 9990\n"),
                          "larger than the fare");
  EXPECT_FALSE(std::filesystem::exists(dir / "StaName.kv4"));
}

TEST(TextNetwork, FilesCompileInTheOrderGivenIntoOneDataDirectory) {
  const test::DataDir dir =
      test::compileNetwork({{"jr/01-main.txt", "line 本線\nkind 幹線\n  0.0 甲 こう\n  1.0 乙 おつ\n"},
                            {"pr/01-private.txt",
                             "line 私線\nnetwork 10\n  0.0 乙\n  2.5 丙 へい\n"
                             "train 私線\nnetwork 10\nterminal 丙\nevery 10 hours 6-22\n乙\n丙 4\n"}});
  Engine e(dir.path());
  EXPECT_EQ(e.staName.getCount(), 3);
  EXPECT_EQ(e.staName.findByName(*utf8ToSjis("丙")), 3);
  EXPECT_EQ(e.sta.getNetworkSize(10), 2);
  EXPECT_EQ(e.trains.getTrainCount(), 1);
  EXPECT_EQ(e.dia.departuresTowards(2, 3).size(), 1u);
}

}  // namespace
}  // namespace kiv
