// The working state and the steps of one best-routes search (see
// BestRoutes.h): labels, their bags and the journeys kept, and the rules by
// which a label goes on. Shared by the files of the search only.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <queue>
#include <span>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "journey/BestRoutes.h"
#include "timetable/FoundRoute.h"

namespace kiv {
struct DiaDepartureRecord;
}

namespace kiv::journey_search {

// Longest path a journey may have, in stations.
constexpr int kMaxPathLength = 100;
// Times beyond this (minutes after midnight of the search's day) are not
// searched: they must fit the hours a time holds.
constexpr int kLatestMinutes = 120 * 60;
// A station from which the goal cannot be reached.
constexpr int kOutOfReach = 1 << 20;
// Labels made between two questions to keepGoing.
constexpr std::size_t kProgressLabels = 1 << 12;

struct Label {
  int arrival = 0;
  int start = 0;       // the time the journey is at the origin
  int departure = -1;  // the first ride's departure; -1 at the origin
  int segments = 0;    // train segments, walking connections not counted
  int closedFare = 0;
  int walking = 0;
  int waiting = 0;  // at change stations (not at the origin)
  StationNo station = 0;
  TrainNo trainIn = -1;
  NetworkCode openCode = -1;  // the network pricing the open fare section
  StationNo openStart = 0;
  // Where a walk began that the data mark as a change inside the fare of
  // openCode, after a ride of it: it stays in the section only when the next
  // hop is a ride of that network too. -1 when the last hop is no such walk.
  StationNo pendingWalk = -1;
  std::int16_t depth = 1;
  // One bit for each station of the path, by pathBit: a station whose bit
  // is clear is not on the path.
  std::uint64_t pathBits = 0;
  StationNo previous = 0;  // the station of the parent; 0 at the origin
  int parent = -1;
  // The ride from the parent: its departure and the change and waiting
  // minutes spent at the parent before it.
  int rideDeparture = 0;
  std::int16_t walkAtParent = 0;
  std::int16_t waitAtParent = 0;
  bool dead = false;
};

inline std::uint64_t pathBit(StationNo station) {
  return std::uint64_t{1} << ((static_cast<std::uint32_t>(station) * 0x9E3779B1u) >> 26);
}

inline int changesOf(int segments) { return std::max(segments, 1) - 1; }

// A service day runs from 4:00 to 4:00 the next morning: the service day of
// a time, counted from the search's day (-1 before 4:00 on it).
constexpr int kServiceDayStart = 4 * 60;
inline int serviceDay(int minutes) {
  const int m = minutes - kServiceDayStart;
  return m >= 0 ? m / 1440 : -((1439 - m) / 1440);
}
// A journey lies within one service day: it never waits for the next day's
// first trains at a change station, it starts on that day instead.
inline bool sameServiceDay(int a, int b) { return serviceDay(a) == serviceDay(b); }

// The criteria of a journey or of a partial one, and the order of its tie.
struct Criteria {
  int departure;
  int arrival;
  int changes;
  int fare;
  int walking;
  int waiting;
};

// Whether `a` is at least as good as `b` on all four criteria and, when
// equal on all four, walks and waits no more (a kept first wins a full tie).
inline bool beatsOrTies(const Criteria& a, const Criteria& b) {
  if (a.departure < b.departure || a.arrival > b.arrival || a.changes > b.changes || a.fare > b.fare)
    return false;
  if (a.departure != b.departure || a.arrival != b.arrival || a.changes != b.changes || a.fare != b.fare)
    return true;
  return std::tie(a.walking, a.waiting) <= std::tie(b.walking, b.waiting);
}

inline TimeOfDay clock(int minutes) {
  return {static_cast<std::int8_t>(minutes / 60), static_cast<std::int8_t>(minutes % 60)};
}

// Numbers by 64-bit key, in one array probed linearly: the bags of a search
// are looked up once for every label offered. A key with all bits set is
// never stored.
class KeyIndex {
 public:
  // The number stored under key, or `fresh` stored under it when there is
  // none yet.
  int findOrAdd(std::uint64_t key, int fresh) {
    if ((count_ + 1) * 2 > keys_.size()) grow();
    std::size_t k = slot(key);
    while (keys_[k] != kEmpty) {
      if (keys_[k] == key) return values_[k];
      k = (k + 1) & (keys_.size() - 1);
    }
    keys_[k] = key;
    values_[k] = fresh;
    ++count_;
    return fresh;
  }

 private:
  static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};
  std::size_t slot(std::uint64_t key) const {
    // The high bits of the product depend on every bit of the key.
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);
  }
  void grow() {
    std::vector<std::uint64_t> keys(std::max<std::size_t>(keys_.size() * 2, 1024), kEmpty);
    shift_ = 64 - std::countr_zero(keys.size());
    std::vector<int> values(keys.size());
    keys.swap(keys_);
    values.swap(values_);
    for (std::size_t k = 0; k < keys.size(); ++k) {
      if (keys[k] == kEmpty) continue;
      std::size_t j = slot(keys[k]);
      while (keys_[j] != kEmpty) j = (j + 1) & (keys_.size() - 1);
      keys_[j] = keys[k];
      values_[j] = values[k];
    }
  }
  std::vector<std::uint64_t> keys_;
  std::vector<int> values_;
  std::size_t count_ = 0;
  int shift_ = 64;
};

