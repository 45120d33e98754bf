// Shared value types of the engine: station, train and network numbers,
// times of day and the fixed widths of the name fields.
#pragma once

#include <cstdint>

namespace kiv {

using StationNo = std::int16_t;  // 1..N in StaName.kv4 order; -1 = none
using TrainNo = std::int16_t;    // 1..T in Train.kv4 order; -1 = none
using NetworkCode = std::int16_t;  // 0 = JR; otherwise company * 10 + 0..9
using Distance = std::int16_t;     // units of 100 m

constexpr int kNotFound = -1;
constexpr Distance kUnreachedDistance = 32000;

// Name fields: Shift-JIS text ended by NUL inside a fixed-width field.
constexpr int kStationNameSize = 25;  // 24 bytes of text
constexpr int kStationKanaSize = 49;  // 48 bytes of text
constexpr int kTrainNameSize = 33;    // 32 bytes of text

// Hours are not wrapped at midnight: 24 and more is the following day.
struct TimeOfDay {
  std::int8_t hour = 0;
  std::int8_t minute = 0;

  constexpr int totalMinutes() const { return hour * 60 + minute; }
  friend constexpr bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

}  // namespace kiv
