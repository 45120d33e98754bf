#include <gtest/gtest.h>

#include <cstring>

#include "TempDir.h"
#include "data/BinaryIO.h"
#include "data/TrainFile.h"
#include "data/TransferFile.h"
#include "network/RTrainMan.h"
#include "text/Codec.h"
#include "timetable/RCnctMan.h"

namespace kiv {
namespace {

// Trains 1 and 2 belong to company 1, train 3 to company 2, train 4 is a
// walking link (company 90).
class CnctManTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TrainFile trainFile;
    trainFile.trains = {{"A", 10}, {"B", 11}, {"C", 20}, {*utf8ToSjis("徒歩"), 900}};
    ASSERT_TRUE(writeTrainFile(dir / "Train.kv4", trainFile));
  }
  void writeTransfers(std::vector<TransferRecord> records) {
    TransferFile file;
    file.records = std::move(records);
    ASSERT_TRUE(writeTransferFile(dir / "Transfer.kv4", file));
  }
  TimeOfDay board(const RCnctMan& cnct, StationNo s, TrainNo a, TrainNo b, int hour, int minute) {
    TimeOfDay out{-1, -1};
    EXPECT_EQ(cnct.getBoardingTime(
                  s, a, b, TimeOfDay{static_cast<std::int8_t>(hour), static_cast<std::int8_t>(minute)}, out),
              0);
    return out;
  }
  test::TempDir dir;
};

TEST_F(CnctManTest, FallbackMinutesWithoutRecords) {
  RTrainMan trains(dir.path());
  RCnctMan cnct(dir.path(), trains);
  EXPECT_EQ(cnct.getTransferCount(), 0);
  EXPECT_EQ(board(cnct, 7, 1, 1, 10, 30), (TimeOfDay{10, 30}));  // same train
  EXPECT_EQ(board(cnct, 7, 1, 2, 10, 59), (TimeOfDay{11, 0}));   // same company
  EXPECT_EQ(board(cnct, 7, 1, 3, 10, 58), (TimeOfDay{11, 3}));   // other company
  EXPECT_EQ(board(cnct, 7, 4, 1, 10, 0), (TimeOfDay{10, 5}));    // walking is a company of its own
  EXPECT_EQ(board(cnct, 7, 2, 3, 23, 58), (TimeOfDay{24, 3}));   // not wrapped at midnight
  int hour = 0;
  int minute = 0;
  cnct.getBoardingTime(7, 3, 1, 23, 58, hour, minute);
  EXPECT_EQ(hour, 24);
  EXPECT_EQ(minute, 3);
}

TEST_F(CnctManTest, RecordsServeBothDirectionsAtTheirStationOnly) {
  writeTransfers({{7, 1, 3, 3}, {8, 1, 2, 9}, {8, 2, 1, 2}, {9, 1, 3, 0}, {9, 1, 1, 4}});
  RTrainMan trains(dir.path());
  RCnctMan cnct(dir.path(), trains);
  ASSERT_EQ(cnct.getTransferCount(), 5);
  EXPECT_EQ(board(cnct, 7, 1, 3, 10, 0), (TimeOfDay{10, 3}));
  EXPECT_EQ(board(cnct, 7, 3, 1, 10, 0), (TimeOfDay{10, 3}));
  EXPECT_EQ(board(cnct, 6, 1, 3, 10, 0), (TimeOfDay{10, 5}));  // other station: fallback
  EXPECT_EQ(board(cnct, 7, 2, 3, 10, 0), (TimeOfDay{10, 5}));  // other pair: fallback
  // The first record of the pair wins in both directions.
  EXPECT_EQ(board(cnct, 8, 1, 2, 10, 0), (TimeOfDay{10, 9}));
  EXPECT_EQ(board(cnct, 8, 2, 1, 10, 0), (TimeOfDay{10, 9}));
  // Records override the fallback also with fewer minutes, with none, and
  // for staying on the same train.
  EXPECT_EQ(board(cnct, 9, 3, 1, 10, 0), (TimeOfDay{10, 0}));
  EXPECT_EQ(board(cnct, 9, 1, 1, 10, 58), (TimeOfDay{11, 2}));
}

TEST_F(CnctManTest, OnlyTheLowByteOfTheMinutesCounts) {
  writeTransfers({{7, 1, 3, 0x0103}, {7, 1, 2, 0x00ff}});
  RTrainMan trains(dir.path());
  RCnctMan cnct(dir.path(), trains);
  EXPECT_EQ(board(cnct, 7, 1, 3, 10, 0), (TimeOfDay{10, 3}));
  // A negative low byte would board before arriving: it counts as no wait.
  EXPECT_EQ(board(cnct, 7, 2, 1, 10, 0), (TimeOfDay{10, 0}));
  TransferRecord r;
  ASSERT_EQ(cnct.getTransferRecord(0, r), 0);
  EXPECT_EQ(r.minutes, 0x0103);  // the browser sees the whole field
}

TEST_F(CnctManTest, RecordsAreCopiedAsStored) {
  writeTransfers({{7, 1, 3, 3}, {-2, 300, 4, 127}});
  RTrainMan trains(dir.path());
  RCnctMan cnct(dir.path(), trains);
  char buf[kTransferRecordSize];
  ASSERT_EQ(cnct.getTransferRecord(1, buf), 0);
  const unsigned char expected[] = {0xfe, 0xff, 0x2c, 0x01, 0x04, 0x00, 0x7f, 0x00};
  EXPECT_EQ(std::memcmp(buf, expected, sizeof expected), 0);
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(cnct.checkIndex(-1), -1);
  EXPECT_EQ(cnct.checkIndex(2), -1);
  EXPECT_EQ(cnct.checkIndex(1), 0);
  EXPECT_EQ(cnct.getTransferRecord(2, buf), -1);
  EXPECT_EQ(cnct.getTransferRecord(-1, buf), -1);
  EXPECT_EQ(buf[0], 'x');
}

TEST_F(CnctManTest, MalformedFilesGiveCompleteRecordsOnly) {
  RTrainMan trains(dir.path());
  ByteWriter w;
  w.i32(3);
  w.zeros(8);
  for (std::int16_t v : {7, 1, 3, 3, 8, 1}) w.i16(v);  // the second record is cut short
  ASSERT_TRUE(writeWholeFile(dir / "Transfer.kv4", w.data()));
  EXPECT_EQ(RCnctMan(dir.path(), trains).getTransferCount(), 1);

  w = ByteWriter();
  w.i32(-1);
  w.zeros(16);
  ASSERT_TRUE(writeWholeFile(dir / "Transfer.kv4", w.data()));
  EXPECT_EQ(RCnctMan(dir.path(), trains).getTransferCount(), 0);

  ASSERT_TRUE(writeWholeFile(dir / "Transfer.kv4", {1, 0, 0, 0, 0}));  // header cut short
  RCnctMan shortHeader(dir.path(), trains);
  EXPECT_EQ(shortHeader.getTransferCount(), 0);
  EXPECT_EQ(board(shortHeader, 7, 1, 2, 10, 0), (TimeOfDay{10, 1}));
}

}  // namespace
}  // namespace kiv
