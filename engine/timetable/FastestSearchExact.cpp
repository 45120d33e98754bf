// The exact time-priority search. A passenger standing at a station on one
// train can go on differently from one who arrived there on another
// (staying on board costs no change minutes), so every arrival train at a
// station is a label of its own, and a later arrival on a through train is
// not lost to an earlier one that has to change. Labels are also kept apart
// by their number of boardings, so that among the earliest arrivals the
// route with the fewest changes is found.
#include <algorithm>
#include <functional>
#include <limits>
#include <memory>
#include <span>
#include <tuple>
#include <vector>

#include "network/RTrainMan.h"
#include "timetable/FastDepartures.h"
#include "timetable/FastestSearch.h"
#include "timetable/FastestSearchBody.h"
#include "timetable/FastestWork.h"

namespace kiv {

namespace fastest_search {

void FastestWork::buildHops(const Timetable& timetable) {
  if (hops) return;
  hops = &timetable.trainHops();
  const std::size_t states = hops->stateStation.size();
  reachedIn.assign(states, 0);
  closedIn.assign(states, 0);
  stateCost.assign(states, 0);
  stateArrival.assign(states, TimeOfDay{});
}

int FastestWork::earliestArrival(const Boarding& boarding, const Timetable& timetable, StationNo from,
                                 StationNo to, TimeOfDay start, int day) {
  buildHops(timetable);
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
      eachDeparture(boarding, timetable, hop, s, trainIn, cost, arrival, atStart, start, day, limitFor(),
                    [&](std::int32_t, int c, TimeOfDay dep, int ride) {
                      if (c + toGoal <= kUnreachedCost && c < best) {
                        best = c;
                        bestArrival = Timetable::addMinutes(dep, ride);
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

void FastestWork::groupedCandidates(const Boarding& boarding, const Timetable& timetable, const Label& label,
                                    int day, TimeOfDay start, int latest) {
  candidates.clear();
  const auto first = hops->hopStart[static_cast<std::size_t>(label.station)];
  const auto end = hops->hopStart[static_cast<std::size_t>(label.station) + 1];
  for (auto h = first; h < end; ++h) {
    const TrainHopIndex::Hop& hop = hops->hops[static_cast<std::size_t>(h)];
    if (!isUsed(hop.train)) continue;
    const int toGoal = bound[static_cast<std::size_t>(hop.next)];
    // Every record of the group costs at least the least riding minutes.
    if (label.cost + hop.leastRide + toGoal > latest) continue;
    eachDeparture(boarding, timetable, hop, label.station, label.train, label.cost, label.arrival,
                  label.parent < 0, start, day, latest - toGoal,
                  [&](std::int32_t k, int c, TimeOfDay dep, int ride) {
                    if (c + toGoal <= latest) {
                      candidates.push_back({hops->spanPosition[static_cast<std::size_t>(k)], hop.next,
                                            hop.train, c, ride, dep});
                    }
                    return latest - toGoal;
                  });
  }
  // The labels are made in the order of the records.
  std::sort(candidates.begin(), candidates.end(),
            [](const Candidate& p, const Candidate& q) { return p.position < q.position; });
}

}  // namespace fastest_search

using fastest_search::FastestWork;

fastest_search::FastestWork& IndexedLookups::exactWork(TimetableSearchState& state, FastestWork&) {
  if (!state.fastest) state.fastest = std::make_unique<FastestWork>();
  return *state.fastest;
}

int IndexedLookups::exactLatest(const TimetableNetwork& net, const Boarding& boarding, FastestWork& work,
                                StationNo from, StationNo to, TimeOfDay start, int day) {
  // The minutes of the earliest arrival: the labels that cannot arrive by
  // then are of no use. The bound of the last search serves again for the
  // same goal and trains.
  if (work.boundGoal != to || work.boundUse != work.use) {
    work.bound = minutesToGoalBound(net, to);
    work.boundGoal = to;
    work.boundUse = work.use;
  }
  return work.earliestArrival(boarding, net.timetable, from, to, start, day);
}

void IndexedLookups::exactCandidates(const TimetableNetwork& net, const Boarding& boarding, FastestWork& work,
                                     const fastest_search::Label& label, int day, TimeOfDay start,
                                     int latest) {
  work.groupedCandidates(boarding, net.timetable, label, day, start, latest);
}

int fastest_search::exactRoute(TimetableSearchState& state, const std::vector<Label>& labels, int reached,
                               StationNo from, TimeOfDay start, std::vector<PathStop>& path) {
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
    SearchNode& node = state.table[static_cast<std::size_t>(here.station)];
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
  SearchNode& first = state.table[static_cast<std::size_t>(from)];
  first.pred = -1;
  first.trainIn = -1;
  first.cost = 0;
  first.arrival = start;
  return labels[static_cast<std::size_t>(reached)].cost;
}

}  // namespace kiv
