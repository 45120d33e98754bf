// Diagram2.kv4: the departure patterns of the timetable. A record says that
// a train leaves a station towards its next stop at a fixed minute of every
// served hour, or every so many minutes during the served hours.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace kiv {

// 20 bytes packed.
struct DiaDepartureRecord {
  std::int16_t train = 0;
  std::int16_t station = 0;      // departure station
  std::int16_t nextStation = 0;  // next stop
  std::int16_t terminal = 0;     // station the train is bound for
  std::int16_t minute = 0;       // departure minute of a timed departure
  std::int16_t rideMinutes = 0;  // to the arrival at nextStation
  std::int16_t interval = 0;     // 0 = timed at `minute`; else runs every `interval` minutes
  std::int8_t listOrder = 0;     // sort key of the station timetable lines
  std::uint8_t days = 0;         // bit d = runs on day code d (0 Sunday .. 6 Saturday)
  std::uint32_t hours = 0;       // bit h = runs in clock hour h (0..23)
  friend bool operator==(const DiaDepartureRecord&, const DiaDepartureRecord&) = default;
};

inline constexpr std::size_t kDiaDepartureRecordSize = 20;
inline constexpr std::size_t kDiagram2HeaderExtra = 8;

struct Diagram2File {
  // The 8 bytes after the count; not interpreted, kept so the file round-trips.
  std::array<std::uint8_t, kDiagram2HeaderExtra> header{};
  std::vector<DiaDepartureRecord> records;
};

std::optional<Diagram2File> readDiagram2File(const std::filesystem::path& path);
bool writeDiagram2File(const std::filesystem::path& path, const Diagram2File& file);

}  // namespace kiv
