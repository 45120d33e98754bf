#include "timetable/TimetableIndexTrainHops.h"

#include <algorithm>
#include <unordered_map>

#include "timetable/Timetable.h"

namespace kiv {

TrainHopIndex TrainHopIndex::build(const Timetable& timetable) {
  TrainHopIndex index;
  const int n = timetable.stationCount();
  index.hopStart.assign(static_cast<std::size_t>(std::max(n, 0)) + 2, 0);
  const auto key = [](StationNo next, TrainNo train) {
    return (static_cast<std::uint32_t>(static_cast<std::uint16_t>(next)) << 16) |
           static_cast<std::uint16_t>(train);
  };
  std::unordered_map<std::uint32_t, std::int32_t> states;
  for (int s = 1; s <= n; ++s) {
    const auto span = timetable.departuresOf(static_cast<StationNo>(s));
    // The station's groups, each a list of its records in file order.
    std::vector<std::vector<std::size_t>> groups;
    std::unordered_map<std::uint32_t, std::size_t> groupOf;
    for (std::size_t k = 0; k < span.size(); ++k) {
      const DiaDepartureRecord& r = span[k];
      if (r.nextStation < 1 || r.nextStation > n) continue;
      const auto [at, added] = groupOf.emplace(key(r.nextStation, r.train), groups.size());
      if (added) groups.emplace_back();
      groups[at->second].push_back(k);
    }
    for (const auto& group : groups) {
      Hop hop;
      const DiaDepartureRecord& head = span[group.front()];
      hop.next = head.nextStation;
      hop.train = head.train;
      hop.first = static_cast<std::int32_t>(index.records.size());
      hop.count = static_cast<std::int32_t>(group.size());
      const auto [state, added] =
          states.emplace(key(hop.next, hop.train), static_cast<std::int32_t>(index.stateStation.size()));
      if (added) {
        index.stateStation.push_back(hop.next);
        index.stateTrain.push_back(hop.train);
      }
      hop.state = state->second;
      hop.leastRide = std::max<int>(0, head.rideMinutes);
      for (const std::size_t k : group) {
        index.records.push_back(span[k]);
        index.spanPosition.push_back(static_cast<std::int32_t>(k));
        hop.leastRide = std::min(hop.leastRide, std::max<int>(0, span[k].rideMinutes));
      }
      index.hops.push_back(hop);
    }
    index.hopStart[static_cast<std::size_t>(s) + 1] = static_cast<std::int32_t>(index.hops.size());
  }
  return index;
}

}  // namespace kiv
