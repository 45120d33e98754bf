// The times of the best-routes search: the departure times it starts from,
// the earliest arrival that fixes its deadline, the latest start of an
// arrive-by search, and the times of one ride.
#include <algorithm>
#include <functional>
#include <queue>
#include <unordered_map>
#include <vector>

#include "fare/FareSections.h"
#include "fare/RFareMan.h"
#include "journey/JourneySearch.h"
#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "timetable/FastDepartures.h"
#include "timetable/RCnctMan.h"
#include "timetable/RDiaMan.h"

namespace kiv::journey_search {

int Search::latestStart() const {
  const int useful = latestUseful_[static_cast<std::size_t>(query_.from)];
  return std::min({deadline_ - (*bound_)[static_cast<std::size_t>(query_.from)], useful, kLatestMinutes});
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
  for (const DiaDepartureRecord& r : net_.timetable.departuresOf(query_.from)) {
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

bool Search::hopBy(const DiaDepartureRecord& r, StationNo at, TrainNo trainIn, int arrival, bool atStart,
                   Hop& hop, const int* change) const {
  // The boarding rules of the multi-route search: no change minutes at the
  // start, nor onto or off a walking connection; a frequent service of the
  // train the passenger is on leaves at once.
  hop.ready = arrival;
  if (!atStart && !walking(r.train) && !walking(trainIn))
    hop.ready += change ? *change : changeMinutes(at, trainIn, r.train);
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
  // settled in order of arrival plus the least riding minutes still to go,
  // which never falls along a ride: the first label at the goal arrives
  // earliest.
  struct Reached {
    int arrival;
    StationNo station;
    TrainNo trainIn;
    int departure;  // the journey's; -1 at the origin
    int atBest;     // arrival + the least riding minutes to the goal
  };
  const auto later = [](const Reached& a, const Reached& b) { return a.atBest > b.atBest; };
  std::priority_queue<Reached, std::vector<Reached>, decltype(later)> queue(later);
  KeyIndex bestOf;
  std::vector<int> best;
  const int n = static_cast<int>(bound_->size()) - 1;
  queue.push({start, query_.from, -1, -1, start});
  while (!queue.empty()) {
    const Reached here = queue.top();
    queue.pop();
    if (here.station == query_.to) return here.arrival;
    for (const DiaDepartureRecord& r : net_.timetable.departuresOf(here.station)) {
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
      const auto k = static_cast<std::size_t>(bestOf.findOrAdd(key, static_cast<int>(best.size())));
      if (k == best.size()) {
        best.push_back(hop.arrival);
      } else if (best[k] <= hop.arrival) {
        continue;
      } else {
        best[k] = hop.arrival;
      }
      queue.push({hop.arrival, x, r.train, departure, hop.arrival + (*bound_)[static_cast<std::size_t>(x)]});
    }
  }
  return -1;
}

}  // namespace kiv::journey_search
