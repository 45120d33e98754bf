// The report "$TT$.kv4" of a fastest route.
#include "timetable/FastestReport.h"

#include "network/RStaName.h"
#include "network/RTrainMan.h"
#include "text/ReportText.h"
#include "timetable/Timetable.h"

namespace kiv {

std::string fastestReportText(const RStaName& names, const RTrainMan& trains,
                              const std::vector<PathStop>& path, TimeOfDay start, bool detailed) {
  auto stationName = [&names](StationNo s) {
    char buf[kStationNameSize] = {};
    names.getName(s, buf);
    return std::string(buf);
  };
  auto trainName = [&trains](TrainNo t) {
    char buf[kTrainNameSize] = {};
    trains.getTrainName(t, buf);
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
  const int d = Timetable::minutesBetween(start, goal.arrival);
  text += d < 60 ? format(kFastestMinutes.c_str(), d) : format(kFastestHours.c_str(), d / 60, d % 60);
  text += report_text::kTimetableNote;
  return text;
}

}  // namespace kiv
