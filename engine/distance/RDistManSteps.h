// One step of a route over the distance network: a route carried over one
// more edge, shared by every search and the cheapest-route walk so that they
// all split distances alike.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

// The 64-bit moves below exist on x86-64 only.
#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

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

// What a JR edge adds to a route part by part: its distance to the total
// and to the part of its line kind, and on local lines its fare distance to
// the local fare part.
inline JrDistanceBreakdown jrEdgeAddend(const DistJREdge& edge) {
  JrDistanceBreakdown add;
  add.total = edge.distance;
  switch (edge.kind) {
    case 1:
      add.yamanote = edge.distance;
      break;
    case 2:
      add.trainZone = edge.distance;
      break;
    case 3:
      add.trunk = edge.distance;
      break;
    default:
      add.localBusiness = edge.distance;
      add.localFare = edge.fareDistance;
      break;
  }
  return add;
}

// route + add part by part, each sum held within the 16-bit range: with the
// addend of an edge, addJrEdge(route, edge, INT16_MAX) without telling the
// line kinds apart, since a part that gains nothing stays as it is. Done on
// all parts at once where the processor can.
inline JrDistanceBreakdown saturatedSum(const JrDistanceBreakdown& route, const JrDistanceBreakdown& add) {
  static_assert(sizeof(JrDistanceBreakdown) == 12);
#if defined(__SSE2__) && defined(__x86_64__)
  auto load = [](const JrDistanceBreakdown& d) {
    std::uint64_t low = 0;
    std::uint32_t high = 0;
    std::memcpy(&low, &d, sizeof low);
    std::memcpy(&high, reinterpret_cast<const char*>(&d) + sizeof low, sizeof high);
    return _mm_set_epi64x(static_cast<long long>(high), static_cast<long long>(low));
  };
  const __m128i sum = _mm_adds_epi16(load(route), load(add));
  const auto low = static_cast<std::uint64_t>(_mm_cvtsi128_si64(sum));
  const auto high = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(sum, 8)));
  JrDistanceBreakdown out;
  std::memcpy(static_cast<void*>(&out), &low, sizeof low);
  std::memcpy(reinterpret_cast<char*>(static_cast<void*>(&out)) + sizeof low, &high, sizeof high);
  return out;
#else
  constexpr int kCeiling = std::numeric_limits<std::int16_t>::max();
  return {boundedDistance(route.total + add.total, kCeiling),
          boundedDistance(route.yamanote + add.yamanote, kCeiling),
          boundedDistance(route.trainZone + add.trainZone, kCeiling),
          boundedDistance(route.trunk + add.trunk, kCeiling),
          boundedDistance(route.localBusiness + add.localBusiness, kCeiling),
          boundedDistance(route.localFare + add.localFare, kCeiling)};
#endif
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
