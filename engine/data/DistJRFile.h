// DistJR.kv4: the directed edges of the JR distance network.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kiv {

// One JR edge (9 bytes). Line kind 1 = Yamanote zone, 2 = train-specific
// zone, 3 = trunk line, anything else = local line; the fare distance
// matters for local-line edges only.
struct DistJREdge {
  std::int16_t from = 0;
  std::int16_t to = 0;
  std::int16_t distance = 0;      // business distance, 100 m
  std::int16_t fareDistance = 0;  // 100 m
  std::int8_t kind = 0;
  friend bool operator==(const DistJREdge&, const DistJREdge&) = default;
};

constexpr std::size_t kDistJREdgeSize = 9;

// Edge e (1-based in the file) is edges[e - 1].
struct DistJRFile {
  std::vector<DistJREdge> edges;
};

std::optional<DistJRFile> readDistJRFile(const std::filesystem::path& path);
// False when the file cannot be written or holds more edges than a 16-bit count can state.
bool writeDistJRFile(const std::filesystem::path& path, const DistJRFile& file);

}  // namespace kiv
