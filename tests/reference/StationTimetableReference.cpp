#include "StationTimetableReference.h"

#include <filesystem>
#include <system_error>

#include "report/WorkFiles.h"
#include "text/ReportText.h"
#include "timetable/RDiaMan.h"

namespace kiv::reference {

int buildStationTimetable(RDiaMan& dia, StationNo station, int day, int hour, bool grouping) {
  std::error_code ec;
  std::filesystem::remove(dia.workDirectory() / work_files::kTimetableSource, ec);
  std::filesystem::remove(dia.workDirectory() / work_files::kTimetableReport, ec);
  const int lines = dia.writeStationDepartures(station, day, hour, grouping);
  if (lines <= 0) return lines;
  if (dia.sortStationDepartures() < 0) return -1;
  const char* dayName = report_text::kDayNames[((day % 7) + 7) % 7].c_str();
  if (dia.writeStationTimetable(station, dayName, hour, grouping) != 0) return -1;
  return lines;
}

}  // namespace kiv::reference
