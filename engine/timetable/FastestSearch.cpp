// The station-label fastest search and the choice between the searches;
// the exact search is in FastestSearchExact.cpp.
#include "timetable/FastestSearch.h"

#include <algorithm>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

#include "network/RTrainMan.h"
#include "timetable/FastDepartures.h"
#include "timetable/FastestWork.h"
#include "timetable/RCnctMan.h"

namespace kiv {

FastestResult searchFastest(const TimetableNetwork& net, TimetableSearchState& state,
                            const FastestQuery& query) {
  FastestResult result;
  result.minutes =
      FastestSearch(net, state).run(query.from, query.to, query.start(), query.day, &result.path);
  if (result.minutes < 0) result.path.clear();
  return result;
}

int fastestMinutes(const TimetableNetwork& net, TimetableSearchState& state, const FastestQuery& query) {
  return FastestSearch(net, state).run(query.from, query.to, query.start(), query.day, nullptr);
}

const std::vector<int>* knownGoalBound(const TimetableSearchState& state, StationNo goal,
                                       const std::vector<std::uint8_t>& use) {
  const fastest_search::FastestWork* work = state.fastest.get();
  if (!work || work->boundGoal != goal || work->boundUse != use || work->bound.empty()) return nullptr;
  return &work->bound;
}

void FastestSearch::resetSearchTable(StationNo from, StationNo to, TimeOfDay start) {
  const int n = state_.stationCount();
  for (int s = 1; s <= n; ++s) {
    SearchNode& node = state_.table[static_cast<std::size_t>(s)];
    node.pred = 0;
    node.settled = 0;
    node.cost = kUnreachedCost;
    node.arrival = TimeOfDay{};
    node.departure = TimeOfDay{};
  }
  SearchNode& first = state_.table[static_cast<std::size_t>(from)];
  first.pred = -1;
  first.trainIn = -1;
  first.cost = 0;
  first.arrival = start;
  SearchNode& goal = state_.table[static_cast<std::size_t>(to)];
  goal.succ = -1;
  goal.trainOut = -1;
}

bool FastestSearch::relaxStation(SearchNode& here, StationNo sel, StationNo x, const DiaDepartureRecord& r,
                                 TimeOfDay dep, std::int16_t cost) {
  SearchNode& next = state_.table[static_cast<std::size_t>(x)];
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

int FastestSearch::runStationSearch(StationNo from, StationNo to, TimeOfDay start, int day) {
  const int n = state_.stationCount();
  resetSearchTable(from, to, start);
  const SearchNode& goal = state_.table[static_cast<std::size_t>(to)];

  for (int round = 0; round < n; ++round) {
    // Ties go to the highest station number; an unreached station can be
    // selected (and is then only marked).
    int smallest = kUnreachedCost;
    StationNo sel = 0;
    for (int s = 1; s <= n; ++s) {
      const SearchNode& node = state_.table[static_cast<std::size_t>(s)];
      if (node.settled == 0 && node.cost <= smallest) {
        smallest = node.cost;
        sel = static_cast<StationNo>(s);
      }
    }
    if (sel == 0) break;
    SearchNode& here = state_.table[static_cast<std::size_t>(sel)];
    here.settled = 1;
    if (smallest == kUnreachedCost) continue;

    for (const DiaDepartureRecord& r : net_.timetable.departuresOf(sel)) {
      if (net_.trains.getTrainUse(r.train) == 0) continue;
      const StationNo x = r.nextStation;
      if (x < 1 || x > n) continue;
      const TimeOfDay arr = here.arrival;
      TimeOfDay ready = arr;
      if (sel != from) net_.cnct.getBoardingTime(sel, here.trainIn, r.train, arr, ready);
      TimeOfDay dep = ready;
      // Staying on board a frequent service costs no wait; a timed train is
      // taken at its next departure from here like any other.
      const bool staysOnBoard = here.trainIn == r.train && r.interval != 0;
      if (!staysOnBoard && net_.timetable.nextDepartureOn(sel, x, r.train, ready, day, dep) != 0) continue;
      const int walk = Timetable::minutesBetween(arr, ready);
      const int wait = Timetable::minutesBetween(ready, dep);
      const auto c = static_cast<std::int16_t>(here.cost + walk + wait + r.rideMinutes);

      relaxStation(here, sel, x, r, dep, c);
    }
  }
  return goal.pred != 0 ? 0 : -1;
}

int FastestSearch::runStationSearchQueued(StationNo from, StationNo to, TimeOfDay start, int day) {
  const int n = state_.stationCount();
  resetSearchTable(from, to, start);
  const SearchNode& goal = state_.table[static_cast<std::size_t>(to)];
  std::vector<std::uint8_t> use(static_cast<std::size_t>(std::max(net_.trains.getTrainCount(), 0)) + 1, 1);
  for (std::size_t t = 1; t < use.size(); ++t) use[t] = net_.trains.getTrainUse(static_cast<TrainNo>(t)) != 0;
  const auto used = [&](TrainNo t) {
    return t >= 1 && static_cast<std::size_t>(t) < use.size() ? use[static_cast<std::size_t>(t)] != 0
                                                              : net_.trains.getTrainUse(t) != 0;
  };

  // The linear selection takes the least cost and, of equal costs, the
  // highest station number: the queue orders by cost, then station
  // descending. Entries whose station has since been settled or lowered are
  // stale. Once only unreached stations are left, nothing changes any more.
  using Entry = std::pair<int, int>;  // cost, -station
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
  queue.emplace(0, -from);
  while (!queue.empty()) {
    const auto [cost, minusStation] = queue.top();
    queue.pop();
    const auto sel = static_cast<StationNo>(-minusStation);
    SearchNode& here = state_.table[static_cast<std::size_t>(sel)];
    if (here.settled != 0 || here.cost != cost) continue;
    here.settled = 1;
    const std::span<const DiaDepartureRecord> leaving = boarding_.departuresFrom(sel);
    for (const DiaDepartureRecord& r : leaving) {
      if (!used(r.train)) continue;
      const StationNo x = r.nextStation;
      if (x < 1 || x > n) continue;
      const TimeOfDay arr = here.arrival;
      const TimeOfDay ready =
          sel != from
              ? fast_departures::addMinutes(arr, net_.cnct.transferMinutesIndexed(sel, here.trainIn, r.train))
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
      if (relaxStation(here, sel, x, r, dep, c)) queue.emplace(c, -x);
    }
  }
  return goal.pred != 0 ? 0 : -1;
}

std::vector<PathStop> FastestSearch::stationLabelPath(StationNo from, StationNo to) {
  const int n = state_.stationCount();
  auto node = [this](StationNo s) -> SearchNode& { return state_.node(s); };

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

int FastestSearch::run(StationNo from, StationNo to, TimeOfDay start, int day, std::vector<PathStop>* path) {
  const int n = state_.stationCount();
  if (from < 1 || from > n || to < 1 || to > n) return -1;
  const int serviceDay = net_.rules.serviceDays ? day : -1;
  if (net_.rules.exactFastest) {
    std::vector<PathStop> stops;
    const int minutes = runExactSearch(from, to, start, serviceDay, stops);
    if (path) *path = std::move(stops);
    return minutes;
  }
  const int found = net_.indexed ? runStationSearchQueued(from, to, start, serviceDay)
                                 : runStationSearch(from, to, start, serviceDay);
  if (found != 0) return -1;
  if (path) *path = stationLabelPath(from, to);
  return state_.table[static_cast<std::size_t>(to)].cost;
}

}  // namespace kiv
