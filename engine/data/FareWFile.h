// FAREW.KV4: pairs of stations that count as one place when changing
// between networks (linked both ways, at no distance).
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kiv {

struct FareWRecord {
  std::int16_t reserved0 = 0;  // not interpreted
  std::int16_t a = 0;
  std::int16_t b = 0;
  std::int16_t reserved6 = 0;  // not interpreted
  friend bool operator==(const FareWRecord&, const FareWRecord&) = default;
};

constexpr std::size_t kFareWRecordSize = 8;

struct FareWFile {
  std::vector<FareWRecord> records;
};

std::optional<FareWFile> readFareWFile(const std::filesystem::path& path);
// False when the file cannot be written or holds more records than a 16-bit count can state.
bool writeFareWFile(const std::filesystem::path& path, const FareWFile& file);

}  // namespace kiv
