// What the searches over the timetable read and what they work in: the
// data, handed to every search by const reference, and the working state a
// caller owns and lends to one search at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include "Types.h"
#include "data/Diagram2File.h"
#include "timetable/RouteSearchRules.h"
#include "timetable/Timetable.h"
#include "timetable/TimetableIndexChanges.h"

namespace kiv {

class RTrainMan;
class RCnctMan;
class RStaName;
class RDistMan;
class RFareMan;
class RKivMan;

// Cost of a station the search has not reached.
inline constexpr std::int16_t kUnreachedCost = 9999;

// One entry of the search table per station; the searches fill it as they go.
struct SearchNode {
  StationNo station = 0;               // the station number itself
  std::int16_t cost = kUnreachedCost;  // minutes from the start of the search
  StationNo pred = 0;                  // reached from; 0 = unreached, -1 = start
  TrainNo trainIn = -1;                // train by which it was reached; -1 at the start
  std::int16_t boardHour = 0;          // departure time, at pred, of the hop that
  std::int16_t boardMinute = 0;        //   reached this station
  StationNo succ = -1;                 // next station on the chosen path; -1 at the goal
  TrainNo trainOut = -1;               // train from here to succ; -1 at the goal
  std::int16_t walkMinutes = 0;        // change minutes spent here
  std::int16_t waitMinutes = 0;        // waiting minutes spent here
  TimeOfDay arrival;                   // at the start: the requested departure time
  TimeOfDay departure;                 // towards succ
  std::uint8_t settled = 0;            // 1 once the time-priority search fixed it
};

// The network a timetable search runs on: the timetable, the engine objects
// it asks about trains, changes, names, distances and fares, and the rules
// it follows.
struct TimetableNetwork {
  const Timetable& timetable;
  const RTrainMan& trains;
  const RCnctMan& cnct;
  const RStaName& names;
  const RDistMan& dist;
  const RFareMan& fare;
  const RKivMan& kiv;
  RouteSearchRules rules;
};

// One stop of a fastest route: the trains it is reached and left by (-1 at
// the start and the destination) and the times there.
struct PathStop {
  StationNo station = 0;
  TrainNo trainIn = -1;
  TrainNo trainOut = -1;
  TimeOfDay arrival;
  TimeOfDay departure;
};

namespace fastest_search {
struct FastestWork;
struct Label;
}  // namespace fastest_search

// The working state of the timetable searches, owned by the caller: the
// search table, and what one search keeps for the next on the same
// timetable (the labels and bounds of the fastest search, the change
// minutes asked for). A state serves one search at a time.
class TimetableSearchState {
 public:
  // A search table of stationCount + 1 nodes (node 0 belongs to no station).
  explicit TimetableSearchState(int stationCount);
  ~TimetableSearchState();
  TimetableSearchState(const TimetableSearchState&) = delete;
  TimetableSearchState& operator=(const TimetableSearchState&) = delete;

  // N + 1 nodes, indexed by station number; the searches reinitialise it at
  // their start and leave their route in it.
  std::vector<SearchNode> table;
  // The working arrays of the fastest search; made on its first run.
  std::unique_ptr<fastest_search::FastestWork> fastest;
  // The change minutes asked for, remembered: by the timetable's indexes,
  // and by station and trains for lookups that scan the transfer table.
  KnownChanges knownChanges;
  std::unordered_map<std::uint64_t, int> changeMinutes;

  int stationCount() const { return static_cast<int>(table.size()) - 1; }
  SearchNode& node(StationNo s) { return table[static_cast<std::size_t>(s)]; }
};

// The times of one hop by a departure record from a station the passenger
// reached at `arrival` on trainIn.
struct RouteHop {
  TimeOfDay ready;      // ready to board after the change minutes
  TimeOfDay departure;  // the record's departure
  int walk = 0;
  int wait = 0;
};

template <typename Lookups>
class BasicBoarding;

// The lookups the route searches make through the timetable's indexes, and
// the prunings those allow. A search body is a template over such a policy:
// the same steps run on the indexes here, and on plain scans of the files'
// order where a test defines what the indexed lookups must give.
struct IndexedLookups {
  using Boarding = BasicBoarding<IndexedLookups>;

  // The classic search passes over a record that cannot leave in time by
  // its served hours, when the timetable keeps to the clock.
  static constexpr bool clockwisePruning = true;
  // The classic search enters no station too late to reach the goal within
  // the time limit by any departures.
  static constexpr bool latestTimePruning = true;

