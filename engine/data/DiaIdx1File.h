// DiaIdx1.kv4: the station index of the timetable. Record k describes
// station k + 1 and gives its spans in the link and departure files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kiv {

// 18 bytes packed. Indices are 1-based and inclusive; 0 means no records.
struct DiaStationRecord {
  std::int16_t station = 0;  // stored, not interpreted: the position gives the station
  std::int32_t firstLink = 0;
  std::int32_t lastLink = 0;
  std::int32_t firstDeparture = 0;
  std::int32_t lastDeparture = 0;
  friend bool operator==(const DiaStationRecord&, const DiaStationRecord&) = default;
};

inline constexpr std::size_t kDiaStationRecordSize = 18;

struct DiaIdx1File {
  std::vector<DiaStationRecord> records;
};

std::optional<DiaIdx1File> readDiaIdx1File(const std::filesystem::path& path);
bool writeDiaIdx1File(const std::filesystem::path& path, const DiaIdx1File& file);

}  // namespace kiv
