// Station input as people type it: exact names first, then variant forms,
// then readings; near matches and the find list.
#include <gtest/gtest.h>

#include "CliNetwork.h"
#include "network/RStaName.h"
#include "network/StationSearch.h"

namespace kiv::test {
namespace {

// 1 東京, 2 鴬谷, 3 市ヶ谷, 4 四ツ谷, 5 大和, 6 大和（茨城県）, 7 新宿,
// 8 新大久保, 9 市ケ谷 (a second spelling, as a data set might carry), 10 御茶ノ水.
bool writeStations(const TempDir& dir) {
  writeStationNames(dir, {{"東京", "とうきょう"},
                          {"鴬谷", "うぐいすだに"},
                          {"市ヶ谷", "いちがや"},
                          {"四ツ谷", "よつや"},
                          {"大和", "やまと"},
                          {"大和（茨城県）", "やまと"},
                          {"新宿", "しんじゅく"},
                          {"新大久保", "しんおおくぼ"},
                          {"市ケ谷", "いちがや"},
                          {"御茶ノ水", "おちゃのみず"}});
  return true;
}

class StationSearchTest : public ::testing::Test {
 protected:
  StationLookup resolve(const std::string& text) const { return search.resolve(text); }

  TempDir dir;
  bool written = writeStations(dir);
  RStaName names{dir.path()};
  StationSearch search{names};
};

TEST_F(StationSearchTest, ExactNamesComeFirstThenVariantFormsThenReadings) {
  const std::vector<std::tuple<std::string, StationMatch, std::vector<StationNo>>> cases = {
      {"東京", StationMatch::kExact, {1}},
      {"市ケ谷", StationMatch::kExact, {9}},  // exact beats the folded 市ヶ谷
      {"鶯谷", StationMatch::kVariantForm, {2}},
      {"四ッ谷", StationMatch::kVariantForm, {4}},
      {"御茶の水", StationMatch::kVariantForm, {10}},
      {"市ヶ谷", StationMatch::kExact, {3}},
      {"市け谷", StationMatch::kVariantForm, {3, 9}},  // both spellings fold alike
      {"市ヵ谷", StationMatch::kNone, {}},             // ヵ is カ, not ケ
      {"しんじゅく", StationMatch::kReading, {7}},
      {"シンジュク", StationMatch::kReading, {7}},
      {"ｼﾝｼﾞｭｸ", StationMatch::kNone, {}},  // half-width kana are not folded
      {"やまと", StationMatch::kReading, {5, 6}},
      {"しんじゅ", StationMatch::kNone, {}},  // readings match whole
      {"新宿 ", StationMatch::kNone, {}},
      {"", StationMatch::kNone, {}},
      {"\xff\xfe", StationMatch::kNone, {}},
  };
  for (const auto& [text, match, stations] : cases) {
    const StationLookup lookup = resolve(text);
    EXPECT_EQ(lookup.match, match) << text;
    EXPECT_EQ(lookup.stations, stations) << text;
  }
}

TEST_F(StationSearchTest, NearMatchesPreferPrefixesThenContentsThenFewMistakes) {
  EXPECT_EQ(search.nearMatches("しんじく"), (std::vector<StationNo>{7}));
  EXPECT_EQ(search.nearMatches("しん"), (std::vector<StationNo>{7, 8}));
  EXPECT_EQ(search.nearMatches("谷"), (std::vector<StationNo>{2, 3, 4, 9}));
  EXPECT_EQ(search.nearMatches("谷", 2), (std::vector<StationNo>{2, 3}));
  EXPECT_EQ(search.nearMatches("とうきよお"), (std::vector<StationNo>{1}));
  EXPECT_TRUE(search.nearMatches("札幌").empty());
  EXPECT_TRUE(search.nearMatches("").empty());
}

TEST_F(StationSearchTest, FindListsEveryStationWhoseNameOrReadingContainsTheText) {
  EXPECT_EQ(search.find("谷"), (std::vector<StationNo>{2, 3, 4, 9}));
  EXPECT_EQ(search.find("ヤマト"), (std::vector<StationNo>{5, 6}));
  EXPECT_EQ(search.find("茨城"), (std::vector<StationNo>{6}));
  EXPECT_EQ(search.find("おおくぼ"), (std::vector<StationNo>{8}));
  EXPECT_TRUE(search.find("").empty());
  EXPECT_EQ(search.name(2), "鴬谷");
  EXPECT_EQ(search.reading(2), "うぐいすだに");
  EXPECT_EQ(search.name(11), "");
  EXPECT_EQ(search.name(0), "");
}

TEST(StationSearchFold, FoldsKanaKanjiAndWidthButNothingElse) {
  EXPECT_EQ(StationSearch::fold("ヶケヵカッツァ"), StationSearch::fold("けけかかつつあ"));
  EXPECT_EQ(StationSearch::fold("鶯檜澤"), StationSearch::fold("鴬桧沢"));
  EXPECT_EQ(StationSearch::fold("ＪＲ１"), StationSearch::fold("jr1"));
  EXPECT_NE(StationSearch::fold("が"), StationSearch::fold("か"));
  EXPECT_NE(StationSearch::fold("東京"), StationSearch::fold("東 京"));
}

}  // namespace
}  // namespace kiv::test
