// The multi-route search of RDiaMan: the fastest minutes from the
// time-priority search, a distance filter that keeps the stations inside a
// detour ellipse around the shortest-distance route, and a depth-first
// enumeration of paths through the timetable that records every route
// reaching the destination in "$MltRtL1.kv4" and "$MltRtDt.kv4".
#include <cstring>
#include <vector>

#include "RCnctMan.h"
#include "RDefMan.h"
#include "RDiaMan.h"
#include "RDistMan.h"
#include "RFareMan.h"
#include "RKivMan.h"
#include "RStaName.h"
#include "RTrainMan.h"
#include "SjisText.h"

namespace kiv {

namespace {

// Longest path the enumeration extends, in stations.
constexpr int kMaxPathLength = 100;
// Room of the via text while a route is recorded, with its NUL.
constexpr std::size_t kViaTextSize = 1024;
// Cost bound a departure record must beat to become the first choice.
constexpr int kNoBestCost = 32000;

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
// "なし": the via text of a route without changes.
constexpr char kNoVia[] = "\x82\xc8\x82\xb5";

constexpr char kListHeader[] = "0 %s %s %s\r\n";
constexpr char kListRoute[] = "9 %d %d %2d:%02d %2d %d %d %d %d %d %s\r\n";
constexpr char kDetailChange[] = "1 %d %s %d %d %02d:%02d %02d:%02d\r\n";
constexpr char kDetailSegment[] = "2 %d %s %s %s %02d:%02d %02d:%02d %d %d\r\n";
constexpr char kDetailFare[] = "3 %d %04d %s %s %s %d\r\n";

// Adds a station to the via text, after a ",". The text keeps to
// kViaTextSize - 1 bytes: the first name that does not fit is cut at a
// character boundary, and nothing is added after it.
void addVia(std::string& via, bool& cut, const char* name) {
  if (cut) return;
  const std::size_t room = kViaTextSize - 1 - via.size();
  const std::size_t separator = via.empty() ? 0 : 1;
  if (separator + std::strlen(name) <= room) {
    if (separator) via += ',';
    via += name;
    return;
  }
  cut = true;
  if (room <= separator) return;
  const std::string part = fitSjisField(name, room - separator + 1);
  if (part.empty()) return;
  if (separator) via += ',';
  via += part;
}

}  // namespace

void RDiaMan::setProgressCallback(RouteProgress callback) { routeProgress_ = std::move(callback); }

int RDiaMan::searchRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                          int extraMinutes) {
  const int found = findRoutes(from, to, hour, minute, day, detourKm, extraMinutes);
  sortRouteLists(found);
  return found;
}

int RDiaMan::findRoutes(StationNo from, StationNo to, int hour, int minute, int day, int detourKm,
                        int extraMinutes) {
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
  routeMaxTransfers_ = def_.getTransMax();
  routeMaxRoutes_ = def_.getRouteMax();

  std::fprintf(routeListFile_, kListHeader, fromName, toName, departureText);
  routeTimeLimit_ = static_cast<std::int16_t>(fastest + extraMinutes);

  extendRoute(from, to);

  const int found = routesFound_;
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
  return written;
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

  if (routesFound_ < routeMaxRoutes_ && routeDepth_ <= kMaxPathLength &&
      routeTransfers_ <= routeMaxTransfers_) {
    if (a == goal) {
      recordRoute();
    } else {
      SearchNode& here = node(a);
      for (const DiaLinkRecord& link : linksOf(a)) {
        const StationNo x = link.to;
        // A neighbour outside the station directory, already on the path or
        // outside the detour ellipse cannot be entered.
        if (x < 1 || x > n || routeOnPath_[static_cast<std::size_t>(x)] == 1 ||
            routeAllowed_[static_cast<std::size_t>(x)] == 0) {
          continue;
        }
        const DiaDepartureRecord* best = nullptr;
        int bestCost = kNoBestCost;
        TimeOfDay bestDep{};
        for (const DiaDepartureRecord& r : departuresTowards(a, x)) {
          if (trains_.getTrainUse(r.train) == 0) continue;
          const TimeOfDay arr = here.arrival;
          TimeOfDay ready = arr;
          if (routeDepth_ != 1 && trains_.isWalking(r.train) != 1 && trains_.isWalking(here.trainIn) != 1) {
            cnct_.getBoardingTime(a, here.trainIn, r.train, arr, ready);
          }
          TimeOfDay dep{};
          if (here.trainIn == r.train && r.interval != 0) {
            dep = ready;  // stays on board
          } else if (r.interval != 0) {
            // A frequent service is always there, half an interval on.
            dep = addMinutes(ready, r.interval / 2);
          } else {
            const int h = nextServedHour(r.hours, r.minute, ready);
            if (h == -1) continue;
            dep = {static_cast<std::int8_t>(h), static_cast<std::int8_t>(r.minute)};
          }
          const int walk = minutesBetween(arr, ready);
          const int wait = minutesBetween(ready, dep);
          const int c = here.cost + walk + wait + r.rideMinutes;
          if (c > routeTimeLimit_ || c >= bestCost) continue;
          best = &r;
          bestCost = c;
          bestDep = dep;
          here.walkMinutes = static_cast<std::int16_t>(walk);
          here.waitMinutes = static_cast<std::int16_t>(wait);
        }
        if (!best) continue;

        routeTrain_[static_cast<std::size_t>(routeDepth_)] = best->train;
        SearchNode& next = node(x);
        next.cost = static_cast<std::int16_t>(bestCost);
        next.pred = a;
        next.trainIn = best->train;
        next.boardHour = bestDep.hour;
        next.boardMinute = bestDep.minute;
        next.arrival = addMinutes(bestDep, best->rideMinutes);
        here.succ = x;
        here.trainOut = best->train;
        here.departure = bestDep;
        extendRoute(x, goal);
      }
    }
  }

  routeOnPath_[static_cast<std::size_t>(a)] = 0;
  --routeDepth_;
}

