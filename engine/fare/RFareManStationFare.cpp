// The fare in yen of a journey between two stations of one network.

#include <string>
#include <vector>

#include "distance/RDistMan.h"
#include "fare/RFareMan.h"
#include "network/RKivMan.h"
#include "network/RStaMan.h"
#include "network/RStaName.h"

namespace kiv {

bool RFareMan::searchDistances(FareSearchState& state, NetworkCode network, StationNo origin, int n) const {
  const auto size = static_cast<std::size_t>(n) + 1;
  if (network == 0) {
    state.jrRoutes.resize(size);
    return distMan_.jrDistances(state.distances, origin, n, state.jrRoutes.data()) == 0;
  }
  state.prRoutes.resize(size);
  return distMan_.privateDistances(state.distances, origin, n, network, state.prRoutes.data()) == 0;
}

int RFareMan::routeFare(const JrDistanceBreakdown& route) const { return kivMan_.jrFare(route) * 10; }

int RFareMan::routeFare(const PrDistanceBreakdown& route, NetworkCode network) const {
  return kivMan_.privateFare(route, network) * 10;
}

int RFareMan::searchedFare(const FareSearchState& state, NetworkCode network, int position) const {
  const auto at = static_cast<std::size_t>(position);
  return network == 0 ? routeFare(state.jrRoutes[at]) : routeFare(state.prRoutes[at], network);
}

const std::vector<int>* RFareMan::distanceFares(FareSearchState& state, NetworkCode network, StationNo origin,
                                                int n) const {
  if (n < 0) n = 0;
  std::vector<int>* fares = &state.fares;
  const bool remember = state.rememberFares;
  if (remember) {
    for (int i = 0; i < 2; ++i) {
      const FareSearchState::RememberedFares& m = state.remembered[i];
      if (m.valid && m.network == network && m.origin == origin && m.n == n) {
        state.lastRemembered = i;
        return &m.fares;
      }
    }
    // The fares not used last make room.
    state.lastRemembered = 1 - state.lastRemembered;
    FareSearchState::RememberedFares& m = state.remembered[state.lastRemembered];
    m = {false, network, origin, n, std::move(m.fares)};
    fares = &m.fares;
  }

  if (!searchDistances(state, network, origin, n)) return nullptr;
  fares->assign(static_cast<std::size_t>(n) + 1, 0);
  for (int p = 1; p <= n; ++p) (*fares)[static_cast<std::size_t>(p)] = searchedFare(state, network, p);
  if (remember) state.remembered[state.lastRemembered].valid = true;
  return fares;
}

int RFareMan::distanceFareAt(FareSearchState& state, NetworkCode network, StationNo origin, int n,
                             int position) const {
  if (state.rememberFares) {
    const std::vector<int>* fares = distanceFares(state, network, origin, n);
    return fares ? (*fares)[static_cast<std::size_t>(position)] : -1;
  }
  // One journey: only its destination is searched for and priced.
  if (network == 0) {
    JrDistanceBreakdown route;
    return distMan_.jrDistanceTo(state.distances, origin, n, position, route) == 0 ? routeFare(route) : -1;
  }
  PrDistanceBreakdown route;
  return distMan_.privateDistanceTo(state.distances, origin, n, network, position, route) == 0
             ? routeFare(route, network)
             : -1;
}

int RFareMan::distanceFare(NetworkCode network, StationNo from, StationNo to) const {
  FareSearchState state;
  return distanceFare(state, network, from, to);
}

int RFareMan::distanceFare(FareSearchState& state, NetworkCode network, StationNo from, StationNo to) const {
  // A destination outside the network has no distance, hence no fare.
  const int n = staMan_.getNetworkSize(network);
  const int position = staMan_.findPosition(network, to);
  if (position < 1 || position > n) return -1;
  return distanceFareAt(state, network, from, n, position);
}

int RFareMan::stationFare(NetworkCode network, StationNo from, StationNo to, int mode) const {
  FareSearchState state;
  return stationFare(state, network, from, to, mode);
}

int RFareMan::stationFare(FareSearchState& state, NetworkCode network, StationNo from, StationNo to,
                          int mode) const {
  if (from == to) return -1;

  // Tokyo-zone rule: a JR journey between the Yamanote line zone and a
  // station 101-200 km out is priced from Tokyo, in whichever direction it runs.
  if (mode == 1 && network == 0) {
    if (staMan_.isInStationList(RStaMan::kYamanoteZoneList, from) &&
        staMan_.isInStationList(RStaMan::kTokyo101To200KmList, to)) {
      from = tokyo_;
    } else if (staMan_.isInStationList(RStaMan::kYamanoteZoneList, to) &&
               staMan_.isInStationList(RStaMan::kTokyo101To200KmList, from)) {
      to = from;
      from = tokyo_;
    }
  }

  // A destination outside the network has no distance, hence no fare.
  const int n = staMan_.getNetworkSize(network);
  const int position = distMan_.networkPositions(network).positionOf(to);
  if (position < 1 || position > n) return 0;
  const int fare = distanceFareAt(state, network, from, n, position);
  if (fare < 0) return 0;

  return pairFare(network, from, to, fare);
}

}  // namespace kiv
