#include "report/RouteListExport.h"

#include <cstddef>

#include "fare/UnknownFare.h"
#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"
#include "text/ReportText.h"
#include "timetable/RDiaMan.h"

namespace kiv {
namespace {

using report_text::format;

const char* const kListFiles[] = {work_files::kRouteListFound, work_files::kRouteListTime,
                                  work_files::kRouteListFare};

std::string minutesText(int total) { return format("%2d:%02d", total / 60, total % 60); }

// The description of one route: its list entry, then its rides, its stops
// and its fare sections, each group closed by an empty line. A fare the data
// do not give is written as unknown, and so is the total over it.
void describeRoute(work_files::WorkFileWriter& out, const work_files::RouteList& list,
                   const work_files::RouteDetail& detail, int detection, int order, int row) {
  using namespace report_text;
  const work_files::RouteListHead& head = list.head;
  if (!head.from.empty()) {
    out.line(format(kDescriptionTitle.c_str(), head.from.c_str(), head.to.c_str(), row,
                    kRouteOrderLabels[order - 1].c_str()));
    out.line(format(kDescriptionDeparture.c_str(), head.departure.text.c_str()));
  }
  bool totalUnknown = false;
  for (const work_files::RouteFareSection& f : detail.fares) totalUnknown = totalUnknown || fareUnknown(f);
  for (const work_files::RouteSummary& r : list.routes) {
    if (r.detection != detection) continue;
    out.line(format(kDescriptionArrival.c_str(), r.arrival.text.c_str()));
    out.line(format(kDescriptionTotal.c_str(), minutesText(r.totalMinutes).c_str(), r.ridingMinutes,
                    r.walkingMinutes, r.waitingMinutes));
    out.line(totalUnknown ? std::string(kDescriptionFareUnknown.c_str())
                          : format(kDescriptionFare.c_str(), r.fare));
  }
  out.line("");
  for (const work_files::RouteRide& r : detail.rides) {
    out.line(format(kDescriptionRide.c_str(), r.train.c_str(), r.from.c_str(), r.departure.text.c_str(),
                    r.to.c_str(), r.arrival.text.c_str(), r.ridingMinutes + r.walkingMinutes));
  }
  out.line("");
  for (const work_files::RouteStop& s : detail.stops) {
    out.line(format(kDescriptionStop.c_str(), s.station.c_str(), s.arrival.text.c_str(),
                    s.departure.text.c_str(), s.walkingMinutes, s.waitingMinutes));
  }
  out.line("");
  for (const work_files::RouteFareSection& f : detail.fares) {
    out.line(fareUnknown(f) ? format(kDescriptionFareSectionUnknown.c_str(), f.company.c_str(),
                                     f.from.c_str(), f.to.c_str())
                            : format(kDescriptionFareSection.c_str(), f.company.c_str(), f.from.c_str(),
                                     f.to.c_str(), f.fare));
  }
  out.line("");
  out.line("");
}

}  // namespace

int writeRouteDescriptions(const std::filesystem::path& dataDir, const std::filesystem::path& file, int order,
                           int firstRow, const std::vector<int>& detections) {
  if (order < 1 || order > 3) return -1;
  if (detections.empty()) return 0;
  const auto list = work_files::readRouteList(dataDir / kListFiles[order - 1]);
  const auto details = work_files::readRouteDetails(dataDir / work_files::kRouteDetails);
  if (!list || !details) return -1;
  return writeRouteDescriptions(*list, *details, file, order, firstRow, detections);
}

int writeRouteDescriptions(const work_files::RouteList& list, const work_files::RouteDetail& details,
                           const std::filesystem::path& file, int order, int firstRow,
                           const std::vector<int>& detections) {
  if (order < 1 || order > 3) return -1;
  if (detections.empty()) return 0;
  work_files::WorkFileWriter out(file);
  for (std::size_t k = 0; k < detections.size(); ++k) {
    describeRoute(out, list, work_files::detailOf(details, detections[k]), detections[k], order,
                  firstRow + static_cast<int>(k));
  }
  return out.close() ? 0 : -1;
}

int writeRouteDescriptions(RDiaMan& dia, const std::filesystem::path& file, int order, int firstRow,
                           const std::vector<int>& detections) {
  for (std::size_t k = 0; k < detections.size(); ++k) {
    const char* mode = k == 0 ? "w" : "a";
    if (dia.writeRouteDetail(file, mode, detections[k], order, firstRow + static_cast<int>(k)) != 0)
      return -1;
  }
  return 0;
}

}  // namespace kiv
