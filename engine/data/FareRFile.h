// FARER.KV4: fare reductions between two stations of one network. Same
// layout as FAREF.KV4.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "data/FareFFile.h"

namespace kiv {

// The amount (10 yen) is taken off the distance-based fare.
struct FareRFile {
  std::vector<FarePairRecord> records;
};

std::optional<FareRFile> readFareRFile(const std::filesystem::path& path);
// False when the file cannot be written or holds more records than a 16-bit count can state.
bool writeFareRFile(const std::filesystem::path& path, const FareRFile& file);

}  // namespace kiv
