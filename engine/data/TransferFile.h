// Transfer.kv4: transfer minutes for particular pairs of trains at
// particular stations.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "Types.h"

namespace kiv {

constexpr std::size_t kTransferRecordSize = 8;

struct TransferRecord {
  StationNo station = 0;
  TrainNo trainA = 0;
  TrainNo trainB = 0;
  std::int16_t minutes = 0;  // the lookup uses the low byte only, as a signed value
  friend bool operator==(const TransferRecord&, const TransferRecord&) = default;
};

struct TransferFile {
  std::array<std::uint8_t, 8> reserved{};  // header bytes 4-11, not used by the engine
  std::vector<TransferRecord> records;
};

std::optional<TransferFile> readTransferFile(const std::filesystem::path& path);
bool writeTransferFile(const std::filesystem::path& path, const TransferFile& file);

}  // namespace kiv
