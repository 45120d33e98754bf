// Where the fare sections of a route begin and end. A route is a sequence of
// hops (a ride or a walk from one station of the route to the next); each
// maximal run of hops on one network is priced as one journey, and a walk
// between two rides ends the journey of the rides before it, except a walk
// that the data mark as a change inside the fare of one network: when the
// rides on both sides of it are of that network, the journey goes on.
#pragma once

#include <span>
#include <vector>

#include "Types.h"

namespace kiv {

// The network code of walking connections that end a journey.
inline constexpr NetworkCode kWalkingNetworkCode = 900;

// One hop of a route, as the fare rule needs it.
struct FareHop {
  // Network code of the hop's train; -1 when the train is not known. A walk
  // marked as a change inside one network's fare carries that network's code,
  // every other walk kWalkingNetworkCode.
  NetworkCode network = -1;
  bool walking = false;  // the hop is a walking connection
};

// A fare section: hops first..last (indexes into the hops, inclusive), so it
// runs from station `first` to station `last + 1` of the route.
struct FareSectionSpan {
  int first = 0;
  int last = 0;
  NetworkCode network = 0;  // the network that prices it (kWalkingNetworkCode for walks)
  friend bool operator==(const FareSectionSpan&, const FareSectionSpan&) = default;
};

// The sections of the hops in route order. Runs of hops whose train is not
// known (network -1) make no section.
std::vector<FareSectionSpan> fareSections(std::span<const FareHop> hops);

}  // namespace kiv
