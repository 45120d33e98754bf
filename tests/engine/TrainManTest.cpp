#include <gtest/gtest.h>

#include <cstring>

#include "TempDir.h"
#include "data/BinaryIO.h"
#include "data/TrainFile.h"
#include "network/RTrainMan.h"
#include "text/Codec.h"

namespace kiv {
namespace {

std::string sj(const char* utf8) { return *utf8ToSjis(utf8); }

const char* const kSixteenKanji = "一二三四五六七八九十百千万億兆京";  // 32 bytes

// Company 0 (JR) has trains 1 and 5, company 13 trains 4, 6 and 7, company 90
// (walking) trains 2 and 3. Company 5 has none.
class TrainManTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TrainFile file;
    file.trains = {{sj("山手線"), 0}, {sj("徒歩"), 900},     {sj("徒歩連絡"), 900},   {sj("東横線"), 130},
                   {sj("中央線"), 0}, {sj("連絡徒歩"), 130}, {sj(kSixteenKanji), 131}};
    ASSERT_TRUE(writeTrainFile(dir / "Train.kv4", file));
  }
  test::TempDir dir;
};

// Modes other than 0, 1 and 2 are refused and leave the flag as it was.
template <typename Set, typename Get>
void expectOtherModesRefused(Set set, Get get) {
  const int before = get();
  EXPECT_EQ(set(3), -1);
  EXPECT_EQ(set(-1), -1);
  EXPECT_EQ(get(), before);
}

TEST_F(TrainManTest, OnlyTrainsOneToTAreValid) {
  RTrainMan trains(dir.path());
  ASSERT_EQ(trains.getTrainCount(), 7);
  char buf[kTrainNameSize];
  std::int16_t company = 77;
  NetworkCode code = 77;
  for (TrainNo t : {TrainNo{0}, TrainNo{-1}, TrainNo{8}}) {
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(trains.checkTrain(t), -1);
    EXPECT_EQ(trains.getTrainName(t, buf), -1);
    EXPECT_EQ(trains.getTrainRecord(t, buf), -1);
    EXPECT_EQ(buf[0], 'x');
    EXPECT_EQ(trains.getCompany(t, company), -1);
    EXPECT_EQ(trains.getNetworkCode(t, code), -1);
    EXPECT_EQ(trains.isWalking(t), -1);
    EXPECT_EQ(trains.getTrainUse(t), -1);
    EXPECT_EQ(trains.setTrainUse(t, 0), -1);
  }
  EXPECT_EQ(company, 77);
  EXPECT_EQ(code, 77);
  EXPECT_EQ(trains.checkTrain(1), 0);
  EXPECT_EQ(trains.checkTrain(7), 0);
}

TEST_F(TrainManTest, GivesNamesCodesAndRecords) {
  RTrainMan trains(dir.path());
  char name[kTrainNameSize + 1];
  name[kTrainNameSize] = 'G';
  ASSERT_EQ(trains.getTrainName(7, name), 0);
  EXPECT_EQ(std::string(name), sj(kSixteenKanji));  // 32 bytes, whole
  EXPECT_EQ(name[kTrainNameSize], 'G');

  std::int16_t company = -1;
  NetworkCode code = -1;
  ASSERT_EQ(trains.getCompany(7, company), 0);
  ASSERT_EQ(trains.getNetworkCode(7, code), 0);
  EXPECT_EQ(company, 13);
  EXPECT_EQ(code, 131);

  char record[kTrainRecordSize];
  ASSERT_EQ(trains.getTrainRecord(4, record), 0);
  const std::string tokyu = sj("東横線");
  EXPECT_EQ(std::string(record, tokyu.size()), tokyu);
  EXPECT_EQ(record[tokyu.size()], '\0');
  EXPECT_EQ(static_cast<std::uint8_t>(record[33]), 130);  // code, little-endian, at offset 33
  EXPECT_EQ(record[34], 0);
}

TEST_F(TrainManTest, WalkingMeansTheNameStartsWithToho) {
  RTrainMan trains(dir.path());
  EXPECT_EQ(trains.isWalking(2), 1);  // exactly "徒歩"
  EXPECT_EQ(trains.isWalking(3), 1);  // begins with it
  EXPECT_EQ(trains.isWalking(6), 0);  // has it elsewhere
  EXPECT_EQ(trains.isWalking(1), 0);
}

TEST_F(TrainManTest, SingleTrainUse) {
  RTrainMan trains(dir.path());
  for (TrainNo t = 1; t <= 7; ++t) EXPECT_EQ(trains.getTrainUse(t), 1);
  EXPECT_EQ(trains.setTrainUse(3, 2), 0);
  EXPECT_EQ(trains.getTrainUse(3), 0);
  EXPECT_EQ(trains.setTrainUse(3, 2), 0);
  EXPECT_EQ(trains.getTrainUse(3), 1);
  EXPECT_EQ(trains.setTrainUse(3, 0), 0);
  EXPECT_EQ(trains.setTrainUse(3, 0), 0);
  EXPECT_EQ(trains.getTrainUse(3), 0);
  expectOtherModesRefused([&](int mode) { return trains.setTrainUse(3, mode); },
                          [&] { return trains.getTrainUse(3); });
}

