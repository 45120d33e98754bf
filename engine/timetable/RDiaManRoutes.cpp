// The multi-route search of RDiaMan: the fastest minutes from the
// time-priority search, a distance filter that keeps the stations inside a
// detour ellipse around the shortest-distance route, and a depth-first
// enumeration of paths through the timetable that records every route
// reaching the destination in "$MltRtL1.kv4" and "$MltRtDt.kv4".
#include <algorithm>
#include <cstdint>
#include <limits>
#include <queue>
#include <utility>
#include <vector>

#include "distance/RDistMan.h"
#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "report/WorkFiles.h"
#include "settings/RDefMan.h"
#include "text/ReportText.h"
#include "timetable/FastDepartures.h"
#include "timetable/RCnctMan.h"
#include "timetable/RDiaMan.h"
#include "timetable/RouteSearchState.h"

namespace kiv {

namespace {

// Longest path the enumeration extends, in stations.
constexpr int kMaxPathLength = 100;
// Cost bound a departure record must beat to become the first choice.
constexpr int kNoBestCost = 32000;
// mode_route of the best-routes mode.
constexpr int kBestRoutesMode = 2;
// The latest time (minutes after midnight of the start day) up to which the
// time bound of the fast search is used: far below the 127 hours a time can
// hold, so that no departure of a route within it passes that range.
constexpr int kLatestBoundMinutes = 100 * 60;
// Stations entered between two reports to the progress callback.
constexpr long kProgressSteps = 1 << 14;
// A station from which the goal cannot be reached in time.
constexpr int kNeverUseful = -(1 << 20);
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

// Whether each train 1..T is switched on (element 0 unused), read once per
// search rather than once per departure record.
std::vector<std::uint8_t> trainUseFlags(const RTrainMan& trains) {
  std::vector<std::uint8_t> use(static_cast<std::size_t>(std::max(trains.getTrainCount(), 0)) + 1, 1);
  for (std::size_t t = 1; t < use.size(); ++t) use[t] = trains.getTrainUse(static_cast<TrainNo>(t)) != 0;
  return use;
}

// Whether train t is switched on, by the flags of trainUseFlags; a train
// outside them is asked of the train list.
bool trainInUse(const std::vector<std::uint8_t>& use, const RTrainMan& trains, TrainNo t) {
  const auto k = static_cast<std::size_t>(t);
  return t >= 1 && k < use.size() ? use[k] != 0 : trains.getTrainUse(t) != 0;
}

}  // namespace

void RDiaMan::setProgressCallback(RouteProgress callback) { routeProgress_ = std::move(callback); }

int RDiaMan::searchRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                          int extraMinutes) {
  const int found = findRoutes(from, to, hour, minute, day, detourKm, extraMinutes);
  // Sorted lists that could not be written are no result either (and never
  // "no route"): sortRouteLists names the file.
  if (sortRouteLists(found) < 0 && found > 0) return -1;
  return found;
}

RDiaMan::RouteLimits RDiaMan::routeLimitsFromSettings() const {
  return {def_.getTransMax(), def_.getRouteMax(), def_.getRouteMode()};
}

int RDiaMan::findRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                        int extraMinutes) {
  return findRoutes(from, to, hour, minute, day, detourKm, extraMinutes, routeLimitsFromSettings());
}

