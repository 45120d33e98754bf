#include <gtest/gtest.h>

#include <filesystem>

#include "data/BinaryIO.h"
#include "text/Codec.h"

namespace kiv {
namespace {

TEST(Codec, RoundTripsKanjiAndKana) {
  const std::string utf8 = "東京 とうきょう 鴬谷 井野（群馬県）";
  auto sjis = utf8ToSjis(utf8);
  ASSERT_TRUE(sjis.has_value());
  EXPECT_EQ(*sjis, std::string("\x93\x8c\x8b\x9e", 4) + sjis->substr(4));
  EXPECT_EQ(sjisToUtf8(*sjis), utf8);
}

TEST(Codec, RejectsWhatHasNoCounterpart) {
  EXPECT_FALSE(utf8ToSjis("\xF0\x9F\x9A\x83").has_value());  // an emoji
  EXPECT_FALSE(sjisToUtf8("\x93").has_value());              // a lone lead byte
  EXPECT_EQ(sjisToUtf8Lossy(std::string("A\x93", 2)), "A\xEF\xBF\xBD");
}

TEST(ByteReader, NeverReadsPastTheEnd) {
  std::vector<std::uint8_t> bytes{0x01, 0x02, 0x03};
  ByteReader r(bytes);
  EXPECT_EQ(r.i16(), 0x0201);
  EXPECT_EQ(r.i32(), 0);
  EXPECT_FALSE(r.ok());
  EXPECT_EQ(r.remaining(), 0u);
  EXPECT_EQ(r.text(1), "");
}

TEST(ByteReader, FieldWithoutNulGivesTheWholeField) {
  ByteWriter w;
  w.text("abc", 2);  // cut so that the field keeps its NUL
  w.u8('x');
  w.u8('y');
  ByteReader r(w.data());
  EXPECT_EQ(r.text(2), "a");
  EXPECT_EQ(r.text(2), "xy");
}

TEST(ByteReader, CompleteRecordsIgnoresNegativeAndOverlongCounts) {
  std::vector<std::uint8_t> bytes(10);
  ByteReader r(bytes);
  EXPECT_EQ(r.completeRecords(-5, 4), 0u);
  EXPECT_EQ(r.completeRecords(100, 4), 2u);
  EXPECT_EQ(r.completeRecords(1, 4), 1u);
}

}  // namespace
}  // namespace kiv

namespace kiv {
namespace {

TEST(ReadWholeFile, DirectoryOrMissingFileIsNotAFile) {
  const auto dir = std::filesystem::temp_directory_path();
  EXPECT_FALSE(readWholeFile(dir).has_value());
  EXPECT_FALSE(readWholeFile(dir / "kiv-no-such-file.kv4").has_value());
}

}  // namespace
}  // namespace kiv
