#include <gtest/gtest.h>

#include "StoredBytes.h"
#include "TempDir.h"
#include "data/BinaryIO.h"
#include "data/StaAttrFile.h"
#include "data/StaFareFile.h"
#include "data/StaIdxFile.h"
#include "data/StaNameFile.h"
#include "data/TrainFile.h"
#include "data/TransferFile.h"

namespace kiv {
namespace {

std::vector<std::uint8_t> bytesOf(const std::filesystem::path& p) { return *readWholeFile(p); }

TEST(StationFormats, MissingFilesCannotBeRead) {
  test::TempDir dir;
  EXPECT_FALSE(readStaNameFile(dir / "StaName.kv4"));
  EXPECT_FALSE(readStaAttrFile(dir / "StaAttr.kv4"));
  EXPECT_FALSE(readStaIdxFile(dir / "StaIdx.kv4"));
  EXPECT_FALSE(readStaFareFile(dir / "StaFare.kv4"));
  EXPECT_FALSE(readTrainFile(dir / "Train.kv4"));
  EXPECT_FALSE(readTransferFile(dir / "Transfer.kv4"));
}

TEST(StationFormats, FixedRecordsHaveTheirStoredLayout) {
  test::TempDir dir;
  ASSERT_TRUE(writeStaNameFile(dir / "n", {{{"AB", "c"}, {"D", ""}}}));
  auto n = bytesOf(dir / "n");
  ASSERT_EQ(n.size(), 4u + 2 * 74);
  EXPECT_EQ(n[0], 2);
  EXPECT_EQ(n[4], 'A');
  EXPECT_EQ(n[4 + 25], 'c');
  EXPECT_EQ(n[4 + 74], 'D');

  ASSERT_TRUE(writeTrainFile(dir / "t", {{{"X", 0x0102}}}));
  auto t = bytesOf(dir / "t");
  ASSERT_EQ(t.size(), 2u + 35);
  EXPECT_EQ(t[2 + 33], 0x02);
  EXPECT_EQ(t[2 + 34], 0x01);

  ASSERT_TRUE(writeStaAttrFile(dir / "a", {{{0x1111, 0x0203, 0x44444444}}}));
  auto a = bytesOf(dir / "a");
  ASSERT_EQ(a.size(), 2u + 8);
  EXPECT_EQ(a[4], 0x03);
  EXPECT_EQ(a[5], 0x02);

  ASSERT_TRUE(writeStaIdxFile(dir / "i", {{{30, 5, 7}}}));
  EXPECT_EQ(bytesOf(dir / "i"), (std::vector<std::uint8_t>{1, 0, 30, 0, 5, 0, 7, 0}));

  TransferFile tr;
  tr.reserved = {1, 2, 3, 4, 5, 6, 7, 8};
  tr.records = {{1, 2, 3, 4}};
  ASSERT_TRUE(writeTransferFile(dir / "x", tr));
  EXPECT_EQ(bytesOf(dir / "x"),
            (std::vector<std::uint8_t>{1, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 1, 0, 2, 0, 3, 0, 4, 0}));

  ASSERT_TRUE(writeStaFareFile(dir / "f", {{{0, 20}, {}}}));
  EXPECT_EQ(bytesOf(dir / "f"), (std::vector<std::uint8_t>{2, 0, 0, 0, 2, 0, 0, 0, 20, 0, 0, 0}));
}

TEST(StationFormats, UninterpretedBytesRoundTrip) {
  test::TempDir dir;
  ByteWriter w;
  w.i16(2);
  for (std::uint8_t b = 1; b <= 16; ++b) w.u8(b);
  EXPECT_TRUE(test::readStoredBytes(dir, w.data(), readStaAttrFile, writeStaAttrFile));

  w = ByteWriter();
  w.i32(1);
  for (std::uint8_t b = 0xa0; b < 0xa8; ++b) w.u8(b);
  for (std::int16_t v : {5, 6, 7, 300}) w.i16(v);
  EXPECT_TRUE(test::readStoredBytes(dir, w.data(), readTransferFile, writeTransferFile));
}

TEST(StationFormats, FieldsWithoutNulGiveTheWholeField) {
  test::TempDir dir;
  ByteWriter w;
  w.i32(1);
  for (int i = 0; i < 74; ++i) w.u8('k');
  ASSERT_TRUE(writeWholeFile(dir / "StaName.kv4", w.data()));
  auto names = readStaNameFile(dir / "StaName.kv4");
  ASSERT_TRUE(names);
  ASSERT_EQ(names->stations.size(), 1u);
  EXPECT_EQ(names->stations[0].kanji, std::string(25, 'k'));
  EXPECT_EQ(names->stations[0].kana, std::string(49, 'k'));

  w = ByteWriter();
  w.i16(1);
  for (int i = 0; i < 33; ++i) w.u8('t');
  w.i16(7);
  ASSERT_TRUE(writeWholeFile(dir / "Train.kv4", w.data()));
  auto trains = readTrainFile(dir / "Train.kv4");
  ASSERT_TRUE(trains);
  ASSERT_EQ(trains->trains.size(), 1u);
  EXPECT_EQ(trains->trains[0].name, std::string(33, 't'));
  EXPECT_EQ(trains->trains[0].networkCode, 7);
}

TEST(StationFormats, WritersRefuseCountsTheirFieldCannotHold) {
  test::TempDir dir;
  TrainFile many;
  many.trains.resize(32768);
  EXPECT_FALSE(writeTrainFile(dir / "Train.kv4", many));
  StaFareFile longList;
  longList.stations.push_back(std::vector<NetworkCode>(32768));
  EXPECT_FALSE(writeStaFareFile(dir / "StaFare.kv4", longList));
}

}  // namespace
}  // namespace kiv