int RDiaMan::findRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                        int extraMinutes, const RouteLimits& limits) {
  workFileProblem_.clear();
  routeListEnd_ = RouteListEnd::complete;
  const int fastest = fastestTime(from, to, hour, minute, day);
  if (fastest == -1) return -1;
  if (limits.modeRoute == kBestRoutesMode) {
    return findBestRoutes(from, to, hour, minute, day, extraMinutes, limits);
  }
  const ActiveRouteSearch active(rs_);

  if (!markDetourEllipse(from, to, detourKm)) {
    workFileProblem_ = work_files::kRouteSearchLog;
    return -1;
  }

  const int n = searchStationCount();
  rs_->onPath.assign(static_cast<std::size_t>(n) + 1, 0);
  rs_->use = trainUseFlags(trains_);
  rs_->station.assign(kMaxPathLength + 2, 0);
  rs_->train.assign(kMaxPathLength + 2, 0);
  // The departure as given, even an hour or minute off the clock.
  const work_files::ClockTime departure{report_text::format("%2d:%02d", hour, minute), hour * 60 + minute};
  if (!beginRouteFiles(from, to, departure)) return -1;
  rs_->depth = 0;
  rs_->found = 0;
  rs_->transfers = 0;
  rs_->maxTransfers = static_cast<std::int16_t>(limits.transMax);
  rs_->maxRoutes = static_cast<std::int16_t>(limits.routeMax);
  rs_->stepBudget = limits.classicStepBudget;

  rs_->timeLimit = static_cast<std::int16_t>(fastest + extraMinutes);
  rs_->day = rules_.serviceDays ? day : -1;
  rs_->start = hour * 60 + minute;
  if (rules_.lowerBoundPruning) {
    // The fastest time was just sought for the same goal: its bound serves.
    const std::vector<int>* known = fast() ? knownGoalBound(to, rs_->use) : nullptr;
    rs_->bound = known ? *known : minutesToGoalBound(to);
  }
  rs_->candidates.resize(kMaxPathLength + 2);
  // The time bound needs a start on the clock. The fast search does not
  // enter the stations it rules out; the reference one enters them but does
  // not count them as steps of the search, so that both tell the progress
  // callback at the same points.
  const bool timeBound = hour >= 0 && minute >= 0 && minute < 60;
  if (timeBound) rs_->latest = latestUsefulCost(to, rs_->start + rs_->timeLimit);
  extendRoute(from, to);

  const int found = rs_->found;
  routeListCut_ = found >= rs_->maxRoutes;
  const bool budgetSpent = rs_->steps > rs_->stepBudget;
  if (budgetSpent && !rs_->stopped) routeListCut_ = true;
  routeListEnd_ = rs_->stopped    ? RouteListEnd::stopped
                  : budgetSpent   ? RouteListEnd::workBudget
                  : routeListCut_ ? RouteListEnd::routeLimit
                                  : RouteListEnd::complete;
  // A route list that could not be written whole (a full disk) is no result.
  return endRouteSearch() ? found : -1;
}

bool RDiaMan::beginRouteFiles(StationNo from, StationNo to, const work_files::ClockTime& asked) {
  char fromName[kStationNameSize] = "";
  char toName[kStationNameSize] = "";
  staName_.getName(from, fromName);
  staName_.getName(to, toName);
  rs_->listFile = std::make_unique<work_files::WorkFileWriter>(dataDir_ / work_files::kRouteListFound);
  rs_->detailFile = std::make_unique<work_files::WorkFileWriter>(dataDir_ / work_files::kRouteDetails);
  if (!rs_->listFile->isOpen() || !rs_->detailFile->isOpen()) {
    endRouteSearch();
    return false;
  }
  const work_files::RouteListHead head{fromName, toName, asked};
  if (fast()) {
    work_files::appendRouteListHead(rs_->listText, head, work_files::RouteListLayout::kSorted);
    rs_->listText += "\r\n";
  } else {
    rs_->listFile->line(work_files::formatRouteListHead(head, work_files::RouteListLayout::kSorted));
  }
  return true;
}

bool RDiaMan::endRouteSearch() {
  bool written = true;
  const std::pair<std::unique_ptr<work_files::WorkFileWriter>*, const std::string*> files[] = {
      {&rs_->listFile, &rs_->listText}, {&rs_->detailFile, &rs_->detailText}};
  for (const auto& [file, text] : files) {
    // The fast search kept the bytes of the file emptied at its start and
    // writes them whole over it now.
    bool ok = !*file || (*file)->close();
    if (ok && *file && fast())
      ok = work_files::writeWholeBytes((*file)->path(), *text, work_files::WholeFile::kOverOldBytes);
    // The first file not written whole (or not opened) is the one named.
    if (!ok && written) {
      workFileProblem_ = (*file)->path().filename().string();
      written = false;
    }
    file->reset();
  }
  return written;
}

bool RDiaMan::routeHop(const DiaDepartureRecord& r, StationNo a, bool atStart, TrainNo trainIn,
                       TimeOfDay arrival, int day, bool frequentAlways, RouteHop& hop) const {
  return routeHopWhenReady(r, readyToBoard(r.train, a, atStart, trainIn, arrival), trainIn, arrival, day,
                           frequentAlways, hop);
}

bool RDiaMan::routeHopWhenReady(const DiaDepartureRecord& r, TimeOfDay ready, TrainNo trainIn,
                                TimeOfDay arrival, int day, bool frequentAlways, RouteHop& hop) const {
  hop.ready = ready;
  if (trainIn == r.train && r.interval != 0) {
    hop.departure = hop.ready;  // stays on board
  } else if (r.interval != 0 && frequentAlways) {
    // Half an interval on, whatever the hour.
    if (day >= 0 && isDayServed(r.days, day + hop.ready.hour / 24) == 0) return false;
    hop.departure = addMinutes(hop.ready, r.interval / 2);
  } else if (!nextRecordDeparture(r, hop.ready, day, hop.departure)) {
    return false;
  }
  hop.walk = minutesBetween(arrival, hop.ready);
  hop.wait = minutesBetween(hop.ready, hop.departure);
  return true;
}