class Search {
 public:
  Search(const TimetableNetwork& network, BestRoutesState& state, const BestRoutesQuery& query)
      : net_(network), query_(query), state_(state) {}

  BestRoutesResult run();

 private:
  void prepare();
  // The times a journey may leave the origin at: `first` and every timed
  // departure of the origin from then on that may still arrive in time,
  // latest first.
  std::vector<int> startTimes(int first) const;
  int latestStart() const;
  // The arrive-by search; the earliest start it considers.
  int searchArriveBy();
  void searchFrom(int start);
  void expand(int index);
  void offer(Label label);
  void offerResult(int index);
  // Tells keepGoing how many journeys are kept; a "stop" ends the search.
  void askToGoOn();
  bool beatenAtGoal(const Label& label, StationNo at) const;
  // Marks the stations of label index's path with a new pathStamp_.
  void markPath(int index);
  int sectionFare(NetworkCode code, StationNo last, StationNo first) const;
  int changeMinutes(StationNo s, TrainNo in, TrainNo out) const;
  bool walking(TrainNo t) const {
    return t >= 1 && static_cast<std::size_t>(t) < walking_.size() && walking_[static_cast<std::size_t>(t)];
  }
  Criteria resultCriteria(const Label& label) const;
  // The time a journey counts as leaving at: its first ride's departure; in
  // an arrive-by search the time it has the passenger at the origin, which
  // a frequent service leaves half an interval after, so that the list
  // leads with the latest time to be at the station.
  int leaveTime(const Label& label) const { return query_.arriveBy ? label.start : label.departure; }
  // The fare state after a hop by `train` from station `from`, reached by
  // `previous`; and after the journey ends.
  void addFareHop(Label& label, StationNo from, TrainNo previous, TrainNo train) const;
  void settlePendingWalk(Label& label) const;
  // The times of a ride by record r for a passenger at station `at` since
  // `arrival` on trainIn (none at the start): false when r does not run.
  struct Hop {
    int ready = 0;
    int departure = 0;
    int arrival = 0;
  };
  bool hopBy(const DiaDepartureRecord& r, StationNo at, TrainNo trainIn, int arrival, bool atStart, Hop& hop,
             const int* change = nullptr) const;
  // The change minutes at station s from train `in` to the train of each
  // of `records` (the station's departures), worked out once per search.
  const int* changeRow(StationNo s, TrainNo in, std::span<const DiaDepartureRecord> records);
  // The earliest arrival of a journey from the origin at `start`, by the
  // same rules, without the limits of changes and fare; -1 when none.
  int earliestArrival(int start) const;
  // Fixes the deadline of a forward search: the earliest arrival of any
  // journey from the time asked plus the extra minutes. False when there
  // is none.
  bool fixDeadline();
  Journey journeyOf(int index) const;
  // Fills latestUseful_ for the deadline.
  void findLatestUseful();
  int latestReady(const DiaDepartureRecord& r, int leaveBy) const;

  const TimetableNetwork& net_;
  const BestRoutesQuery& query_;
  BestRoutesState& state_;
  int day_ = -1;
  bool frequentAlways_ = false;
  std::vector<std::uint8_t> use_;
  std::vector<std::uint8_t> walking_;
  std::vector<NetworkCode> code_;
  const std::vector<int>* bound_ = nullptr;
  // By station: the latest arrival from which the goal may still be
  // reached by the deadline.
  std::vector<int> latestUseful_;
  // By station: pathStamp_ on the stations of the label being expanded.
  std::vector<std::uint32_t> pathMark_;
  std::uint32_t pathStamp_ = 0;
  // By departure record: the latest time to be ready for it and still reach
  // the goal by the deadline.
  std::vector<int> recordLatest_;
  std::vector<Label> labels_;
  // A label of a bag with the criteria it is compared on, kept beside its
  // index so that comparing needs no look at the label itself.
  struct BagEntry {
    int departure;
    int arrival;
    int segments;
    int closedFare;
    int walking;
    int waiting;
    int label;
    Criteria criteria() const { return {departure, arrival, segments, closedFare, walking, waiting}; }
  };
  KeyIndex changeRowOf_;
  std::vector<int> changeRows_;
  KeyIndex bagOfKey_;
  std::vector<std::vector<BagEntry>> bags_;
  std::vector<int> results_;
  std::vector<Criteria> resultCriteria_;    // of results_, in the same order
  using Entry = std::tuple<int, int, int>;  // arrival, segments, label
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue_;
  mutable SectionFares fares_;  // the sections of the journeys described, and their pricing state
  mutable std::unordered_map<std::uint64_t, int> sectionFares_;
  std::size_t nextQuestion_ = kProgressLabels;
  int deadline_ = 0;
  int firstServiceDay_ = -1000;
  bool stopped_ = false;
};

}  // namespace kiv::journey_search
