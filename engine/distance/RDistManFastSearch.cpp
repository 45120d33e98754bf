// The shortest-distance searches on the lookup tables: a Dijkstra search
// whose queue settles the smallest distance first and, among equal
// distances, the highest position (or station number), which is the order
// the plain scan settles them in. A station's route is replaced only by a
// strictly shorter one, as in the plain search, so every station keeps the
// same split over line kinds or zones.

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>

#include "distance/DistanceQueues.h"
#include "distance/RDistMan.h"
#include "distance/RDistManSteps.h"
#include "fare/RFareMan.h"
#include "fare/RStaFare.h"
#include "network/RStaMan.h"
#include "network/RStaName.h"

namespace kiv {

const RDistMan::SearchTables& RDistMan::tables() const {
  if (tables_) return *tables_;
  auto t = std::make_unique<SearchTables>(index_);
  for (const DistJREdge& e : jrEdges_) t->jrEnds.push_back({e.to, e.distance});
  for (const DistPREdge& e : prEdges_) t->prEnds.push_back({e.to, e.distance});
  const int count = std::max(staName_.getCount(), staFare_.getStationCount());
  t->stations.resize(static_cast<std::size_t>(std::max(count, 0)) + 1);
  for (int s = 1; s <= count; ++s) {
    collectStationLinks(static_cast<StationNo>(s), t->edges, t->stations[static_cast<std::size_t>(s)]);
    for (const auto& edge : t->stations[static_cast<std::size_t>(s)].edges) {
      t->negativeEdge = t->negativeEdge || edge.second < 0;
      t->longestEdge = std::max(t->longestEdge, static_cast<int>(edge.second));
    }
  }
  tables_ = std::move(t);
  return *tables_;
}

const NetworkPositions& RDistMan::networkPositions(NetworkCode network) const {
  const SearchTables& t = tables();
  auto& slot = tables_->networks[network];
  if (!slot)
    slot = std::make_unique<NetworkPositions>(staMan_, network, t.edges, network == 0 ? t.jrEnds : t.prEnds);
  return *slot;
}

const NetworkPositions& RDistMan::privateEdgesOfJrPositions() const {
  const SearchTables& t = tables();
  if (!t.privateOverJr)
    tables_->privateOverJr = std::make_unique<NetworkPositions>(staMan_, 0, t.edges, t.prEnds);
  return *tables_->privateOverJr;
}

void RDistMan::collectStationLinks(StationNo s, const EdgeIndex& index, StationLinks& out) const {
  constexpr int kMaxLinks = 5;
  out.edges.clear();
  out.linked.clear();
  const int codes = staFare_.getNetworkCount(s);
  for (int j = 0; j < codes; ++j) {
    const int code = staFare_.getNetworkAt(s, j);
    if (code < 0) continue;
    const auto network = static_cast<NetworkCode>(code);
    if (network == 0) {
      const EdgeRange range = index.find(0, s, getJrEdgeCount());
      for (int e = range.first; e <= range.last; ++e) {
        const DistJREdge& edge = jrEdges_[static_cast<std::size_t>(e - 1)];
        out.edges.emplace_back(edge.to, edge.distance);
      }
    } else {
      const EdgeRange range = index.find(network, s, getPrEdgeCount());
      for (int e = range.first; e <= range.last; ++e) {
        const DistPREdge& edge = prEdges_[static_cast<std::size_t>(e - 1)];
        out.edges.emplace_back(edge.to, edge.distance);
      }
    }
  }
  StationNo linked[kMaxLinks] = {};
  const int count = std::clamp(fareMan_.linkedStations(s, kMaxLinks, linked), 0, kMaxLinks);
  out.linked.assign(linked, linked + count);
}

namespace {

// Queue entries: the smallest distance comes out first and, among equal
// distances, the highest slot.
std::uint64_t queueKey(int distance, int slot) {
  return static_cast<std::uint64_t>(distance - std::numeric_limits<std::int16_t>::min()) << 32 |
         (0xFFFFFFFFu - static_cast<std::uint32_t>(slot));
}
int slotOf(std::uint64_t key) { return static_cast<int>(0xFFFFFFFFu - static_cast<std::uint32_t>(key)); }
int distanceOf(std::uint64_t key) {
  return static_cast<int>(key >> 32) + std::numeric_limits<std::int16_t>::min();
}

void push(std::vector<std::uint64_t>& queue, int distance, int slot) {
  queue.push_back(queueKey(distance, slot));
  std::push_heap(queue.begin(), queue.end(), std::greater<>());
}

std::uint64_t pop(std::vector<std::uint64_t>& queue) {
  std::pop_heap(queue.begin(), queue.end(), std::greater<>());
  const std::uint64_t key = queue.back();
  queue.pop_back();
  return key;
}

// The binary heap of the searches as a queue like BucketQueue, for
// distances of any sign.
class HeapQueue {
 public:
  explicit HeapQueue(std::vector<std::uint64_t>& keys) : keys_(keys) { keys_.clear(); }
  bool empty() const { return keys_.empty(); }
  void push(int distance, int slot) { kiv::push(keys_, distance, slot); }
  QueueEntry pop() {
    const std::uint64_t key = kiv::pop(keys_);
    return {distanceOf(key), slotOf(key)};
  }