TimeOfDay RDiaMan::readyToBoard(TrainNo train, StationNo a, bool atStart, TrainNo trainIn,
                                TimeOfDay arrival) const {
  // No change minutes at the start, nor onto or off a walking connection:
  // the walk itself holds them.
  if (atStart || walkingTrain(train) || walkingTrain(trainIn)) return arrival;
  if (!fast()) return addMinutes(arrival, changeMinutes(a, trainIn, train));
  return addMinutes(arrival,
                    knownChanges_.minutes(a, trainIn, train, [this](StationNo s, TrainNo in, TrainNo out) {
                      return cnct_.transferMinutesIndexed(s, in, out);
                    }));
}

int RDiaMan::changeMinutes(StationNo s, TrainNo arriving, TrainNo departing) const {
  // The transfer table is a list scanned from the start; the searches ask
  // for the same few changes again and again.
  const auto key = (static_cast<std::uint64_t>(static_cast<std::uint16_t>(s)) << 32) |
                   (static_cast<std::uint64_t>(static_cast<std::uint16_t>(arriving)) << 16) |
                   static_cast<std::uint16_t>(departing);
  const auto known = changeMinutes_.find(key);
  if (known != changeMinutes_.end()) return known->second;
  const int minutes = cnct_.transferMinutes(s, arriving, departing);
  changeMinutes_.emplace(key, minutes);
  return minutes;
}

void RDiaMan::routeCandidates(StationNo a, std::span<const DiaDepartureRecord> towards, int latestCost,
                              std::vector<RouteCandidate>& out) const {
  out.clear();
  const SearchNode& here = searchTable_[static_cast<std::size_t>(a)];
  const bool atStart = rs_->depth == 1;
  const bool frequentAlways = !rules_.frequentServiceHours;
  // The fast search passes over a record that cannot leave early enough to
  // cost at most `limit` (on the clock, a record leaves only in its served
  // hours); like the records above latestCost, such a record is never
  // followed, and leaving it out changes no choice.
  const int limit = std::min({latestCost, static_cast<int>(rs_->timeLimit), kNoBestCost - 1});
  const bool clockwise = fast() && timetableIndex().clockwise;
  TrainNo readyTrain = 0;
  TimeOfDay ready;
  bool anyReady = false;
  for (const DiaDepartureRecord& r : towards) {
    if (!trainInUse(rs_->use, trains_, r.train)) continue;
    // A record that would cost more than latestCost even without change or
    // wait is not followed, and every record of its train that it could
    // have beaten costs more too: the records left choose the same.
    if (here.cost + r.rideMinutes > latestCost) continue;
    // The records of one train follow each other: the change is looked up
    // once for them.
    if (!anyReady || r.train != readyTrain) {
      anyReady = true;
      readyTrain = r.train;
      ready = readyToBoard(r.train, a, atStart, here.trainIn, here.arrival);
    }
    const bool leavesAtOnce = r.interval != 0 && (here.trainIn == r.train || frequentAlways);
    if (clockwise && !leavesAtOnce) {
      const int latest =
          ready.totalMinutes() + limit - here.cost - minutesBetween(here.arrival, ready) - r.rideMinutes;
      if (ready.hour >= 0 && ready.minute >= 0 && ready.minute < 60 &&
          !fast_departures::mayLeaveBy(r, ready, latest))
        continue;
    }
    RouteHop hop;
    if (!routeHopWhenReady(r, ready, here.trainIn, here.arrival, rs_->day, frequentAlways, hop)) continue;
    const int c = here.cost + hop.walk + hop.wait + r.rideMinutes;
    if (c > rs_->timeLimit || c >= kNoBestCost) continue;
    // One record per train (only the single cheapest one without through
    // trains); of equal costs the first in the file.
    auto same = std::find_if(out.begin(), out.end(), [&](const RouteCandidate& k) {
      return !rules_.throughTrains || k.record->train == r.train;
    });
    if (same == out.end()) {
      out.push_back({&r, c, hop});
    } else if (c < same->cost) {
      *same = {&r, c, hop};
    }
  }
  std::sort(out.begin(), out.end(), [](const RouteCandidate& p, const RouteCandidate& q) {
    return p.cost != q.cost ? p.cost < q.cost : p.record < q.record;
  });
}

