// The fastest route for the windows and the command line: the search, and
// the report of the route in "$TT$.kv4".
#include <string>
#include <vector>

#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "report/WorkFiles.h"
#include "settings/RDefMan.h"
#include "text/ReportText.h"
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
  return -1;
}

int RDiaMan::writeFastestReport(const std::vector<PathStop>& path, TimeOfDay start, bool detailed) {
  auto stationName = [this](StationNo s) {
    char buf[kStationNameSize] = {};
    staName_.getName(s, buf);
    return std::string(buf);
  };
  auto trainName = [this](TrainNo t) {
    char buf[kTrainNameSize] = {};
    trains_.getTrainName(t, buf);
    return std::string(buf);
  };
  using namespace report_text;

  const PathStop& goal = path.back();
  std::string text = format(kFastestTitle.c_str(), stationName(path.front().station).c_str(),
                            stationName(goal.station).c_str());
  text += format(kFastestStart.c_str(), start.hour, start.minute);
  for (std::size_t k = 0; k + 1 < path.size(); ++k) {
    const PathStop& here = path[k];
    const std::string name = stationName(here.station);
    const bool isStart = k == 0;
    const bool isChange = !isStart && here.trainIn != here.trainOut;
    if (isChange)
      text += format(kFastestArrives.c_str(), here.arrival.hour, here.arrival.minute, name.c_str());
    if (isStart || isChange) {
      text += format(kFastestLeaves.c_str(), here.departure.hour, here.departure.minute, name.c_str());
      text += format(kFastestRide.c_str(), trainName(here.trainOut).c_str());
    } else if (detailed) {
      if (here.arrival == here.departure) {
        text += format(kFastestPassAt.c_str(), name.c_str(), here.arrival.hour, here.arrival.minute);
      } else {
        text += format(kFastestPassFromTo.c_str(), name.c_str(), here.arrival.hour, here.arrival.minute,
                       here.departure.hour, here.departure.minute);
      }
    }
  }
  text += format(kFastestArrives.c_str(), goal.arrival.hour, goal.arrival.minute,
                 stationName(goal.station).c_str());
  const int d = minutesBetween(start, goal.arrival);
  text += d < 60 ? format(kFastestMinutes.c_str(), d) : format(kFastestHours.c_str(), d / 60, d % 60);
  text += report_text::kTimetableNote;
  // Written over the old report's bytes, which spares the flush to disk
  // that a file cut to nothing and written again costs.
  return work_files::writeWholeText(
             dataDir_ / work_files::kFastestReport, text,
             fast() ? work_files::WholeFile::kOverOldBytes : work_files::WholeFile::kAfresh)
             ? 0
             : -1;
}

}  // namespace kiv
