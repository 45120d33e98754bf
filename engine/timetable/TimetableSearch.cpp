// The boarding rules of the route searches, the train switches and the
// lower bound of the minutes to a goal, shared by the fastest and the
// multi-route searches.
#include "timetable/TimetableSearch.h"

#include <algorithm>

#include "network/RTrainMan.h"
#include "timetable/FastDepartures.h"
#include "timetable/FastestWork.h"
#include "timetable/LeastMinutesTo.h"
#include "timetable/RCnctMan.h"

namespace kiv {

std::vector<int> minutesToGoalBound(const TimetableNetwork& net, StationNo goal) {
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

bool IndexedLookups::walkingTrain(const TimetableNetwork& net, TrainNo t) {
  const auto& walking = net.timetable.index().walking;
  if (t >= 0 && static_cast<std::size_t>(t) < walking.size())
    return walking[static_cast<std::size_t>(t)] != 0;
  return net.trains.isWalking(t) == 1;
}

std::span<const DiaDepartureRecord> IndexedLookups::departuresFrom(const TimetableNetwork& net,
                                                                   StationNo station) {
  return net.timetable.indexedDeparturesOf(station);
}

std::span<const DiaDepartureRecord> IndexedLookups::linkDepartures(const TimetableNetwork& net, StationNo,
                                                                   std::span<const DiaLinkRecord> links,
                                                                   std::size_t k) {
  return net.timetable.indexedLinkDepartures(links, k);
}

bool IndexedLookups::recordDeparture(const DiaDepartureRecord& r, TimeOfDay time, int day,
                                     TimeOfDay& departure) {
  return fast_departures::recordDeparture(r, time, day, departure);
}

int IndexedLookups::changeMinutes(const TimetableNetwork& net, TimetableSearchState& state, StationNo s,
                                  TrainNo arriving, TrainNo departing) {
  const RCnctMan& cnct = net.cnct;
  return state.knownChanges.minutes(s, arriving, departing, [&cnct](StationNo at, TrainNo in, TrainNo out) {
    return cnct.transferMinutesIndexed(at, in, out);
  });
}

}  // namespace kiv
