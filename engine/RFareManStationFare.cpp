// The fare in yen of a journey between two stations of one network.

#include <string>
#include <vector>

#include "Codec.h"
#include "RDistMan.h"
#include "RFareMan.h"
#include "RKivMan.h"
#include "RStaMan.h"
#include "RStaName.h"

namespace kiv {

namespace {

// The station whose fares stand for the whole Yamanote line zone.
const std::string& tokyoName() {
  static const std::string name = utf8ToSjis("東京").value_or(std::string());
  return name;
}

}  // namespace

namespace {

// The fares in yen of the breakdowns 1..n (element 0 unused).
template <typename Breakdown, typename FareOf>
void faresOf(const std::vector<Breakdown>& distances, int n, FareOf fareOf, std::vector<int>& fares) {
  fares.assign(static_cast<std::size_t>(n) + 1, 0);
  for (int p = 1; p <= n; ++p)
    fares[static_cast<std::size_t>(p)] = fareOf(distances[static_cast<std::size_t>(p)]) * 10;
}

}  // namespace

const std::vector<int>* RFareMan::distanceFares(NetworkCode network, StationNo origin, int n,
                                                bool reference) const {
  if (n < 0) n = 0;
  std::vector<int>* fares = &plainFares_;
  const bool remember = rememberFares_ && !reference;
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

  const auto size = static_cast<std::size_t>(n) + 1;
  if (network == 0) {
    jrWork_.resize(size);
    const int found = reference ? distMan_.jrDistancesReference(origin, n, jrWork_.data())
                                : distMan_.jrDistances(origin, n, jrWork_.data());
    if (found != 0) return nullptr;
    faresOf(
        jrWork_, n, [&](const JrDistanceBreakdown& d) { return kivMan_.jrFare(d); }, *fares);
  } else {
    prWork_.resize(size);
    const int found = reference ? distMan_.privateDistancesReference(origin, n, network, prWork_.data())
                                : distMan_.privateDistances(origin, n, network, prWork_.data());
    if (found != 0) return nullptr;
    faresOf(
        prWork_, n, [&](const PrDistanceBreakdown& d) { return kivMan_.privateFare(d, network); }, *fares);
  }
  if (remember) memo_[memoRecent_].valid = true;
  return fares;
}

StationNo RFareMan::tokyoStation(bool reference) const {
  if (reference) return staName_.findByName(tokyoName());
  if (!tokyo_) tokyo_ = staName_.findByName(tokyoName());
  return *tokyo_;
}

int RFareMan::stationFare(NetworkCode network, StationNo from, StationNo to, int mode) const {
  return priceJourney(network, from, to, mode, false);
}

int RFareMan::stationFareReference(NetworkCode network, StationNo from, StationNo to, int mode) const {
  return priceJourney(network, from, to, mode, true);
}

int RFareMan::priceJourney(NetworkCode network, StationNo from, StationNo to, int mode,
                           bool reference) const {
  if (from == to) return -1;
  const int n = staMan_.getNetworkSize(network);

  // Tokyo-zone rule: a JR journey between the Yamanote line zone and a
  // station 101-200 km out is priced from Tokyo, in whichever direction it runs.
  if (mode == 1 && network == 0) {
    if (staMan_.isInStationList(RStaMan::kYamanoteZoneList, from) &&
        staMan_.isInStationList(RStaMan::kTokyo101To200KmList, to)) {
      from = tokyoStation(reference);
    } else if (staMan_.isInStationList(RStaMan::kYamanoteZoneList, to) &&
               staMan_.isInStationList(RStaMan::kTokyo101To200KmList, from)) {
      to = from;
      from = tokyoStation(reference);
    }
  }

  // A destination outside the network has no distance, hence no fare.
  const int position =
      reference ? staMan_.findPosition(network, to) : distMan_.networkPositions(network).positionOf(to);
  if (position < 1 || position > n) return 0;
  const std::vector<int>* fares = distanceFares(network, from, n, reference);
  if (!fares) return 0;
  const int fare = (*fares)[static_cast<std::size_t>(position)];

  const int special = specialFare(network, from, to);
  if (special != 0) return special;
  return fare + fareReduction(network, from, to);
}

}  // namespace kiv
