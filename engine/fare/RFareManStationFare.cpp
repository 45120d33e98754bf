// The fare in yen of a journey between two stations of one network.

#include <string>
#include <vector>

#include "distance/RDistMan.h"
#include "fare/RFareMan.h"
#include "network/RKivMan.h"
#include "network/RStaMan.h"
#include "network/RStaName.h"
#include "text/SjisLiteral.h"

namespace kiv {

namespace {

// The station whose fares stand for the whole Yamanote line zone.
constexpr auto kTokyo = sjisLiteral("東京");

}  // namespace

bool RFareMan::searchDistances(NetworkCode network, StationNo origin, int n) const {
  const auto size = static_cast<std::size_t>(n) + 1;
  if (network == 0) {
    jrWork_.resize(size);
    return distMan_.jrDistances(origin, n, jrWork_.data()) == 0;
  }
  prWork_.resize(size);
  return distMan_.privateDistances(origin, n, network, prWork_.data()) == 0;
}

int RFareMan::routeFare(const JrDistanceBreakdown& route) const { return kivMan_.jrFare(route) * 10; }

int RFareMan::routeFare(const PrDistanceBreakdown& route, NetworkCode network) const {
  return kivMan_.privateFare(route, network) * 10;
}

int RFareMan::searchedFare(NetworkCode network, int position) const {
  const auto at = static_cast<std::size_t>(position);
  return network == 0 ? routeFare(jrWork_[at]) : routeFare(prWork_[at], network);
}

const std::vector<int>* RFareMan::distanceFares(NetworkCode network, StationNo origin, int n) const {
  if (n < 0) n = 0;
  std::vector<int>* fares = &plainFares_;
  const bool remember = rememberFares_;
  if (remember) {
    for (int i = 0; i < 2; ++i) {
      const FareMemo& m = memo_[i];
      if (m.valid && m.network == network && m.origin == origin && m.n == n) {
        memoRecent_ = i;
        return &m.fares;
      }
    }
    // The memo not used last makes room.
    memoRecent_ = 1 - memoRecent_;
    FareMemo& m = memo_[memoRecent_];
    m = {false, network, origin, n, std::move(m.fares)};
    fares = &m.fares;
  }

  if (!searchDistances(network, origin, n)) return nullptr;
  fares->assign(static_cast<std::size_t>(n) + 1, 0);
  for (int p = 1; p <= n; ++p) (*fares)[static_cast<std::size_t>(p)] = searchedFare(network, p);
  if (remember) memo_[memoRecent_].valid = true;
  return fares;
}

int RFareMan::distanceFareAt(NetworkCode network, StationNo origin, int n, int position) const {
  if (rememberFares_) {
    const std::vector<int>* fares = distanceFares(network, origin, n);
    return fares ? (*fares)[static_cast<std::size_t>(position)] : -1;
  }
  // One journey: only its destination is searched for and priced.
  if (network == 0) {
    JrDistanceBreakdown route;
    return distMan_.jrDistanceTo(origin, n, position, route) == 0 ? routeFare(route) : -1;
  }
  PrDistanceBreakdown route;
  return distMan_.privateDistanceTo(origin, n, network, position, route) == 0 ? routeFare(route, network)
                                                                              : -1;
}

StationNo RFareMan::tokyoStation() const {
  if (!tokyo_) tokyo_ = staName_.findByName(kTokyo);
  return *tokyo_;
}

int RFareMan::distanceFare(NetworkCode network, StationNo from, StationNo to) const {
  // A destination outside the network has no distance, hence no fare.
  const int n = staMan_.getNetworkSize(network);
  const int position = staMan_.findPosition(network, to);
  if (position < 1 || position > n) return -1;
  return distanceFareAt(network, from, n, position);
}

int RFareMan::stationFare(NetworkCode network, StationNo from, StationNo to, int mode) const {
  if (from == to) return -1;

  // Tokyo-zone rule: a JR journey between the Yamanote line zone and a
  // station 101-200 km out is priced from Tokyo, in whichever direction it runs.
  if (mode == 1 && network == 0) {
    if (staMan_.isInStationList(RStaMan::kYamanoteZoneList, from) &&
        staMan_.isInStationList(RStaMan::kTokyo101To200KmList, to)) {
      from = tokyoStation();
    } else if (staMan_.isInStationList(RStaMan::kYamanoteZoneList, to) &&
               staMan_.isInStationList(RStaMan::kTokyo101To200KmList, from)) {
      to = from;
      from = tokyoStation();
    }
  }

  // A destination outside the network has no distance, hence no fare.
  const int n = staMan_.getNetworkSize(network);
  const int position = distMan_.networkPositions(network).positionOf(to);
  if (position < 1 || position > n) return 0;
  const int fare = distanceFareAt(network, from, n, position);
  if (fare < 0) return 0;

  return pairFare(network, from, to, fare);
}

}  // namespace kiv
