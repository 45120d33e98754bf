#include "distance/RDistMan.h"

#include <string>
#include <tuple>

#include "data/SpanCheck.h"

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
  takeIndex(std::move(idx->entries));
}

// Entries reaching past the edges are cut where they are used; entries that
// claim far more edges than exist leave the index unused.
void RDistMan::takeIndex(std::vector<DistIdxEntry> index) {
  SpanCheck jr(jrEdges_.size());
  SpanCheck pr(prEdges_.size());
  for (const DistIdxEntry& e : index) {
    const bool isJr = e.network == 0;
    if ((isJr ? jr : pr).add(e.first, e.last) || !dataProblem_.empty()) continue;
    dataProblem_ = "DistIdx.kv4 does not fit " + std::string(isJr ? "DistJR.kv4" : "DistPR.kv4") +
                   " (station " + std::to_string(e.station) + " of network " + std::to_string(e.network) +
                   " claims edges " + SpanCheck::text(e.first, e.last) + " of " +
                   std::to_string(isJr ? jrEdges_.size() : prEdges_.size()) +
                   "): cut to the edges that exist";
  }
  for (const auto& [check, file, count] :
       {std::tuple(&jr, "DistJR.kv4", jrEdges_.size()), std::tuple(&pr, "DistPR.kv4", prEdges_.size())}) {
    if (!check->claimsTooMuch()) continue;
    dataProblem_ = std::string("DistIdx.kv4 does not fit ") + file + " (its entries claim " +
                   std::to_string(check->claimed()) + " edges of " + std::to_string(count) +
                   "): the distance index is not used";
    return;
  }
  index_ = std::move(index);
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
