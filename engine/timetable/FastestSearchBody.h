// The steps of one fastest search over the timetable, as a template over
// the lookups it makes (IndexedLookups in the engine): the choice between
// the station search and the exact search, and the exact search itself.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <tuple>
#include <vector>

#include "Types.h"
#include "network/RTrainMan.h"
#include "timetable/FastestSearch.h"
#include "timetable/FastestWork.h"
#include "timetable/TimetableSearch.h"

namespace kiv {

namespace fastest_search {

// Resets the search table for a search from `from` leaving at `start`.
void resetSearchTable(TimetableSearchState& state, StationNo from, StationNo to, TimeOfDay start);
// Station x reached from sel (whose node is `here`) by record r leaving at
// dep at `cost`, unless x is settled or known at no greater cost: true when
// x's node was updated.
bool relaxStation(TimetableSearchState& state, SearchNode& here, StationNo sel, StationNo x,
                  const DiaDepartureRecord& r, TimeOfDay dep, std::int16_t cost);
// The stops of the route the station search found, by the pred links.
std::vector<PathStop> stationLabelPath(TimetableSearchState& state, StationNo from, StationNo to);
// The route of the exact search's label `reached` into path, and its
// stations' nodes filled along it in the search table; the start node as
// the multi-route search begins from it. The route's minutes.
int exactRoute(TimetableSearchState& state, const std::vector<Label>& labels, int reached, StationNo from,
               TimeOfDay start, std::vector<PathStop>& path);

}  // namespace fastest_search

template <typename Lookups>
class BasicFastestSearch {
 public:
  BasicFastestSearch(const TimetableNetwork& net, TimetableSearchState& state)
      : net_(net), state_(state), boarding_(net, state) {}
  // The minutes, and the stops in *path when given; -1 when there is no route.
  int run(StationNo from, StationNo to, TimeOfDay start, int day, std::vector<PathStop>* path) {
    const int n = state_.stationCount();
    if (from < 1 || from > n || to < 1 || to > n) return -1;
    const int serviceDay = net_.rules.serviceDays ? day : -1;
    if (net_.rules.exactFastest) {
      std::vector<PathStop> stops;
      const int minutes = runExactSearch(from, to, start, serviceDay, stops);
      if (path) *path = std::move(stops);
      return minutes;
    }
    fastest_search::resetSearchTable(state_, from, to, start);
    if (Lookups::stationSearch(net_, state_, boarding_, from, to, start, serviceDay) != 0) return -1;
    if (path) *path = fastest_search::stationLabelPath(state_, from, to);
    return state_.table[static_cast<std::size_t>(to)].cost;
  }

 private:
  // The exact search with one label per station and arrival train (and
  // number of changes); the minutes, or -1. Leaves the start node set and
  // the nodes of the route's stations filled along the route.
  int runExactSearch(StationNo from, StationNo to, TimeOfDay start, int day, std::vector<PathStop>& path);

  const TimetableNetwork& net_;
  TimetableSearchState& state_;
  BasicBoarding<Lookups> boarding_;
};

template <typename Lookups>
int BasicFastestSearch<Lookups>::runExactSearch(StationNo from, StationNo to, TimeOfDay start, int day,
                                                std::vector<PathStop>& path) {
  using namespace fastest_search;
  const int n = state_.stationCount();
  resetSearchTable(state_, from, to, start);

  FastestWork fresh;
  FastestWork& work = Lookups::exactWork(state_, fresh);
  std::vector<Label>& labels = work.labels;
  std::vector<std::vector<Settled>>& settledAt = work.settledAt;
  settledAt.resize(static_cast<std::size_t>(n) + 1);
  work.use.assign(static_cast<std::size_t>(std::max(net_.trains.getTrainCount(), 0)) + 1, 1);
  for (std::size_t t = 1; t < work.use.size(); ++t)
    work.use[t] = net_.trains.getTrainUse(static_cast<TrainNo>(t)) != 0;
  // A label is no use when its train was settled at its station with no
  // more boardings at no greater cost.
  auto isDominated = [&](StationNo s, TrainNo train, int boardings, int cost) {
    const auto& settled = settledAt[static_cast<std::size_t>(s)];
    return std::any_of(settled.begin(), settled.end(), [&](const Settled& l) {
      return l.train == train && l.boardings <= boardings && l.cost <= cost;
    });
  };

  // The labels are made in the order of the records at each settled label;
  // the lookups may leave out those that cannot reach the goal within
  // `latest` minutes: they are followed by no label that could, so those
  // made keep their order and the same route is found.
  const int latest = Lookups::exactLatest(net_, boarding_, work, from, to, start, day);
  if (latest < 0) return -1;
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
      Lookups::exactCandidates(net_, boarding_, work, label, day, start, latest);
      for (const Candidate& c : work.candidates) {
        const bool boards = c.train != label.train && !boarding_.walkingTrain(c.train);
        const int boardings = label.boardings + (boards ? 1 : 0);
        if (isDominated(c.next, c.train, boardings, c.cost)) continue;
        labels.push_back({c.next, c.train, c.cost, boardings, Timetable::addMinutes(c.departure, c.ride),
                          c.departure, index});
        work.push({c.cost, boardings, static_cast<int>(labels.size()) - 1});
      }
    }
    return -1;
  };
  const int reached = search();
  if (reached < 0) return -1;
  return exactRoute(state_, labels, reached, from, start, path);
}

// searchFastest and fastestMinutes with the lookups of `Lookups`.
template <typename Lookups>
FastestResult searchFastestWith(const TimetableNetwork& net, TimetableSearchState& state,
                                const FastestQuery& query) {
  FastestResult result;
  result.minutes = BasicFastestSearch<Lookups>(net, state)
                       .run(query.from, query.to, query.start(), query.day, &result.path);
  if (result.minutes < 0) result.path.clear();
  return result;
}

template <typename Lookups>
int fastestMinutesWith(const TimetableNetwork& net, TimetableSearchState& state, const FastestQuery& query) {
  return BasicFastestSearch<Lookups>(net, state).run(query.from, query.to, query.start(), query.day, nullptr);
}

}  // namespace kiv
