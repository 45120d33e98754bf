// The fastest search on the timetable's indexes, and its station-label
// search; the exact search's lookups are in FastestSearchExact.cpp.
#include "timetable/FastestSearch.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

#include "network/RTrainMan.h"
#include "timetable/FastDepartures.h"
#include "timetable/FastestSearchBody.h"
#include "timetable/FastestWork.h"
#include "timetable/RCnctMan.h"

namespace kiv {

FastestResult searchFastest(const TimetableNetwork& net, TimetableSearchState& state,
                            const FastestQuery& query) {
  return searchFastestWith<IndexedLookups>(net, state, query);
}

int fastestMinutes(const TimetableNetwork& net, TimetableSearchState& state, const FastestQuery& query) {
  return fastestMinutesWith<IndexedLookups>(net, state, query);
}

const std::vector<int>* knownGoalBound(const TimetableSearchState& state, StationNo goal,
                                       const std::vector<std::uint8_t>& use) {
  const fastest_search::FastestWork* work = state.fastest.get();
  if (!work || work->boundGoal != goal || work->boundUse != use || work->bound.empty()) return nullptr;
  return &work->bound;
}

namespace fastest_search {

void resetSearchTable(TimetableSearchState& state, StationNo from, StationNo to, TimeOfDay start) {
  const int n = state.stationCount();
  for (int s = 1; s <= n; ++s) {
    SearchNode& node = state.table[static_cast<std::size_t>(s)];
    node.pred = 0;
    node.settled = 0;
    node.cost = kUnreachedCost;
    node.arrival = TimeOfDay{};
    node.departure = TimeOfDay{};
  }
  SearchNode& first = state.table[static_cast<std::size_t>(from)];
  first.pred = -1;
  first.trainIn = -1;
  first.cost = 0;
  first.arrival = start;
  SearchNode& goal = state.table[static_cast<std::size_t>(to)];
  goal.succ = -1;
  goal.trainOut = -1;
}

bool relaxStation(TimetableSearchState& state, SearchNode& here, StationNo sel, StationNo x,
                  const DiaDepartureRecord& r, TimeOfDay dep, std::int16_t cost) {
  SearchNode& next = state.table[static_cast<std::size_t>(x)];
  // A settled station keeps its label: with sound data it cannot be
  // improved anyway, and a negative riding time in the data must not
  // rewrite the path behind the search.
  if (next.settled != 0 || cost >= next.cost) return false;
  next.cost = cost;
  next.pred = sel;
  next.trainIn = r.train;
  next.boardHour = dep.hour;
  next.boardMinute = dep.minute;
  next.arrival = Timetable::addMinutes(dep, r.rideMinutes);
  here.succ = x;
  here.trainOut = r.train;
  here.departure = dep;
  return true;
}

}  // namespace fastest_search

int IndexedLookups::stationSearch(const TimetableNetwork& net, TimetableSearchState& state,
                                  const Boarding& boarding, StationNo from, StationNo to, TimeOfDay,
                                  int day) {
  const int n = state.stationCount();
  const SearchNode& goal = state.table[static_cast<std::size_t>(to)];
  std::vector<std::uint8_t> use(static_cast<std::size_t>(std::max(net.trains.getTrainCount(), 0)) + 1, 1);
  for (std::size_t t = 1; t < use.size(); ++t) use[t] = net.trains.getTrainUse(static_cast<TrainNo>(t)) != 0;
  const auto used = [&](TrainNo t) {
    return t >= 1 && static_cast<std::size_t>(t) < use.size() ? use[static_cast<std::size_t>(t)] != 0
                                                              : net.trains.getTrainUse(t) != 0;
  };

  // The station settled next is the one of least cost and, of equal costs,
  // the highest station number: the queue orders by cost, then station
  // descending. Entries whose station has since been settled or lowered are
  // stale. Once only unreached stations are left, nothing changes any more.
  using Entry = std::pair<int, int>;  // cost, -station
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
  queue.emplace(0, -from);
  while (!queue.empty()) {
    const auto [cost, minusStation] = queue.top();
    queue.pop();
    const auto sel = static_cast<StationNo>(-minusStation);
    SearchNode& here = state.table[static_cast<std::size_t>(sel)];
    if (here.settled != 0 || here.cost != cost) continue;
    here.settled = 1;
    const std::span<const DiaDepartureRecord> leaving = boarding.departuresFrom(sel);
    for (const DiaDepartureRecord& r : leaving) {
      if (!used(r.train)) continue;
      const StationNo x = r.nextStation;
      if (x < 1 || x > n) continue;
      const TimeOfDay arr = here.arrival;
      const TimeOfDay ready =
          sel != from
              ? fast_departures::addMinutes(arr, net.cnct.transferMinutesIndexed(sel, here.trainIn, r.train))
              : arr;
      TimeOfDay dep = ready;
      const bool staysOnBoard = here.trainIn == r.train && r.interval != 0;
      if (!staysOnBoard) {
        // nextDepartureOn over the station's records: the earliest, ties
        // to the first in the file.
        bool found = false;
        for (const DiaDepartureRecord& other : leaving) {
          TimeOfDay d{};
          if (other.train != r.train || other.nextStation != x) continue;
          if (!fast_departures::recordDeparture(other, ready, day, d)) continue;
          if (!found || d.totalMinutes() < dep.totalMinutes()) dep = d;
          found = true;
        }
        if (!found) continue;
      }
      const int walk = Timetable::minutesBetween(arr, ready);
      const int wait = Timetable::minutesBetween(ready, dep);
      const auto c = static_cast<std::int16_t>(here.cost + walk + wait + r.rideMinutes);
      if (fastest_search::relaxStation(state, here, sel, x, r, dep, c)) queue.emplace(c, -x);
    }
  }
  return goal.pred != 0 ? 0 : -1;
}

std::vector<PathStop> fastest_search::stationLabelPath(TimetableSearchState& state, StationNo from,
                                                       StationNo to) {
  const int n = state.stationCount();
  auto node = [&state](StationNo s) -> SearchNode& { return state.node(s); };

  // Path pass: fix succ, trainOut and departure along the chosen path, from
  // the destination back to the start. Every pred was settled before the
  // station it leads to, so the walk ends at the start within n steps.
  StationNo i = to;
  for (int steps = 0; node(i).pred != -1 && steps < n; ++steps) {
    const StationNo p = node(i).pred;
    node(p).departure = {static_cast<std::int8_t>(node(i).boardHour),
                         static_cast<std::int8_t>(node(i).boardMinute)};
    node(p).succ = i;
    node(p).trainOut = node(i).trainIn;
    i = p;
  }
  node(to).succ = -1;
  node(to).trainOut = -1;

  std::vector<PathStop> path;
  i = from;
  for (int steps = 0; node(i).succ != -1 && steps < n; ++steps) {
    const SearchNode& here = node(i);
    path.push_back({i, i == from ? TrainNo{-1} : here.trainIn, here.trainOut, here.arrival, here.departure});
    i = here.succ;
  }
  path.push_back({to, node(to).trainIn, -1, node(to).arrival, node(to).arrival});
  return path;
}

}  // namespace kiv
