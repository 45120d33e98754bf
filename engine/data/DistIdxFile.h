// DistIdx.kv4: where the edges leaving each station of each network stand in
// DistJR.kv4 (network 0) or DistPR.kv4 (every other network).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kiv {

struct DistIdxEntry {
  std::int16_t network = 0;
  std::int16_t station = 0;
  std::int16_t first = 0;  // edge numbers, 1-based, inclusive
  std::int16_t last = 0;
  friend bool operator==(const DistIdxEntry&, const DistIdxEntry&) = default;
};

constexpr std::size_t kDistIdxEntrySize = 8;

struct DistIdxFile {
  std::vector<DistIdxEntry> entries;
};

std::optional<DistIdxFile> readDistIdxFile(const std::filesystem::path& path);
// False when the file cannot be written or holds more entries than a 16-bit count can state.
bool writeDistIdxFile(const std::filesystem::path& path, const DistIdxFile& file);

}  // namespace kiv
