// StaIdx.kv4: for each network, the range of its station entries in
// StaAttr.kv4 (entry numbers are 1-based).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "Types.h"

namespace kiv {

constexpr std::size_t kNetworkRecordSize = 6;

struct StaIdxRecord {
  NetworkCode code = 0;
  std::int16_t first = 0;  // entry number of the network's first station
  std::int16_t last = 0;   // entry number of its last station
  friend bool operator==(const StaIdxRecord&, const StaIdxRecord&) = default;
};

struct StaIdxFile {
  std::vector<StaIdxRecord> networks;
};

std::optional<StaIdxFile> readStaIdxFile(const std::filesystem::path& path);
bool writeStaIdxFile(const std::filesystem::path& path, const StaIdxFile& file);

}  // namespace kiv
