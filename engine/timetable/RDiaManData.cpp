// RDiaMan's construction and the network its searches run on.
#include <algorithm>

#include "network/RStaName.h"
#include "network/RTrainMan.h"
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
      timetable_(dataDir, staName.getCount(), trains),
      // The search states are sized by the station directory even when the
      // timetable files are missing, so that a search over an empty
      // timetable finds nothing instead of indexing an empty table.
      stationCount_(staName.getCount()) {}

RDiaMan::~RDiaMan() = default;

void RDiaMan::forEachTrainLink(const std::function<void(TrainNo, const TrainLinkIndex::Link&)>& visit) const {
  timetable_.forEachTrainLink(trains_.getTrainCount(), visit);
}

TimetableNetwork RDiaMan::network() const {
  return TimetableNetwork{timetable_, trains_, cnct_, staName_, dist_, fare_, kiv_, rules_};
}

}  // namespace kiv
