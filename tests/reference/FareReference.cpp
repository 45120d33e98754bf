#include "FareReference.h"

#include <algorithm>
#include <string>

#include "fare/RFareMan.h"
#include "fare/RStaFare.h"
#include "network/RKivMan.h"
#include "network/RStaMan.h"
#include "network/RStaName.h"
#include "report/WorkFileWriter.h"
#include "text/SjisLiteral.h"

namespace kiv::reference {

namespace {

// The station whose fares stand for the whole Yamanote line zone.
constexpr auto kTokyo = sjisLiteral("東京");

}  // namespace

FareMan::FareMan(const FareSources& sources) : sources_(sources), dist_(sources) {}

const std::vector<int>* FareMan::distanceFares(NetworkCode network, StationNo origin, int n) const {
  if (n < 0) n = 0;
  const auto size = static_cast<std::size_t>(n) + 1;
  fares_.assign(size, 0);
  const RKivMan& kiv = sources_.kivMan;
  if (network == 0) {
    jrWork_.resize(size);
    if (dist_.jrDistances(origin, n, jrWork_.data()) != 0) return nullptr;
    for (std::size_t p = 1; p < size; ++p) fares_[p] = kiv.jrFare(jrWork_[p]) * 10;
  } else {
    prWork_.resize(size);
    if (dist_.privateDistances(origin, n, network, prWork_.data()) != 0) return nullptr;
    for (std::size_t p = 1; p < size; ++p) fares_[p] = kiv.privateFare(prWork_[p], network) * 10;
  }
  return &fares_;
}

int FareMan::stationFare(NetworkCode network, StationNo from, StationNo to, int mode) const {
  if (from == to) return -1;
  const RStaMan& staMan = sources_.staMan;

  // Tokyo-zone rule: a JR journey between the Yamanote line zone and a
  // station 101-200 km out is priced from Tokyo, in whichever direction it runs.
  if (mode == 1 && network == 0) {
    if (staMan.isInStationList(RStaMan::kYamanoteZoneList, from) &&
        staMan.isInStationList(RStaMan::kTokyo101To200KmList, to)) {
      from = sources_.staName.findByName(kTokyo);
    } else if (staMan.isInStationList(RStaMan::kYamanoteZoneList, to) &&
               staMan.isInStationList(RStaMan::kTokyo101To200KmList, from)) {
      to = from;
      from = sources_.staName.findByName(kTokyo);
    }
  }

  // A destination outside the network has no distance, hence no fare.
  const int n = staMan.getNetworkSize(network);
  const int position = staMan.findPosition(network, to);
  if (position < 1 || position > n) return 0;
  const std::vector<int>* fares = distanceFares(network, from, n);
  const int fare = fares ? (*fares)[static_cast<std::size_t>(position)] : -1;
  if (fare < 0) return 0;
  return sources_.fare.pairFare(network, from, to, fare);
}

work_files::FareTable FareMan::fareTable(StationNo origin) const {
  const RStaName& staName = sources_.staName;
  const RStaMan& staMan = sources_.staMan;
  work_files::FareTable table;
  char originName[kStationNameSize] = "";
  staName.getName(origin, originName);
  table.origin = originName;

  int block = -1;
  int lastCompany = -1;
  const int codes = sources_.staFare.getNetworkCount(origin);
  for (int j = 0; j < codes; ++j) {
    const int code = sources_.staFare.getNetworkAt(origin, j);
    if (code < 0) continue;
    const auto network = static_cast<NetworkCode>(code);

    // Neighbouring codes of one company share its block.
    if (network / 10 != lastCompany) {
      ++block;
      char company[kCompanyNameSize] = "";
      sources_.kivMan.getCompanyName(network / 10, company);
      table.blocks.push_back({block, company, {}});
      lastCompany = network / 10;
    }

    std::int16_t first = -1;
    std::int16_t last = -1;
    staMan.findNetwork(network, first, last);
    if (first == -1 || last == -1) continue;
    const int k = last - first + 1;
    const std::vector<int>* fares = distanceFares(network, origin, k);
    if (!fares) continue;

    for (int p = 1; p <= k; ++p) {
      const int s = staMan.getStationAt(network, p);
      if (s == origin) continue;
      const auto station = static_cast<StationNo>(s);
      char name[kStationNameSize];
      if (staName.getName(station, name) != 0) continue;  // no such station: nothing to print
      int fare = (*fares)[static_cast<std::size_t>(p)];
      const int special = sources_.fare.specialFare(network, origin, station);
      if (special != 0) {
        fare = special;
      } else {
        // A reduction larger than the fare leaves no fare, never a negative one.
        fare = std::max(0, fare + sources_.fare.fareReduction(network, origin, station));
      }
      // Unreached stations come out at 0 and are left out.
      if (fare != 0) table.blocks.back().fares.push_back({name, fare});
    }
  }
  return table;
}

int FareMan::buildFareTable(StationNo origin) const {
  return work_files::writeFareTable(sources_.dataDir / work_files::kFareTable, fareTable(origin)) ? 0 : -1;
}

int FareMan::buildTokyoZoneList(const TableProgressCallback& progress) const {
  const RStaMan& staMan = sources_.staMan;
  work_files::WorkFileWriter out(sources_.dataDir / work_files::kTokyoZoneList);
  if (!out.isOpen()) return -1;

  const int yamanoteCount = staMan.getStationListSize(RStaMan::kYamanoteZoneList);
  const int farCount = staMan.getStationListSize(RStaMan::kTokyo101To200KmList);
  int count = 0;
  for (int i = 0; i < farCount; ++i) {
    const auto b = static_cast<StationNo>(staMan.getStationListEntry(RStaMan::kTokyo101To200KmList, i));
    // A listed name that the station directory lacks has no fare to compare.
    char nameB[kStationNameSize];
    const bool named = sources_.staName.getName(b, nameB) == 0;
    for (int j = 0; named && j < yamanoteCount; ++j) {
      const auto a = static_cast<StationNo>(staMan.getStationListEntry(RStaMan::kYamanoteZoneList, j));
      char nameA[kStationNameSize];
      if (sources_.staName.getName(a, nameA) != 0) continue;
      const int plain = stationFare(0, b, a, 0);
      const int fromTokyo = stationFare(0, b, a, 1);
      if (plain == fromTokyo) continue;
      out.line(work_files::formatTokyoZonePair({nameA, nameB, fromTokyo / 10}));
      ++count;
    }
    if (progress && !progress({i + 1, farCount, count, 0})) break;
  }
  return out.close() ? count : -1;
}

}  // namespace kiv::reference
