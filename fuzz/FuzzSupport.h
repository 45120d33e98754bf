// Helpers of the fuzz targets: a scratch data directory of the process (in
// memory where the machine has /dev/shm) and the fuzzer's bytes as files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

namespace kiv::fuzz {

// A fresh empty directory for this process, the same on every call.
const std::filesystem::path& scratchDir();

// Empties the scratch directory (keeps the directory itself).
void clearScratchDir();

// Writes the bytes as the file `name` of the scratch directory.
void writeScratchFile(std::string_view name, std::span<const std::uint8_t> bytes);

// Copies every data file of the base data set (fuzz/base: six stations on a
// JR and a private line, trains both ways, a walk, special fares and a
// reduction; small, so that the targets run fast) into `dir`.
void copyBaseData(const std::filesystem::path& dir);

// Cuts the input into pieces: each piece is a 16-bit little-endian length
// and that many bytes (fewer at the end of the input).
class Pieces {
 public:
  Pieces(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::span<const std::uint8_t> next();

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace kiv::fuzz
