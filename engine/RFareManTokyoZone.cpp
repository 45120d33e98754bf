#include "RFareMan.h"

namespace kiv {

int RFareMan::buildTokyoZoneList() const { return 0; }

}  // namespace kiv
