// The bodies of the classic multi-route search's steps, for the lookups of
// any policy (IndexedLookups in the engine): the detour ellipse's stations,
// a bound of the latest useful time at each, and the depth-first
// enumeration of the paths that reach the destination within the limits.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <queue>
#include <string>
#include <utility>
#include <vector>

#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "report/WorkFiles.h"
#include "text/PreparedFormat.h"
#include "text/ReportText.h"
#include "timetable/ClassicRouteSearch.h"
#include "timetable/FastDepartures.h"

namespace kiv {

namespace classic_search {

// Longest path the enumeration extends, in stations.
inline constexpr int kMaxPathLength = 100;
// Cost bound a departure record must beat to become the first choice.
inline constexpr int kNoBestCost = 32000;
// The latest time (minutes after midnight of the start day) up to which the
// time bound is used: far below the 127 hours a time can
// hold, so that no departure of a route within it passes that range.
inline constexpr int kLatestBoundMinutes = 100 * 60;
// Stations entered between two reports to the progress callback.
inline constexpr long kProgressSteps = 1 << 14;
// A station from which the goal cannot be reached in time.
inline constexpr int kNeverUseful = -(1 << 20);

}  // namespace classic_search

template <typename Lookups>
RouteSearchResult BasicClassicRouteSearch<Lookups>::run(const RouteQuery& query, int fastest) {
  const StationNo from = query.from;
  const StationNo to = query.to;
  const int hour = query.hour;
  const int minute = query.minute;
  RouteSearchResult result;
  markDetourEllipse(from, to, query.detourKm, result.searchLog);

  const int n = state_.stationCount();
  onPath_.assign(n, 0);
  use_ = trainUseFlags(net_.trains);
  station_.assign(classic_search::kMaxPathLength + 2, 0);
  train_.assign(classic_search::kMaxPathLength + 2, 0);
  routes_.clear();
  depth_ = 0;
  found_ = 0;
  transfers_ = 0;
  maxTransfers_ = static_cast<std::int16_t>(query.maxChanges);
  maxRoutes_ = static_cast<std::int16_t>(query.maxRoutes);
  stepBudget_ = query.classicStepBudget;

  timeLimit_ = static_cast<std::int16_t>(fastest + query.extraMinutes);
  day_ = net_.rules.serviceDays ? query.day : -1;
  start_ = hour * 60 + minute;
  if (net_.rules.lowerBoundPruning) bound_ = Lookups::goalBound(net_, state_, to, use_);
  candidates_.resize(classic_search::kMaxPathLength + 2);
  // The time bound needs a start on the clock. With latest-time pruning the
  // search does not enter the stations it rules out; without it, it enters
  // them but does not count them as steps of the search, so that the
  // progress callback is told at the same points either way.
  const bool timeBound = hour >= 0 && minute >= 0 && minute < 60;
  if (timeBound) latest_ = latestUsefulCost(to, start_ + timeLimit_);
  extendRoute(from, to);

  const int found = found_;
  bool cut = found >= maxRoutes_;
  const bool budgetSpent = steps_ > stepBudget_;
  if (budgetSpent && !stopped_) cut = true;
  result.cut = cut;
  result.end = stopped_      ? RouteListEnd::stopped
               : budgetSpent ? RouteListEnd::workBudget
               : cut         ? RouteListEnd::routeLimit
                             : RouteListEnd::complete;
  result.found = found;
  result.routes = std::move(routes_);
  return result;
}

template <typename Lookups>
void BasicClassicRouteSearch<Lookups>::candidatesTowards(StationNo a,
                                                         std::span<const DiaDepartureRecord> towards,
                                                         int latestCost, std::vector<Candidate>& out) const {
  out.clear();
  const SearchNode& here = state_.node(a);
  const bool atStart = depth_ == 1;
  const bool frequentAlways = !net_.rules.frequentServiceHours;
  // With clockwise pruning the search passes over a record that cannot
  // leave early enough to cost at most `limit` (on the clock, a record leaves only in its served
  // hours); like the records above latestCost, such a record is never
  // followed, and leaving it out changes no choice.
  const int limit = std::min({latestCost, static_cast<int>(timeLimit_), classic_search::kNoBestCost - 1});
  const bool clockwise = Lookups::clockwisePruning && net_.timetable.index().clockwise;
  TrainNo readyTrain = 0;
  TimeOfDay ready;
  bool anyReady = false;
  for (const DiaDepartureRecord& r : towards) {
    if (!trainInUse(use_, net_.trains, r.train)) continue;
    // A record that would cost more than latestCost even without change or
    // wait is not followed, and every record of its train that it could
    // have beaten costs more too: the records left choose the same.
    if (here.cost + r.rideMinutes > latestCost) continue;
    // The records of one train follow each other: the change is looked up
    // once for them.
    if (!anyReady || r.train != readyTrain) {
      anyReady = true;
      readyTrain = r.train;
      ready = boarding_.readyToBoard(r.train, a, atStart, here.trainIn, here.arrival);
    }
    const bool leavesAtOnce = r.interval != 0 && (here.trainIn == r.train || frequentAlways);
    if (clockwise && !leavesAtOnce) {
      const int latest = ready.totalMinutes() + limit - here.cost -
                         Timetable::minutesBetween(here.arrival, ready) - r.rideMinutes;
      if (ready.hour >= 0 && ready.minute >= 0 && ready.minute < 60 &&
          !fast_departures::mayLeaveBy(r, ready, latest))
        continue;
    }
    RouteHop hop;
    if (!boarding_.routeHopWhenReady(r, ready, here.trainIn, here.arrival, day_, frequentAlways, hop))
      continue;
    const int c = here.cost + hop.walk + hop.wait + r.rideMinutes;
    if (c > timeLimit_ || c >= classic_search::kNoBestCost) continue;
    // One record per train (only the single cheapest one without through
    // trains); of equal costs the first in the file.
    auto same = std::find_if(out.begin(), out.end(), [&](const Candidate& k) {
      return !net_.rules.throughTrains || k.record->train == r.train;
    });
    if (same == out.end()) {
      out.push_back({&r, c, hop});
    } else if (c < same->cost) {
      *same = {&r, c, hop};
    }
  }
  std::sort(out.begin(), out.end(), [](const Candidate& p, const Candidate& q) {
    return p.cost != q.cost ? p.cost < q.cost : p.record < q.record;
  });
}

template <typename Lookups>
void BasicClassicRouteSearch<Lookups>::extendRoute(StationNo a, StationNo goal, bool counted) {
  const int n = state_.stationCount();
  auto node = [this](StationNo s) -> SearchNode& { return state_.node(s); };

  onPath_[a] = 1;
  ++depth_;
  station_[static_cast<std::size_t>(depth_)] = a;

  // Changes so far: boarding a walking connection is not a change, boarding
  // a train after walking is.
  transfers_ = 0;
  TrainNo current = train_[1];
  for (int k = 1; k <= depth_ - 1; ++k) {
    const TrainNo t = train_[static_cast<std::size_t>(k)];
    if (t != current) {
      if (!boarding_.walkingTrain(t)) ++transfers_;
      current = t;
    }
  }

  // The classic search ends as at the route limit once it has entered
  // its budget of stations: the enumeration grows about tenfold with each
  // change allowed.
  auto routesLeft = [this] { return !stopped_ && found_ < maxRoutes_ && steps_ <= stepBudget_; };
  // The caller hears of a long enumeration now and then, also before any
  // route is found, and may stop it.
  if (counted && ++steps_ % classic_search::kProgressSteps == 0) askToGoOn();
  if (routesLeft() && depth_ <= classic_search::kMaxPathLength && transfers_ <= maxTransfers_) {
    if (a == goal) {
      recordRoute();
    } else {
      SearchNode& here = node(a);
      std::vector<Candidate>& candidates = candidates_[static_cast<std::size_t>(depth_)];
      const std::span<const DiaLinkRecord> links = net_.timetable.linksOf(a);
      for (std::size_t k = 0; k < links.size(); ++k) {
        if (!routesLeft()) break;
        const StationNo x = links[k].to;
        // A neighbour outside the station directory, already on the path or
        // outside the detour ellipse cannot be entered.
        if (x < 1 || x > n || onPath_[x] == 1 || allowed_[x] == 0) {
          continue;
        }
        const int latestCost =
            latest_.empty() || !Lookups::latestTimePruning ? std::numeric_limits<int>::max() : latest_[x];
        candidatesTowards(a, boarding_.linkDepartures(a, links, k), latestCost, candidates);
        for (const Candidate& take : candidates) {
          // The time the passenger would stand at x is too late to reach
          // the goal within the limit by any departures at all (nor can any
          // station after x be reached in time).
          const bool inTime = latest_.empty() || take.cost <= latest_[x];
          if (!inTime && Lookups::latestTimePruning) continue;
          // No route through x can arrive within the time limit.
          if (net_.rules.lowerBoundPruning && take.cost + bound_[static_cast<std::size_t>(x)] > timeLimit_)
            continue;
          const DiaDepartureRecord& r = *take.record;
          here.walkMinutes = static_cast<std::int16_t>(take.hop.walk);
          here.waitMinutes = static_cast<std::int16_t>(take.hop.wait);
          train_[static_cast<std::size_t>(depth_)] = r.train;
          SearchNode& next = node(x);
          next.cost = static_cast<std::int16_t>(take.cost);
          next.pred = a;
          next.trainIn = r.train;
          next.boardHour = take.hop.departure.hour;
          next.boardMinute = take.hop.departure.minute;
          next.arrival = Timetable::addMinutes(take.hop.departure, r.rideMinutes);
          here.succ = x;
          here.trainOut = r.train;
          here.departure = take.hop.departure;
          extendRoute(x, goal, inTime);
        }
      }
    }
  }

  onPath_[a] = 0;
  --depth_;
}

template <typename Lookups>
void BasicClassicRouteSearch<Lookups>::recordRoute() {
  const int number = found_;
  ++found_;
  askToGoOn();
  FoundRoute route = describeRoute();
  route.detection = number;
  routes_.push_back(std::move(route));
}

template <typename Lookups>
void BasicClassicRouteSearch<Lookups>::askToGoOn() {
  if (!progress_ || progress_(found_, depth_)) return;
  // Ends the search as the route limit would.
  maxRoutes_ = static_cast<std::int16_t>(found_);
  stopped_ = true;
}

template <typename Lookups>
ByStation<int> BasicClassicRouteSearch<Lookups>::latestUsefulCost(StationNo goal, int deadline) {
  const TimetableIndex& index = net_.timetable.index();
  const int n = state_.stationCount();
  const int startHour = start_ / 60;
  // Only where the minutes a route costs are the minutes of the clock
  // between its start and each stop (sound data, no hours past the range of
  // the times held) does a time bound say anything about the costs.
  if (!index.clockwise || start_ < 0 || startHour > 23 || deadline > classic_search::kLatestBoundMinutes)
    return {};
  const auto used = [this](TrainNo t) { return trainInUse(use_, net_.trains, t); };
  const auto served = [this](const DiaDepartureRecord& r, int h) {
    if (((r.hours >> (h % 24)) & 1u) == 0) return false;
    return day_ < 0 || ((r.days >> ((day_ + h / 24) % 7)) & 1u) != 0;
  };
  // The latest departure by r that arrives by `latest`: a frequent service
  // may leave at any time (the passenger may be on board already), a timed
  // one at a served hour (looked for a day and a half back; further back it
  // is taken as served, which can only loosen the bound).
  const auto latestBy = [&](const DiaDepartureRecord& r, int latest) {
    const int leave = latest - r.rideMinutes;
    if (r.interval != 0) return leave;
    const int top = leave - r.minute;
    if (top < 0) return classic_search::kNeverUseful;
    for (int h = top / 60, steps = 0; h >= startHour; --h, ++steps) {
      if (steps >= 36 || served(r, h)) return h * 60 + r.minute;
    }
    return classic_search::kNeverUseful;
  };
  ByStation<int> latest(n, classic_search::kNeverUseful);
  using Entry = std::pair<int, StationNo>;
  std::priority_queue<Entry> queue;  // latest first
  latest[goal] = deadline;
  queue.emplace(deadline, goal);
  while (!queue.empty()) {
    const auto [time, x] = queue.top();
    queue.pop();
    if (time < latest[x]) continue;
    const auto first = index.intoStart[static_cast<std::size_t>(x)];
    const auto end = index.intoStart[static_cast<std::size_t>(x) + 1];
    for (auto h = first; h < end; ++h) {
      const TimetableIndex::Hop hop = index.hopsInto[static_cast<std::size_t>(h)];
      // The search enters only stations inside the detour ellipse.
      if (allowed_[hop.from] == 0) continue;
      int best = latest[hop.from];
      const TimetableIndex::Span span = index.linkDepartures[static_cast<std::size_t>(hop.link)];
      for (int k = span.first; k < span.first + span.count; ++k) {
        const DiaDepartureRecord& r = net_.timetable.departures()[static_cast<std::size_t>(k)];
        if (used(r.train)) best = std::max(best, latestBy(r, time));
      }
      if (best > latest[hop.from]) {
        latest[hop.from] = best;
        queue.emplace(best, hop.from);
      }
    }
  }
  for (int& t : latest) {
    if (t != classic_search::kNeverUseful) t -= start_;
  }
  return latest;
}

template <typename Lookups>
FoundRoute BasicClassicRouteSearch<Lookups>::describeRoute() {
  std::vector<RouteStopTimes> stops;
  stops.reserve(static_cast<std::size_t>(depth_));
  for (int k = 1; k <= depth_; ++k) {
    const StationNo s = station_[static_cast<std::size_t>(k)];
    const SearchNode& node = state_.node(s);
    stops.push_back({s, train_[static_cast<std::size_t>(k)], node.walkMinutes, node.waitMinutes, node.arrival,
                     node.departure});
  }
  return kiv::describeRoute(RouteDescriber{net_.names, net_.trains, net_.fare, net_.kiv, fares_}, stops);
}

template <typename Lookups>
void BasicClassicRouteSearch<Lookups>::markDetourEllipse(StationNo from, StationNo to, int detourKm,
                                                         std::string& text) {
  const int n = state_.stationCount();
  char fromName[kStationNameSize] = "";
  char toName[kStationNameSize] = "";
  net_.names.getName(from, fromName);
  net_.names.getName(to, toName);

  allowed_.assign(n, 0);
  ByStation<Distance> distFrom(n, kUnreachedDistance);
  ByStation<Distance> distTo(n, kUnreachedDistance);
  Lookups::detourDistances(net_, from, to, n, detourKm, distFrom.data(), distTo.data());
  const int shortest = distFrom[to];
  const int bound = shortest + detourKm * 10;

  text.clear();
  const auto logLine = [&](const char* format, auto... args) {
    report_text::appendFormatted(text, format, {args...});
    text += "\r\n";
  };
  using namespace report_text;
  // Thousands of stations may lie inside: their line's format is read once.
  static const PreparedFormat insideLine(kLogInside.c_str(), false);
  logLine(kLogFrom.c_str(), static_cast<const char*>(fromName));
  logLine(kLogTo.c_str(), static_cast<const char*>(toName));
  logLine(kLogShortest.c_str(), shortest);
  logLine(kLogDetour.c_str(), detourKm);
  logLine(kLogBound.c_str(), bound);
  for (StationNo s = 1; s <= n; ++s) {
    const int sum = distFrom[s] + distTo[s];
    if (sum > bound) continue;
    allowed_[s] = 1;
    char name[kStationNameSize] = "";
    net_.names.getName(s, name);
    insideLine.append(text, {sum, distFrom[s], distTo[s], static_cast<const char*>(name)});
    text += "\r\n";
  }
}

}  // namespace kiv