void RDiaMan::extendRoute(StationNo a, StationNo goal, bool counted) {
  const int n = searchStationCount();
  auto node = [this](StationNo s) -> SearchNode& { return searchTable_[static_cast<std::size_t>(s)]; };

  rs_->onPath[static_cast<std::size_t>(a)] = 1;
  ++rs_->depth;
  rs_->station[static_cast<std::size_t>(rs_->depth)] = a;

  // Changes so far: boarding a walking connection is not a change, boarding
  // a train after walking is.
  rs_->transfers = 0;
  TrainNo current = rs_->train[1];
  for (int k = 1; k <= rs_->depth - 1; ++k) {
    const TrainNo t = rs_->train[static_cast<std::size_t>(k)];
    if (t != current) {
      if (!walkingTrain(t)) ++rs_->transfers;
      current = t;
    }
  }

  // The classic search ends as at the route limit once it has entered
  // its budget of stations: the enumeration grows about tenfold with each
  // change allowed.
  auto routesLeft = [this] {
    return !rs_->stopped && rs_->found < rs_->maxRoutes && rs_->steps <= rs_->stepBudget;
  };
  // The caller hears of a long enumeration now and then, also before any
  // route is found, and may stop it.
  if (counted && ++rs_->steps % kProgressSteps == 0) askToGoOn();
  if (routesLeft() && rs_->depth <= kMaxPathLength && rs_->transfers <= rs_->maxTransfers) {
    if (a == goal) {
      recordRoute();
    } else {
      SearchNode& here = node(a);
      std::vector<RouteCandidate>& candidates = rs_->candidates[static_cast<std::size_t>(rs_->depth)];
      const std::span<const DiaLinkRecord> links = linksOf(a);
      for (std::size_t k = 0; k < links.size(); ++k) {
        if (!routesLeft()) break;
        const StationNo x = links[k].to;
        // A neighbour outside the station directory, already on the path or
        // outside the detour ellipse cannot be entered.
        if (x < 1 || x > n || rs_->onPath[static_cast<std::size_t>(x)] == 1 ||
            rs_->allowed[static_cast<std::size_t>(x)] == 0) {
          continue;
        }
        const int latestCost = rs_->latest.empty() || !fast() ? std::numeric_limits<int>::max()
                                                              : rs_->latest[static_cast<std::size_t>(x)];
        routeCandidates(a, linkDepartures(a, links, k), latestCost, candidates);
        for (const RouteCandidate& take : candidates) {
          // The time the passenger would stand at x is too late to reach
          // the goal within the limit by any departures at all (nor can any
          // station after x be reached in time).
          const bool inTime = rs_->latest.empty() || take.cost <= rs_->latest[static_cast<std::size_t>(x)];
          if (!inTime && fast()) continue;
          // No route through x can arrive within the time limit.
          if (rules_.lowerBoundPruning &&
              take.cost + rs_->bound[static_cast<std::size_t>(x)] > rs_->timeLimit)
            continue;
          const DiaDepartureRecord& r = *take.record;
          here.walkMinutes = static_cast<std::int16_t>(take.hop.walk);
          here.waitMinutes = static_cast<std::int16_t>(take.hop.wait);
          rs_->train[static_cast<std::size_t>(rs_->depth)] = r.train;
          SearchNode& next = node(x);
          next.cost = static_cast<std::int16_t>(take.cost);
          next.pred = a;
          next.trainIn = r.train;
          next.boardHour = take.hop.departure.hour;
          next.boardMinute = take.hop.departure.minute;
          next.arrival = addMinutes(take.hop.departure, r.rideMinutes);
          here.succ = x;
          here.trainOut = r.train;
          here.departure = take.hop.departure;
          extendRoute(x, goal, inTime);
        }
      }
    }
  }

  rs_->onPath[static_cast<std::size_t>(a)] = 0;
  --rs_->depth;
}

void RDiaMan::recordRoute() {
  const int number = rs_->found;
  ++rs_->found;
  askToGoOn();
  FoundRoute route = describeRoute();
  route.detection = number;
  writeFoundRoute(route, number);
}

void RDiaMan::askToGoOn() {
  if (!routeProgress_ || routeProgress_(rs_->found, rs_->depth)) return;
  // Ends the search as the route limit would.
  rs_->maxRoutes = static_cast<std::int16_t>(rs_->found);
  rs_->stopped = true;
}

std::vector<int> RDiaMan::minutesToGoalBoundIndexed(StationNo goal) const {
  const TimetableIndex& index = timetableIndex();
  const auto size = static_cast<std::size_t>(searchStationCount()) + 1;
  const std::vector<std::uint8_t> use = trainUseFlags(trains_);
  const auto used = [&](const DiaDepartureRecord& r) { return trainInUse(use, trains_, r.train); };
  for (const std::int32_t k : index.negativeRides) {
    if (used(timetable_.departures()[static_cast<std::size_t>(k)])) return std::vector<int>(size, 0);
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
      const DiaDepartureRecord& r = timetable_.departures()[static_cast<std::size_t>(d.record)];
      if (used(r)) hop(d.from, r.rideMinutes);
    }
  });
}

