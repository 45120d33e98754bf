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
#include "timetable/FastestWork.h"

namespace kiv {

namespace fastest_search {

void FastestWork::buildHops(const Timetable& timetable) {
  if (hops) return;
  hops = std::make_unique<TrainHopIndex>(TrainHopIndex::build(timetable));
  const std::size_t states = hops->stateStation.size();
  reachedIn.assign(states, 0);
  closedIn.assign(states, 0);
  stateCost.assign(states, 0);
  stateArrival.assign(states, TimeOfDay{});
}

int FastestWork::earliestArrival(const Boarding& boarding, const Timetable& timetable, StationNo from, StationNo to,
                                 TimeOfDay start, int day) {
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

void FastestWork::groupedCandidates(const Boarding& boarding, const Timetable& timetable, const Label& label, int day,
                                    TimeOfDay start, int latest) {
  candidates.clear();
  const auto first = hops->hopStart[static_cast<std::size_t>(label.station)];
  const auto end = hops->hopStart[static_cast<std::size_t>(label.station) + 1];
  for (auto h = first; h < end; ++h) {
    const TrainHopIndex::Hop& hop = hops->hops[static_cast<std::size_t>(h)];
    if (!isUsed(hop.train)) continue;
    const int toGoal = bound[static_cast<std::size_t>(hop.next)];
    // Every record of the group costs at least the least riding minutes.
    if (label.cost + hop.leastRide + toGoal > latest) continue;
    eachDeparture(boarding, timetable, hop, label.station, label.train, label.cost, label.arrival, label.parent < 0, start,
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

}  // namespace fastest_search

using fastest_search::Candidate;
using fastest_search::FastestWork;
using fastest_search::Label;
using fastest_search::kLatestMinutes;
using fastest_search::Settled;

int FastestSearch::runExactSearch(StationNo from, StationNo to, TimeOfDay start, int day,
                                  std::vector<PathStop>& path) {
  const int n = state_.stationCount();
  resetSearchTable(from, to, start);

  FastestWork fresh;
  if (net_.indexed && !state_.fastest) state_.fastest = std::make_unique<FastestWork>();
  FastestWork& work = net_.indexed ? *state_.fastest : fresh;
  std::vector<Label>& labels = work.labels;
  std::vector<std::vector<Settled>>& settledAt = work.settledAt;
  settledAt.resize(static_cast<std::size_t>(n) + 1);
  work.use.assign(static_cast<std::size_t>(std::max(net_.trains.getTrainCount(), 0)) + 1, 1);
  for (std::size_t t = 1; t < work.use.size(); ++t)
    work.use[t] = net_.trains.getTrainUse(static_cast<TrainNo>(t)) != 0;
  const auto used = [&](TrainNo t) { return net_.indexed ? work.isUsed(t) : net_.trains.getTrainUse(t) != 0; };
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
    const std::span<const DiaDepartureRecord> leaving = net_.timetable.departuresOf(label.station);
    for (std::size_t k = 0; k < leaving.size(); ++k) {
      const DiaDepartureRecord& r = leaving[k];
      if (!used(r.train)) continue;
      const StationNo x = r.nextStation;
      if (x < 1 || x > n) continue;
      RouteHop hop;
      if (!boarding_.routeHop(r, label.station, label.parent < 0, label.train, label.arrival, day, false, hop))
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
      if (net_.indexed) {
        work.groupedCandidates(boarding_, net_.timetable, label, day, start, latest);
      } else {
        recordCandidates(label);
      }
      for (const Candidate& c : work.candidates) {
        const bool boards = c.train != label.train && !boarding_.walkingTrain(c.train);
        const int boardings = label.boardings + (boards ? 1 : 0);
        if (isDominated(c.next, c.train, boardings, c.cost)) continue;
        labels.push_back(
            {c.next, c.train, c.cost, boardings, Timetable::addMinutes(c.departure, c.ride), c.departure, index});
        work.push({c.cost, boardings, static_cast<int>(labels.size()) - 1});
      }
    }
    return -1;
  };
  int reached = -1;
  if (net_.indexed) {
    // First the minutes of the earliest arrival; then the search in the
    // reference order, making only the labels that can still arrive by
    // then. The labels left out are followed by no label that could, so
    // those made keep their order and the same route is found.
    // The bound of the last search serves again for the same goal and trains.
    if (work.boundGoal != to || work.boundUse != work.use) {
      work.bound = minutesToGoalBound(net_, to);
      work.boundGoal = to;
      work.boundUse = work.use;
    }
    latest = work.earliestArrival(boarding_, net_.timetable, from, to, start, day);
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
    SearchNode& node = state_.table[static_cast<std::size_t>(here.station)];
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
  SearchNode& first = state_.table[static_cast<std::size_t>(from)];
  first.pred = -1;
  first.trainIn = -1;
  first.cost = 0;
  first.arrival = start;
  return labels[static_cast<std::size_t>(reached)].cost;
}

}  // namespace kiv
