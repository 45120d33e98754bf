// DiaIdx2.kv4: the link index of the timetable. Each record names one
// neighbour reachable from a station and the span of departures towards it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kiv {

// 12 bytes packed. Departure indices are 1-based and inclusive; 0 = none.
struct DiaLinkRecord {
  std::int16_t from = 0;  // departure station
  std::int16_t to = 0;    // next station
  std::int32_t firstDeparture = 0;
  std::int32_t lastDeparture = 0;
  friend bool operator==(const DiaLinkRecord&, const DiaLinkRecord&) = default;
};

inline constexpr std::size_t kDiaLinkRecordSize = 12;

struct DiaIdx2File {
  std::vector<DiaLinkRecord> records;
};

std::optional<DiaIdx2File> readDiaIdx2File(const std::filesystem::path& path);
bool writeDiaIdx2File(const std::filesystem::path& path, const DiaIdx2File& file);

}  // namespace kiv
