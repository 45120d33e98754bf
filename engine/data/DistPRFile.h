// DistPR.kv4: the directed edges of the private railway distance networks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kiv {

// One private edge (9 bytes). Zone 1..9 names a surcharge zone; any other
// value means the edge lies in no zone.
struct DistPREdge {
  std::int16_t reserved = 0;  // first two bytes, not interpreted
  std::int16_t from = 0;
  std::int16_t to = 0;
  std::int16_t distance = 0;  // 100 m
  std::int8_t zone = 0;
  friend bool operator==(const DistPREdge&, const DistPREdge&) = default;
};

constexpr std::size_t kDistPREdgeSize = 9;

// Edge e (1-based in the file) is edges[e - 1].
struct DistPRFile {
  std::vector<DistPREdge> edges;
};

std::optional<DistPRFile> readDistPRFile(const std::filesystem::path& path);
// False when the file cannot be written or holds more edges than a 16-bit count can state.
bool writeDistPRFile(const std::filesystem::path& path, const DistPRFile& file);

}  // namespace kiv
