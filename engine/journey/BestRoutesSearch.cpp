// The best-routes search: a label-setting search over the timetable, run
// once for each departure time of the origin from the latest to the
// earliest. A label is a partial journey at a station; labels that arrive by
// the same train with the same open fare section are compared on arrival,
// changes, fare of the closed sections and departure, and a dominated label
// goes. Labels are kept from one departure time to the next, so an earlier
// departure only goes on where it arrives somewhere earlier than every later
// one. A fare section is priced once it closes, so the fare of the closed
// sections plus the fare of the open section (which depends only on its
// network and its first station) is exact.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <queue>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "fare/FareSections.h"
#include "fare/RFareMan.h"
#include "journey/BestRoutes.h"
#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "timetable/FastDepartures.h"
#include "timetable/RCnctMan.h"
#include "timetable/RDiaMan.h"

namespace kiv {

namespace {

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
  int parent = -1;
  // The ride from the parent: its departure and the change and waiting
  // minutes spent at the parent before it.
  int rideDeparture = 0;
  std::int16_t walkAtParent = 0;
  std::int16_t waitAtParent = 0;
  bool dead = false;
};

int changesOf(int segments) { return std::max(segments, 1) - 1; }

// A service day runs from 4:00 to 4:00 the next morning: the service day of
// a time, counted from the search's day (-1 before 4:00 on it).
constexpr int kServiceDayStart = 4 * 60;
int serviceDay(int minutes) {
  const int m = minutes - kServiceDayStart;
  return m >= 0 ? m / 1440 : -((1439 - m) / 1440);
}
// A journey lies within one service day: it never waits for the next day's
// first trains at a change station, it starts on that day instead.
bool sameServiceDay(int a, int b) { return serviceDay(a) == serviceDay(b); }

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
bool beatsOrTies(const Criteria& a, const Criteria& b) {
  if (a.departure < b.departure || a.arrival > b.arrival || a.changes > b.changes || a.fare > b.fare)
    return false;
  if (a.departure != b.departure || a.arrival != b.arrival || a.changes != b.changes || a.fare != b.fare)
    return true;
  return std::tie(a.walking, a.waiting) <= std::tie(b.walking, b.waiting);
}

TimeOfDay clock(int minutes) {
  return {static_cast<std::int8_t>(minutes / 60), static_cast<std::int8_t>(minutes % 60)};
}

class Search {
 public:
  Search(const JourneyNetwork& network, BestRoutesState& state, const BestRoutesQuery& query)
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
  bool onPath(int index, StationNo station) const;
  int sectionFare(NetworkCode code, StationNo last, StationNo first) const;
  int changeMinutes(StationNo s, TrainNo in, TrainNo out) const;
  bool walking(TrainNo t) const {
    return t >= 1 && static_cast<std::size_t>(t) < walking_.size() && walking_[static_cast<std::size_t>(t)];
  }
  Criteria resultCriteria(const Label& label) const;
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
  bool hopBy(const DiaDepartureRecord& r, StationNo at, TrainNo trainIn, int arrival, bool atStart, Hop& hop) const;
  // The earliest arrival of a journey from the origin at `start`, by the
  // same rules, without the limits of changes and fare; -1 when none.
  int earliestArrival(int start) const;
  // Fixes the deadline of a forward search: the earliest arrival of any
  // journey from the time asked plus the extra minutes. False when there
  // is none.
  bool fixDeadline();
  Journey journeyOf(int index) const;

