// The multi-route search of RDiaMan: the fastest minutes from the
// time-priority search, a distance filter that keeps the stations inside a
// detour ellipse around the shortest-distance route, and a depth-first
// enumeration of paths through the timetable that records every route
// reaching the destination in "$MltRtL1.kv4" and "$MltRtDt.kv4".
#include <algorithm>
#include <limits>
#include <queue>
#include <utility>
#include <vector>

#include "distance/RDistMan.h"
#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "settings/RDefMan.h"
#include "timetable/RCnctMan.h"
#include "timetable/RDiaMan.h"

namespace kiv {

namespace {

// Longest path the enumeration extends, in stations.
constexpr int kMaxPathLength = 100;
// Cost bound a departure record must beat to become the first choice.
constexpr int kNoBestCost = 32000;
// mode_route of the best-routes mode.
constexpr int kBestRoutesMode = 2;
// The extra minutes over the fastest time the best-routes mode tries in turn,
// up to the allowed extra minutes.
constexpr int kWideningMinutes[] = {0, 2, 5, 10, 15, 20, 30, 45, 60, 32767};
// Stations the best-routes mode may enter within one limit.
constexpr long kBestRoutesStepBudget = 1'500'000;
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

// "出発駅:%s\n"
constexpr char kLogFrom[] = "\x8f\x6f\x94\xad\x89\x77:%s\r\n";
// "目的駅:%s\n"
constexpr char kLogTo[] = "\x96\xda\x93\x49\x89\x77:%s\r\n";
// "最短距離:%d(100m)\n"
constexpr char kLogShortest[] = "\x8d\xc5\x92\x5a\x8b\x97\x97\xa3:%d(100m)\r\n";
// "迂回限度:%d km\n"
constexpr char kLogDetour[] = "\x89\x49\x89\xf1\x8c\xc0\x93\x78:%d km\r\n";
// "距離限度:%d(100m)\n"
constexpr char kLogBound[] = "\x8b\x97\x97\xa3\x8c\xc0\x93\x78:%d(100m)\r\n";
// "○  %5d(%5d,%5d) : %-24s\n"
constexpr char kLogInside[] = "\x81\x9b  %5d(%5d,%5d) : %-24s\r\n";
constexpr char kListHeader[] = "0 %s %s %s\r\n";
}  // namespace

void RDiaMan::setProgressCallback(RouteProgress callback) { routeProgress_ = std::move(callback); }

int RDiaMan::searchRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                          int extraMinutes) {
  const int found = findRoutes(from, to, hour, minute, day, detourKm, extraMinutes);
  sortRouteLists(found);
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
  char departureText[16];
  std::snprintf(departureText, sizeof departureText, "%2d:%02d", hour, minute);

  const int fastest = fastestTime(from, to, hour, minute, day);
  if (fastest == -1) return -1;

  std::FILE* log = std::fopen((dataDir_ / "$vflg.kv4").string().c_str(), "wb");
  if (!log) return -1;

  const int n = searchStationCount();
  char fromName[kStationNameSize] = "";
  char toName[kStationNameSize] = "";
  staName_.getName(from, fromName);
  staName_.getName(to, toName);

  // The detour ellipse: a station is entered only when going there from the
  // start and on to the destination is at most detourKm longer than the
  // shortest distance.
  routeAllowed_.assign(static_cast<std::size_t>(n) + 1, 0);
  {
    std::vector<Distance> distFrom(static_cast<std::size_t>(n) + 1, kUnreachedDistance);
    std::vector<Distance> distTo(static_cast<std::size_t>(n) + 1, kUnreachedDistance);
    dist_.allDistances(from, n, distFrom.data());
    dist_.allDistances(to, n, distTo.data());
    const int shortest = distFrom[static_cast<std::size_t>(to)];
    const int bound = shortest + detourKm * 10;
    std::fprintf(log, kLogFrom, fromName);
    std::fprintf(log, kLogTo, toName);
    std::fprintf(log, kLogShortest, shortest);
    std::fprintf(log, kLogDetour, detourKm);
    std::fprintf(log, kLogBound, bound);
    for (int s = 1; s <= n; ++s) {
      const int sum = distFrom[static_cast<std::size_t>(s)] + distTo[static_cast<std::size_t>(s)];
      if (sum > bound) continue;
      routeAllowed_[static_cast<std::size_t>(s)] = 1;
      char name[kStationNameSize] = "";
      staName_.getName(static_cast<StationNo>(s), name);
      std::fprintf(log, kLogInside, sum, distFrom[static_cast<std::size_t>(s)],
                   distTo[static_cast<std::size_t>(s)], name);
    }
  }
  std::fclose(log);

  routeOnPath_.assign(static_cast<std::size_t>(n) + 1, 0);
  routeStation_.assign(kMaxPathLength + 2, 0);
  routeTrain_.assign(kMaxPathLength + 2, 0);
  routeListFile_ = std::fopen((dataDir_ / "$MltRtL1.kv4").string().c_str(), "wb");
  routeDetailFile_ = std::fopen((dataDir_ / "$MltRtDt.kv4").string().c_str(), "wb");
  if (!routeListFile_ || !routeDetailFile_) {
    endRouteSearch();
    return -1;
  }
  routeDepth_ = 0;
  routesFound_ = 0;
  routeTransfers_ = 0;
  routeMaxTransfers_ = static_cast<std::int16_t>(limits.transMax);
  routeMaxRoutes_ = static_cast<std::int16_t>(limits.routeMax);

  std::fprintf(routeListFile_, kListHeader, fromName, toName, departureText);
  routeTimeLimit_ = static_cast<std::int16_t>(fastest + extraMinutes);
  routeDay_ = rules_.serviceDays ? day : -1;
  routeStart_ = hour * 60 + minute;
  routeBound_ = rules_.lowerBoundPruning ? minutesToGoalBound(to) : std::vector<int>{};
  routeCandidates_.resize(kMaxPathLength + 2);
  routeLatest_ = {};
  routeStopped_ = false;
  routeSteps_ = 0;
  // The time bound needs a start on the clock.
  const bool timeBound = fast() && hour >= 0 && minute >= 0 && minute < 60;
  if (limits.modeRoute == kBestRoutesMode) {
    // The best routes are sought within widening time limits: routes arrive
    // in order of arrival first, so once the list overflows within a limit,
    // no route arriving later can enter it, and the (exponentially larger)
    // enumeration up to the full limit is spared.
    // An enumeration that outgrows its budget is abandoned for the complete
    // list of the limit before, which then counts as cut.
    std::unique_ptr<BestRouteList> complete;
    for (int extra : kWideningMinutes) {
      const bool last = extra >= extraMinutes;
      routeTimeLimit_ = static_cast<std::int16_t>(fastest + (last ? extraMinutes : extra));
      routesFound_ = 0;
      routeSteps_ = 0;
      bestRoutes_ = std::make_unique<BestRouteList>(routeMaxRoutes_);
      if (timeBound) routeLatest_ = latestUsefulCost(to);
      extendRoute(from, to);
      if (routeStopped_) {
        // Stopped by the caller: the routes found so far, as a cut list.
        bestRoutes_->markCut();
        break;
      }
      if (routeSteps_ > kBestRoutesStepBudget) {
        if (complete) bestRoutes_ = std::move(complete);
        bestRoutes_->markCut();
        break;
      }
      if (last || bestRoutes_->cut()) break;
      complete = std::move(bestRoutes_);
    }
  } else {
    if (timeBound) routeLatest_ = latestUsefulCost(to);
    extendRoute(from, to);
  }

  int found = routesFound_;
  routeListCut_ = found >= routeMaxRoutes_;
  if (bestRoutes_) {
    const std::vector<FoundRoute>& best = bestRoutes_->routes();
    for (std::size_t k = 0; k < best.size(); ++k) writeFoundRoute(best[k], static_cast<int>(k));
    found = static_cast<int>(best.size());
    routeListCut_ = bestRoutes_->cut();
  }
  // A route list that could not be written whole (a full disk) is no result.
  return endRouteSearch() ? found : -1;
}

