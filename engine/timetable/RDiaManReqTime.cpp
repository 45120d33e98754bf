// The required-time table of RDiaMan: the tables of timetable/RequiredTimes
// written to "$RqTmTbl.kv4", and the export of one or all tables as text or
// CSV.
#include <algorithm>

#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"
#include "text/ReportText.h"
#include "timetable/RDiaMan.h"
#include "timetable/RequiredTimes.h"

namespace kiv {

std::optional<work_files::RequiredTimes> RDiaMan::requiredTimes(StationNo station) const {
  return kiv::requiredTimes(station, departuresOf(station), trainLinkIndex(), staName_, trains_,
                            searchStationCount());
}

int RDiaMan::buildRequiredTimeTable(StationNo station) {
  const auto times = requiredTimes(station);
  if (!times) return -1;
  return work_files::writeWholeBytes(dataDir_ / work_files::kRequiredTimes,
                                     work_files::requiredTimesText(*times),
                                     work_files::WholeFile::kOverOldBytes)
             ? 0
             : -1;
}

int RDiaMan::exportRequiredTimeTable(const std::filesystem::path& file, int table, bool csv) {
  // A missing work file exports nothing but the CSV header.
  const auto times = work_files::readRequiredTimes(dataDir_ / work_files::kRequiredTimes);
  return work_files::exportRequiredTimes(file, times.value_or(work_files::RequiredTimes{}), table, csv) ? 0
                                                                                                        : -1;
}

}  // namespace kiv
