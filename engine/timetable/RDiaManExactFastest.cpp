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
#include <tuple>
#include <vector>

#include "network/RTrainMan.h"
#include "timetable/RDiaMan.h"

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

// The labels, the settled trains of each station and the queue of one
// search. The fast search keeps them from one search to the next and clears
// only the stations it touched.
struct RDiaMan::FastestWork {
  std::vector<Label> labels;
  std::vector<std::vector<Settled>> settledAt;
  std::vector<StationNo> touched;
  std::vector<QueueEntry> queue;  // a heap, least entry first
  std::vector<std::uint8_t> use;  // per train: 1 when switched on
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
};

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
  const auto used = [&](TrainNo t) {
    if (fast() && t >= 1 && static_cast<std::size_t>(t) < work.use.size())
      return work.use[static_cast<std::size_t>(t)] != 0;
    return trains_.getTrainUse(t) != 0;
  };
  // A label is no use when its train was settled at its station with no
  // more boardings at no greater cost.
  auto isDominated = [&](StationNo s, TrainNo train, int boardings, int cost) {
    const auto& settled = settledAt[static_cast<std::size_t>(s)];
    return std::any_of(settled.begin(), settled.end(), [&](const Settled& l) {
      return l.train == train && l.boardings <= boardings && l.cost <= cost;
    });
  };

  // The search; with `toGoal`, the queue orders by cost plus the least
  // riding minutes to the goal and labels that cannot reach the goal within
  // `latest` minutes are not made.
  const std::vector<int>* toGoal = nullptr;
  int latest = 0;
  bool estimated = false;
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
      // The search led towards the goal looks for the earliest arrival only;
      // the boardings change no cost, so it keeps one label per train.
      const int countedBoardings = estimated ? 0 : label.boardings;
      if (isDominated(label.station, label.train, countedBoardings, label.cost)) continue;
      auto& settled = settledAt[static_cast<std::size_t>(label.station)];
      if (settled.empty()) work.touched.push_back(label.station);
      settled.push_back({label.train, countedBoardings, label.cost});
      if (label.station == to) return index;
      for (const DiaDepartureRecord& r : departuresFrom(label.station)) {
        if (!used(r.train)) continue;
        const StationNo x = r.nextStation;
        if (x < 1 || x > n) continue;
        // The hop costs at least its riding minutes.
        if (toGoal &&
            label.cost + std::max<int>(0, r.rideMinutes) + (*toGoal)[static_cast<std::size_t>(x)] > latest)
          continue;
        RouteHop hop;
        if (!routeHop(r, label.station, label.parent < 0, label.train, label.arrival, day, false, hop))
          continue;
        // Riding minutes below 0 (bad data) count as 0: costs never fall, so
        // the search settles every label once and ends.
        const int ride = std::max<int>(0, r.rideMinutes);
        const int cost = label.cost + hop.walk + hop.wait + ride;
        // Hours are held in 8 bits: a label days later is of no use anyway.
        if (cost >= kUnreachedCost || start.totalMinutes() + cost > kLatestMinutes) continue;
        const int least = toGoal ? cost + (*toGoal)[static_cast<std::size_t>(x)] : cost;
        if (least > latest) continue;
        const bool boards = r.train != label.train && !walkingTrain(r.train);
        const int boardings = label.boardings + (boards ? 1 : 0);
        if (isDominated(x, r.train, estimated ? 0 : boardings, cost)) continue;
        labels.push_back(
            {x, r.train, cost, boardings, addMinutes(hop.departure, ride), hop.departure, index});
        work.push({estimated ? least : cost, boardings, static_cast<int>(labels.size()) - 1});
      }
    }
    return -1;
  };
  int reached = -1;
  if (fast()) {
    // First the earliest arrival, by a search led towards the goal (which
    // settles labels of equal cost in another order, and keeps one label
    // per station and train); then the search in
    // the reference order, making only the labels that can still arrive by
    // then. The labels left out are followed by no label that could, so
    // those made keep their order and the same route is found.
    // The bound of the last search serves again for the same goal and trains.
    if (work.boundGoal != to || work.boundUse != work.use) {
      work.bound = minutesToGoalBound(to);
      work.boundGoal = to;
      work.boundUse = work.use;
    }
    toGoal = &work.bound;
    estimated = true;
    latest = kUnreachedCost;
    reached = search();
    if (reached >= 0) {
      latest = labels[static_cast<std::size_t>(reached)].cost;
      estimated = false;
      reached = search();
    }
  } else {
    latest = std::numeric_limits<int>::max();
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

}  // namespace kiv