void RDiaMan::recordRoute() {
  const int number = routesFound_;
  ++routesFound_;
  if (routeProgress_) routeProgress_(routesFound_, routeDepth_);

  auto node = [this](int k) -> const SearchNode& {
    return searchTable_[static_cast<std::size_t>(routeStation_[static_cast<std::size_t>(k)])];
  };
  auto stationName = [this](int k, char* buf) {
    buf[0] = '\0';
    staName_.getName(routeStation_[static_cast<std::size_t>(k)], buf);
  };

  TrainNo currentTrain = -1;
  int segmentStart = 1;
  NetworkCode currentCode = -1;
  int sectionStart = 1;
  std::int32_t fareTotal = 0;
  std::int16_t riding = 0;
  std::int16_t walking = 0;
  std::int16_t waiting = 0;
  std::int16_t segments = 0;
  std::string via;
  via.reserve(kViaTextSize);
  bool viaCut = false;
  char name[kStationNameSize];
  char startName[kStationNameSize];
  char trainName[kTrainNameSize];
  char company[kCompanyNameSize];

  const int depth = routeDepth_;
  for (int k = 1; k <= depth; ++k) {
    const TrainNo train = routeTrain_[static_cast<std::size_t>(k)];
    const SearchNode& pk = node(k);

    // Train segments: a change record where the passenger boards, a segment
    // record when the previous segment ends here.
    if (k == depth || train != currentTrain) {
      stationName(k, name);
      if (k > 1 && k < depth) addVia(via, viaCut, name);
      if (k < depth) {
        std::fprintf(routeDetailFile_, kDetailChange, number, name, pk.walkMinutes, pk.waitMinutes,
                     pk.arrival.hour, pk.arrival.minute, pk.departure.hour, pk.departure.minute);
        walking = static_cast<std::int16_t>(walking + pk.walkMinutes);
        waiting = static_cast<std::int16_t>(waiting + pk.waitMinutes);
      }
      if (currentTrain != -1) {
        const SearchNode& ps = node(segmentStart);
        const TrainNo t = routeTrain_[static_cast<std::size_t>(segmentStart)];
        const int minutes = pk.arrival.totalMinutes() - ps.departure.totalMinutes();
        const int walkKind = trains_.isWalking(t);  // -1 for a train not in the list
        const bool walks = walkKind == 1;
        const int ride = walks ? 0 : minutes;
        const int walk = walks ? minutes : 0;
        trainName[0] = '\0';
        trains_.getTrainName(t, trainName);
        stationName(segmentStart, startName);
        std::fprintf(routeDetailFile_, kDetailSegment, number, trainName, startName, name, ps.departure.hour,
                     ps.departure.minute, pk.arrival.hour, pk.arrival.minute, ride, walk);
        riding = static_cast<std::int16_t>(riding + ride);
        walking = static_cast<std::int16_t>(walking + walk);
        if (walkKind == 0) ++segments;
      }
      currentTrain = train;
      segmentStart = k;
    }

    // Fare sections: a run of trains of one network is priced as one journey.
    NetworkCode code = -1;
    trains_.getNetworkCode(train, code);
    if (k == depth || code != currentCode) {
      if (currentCode != -1) {
        const StationNo first = routeStation_[static_cast<std::size_t>(sectionStart)];
        const StationNo last = routeStation_[static_cast<std::size_t>(k)];
        const int fare = fare_.stationFare(currentCode, last, first, 1);
        company[0] = '\0';
        kiv_.getCompanyShortName(currentCode / 10, company);
        stationName(sectionStart, startName);
        stationName(k, name);
        std::fprintf(routeDetailFile_, kDetailFare, number, currentCode, company, startName, name, fare);
        fareTotal += fare;
      }
      currentCode = code;
      sectionStart = k;
    }
  }

  if (via.empty()) via = kNoVia;
  if (segments == 0) segments = 1;
  const int changes = segments - 1;
  const SearchNode& goal = node(depth);
  std::fprintf(routeListFile_, kListRoute, number, number, goal.arrival.hour, goal.arrival.minute,
               riding + walking + waiting, fareTotal, changes, riding, walking, waiting, via.c_str());
}

}  // namespace kiv
