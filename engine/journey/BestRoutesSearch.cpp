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
#include <limits>
#include <span>
#include <vector>

#include "fare/FareSections.h"
#include "fare/RFareMan.h"
#include "fare/UnknownFare.h"
#include "journey/JourneySearch.h"
#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "timetable/FastDepartures.h"
#include "timetable/RCnctMan.h"
#include "timetable/RDiaMan.h"

namespace kiv {

namespace journey_search {

void Search::prepare() {
  const RouteSearchRules& rules = net_.rules;
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
    state_.boundGoalCache = minutesToGoalBound(net_, query_.to);
    state_.boundGoal = query_.to;
    state_.boundUse = useHash;
  }
  bound_ = &state_.boundGoalCache;
  pathMark_.assign(bound_->size(), 0u);
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
    findLatestUseful();
    lowest = searchArriveBy();
  } else {
    if (query_.latestArrival <= 0 && !fixDeadline()) return result;
    result.deadline = deadline_;
    findLatestUseful();
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
    return query_.arriveBy ? std::make_tuple(-j.start, j.changes, j.fare, j.arrival)
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
  origin.pathBits = pathBit(query_.from);
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
  const std::span<const DiaDepartureRecord> records = net_.timetable.departuresOf(here.station);
  if (records.empty()) return;
  const auto first = static_cast<std::size_t>(records.data() - &net_.timetable.departureAt(0));
  bool marked = false;
  const int* change = atStart ? nullptr : changeRow(here.station, here.trainIn, records);
  for (std::size_t k = 0; k < records.size(); ++k) {
    // A record the passenger cannot be ready for in time leads nowhere.
    if (here.arrival > recordLatest_[first + k]) continue;
    const DiaDepartureRecord& r = records[k];
    const StationNo x = r.nextStation;
    if (x < 1 || x > n || r.train < 1 || static_cast<std::size_t>(r.train) >= use_.size() ||
        !use_[static_cast<std::size_t>(r.train)])
      continue;
    const int toGoal = (*bound_)[static_cast<std::size_t>(x)];
    const int latest = latestUseful_[static_cast<std::size_t>(x)];
    if (toGoal >= kOutOfReach || here.arrival + r.rideMinutes + toGoal > deadline_) continue;
    const bool sameTrain = r.train == here.trainIn;
    const int segments = here.segments + (!sameTrain && !walking(r.train) ? 1 : 0);
    if (changesOf(segments) > query_.maxChanges) continue;
    Hop hop;
    if (!hopBy(r, here.station, here.trainIn, here.arrival, atStart, hop, change ? change + k : nullptr))
      continue;
    const int ready = hop.ready;
    const int departure = hop.departure;
    const int arrival = hop.arrival;
    const int journeyDeparture = atStart ? departure : here.departure;
    if (arrival + toGoal > deadline_ || arrival > latest || !sameServiceDay(journeyDeparture, arrival) ||
        serviceDay(journeyDeparture) < firstServiceDay_)
      continue;
    if (x == here.previous) continue;
    if ((here.pathBits & pathBit(x)) != 0) {
      // Perhaps on the path already: look it up.
      if (!marked) markPath(index);
      marked = true;
      if (pathMark_[static_cast<std::size_t>(x)] == pathStamp_) continue;
    }

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
    next.pathBits = here.pathBits | pathBit(x);
    next.previous = here.station;
    next.parent = index;
    next.rideDeparture = departure;
    next.walkAtParent = static_cast<std::int16_t>(walk);
    next.waitAtParent = static_cast<std::int16_t>(wait);
    if (beatenAtGoal(next, x)) continue;
    offer(next);
  }
}

void Search::settlePendingWalk(Label& label) const {
  if (label.pendingWalk < 0) return;
  // The walk was no change inside the fare: the section ends where it
  // began, and the walk is priced as a walk.
  if (label.openCode != -1)
    label.closedFare += sectionFare(label.openCode, label.pendingWalk, label.openStart);
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
  const std::uint64_t key =
      (static_cast<std::uint64_t>(static_cast<std::uint16_t>(label.station)) << 48) |
      (static_cast<std::uint64_t>(static_cast<std::uint16_t>(label.trainIn)) << 32) |
      (static_cast<std::uint64_t>(label.pendingWalk >= 0 ? 0x8000 | label.pendingWalk
                                                         : static_cast<std::uint16_t>(label.openCode))
       << 16) |
      static_cast<std::uint16_t>(label.openStart);
  const BagEntry mine{leaveTime(label),
                      label.arrival,
                      label.segments,
                      label.closedFare,
                      label.walking,
                      label.waiting,
                      static_cast<int>(labels_.size())};
  const int number = bagOfKey_.findOrAdd(key, static_cast<int>(bags_.size()));
  if (static_cast<std::size_t>(number) == bags_.size()) bags_.emplace_back();
  std::vector<BagEntry>& bag = bags_[static_cast<std::size_t>(number)];
  for (const BagEntry& kept : bag) {
    if (beatsOrTies(kept.criteria(), mine.criteria())) return;
  }
  std::erase_if(bag, [&](const BagEntry& other) {
    if (!beatsOrTies(mine.criteria(), other.criteria())) return false;
    labels_[static_cast<std::size_t>(other.label)].dead = true;
    return true;
  });
  labels_.push_back(label);
  const int index = mine.label;
  bag.push_back(mine);
  queue_.emplace(label.arrival, label.segments, index);
}

Criteria Search::resultCriteria(const Label& label) const {
  Label closed = label;
  settlePendingWalk(closed);
  int fare = closed.closedFare;
  if (closed.openCode != -1) fare += sectionFare(closed.openCode, closed.station, closed.openStart);
  return {leaveTime(label), label.arrival, changesOf(label.segments), fare, label.walking, label.waiting};
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
  const Criteria best{leaveTime(label),
                      label.arrival + (*bound_)[static_cast<std::size_t>(at)],
                      changesOf(label.segments),
                      label.closedFare,
                      0,
                      0};
  for (const Criteria& found : resultCriteria_) {
    if (found.departure >= best.departure && found.arrival <= best.arrival && found.changes <= best.changes &&
        found.fare <= best.fare &&
        (found.departure > best.departure || found.arrival < best.arrival || found.changes < best.changes ||
         found.fare < best.fare))
      return true;
  }
  return false;
}

void Search::markPath(int index) {
  // A new stamp unmarks the stations of the label expanded before.
  if (++pathStamp_ == 0) {
    std::fill(pathMark_.begin(), pathMark_.end(), 0u);
    pathStamp_ = 1;
  }
  for (int k = index; k >= 0; k = labels_[static_cast<std::size_t>(k)].parent) {
    const auto station = static_cast<std::size_t>(labels_[static_cast<std::size_t>(k)].station);
    if (station < pathMark_.size()) pathMark_[station] = pathStamp_;
  }
}

int Search::sectionFare(NetworkCode code, StationNo last, StationNo first) const {
  const std::uint64_t section = (static_cast<std::uint64_t>(static_cast<std::uint16_t>(code)) << 32) |
                                (static_cast<std::uint64_t>(static_cast<std::uint16_t>(last)) << 16) |
                                static_cast<std::uint16_t>(first);
  auto priced = sectionFares_.find(section);
  if (priced == sectionFares_.end())
    priced =
        sectionFares_.emplace(section, net_.fare.stationFare(fares_.pricing, code, last, first, 1)).first;
  return priced->second;
}

const int* Search::changeRow(StationNo s, TrainNo in, std::span<const DiaDepartureRecord> records) {
  const std::uint64_t key =
      (static_cast<std::uint64_t>(static_cast<std::uint16_t>(s)) << 16) | static_cast<std::uint16_t>(in);
  const auto row =
      static_cast<std::size_t>(changeRowOf_.findOrAdd(key, static_cast<int>(changeRows_.size())));
  if (row == changeRows_.size()) {
    for (const DiaDepartureRecord& r : records) changeRows_.push_back(changeMinutes(s, in, r.train));
  }
  return changeRows_.data() + row;
}

int Search::changeMinutes(StationNo s, TrainNo in, TrainNo out) const {
  return net_.cnct.transferMinutesIndexed(s, in, out);
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
  journey.route =
      describeRoute(RouteDescriber{net_.names, net_.trains, net_.fare, net_.kiv, fares}, journey.stops);
  journey.changes = journey.route.changes;
  journey.fare = journey.route.fare;
  journey.walking = journey.route.summary.walkingMinutes;
  journey.waiting = journey.route.summary.waitingMinutes - journey.stops.front().waitMinutes;
  return journey;
}

}  // namespace journey_search

BestRoutesResult searchBestRoutes(const TimetableNetwork& network, BestRoutesState& state,
                                  const BestRoutesQuery& query) {
  return journey_search::Search(network, state, query).run();
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
  // A fare the data do not give is no price: it is never the lowest.
  constexpr int kNoPrice = std::numeric_limits<int>::max();
  const auto price = [](const Journey& j) { return fareUnknown(j.route) ? kNoPrice : j.fare; };
  const int fare = least(price);
  for (Journey& j : journeys) {
    j.earliest = j.arrival == arrival;
    j.fewestChanges = j.changes == changes;
    j.cheapest = fare != kNoPrice && price(j) == fare;
  }
}

}  // namespace kiv
