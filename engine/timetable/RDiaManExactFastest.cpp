// The exact time-priority search of RDiaMan. A passenger standing at a
// station on one train can go on differently from one who arrived there on
// another (staying on board costs no change minutes), so every arrival train
// at a station is a label of its own, and a later arrival on a through train
// is not lost to an earlier one that has to change. Labels are also kept
// apart by their number of boardings, so that among the earliest arrivals
// the route with the fewest changes is found.
#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <span>
#include <tuple>
#include <vector>

#include "network/RTrainMan.h"
#include "timetable/FastDepartures.h"
#include "timetable/RDiaMan.h"
#include "timetable/TimetableIndexTrainHops.h"

namespace kiv {

namespace {

// One way of standing at a station: reached on `train` (-1 at the start)
// after `boardings` boardings of trains that are not walking connections.
struct Label {
  StationNo station = 0;
  TrainNo train = -1;
  int cost = 0;
  int boardings = 0;
  TimeOfDay arrival;
  TimeOfDay departure;  // from the previous station; at the start, the start
  int parent = -1;      // label of the previous station; -1 at the start
};

// A label settled at a station: its arrival train, and the fewest boardings
// and the cost with which that train has been settled there.
struct Settled {
  TrainNo train;
  int boardings;
  int cost;
};

// The latest arrival a label may have, hour * 60 + minute.
constexpr int kLatestMinutes = 120 * 60;

// Earliest first, then fewest boardings, then the label made first.
using QueueEntry = std::tuple<int, int, int>;

}  // namespace

// A hop a settled label may make: the record (by its place in the
// station's departure span), its next stop and train, and the label it makes.
struct Candidate {
  std::int32_t position = 0;
  StationNo next = 0;
  TrainNo train = 0;
  int cost = 0;
  int ride = 0;
  TimeOfDay departure;
};

// The labels, the settled trains of each station and the queue of one
// search. The fast search keeps them from one search to the next and clears
// only the stations it touched.
struct RDiaMan::FastestWork {
  std::vector<Label> labels;
  std::vector<std::vector<Settled>> settledAt;
  std::vector<StationNo> touched;
  std::vector<QueueEntry> queue;  // a heap, least entry first
  std::vector<std::uint8_t> use;  // per train: 1 when switched on
  std::vector<Candidate> candidates;
  // The least riding minutes to boundGoal with the trains of boundUse.
  StationNo boundGoal = 0;
  std::vector<std::uint8_t> boundUse;
  std::vector<int> bound;
  void push(const QueueEntry& entry) {
    queue.push_back(entry);
    std::push_heap(queue.begin(), queue.end(), std::greater<>());
  }
  QueueEntry pop() {
    std::pop_heap(queue.begin(), queue.end(), std::greater<>());
    const QueueEntry top = queue.back();
    queue.pop_back();
    return top;
  }
  bool isUsed(TrainNo t) const {
    return t < 1 || static_cast<std::size_t>(t) >= use.size() || use[static_cast<std::size_t>(t)] != 0;
  }