std::vector<int> RDiaMan::latestUsefulCost(StationNo goal, int deadline) {
  rs_->latestDeadline = deadline;
  const TimetableIndex& index = timetableIndex();
  const int n = searchStationCount();
  const int startHour = rs_->start / 60;
  // Only where the minutes a route costs are the minutes of the clock
  // between its start and each stop (sound data, no hours past the range of
  // the times held) does a time bound say anything about the costs.
  if (!index.clockwise || rs_->start < 0 || startHour > 23 || deadline > kLatestBoundMinutes) return {};
  const auto used = [this](TrainNo t) { return trainInUse(rs_->use, trains_, t); };
  const auto served = [this](const DiaDepartureRecord& r, int h) {
    if (((r.hours >> (h % 24)) & 1u) == 0) return false;
    return rs_->day < 0 || ((r.days >> ((rs_->day + h / 24) % 7)) & 1u) != 0;
  };
  // The latest departure by r that arrives by `latest`: a frequent service
  // may leave at any time (the passenger may be on board already), a timed
  // one at a served hour (looked for a day and a half back; further back it
  // is taken as served, which can only loosen the bound).
  const auto latestBy = [&](const DiaDepartureRecord& r, int latest) {
    const int leave = latest - r.rideMinutes;
    if (r.interval != 0) return leave;
    const int top = leave - r.minute;
    if (top < 0) return kNeverUseful;
    for (int h = top / 60, steps = 0; h >= startHour; --h, ++steps) {
      if (steps >= 36 || served(r, h)) return h * 60 + r.minute;
    }
    return kNeverUseful;
  };
  std::vector<int> latest(static_cast<std::size_t>(n) + 1, kNeverUseful);
  using Entry = std::pair<int, StationNo>;
  std::priority_queue<Entry> queue;  // latest first
  latest[static_cast<std::size_t>(goal)] = deadline;
  queue.emplace(deadline, goal);
  while (!queue.empty()) {
    const auto [time, x] = queue.top();
    queue.pop();
    if (time < latest[static_cast<std::size_t>(x)]) continue;
    const auto first = index.intoStart[static_cast<std::size_t>(x)];
    const auto end = index.intoStart[static_cast<std::size_t>(x) + 1];
    for (auto h = first; h < end; ++h) {
      const TimetableIndex::Hop hop = index.hopsInto[static_cast<std::size_t>(h)];
      // The search enters only stations inside the detour ellipse.
      if (rs_->allowed[static_cast<std::size_t>(hop.from)] == 0) continue;
      int best = latest[static_cast<std::size_t>(hop.from)];
      const TimetableIndex::Span span = index.linkDepartures[static_cast<std::size_t>(hop.link)];
      for (int k = span.first; k < span.first + span.count; ++k) {
        const DiaDepartureRecord& r = timetable_.departures()[static_cast<std::size_t>(k)];
        if (used(r.train)) best = std::max(best, latestBy(r, time));
      }
      if (best > latest[static_cast<std::size_t>(hop.from)]) {
        latest[static_cast<std::size_t>(hop.from)] = best;
        queue.emplace(best, hop.from);
      }
    }
  }
  for (int& t : latest) {
    if (t != kNeverUseful) t -= rs_->start;
  }
  return latest;
}

std::vector<int> RDiaMan::minutesToGoalBound(StationNo goal) const {
  const int n = searchStationCount();
  const auto size = static_cast<std::size_t>(n) + 1;
  if (fast()) return minutesToGoalBoundIndexed(goal);
  // The hops into each station, with their least riding minutes.
  std::vector<std::vector<std::pair<StationNo, int>>> into(size);
  for (int s = 1; s <= n; ++s) {
    for (const DiaDepartureRecord& r : departuresOf(static_cast<StationNo>(s))) {
      if (trains_.getTrainUse(r.train) == 0 || r.nextStation < 1 || r.nextStation > n) continue;
      if (r.rideMinutes < 0) return std::vector<int>(size, 0);
      into[static_cast<std::size_t>(r.nextStation)].emplace_back(static_cast<StationNo>(s), r.rideMinutes);
    }
  }
  return leastMinutesTo(goal, size, [&into](StationNo x, auto hop) {
    for (const auto& [s, ride] : into[static_cast<std::size_t>(x)]) hop(s, ride);
  });
}

}  // namespace kiv
