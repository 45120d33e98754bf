#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "DistFareFixture.h"
#include "TempDir.h"
#include "report/WorkFiles.h"

namespace kiv {
namespace {

using test::DistFareEngine;
using test::DistFareWorld;
using test::readUtf8;
using test::TempDir;

enum : StationNo {
  Shibuya = 1,
  Shinjuku,
  Shinagawa,
  Ebisu,
  Jiyugaoka,
  Denen,
  Kamata,
  Yukigaya,
  Daikanyama,
  Tamagawa
};

// Written byte by byte: the network positions do not follow the station
// numbers and 渋谷's network list is set by hand, which the compiler never
// writes.
// 渋谷 on JR (新宿 3.4 km, 品川 7.2 km with a 30 yen reduction, 恵比寿
// unreachable), on 東急 60 (代官山 special 120 yen, 自由が丘 7.0 km in zone 1,
// 田園調布 2.0 km further in zone 2), 61 (蒲田) and 62 (雪が谷; 多摩川
// unreachable); 営団 80 lacks 渋谷 and 都営 90 has no station list.
void writeWorld(const std::filesystem::path& dir, const std::vector<NetworkCode>& shibuyaCodes) {
  DistFareWorld w(
      {"渋谷", "新宿", "品川", "恵比寿", "自由が丘", "田園調布", "蒲田", "雪が谷", "代官山", "多摩川"});
  w.network(0, {Shinjuku, Shibuya, Shinagawa, Ebisu});
  w.jrBoth(Shibuya, Shinjuku, 34, 1);
  w.jrBoth(Shibuya, Shinagawa, 72, 1);
  w.reduction(0, Shinagawa, Shibuya, 3);
  w.network(60, {Shibuya, Jiyugaoka, Denen, Daikanyama});
  w.prBoth(60, Shibuya, Daikanyama, 15, 0);
  w.prBoth(60, Shibuya, Jiyugaoka, 70, 1);
  w.prBoth(60, Jiyugaoka, Denen, 20, 2);
  w.special(60, Daikanyama, Shibuya, 12);
  w.network(61, {Kamata, Shibuya});
  w.prBoth(61, Shibuya, Kamata, 200, 0);
  w.network(62, {Shibuya, Yukigaya, Tamagawa});
  w.prBoth(62, Shibuya, Yukigaya, 50, 0);
  w.network(80, {Shinjuku, Shinagawa});
  w.setNetworks(Shibuya, shibuyaCodes);
  w.write(dir);
}

const std::string kTable =
    "0 渋谷\r\n"
    "1 0 ＪＲ東日本\r\n"
    "2 0 新宿 150\r\n"
    "2 0 品川 130\r\n"
    "1 1 東京急行電鉄\r\n"
    "2 1 自由が丘 160\r\n"
    "2 1 田園調布 210\r\n"
    "2 1 代官山 120\r\n"
    "2 1 蒲田 130\r\n"
    "2 1 雪が谷 130\r\n"
    "1 2 営団地下鉄\r\n"
    "1 3 都営地下鉄\r\n";

TEST(FareTable, OneBlockPerCompanyWithTheStationsOfAllItsNetworks) {
  TempDir dir;
  writeWorld(dir.path(), {0, 60, 61, 62, 80, 90});
  DistFareEngine e(dir.path());
  EXPECT_EQ(e.fare.buildFareTable(Shibuya), 0);
  EXPECT_EQ(readUtf8(dir / "$FareTbl.kv4"), kTable);
}

TEST(FareTable, ACompanyWhoseCodesAreNotNeighboursGetsTwoBlocks) {
  TempDir dir;
  writeWorld(dir.path(), {60, 0, 61});
  DistFareEngine e(dir.path());
  EXPECT_EQ(e.fare.buildFareTable(Shibuya), 0);
  EXPECT_EQ(readUtf8(dir / "$FareTbl.kv4"),
            "0 渋谷\r\n1 0 東京急行電鉄\r\n2 0 自由が丘 160\r\n2 0 田園調布 210\r\n2 0 代官山 120\r\n"
            "1 1 ＪＲ東日本\r\n2 1 新宿 150\r\n2 1 品川 130\r\n1 2 東京急行電鉄\r\n2 2 蒲田 130\r\n");
}

TEST(FareTable, TheValueIsTheTableTheFileIsWrittenFromAndWritesNothing) {
  TempDir dir;
  writeWorld(dir.path(), {60, 0, 61, 80});
  DistFareEngine e(dir.path());
  const work_files::FareTable table = e.fare.fareTable(Shibuya);
  EXPECT_FALSE(std::filesystem::exists(dir / "$FareTbl.kv4"));
  ASSERT_EQ(e.fare.buildFareTable(Shibuya), 0);
  const auto written = work_files::readFareTable(dir / "$FareTbl.kv4");
  ASSERT_TRUE(written);
  EXPECT_EQ(table.origin, written->origin);
  ASSERT_EQ(table.blocks.size(), written->blocks.size());
  for (std::size_t b = 0; b < table.blocks.size(); ++b) {
    const work_files::FareBlock& block = table.blocks[b];
    EXPECT_EQ(block.block, static_cast<int>(b));
    EXPECT_EQ(block.company, written->blocks[b].company);
    ASSERT_EQ(block.fares.size(), written->blocks[b].fares.size()) << "block " << b;
    for (std::size_t i = 0; i < block.fares.size(); ++i) {
      EXPECT_EQ(block.fares[i].station, written->blocks[b].fares[i].station);
      EXPECT_EQ(block.fares[i].fare, written->blocks[b].fares[i].fare);
    }
  }
  std::ifstream in(dir / "$FareTbl.kv4", std::ios::binary);
  EXPECT_EQ(work_files::fareTableText(table), std::string(std::istreambuf_iterator<char>(in), {}));
}

// A report line: the name padded to 24 Shift-JIS bytes (2 per kanji), the fare in 4 columns.
std::string row(const char* name, int sjisBytes, const char* fare) {
  return "    " + std::string(name) + std::string(static_cast<std::size_t>(24 - sjisBytes), ' ') + "  " +
         fare + "\r\n";
}

TEST(FareTableExport, ReportsAndCsvOfOneOrAllBlocks) {
  TempDir dir;
  writeWorld(dir.path(), {0, 60, 61, 62, 80, 90});
  DistFareEngine e(dir.path());
  ASSERT_EQ(e.fare.buildFareTable(Shibuya), 0);

  const std::string jr =
      "  渋谷 からの運賃(円)  ～ ＪＲ東日本 ～\r\n\r\n" + row("新宿", 4, " 150") + row("品川", 4, " 130");
  const std::string tokyu = "  渋谷 からの運賃(円)  ～ 東京急行電鉄 ～\r\n\r\n" + row("自由が丘", 8, " 160") +
                            row("田園調布", 8, " 210") + row("代官山", 6, " 120") + row("蒲田", 4, " 130") +
                            row("雪が谷", 6, " 130");
  ASSERT_EQ(e.fare.exportFareTable(dir / "all.txt", -1, false), 0);
  EXPECT_EQ(readUtf8(dir / "all.txt"), jr + "\r\n\r\n" + tokyu +
                                           "\r\n\r\n  渋谷 からの運賃(円)  ～ 営団地下鉄 ～\r\n\r\n"
                                           "\r\n\r\n  渋谷 からの運賃(円)  ～ 都営地下鉄 ～\r\n\r\n");
  ASSERT_EQ(e.fare.exportFareTable(dir / "one.txt", 1, false), 0);
  EXPECT_EQ(readUtf8(dir / "one.txt"), tokyu);

  ASSERT_EQ(e.fare.exportFareTable(dir / "all.csv", -1, true), 0);
  EXPECT_EQ(
      readUtf8(dir / "all.csv"),
      "From,会社,To,運賃\r\n渋谷,ＪＲ東日本,新宿,150\r\n渋谷,ＪＲ東日本,品川,130\r\n"
      "渋谷,東京急行電鉄,自由が丘,160\r\n渋谷,東京急行電鉄,田園調布,210\r\n渋谷,東京急行電鉄,代官山,120\r\n"
      "渋谷,東京急行電鉄,蒲田,130\r\n渋谷,東京急行電鉄,雪が谷,130\r\n");
  ASSERT_EQ(e.fare.exportFareTable(dir / "empty.csv", 2, true), 0);
  EXPECT_EQ(readUtf8(dir / "empty.csv"), "From,会社,To,運賃\r\n");
}

TEST(FareTableExport, ReadsLfLinesAndNeverCutsLongNamesOrFares) {
  TempDir dir;
  DistFareEngine e(dir.path());
  dir.writeText("$FareTbl.kv4", "0 O\n1 0 C\n2 0 ABCDEFGHIJKLMNOPQRSTUVWXYZ 12345\n2 0 X 7\n");
  ASSERT_EQ(e.fare.exportFareTable(dir / "out.txt", 0, false), 0);
  EXPECT_EQ(dir.readText("out.txt"), "  O " + *utf8ToSjis("からの運賃(円)  ～ C ～") +
                                         "\r\n\r\n    ABCDEFGHIJKLMNOPQRSTUVWXYZ  12345\r\n" +
                                         row("X", 1, "   7"));
}

TEST(FareTableExport, FailsWithoutTouchingFilesThatCannotBeOpened) {
  TempDir dir;
  DistFareEngine e(dir.path());
  EXPECT_EQ(e.fare.exportFareTable(dir / "out.txt", -1, false), -1);  // no table built yet
  EXPECT_FALSE(std::filesystem::exists(dir / "out.txt"));
  // A directory in the table's place opens but cannot be read: no table either.
  std::filesystem::create_directory(dir / "$FareTbl.kv4");
  EXPECT_EQ(e.fare.exportFareTable(dir / "out.txt", -1, false), -1);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.txt"));
  std::filesystem::remove(dir / "$FareTbl.kv4");
  dir.writeText("$FareTbl.kv4", "0 O\r\n");
  EXPECT_EQ(e.fare.exportFareTable(dir / "no" / "out.txt", -1, true), -1);
  DistFareEngine nowhere(dir / "missing");
  EXPECT_EQ(nowhere.fare.buildFareTable(1), -1);
}

}  // namespace
}  // namespace kiv
