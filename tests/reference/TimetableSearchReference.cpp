#include "TimetableSearchReference.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <span>
#include <utility>
#include <vector>

#include "distance/RDistMan.h"
#include "network/RTrainMan.h"
#include "timetable/ClassicRouteSearchBody.h"
#include "timetable/FastestSearchBody.h"
#include "timetable/LeastMinutesTo.h"
#include "timetable/RCnctMan.h"

namespace kiv::reference {

using fastest_search::FastestWork;

// The lookups of the plain searches, a lookup policy of the search bodies
// (as IndexedLookups is the engine's).
struct ScanLookups {
  using Boarding = BasicBoarding<ScanLookups>;

  static constexpr bool clockwisePruning = false;
  static constexpr bool latestTimePruning = false;

  static bool walkingTrain(const TimetableNetwork& net, TrainNo t) { return net.trains.isWalking(t) == 1; }

  static std::span<const DiaDepartureRecord> departuresFrom(const TimetableNetwork& net, StationNo station) {
    return net.timetable.departuresOf(station);
  }

  static std::span<const DiaDepartureRecord> linkDepartures(const TimetableNetwork& net, StationNo a,
                                                            std::span<const DiaLinkRecord> links,
                                                            std::size_t k) {
    return net.timetable.departuresTowards(a, links[k].to);
  }

  static bool recordDeparture(const DiaDepartureRecord& r, TimeOfDay time, int day, TimeOfDay& departure) {
    return Timetable::recordDeparture(r, time, day, departure);
  }

  static int changeMinutes(const TimetableNetwork& net, TimetableSearchState& state, StationNo s,
                           TrainNo arriving, TrainNo departing) {
    // The transfer table is a list scanned from the start; the searches ask
    // for the same few changes again and again.
    const auto key = (static_cast<std::uint64_t>(static_cast<std::uint16_t>(s)) << 32) |
                     (static_cast<std::uint64_t>(static_cast<std::uint16_t>(arriving)) << 16) |
                     static_cast<std::uint16_t>(departing);
    const auto known = state.changeMinutes.find(key);
    if (known != state.changeMinutes.end()) return known->second;
    const int minutes = net.cnct.transferMinutes(s, arriving, departing);
    state.changeMinutes.emplace(key, minutes);
    return minutes;
  }

  static std::vector<int> goalBound(const TimetableNetwork& net, const TimetableSearchState&, StationNo goal,
                                    const std::vector<std::uint8_t>&) {
    return reference::minutesToGoalBound(net, goal);
  }

  static void detourDistances(const TimetableNetwork& net, StationNo from, StationNo to, int n, int,
                              Distance* distFrom, Distance* distTo) {
    net.dist.allDistances(from, n, distFrom);
    net.dist.allDistances(to, n, distTo);
  }

  static int stationSearch(const TimetableNetwork& net, TimetableSearchState& state, const Boarding&,
                           StationNo from, StationNo to, TimeOfDay, int day) {
    const int n = state.stationCount();
    const SearchNode& goal = state.table[static_cast<std::size_t>(to)];
    for (int round = 0; round < n; ++round) {
      // Ties go to the highest station number; an unreached station can be
      // selected (and is then only marked).
      int smallest = kUnreachedCost;
      StationNo sel = 0;
      for (int s = 1; s <= n; ++s) {
        const SearchNode& node = state.table[static_cast<std::size_t>(s)];
        if (node.settled == 0 && node.cost <= smallest) {
          smallest = node.cost;
          sel = static_cast<StationNo>(s);
        }
      }
      if (sel == 0) break;
      SearchNode& here = state.table[static_cast<std::size_t>(sel)];
      here.settled = 1;
      if (smallest == kUnreachedCost) continue;

      for (const DiaDepartureRecord& r : net.timetable.departuresOf(sel)) {
        if (net.trains.getTrainUse(r.train) == 0) continue;
        const StationNo x = r.nextStation;
        if (x < 1 || x > n) continue;
        const TimeOfDay arr = here.arrival;
        TimeOfDay ready = arr;
        if (sel != from) net.cnct.getBoardingTime(sel, here.trainIn, r.train, arr, ready);
        TimeOfDay dep = ready;
        // Staying on board a frequent service costs no wait; a timed train is
        // taken at its next departure from here like any other.
        const bool staysOnBoard = here.trainIn == r.train && r.interval != 0;
        if (!staysOnBoard && net.timetable.nextDepartureOn(sel, x, r.train, ready, day, dep) != 0) continue;
        const int walk = Timetable::minutesBetween(arr, ready);
        const int wait = Timetable::minutesBetween(ready, dep);
        const auto c = static_cast<std::int16_t>(here.cost + walk + wait + r.rideMinutes);
        fastest_search::relaxStation(state, here, sel, x, r, dep, c);
      }
    }
    return goal.pred != 0 ? 0 : -1;
  }

  static FastestWork& exactWork(TimetableSearchState&, FastestWork& fresh) { return fresh; }

  static int exactLatest(const TimetableNetwork&, const Boarding&, FastestWork&, StationNo, StationNo,
                         TimeOfDay, int) {
    return std::numeric_limits<int>::max();
  }

  static void exactCandidates(const TimetableNetwork& net, const Boarding& boarding, FastestWork& work,
                              const fastest_search::Label& label, int day, TimeOfDay start, int) {
    // The search table's stations, for which the settled labels are kept.
    const int n = static_cast<int>(work.settledAt.size()) - 1;
    work.candidates.clear();
    const std::span<const DiaDepartureRecord> leaving = net.timetable.departuresOf(label.station);
    for (std::size_t k = 0; k < leaving.size(); ++k) {
      const DiaDepartureRecord& r = leaving[k];
      if (net.trains.getTrainUse(r.train) == 0) continue;
      const StationNo x = r.nextStation;
      if (x < 1 || x > n) continue;
      RouteHop hop;
      if (!boarding.routeHop(r, label.station, label.parent < 0, label.train, label.arrival, day, false, hop))
        continue;
      // Riding minutes below 0 (bad data) count as 0: costs never fall, so
      // the search settles every label once and ends.
      const int ride = std::max<int>(0, r.rideMinutes);
      const int cost = label.cost + hop.walk + hop.wait + ride;
      // Hours are held in 8 bits: a label days later is of no use anyway.
      if (cost >= kUnreachedCost || start.totalMinutes() + cost > fastest_search::kLatestMinutes) continue;
      work.candidates.push_back({static_cast<std::int32_t>(k), x, r.train, cost, ride, hop.departure});
    }
  }
};

FastestResult searchFastest(const TimetableNetwork& net, TimetableSearchState& state,
                            const FastestQuery& query) {
  return searchFastestWith<ScanLookups>(net, state, query);
}

int fastestMinutes(const TimetableNetwork& net, TimetableSearchState& state, const FastestQuery& query) {
  return fastestMinutesWith<ScanLookups>(net, state, query);
}

RouteSearchResult searchClassicRoutes(const TimetableNetwork& net, TimetableSearchState& state,
                                      const RouteQuery& query, int fastest, const RouteProgress& progress) {
  return BasicClassicRouteSearch<ScanLookups>(net, state, progress).run(query, fastest);
}

std::vector<int> minutesToGoalBound(const TimetableNetwork& net, StationNo goal) {
  const int n = net.timetable.stationCount();
  const auto size = static_cast<std::size_t>(n) + 1;
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

}  // namespace kiv::reference
