#include "RFareMan.h"

namespace kiv {

int RFareMan::buildFareTable(StationNo) const { return 0; }

int RFareMan::exportFareTable(const std::filesystem::path&, int, bool) const { return 0; }

}  // namespace kiv