  const JourneyNetwork& net_;
  const BestRoutesQuery& query_;
  BestRoutesState& state_;
  int day_ = -1;
  bool frequentAlways_ = false;
  std::vector<std::uint8_t> use_;
  std::vector<std::uint8_t> walking_;
  std::vector<NetworkCode> code_;
  const std::vector<int>* bound_ = nullptr;
  std::vector<Label> labels_;
  std::unordered_map<std::uint64_t, std::vector<int>> bags_;
  std::vector<int> results_;
  std::vector<Criteria> resultCriteria_;  // of results_, in the same order
  using Entry = std::tuple<int, int, int>;  // arrival, segments, label
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue_;
  mutable SectionFares fares_;  // the sections of the journeys described
  mutable std::unordered_map<std::uint64_t, int> sectionFares_;
  mutable std::unordered_map<std::uint64_t, int> changes_;
  std::size_t nextQuestion_ = kProgressLabels;
  int deadline_ = 0;
  int firstServiceDay_ = -1000;
  bool stopped_ = false;
};

void Search::prepare() {
  const RouteSearchRules& rules = net_.dia.searchRules();
  day_ = rules.serviceDays ? query_.day : -1;
  frequentAlways_ = !rules.frequentServiceHours;
  const int trains = std::max(net_.trains.getTrainCount(), 0);
  use_.assign(static_cast<std::size_t>(trains) + 1, 0);
  walking_.assign(use_.size(), 0);
  code_.assign(use_.size(), -1);
  std::uint64_t useHash = 1469598103934665603ull;
  for (int t = 1; t <= trains; ++t) {
    const auto k = static_cast<std::size_t>(t);
    use_[k] = net_.trains.getTrainUse(static_cast<TrainNo>(t)) != 0;
    walking_[k] = net_.trains.isWalking(static_cast<TrainNo>(t)) == 1;
    net_.trains.getNetworkCode(static_cast<TrainNo>(t), code_[k]);
    useHash = (useHash ^ use_[k]) * 1099511628211ull;
  }
  if (state_.boundGoal != query_.to || state_.boundUse != useHash || state_.boundGoalCache.empty()) {
    state_.boundGoalCache = net_.dia.minutesToGoalBound(query_.to);
    state_.boundGoal = query_.to;
    state_.boundUse = useHash;
  }
  bound_ = &state_.boundGoalCache;
}

int Search::latestStart() const {
  return std::min(deadline_ - (*bound_)[static_cast<std::size_t>(query_.from)], kLatestMinutes);
}

int Search::searchArriveBy() {
  // The latest time to be at the origin and still arrive in time. Within a
  // service day the earliest arrival only grows with the start, so it is
  // halved down to the minute, latest service day first; the full search
  // then confirms it (it also keeps to the limit of changes), a minute
  // earlier at a time where it finds nothing. Then the journeys from that
  // time and from the timed departures of the window before it.
  const int first = query_.earliestDeparture;
  const int last = latestStart();
  const auto inTime = [this](int start) {
    const int arrival = earliestArrival(start);
    return arrival >= 0 && arrival <= deadline_;
  };
  int latest = -1;
  for (int day = serviceDay(last); day >= serviceDay(first) && latest < 0 && !stopped_; --day) {
    int low = std::max(first, kServiceDayStart + day * 1440);
    int high = std::min(last, kServiceDayStart + (day + 1) * 1440 - 1);
    if (low > high || !inTime(low)) continue;
    const int dayStart = low;
    while (low < high) {
      const int middle = low + (high - low + 1) / 2;
      if (inTime(middle)) {
        low = middle;
      } else {
        high = middle - 1;
      }
    }
    for (int start = low; start >= dayStart && !stopped_; --start) {
      searchFrom(start);
      if (!results_.empty()) {
        latest = start;
        break;
      }
    }
  }
  if (latest < 0) return first;
  const int lowest = std::max(latest - query_.window, first);
  for (const int start : startTimes(lowest)) {
    if (stopped_) break;
    if (start < latest) searchFrom(start);
  }
  return lowest;
}

bool Search::fixDeadline() {
  // The earliest arrival is sought from the time asked and from the start of
  // each later service day (a journey starts on the day it travels), until
  // a day starts after the earliest arrival found.
  const int asked = query_.earliestDeparture;
  int earliest = -1;
  for (int day = serviceDay(asked); day <= serviceDay(asked) + 7; ++day) {
    const int start = std::max(asked, kServiceDayStart + day * 1440);
    if (start > kLatestMinutes || (earliest >= 0 && start >= earliest)) break;
    const int arrival = earliestArrival(start);
    if (arrival >= 0 && (earliest < 0 || arrival < earliest)) earliest = arrival;
  }
  if (earliest < 0) return false;
  deadline_ = earliest + std::max(query_.extraMinutes, 0);
  // Every journey arrives on the service day of the earliest arrival or
  // later, and lies within the day it leaves on.
  firstServiceDay_ = serviceDay(earliest);
  return true;
}

std::vector<int> Search::startTimes(int first) const {
  const int last = latestStart();
  std::vector<int> times{first};
  for (const DiaDepartureRecord& r : net_.dia.departuresOf(query_.from)) {
    if (r.interval != 0 || r.train < 1 || static_cast<std::size_t>(r.train) >= use_.size() ||
        !use_[static_cast<std::size_t>(r.train)] || r.minute < 0 || r.minute > 59)
      continue;
    for (int h = std::max(first / 60, 0); h * 60 <= last; ++h) {
      const int t = h * 60 + r.minute;
      if (t < first || t > last || RDiaMan::isHourServed(r.hours, h) == 0) continue;
      if (day_ >= 0 && RDiaMan::isDayServed(r.days, day_ + h / 24) == 0) continue;
      times.push_back(t);
    }
  }
  // A frequent service leaves half an interval after the passenger comes:
  // each later service day is started from its first minute.
  for (int day = serviceDay(first) + 1; kServiceDayStart + day * 1440 <= last; ++day) {
    times.push_back(kServiceDayStart + day * 1440);
  }
  std::sort(times.begin(), times.end(), std::greater<>());
  times.erase(std::unique(times.begin(), times.end()), times.end());
  return times;
}

BestRoutesResult Search::run() {
  BestRoutesResult result;
  const int n = net_.names.getCount();
  if (query_.from < 1 || query_.to < 1 || query_.from > n || query_.to > n || query_.from == query_.to)
    return result;
  prepare();
  if ((*bound_)[static_cast<std::size_t>(query_.from)] >= kOutOfReach) return result;
  int lowest = query_.earliestDeparture;
  deadline_ = std::min(query_.latestArrival, kLatestMinutes);
  if (query_.arriveBy) {
    lowest = searchArriveBy();
  } else {
    if (query_.latestArrival <= 0 && !fixDeadline()) return result;
    result.deadline = deadline_;
    for (const int start : startTimes(query_.earliestDeparture)) {
      if (stopped_) break;
      searchFrom(start);
    }
  }
  std::vector<Journey> journeys;
  for (const int k : results_) {
    if (labels_[static_cast<std::size_t>(k)].start >= lowest) journeys.push_back(journeyOf(k));
  }
  const auto key = [this](const Journey& j) {
    return query_.arriveBy ? std::make_tuple(-j.departure, j.changes, j.fare, j.arrival)
                           : std::make_tuple(j.arrival, j.changes, j.fare, -j.departure);
  };
  std::stable_sort(journeys.begin(), journeys.end(),
                   [&key](const Journey& a, const Journey& b) { return key(a) < key(b); });
  const auto keep = static_cast<std::size_t>(std::max(query_.maxRoutes, 1));
  result.cut = journeys.size() > keep || stopped_;
  result.stopped = stopped_;
  if (journeys.size() > keep) journeys.resize(keep);
  markJourneys(journeys);
  result.journeys = std::move(journeys);
  result.labels = static_cast<long>(labels_.size());
  return result;
}

void Search::searchFrom(int start) {
  Label origin;
  origin.arrival = start;
  origin.start = start;
  origin.station = query_.from;
  labels_.push_back(origin);
  queue_.emplace(start, 0, static_cast<int>(labels_.size()) - 1);
  while (!queue_.empty()) {
    if (labels_.size() >= nextQuestion_) askToGoOn();
    if (stopped_) {
      queue_ = {};
      return;
    }
    const int index = std::get<2>(queue_.top());
    queue_.pop();
    if (labels_[static_cast<std::size_t>(index)].dead) continue;
    if (labels_[static_cast<std::size_t>(index)].station == query_.to) {
      offerResult(index);
    } else {
      expand(index);
    }
  }
}

void Search::expand(int index) {
  const Label here = labels_[static_cast<std::size_t>(index)];
  if (here.depth >= kMaxPathLength) return;
  const bool atStart = here.parent < 0;
  const int n = static_cast<int>(bound_->size()) - 1;
  for (const DiaDepartureRecord& r : net_.dia.departuresOf(here.station)) {
    const StationNo x = r.nextStation;
    if (x < 1 || x > n || r.train < 1 || static_cast<std::size_t>(r.train) >= use_.size() ||
        !use_[static_cast<std::size_t>(r.train)])
      continue;
    const int toGoal = (*bound_)[static_cast<std::size_t>(x)];
    if (toGoal >= kOutOfReach || here.arrival + r.rideMinutes + toGoal > deadline_) continue;
    const bool sameTrain = r.train == here.trainIn;
    const int segments = here.segments + (!sameTrain && !walking(r.train) ? 1 : 0);
    if (changesOf(segments) > query_.maxChanges) continue;
    Hop hop;
    if (!hopBy(r, here.station, here.trainIn, here.arrival, atStart, hop)) continue;
    const int ready = hop.ready;
    const int departure = hop.departure;
    const int arrival = hop.arrival;
    const int journeyDeparture = atStart ? departure : here.departure;
    if (arrival + toGoal > deadline_ || !sameServiceDay(journeyDeparture, arrival) ||
        serviceDay(journeyDeparture) < firstServiceDay_)
      continue;
    if (onPath(index, x)) continue;

    Label next;
    next.arrival = arrival;
    next.start = here.start;
    next.departure = journeyDeparture;
    next.segments = segments;
    next.closedFare = here.closedFare;
    next.walking = here.walking;
    next.waiting = here.waiting;
    const int walk = ready - here.arrival;
    const int wait = departure - ready;
    if (!sameTrain) {
      next.walking += walk;
      if (!atStart) next.waiting += wait;
    }
    if (walking(r.train)) next.walking += r.rideMinutes;
    next.station = x;
    next.trainIn = r.train;
    next.openCode = here.openCode;
    next.openStart = here.openStart;
    next.pendingWalk = here.pendingWalk;
    addFareHop(next, here.station, here.trainIn, r.train);
    next.depth = static_cast<std::int16_t>(here.depth + 1);
    next.parent = index;
    next.rideDeparture = departure;
    next.walkAtParent = static_cast<std::int16_t>(walk);
    next.waitAtParent = static_cast<std::int16_t>(wait);
    if (beatenAtGoal(next, x)) continue;
    offer(next);
  }
}

bool Search::hopBy(const DiaDepartureRecord& r, StationNo at, TrainNo trainIn, int arrival, bool atStart,
                   Hop& hop) const {
  // The boarding rules of the multi-route search: no change minutes at the
  // start, nor onto or off a walking connection; a frequent service of the
  // train the passenger is on leaves at once.
  hop.ready = arrival;
  if (!atStart && !walking(r.train) && !walking(trainIn)) hop.ready += changeMinutes(at, trainIn, r.train);
  hop.departure = hop.ready;
  if (!(r.train == trainIn && r.interval != 0)) {
    if (r.interval != 0 && frequentAlways_) {
      if (day_ >= 0 && RDiaMan::isDayServed(r.days, day_ + hop.ready / 1440) == 0) return false;
      hop.departure = hop.ready + r.interval / 2;
    } else {
      TimeOfDay dep;
      if (hop.ready > kLatestMinutes || !fast_departures::recordDeparture(r, clock(hop.ready), day_, dep))
        return false;
      hop.departure = dep.totalMinutes();
    }
  }
  hop.arrival = hop.departure + r.rideMinutes;
  return hop.arrival <= kLatestMinutes;
}

int Search::earliestArrival(int start) const {
  // One label per station, arriving train and service day of the journey,
  // settled in order of arrival.
  struct Reached {
    int arrival;
    StationNo station;
    TrainNo trainIn;
    int departure;  // the journey's; -1 at the origin
  };
  const auto later = [](const Reached& a, const Reached& b) { return a.arrival > b.arrival; };
  std::priority_queue<Reached, std::vector<Reached>, decltype(later)> queue(later);
  std::unordered_map<std::uint64_t, int> best;
  const int n = static_cast<int>(bound_->size()) - 1;
  queue.push({start, query_.from, -1, -1});
  while (!queue.empty()) {
    const Reached here = queue.top();
    queue.pop();
    if (here.station == query_.to) return here.arrival;
    for (const DiaDepartureRecord& r : net_.dia.departuresOf(here.station)) {
      const StationNo x = r.nextStation;
      if (x < 1 || x > n || r.train < 1 || static_cast<std::size_t>(r.train) >= use_.size() ||
          !use_[static_cast<std::size_t>(r.train)] || (*bound_)[static_cast<std::size_t>(x)] >= kOutOfReach)
        continue;
      Hop hop;
      if (!hopBy(r, here.station, here.trainIn, here.arrival, here.departure < 0, hop)) continue;
      const int departure = here.departure < 0 ? hop.departure : here.departure;
      if (!sameServiceDay(departure, hop.arrival)) continue;
      const std::uint64_t key = (static_cast<std::uint64_t>(static_cast<std::uint16_t>(x)) << 48) |
                                (static_cast<std::uint64_t>(static_cast<std::uint16_t>(r.train)) << 32) |
                                static_cast<std::uint32_t>(serviceDay(departure) + 1000);
      const auto known = best.find(key);
      if (known != best.end() && known->second <= hop.arrival) continue;
      best[key] = hop.arrival;
      queue.push({hop.arrival, x, r.train, departure});
    }
  }
  return -1;
}

void Search::settlePendingWalk(Label& label) const {
  if (label.pendingWalk < 0) return;
  // The walk was no change inside the fare: the section ends where it
  // began, and the walk is priced as a walk.
  if (label.openCode != -1) label.closedFare += sectionFare(label.openCode, label.pendingWalk, label.openStart);
  label.openCode = kWalkingNetworkCode;
  label.openStart = label.pendingWalk;
  label.pendingWalk = -1;
}

void Search::addFareHop(Label& label, StationNo from, TrainNo previous, TrainNo train) const {
  // The sections of fareSections, built hop by hop.
  const NetworkCode code = code_[static_cast<std::size_t>(train)];
  const bool walks = walking(train);
  if (label.pendingWalk >= 0) {
    if (!walks && code == label.openCode) {
      label.pendingWalk = -1;
      return;
    }
    settlePendingWalk(label);
  }
  NetworkCode pricing = code;
  if (walks && code != -1 && code != kWalkingNetworkCode) {
    const bool afterRide = previous >= 1 && !walking(previous) &&
                           static_cast<std::size_t>(previous) < code_.size() &&
                           code_[static_cast<std::size_t>(previous)] == code;
    if (afterRide) {
      label.pendingWalk = from;
      return;
    }
    pricing = kWalkingNetworkCode;
  }
  if (pricing != label.openCode) {
    if (label.openCode != -1) label.closedFare += sectionFare(label.openCode, from, label.openStart);
    label.openCode = pricing;
    label.openStart = from;
  }
}

void Search::offer(Label label) {
  const std::uint64_t key = (static_cast<std::uint64_t>(static_cast<std::uint16_t>(label.station)) << 48) |
                            (static_cast<std::uint64_t>(static_cast<std::uint16_t>(label.trainIn)) << 32) |
                            (static_cast<std::uint64_t>(label.pendingWalk >= 0 ? 0x8000 | label.pendingWalk
                                                                             : static_cast<std::uint16_t>(label.openCode))
                             << 16) |
                            static_cast<std::uint16_t>(label.openStart);
  const auto partial = [](const Label& l) {
    return Criteria{l.departure, l.arrival, l.segments, l.closedFare, l.walking, l.waiting};
  };
  std::vector<int>& bag = bags_[key];
  const Criteria mine = partial(label);
  for (const int k : bag) {
    if (beatsOrTies(partial(labels_[static_cast<std::size_t>(k)]), mine)) return;
  }
  std::erase_if(bag, [&](int k) {
    Label& other = labels_[static_cast<std::size_t>(k)];
    if (!beatsOrTies(mine, partial(other))) return false;
    other.dead = true;
    return true;
  });
  labels_.push_back(label);
  const int index = static_cast<int>(labels_.size()) - 1;
  bag.push_back(index);
  queue_.emplace(label.arrival, label.segments, index);
}

Criteria Search::resultCriteria(const Label& label) const {
  Label closed = label;
  settlePendingWalk(closed);
  int fare = closed.closedFare;
  if (closed.openCode != -1) fare += sectionFare(closed.openCode, closed.station, closed.openStart);
  return {label.departure, label.arrival, changesOf(label.segments), fare, label.walking, label.waiting};
}

void Search::offerResult(int index) {
  const Criteria mine = resultCriteria(labels_[static_cast<std::size_t>(index)]);
  for (const Criteria& kept : resultCriteria_) {
    if (beatsOrTies(kept, mine)) return;
  }
  std::size_t keep = 0;
  for (std::size_t k = 0; k < results_.size(); ++k) {
    if (beatsOrTies(mine, resultCriteria_[k])) continue;
    results_[keep] = results_[k];
    resultCriteria_[keep++] = resultCriteria_[k];
  }
  results_.resize(keep);
  resultCriteria_.resize(keep);
  results_.push_back(index);
  resultCriteria_.push_back(mine);
  askToGoOn();
}

void Search::askToGoOn() {
  nextQuestion_ = labels_.size() + kProgressLabels;
  if (query_.keepGoing && !query_.keepGoing(static_cast<int>(results_.size()))) stopped_ = true;
}

bool Search::beatenAtGoal(const Label& label, StationNo at) const {
  // What the label can at best become: its arrival plus the least riding
  // minutes on, its changes and its closed fare as they are.
  const Criteria best{label.departure, label.arrival + (*bound_)[static_cast<std::size_t>(at)],
                      changesOf(label.segments), label.closedFare, 0, 0};
  for (const Criteria& found : resultCriteria_) {
    if (found.departure >= best.departure && found.arrival <= best.arrival && found.changes <= best.changes &&
        found.fare <= best.fare &&
        (found.departure > best.departure || found.arrival < best.arrival || found.changes < best.changes ||
         found.fare < best.fare))
      return true;
  }
  return false;
}

bool Search::onPath(int index, StationNo station) const {
  for (int k = index; k >= 0; k = labels_[static_cast<std::size_t>(k)].parent) {
    if (labels_[static_cast<std::size_t>(k)].station == station) return true;
  }
  return false;
}

int Search::sectionFare(NetworkCode code, StationNo last, StationNo first) const {
  const std::uint64_t section = (static_cast<std::uint64_t>(static_cast<std::uint16_t>(code)) << 32) |
                                (static_cast<std::uint64_t>(static_cast<std::uint16_t>(last)) << 16) |
                                static_cast<std::uint16_t>(first);
  auto priced = sectionFares_.find(section);
  if (priced == sectionFares_.end())
    priced = sectionFares_.emplace(section, net_.fare.stationFare(code, last, first, 1)).first;
  return priced->second;
}

int Search::changeMinutes(StationNo s, TrainNo in, TrainNo out) const {
  const auto key = (static_cast<std::uint64_t>(static_cast<std::uint16_t>(s)) << 32) |
                   (static_cast<std::uint64_t>(static_cast<std::uint16_t>(in)) << 16) |
                   static_cast<std::uint16_t>(out);
  const auto known = changes_.find(key);
  if (known != changes_.end()) return known->second;
  const int minutes = net_.cnct.transferMinutesIndexed(s, in, out);
  changes_.emplace(key, minutes);
  return minutes;
}

Journey Search::journeyOf(int index) const {
  std::vector<int> chain;
  for (int k = index; k >= 0; k = labels_[static_cast<std::size_t>(k)].parent) chain.push_back(k);
  std::reverse(chain.begin(), chain.end());
  const Label& goal = labels_[static_cast<std::size_t>(index)];
  Journey journey;
  journey.start = goal.start;
  journey.departure = goal.departure;
  journey.arrival = goal.arrival;
  // The journey is told from the time asked for (arrive-by: from its own
  // departure), as the route list tells every route.
  const int asked = query_.arriveBy ? goal.departure : query_.earliestDeparture;
  for (std::size_t i = 0; i < chain.size(); ++i) {
    const Label& l = labels_[static_cast<std::size_t>(chain[i])];
    RouteStopTimes stop;
    stop.station = l.station;
    stop.arrival = clock(i == 0 ? asked : l.arrival);
    if (i + 1 < chain.size()) {
      const Label& next = labels_[static_cast<std::size_t>(chain[i + 1])];
      stop.train = next.trainIn;
      stop.walkMinutes = next.walkAtParent;
      stop.waitMinutes = static_cast<std::int16_t>(i == 0 ? next.rideDeparture - asked : next.waitAtParent);
      stop.departure = clock(next.rideDeparture);
    }
    journey.stops.push_back(stop);
  }
  SectionFares& fares = fares_;
  journey.route = describeRoute(RouteDescriber{net_.names, net_.trains, net_.fare, net_.kiv, fares}, journey.stops);
  journey.changes = journey.route.changes;
  journey.fare = journey.route.fare;
  journey.walking = journey.route.summary.walkingMinutes;
  journey.waiting = journey.route.summary.waitingMinutes - journey.stops.front().waitMinutes;
  return journey;
}

}  // namespace

BestRoutesResult searchBestRoutes(const JourneyNetwork& network, BestRoutesState& state,
                                  const BestRoutesQuery& query) {
  return Search(network, state, query).run();
}

void markJourneys(std::vector<Journey>& journeys) {
  if (journeys.empty()) return;
  const auto least = [&journeys](auto value) {
    int best = value(journeys.front());
    for (const Journey& j : journeys) best = std::min(best, value(j));
    return best;
  };
  const int arrival = least([](const Journey& j) { return j.arrival; });
  const int changes = least([](const Journey& j) { return j.changes; });
  const int fare = least([](const Journey& j) { return j.fare; });
  for (Journey& j : journeys) {
    j.earliest = j.arrival == arrival;
    j.fewestChanges = j.changes == changes;
    j.cheapest = j.fare == fare;
  }
}

}  // namespace kiv
