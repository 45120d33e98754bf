#include "fare/FareSections.h"

#include <cstddef>

namespace kiv {
namespace {

bool isRideOf(std::span<const FareHop> hops, std::size_t k, NetworkCode network) {
  return k < hops.size() && !hops[k].walking && hops[k].network == network;
}

// The network under which hop k is priced: a marked walk between two rides of
// its network belongs to their journey; any other walk is a walk.
NetworkCode pricingNetwork(std::span<const FareHop> hops, std::size_t k) {
  const FareHop& hop = hops[k];
  if (!hop.walking || hop.network == -1 || hop.network == kWalkingNetworkCode) return hop.network;
  const bool between = k > 0 && isRideOf(hops, k - 1, hop.network) && isRideOf(hops, k + 1, hop.network);
  return between ? hop.network : kWalkingNetworkCode;
}

}  // namespace

std::vector<FareSectionSpan> fareSections(std::span<const FareHop> hops) {
  std::vector<FareSectionSpan> sections;
  std::size_t start = 0;
  for (std::size_t k = 0; k < hops.size(); ++k) {
    const NetworkCode network = pricingNetwork(hops, k);
    const bool runEnds = k + 1 == hops.size() || pricingNetwork(hops, k + 1) != network;
    if (!runEnds) continue;
    if (network != -1) sections.push_back({static_cast<int>(start), static_cast<int>(k), network});
    start = k + 1;
  }
  return sections;
}

}  // namespace kiv