 private:
  std::vector<std::uint64_t>& keys_;
};

// Starts `settle(queue)` with the start position waiting: on the bucket ring,
// or on the binary heap where an edge is shorter than nothing.
template <typename Settle>
void withQueue(const NetworkPositions& net, int startPosition, std::vector<std::uint64_t>& keys,
               BucketQueue& buckets, Settle settle) {
  if (net.hasNegativeArc()) {
    HeapQueue heap(keys);
    heap.push(0, startPosition);
    settle(heap);
  } else {
    buckets.reset(net.longestArc());
    buckets.push(0, startPosition);
    settle(buckets);
  }
}

// Settles positions in the plain scan's order until the queue is empty or
// `stopAt` has been settled, lowering the routes in out; `reached(q)` hears
// of each position that gets its first route. Entries whose distance has
// since been bettered are passed over when they come out of the queue; a
// settled position is never settled again.
template <typename Breakdown, typename Edge, typename Extend, typename Queue, typename Reached>
void settlePositions(const NetworkPositions& net, int n, const std::vector<Edge>& edges, Extend extend,
                     std::vector<char>& settled, Queue& queue, Breakdown* out, int stopAt, Reached reached) {
  while (!queue.empty()) {
    const auto [distance, p] = queue.pop();
    if (settled[static_cast<std::size_t>(p)] || out[p].total != distance) continue;
    settled[static_cast<std::size_t>(p)] = 1;
    if (p == stopAt) return;
    if (net.stationAt(p) < 1) continue;
    for (const DistArc* arc = net.arcsBegin(p); arc != net.arcsEnd(p); ++arc) {
      const int q = arc->to;
      if (q < 1 || q > n) continue;  // an edge leaving the network is not followed
      const Edge& edge = edges[static_cast<std::size_t>(arc->edge)];
      if (out[p].total + edge.distance >= out[q].total) continue;
      if (out[q].total == kUnreachedDistance) reached(q);
      out[q] = extend(out[p], edge);
      queue.push(out[q].total, q);
    }
  }
}

template <typename Breakdown>
Breakdown unreachedRoute() {
  Breakdown unreached{};
  unreached.total = kUnreachedDistance;
  return unreached;
}

// The search over the positions 1..n of one network, straight into out.
template <typename Breakdown, typename Edge, typename Extend>
int searchPositions(const NetworkPositions& net, StationNo start, int n, const std::vector<Edge>& edges,
                    Extend extend, std::vector<char>& settled, std::vector<std::uint64_t>& keys,
                    BucketQueue& buckets, Breakdown* out) {
  const int startPosition = net.positionOf(start);
  if (startPosition < 1 || startPosition > n) return -1;

  std::fill(out + 1, out + n + 1, unreachedRoute<Breakdown>());
  out[startPosition].total = 0;
  settled.assign(static_cast<std::size_t>(n) + 1, 0);
  withQueue(net, startPosition, keys, buckets,
            [&](auto& queue) { settlePositions(net, n, edges, extend, settled, queue, out, 0, [](int) {}); });
  return 0;
}

// The search over the positions 1..n of one network until position `to` is
// settled: from then on its route can no longer change, since a route is
// replaced only by a strictly shorter one and every later position is at
// least as far. A network with an edge shorter than nothing breaks that,
// and is searched to the end. The work arrays come clean and are left clean.
template <typename Breakdown, typename Edge, typename Extend, typename Work>
int searchToPosition(const NetworkPositions& net, StationNo start, int n, int to,
                     const std::vector<Edge>& edges, Extend extend, Work& work,
                     std::vector<std::uint64_t>& keys, BucketQueue& buckets, Breakdown& out) {
  const int startPosition = net.positionOf(start);
  if (startPosition < 1 || startPosition > n || to < 1 || to > n) return -1;

  const auto size = static_cast<std::size_t>(n) + 1;
  if (work.route.size() != size) {
    work.route.assign(size, unreachedRoute<Breakdown>());
    work.settled.assign(size, 0);
  }
  work.touched.assign(1, startPosition);
  work.route[static_cast<std::size_t>(startPosition)].total = 0;
  withQueue(net, startPosition, keys, buckets, [&](auto& queue) {
    settlePositions(net, n, edges, extend, work.settled, queue, work.route.data(),
                    net.hasNegativeArc() ? 0 : to, [&](int q) { work.touched.push_back(q); });
  });
  out = work.route[static_cast<std::size_t>(to)];

  for (const int p : work.touched) {
    work.route[static_cast<std::size_t>(p)] = unreachedRoute<Breakdown>();
    work.settled[static_cast<std::size_t>(p)] = 0;
  }
  return 0;
}

constexpr auto jrStep = [](const JrDistanceBreakdown& route, const DistJREdge& edge) {
  return jrExtendedBy(route, edge);
};

}  // namespace

int RDistMan::jrDistances(StationNo start, int n, JrDistanceBreakdown* out) const {
  DistanceSearchState state;
  return jrDistances(state, start, n, out);
}

int RDistMan::jrDistances(DistanceSearchState& state, StationNo start, int n,
                          JrDistanceBreakdown* out) const {
  return searchPositions(networkPositions(0), start, n, jrEdges_, jrStep, state.settled, state.queue,
                         state.buckets, out);
}

int RDistMan::jrDistanceTo(StationNo start, int n, int to, JrDistanceBreakdown& out) const {
  DistanceSearchState state;
  return jrDistanceTo(state, start, n, to, out);
}

int RDistMan::jrDistanceTo(DistanceSearchState& state, StationNo start, int n, int to,
                           JrDistanceBreakdown& out) const {
  return searchToPosition(networkPositions(0), start, n, to, jrEdges_, jrStep, state.jrTarget, state.queue,
                          state.buckets, out);
}

int RDistMan::privateDistanceTo(StationNo start, int n, NetworkCode network, int to,
                                PrDistanceBreakdown& out) const {
  DistanceSearchState state;
  return privateDistanceTo(state, start, n, network, to, out);
}

int RDistMan::privateDistanceTo(DistanceSearchState& state, StationNo start, int n, NetworkCode network,
                                int to, PrDistanceBreakdown& out) const {
  // Over code 0 a private search follows the private edges that network
  // 0's index entries name, as privateDistances does.
  const NetworkPositions& net = network == 0 ? privateEdgesOfJrPositions() : networkPositions(network);
  return searchToPosition(net, start, n, to, prEdges_, privateExtendedBy, state.prTarget, state.queue,
                          state.buckets, out);
}

int RDistMan::privateDistances(StationNo start, int n, NetworkCode network, PrDistanceBreakdown* out) const {
  DistanceSearchState state;
  return privateDistances(state, start, n, network, out);
}

int RDistMan::privateDistances(DistanceSearchState& state, StationNo start, int n, NetworkCode network,
                               PrDistanceBreakdown* out) const {
  // The JR network's tables lead to JR edges; a private search over code 0
  // (which no caller asks for) follows the private edges its index entries name.
  const NetworkPositions& net = network == 0 ? privateEdgesOfJrPositions() : networkPositions(network);
  return searchPositions(net, start, n, prEdges_, privateExtendedBy, state.settled, state.queue,
                         state.buckets, out);
}

int RDistMan::allDistances(StationNo start, int n, Distance* out) const {
  DistanceSearchState state;
  return allDistances(state, start, n, out);
}

int RDistMan::allDistances(DistanceSearchState& state, StationNo start, int n, Distance* out) const {
  if (n < 0) n = 0;
  const SearchTables& t = tables();
  std::fill(out + 1, out + n + 1, kUnreachedDistance);
  state.settled.assign(static_cast<std::size_t>(n) + 1, 0);
  state.queue.clear();
  // A start station outside 1..n is unknown: everything stays unreached.
  if (start >= 1 && start <= n) {
    out[start] = 0;
    push(state.queue, 0, start);
  }
  auto lower = [&](int to, int distance) {
    out[to] = boundedDistance(distance);
    push(state.queue, out[to], to);
  };

  while (!state.queue.empty()) {
    const std::uint64_t key = pop(state.queue);
    const int s = slotOf(key);
    const int here = out[s];
    if (state.settled[static_cast<std::size_t>(s)] || here != distanceOf(key)) continue;
    state.settled[static_cast<std::size_t>(s)] = 1;

    // Stations beyond the station directory are looked up as they come.
    const StationLinks* links = &state.spareLinks;
    if (static_cast<std::size_t>(s) < t.stations.size()) {
      links = &t.stations[static_cast<std::size_t>(s)];
    } else {
      collectStationLinks(static_cast<StationNo>(s), t.edges, state.spareLinks);
    }
    for (const auto& [to, distance] : links->edges) {
      if (to < 1 || to > n) continue;
      if (here + distance < out[to]) lower(to, here + distance);
    }
    // Linked stations count as one place: a link costs nothing.
    for (const StationNo to : links->linked) {
      if (to < 1 || to > n) continue;
      if (out[to] > here) lower(to, here);
    }
  }
  return 0;
}

}  // namespace kiv
