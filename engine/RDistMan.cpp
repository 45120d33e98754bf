#include "RDistMan.h"

namespace kiv {

RDistMan::RDistMan(const std::filesystem::path& dataDir, RStaName& staName, RStaMan& staMan,
                   RStaFare& staFare, RKivMan& kivMan, RFareMan& fareMan)
    : dataDir_(dataDir),
      staName_(staName),
      staMan_(staMan),
      staFare_(staFare),
      kivMan_(kivMan),
      fareMan_(fareMan) {
  // Loading stops at the first file that cannot be opened.
  auto jr = readDistJRFile(dataDir / "DistJR.kv4");
  if (!jr) return;
  jrEdges_ = std::move(jr->edges);
  auto pr = readDistPRFile(dataDir / "DistPR.kv4");
  if (!pr) return;
  prEdges_ = std::move(pr->edges);
  auto idx = readDistIdxFile(dataDir / "DistIdx.kv4");
  if (!idx) return;
  index_ = std::move(idx->entries);
}

int RDistMan::findEdges(NetworkCode network, StationNo station, std::int16_t& first,
                        std::int16_t& last) const {
  for (const auto& entry : index_) {
    if (entry.network == network && entry.station == station) {
      first = entry.first;
      last = entry.last;
      return 0;
    }
  }
  first = -1;
  last = -1;
  return -1;
}

EdgeRange RDistMan::edgeRange(NetworkCode network, StationNo station, int edgeCount) const {
  std::int16_t first = -1;
  std::int16_t last = -1;
  if (findEdges(network, station, first, last) != 0) return {};
  return clampedEdgeRange(first, last, edgeCount);
}

int RDistMan::getJrEdgeCount() const { return static_cast<int>(jrEdges_.size()); }

int RDistMan::getPrEdgeCount() const { return static_cast<int>(prEdges_.size()); }

int RDistMan::getJrEdge(int e, DistJREdge& out) const {
  if (e < 1 || e > getJrEdgeCount()) return -1;
  out = jrEdges_[static_cast<std::size_t>(e - 1)];
  return 0;
}

int RDistMan::getPrEdge(int e, DistPREdge& out) const {
  if (e < 1 || e > getPrEdgeCount()) return -1;
  out = prEdges_[static_cast<std::size_t>(e - 1)];
  return 0;
}

}  // namespace kiv
