// Loading of the station-pair fare data and its three lookups.

#include <algorithm>

#include "RFareMan.h"
#include "RStaName.h"
#include "formats/FareRFile.h"

namespace kiv {

RFareMan::RFareMan(const std::filesystem::path& dataDir, RStaName& staName, RStaMan& staMan,
                   RStaFare& staFare, RDistMan& distMan, RKivMan& kivMan)
    : dataDir_(dataDir),
      staName_(staName),
      staMan_(staMan),
      staFare_(staFare),
      distMan_(distMan),
      kivMan_(kivMan) {
  // Loading stops at the first file that cannot be opened.
  auto idx = readFareIdxFile(dataDir / "FAREIDX.KV4");
  if (!idx) return;
  // One record per station of the directory; a short file gives the complete ones.
  stationCount_ = std::max(staName.getCount(), 0);
  stationIdx_ = std::move(idx->records);
  if (stationIdx_.size() > static_cast<std::size_t>(stationCount_)) {
    stationIdx_.resize(static_cast<std::size_t>(stationCount_));
  }
  auto special = readFareFFile(dataDir / "FAREF.KV4");
  if (!special) return;
  specialFares_ = std::move(special->records);
  auto reductions = readFareRFile(dataDir / "FARER.KV4");
  if (!reductions) return;
  reductions_ = std::move(reductions->records);
  auto links = readFareWFile(dataDir / "FAREW.KV4");
  if (!links) return;
  links_ = std::move(links->records);
}

const FarePairRecord* RFareMan::findPair(const std::vector<FarePairRecord>& records, NetworkCode network,
                                         StationNo a, StationNo b) const {
  for (const auto& r : records) {
    if (r.network == network && ((r.a == a && r.b == b) || (r.a == b && r.b == a))) return &r;
  }
  return nullptr;
}

int RFareMan::specialFare(NetworkCode network, StationNo a, StationNo b) const {
  const FarePairRecord* r = findPair(specialFares_, network, a, b);
  return r ? r->amount * 10 : 0;
}

int RFareMan::fareReduction(NetworkCode network, StationNo a, StationNo b) const {
  const FarePairRecord* r = findPair(reductions_, network, a, b);
  return r ? -(r->amount * 10) : 0;
}

int RFareMan::linkedStations(StationNo s, int max, StationNo* out) const {
  int written = 0;
  for (const auto& link : links_) {
    if (written >= max) break;
    if (link.a == s) {
      out[written++] = link.b;
    } else if (link.b == s) {
      out[written++] = link.a;
    }
  }
  return written;
}

}  // namespace kiv
