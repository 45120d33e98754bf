#include <gtest/gtest.h>

#include "TempDir.h"
#include "data/BinaryIO.h"
#include "data/StaAttrFile.h"
#include "data/StaIdxFile.h"
#include "data/StaNameFile.h"
#include "network/RStaMan.h"
#include "network/RStaName.h"
#include "text/Codec.h"

namespace kiv {
namespace {

std::string sj(const char* utf8) { return *utf8ToSjis(utf8); }

// Entries 1..6 hold stations 10, 11, 12, 11, 20, 10.
//   code 0:  entries 1..4 (station 11 twice)   code 30: entry 5 only
//   code 40: entries 3..2 (empty)              code 0 again: ignored
//   code 50: entries 5..6 (station 10 at position 2)
class StaManTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StaAttrFile attr;
    for (StationNo s : {10, 11, 12, 11, 20, 10}) attr.entries.push_back({0, s, 0});
    ASSERT_TRUE(writeStaAttrFile(dir / "StaAttr.kv4", attr));
    StaIdxFile idx;
    idx.networks = {{0, 1, 4}, {30, 5, 5}, {40, 3, 2}, {0, 5, 6}, {50, 5, 6}};
    ASSERT_TRUE(writeStaIdxFile(dir / "StaIdx.kv4", idx));
  }
  test::TempDir dir;
  RStaName names{dir.path()};  // no station file: the built-in lists resolve nothing
};

TEST_F(StaManTest, TheFirstRecordOfACodeDefinesTheNetwork) {
  RStaMan sta(dir.path(), names);
  std::int16_t first = 0;
  std::int16_t last = 0;
  EXPECT_EQ(sta.findNetwork(0, first, last), 0);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(last, 4);
  EXPECT_EQ(sta.getNetworkSize(0), 4);
  EXPECT_EQ(sta.getNetworkSize(30), 1);
  EXPECT_EQ(sta.getNetworkSize(50), 2);
  EXPECT_EQ(sta.findNetwork(99, first, last), -1);
  EXPECT_EQ(first, -1);
  EXPECT_EQ(last, -1);
  EXPECT_EQ(sta.getNetworkSize(99), 0);
  EXPECT_EQ(sta.findPosition(99, 10), -1);
  EXPECT_EQ(sta.getStationAt(99, 1), -1);
}

TEST_F(StaManTest, PositionsAndStationsTranslateBothWays) {
  RStaMan sta(dir.path(), names);
  EXPECT_EQ(sta.findPosition(0, 10), 1);
  EXPECT_EQ(sta.findPosition(0, 11), 2);  // listed twice: the lower position
  EXPECT_EQ(sta.findPosition(0, 12), 3);
  EXPECT_EQ(sta.findPosition(0, 20), -1);  // in another network only
  EXPECT_EQ(sta.findPosition(50, 10), 2);  // an independent position per network
  EXPECT_EQ(sta.findPosition(50, 20), 1);
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(sta.getStationAt(0, p), std::vector<int>({10, 11, 12, 11})[p - 1]);
  EXPECT_EQ(sta.findPosition(30, 20), 1);  // first = last
  EXPECT_EQ(sta.getStationAt(30, 1), 20);
  EXPECT_EQ(sta.getStationAt(0, 0), -1);  // outside the network
  EXPECT_EQ(sta.getStationAt(0, 5), -1);
}

TEST_F(StaManTest, EmptyNetworkHasNoStations) {
  RStaMan sta(dir.path(), names);
  EXPECT_EQ(sta.getNetworkSize(40), 0);
  for (StationNo s : {10, 11, 12, 20}) EXPECT_EQ(sta.findPosition(40, s), -1);
  EXPECT_EQ(sta.getStationAt(40, 1), -1);
}