bool RDiaMan::endRouteSearch() {
  bool written = true;
  for (std::FILE* file : {routeListFile_, routeDetailFile_}) {
    if (!file) continue;
    const bool failed = std::ferror(file) != 0;
    if (std::fclose(file) != 0 || failed) written = false;
  }
  routeListFile_ = nullptr;
  routeDetailFile_ = nullptr;
  routeAllowed_ = {};
  routeOnPath_ = {};
  routeStation_ = {};
  routeTrain_ = {};
  routeBound_ = {};
  routeLatest_ = {};
  routeCandidates_ = {};
  bestRoutes_.reset();
  routeFares_.clear();
  return written;
}

bool RDiaMan::routeHop(const DiaDepartureRecord& r, StationNo a, bool atStart, TrainNo trainIn,
                       TimeOfDay arrival, int day, bool frequentAlways, RouteHop& hop) const {
  // No change minutes at the start, nor onto or off a walking connection:
  // the walk itself holds them.
  hop.ready = arrival;
  if (!atStart && !walkingTrain(r.train) && !walkingTrain(trainIn)) {
    hop.ready = addMinutes(
        arrival, fast() ? changeMinutesIndexed(a, trainIn, r.train) : changeMinutes(a, trainIn, r.train));
  }
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
  const bool atStart = routeDepth_ == 1;
  for (const DiaDepartureRecord& r : towards) {
    if (trains_.getTrainUse(r.train) == 0) continue;
    // A record that would cost more than latestCost even without change or
    // wait is not followed, and every record of its train that it could
    // have beaten costs more too: the records left choose the same.
    if (here.cost + r.rideMinutes > latestCost) continue;
    RouteHop hop;
    if (!routeHop(r, a, atStart, here.trainIn, here.arrival, routeDay_, !rules_.frequentServiceHours, hop)) {
      continue;
    }
    const int c = here.cost + hop.walk + hop.wait + r.rideMinutes;
    if (c > routeTimeLimit_ || c >= kNoBestCost) continue;
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

void RDiaMan::extendRoute(StationNo a, StationNo goal) {
  const int n = searchStationCount();
  auto node = [this](StationNo s) -> SearchNode& { return searchTable_[static_cast<std::size_t>(s)]; };

  routeOnPath_[static_cast<std::size_t>(a)] = 1;
  ++routeDepth_;
  routeStation_[static_cast<std::size_t>(routeDepth_)] = a;

  // Changes so far: boarding a walking connection is not a change, boarding
  // a train after walking is.
  routeTransfers_ = 0;
  TrainNo current = routeTrain_[1];
  for (int k = 1; k <= routeDepth_ - 1; ++k) {
    const TrainNo t = routeTrain_[static_cast<std::size_t>(k)];
    if (t != current) {
      if (trains_.isWalking(t) != 1) ++routeTransfers_;
      current = t;
    }
  }

  // The best-routes mode enumerates every route; it keeps the best itself.
  auto routesLeft = [this] {
    if (routeStopped_) return false;
    return bestRoutes_ ? routeSteps_ <= kBestRoutesStepBudget : routesFound_ < routeMaxRoutes_;
  };
  // The caller hears of a long enumeration now and then, also before any
  // route is found, and may stop it.
  if (++routeSteps_ % kProgressSteps == 0) askToGoOn();
  if (routesLeft() && routeDepth_ <= kMaxPathLength && routeTransfers_ <= routeMaxTransfers_) {
    if (a == goal) {
      recordRoute();
    } else {
      SearchNode& here = node(a);
      std::vector<RouteCandidate>& candidates = routeCandidates_[static_cast<std::size_t>(routeDepth_)];
      const std::span<const DiaLinkRecord> links = linksOf(a);
      for (std::size_t k = 0; k < links.size(); ++k) {
        if (!routesLeft()) break;
        const StationNo x = links[k].to;
        // A neighbour outside the station directory, already on the path or
        // outside the detour ellipse cannot be entered.
        if (x < 1 || x > n || routeOnPath_[static_cast<std::size_t>(x)] == 1 ||
            routeAllowed_[static_cast<std::size_t>(x)] == 0) {
          continue;
        }
        const int latestCost = routeLatest_.empty() ? std::numeric_limits<int>::max()
                                                    : routeLatest_[static_cast<std::size_t>(x)];
        routeCandidates(a, linkDepartures(a, links, k), latestCost, candidates);
        for (const RouteCandidate& take : candidates) {
          // The time the passenger would stand at x is too late to reach
          // the goal within the limit by any departures at all.
          if (!routeLatest_.empty() && take.cost > routeLatest_[static_cast<std::size_t>(x)]) continue;
          // No route through x can arrive within the time limit, or early
          // enough to be one of the best routes.
          if (rules_.lowerBoundPruning) {
            const int least = take.cost + routeBound_[static_cast<std::size_t>(x)];
            if (least > routeTimeLimit_) continue;
            if (bestRoutes_ && !bestRoutes_->couldTake(routeStart_ + least)) continue;
          }
          const DiaDepartureRecord& r = *take.record;
          here.walkMinutes = static_cast<std::int16_t>(take.hop.walk);
          here.waitMinutes = static_cast<std::int16_t>(take.hop.wait);
          routeTrain_[static_cast<std::size_t>(routeDepth_)] = r.train;
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
          extendRoute(x, goal);
        }
      }
    }
  }

  routeOnPath_[static_cast<std::size_t>(a)] = 0;
  --routeDepth_;
}

void RDiaMan::recordRoute() {
  const int number = routesFound_;
  ++routesFound_;
  askToGoOn();

  // A route that would go at once is not described: pricing its fare
  // sections is the dearest part of recording.
  const StationNo goal = routeStation_[static_cast<std::size_t>(routeDepth_)];
  if (bestRoutes_ &&
      !bestRoutes_->admits(searchTable_[static_cast<std::size_t>(goal)].arrival.totalMinutes())) {
    bestRoutes_->markCut();
    return;
  }
  FoundRoute route = describeRoute();
  route.detection = number;
  if (bestRoutes_) {
    bestRoutes_->offer(std::move(route));
  } else {
    writeFoundRoute(route, number);
  }
}

void RDiaMan::askToGoOn() {
  if (!routeProgress_ || routeProgress_(routesFound_, routeDepth_)) return;
  // Ends the search as the route limit would.
  routeMaxRoutes_ = static_cast<std::int16_t>(routesFound_);
  routeStopped_ = true;
}

std::vector<int> RDiaMan::minutesToGoalBoundIndexed(StationNo goal) const {
  const TimetableIndex& index = timetableIndex();
  const auto size = static_cast<std::size_t>(searchStationCount()) + 1;
  const auto used = [this](const DiaDepartureRecord& r) { return trains_.getTrainUse(r.train) != 0; };
  for (const std::int32_t k : index.negativeRides) {
    if (used(departures_[static_cast<std::size_t>(k)])) return std::vector<int>(size, 0);
  }
  std::vector<int> bound(size, kOutOfReach);
  using Entry = std::pair<int, StationNo>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
  bound[static_cast<std::size_t>(goal)] = 0;
  queue.emplace(0, goal);
  while (!queue.empty()) {
    const auto [minutes, x] = queue.top();
    queue.pop();
    if (minutes > bound[static_cast<std::size_t>(x)]) continue;
    const auto first = index.departuresIntoStart[static_cast<std::size_t>(x)];
    const auto end = index.departuresIntoStart[static_cast<std::size_t>(x) + 1];
    for (auto k = first; k < end; ++k) {
      const TimetableIndex::Departure d = index.departuresInto[static_cast<std::size_t>(k)];
      const DiaDepartureRecord& r = departures_[static_cast<std::size_t>(d.record)];
      const int reach = minutes + r.rideMinutes;
      if (reach < bound[static_cast<std::size_t>(d.from)] && used(r)) {
        bound[static_cast<std::size_t>(d.from)] = reach;
        queue.emplace(reach, d.from);
      }
    }
  }
  return bound;
}

std::vector<int> RDiaMan::latestUsefulCost(StationNo goal) const {
  const TimetableIndex& index = timetableIndex();
  const int n = searchStationCount();
  const int startHour = routeStart_ / 60;
  const int deadline = routeStart_ + routeTimeLimit_;
  // Only where the minutes a route costs are the minutes of the clock
  // between its start and each stop (sound data, no hours past the range of
  // the times held) does a time bound say anything about the costs.
  if (!index.clockwise || routeStart_ < 0 || startHour > 23 || deadline > kLatestBoundMinutes) return {};
  const auto used = [this](TrainNo t) { return trains_.getTrainUse(t) != 0; };
  const auto served = [this](const DiaDepartureRecord& r, int h) {
    if (((r.hours >> (h % 24)) & 1u) == 0) return false;
    return routeDay_ < 0 || ((r.days >> ((routeDay_ + h / 24) % 7)) & 1u) != 0;
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
      if (routeAllowed_[static_cast<std::size_t>(hop.from)] == 0) continue;
      int best = latest[static_cast<std::size_t>(hop.from)];
      const TimetableIndex::Span span = index.linkDepartures[static_cast<std::size_t>(hop.link)];
      for (int k = span.first; k < span.first + span.count; ++k) {
        const DiaDepartureRecord& r = departures_[static_cast<std::size_t>(k)];
        if (used(r.train)) best = std::max(best, latestBy(r, time));
      }
      if (best > latest[static_cast<std::size_t>(hop.from)]) {
        latest[static_cast<std::size_t>(hop.from)] = best;
        queue.emplace(best, hop.from);
      }
    }
  }
  for (int& t : latest) {
    if (t != kNeverUseful) t -= routeStart_;
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
  std::vector<int> bound(size, kOutOfReach);
  using Entry = std::pair<int, StationNo>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
  bound[static_cast<std::size_t>(goal)] = 0;
  queue.emplace(0, goal);
  while (!queue.empty()) {
    const auto [minutes, x] = queue.top();
    queue.pop();
    if (minutes > bound[static_cast<std::size_t>(x)]) continue;
    for (const auto& [s, ride] : into[static_cast<std::size_t>(x)]) {
      if (minutes + ride < bound[static_cast<std::size_t>(s)]) {
        bound[static_cast<std::size_t>(s)] = minutes + ride;
        queue.emplace(minutes + ride, s);
      }
    }
  }
  return bound;
}

}  // namespace kiv