TEST_F(TrainManTest, CompanyToggleGoesAllOffThenAllOn) {
  RTrainMan trains(dir.path());
  EXPECT_EQ(trains.getCompanyUse(0), 1);
  EXPECT_EQ(trains.setCompanyUse(0, 2), 0);
  EXPECT_EQ(trains.getCompanyUse(0), 0);
  EXPECT_EQ(trains.getTrainUse(1), 0);
  EXPECT_EQ(trains.getTrainUse(5), 0);
  EXPECT_EQ(trains.getTrainUse(4), 1);  // other companies keep their flags
  EXPECT_EQ(trains.getCompanyUse(13), 1);
  EXPECT_EQ(trains.setCompanyUse(0, 2), 0);
  EXPECT_EQ(trains.getCompanyUse(0), 1);

  // Mixed: one train of company 13 off, then the toggle turns all of them on.
  ASSERT_EQ(trains.setTrainUse(6, 0), 0);
  EXPECT_EQ(trains.getCompanyUse(13), 2);
  EXPECT_EQ(trains.setCompanyUse(13, 2), 0);
  EXPECT_EQ(trains.getCompanyUse(13), 1);
  EXPECT_EQ(trains.getTrainUse(6), 1);

  EXPECT_EQ(trains.setCompanyUse(13, 0), 0);
  EXPECT_EQ(trains.getCompanyUse(13), 0);
  expectOtherModesRefused([&](int mode) { return trains.setCompanyUse(13, mode); },
                          [&] { return trains.getCompanyUse(13); });
}

TEST_F(TrainManTest, CompanyWithoutTrains) {
  RTrainMan trains(dir.path());
  EXPECT_EQ(trains.getCompanyUse(5), -1);
  EXPECT_EQ(trains.setCompanyUse(5, 2), 0);
  for (TrainNo t = 1; t <= 7; ++t) EXPECT_EQ(trains.getTrainUse(t), 1);
  std::int32_t first = 0;
  std::int32_t last = 0;
  EXPECT_EQ(trains.findCompanyTrains(5, first, last), 0);
  EXPECT_EQ(first, -1);
  EXPECT_EQ(last, -1);
}

TEST_F(TrainManTest, CompanyTrainsNeedNotBeContiguous) {
  RTrainMan trains(dir.path());
  std::int32_t first = 0;
  std::int32_t last = 0;
  trains.findCompanyTrains(0, first, last);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(last, 5);
  trains.findCompanyTrains(13, first, last);
  EXPECT_EQ(first, 4);
  EXPECT_EQ(last, 7);
  trains.findCompanyTrains(90, first, last);
  EXPECT_EQ(first, 2);
  EXPECT_EQ(last, 3);
}

TEST(TrainManMissing, EveryOperationFails) {
  test::TempDir dir;
  RTrainMan trains(dir.path());
  EXPECT_EQ(trains.getTrainCount(), 0);
  EXPECT_EQ(trains.checkTrain(1), -1);
  EXPECT_EQ(trains.getTrainUse(1), -1);
  EXPECT_EQ(trains.getCompanyUse(0), -1);
  std::int32_t first = 0;
  std::int32_t last = 0;
  EXPECT_EQ(trains.findCompanyTrains(0, first, last), 0);
  EXPECT_EQ(first, -1);
  EXPECT_EQ(last, -1);
}

TEST(TrainManMalformed, NameWithoutNulAndShortFile) {
  test::TempDir dir;
  ByteWriter w;
  w.i16(5);
  const std::string field = sj(kSixteenKanji) + "Z";  // 33 bytes, no NUL
  for (char c : field) w.u8(static_cast<std::uint8_t>(c));
  w.i16(20);
  w.text("x", kTrainNameSize);  // the second record lacks its code
  ASSERT_TRUE(writeWholeFile(dir / "Train.kv4", w.data()));

  RTrainMan trains(dir.path());
  ASSERT_EQ(trains.getTrainCount(), 1);
  char name[kTrainNameSize + 1];
  name[kTrainNameSize] = 'G';
  ASSERT_EQ(trains.getTrainName(1, name), 0);
  EXPECT_EQ(std::string(name), sj(kSixteenKanji));
  EXPECT_EQ(name[kTrainNameSize], 'G');
  std::int16_t company = 0;
  trains.getCompany(1, company);
  EXPECT_EQ(company, 2);

  // A negative count loads no train, even with a whole record after it.
  w = ByteWriter();
  w.i16(-1);
  w.text("x", kTrainNameSize);
  w.i16(20);
  ASSERT_TRUE(writeWholeFile(dir / "Train.kv4", w.data()));
  EXPECT_EQ(RTrainMan(dir.path()).getTrainCount(), 0);
}

}  // namespace
}  // namespace kiv