TEST_F(StaManTest, MissingFilesLeaveEveryNetworkUnknown) {
  std::filesystem::remove(dir / "StaIdx.kv4");
  RStaMan noIndex(dir.path(), names);
  EXPECT_EQ(noIndex.getEntryCount(), 6);
  EXPECT_EQ(noIndex.getNetworkSize(0), 0);
  EXPECT_EQ(noIndex.findPosition(0, 10), -1);

  ASSERT_TRUE(writeStaIdxFile(dir / "StaIdx.kv4", {{{0, 1, 4}}}));
  std::filesystem::remove(dir / "StaAttr.kv4");
  RStaMan noEntries(dir.path(), names);
  EXPECT_EQ(noEntries.getEntryCount(), 0);
  EXPECT_EQ(noEntries.getNetworkRecordCount(), 0);
  EXPECT_EQ(noEntries.getNetworkSize(0), 0);
}

TEST_F(StaManTest, RangesOutsideTheEntryTableAreNotRead) {
  // Networks reaching past the entries, starting before entry 1, and with
  // last far before first; and no network 0 at all.
  ASSERT_TRUE(writeStaIdxFile(dir / "StaIdx.kv4", {{{60, 5, 300}, {70, -3, 2}, {80, 6, 1}}}));
  RStaMan sta(dir.path(), names);
  EXPECT_EQ(sta.getNetworkSize(0), 0);
  EXPECT_EQ(sta.findPosition(0, 10), -1);
  EXPECT_EQ(sta.findPosition(60, 10), 2);
  EXPECT_EQ(sta.findPosition(60, 99), -1);
  EXPECT_EQ(sta.getStationAt(60, 2), 10);
  EXPECT_EQ(sta.getStationAt(60, 3), -1);
  // Ranges are cut to the entries at load: -3..2 is 1..2, and no network
  // is larger than the entry table.
  EXPECT_EQ(sta.findPosition(70, 11), 2);
  EXPECT_EQ(sta.getStationAt(70, 1), 10);
  EXPECT_EQ(sta.getNetworkSize(60), 2);
  EXPECT_EQ(sta.getNetworkSize(70), 2);
  EXPECT_EQ(
      sta.dataProblem(),
      "StaIdx.kv4 does not fit StaAttr.kv4 (network 60 claims entries 5..300 of 6): cut to the entries that "
      "exist");
  EXPECT_EQ(sta.getNetworkSize(80), 0);
  EXPECT_EQ(sta.findPosition(80, 10), -1);
}

TEST(StaManMalformed, ShortFilesAndNegativeCounts) {
  test::TempDir dir;
  ByteWriter attr;
  attr.i16(3);
  for (std::int16_t v : {0, 10, 0, 0, 0, 11, 0}) attr.i16(v);  // the second entry is cut short
  ASSERT_TRUE(writeWholeFile(dir / "StaAttr.kv4", attr.data()));
  ByteWriter idx;
  idx.i16(-2);
  for (std::int16_t v : {0, 1, 1}) idx.i16(v);
  ASSERT_TRUE(writeWholeFile(dir / "StaIdx.kv4", idx.data()));
  RStaName names(dir.path());
  RStaMan sta(dir.path(), names);
  EXPECT_EQ(sta.getEntryCount(), 1);
  EXPECT_EQ(sta.getNetworkRecordCount(), 0);

  // The entry count is signed too: a negative one loads no entry, even with
  // whole entries after it.
  attr = ByteWriter();
  attr.i16(-2);
  for (std::int16_t v : {0, 10, 0, 0, 0, 11, 0, 0}) attr.i16(v);
  ASSERT_TRUE(writeWholeFile(dir / "StaAttr.kv4", attr.data()));
  ASSERT_TRUE(writeStaIdxFile(dir / "StaIdx.kv4", {{{0, 1, 2}}}));
  RStaMan negative(dir.path(), names);
  EXPECT_EQ(negative.getEntryCount(), 0);
  EXPECT_EQ(negative.findPosition(0, 10), -1);
  EXPECT_EQ(negative.getStationAt(0, 1), -1);
}

