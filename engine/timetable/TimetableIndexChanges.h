// The change minutes the fast searches ask for, remembered in a small table
// of the station and train pairs asked for last: the transfer data never
// change while the program runs, and a search asks for the same few changes
// again and again.
#pragma once

#include <cstdint>
#include <vector>

#include "Types.h"

namespace kiv {

class KnownChanges {
 public:
  // The minutes of a change at s from `arriving` to `departing`; ask(s,
  // arriving, departing) gives them when they are not known.
  template <typename Ask>
  int minutes(StationNo s, TrainNo arriving, TrainNo departing, Ask ask) {
    const std::uint64_t key = (static_cast<std::uint64_t>(static_cast<std::uint16_t>(s)) << 32) |
                              (static_cast<std::uint64_t>(static_cast<std::uint16_t>(arriving)) << 16) |
                              static_cast<std::uint16_t>(departing);
    Entry& known = table_[(key * 0x9E3779B97F4A7C15u) >> (64 - kBits)];
    if (known.key != key) known = {key, ask(s, arriving, departing)};
    return known.minutes;
  }

 private:
  static constexpr int kBits = 15;
  struct Entry {
    std::uint64_t key = ~std::uint64_t{0};  // no pair: the station bits hold at most 16 bits
    int minutes = 0;
  };
  std::vector<Entry> table_ = std::vector<Entry>(std::size_t{1} << kBits);
};

}  // namespace kiv