  static bool walkingTrain(const TimetableNetwork& net, TrainNo t);
  static std::span<const DiaDepartureRecord> departuresFrom(const TimetableNetwork& net, StationNo station);
  static std::span<const DiaDepartureRecord> linkDepartures(const TimetableNetwork& net, StationNo a,
                                                            std::span<const DiaLinkRecord> links,
                                                            std::size_t k);
  static bool recordDeparture(const DiaDepartureRecord& r, TimeOfDay time, int day, TimeOfDay& departure);
  // The change minutes at s from `arriving` onto `departing`.
  static int changeMinutes(const TimetableNetwork& net, TimetableSearchState& state, StationNo s,
                           TrainNo arriving, TrainNo departing);
  // The bound of the minutes to `goal` (minutesToGoalBound), the one the
  // last fastest search drew when it serves.
  static std::vector<int> goalBound(const TimetableNetwork& net, const TimetableSearchState& state,
                                    StationNo goal, const std::vector<std::uint8_t>& use);
  // The distances of the detour ellipse from `from` and from `to` over the
  // n stations, into distFrom[1..n] and distTo[1..n]: exact for every
  // station within the detour of both ends, beyond it at least the bound.
  static void detourDistances(const TimetableNetwork& net, StationNo from, StationNo to, int n, int detourKm,
                              Distance* distFrom, Distance* distTo);

  // The fastest search with one label per station: 0 when the destination
  // was reached, else -1; the search table holds the labels.
  static int stationSearch(const TimetableNetwork& net, TimetableSearchState& state, const Boarding& boarding,
                           StationNo from, StationNo to, TimeOfDay start, int day);
  // The working arrays of the exact fastest search: those kept in the state.
  static fastest_search::FastestWork& exactWork(TimetableSearchState& state,
                                                fastest_search::FastestWork& fresh);
  // The latest cost of a label of use to the exact search from `from` to
  // `to`, after `work` was readied for it; -1 when `to` cannot be reached.
  static int exactLatest(const TimetableNetwork& net, const Boarding& boarding,
                         fastest_search::FastestWork& work, StationNo from, StationNo to, TimeOfDay start,
                         int day);
  // The hops of a settled label of the exact search into work.candidates,
  // in the order of the station's departure span.
  static void exactCandidates(const TimetableNetwork& net, const Boarding& boarding,
                              fastest_search::FastestWork& work, const fastest_search::Label& label, int day,
                              TimeOfDay start, int latest);
};

// The boarding rules both route searches follow, over one network and the
// change minutes kept in one state, with the lookups of `Lookups`.
template <typename Lookups>
class BasicBoarding {
 public:
  BasicBoarding(const TimetableNetwork& net, TimetableSearchState& state) : net_(net), state_(state) {}

  // Whether train t is a walking connection.
  bool walkingTrain(TrainNo t) const { return Lookups::walkingTrain(net_, t); }
  // When a passenger standing at station a on trainIn since `arrival` is
  // ready to board `train`: no change minutes at the start, nor onto or off
  // a walking connection (the walk itself holds them).
  TimeOfDay readyToBoard(TrainNo train, StationNo a, bool atStart, TrainNo trainIn, TimeOfDay arrival) const {
    if (atStart || walkingTrain(train) || walkingTrain(trainIn)) return arrival;
    return Timetable::addMinutes(arrival, Lookups::changeMinutes(net_, state_, a, trainIn, train));
  }
  // The hop by record r from station a under the multi-route search's
  // boarding rule, staying on board a frequent service of the same train,
  // and otherwise the record's next departure on the service days of `day`:
  // false when r has none. `frequentAlways` takes a frequent service half
  // an interval on at any hour.
  bool routeHop(const DiaDepartureRecord& r, StationNo a, bool atStart, TrainNo trainIn, TimeOfDay arrival,
                int day, bool frequentAlways, RouteHop& hop) const {
    return routeHopWhenReady(r, readyToBoard(r.train, a, atStart, trainIn, arrival), trainIn, arrival, day,
                             frequentAlways, hop);
  }
  // The same hop for a passenger ready to board at `ready`.
  bool routeHopWhenReady(const DiaDepartureRecord& r, TimeOfDay ready, TrainNo trainIn, TimeOfDay arrival,
                         int day, bool frequentAlways, RouteHop& hop) const {
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
  // A departure's next time on the service days of `day`.
  bool nextRecordDeparture(const DiaDepartureRecord& r, TimeOfDay time, int day, TimeOfDay& departure) const {
    return Lookups::recordDeparture(r, time, day, departure);
  }
  // The departures of a station and towards one neighbour (link record k of
  // the station's link span `links`).
  std::span<const DiaDepartureRecord> departuresFrom(StationNo station) const {
    return Lookups::departuresFrom(net_, station);
  }
  std::span<const DiaDepartureRecord> linkDepartures(StationNo a, std::span<const DiaLinkRecord> links,
                                                     std::size_t k) const {
    return Lookups::linkDepartures(net_, a, links, k);
  }

 private:
  const TimetableNetwork& net_;
  TimetableSearchState& state_;
};

using Boarding = BasicBoarding<IndexedLookups>;

// Whether each train 1..T is switched on (element 0 unused), read once per
// search rather than once per departure record.
std::vector<std::uint8_t> trainUseFlags(const RTrainMan& trains);
// Whether train t is switched on, by the flags of trainUseFlags; a train
// outside them is asked of the train list.
bool trainInUse(const std::vector<std::uint8_t>& use, const RTrainMan& trains, TrainNo t);

// A lower bound of the minutes from every station to `goal`: the least
// riding minutes over the departures of the trains switched on; all 0 when
// a riding time in the data is negative.
std::vector<int> minutesToGoalBound(const TimetableNetwork& net, StationNo goal);

}  // namespace kiv
