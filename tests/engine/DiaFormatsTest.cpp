#include <gtest/gtest.h>

#include "StoredBytes.h"
#include "TempDir.h"
#include "data/BinaryIO.h"
#include "data/DiaIdx1File.h"
#include "data/DiaIdx2File.h"
#include "data/Diagram2File.h"

namespace kiv {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Diagram2File, ReadsTheStoredLayoutAndWritesItBackByteForByte) {
  test::TempDir dir;
  // Count 1, eight uninterpreted header bytes, one 20-byte record whose
  // fields all differ, with a negative list order, day bit 7 and hour bits
  // above 23 set.
  const Bytes bytes{1,    0,    0,    0,    0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8,  //
                    0x07, 0x01, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00, 0x05, 0x00, 0x06, 0x00,
                    0x0F, 0x00, 0xFE, 0x81, 0xC1, 0x01, 0x00, 0xFF};
  const auto file = test::readStoredBytes(dir, bytes, readDiagram2File, writeDiagram2File);
  ASSERT_TRUE(file.has_value());
  ASSERT_EQ(file->records.size(), 1u);
  const auto& r = file->records[0];
  EXPECT_EQ(r.train, 0x0107);
  EXPECT_EQ(r.station, 2);
  EXPECT_EQ(r.nextStation, 3);
  EXPECT_EQ(r.terminal, 4);
  EXPECT_EQ(r.minute, 5);
  EXPECT_EQ(r.rideMinutes, 6);
  EXPECT_EQ(r.interval, 15);
  EXPECT_EQ(r.listOrder, -2);
  EXPECT_EQ(r.days, 0x81);
  EXPECT_EQ(r.hours, 0xFF0001C1u);
}

TEST(DiaIdxFiles, ReadThePackedLayoutsAndRoundTrip) {
  test::TempDir dir;
  // An 18-byte station record: the 16-bit station number puts the four
  // 32-bit spans at odd 2-byte offsets.
  const Bytes idx1{1, 0, 0, 0, 9, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F};
  const auto stations = test::readStoredBytes(dir, idx1, readDiaIdx1File, writeDiaIdx1File);
  ASSERT_TRUE(stations.has_value());
  ASSERT_EQ(stations->records.size(), 1u);
  EXPECT_EQ(stations->records[0], (DiaStationRecord{9, 1, 2, 3, 0x7FFFFFFF}));

  // A 12-byte link record: from, to, then the 32-bit departure span.
  const Bytes idx2{1, 0, 0, 0, 0x02, 0x01, 0x03, 0x00, 0x04, 0x03, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0xFF};
  const auto raw = test::readStoredBytes(dir, idx2, readDiaIdx2File, writeDiaIdx2File);
  ASSERT_TRUE(raw.has_value());
  ASSERT_EQ(raw->records.size(), 1u);
  EXPECT_EQ(raw->records[0], (DiaLinkRecord{0x0102, 3, 0x01020304, -2}));

  const DiaIdx2File links{{{1, 2, 1, 3}, {1, -5, 4, 0}}};
  ASSERT_TRUE(writeDiaIdx2File(dir / "DiaIdx2.kv4", links));
  EXPECT_EQ(readWholeFile(dir / "DiaIdx2.kv4")->size(), 4u + 2 * 12);
  auto back = readDiaIdx2File(dir / "DiaIdx2.kv4");
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->records, links.records);
}

TEST(DiaFiles, KeepOnlyCompleteRecordsOfShortOrMiscountedFiles) {
  test::TempDir dir;
  EXPECT_FALSE(readDiagram2File(dir / "none.kv4").has_value());
  EXPECT_FALSE(readDiaIdx1File(dir / "none.kv4").has_value());
  EXPECT_FALSE(readDiaIdx2File(dir / "none.kv4").has_value());

  // Count 3 with two and a half records present.
  ByteWriter w;
  w.i32(3);
  w.zeros(kDiagram2HeaderExtra + 2 * kDiaDepartureRecordSize + 7);
  ASSERT_TRUE(writeWholeFile(dir / "short.kv4", w.data()));
  EXPECT_EQ(readDiagram2File(dir / "short.kv4")->records.size(), 2u);

  // A file that ends inside the header has no records.
  ASSERT_TRUE(writeWholeFile(dir / "header.kv4", Bytes{1, 0, 0, 0, 1, 2}));
  EXPECT_TRUE(readDiagram2File(dir / "header.kv4")->records.empty());

  // A negative count reads nothing, however many bytes follow.
  ByteWriter n;
  n.i32(-1);
  n.zeros(4 * kDiaStationRecordSize);
  ASSERT_TRUE(writeWholeFile(dir / "neg.kv4", n.data()));
  EXPECT_TRUE(readDiaIdx1File(dir / "neg.kv4")->records.empty());
  EXPECT_TRUE(readDiaIdx2File(dir / "neg.kv4")->records.empty());
}

}  // namespace
}  // namespace kiv
