// The JR cheapest-route table: for every pair of JR stations, the lowest fare
// over the simple routes that never run more than 20.0 km beyond the shortest
// distance of any station they pass, listed where it is strictly lower than
// the fare of the shortest route.
//
// "jrregu.dat":  first station,second station,cheapest fare
// "$jrregu.csv": the same pair with both fares and both distance breakdowns
// Fares in 10 yen, distances in 100 m.

#include <algorithm>
#include <limits>
#include <string>

#include "distance/RDistMan.h"
#include "distance/RDistManSteps.h"
#include "network/RKivMan.h"
#include "network/RStaMan.h"
#include "network/RStaName.h"
#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"
#include "text/ReportText.h"

namespace kiv {

namespace {

constexpr int kDetourLimit = 200;  // 20.0 km

}  // namespace

// The working data of one build, by JR position (element 0 unused), and the
// fast walk: the edges of each position in one block, the detour bound of
// each position, and the route walked.
struct RDistMan::CheapestTableWork {
  struct Step {
    int to;
    JrDistanceBreakdown add;  // the edge's jrEdgeAddend
  };
  struct Frame {
    JrDistanceBreakdown route;  // from the origin to `position`
    std::uint32_t next;         // the step to follow next
    std::uint32_t end;
    int position;
    int limit;  // the bound of `position`, set aside while it is on the route
  };

  explicit CheapestTableWork(int positions)
      : n(positions),
        shortest(slots()),
        cheapest(slots()),
        current(slots()),
        shortestFare(slots()),
        cheapestFare(slots()) {}
  std::size_t slots() const { return static_cast<std::size_t>(n) + 1; }

  int n;
  std::vector<JrDistanceBreakdown> shortest, cheapest, current;
  std::vector<std::int16_t> shortestFare, cheapestFare;
  std::int16_t maxDepth = 0;
  int found = 0;

