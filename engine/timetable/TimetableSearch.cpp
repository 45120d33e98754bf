// The boarding rules of the route searches, the train switches and the
// lower bound of the minutes to a goal, shared by the fastest and the
// multi-route searches.
#include "timetable/TimetableSearch.h"

#include <algorithm>
#include <queue>
#include <utility>

#include "network/RTrainMan.h"
#include "timetable/FastDepartures.h"
#include "timetable/FastestWork.h"
#include "timetable/RCnctMan.h"

namespace kiv {

namespace {

// The least riding minutes of a station from which the goal cannot be reached.
constexpr int kOutOfReach = 1 << 20;

// The least minutes from every station to the goal over the hops that
// forEachInto(x, hop) names into each station x (hop(from, minutes)).
template <typename ForEachInto>
std::vector<int> leastMinutesTo(StationNo goal, std::size_t size, ForEachInto forEachInto) {
  std::vector<int> bound(size, kOutOfReach);
  using Entry = std::pair<int, StationNo>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
  bound[static_cast<std::size_t>(goal)] = 0;
  queue.emplace(0, goal);
  while (!queue.empty()) {
    const auto [minutes, x] = queue.top();
    queue.pop();
    if (minutes > bound[static_cast<std::size_t>(x)]) continue;
    forEachInto(x, [&, minutes = minutes](StationNo from, int ride) {
      if (minutes + ride < bound[static_cast<std::size_t>(from)]) {
        bound[static_cast<std::size_t>(from)] = minutes + ride;
        queue.emplace(minutes + ride, from);
      }
    });
  }
  return bound;
}

std::vector<int> minutesToGoalBoundIndexed(const TimetableNetwork& net, StationNo goal) {
  const TimetableIndex& index = net.timetable.index();
  const auto departures = net.timetable.departures();
  const auto size = static_cast<std::size_t>(net.timetable.stationCount()) + 1;
  const std::vector<std::uint8_t> use = trainUseFlags(net.trains);
  const auto used = [&](const DiaDepartureRecord& r) { return trainInUse(use, net.trains, r.train); };
  for (const std::int32_t k : index.negativeRides) {
    if (used(departures[static_cast<std::size_t>(k)])) return std::vector<int>(size, 0);
  }
  // With every train switched on, only the least of the records between two
  // stations can lower a bound: the same bounds from one hop per pair.
  if (std::all_of(use.begin() + 1, use.end(), [](std::uint8_t u) { return u != 0; })) {
    return leastMinutesTo(goal, size, [&](StationNo x, auto hop) {
      const auto first = index.leastRidesIntoStart[static_cast<std::size_t>(x)];
      const auto end = index.leastRidesIntoStart[static_cast<std::size_t>(x) + 1];
      for (auto k = first; k < end; ++k) {
        const TimetableIndex::LeastRide ride = index.leastRidesInto[static_cast<std::size_t>(k)];
        hop(ride.from, ride.minutes);
      }
    });
  }
  return leastMinutesTo(goal, size, [&](StationNo x, auto hop) {
    const auto first = index.departuresIntoStart[static_cast<std::size_t>(x)];
    const auto end = index.departuresIntoStart[static_cast<std::size_t>(x) + 1];
    for (auto k = first; k < end; ++k) {
      const TimetableIndex::Departure d = index.departuresInto[static_cast<std::size_t>(k)];
      const DiaDepartureRecord& r = departures[static_cast<std::size_t>(d.record)];
      if (used(r)) hop(d.from, r.rideMinutes);
    }
  });
}

}  // namespace

TimetableSearchState::TimetableSearchState(int stationCount) {
  const int n = std::max(0, stationCount);
  table.resize(static_cast<std::size_t>(n) + 1);
  for (int s = 1; s <= n; ++s) table[static_cast<std::size_t>(s)].station = static_cast<StationNo>(s);
}

TimetableSearchState::~TimetableSearchState() = default;

std::vector<std::uint8_t> trainUseFlags(const RTrainMan& trains) {
  std::vector<std::uint8_t> use(static_cast<std::size_t>(std::max(trains.getTrainCount(), 0)) + 1, 1);
  for (std::size_t t = 1; t < use.size(); ++t) use[t] = trains.getTrainUse(static_cast<TrainNo>(t)) != 0;
  return use;
}

bool trainInUse(const std::vector<std::uint8_t>& use, const RTrainMan& trains, TrainNo t) {
  const auto k = static_cast<std::size_t>(t);
  return t >= 1 && k < use.size() ? use[k] != 0 : trains.getTrainUse(t) != 0;
}

std::vector<int> minutesToGoalBound(const TimetableNetwork& net, StationNo goal) {
  const int n = net.timetable.stationCount();
  const auto size = static_cast<std::size_t>(n) + 1;
  if (net.indexed) return minutesToGoalBoundIndexed(net, goal);
  // The hops into each station, with their least riding minutes.
  std::vector<std::vector<std::pair<StationNo, int>>> into(size);
  for (int s = 1; s <= n; ++s) {
    for (const DiaDepartureRecord& r : net.timetable.departuresOf(static_cast<StationNo>(s))) {
      if (net.trains.getTrainUse(r.train) == 0 || r.nextStation < 1 || r.nextStation > n) continue;
      if (r.rideMinutes < 0) return std::vector<int>(size, 0);
      into[static_cast<std::size_t>(r.nextStation)].emplace_back(static_cast<StationNo>(s), r.rideMinutes);
    }
  }
  return leastMinutesTo(goal, size, [&into](StationNo x, auto hop) {
    for (const auto& [s, ride] : into[static_cast<std::size_t>(x)]) hop(s, ride);
  });
}

bool Boarding::walkingTrain(TrainNo t) const {
  if (net_.indexed) {
    const auto& walking = net_.timetable.index().walking;
    if (t >= 0 && static_cast<std::size_t>(t) < walking.size())
      return walking[static_cast<std::size_t>(t)] != 0;
  }
  return net_.trains.isWalking(t) == 1;
}

std::span<const DiaDepartureRecord> Boarding::departuresFrom(StationNo station) const {
  return net_.indexed ? net_.timetable.indexedDeparturesOf(station) : net_.timetable.departuresOf(station);
}

std::span<const DiaDepartureRecord> Boarding::linkDepartures(StationNo a,
                                                             std::span<const DiaLinkRecord> links,
                                                             std::size_t k) const {
  return net_.indexed ? net_.timetable.indexedLinkDepartures(links, k)
                      : net_.timetable.departuresTowards(a, links[k].to);
}

bool Boarding::nextRecordDeparture(const DiaDepartureRecord& r, TimeOfDay time, int day,
                                   TimeOfDay& departure) const {
  return net_.indexed ? fast_departures::recordDeparture(r, time, day, departure)
                      : Timetable::recordDeparture(r, time, day, departure);
}

bool Boarding::routeHop(const DiaDepartureRecord& r, StationNo a, bool atStart, TrainNo trainIn,
                        TimeOfDay arrival, int day, bool frequentAlways, RouteHop& hop) const {
  return routeHopWhenReady(r, readyToBoard(r.train, a, atStart, trainIn, arrival), trainIn, arrival, day,
                           frequentAlways, hop);
}

bool Boarding::routeHopWhenReady(const DiaDepartureRecord& r, TimeOfDay ready, TrainNo trainIn,
                                 TimeOfDay arrival, int day, bool frequentAlways, RouteHop& hop) const {
  hop.ready = ready;
  if (trainIn == r.train && r.interval != 0) {
    hop.departure = hop.ready;  // stays on board
  } else if (r.interval != 0 && frequentAlways) {
    // Half an interval on, whatever the hour.
    if (day >= 0 && Timetable::isDayServed(r.days, day + hop.ready.hour / 24) == 0) return false;
    hop.departure = Timetable::addMinutes(hop.ready, r.interval / 2);
  } else if (!nextRecordDeparture(r, hop.ready, day, hop.departure)) {
    return false;
  }
  hop.walk = Timetable::minutesBetween(arrival, hop.ready);
  hop.wait = Timetable::minutesBetween(hop.ready, hop.departure);
  return true;
}

TimeOfDay Boarding::readyToBoard(TrainNo train, StationNo a, bool atStart, TrainNo trainIn,
                                 TimeOfDay arrival) const {
  // No change minutes at the start, nor onto or off a walking connection:
  // the walk itself holds them.
  if (atStart || walkingTrain(train) || walkingTrain(trainIn)) return arrival;
  if (!net_.indexed) return Timetable::addMinutes(arrival, changeMinutes(a, trainIn, train));
  const RCnctMan& cnct = net_.cnct;
  return Timetable::addMinutes(
      arrival, state_.knownChanges.minutes(a, trainIn, train, [&cnct](StationNo s, TrainNo in, TrainNo out) {
        return cnct.transferMinutesIndexed(s, in, out);
      }));
}

int Boarding::changeMinutes(StationNo s, TrainNo arriving, TrainNo departing) const {
  // The transfer table is a list scanned from the start; the searches ask
  // for the same few changes again and again.
  const auto key = (static_cast<std::uint64_t>(static_cast<std::uint16_t>(s)) << 32) |
                   (static_cast<std::uint64_t>(static_cast<std::uint16_t>(arriving)) << 16) |
                   static_cast<std::uint16_t>(departing);
  const auto known = state_.changeMinutes.find(key);
  if (known != state_.changeMinutes.end()) return known->second;
  const int minutes = net_.cnct.transferMinutes(s, arriving, departing);
  state_.changeMinutes.emplace(key, minutes);
  return minutes;
}

}  // namespace kiv
