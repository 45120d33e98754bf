// The generic reader and writer of the binary data files, on a record that
// has every kind of field the formats use.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "TempDir.h"
#include "data/RecordFormat.h"

namespace kiv {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct SampleRecord {
  std::int8_t tiny = 0;
  std::uint8_t mask = 0;
  std::int16_t small = 0;
  std::string name;
  std::int32_t big = 0;
  std::uint32_t bits = 0;
  std::array<std::uint8_t, 3> raw{};
  friend bool operator==(const SampleRecord&, const SampleRecord&) = default;
};

struct SampleFile {
  std::array<std::uint8_t, 2> header{};
  std::vector<SampleRecord> records;
};

constexpr auto kSampleLayout =
    recordLayout<SampleRecord>(&SampleRecord::tiny, &SampleRecord::mask, &SampleRecord::small,
                               TextField<SampleRecord>{&SampleRecord::name, 4}, &SampleRecord::big,
                               &SampleRecord::bits, &SampleRecord::raw);
constexpr auto kShortCounted = recordFileFormat<std::int16_t>(&SampleFile::records, 19, kSampleLayout);
constexpr auto kLongCountedWithHeader =
    recordFileFormat<std::int32_t>(&SampleFile::records, 19, kSampleLayout, &SampleFile::header);
constexpr auto kUncounted = recordFileFormat<NoCount>(&SampleFile::records, 19, kSampleLayout);

// One record: every field differs, signed fields are negative, the text
// fills its field but for the NUL.
const Bytes kRecord{0xFE, 0x81, 0xFD, 0xFF, 'a',  'b',  'c',  0,    0x04, 0x03,
                    0x02, 0x81, 0x01, 0x00, 0x00, 0x80, 0x07, 0x08, 0x09};
const SampleRecord kRead{-2, 0x81, -3, "abc", static_cast<std::int32_t>(0x81020304), 0x80000001u, {7, 8, 9}};

Bytes join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST(RecordFormat, FieldsAreStoredInTheirOrderAndWidthLittleEndian) {
  test::TempDir dir;
  const Bytes stored = join({{2, 0, 0, 0, 0xAA, 0xBB}, kRecord, kRecord});
  ASSERT_TRUE(writeWholeFile(dir / "in", stored));
  const auto file = kLongCountedWithHeader.read(dir / "in");
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(file->header, (std::array<std::uint8_t, 2>{0xAA, 0xBB}));
  EXPECT_EQ(file->records, (std::vector<SampleRecord>{kRead, kRead}));

  ASSERT_TRUE(kLongCountedWithHeader.write(dir / "out", *file));
  EXPECT_EQ(readWholeFile(dir / "out"), stored);

  // A text longer than its field is cut to leave the NUL.
  SampleFile longName{{}, {kRead}};
  longName.records[0].name = "abcdef";
  ASSERT_TRUE(kShortCounted.write(dir / "short", longName));
  EXPECT_EQ(readWholeFile(dir / "short"), join({{1, 0}, kRecord}));
}

TEST(RecordFormat, ReadsOnlyTheCompleteRecordsTheCountAllows) {
  test::TempDir dir;
  const auto countOf = [&](const auto& format, const Bytes& bytes) {
    EXPECT_TRUE(writeWholeFile(dir / "f", bytes));
    return format.read(dir / "f")->records.size();
  };
  const Bytes half(kRecord.begin(), kRecord.begin() + 7);
  EXPECT_EQ(countOf(kShortCounted, join({{3, 0}, kRecord, kRecord, half})), 2u);  // cut short
  EXPECT_EQ(countOf(kShortCounted, join({{1, 0}, kRecord, kRecord})), 1u);        // count below the records
  EXPECT_EQ(countOf(kShortCounted, join({{0xFF, 0xFF}, kRecord})), 0u);           // negative count
  EXPECT_EQ(countOf(kShortCounted, Bytes{1}), 0u);                                // inside the count
  EXPECT_EQ(countOf(kLongCountedWithHeader, Bytes{1, 0, 0, 0, 0xAA}), 0u);        // inside the header
  EXPECT_EQ(countOf(kUncounted, join({kRecord, kRecord, half})), 2u);             // up to the end of the file
  EXPECT_FALSE(kShortCounted.read(dir / "missing").has_value());
}

// The whole file in one read of its size; a file whose size is not known
// beforehand (a kernel file reports none) is read on to its end.
TEST(RecordFormat, WholeFilesAreReadToTheirEnd) {
  test::TempDir dir;
  Bytes big(200001);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  ASSERT_TRUE(writeWholeFile(dir / "big", big));
  EXPECT_EQ(readWholeFile(dir / "big"), big);
  ASSERT_TRUE(writeWholeFile(dir / "empty", {}));
  EXPECT_EQ(readWholeFile(dir / "empty"), Bytes{});
  const auto status = readWholeFile("/proc/self/status");
  ASSERT_TRUE(status.has_value());
  EXPECT_NE(std::string(status->begin(), status->end()).find("Name:"), std::string::npos);
}

TEST(RecordFormat, WriterRefusesMoreRecordsThanTheCountCanState) {
  test::TempDir dir;
  SampleFile file;
  file.records.resize(32767);
  EXPECT_TRUE(kShortCounted.write(dir / "max", file));
  EXPECT_EQ(readWholeFile(dir / "max")->size(), 2u + 32767 * kSampleLayout.size());
  file.records.resize(32768);
  EXPECT_FALSE(kShortCounted.write(dir / "over", file));
  EXPECT_FALSE(std::filesystem::exists(dir / "over"));
  EXPECT_TRUE(kLongCountedWithHeader.write(dir / "long", file));
  EXPECT_TRUE(kUncounted.write(dir / "none", file));
  EXPECT_EQ(readWholeFile(dir / "none")->size(), 32768 * kSampleLayout.size());
}

}  // namespace
}  // namespace kiv
