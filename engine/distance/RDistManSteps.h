// One step of a route over the distance network: a route carried over one
// more edge, shared by every search and the cheapest-route walk so that they
// all split distances alike.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "Types.h"
#include "data/DistJRFile.h"
#include "data/DistPRFile.h"

namespace kiv {

// Distances are summed in int and held within the 16-bit range, never above
// the ceiling (by default the unreached mark); every sum the searches store
// goes through here.
inline std::int16_t boundedDistance(int value, int ceiling = kUnreachedDistance) {
  return static_cast<std::int16_t>(std::clamp<int>(value, std::numeric_limits<std::int16_t>::min(), ceiling));
}

// A JR route carried over one more edge, in place: the total and the part
// of the edge's line kind grow by its distance (the local fare part by its
// fare distance), each sum held within the 16-bit range and at most `ceiling`.
inline void addJrEdge(JrDistanceBreakdown& route, const DistJREdge& edge, int ceiling = kUnreachedDistance) {
  route.total = boundedDistance(route.total + edge.distance, ceiling);
  switch (edge.kind) {
    case 1:
      route.yamanote = boundedDistance(route.yamanote + edge.distance, ceiling);
      break;
    case 2:
      route.trainZone = boundedDistance(route.trainZone + edge.distance, ceiling);
      break;
    case 3:
      route.trunk = boundedDistance(route.trunk + edge.distance, ceiling);
      break;
    default:
      route.localBusiness = boundedDistance(route.localBusiness + edge.distance, ceiling);
      route.localFare = boundedDistance(route.localFare + edge.fareDistance, ceiling);
      break;
  }
}

inline JrDistanceBreakdown jrExtendedBy(const JrDistanceBreakdown& route, const DistJREdge& edge) {
  JrDistanceBreakdown next = route;
  addJrEdge(next, edge);
  return next;
}

// A private route carried over one more edge: the total and the part in the
// edge's surcharge zone (1..9; other zones count in the total only).
inline PrDistanceBreakdown privateExtendedBy(const PrDistanceBreakdown& route, const DistPREdge& edge) {
  PrDistanceBreakdown next = route;
  next.total = boundedDistance(route.total + edge.distance);
  if (edge.zone >= 1 && edge.zone <= 9) {
    auto& zone = next.zone[edge.zone - 1];
    zone = boundedDistance(zone + edge.distance);
  }
  return next;
}

}  // namespace kiv