  // The departures of the station's records grouped by next stop and train
  // (built on first use), and the search for the earliest arrival over
  // them: one label per station and arrival train, each group taken at its
  // earliest record. Only the minutes of the earliest arrival come out of it.
  std::unique_ptr<TrainHopIndex> hops;
  std::vector<std::uint32_t> reachedIn;  // by state: the search that reached it
  std::vector<std::uint32_t> closedIn;   // by state: the search that settled it
  std::uint32_t searchNumber = 0;
  std::vector<int> stateCost;
  std::vector<TimeOfDay> stateArrival;
  std::vector<std::uint64_t> stateQueue;  // a heap of (least minutes, state), least first
  void buildHops(const RDiaMan& dia);
  int earliestArrival(const RDiaMan& dia, StationNo from, StationNo to, TimeOfDay start, int day);
  // Calls take(k, cost, departure, ride) for every record k of the group
  // that a passenger at station s can take, as routeHop takes it: standing
  // there on trainIn at `arrival`, `cost` minutes after `start`. Records
  // that would cost more than `limit` may be left out; take gives the limit
  // for the records after.
  template <typename Take>
  void eachDeparture(const RDiaMan& dia, const TrainHopIndex::Hop& hop, StationNo s, TrainNo trainIn,
                     int cost, TimeOfDay arrival, bool atStart, TimeOfDay start, int day, int limit,
                     Take take) const {
    const TimeOfDay ready = dia.readyToBoard(hop.train, s, atStart, trainIn, arrival);
    const int walk = minutesBetween(arrival, ready);
    // On the clock, a record leaves in one of its served hours, at or after
    // the hour the passenger is ready in: a record serving none of the hours
    // up to the latest useful departure is of no use.
    const bool onClock =
        dia.timetableIndex().clockwise && ready.hour >= 0 && ready.minute >= 0 && ready.minute < 60;
    for (auto k = hop.first; k < hop.first + hop.count; ++k) {
      const DiaDepartureRecord& r = hops->records[static_cast<std::size_t>(k)];
      // Riding minutes below 0 (bad data) count as 0.
      const int ride = std::max<int>(0, r.rideMinutes);
      TimeOfDay dep = ready;
      // Staying on board a frequent service costs no wait.
      const bool staysOnBoard = trainIn == hop.train && r.interval != 0;
      if (!staysOnBoard) {
        if (onClock &&
            !fast_departures::mayLeaveBy(r, ready, ready.totalMinutes() + limit - cost - walk - ride))
          continue;
        if (!fast_departures::recordDeparture(r, ready, day, dep)) continue;
      }
      const int c = cost + walk + minutesBetween(ready, dep) + ride;
      // Hours are held in 8 bits: a label days later is of no use anyway.
      if (c >= kUnreachedCost || start.totalMinutes() + c > kLatestMinutes) continue;
      limit = take(k, c, dep, ride);
    }
  }
  // The hops of a settled label that can reach `to` within `latest` minutes
  // by the bound, in the order of the station's departure span.
  void groupedCandidates(const RDiaMan& dia, const Label& label, int day, TimeOfDay start, int latest);
};

void RDiaMan::FastestWork::buildHops(const RDiaMan& dia) {
  if (hops) return;
  hops = std::make_unique<TrainHopIndex>(TrainHopIndex::build(dia.timetable()));
  const std::size_t states = hops->stateStation.size();
  reachedIn.assign(states, 0);
  closedIn.assign(states, 0);
  stateCost.assign(states, 0);
  stateArrival.assign(states, TimeOfDay{});
}

int RDiaMan::FastestWork::earliestArrival(const RDiaMan& dia, StationNo from, StationNo to, TimeOfDay start,
                                          int day) {
  buildHops(dia);
  if (++searchNumber == 0) {
    // After four billion searches the marks start again from nothing.
    std::fill(reachedIn.begin(), reachedIn.end(), 0);
    std::fill(closedIn.begin(), closedIn.end(), 0);
    searchNumber = 1;
  }
  stateQueue.clear();
  const auto expand = [&](StationNo s, TrainNo trainIn, int cost, TimeOfDay arrival, bool atStart) {
    const auto first = hops->hopStart[static_cast<std::size_t>(s)];
    const auto end = hops->hopStart[static_cast<std::size_t>(s) + 1];
    for (auto h = first; h < end; ++h) {
      const TrainHopIndex::Hop& hop = hops->hops[static_cast<std::size_t>(h)];
      const auto state = static_cast<std::size_t>(hop.state);
      if (!isUsed(hop.train) || closedIn[state] == searchNumber) continue;
      const int toGoal = bound[static_cast<std::size_t>(hop.next)];
      if (cost + hop.leastRide + toGoal > kUnreachedCost) continue;
      int best = reachedIn[state] == searchNumber ? stateCost[state] : std::numeric_limits<int>::max();
      TimeOfDay bestArrival{};
      bool improved = false;
      // Of use: a record that leads to the goal within the search's range
      // and beats the best so far.
      const auto limitFor = [&] { return std::min(kUnreachedCost - toGoal, best - 1); };
      eachDeparture(dia, hop, s, trainIn, cost, arrival, atStart, start, day, limitFor(),
                    [&](std::int32_t, int c, TimeOfDay dep, int ride) {
                      if (c + toGoal <= kUnreachedCost && c < best) {
                        best = c;
                        bestArrival = addMinutes(dep, ride);
                        improved = true;
                      }
                      return limitFor();
                    });
      if (!improved) continue;
      reachedIn[state] = searchNumber;
      stateCost[state] = best;
      stateArrival[state] = bestArrival;
      stateQueue.push_back((static_cast<std::uint64_t>(best + toGoal) << 32) |
                           static_cast<std::uint32_t>(state));
      std::push_heap(stateQueue.begin(), stateQueue.end(), std::greater<>());
    }
  };
  expand(from, -1, 0, start, true);
  while (!stateQueue.empty()) {
    std::pop_heap(stateQueue.begin(), stateQueue.end(), std::greater<>());
    const std::uint64_t top = stateQueue.back();
    stateQueue.pop_back();
    const auto state = static_cast<std::size_t>(top & 0xFFFFFFFFu);
    if (closedIn[state] == searchNumber) continue;
    const StationNo x = hops->stateStation[state];
    // An entry made before the state was reached at less is stale.
    if (static_cast<int>(top >> 32) != stateCost[state] + bound[static_cast<std::size_t>(x)]) continue;
    closedIn[state] = searchNumber;
    if (x == to) return stateCost[state];
    expand(x, hops->stateTrain[state], stateCost[state], stateArrival[state], false);
  }
  return -1;
}

void RDiaMan::FastestWork::groupedCandidates(const RDiaMan& dia, const Label& label, int day, TimeOfDay start,
                                             int latest) {
  candidates.clear();
  const auto first = hops->hopStart[static_cast<std::size_t>(label.station)];
  const auto end = hops->hopStart[static_cast<std::size_t>(label.station) + 1];
  for (auto h = first; h < end; ++h) {
    const TrainHopIndex::Hop& hop = hops->hops[static_cast<std::size_t>(h)];
    if (!isUsed(hop.train)) continue;
    const int toGoal = bound[static_cast<std::size_t>(hop.next)];
    // Every record of the group costs at least the least riding minutes.
    if (label.cost + hop.leastRide + toGoal > latest) continue;
    eachDeparture(dia, hop, label.station, label.train, label.cost, label.arrival, label.parent < 0, start,
                  day, latest - toGoal, [&](std::int32_t k, int c, TimeOfDay dep, int ride) {
                    if (c + toGoal <= latest) {
                      candidates.push_back({hops->spanPosition[static_cast<std::size_t>(k)], hop.next,
                                            hop.train, c, ride, dep});
                    }
                    return latest - toGoal;
                  });
  }
  // The labels are made in the order of the records, as the reference makes them.
  std::sort(candidates.begin(), candidates.end(),
            [](const Candidate& p, const Candidate& q) { return p.position < q.position; });
}

int RDiaMan::runExactFastestSearch(StationNo from, StationNo to, TimeOfDay start, int day,
                                   std::vector<PathStop>& path) {
  const int n = searchStationCount();
  resetSearchTable(from, to, start);

  FastestWork fresh;
  if (fast() && !fastestWork_) fastestWork_ = std::make_shared<FastestWork>();
  FastestWork& work = fast() ? *fastestWork_ : fresh;
  std::vector<Label>& labels = work.labels;
  std::vector<std::vector<Settled>>& settledAt = work.settledAt;
  settledAt.resize(static_cast<std::size_t>(n) + 1);
  work.use.assign(static_cast<std::size_t>(std::max(trains_.getTrainCount(), 0)) + 1, 1);
  for (std::size_t t = 1; t < work.use.size(); ++t)
    work.use[t] = trains_.getTrainUse(static_cast<TrainNo>(t)) != 0;
  const auto used = [&](TrainNo t) { return fast() ? work.isUsed(t) : trains_.getTrainUse(t) != 0; };
  // A label is no use when its train was settled at its station with no
  // more boardings at no greater cost.
  auto isDominated = [&](StationNo s, TrainNo train, int boardings, int cost) {
    const auto& settled = settledAt[static_cast<std::size_t>(s)];
    return std::any_of(settled.begin(), settled.end(), [&](const Settled& l) {
      return l.train == train && l.boardings <= boardings && l.cost <= cost;
    });
  };
  // The hops of a settled label record by record, as first written.
  const auto recordCandidates = [&](const Label& label) {
    work.candidates.clear();
    const std::span<const DiaDepartureRecord> leaving = departuresOf(label.station);
    for (std::size_t k = 0; k < leaving.size(); ++k) {
      const DiaDepartureRecord& r = leaving[k];
      if (!used(r.train)) continue;
      const StationNo x = r.nextStation;
      if (x < 1 || x > n) continue;
      RouteHop hop;
      if (!routeHop(r, label.station, label.parent < 0, label.train, label.arrival, day, false, hop))
        continue;
      // Riding minutes below 0 (bad data) count as 0: costs never fall, so
      // the search settles every label once and ends.
      const int ride = std::max<int>(0, r.rideMinutes);
      const int cost = label.cost + hop.walk + hop.wait + ride;
      // Hours are held in 8 bits: a label days later is of no use anyway.
      if (cost >= kUnreachedCost || start.totalMinutes() + cost > kLatestMinutes) continue;
      work.candidates.push_back({static_cast<std::int32_t>(k), x, r.train, cost, ride, hop.departure});
    }
  };

  // The search in the reference order. The fast one makes only the labels
  // that can reach the goal within `latest` minutes by the bound.
  int latest = std::numeric_limits<int>::max();
  auto search = [&]() {
    for (const StationNo s : work.touched) settledAt[static_cast<std::size_t>(s)].clear();
    work.touched.clear();
    labels.clear();
    work.queue.clear();
    labels.push_back({from, -1, 0, 0, start, start, -1});
    work.push({0, 0, 0});
    while (!work.queue.empty()) {
      const int index = std::get<2>(work.pop());
      const Label label = labels[static_cast<std::size_t>(index)];
      if (isDominated(label.station, label.train, label.boardings, label.cost)) continue;
      auto& settled = settledAt[static_cast<std::size_t>(label.station)];
      if (settled.empty()) work.touched.push_back(label.station);
      settled.push_back({label.train, label.boardings, label.cost});
      if (label.station == to) return index;
      if (fast()) {
        work.groupedCandidates(*this, label, day, start, latest);
      } else {
        recordCandidates(label);
      }
      for (const Candidate& c : work.candidates) {
        const bool boards = c.train != label.train && !walkingTrain(c.train);
        const int boardings = label.boardings + (boards ? 1 : 0);
        if (isDominated(c.next, c.train, boardings, c.cost)) continue;
        labels.push_back(
            {c.next, c.train, c.cost, boardings, addMinutes(c.departure, c.ride), c.departure, index});
        work.push({c.cost, boardings, static_cast<int>(labels.size()) - 1});
      }
    }
    return -1;
  };
  int reached = -1;
  if (fast()) {
    // First the minutes of the earliest arrival; then the search in the
    // reference order, making only the labels that can still arrive by
    // then. The labels left out are followed by no label that could, so
    // those made keep their order and the same route is found.
    // The bound of the last search serves again for the same goal and trains.
    if (work.boundGoal != to || work.boundUse != work.use) {
      work.bound = minutesToGoalBound(to);
      work.boundGoal = to;
      work.boundUse = work.use;
    }
    latest = work.earliestArrival(*this, from, to, start, day);
    if (latest >= 0) reached = search();
  } else {
    reached = search();
  }
  if (reached < 0) return -1;

  std::vector<int> chain;
  for (int i = reached; i >= 0; i = labels[static_cast<std::size_t>(i)].parent) chain.push_back(i);
  std::reverse(chain.begin(), chain.end());
  path.clear();
  for (std::size_t k = 0; k < chain.size(); ++k) {
    const Label& here = labels[static_cast<std::size_t>(chain[k])];
    const bool last = k + 1 == chain.size();
    const Label* next = last ? nullptr : &labels[static_cast<std::size_t>(chain[k + 1])];
    path.push_back({here.station, here.train, next ? next->train : TrainNo{-1}, here.arrival,
                    next ? next->departure : here.arrival});
    SearchNode& node = searchTable_[static_cast<std::size_t>(here.station)];
    node.cost = static_cast<std::int16_t>(here.cost);
    node.pred = k == 0 ? StationNo{-1} : labels[static_cast<std::size_t>(chain[k - 1])].station;
    node.trainIn = here.train;
    node.boardHour = here.departure.hour;
    node.boardMinute = here.departure.minute;
    node.arrival = here.arrival;
    node.departure = path.back().departure;
    node.succ = next ? next->station : StationNo{-1};
    node.trainOut = path.back().trainOut;
    node.settled = 1;
  }
  // A route that passes its start again must not disturb the start node the
  // multi-route search begins from.
  SearchNode& first = searchTable_[static_cast<std::size_t>(from)];
  first.pred = -1;
  first.trainIn = -1;
  first.cost = 0;
  first.arrival = start;
  return labels[static_cast<std::size_t>(reached)].cost;
}

const std::vector<int>* RDiaMan::knownGoalBound(StationNo goal, const std::vector<std::uint8_t>& use) const {
  const FastestWork* work = fastestWork_.get();
  if (!work || work->boundGoal != goal || work->boundUse != use || work->bound.empty()) return nullptr;
  return &work->bound;
}

}  // namespace kiv
