// Loading of the station-pair fare data and its three lookups.

#include <algorithm>

#include "data/FareIdxFile.h"
#include "data/FareRFile.h"
#include "fare/RFareMan.h"
#include "network/RStaName.h"
#include "text/SjisLiteral.h"

namespace kiv {

namespace {

// The station whose fares stand for the whole Yamanote line zone.
constexpr auto kTokyo = sjisLiteral("東京");

}  // namespace

RFareMan::RFareMan(const std::filesystem::path& dataDir, RStaName& staName, RStaMan& staMan,
                   RStaFare& staFare, RDistMan& distMan, RKivMan& kivMan)
    : dataDir_(dataDir),
      staName_(staName),
      staMan_(staMan),
      staFare_(staFare),
      distMan_(distMan),
      kivMan_(kivMan),
      tokyo_(staName.findByName(kTokyo)) {
  // Loading stops at the first file that cannot be opened. FAREIDX.KV4 only
  // has to open: nothing reads its per-station records.
  if (!readFareIdxFile(dataDir / "FAREIDX.KV4")) return;
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

namespace {

// The first record of the pair a, b (either order) on the network; nullptr when there is none.
const FarePairRecord* findPair(const std::vector<FarePairRecord>& records, NetworkCode network, StationNo a,
                               StationNo b) {
  for (const auto& r : records) {
    if (r.network == network && ((r.a == a && r.b == b) || (r.a == b && r.b == a))) return &r;
  }
  return nullptr;
}

}  // namespace

int RFareMan::specialFare(NetworkCode network, StationNo a, StationNo b) const {
  const FarePairRecord* r = findPair(specialFares_, network, a, b);
  return r ? r->amount * 10 : 0;
}

int RFareMan::fareReduction(NetworkCode network, StationNo a, StationNo b) const {
  const FarePairRecord* r = findPair(reductions_, network, a, b);
  return r ? -(r->amount * 10) : 0;
}

int RFareMan::pairFare(NetworkCode network, StationNo a, StationNo b, int distanceFare) const {
  const int special = specialFare(network, a, b);
  if (special != 0) return special;
  // A reduction larger than the fare leaves no fare, never a negative one.
  return std::max(0, distanceFare + fareReduction(network, a, b));
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
