// RDiaMan's construction and the lookups its searches make either by the
// index or by scanning the spans.
#include <algorithm>

#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "timetable/FastDepartures.h"
#include "timetable/RCnctMan.h"
#include "timetable/RDiaMan.h"

namespace kiv {

RDiaMan::RDiaMan(const std::filesystem::path& dataDir, RStaName& staName, RTrainMan& trains, RCnctMan& cnct,
                 RDefMan& def, RDistMan& dist, RFareMan& fare, RKivMan& kiv)
    : dataDir_(dataDir),
      staName_(staName),
      trains_(trains),
      cnct_(cnct),
      def_(def),
      dist_(dist),
      fare_(fare),
      kiv_(kiv),
      timetable_(dataDir, staName.getCount(), trains) {
  // The search table is sized even when the timetable files are missing, so
  // that a search over an empty timetable finds nothing instead of indexing
  // an empty table.
  const int n = std::max(0, staName_.getCount());
  searchTable_.resize(static_cast<std::size_t>(n) + 1);
  for (int s = 1; s <= n; ++s) searchTable_[static_cast<std::size_t>(s)].station = static_cast<StationNo>(s);
}

RDiaMan::~RDiaMan() = default;

void RDiaMan::forEachTrainLink(const std::function<void(TrainNo, const TrainLinkIndex::Link&)>& visit) const {
  timetable_.forEachTrainLink(trains_.getTrainCount(), visit);
}

bool RDiaMan::walkingTrain(TrainNo t) const {
  if (fast()) {
    const auto& walking = timetableIndex().walking;
    if (t >= 0 && static_cast<std::size_t>(t) < walking.size())
      return walking[static_cast<std::size_t>(t)] != 0;
  }
  return trains_.isWalking(t) == 1;
}

std::span<const DiaDepartureRecord> RDiaMan::departuresFrom(StationNo station) const {
  return fast() ? timetable_.indexedDeparturesOf(station) : departuresOf(station);
}

std::span<const DiaDepartureRecord> RDiaMan::linkDepartures(StationNo a, std::span<const DiaLinkRecord> links,
                                                            std::size_t k) const {
  return fast() ? timetable_.indexedLinkDepartures(links, k) : departuresTowards(a, links[k].to);
}

bool RDiaMan::nextRecordDeparture(const DiaDepartureRecord& r, TimeOfDay time, int day,
                                  TimeOfDay& departure) const {
  return fast() ? fast_departures::recordDeparture(r, time, day, departure)
                : recordDeparture(r, time, day, departure);
}

}  // namespace kiv
