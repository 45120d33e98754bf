// FAREIDX.KV4: one 8-byte record per station, in station-number order, with no
// header; the station count comes from StaName.kv4. The content is carried
// along but not interpreted.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kiv {

constexpr std::size_t kFareIdxRecordSize = 8;

struct FareIdxRecord {
  std::array<std::uint8_t, kFareIdxRecordSize> bytes{};
  friend bool operator==(const FareIdxRecord&, const FareIdxRecord&) = default;
};

// The record of station k is records[k - 1]. A trailing partial record is dropped.
struct FareIdxFile {
  std::vector<FareIdxRecord> records;
};

std::optional<FareIdxFile> readFareIdxFile(const std::filesystem::path& path);
bool writeFareIdxFile(const std::filesystem::path& path, const FareIdxFile& file);

}  // namespace kiv
