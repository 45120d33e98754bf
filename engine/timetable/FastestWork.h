// The working arrays of the fastest searches, kept in a search state from
// one search to the next: the labels of the exact search, and the grouped
// departures and marks of the search for the earliest arrival alone.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "timetable/FastDepartures.h"
#include "timetable/TimetableIndexTrainHops.h"
#include "timetable/TimetableSearch.h"

namespace kiv::fastest_search {

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

// A hop a settled label may make: the record (by its place in the
// station's departure span), its next stop and train, and the label it makes.
struct Candidate {
  std::int32_t position = 0;
  StationNo next = 0;
  TrainNo train = 0;
  int cost = 0;
  int ride = 0;
  TimeOfDay departure;
};

// The labels, the settled trains of each station and the queue of one
// search. The fast search keeps them from one search to the next and clears
// only the stations it touched.
struct FastestWork {
  std::vector<Label> labels;
  std::vector<std::vector<Settled>> settledAt;
  std::vector<StationNo> touched;
  std::vector<QueueEntry> queue;  // a heap, least entry first
  std::vector<std::uint8_t> use;  // per train: 1 when switched on
  std::vector<Candidate> candidates;
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
  bool isUsed(TrainNo t) const {
    return t < 1 || static_cast<std::size_t>(t) >= use.size() || use[static_cast<std::size_t>(t)] != 0;
  }

  // The departures of the station's records grouped by next stop and train
  // (the timetable's), and the search for the earliest arrival over them:
  // one label per station and arrival train, each group taken at its
  // earliest record. Only the minutes of the earliest arrival come out of it.
  const TrainHopIndex* hops = nullptr;
  std::vector<std::uint32_t> reachedIn;  // by state: the search that reached it
  std::vector<std::uint32_t> closedIn;   // by state: the search that settled it
  std::uint32_t searchNumber = 0;
  std::vector<int> stateCost;
  std::vector<TimeOfDay> stateArrival;
  std::vector<std::uint64_t> stateQueue;  // a heap of (least minutes, state), least first
  void buildHops(const Timetable& timetable);
  int earliestArrival(const Boarding& boarding, const Timetable& timetable, StationNo from, StationNo to,
                      TimeOfDay start, int day);
  // Calls take(k, cost, departure, ride) for every record k of the group
  // that a passenger at station s can take, as routeHop takes it: standing
  // there on trainIn at `arrival`, `cost` minutes after `start`. Records
  // that would cost more than `limit` may be left out; take gives the limit
  // for the records after.
  template <typename Take>
  void eachDeparture(const Boarding& boarding, const Timetable& timetable, const TrainHopIndex::Hop& hop,
                     StationNo s, TrainNo trainIn, int cost, TimeOfDay arrival, bool atStart, TimeOfDay start,
                     int day, int limit, Take take) const {
    const TimeOfDay ready = boarding.readyToBoard(hop.train, s, atStart, trainIn, arrival);
    const int walk = Timetable::minutesBetween(arrival, ready);
    // On the clock, a record leaves in one of its served hours, at or after
    // the hour the passenger is ready in: a record serving none of the hours
    // up to the latest useful departure is of no use.
    const bool onClock =
        timetable.index().clockwise && ready.hour >= 0 && ready.minute >= 0 && ready.minute < 60;
    for (auto k = hop.first; k < hop.first + hop.count; ++k) {
      const DiaDepartureRecord& r = hops->records[static_cast<std::size_t>(k)];
      // Riding minutes below 0 (bad data) count as 0.
      const int ride = std::max<int>(0, r.rideMinutes);
      TimeOfDay dep = ready;
      // Staying on board a frequent service costs no wait.
      const bool staysOnBoard = trainIn == hop.train && r.interval != 0;
      if (!staysOnBoard) {
        if (onClock &&
            !fast_departures::mayLeaveBy(r, ready, ready.totalMinutes() + limit - cost - walk - ride))
          continue;
        if (!fast_departures::recordDeparture(r, ready, day, dep)) continue;
      }
      const int c = cost + walk + Timetable::minutesBetween(ready, dep) + ride;
      // Hours are held in 8 bits: a label days later is of no use anyway.
      if (c >= kUnreachedCost || start.totalMinutes() + c > kLatestMinutes) continue;
      limit = take(k, c, dep, ride);
    }
  }
  // The hops of a settled label that can reach `to` within `latest` minutes
  // by the bound, in the order of the station's departure span.
  void groupedCandidates(const Boarding& boarding, const Timetable& timetable, const Label& label, int day,
                         TimeOfDay start, int latest);
};

}  // namespace kiv::fastest_search