  std::vector<Step> steps;
  std::vector<std::uint32_t> stepStart;  // by position, n + 2 elements
  std::vector<int> limit;
  std::vector<Frame> stack;
  // The shortest-distance search from each origin.
  DistanceSearchState search;
};

int RDistMan::buildJrCheapestTable(const TableProgressCallback& progress) const {
  work_files::WorkFileWriter pairs(dataDir_ / work_files::kJrCheapestPairs);
  work_files::WorkFileWriter csv(dataDir_ / work_files::kJrCheapestCsv);
  if (!pairs.isOpen() || !csv.isOpen()) return -1;
  csv.line(report_text::kJrCheapestCsvHeader);

  const int n = std::max(staMan_.getNetworkSize(0), 0);
  const auto size = static_cast<std::size_t>(n) + 1;
  CheapestTableWork cheap(n);
  prepareCheapestSteps(cheap, n);

  for (int i = 1; i <= n - 1; ++i) {
    const int o = staMan_.getStationAt(0, i);
    const auto origin = static_cast<StationNo>(o);
    if (jrDistances(cheap.search, origin, n, cheap.shortest.data()) == 0) {
      cheap.current[static_cast<std::size_t>(i)] = JrDistanceBreakdown{};
      // Only the positions after the origin's are listed: no others are priced.
      for (std::size_t j = static_cast<std::size_t>(i) + 1; j < size; ++j) {
        cheap.shortestFare[j] = kivMan_.jrFare(cheap.shortest[j]);
        cheap.cheapestFare[j] = cheap.shortestFare[j];
      }
      walkCheapest(cheap, networkPositions(0).positionOf(origin), i + 1);

      char originName[kStationNameSize] = "";
      staName_.getName(origin, originName);
      for (std::size_t j = static_cast<std::size_t>(i) + 1; j < size; ++j) {
        if (cheap.cheapestFare[j] >= cheap.shortestFare[j]) continue;
        ++cheap.found;
        char name[kStationNameSize] = "";
        staName_.getName(static_cast<StationNo>(staMan_.getStationAt(0, static_cast<int>(j))), name);
        const work_files::JrCheapestPair pair{
            originName,       name, cheap.shortestFare[j], cheap.shortest[j], cheap.cheapestFare[j],
            cheap.cheapest[j]};
        pairs.line(work_files::formatJrCheapestPair(pair));
        csv.line(work_files::formatJrCheapestCsv(pair));
      }
    }
    if (progress && !progress({i, n, cheap.found, cheap.maxDepth})) break;
  }

  const int found = cheap.found;
  // A full disk shows only when the files are flushed.
  const bool pairsWritten = pairs.close();
  const bool csvWritten = csv.close();
  return pairsWritten && csvWritten ? found : -1;
}

void RDistMan::prepareCheapestSteps(CheapestTableWork& work, int n) const {
  // Each position's edges in one block, with the position each leads to;
  // an edge leaving the positions 1..n is never followed and left out.
  const NetworkPositions& jr = networkPositions(0);
  const auto size = static_cast<std::size_t>(n) + 1;
  work.stepStart.assign(size + 1, 0);
  for (int p = 1; p <= n; ++p) {
    work.stepStart[static_cast<std::size_t>(p)] = static_cast<std::uint32_t>(work.steps.size());
    if (p > jr.size()) continue;
    for (const DistArc* arc = jr.arcsBegin(p); arc != jr.arcsEnd(p); ++arc) {
      if (arc->to >= 1 && arc->to <= n)
        work.steps.push_back({arc->to, jrEdgeAddend(jrEdges_[static_cast<std::size_t>(arc->edge)])});
    }
  }
  work.stepStart[size] = static_cast<std::uint32_t>(work.steps.size());
  work.limit.resize(size);
  work.stack.resize(size);  // a simple route passes each position once
}

// The depth-first walk over the simple JR routes from position `origin`
// within the detour limit, without recursion, each position's edges in file
// order; every position reached takes the route's fare when it is the lowest
// so far (the first such route is kept). The bound of each position (its
// shortest distance plus the detour limit) is lowered out of reach while the
// position is on the route, so that one comparison rules out both a detour
// too long and a position visited twice. The positions before `firstListed`
// are not listed for this origin, so their fares are not looked up.
void RDistMan::walkCheapest(CheapestTableWork& work, int origin, int firstListed) const {
  if (origin < 1 || origin > work.n) return;
  constexpr int kOnRoute = std::numeric_limits<int>::min();
  int* const limit = work.limit.data();
  for (int q = 1; q <= work.n; ++q)
    limit[q] = work.shortest[static_cast<std::size_t>(q)].total + kDetourLimit;

  const CheapestTableWork::Step* const steps = work.steps.data();
  const std::uint32_t* const stepStart = work.stepStart.data();
  JrDistanceBreakdown* const current = work.current.data();
  std::int16_t* const cheapestFare = work.cheapestFare.data();
  JrDistanceBreakdown* const cheapest = work.cheapest.data();
  CheapestTableWork::Frame* const frames = work.stack.data();
  int depth = 0;  // frames[depth - 1] is the position the route has reached
  int maxDepth = work.maxDepth;

  auto enter = [&](int p, const JrDistanceBreakdown& route) {
    // The route to each position stays in current from one origin to the
    // next: an origin listed twice starts from what its first position holds.
    current[p] = route;
    frames[depth++] = {route, stepStart[p], stepStart[p + 1], p, limit[p]};
    limit[p] = kOnRoute;
    maxDepth = std::max(maxDepth, depth);
    if (p < firstListed) return;
    const std::int16_t fare = kivMan_.jrFare(route);
    if (fare < cheapestFare[p]) {
      cheapestFare[p] = fare;
      cheapest[p] = route;
    }
  };

  enter(origin, current[origin]);
  while (depth > 0) {
    CheapestTableWork::Frame& frame = frames[depth - 1];
    const int reached = frame.route.total;
    std::uint32_t k = frame.next;
    while (k < frame.end && reached + steps[k].add.total > limit[steps[k].to]) ++k;
    if (k == frame.end) {
      limit[frame.position] = frame.limit;
      --depth;
      continue;
    }
    frame.next = k + 1;
    enter(steps[k].to, saturatedSum(frame.route, steps[k].add));
  }
  work.maxDepth = static_cast<std::int16_t>(maxDepth);
}

}  // namespace kiv
