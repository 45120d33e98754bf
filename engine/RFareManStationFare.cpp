#include "RFareMan.h"

namespace kiv {

int RFareMan::stationFare(NetworkCode, StationNo from, StationNo to, int) const { return from == to ? -1 : 0; }

}  // namespace kiv
