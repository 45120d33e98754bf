// Each search is a Dijkstra search that picks the next station by scanning
// every slot in ascending order; among equal distances the highest slot is
// picked, and only a strictly shorter route replaces the one a station
// already has, so the route found first keeps its split over line kinds or
// zones (and with it the fare).

#include "DistanceReference.h"

#include <algorithm>
#include <limits>
#include <string>

#include "distance/RDistMan.h"
#include "distance/RDistManSteps.h"
#include "fare/RFareMan.h"
#include "fare/RStaFare.h"
#include "network/RKivMan.h"
#include "network/RStaMan.h"
#include "network/RStaName.h"
#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"
#include "text/ReportText.h"

namespace kiv::reference {

namespace {

constexpr int kDetourLimit = 200;  // 20.0 km

// The unsettled slot 1..n with the smallest distance, the highest one among
// equals; -1 when every slot is settled.
template <typename DistanceOf>
int pickNext(int n, const std::vector<char>& settled, DistanceOf distanceOf) {
  int best = -1;
  int bestDistance = kUnreachedDistance;
  for (int i = 1; i <= n; ++i) {
    if (settled[static_cast<std::size_t>(i)]) continue;
    const int d = distanceOf(i);
    if (d <= bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

// The search over the positions 1..n of one network, over `edges` (edge e
// in slot e - 1). `edgesFrom(s)` is the range of the edges leaving station
// s; `extend(route, edge)` is a route carried over one more edge.
template <typename Breakdown, typename Edge, typename EdgesFrom, typename Extend>
int searchNetwork(const RStaMan& staMan, NetworkCode network, StationNo start, int n,
                  const std::vector<Edge>& edges, EdgesFrom edgesFrom, Extend extend, Breakdown* out) {
  const int startPosition = staMan.findPosition(network, start);
  if (startPosition < 1 || startPosition > n) return -1;

  const auto size = static_cast<std::size_t>(n) + 1;
  std::vector<Breakdown> table(size);
  for (auto& b : table) b.total = kUnreachedDistance;
  table[static_cast<std::size_t>(startPosition)].total = 0;
  std::vector<char> settled(size, 0);

  for (int round = 0; round < n; ++round) {
    const int p = pickNext(n, settled, [&](int i) { return table[static_cast<std::size_t>(i)].total; });
    if (p < 0) break;
    settled[static_cast<std::size_t>(p)] = 1;
    if (table[static_cast<std::size_t>(p)].total == kUnreachedDistance) continue;
    const int s = staMan.getStationAt(network, p);
    if (s < 1) continue;
    const auto range = edgesFrom(static_cast<StationNo>(s));
    for (int e = range.first; e <= range.last; ++e) {
      const Edge& edge = edges[static_cast<std::size_t>(e - 1)];
      const int q = staMan.findPosition(network, edge.to);
      if (q < 1 || q > n) continue;  // an edge leaving the network is not followed
      const Breakdown& from = table[static_cast<std::size_t>(p)];
      Breakdown& to = table[static_cast<std::size_t>(q)];
      if (from.total + edge.distance >= to.total) continue;
      to = extend(from, edge);
    }
  }

  for (int i = 1; i <= n; ++i) out[i] = table[static_cast<std::size_t>(i)];
  return 0;
}

}  // namespace

DistMan::DistMan(const FareSources& sources) : sources_(sources) {
  for (int e = 1; e <= sources_.dist.getJrEdgeCount(); ++e)
    sources_.dist.getJrEdge(e, jrEdges_.emplace_back());
  for (int e = 1; e <= sources_.dist.getPrEdgeCount(); ++e)
    sources_.dist.getPrEdge(e, prEdges_.emplace_back());
}

DistMan::EdgeSpan DistMan::edgeRange(NetworkCode network, StationNo station, int edgeCount) const {
  std::int16_t first = -1;
  std::int16_t last = -1;
  if (sources_.dist.findEdges(network, station, first, last) != 0 || first == -1 || last == -1) return {};
  // An index entry pointing past the edge table only reaches the edges that exist.
  return {std::max<int>(first, 1), std::min<int>(last, edgeCount)};
}

int DistMan::jrDistances(StationNo start, int n, JrDistanceBreakdown* out) const {
  return searchNetwork(
      sources_.staMan, 0, start, n, jrEdges_,
      [&](StationNo s) { return edgeRange(0, s, static_cast<int>(jrEdges_.size())); },
      [](const JrDistanceBreakdown& route, const DistJREdge& edge) { return jrExtendedBy(route, edge); },
      out);
}

int DistMan::privateDistances(StationNo start, int n, NetworkCode network, PrDistanceBreakdown* out) const {
  return searchNetwork(
      sources_.staMan, network, start, n, prEdges_,
      [&](StationNo s) { return edgeRange(network, s, static_cast<int>(prEdges_.size())); },
      privateExtendedBy, out);
}

int DistMan::allDistances(StationNo start, int n, Distance* out) const {
  if (n < 0) n = 0;
  const auto size = static_cast<std::size_t>(n) + 1;
  std::vector<Distance> dist(size, kUnreachedDistance);
  std::vector<char> settled(size, 0);
  // A start station outside 1..n is unknown: everything stays unreached.
  if (start >= 1 && start <= n) dist[static_cast<std::size_t>(start)] = 0;

  std::vector<std::pair<StationNo, Distance>> edges;
  std::vector<StationNo> linked;
  for (int round = 0; round < n; ++round) {
    const int s = pickNext(n, settled, [&](int i) { return dist[static_cast<std::size_t>(i)]; });
    if (s < 0) break;
    settled[static_cast<std::size_t>(s)] = 1;
    const int here = dist[static_cast<std::size_t>(s)];
    if (here == kUnreachedDistance) continue;

    collectLinks(static_cast<StationNo>(s), edges, linked);
    for (const auto& [to, distance] : edges) {
      if (to < 1 || to > n) continue;
      const int candidate = here + distance;
      Distance& reached = dist[static_cast<std::size_t>(to)];
      if (candidate < reached) reached = boundedDistance(candidate);
    }
    // Linked stations count as one place: a link costs nothing.
    for (const StationNo t : linked) {
      if (t < 1 || t > n) continue;
      if (dist[static_cast<std::size_t>(t)] > here)
        dist[static_cast<std::size_t>(t)] = static_cast<Distance>(here);
    }
  }

  std::copy(dist.begin() + 1, dist.end(), out + 1);
  return 0;
}

void DistMan::collectLinks(StationNo s, std::vector<std::pair<StationNo, Distance>>& edges,
                           std::vector<StationNo>& linked) const {
  constexpr int kMaxLinks = 5;
  edges.clear();
  const int codes = sources_.staFare.getNetworkCount(s);
  for (int j = 0; j < codes; ++j) {
    const int code = sources_.staFare.getNetworkAt(s, j);
    if (code < 0) continue;
    const auto network = static_cast<NetworkCode>(code);
    if (network == 0) {
      const EdgeSpan range = edgeRange(0, s, static_cast<int>(jrEdges_.size()));
      for (int e = range.first; e <= range.last; ++e) {
        const DistJREdge& edge = jrEdges_[static_cast<std::size_t>(e - 1)];
        edges.emplace_back(edge.to, edge.distance);
      }
    } else {
      const EdgeSpan range = edgeRange(network, s, static_cast<int>(prEdges_.size()));
      for (int e = range.first; e <= range.last; ++e) {
        const DistPREdge& edge = prEdges_[static_cast<std::size_t>(e - 1)];
        edges.emplace_back(edge.to, edge.distance);
      }
    }
  }
  StationNo links[kMaxLinks] = {};
  const int count = std::clamp(sources_.fare.linkedStations(s, kMaxLinks, links), 0, kMaxLinks);
  linked.assign(links, links + count);
}

int DistMan::buildJrCheapestTable(const TableProgressCallback& progress) {
  const RStaMan& staMan = sources_.staMan;
  work_files::WorkFileWriter pairs(sources_.dataDir / work_files::kJrCheapestPairs);
  work_files::WorkFileWriter csv(sources_.dataDir / work_files::kJrCheapestCsv);
  if (!pairs.isOpen() || !csv.isOpen()) return -1;
  csv.line(report_text::kJrCheapestCsvHeader);

  const int n = std::max(staMan.getNetworkSize(0), 0);
  const auto size = static_cast<std::size_t>(n) + 1;
  cheap_ = CheapestWork{};
  cheap_.n = n;
  cheap_.shortest.resize(size);
  cheap_.shortestFare.resize(size);
  cheap_.cheapestFare.resize(size);
  cheap_.cheapest.resize(size);
  cheap_.current.resize(size);
  cheap_.onPath.resize(size);

  for (int i = 1; i <= n - 1; ++i) {
    const auto origin = static_cast<StationNo>(staMan.getStationAt(0, i));
    if (jrDistances(origin, n, cheap_.shortest.data()) == 0) {
      cheap_.current[static_cast<std::size_t>(i)] = JrDistanceBreakdown{};
      for (std::size_t j = 1; j < size; ++j) {
        cheap_.shortestFare[j] = sources_.kivMan.jrFare(cheap_.shortest[j]);
        cheap_.cheapestFare[j] = cheap_.shortestFare[j];
      }
      std::fill(cheap_.onPath.begin(), cheap_.onPath.end(), 0);
      cheap_.depth = 0;
      exploreCheapest(staMan.findPosition(0, origin));

      char originName[kStationNameSize] = "";
      sources_.staName.getName(origin, originName);
      for (std::size_t j = static_cast<std::size_t>(i) + 1; j < size; ++j) {
        if (cheap_.cheapestFare[j] >= cheap_.shortestFare[j]) continue;
        ++cheap_.found;
        char name[kStationNameSize] = "";
        sources_.staName.getName(static_cast<StationNo>(staMan.getStationAt(0, static_cast<int>(j))), name);
        const work_files::JrCheapestPair pair{
            originName,        name, cheap_.shortestFare[j], cheap_.shortest[j], cheap_.cheapestFare[j],
            cheap_.cheapest[j]};
        pairs.line(work_files::formatJrCheapestPair(pair));
        csv.line(work_files::formatJrCheapestCsv(pair));
      }
    }
    if (progress && !progress({i, n, cheap_.found, cheap_.maxDepth})) break;
  }

  const int found = cheap_.found;
  cheap_ = CheapestWork{};
  const bool pairsWritten = pairs.close();
  const bool csvWritten = csv.close();
  return pairsWritten && csvWritten ? found : -1;
}

// Every step looks the station's edges and their end positions up by scanning.
void DistMan::exploreCheapest(int p) {
  if (p < 1 || p > cheap_.n) return;
  const auto here = static_cast<std::size_t>(p);
  cheap_.onPath[here] = 1;
  ++cheap_.depth;
  if (cheap_.depth > cheap_.maxDepth) cheap_.maxDepth = cheap_.depth;

  const std::int16_t fare = sources_.kivMan.jrFare(cheap_.current[here]);
  if (fare < cheap_.cheapestFare[here]) {
    cheap_.cheapestFare[here] = fare;
    cheap_.cheapest[here] = cheap_.current[here];
  }

  const RStaMan& staMan = sources_.staMan;
  const EdgeSpan range =
      edgeRange(0, static_cast<StationNo>(staMan.getStationAt(0, p)), static_cast<int>(jrEdges_.size()));
  for (int e = range.first; e <= range.last; ++e) {
    const DistJREdge& edge = jrEdges_[static_cast<std::size_t>(e - 1)];
    const int q = staMan.findPosition(0, edge.to);
    if (q < 1 || q > cheap_.n) continue;  // an edge leaving the network is not followed
    const auto next = static_cast<std::size_t>(q);
    if (cheap_.onPath[next]) continue;
    const JrDistanceBreakdown& route = cheap_.current[here];
    if (route.total + edge.distance > cheap_.shortest[next].total + kDetourLimit) continue;

    JrDistanceBreakdown& extended = cheap_.current[next];
    extended = route;
    addJrEdge(extended, edge, std::numeric_limits<std::int16_t>::max());
    exploreCheapest(q);
  }

  cheap_.onPath[here] = 0;
  --cheap_.depth;
}

}  // namespace kiv::reference
