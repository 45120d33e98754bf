// Station operands end to end: variant forms, readings, ambiguity, near
// matches, and the find command, on the test network with stations
// renamed so that they have readings and variant spellings.
#include <gtest/gtest.h>

#include "CliNetwork.h"

namespace kiv::test {
namespace {

// The five stations of the test network, renamed: 1 東京, 2 鴬谷, 3 市ヶ谷,
// 4 大和 and 5 大和（茨城県）, the last two read alike. A line list names
// the JR line for the first three.
class CliStationTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    writeStationNames(dir, {{"東京", "とうきょう"},
                            {"鴬谷", "うぐいすだに"},
                            {"市ヶ谷", "いちがや"},
                            {"大和", "やまと"},
                            {"大和（茨城県）", "やまと"}});
    dir.writeText("kiv4line.dat", workText("#山手線\n東京\n鴬谷\n市ヶ谷\n;a comment\n#京浜東北線\n鴬谷\n"));
  }
};

TEST_F(CliStationTest, VariantFormsAndReadingsResolveToTheStationAndSaySo) {
  CliResult r = run({"fare", "東京", "鶯谷"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "140\n");
  EXPECT_EQ(r.err, "kiv4cli: taking '鶯谷' as 鴬谷 (#2)\n");

  r = run({"fare", "トウキョウ", "市ケ谷"});
  EXPECT_EQ(r.out, "150\n");
  EXPECT_EQ(r.err, "kiv4cli: taking 'トウキョウ' as 東京 (#1)\nkiv4cli: taking '市ケ谷' as 市ヶ谷 (#3)\n");

  // The recent lists get the station's own name, which the windows resolve.
  r = run({"faretable", "うぐいすだに"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(settingOf(dir, "station_dep1"), "鴬谷");
}

TEST_F(CliStationTest, AmbiguousAndUnknownTextsFailWithTheCandidates) {
  CliResult r = run({"fare", "東京", "やまと"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "到着駅の入力が正しくありません\n"
            "kiv4cli: 'やまと' fits several stations: 大和 (やまと, #4), 大和（茨城県） (やまと, #5); "
            "give one by name or #N\n");
  r = run({"route", "うぐいすだね", "東京"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "出発駅の入力が正しくありません\n"
            "kiv4cli: 'うぐいすだね' names no station; near matches: 鴬谷 (うぐいすだに, #2)\n");
  r = run({"route", "東京", "#9"});
  EXPECT_EQ(r.err, "到着駅の入力が正しくありません\nkiv4cli: #9 is no station number (stations #1..#5)\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "$MltRtL1.kv4"));
}

TEST_F(CliStationTest, FindListsNumbersReadingsLinesAndNetworks) {
  CliResult r = run({"find", "谷"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "#2 鴬谷 うぐいすだに\n"
            "    lines: 山手線, 京浜東北線\n"
            "    networks: 0 ＪＲ東日本\n"
            "#3 市ヶ谷 いちがや\n"
            "    lines: 山手線\n"
            "    networks: 0 ＪＲ東日本, 60 東京急行電鉄\n");
  r = run({"find", "ヤマト"});
  EXPECT_EQ(r.out,
            "#4 大和 やまと\n"
            "    networks: 0 ＪＲ東日本, 60 東京急行電鉄\n"
            "#5 大和（茨城県） やまと\n"
            "    networks: 0 ＪＲ東日本\n");
  r = run({"find", "札幌"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "kiv4cli: no station name or reading contains '札幌'\n");
  r = run({"find", "とうきよお"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "kiv4cli: no station name or reading contains 'とうきよお'; near matches: 東京 (とうきょう)\n");
}

}  // namespace
}  // namespace kiv::test
