// The fastest route for the windows and the command line: the search, and
// the report of the route in "$TT$.kv4".
#include <vector>

#include "report/WorkFiles.h"
#include "settings/RDefMan.h"
#include "timetable/FastestReport.h"
#include "timetable/RDiaMan.h"

namespace kiv {

int RDiaMan::fastestTime(StationNo from, StationNo to, int hour, int minute, int day) {
  TimetableSearchState state(stationCount_);
  return fastestMinutes(network(), state, FastestQuery{from, to, hour, minute, day});
}

int RDiaMan::fastestRoute(StationNo from, StationNo to, int hour, int minute, int day) {
  FastestResult result;
  return fastestRoute(FastestQuery{from, to, hour, minute, day, def_.getOutputMode() == 1}, result);
}

int RDiaMan::fastestRoute(const FastestQuery& query, FastestResult& result) {
  workFileProblem_.clear();
  TimetableSearchState state(stationCount_);
  result = searchFastest(network(), state, query);
  if (!result.found()) return -1;
  if (writeFastestReport(result.path, query.start(), query.detailed) == 0) return 0;
  workFileProblem_ = work_files::kFastestReport;
  result.workFileProblem = workFileProblem_;
  return -1;
}

int RDiaMan::writeFastestReport(const std::vector<PathStop>& path, TimeOfDay start, bool detailed) {
  // Written over the old report's bytes, which spares the flush to disk
  // that a file cut to nothing and written again costs.
  return work_files::writeWholeText(dataDir_ / work_files::kFastestReport,
                                    fastestReportText(staName_, trains_, path, start, detailed),
                                    work_files::WholeFile::kOverOldBytes)
             ? 0
             : -1;
}

}  // namespace kiv
