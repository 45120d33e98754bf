// Shared value types of the engine: station, train and network numbers,
// times of day and the fixed widths of the name fields.
#pragma once

#include <cstdint>

namespace kiv {

using StationNo = std::int16_t;    // 1..N in StaName.kv4 order; -1 = none
using TrainNo = std::int16_t;      // 1..T in Train.kv4 order; -1 = none
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

// The shortest distance of a JR journey split by line kind (100 m units).
struct JrDistanceBreakdown {
  std::int16_t total = 0;
  std::int16_t yamanote = 0;       // inside the Yamanote line zone
  std::int16_t trainZone = 0;      // train-specific zone
  std::int16_t trunk = 0;          // trunk lines
  std::int16_t localBusiness = 0;  // local lines, business distance
  std::int16_t localFare = 0;      // local lines, fare distance
  friend bool operator==(const JrDistanceBreakdown&, const JrDistanceBreakdown&) = default;
};

// The shortest distance of a private journey: total, and the part of it on
// edges of each surcharge zone 1..9 (zone[0] is zone 1).
struct PrDistanceBreakdown {
  std::int16_t total = 0;
  std::int16_t zone[9] = {};
  friend bool operator==(const PrDistanceBreakdown&, const PrDistanceBreakdown&) = default;
};

}  // namespace kiv