// The built-in lists, resolved against a station file that holds every
// name of both lists (and a look-alike spelling), with 東京 listed twice.
class StaListTest : public ::testing::Test {
 protected:
  static constexpr const char* kList1[] = {
      "東京",   "有楽町", "新橋",     "浜松町", "田町",     "品川",     "大崎",     "五反田", "目黒",
      "恵比寿", "渋谷",   "原宿",     "代々木", "新宿",     "新大久保", "高田馬場", "目白",   "池袋",
      "大塚",   "巣鴨",   "駒込",     "田端",   "西日暮里", "日暮里",   "鴬谷",     "上野",   "御徒町",
      "秋葉原", "神田",   "御茶ノ水", "水道橋", "飯田橋",   "市ヶ谷",   "四ッ谷",   "信濃町", "千駄ヶ谷"};
  static constexpr const char* kList2[] = {
      "熱海",   "松久", "児玉", "丹荘",   "群馬藤岡", "北藤岡", "倉賀野",         "高崎", "井野（群馬県）",
      "新前橋", "前橋", "駒形", "伊勢崎", "国定",     "岩宿",   "桐生",           "小俣", "山前",
      "足利",   "富田", "佐野", "雀宮",   "宇都宮",   "新治",   "大和（茨城県）", "岩瀬", "羽黒",
      "福原",   "稲田", "笠間", "宍戸",   "友部",     "内原",   "赤塚",           "水戸", "勝田"};

  void SetUp() override {
    StaNameFile file;
    file.stations.push_back({sj("鶯谷"), ""});  // station 1: not the spelling of the list
    for (const char* n : kList1) file.stations.push_back({sj(n), ""});  // stations 2..37
    file.stations.push_back({sj("東京"), ""});                          // station 38
    for (const char* n : kList2) file.stations.push_back({sj(n), ""});  // stations 39..74
    ASSERT_TRUE(writeStaNameFile(dir / "StaName.kv4", file));
  }
  test::TempDir dir;
};

TEST_F(StaListTest, EntriesResolveInListOrder) {
  RStaName names(dir.path());
  RStaMan sta(dir.path(), names);
  ASSERT_EQ(sta.getStationListSize(1), 36);
  ASSERT_EQ(sta.getStationListSize(2), 36);
  EXPECT_EQ(sta.getStationListSize(0), 0);
  EXPECT_EQ(sta.getStationListSize(3), 0);
  for (int i = 0; i < 36; ++i) {
    EXPECT_EQ(sta.getStationListEntry(1, i), i + 2) << kList1[i];
    EXPECT_EQ(sta.getStationListEntry(2, i), i + 39) << kList2[i];
  }
  EXPECT_EQ(sta.getStationListEntry(1, 36), -1);
  EXPECT_EQ(sta.getStationListEntry(2, -1), -1);
  EXPECT_EQ(sta.getStationListEntry(3, 0), 0);
}

TEST_F(StaListTest, MembershipGoesByExactName) {
  RStaName names(dir.path());
  RStaMan sta(dir.path(), names);
  const StationNo sendagaya = names.findByName(sj("千駄ヶ谷"));
  EXPECT_EQ(sta.isInStationList(1, sendagaya), 1);
  EXPECT_EQ(sta.isInStationList(2, sendagaya), 0);
  EXPECT_EQ(sta.isInStationList(3, sendagaya), 0);
  EXPECT_EQ(sta.isInStationList(1, 1), 0);   // 鶯谷 is not 鴬谷
  EXPECT_EQ(sta.isInStationList(1, 26), 1);  // 鴬谷
  EXPECT_EQ(sta.isInStationList(1, 38), 1);  // a second 東京 matches by name
  EXPECT_EQ(sta.isInStationList(2, 74), 1);  // 勝田, the last entry
  EXPECT_EQ(sta.isInStationList(1, 0), 0);   // no station, no name
  EXPECT_EQ(sta.isInStationList(1, 75), 0);
  sta.selectStationList(2);
  EXPECT_EQ(sta.selectedStationList(), 2);
  sta.selectStationList(7);
  EXPECT_EQ(sta.selectedStationList(), 0);
}

TEST(StaListMissingNames, UnknownNamesResolveToMinusOne) {
  test::TempDir dir;
  ASSERT_TRUE(writeStaNameFile(dir / "StaName.kv4", {{{sj("東京"), ""}}}));
  RStaName names(dir.path());
  RStaMan sta(dir.path(), names);
  EXPECT_EQ(sta.getStationListEntry(1, 0), 1);
  EXPECT_EQ(sta.getStationListEntry(1, 1), -1);
  EXPECT_EQ(sta.getStationListSize(2), 36);
}

}  // namespace
}  // namespace kiv
