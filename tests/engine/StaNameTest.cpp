#include <gtest/gtest.h>

#include <cstring>

#include "TempDir.h"
#include "data/BinaryIO.h"
#include "data/StaNameFile.h"
#include "network/RStaName.h"
#include "text/Codec.h"
#include "text/SjisText.h"

namespace kiv {
namespace {

std::string sj(const char* utf8) { return *utf8ToSjis(utf8); }

const char* const kTwelveKanji = "一二三四五六七八九十百千";  // 24 bytes in Shift-JIS

class StaNameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StaNameFile file;
    file.stations = {{sj("東京"), sj("とうきょう")},
                     {sj("新宿"), sj("しんじゅく")},
                     {sj("東京"), sj("ひがしきょう")},
                     {sj(kTwelveKanji), sj("あいうえおかきくけこさしすせそたちつてとなにぬね")},
                     {"", sj("から")}};
    ASSERT_TRUE(writeStaNameFile(dir / "StaName.kv4", file));
  }
  test::TempDir dir;
};

TEST_F(StaNameTest, FindsWholeKanjiNamesOnly) {
  RStaName names(dir.path());
  EXPECT_EQ(names.findByName(sj("新宿")), 2);
  EXPECT_EQ(names.findByName(sj("東京")), 1);  // the lower of two equal names
  EXPECT_EQ(names.findByName(sj("東")), -1);   // a prefix
  EXPECT_EQ(names.findByName(sj("東京京")), -1);
  EXPECT_EQ(names.findByName(sj("東京") + " "), -1);  // trailing blank
  EXPECT_EQ(names.findByName(sj("しんじゅく")), -1);  // kana names are not searched
  EXPECT_EQ(names.findByName(sj(kTwelveKanji)), 4);
  EXPECT_EQ(names.findByName(""), 5);  // only because station 5 has an empty name
}

TEST_F(StaNameTest, NumbersOutsideOneToNLeaveTheBufferAlone) {
  RStaName names(dir.path());
  ASSERT_EQ(names.getCount(), 5);
  char buf[kStationKanaSize];
  for (StationNo n : {StationNo{0}, StationNo{-1}, StationNo{6}}) {
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(names.checkNumber(n), -1);
    EXPECT_EQ(names.getName(n, buf), -1);
    EXPECT_EQ(names.getKana(n, buf), -1);
    EXPECT_EQ(buf[0], 'x');
  }
  ASSERT_EQ(names.getName(1, buf), 0);
  EXPECT_EQ(std::string(buf), sj("東京"));
  ASSERT_EQ(names.getName(5, buf), 0);
  EXPECT_EQ(std::string(buf), "");
}

TEST_F(StaNameTest, FullWidthNamesComeBackWholeInExactBuffers) {
  RStaName names(dir.path());
  char kanji[kStationNameSize + 1];
  char kana[kStationKanaSize + 1];
  kanji[kStationNameSize] = 'G';
  kana[kStationKanaSize] = 'G';
  ASSERT_EQ(names.getName(4, kanji), 0);
  ASSERT_EQ(names.getKana(4, kana), 0);
  EXPECT_EQ(std::string(kanji), sj(kTwelveKanji));
  EXPECT_EQ(std::strlen(kana), 48u);
  EXPECT_EQ(kanji[kStationNameSize], 'G');  // nothing written past the field size
  EXPECT_EQ(kana[kStationKanaSize], 'G');
}

TEST_F(StaNameTest, StationListHoldsKanjiNamesWithCrLf) {
  RStaName names(dir.path());
  names.writeStationList();
  EXPECT_EQ(dir.readText("$stalist.kv4"),
            sj("東京") + "\r\n" + sj("新宿") + "\r\n" + sj("東京") + "\r\n" + sj(kTwelveKanji) + "\r\n\r\n");
}

TEST(StaNameMissing, EmptyDirectoryStillWritesAnEmptyList) {
  test::TempDir dir;
  RStaName names(dir.path());
  EXPECT_EQ(names.getCount(), 0);
  EXPECT_EQ(names.checkNumber(1), -1);
  EXPECT_EQ(names.findByName(""), -1);
  dir.writeText("$stalist.kv4", "old contents");
  names.writeStationList();
  EXPECT_TRUE(std::filesystem::exists(dir / "$stalist.kv4"));
  EXPECT_EQ(dir.readText("$stalist.kv4"), "");
}

TEST(StaNameMalformed, KeepsOnlyCompleteRecordsAndFitsNamesWithoutNul) {
  test::TempDir dir;
  // Three stations claimed; the first kanji field has no NUL and starts with
  // a single-byte character, so cutting it at 24 bytes would split a kanji.
  ByteWriter w;
  w.i32(3);
  const std::string field = "A" + sj(kTwelveKanji);  // 25 bytes, no NUL
  for (char c : field) w.u8(static_cast<std::uint8_t>(c));
  w.text(sj("かな"), kStationKanaSize);
  w.text(sj("上野"), kStationNameSize);  // the second record is cut short
  ASSERT_TRUE(writeWholeFile(dir / "StaName.kv4", w.data()));

  RStaName names(dir.path());
  ASSERT_EQ(names.getCount(), 1);
  char buf[kStationNameSize + 1];
  buf[kStationNameSize] = 'G';
  ASSERT_EQ(names.getName(1, buf), 0);
  EXPECT_EQ(buf[kStationNameSize], 'G');
  EXPECT_EQ(std::string(buf), field.substr(0, 23));  // 'A' and eleven whole kanji
  EXPECT_EQ(names.findByName(sj("上野")), -1);

  w = ByteWriter();
  w.i32(-4);
  w.text(sj("上野"), kStationNameSize);
  w.text("", kStationKanaSize);
  ASSERT_TRUE(writeWholeFile(dir / "StaName.kv4", w.data()));
  EXPECT_EQ(RStaName(dir.path()).getCount(), 0);

  ASSERT_TRUE(writeWholeFile(dir / "StaName.kv4", {0x01, 0x00}));  // count cut short
  EXPECT_EQ(RStaName(dir.path()).getCount(), 0);
}

// Names without their NUL are fitted to their fields; the cut must know
// which bytes begin a double-byte character and which stand alone.
TEST(SjisFit, NeverSplitsADoubleByteCharacter) {
  // Lead bytes at the edges of their two ranges, after one single byte so
  // that the limit falls inside the character.
  for (const char* ch : {"\x81\x40", "\x9f\x40", "\xe0\x40", "\xfc\x4b"}) {
    EXPECT_EQ(fitSjisField(std::string("A") + ch, 3), "A") << std::hex << int(ch[0] & 0xff);
    EXPECT_EQ(fitSjisField(std::string("A") + ch + "B", 4), std::string("A") + ch);
  }
  // Half-width katakana and the bytes just outside the lead ranges stand alone.
  for (char c : {'\x80', '\xa0', '\xa1', '\xdf', '\xfd'}) {
    EXPECT_EQ(fitSjisField(std::string("A") + c + c, 3), std::string("A") + c) << std::hex << int(c & 0xff);
  }
  EXPECT_EQ(fitSjisField("AB", 1), "");
  EXPECT_EQ(fitSjisField("AB", 0), "");
}

}  // namespace
}  // namespace kiv
