// Reading a file of one of the formats from bytes as they are stored, and
// checking that its writer stores what was read as the very same bytes.
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

}  // namespace kiv::test
