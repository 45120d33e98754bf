// A table with one value per station, looked up by station number: entry 0
// belongs to no station, entries 1..N to the N stations. It spares the
// searches a cast of every station number they look up.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "Types.h"

namespace kiv {

template <typename T>
class ByStation {
 public:
  ByStation() = default;
  ByStation(int stationCount, const T& value) { assign(stationCount, value); }

  // N + 1 entries for N stations, each `value`.
  void assign(int stationCount, const T& value) {
    values_.assign(static_cast<std::size_t>(std::max(stationCount, 0)) + 1, value);
  }
  T& operator[](StationNo s) { return values_[static_cast<std::size_t>(s)]; }
  const T& operator[](StationNo s) const { return values_[static_cast<std::size_t>(s)]; }
  // No entries at all (the table was never sized).
  bool empty() const { return values_.empty(); }
  // The entries 0..N in a row, as the distance searches fill them.
  T* data() { return values_.data(); }
  auto begin() { return values_.begin(); }
  auto end() { return values_.end(); }

 private:
  std::vector<T> values_;
};

}  // namespace kiv
