// FAREF.KV4: special fixed fares between two stations of one network.
// FARER.KV4 (FareRFile.h) shares the record layout.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "data/RecordFormat.h"

namespace kiv {

// A station pair of one network with an amount in 10 yen; it applies to the
// journey between a and b in either direction.
struct FarePairRecord {
  std::int16_t network = 0;
  std::int16_t a = 0;
  std::int16_t b = 0;
  std::int16_t amount = 0;  // 10 yen
  friend bool operator==(const FarePairRecord&, const FarePairRecord&) = default;
};

constexpr std::size_t kFarePairRecordSize = 8;

// The amount is the fare between the two stations.
struct FareFFile {
  std::vector<FarePairRecord> records;
};

std::optional<FareFFile> readFareFFile(const std::filesystem::path& path);
// False when the file cannot be written or holds more records than a 16-bit count can state.
bool writeFareFFile(const std::filesystem::path& path, const FareFFile& file);

// The record layout the two station-pair files share.
inline constexpr auto kFarePairLayout = recordLayout<FarePairRecord>(
    &FarePairRecord::network, &FarePairRecord::a, &FarePairRecord::b, &FarePairRecord::amount);

}  // namespace kiv
