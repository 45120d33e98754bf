// Reading a file of one of the formats from bytes as they are stored, and
// checking that its writer stores what was read as the very same bytes; and
// the other way round, a file written and read back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "TempDir.h"
#include "data/BinaryIO.h"

namespace kiv::test {

// The file of `bytes` read through `read`, nullopt when it cannot be read.
// What was read is written again through `write`, and a failure is recorded
// unless that gives `bytes` back.
template <typename File>
std::optional<File> readStoredBytes(const TempDir& dir, const std::vector<std::uint8_t>& bytes,
                                    std::optional<File> (*read)(const std::filesystem::path&),
                                    bool (*write)(const std::filesystem::path&, const File&)) {
  const std::filesystem::path stored = dir / "stored.kv4";
  const std::filesystem::path rewritten = dir / "rewritten.kv4";
  EXPECT_TRUE(writeWholeFile(stored, bytes));
  std::optional<File> file = read(stored);
  if (!file) return file;
  EXPECT_TRUE(write(rewritten, *file));
  EXPECT_EQ(readWholeFile(rewritten), bytes) << "written back differently";
  return file;
}

// `file` written to `path` through `write` and read back through `read` (an
// empty file of the format when that fails); a failure is recorded unless the
// stored file has `size` bytes.
template <typename File>
File writtenAndReadBack(const std::filesystem::path& path, const File& file, std::size_t size,
                        bool (*write)(const std::filesystem::path&, const File&),
                        std::optional<File> (*read)(const std::filesystem::path&)) {
  EXPECT_TRUE(write(path, file)) << path;
  const auto bytes = readWholeFile(path);
  EXPECT_EQ(bytes ? bytes->size() : 0u, size) << path;
  return read(path).value_or(File{});
}

}  // namespace kiv::test
