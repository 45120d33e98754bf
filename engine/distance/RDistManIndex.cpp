#include "distance/RDistManIndex.h"

#include <algorithm>

#include "network/RStaMan.h"

namespace kiv {

EdgeRange clampedEdgeRange(int first, int last, int edgeCount) {
  if (first == -1 || last == -1) return {};
  // An index entry pointing past the edge table only reaches the edges that exist.
  return {std::max(first, 1), std::min(last, edgeCount)};
}

EdgeIndex::EdgeIndex(const std::vector<DistIdxEntry>& entries) : entries_(entries) {
  first_.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i)
    first_.try_emplace(key(entries[i].network, entries[i].station), i);  // the first entry wins
}

std::uint32_t EdgeIndex::key(NetworkCode network, StationNo station) {
  return static_cast<std::uint32_t>(static_cast<std::uint16_t>(network)) << 16 |
         static_cast<std::uint16_t>(station);
}

EdgeRange EdgeIndex::find(NetworkCode network, StationNo station, int edgeCount) const {
  const auto it = first_.find(key(network, station));
  if (it == first_.end()) return {};
  const DistIdxEntry& entry = entries_[it->second];
  return clampedEdgeRange(entry.first, entry.last, edgeCount);
}

NetworkPositions::NetworkPositions(const RStaMan& staMan, NetworkCode code, const EdgeIndex& edges,
                                   const std::vector<EdgeEnd>& edgeEnds)
    : size_(staMan.getNetworkSize(code)) {
  const auto slots = static_cast<std::size_t>(size_) + 1;
  stationAt_.assign(slots, -1);
  StationNo highest = 0;
  for (int p = 1; p <= size_; ++p) {
    const int s = staMan.getStationAt(code, p);
    stationAt_[static_cast<std::size_t>(p)] = static_cast<StationNo>(s);
    highest = std::max(highest, static_cast<StationNo>(s));
  }
  // From the last position down, so that a station listed twice keeps its lowest position.
  positionOf_.assign(static_cast<std::size_t>(highest) + 1, -1);
  for (int p = size_; p >= 1; --p) {
    const StationNo s = stationAt_[static_cast<std::size_t>(p)];
    if (s >= 0) {
      positionOf_[static_cast<std::size_t>(s)] = p;
    } else if (s != -1 || staMan.findPosition(code, s) == p) {
      // -1 also marks a position outside the entry table; only a real entry counts.
      negativeStations_.insert(negativeStations_.begin(), {s, p});
    }
  }

  const int edgeCount = static_cast<int>(edgeEnds.size());
  arcStart_.assign(slots + 1, 0);
  for (int p = 1; p <= size_; ++p) {
    arcStart_[static_cast<std::size_t>(p)] = arcs_.size();
    const StationNo s = stationAt_[static_cast<std::size_t>(p)];
    if (s < 1) continue;  // the searches follow no edges from such an entry
    const EdgeRange range = edges.find(code, s, edgeCount);
    for (int e = range.first; e <= range.last; ++e) {
      const auto slot = static_cast<std::size_t>(e - 1);
      arcs_.push_back({positionOf(edgeEnds[slot].to), static_cast<int>(slot)});
      negativeArc_ = negativeArc_ || edgeEnds[slot].distance < 0;
      longestArc_ = std::max<int>(longestArc_, edgeEnds[slot].distance);
    }
  }
  arcStart_[slots] = arcs_.size();
}

int NetworkPositions::positionOf(StationNo s) const {
  if (s >= 0)
    return static_cast<std::size_t>(s) < positionOf_.size() ? positionOf_[static_cast<std::size_t>(s)] : -1;
  for (const auto& [station, p] : negativeStations_)
    if (station == s) return p;
  return -1;
}

}  // namespace kiv
