// StaAttr.kv4: the station entries of every network, one network's entries
// after the other, each network in the order of its positions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "Types.h"

namespace kiv {

constexpr std::size_t kStationEntrySize = 8;

struct StaAttrEntry {
  std::int16_t reserved0 = 0;  // bytes 0-1, not used by the engine
  StationNo station = 0;
  std::uint32_t reserved4 = 0;  // bytes 4-7, not used by the engine
  friend bool operator==(const StaAttrEntry&, const StaAttrEntry&) = default;
};

struct StaAttrFile {
  std::vector<StaAttrEntry> entries;  // entry number 1 first
};

std::optional<StaAttrFile> readStaAttrFile(const std::filesystem::path& path);
bool writeStaAttrFile(const std::filesystem::path& path, const StaAttrFile& file);

}  // namespace kiv
