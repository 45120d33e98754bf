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

int RDistMan::buildJrCheapestTable(const TableProgressCallback& progress) {
  work_files::WorkFileWriter pairs(dataDir_ / work_files::kJrCheapestPairs);
  work_files::WorkFileWriter csv(dataDir_ / work_files::kJrCheapestCsv);
  if (!pairs.isOpen() || !csv.isOpen()) return -1;
  csv.line(report_text::kJrCheapestCsvHeader);

  const int n = std::max(staMan_.getNetworkSize(0), 0);
  const auto size = static_cast<std::size_t>(n) + 1;
  cheap_ = CheapestWork{};
  cheap_.n = n;
  cheap_.shortest.resize(size);
  cheap_.shortestFare.resize(size);
  cheap_.cheapestFare.resize(size);
  cheap_.cheapest.resize(size);
  cheap_.current.resize(size);
  prepareCheapestSteps(n);

  for (int i = 1; i <= n - 1; ++i) {
    const int o = staMan_.getStationAt(0, i);
    const auto origin = static_cast<StationNo>(o);
    if (jrDistances(origin, n, cheap_.shortest.data()) == 0) {
      cheap_.current[static_cast<std::size_t>(i)] = JrDistanceBreakdown{};
      // Only the positions after the origin's are listed: no others are priced.
      for (std::size_t j = static_cast<std::size_t>(i) + 1; j < size; ++j) {
        cheap_.shortestFare[j] = kivMan_.jrFare(cheap_.shortest[j]);
        cheap_.cheapestFare[j] = cheap_.shortestFare[j];
      }
      walkCheapest(networkPositions(0).positionOf(origin), i + 1);

      char originName[kStationNameSize] = "";
      staName_.getName(origin, originName);
      for (std::size_t j = static_cast<std::size_t>(i) + 1; j < size; ++j) {
        if (cheap_.cheapestFare[j] >= cheap_.shortestFare[j]) continue;
        ++cheap_.found;
        char name[kStationNameSize] = "";
        staName_.getName(static_cast<StationNo>(staMan_.getStationAt(0, static_cast<int>(j))), name);
        const work_files::JrCheapestPair pair{
            originName,        name, cheap_.shortestFare[j], cheap_.shortest[j], cheap_.cheapestFare[j],
            cheap_.cheapest[j]};
        pairs.line(work_files::formatJrCheapestPair(pair));
        csv.line(work_files::formatJrCheapestCsv(pair));
      }
    }
    if (progress && !progress({i, n, cheap_.found, cheap_.maxDepth})) break;
  }

  const int found = cheap_.found;
  cheap_ = CheapestWork{};
  walk_ = CheapestWalk{};
  // A full disk shows only when the files are flushed.
  const bool pairsWritten = pairs.close();
  const bool csvWritten = csv.close();
  return pairsWritten && csvWritten ? found : -1;
}

void RDistMan::prepareCheapestSteps(int n) {
  // Each position's edges in one block, with the position each leads to;
  // an edge leaving the positions 1..n is never followed and left out.
  const NetworkPositions& jr = networkPositions(0);
  const auto size = static_cast<std::size_t>(n) + 1;
  walk_.stepStart.assign(size + 1, 0);
  for (int p = 1; p <= n; ++p) {
    walk_.stepStart[static_cast<std::size_t>(p)] = static_cast<std::uint32_t>(walk_.steps.size());
    if (p > jr.size()) continue;
    for (const DistArc* arc = jr.arcsBegin(p); arc != jr.arcsEnd(p); ++arc) {
      if (arc->to >= 1 && arc->to <= n)
        walk_.steps.push_back({arc->to, jrEdgeAddend(jrEdges_[static_cast<std::size_t>(arc->edge)])});
    }
  }
  walk_.stepStart[size] = static_cast<std::uint32_t>(walk_.steps.size());
  walk_.limit.resize(size);
  walk_.stack.resize(size);  // a simple route passes each position once
}

// The depth-first walk over the simple JR routes from position `origin`
// within the detour limit, without recursion, each position's edges in file
// order; every position reached takes the route's fare when it is the lowest
// so far (the first such route is kept). The bound of each position (its
// shortest distance plus the detour limit) is lowered out of reach while the
// position is on the route, so that one comparison rules out both a detour
// too long and a position visited twice. The positions before `firstListed`
// are not listed for this origin, so their fares are not looked up.
void RDistMan::walkCheapest(int origin, int firstListed) {
  if (origin < 1 || origin > cheap_.n) return;
  constexpr int kOnRoute = std::numeric_limits<int>::min();
  int* const limit = walk_.limit.data();
  for (int q = 1; q <= cheap_.n; ++q)
    limit[q] = cheap_.shortest[static_cast<std::size_t>(q)].total + kDetourLimit;

  const CheapestWalk::Step* const steps = walk_.steps.data();
  const std::uint32_t* const stepStart = walk_.stepStart.data();
  JrDistanceBreakdown* const current = cheap_.current.data();
  std::int16_t* const cheapestFare = cheap_.cheapestFare.data();
  JrDistanceBreakdown* const cheapest = cheap_.cheapest.data();
  CheapestWalk::Frame* const frames = walk_.stack.data();
  int depth = 0;  // frames[depth - 1] is the position the route has reached
  int maxDepth = cheap_.maxDepth;

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
    CheapestWalk::Frame& frame = frames[depth - 1];
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
  cheap_.maxDepth = static_cast<std::int16_t>(maxDepth);
}

}  // namespace kiv
