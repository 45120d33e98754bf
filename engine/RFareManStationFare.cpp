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

bool RFareMan::distanceFares(NetworkCode network, StationNo origin, int n, std::vector<int>& fares) const {
  if (n < 0) n = 0;
  const auto size = static_cast<std::size_t>(n) + 1;
  fares.assign(size, 0);
  if (network == 0) {
    std::vector<JrDistanceBreakdown> distances(size);
    if (distMan_.jrDistances(origin, n, distances.data()) != 0) return false;
    for (std::size_t p = 1; p < size; ++p) fares[p] = kivMan_.jrFare(distances[p]) * 10;
  } else {
    std::vector<PrDistanceBreakdown> distances(size);
    if (distMan_.privateDistances(origin, n, network, distances.data()) != 0) return false;
    for (std::size_t p = 1; p < size; ++p) fares[p] = kivMan_.privateFare(distances[p], network) * 10;
  }
  return true;
}

int RFareMan::distanceFare(NetworkCode network, StationNo from, StationNo to) const {
  // A destination outside the network has no distance, hence no fare.
  const int n = staMan_.getNetworkSize(network);
  const int position = staMan_.findPosition(network, to);
  if (position < 1 || position > n) return -1;
  std::vector<int> fares;
  if (!distanceFares(network, from, n, fares)) return -1;
  return fares[static_cast<std::size_t>(position)];
}

int RFareMan::stationFare(NetworkCode network, StationNo from, StationNo to, int mode) const {
  if (from == to) return -1;

  // Tokyo-zone rule: a JR journey between the Yamanote line zone and a
  // station 101-200 km out is priced from Tokyo, in whichever direction it runs.
  if (mode == 1 && network == 0) {
    if (staMan_.isInStationList(RStaMan::kYamanoteZoneList, from) &&
        staMan_.isInStationList(RStaMan::kTokyo101To200KmList, to)) {
      from = staName_.findByName(tokyoName());
    } else if (staMan_.isInStationList(RStaMan::kYamanoteZoneList, to) &&
               staMan_.isInStationList(RStaMan::kTokyo101To200KmList, from)) {
      to = from;
      from = staName_.findByName(tokyoName());
    }
  }

  const int fare = distanceFare(network, from, to);
  if (fare < 0) return 0;
  return pairFare(network, from, to, fare);
}

}  // namespace kiv
