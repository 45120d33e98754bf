// The served-hour lookups of Timetable in constant time, for the inner loops
// of the fast route searches: instead of testing the hours one by one, the
// served clock hours of each service day are taken from the hours mask a
// day at a time. They give exactly what Timetable::nextServedHour and
// Timetable::recordDeparture give.
#pragma once

#include <bit>
#include <cstdint>

#include "Types.h"
#include "data/Diagram2File.h"
#include "timetable/Timetable.h"

namespace kiv::fast_departures {

// Timetable::nextServedHour(hours, days, day, minute, time).
inline int nextServedHour(std::uint32_t hours, std::uint8_t days, int day, int minute, TimeOfDay time) {
  const int start = time.hour;
  // Hours before midnight of day 0 follow the hour-by-hour rule.
  if (start < 0) return Timetable::nextServedHour(hours, days, day, minute, time);
  const std::uint32_t clock = hours & 0xFFFFFFu;
  const auto dayServed = [&](int block) { return day < 0 || ((days >> ((day + block) % 7)) & 1u) != 0; };
  if (((clock >> (start % 24)) & 1u) != 0 && dayServed(start / 24) && minute >= time.minute) return start;
  const int end = start + 24;
  for (int h = start + 1; h <= end;) {
    const int block = h / 24;
    if (dayServed(block)) {
      const std::uint32_t later = clock >> (h % 24);
      if (later != 0) {
        const int found = h + std::countr_zero(later);
        return found <= end ? found : -1;
      }
    }
    h = (block + 1) * 24;
  }
  return -1;
}

// The time `minutes` after t, the hour not wrapped at midnight.
inline TimeOfDay addMinutes(TimeOfDay t, int minutes) {
  const int total = t.minute + minutes;
  return {static_cast<std::int8_t>(t.hour + total / 60), static_cast<std::int8_t>(total % 60)};
}

// The next departure of record r at or after `time` on the service days of
// `day`, with the served hours found by nextHour (a nextServedHour).
template <typename NextHour>
bool departureBy(const DiaDepartureRecord& r, TimeOfDay time, int day, TimeOfDay& departure,
                 NextHour nextHour) {
  if (r.interval != 0) {
    // A frequent service: expect to wait half an interval if the current
    // hour is served, else catch it at the top of the next served hour.
    const int half = r.interval / 2;
    const int h = nextHour(r.hours, r.days, day, time.minute + half, time);
    if (h < 0) return false;
    departure = h == time.hour ? addMinutes(time, half) : TimeOfDay{static_cast<std::int8_t>(h), 0};
    return true;
  }
  const int h = nextHour(r.hours, r.days, day, r.minute, time);
  if (h < 0) return false;
  departure = addMinutes({static_cast<std::int8_t>(h), 0}, r.minute);
  return true;
}

// Timetable::recordDeparture(r, time, day, departure).
inline bool recordDeparture(const DiaDepartureRecord& r, TimeOfDay time, int day, TimeOfDay& departure) {
  return departureBy(r, time, day, departure,
                     [](std::uint32_t hours, std::uint8_t days, int d, int minute, TimeOfDay t) {
                       return nextServedHour(hours, days, d, minute, t);
                     });
}

// False when record r surely has no departure from `time` up to `latest`
// (hour * 60 + minute): it leaves only in served hours, at or after the
// hour of `time`, and serves none of the clock hours up to latest's. For a
// record on the clock (minute 0..59, interval >= 0) and a time with an
// hour >= 0 and a minute 0..59; the days are not looked at.
inline bool mayLeaveBy(const DiaDepartureRecord& r, TimeOfDay time, int latest) {
  if (latest < time.totalMinutes()) return false;
  const int hours = latest / 60 - time.hour + 1;
  if (hours >= 24) return (r.hours & 0xFFFFFFu) != 0;
  const std::uint64_t window = ((std::uint64_t{1} << hours) - 1) << (time.hour % 24);
  return (r.hours & static_cast<std::uint32_t>((window | (window >> 24)) & 0xFFFFFFu)) != 0;
}

}  // namespace kiv::fast_departures
