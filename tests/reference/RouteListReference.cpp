#include "RouteListReference.h"

#include <string_view>
#include <utility>
#include <variant>

#include "TimetableSearchReference.h"
#include "network/RStaName.h"
#include "report/WorkFileWriter.h"
#include "text/ReportText.h"
#include "timetable/FastestReport.h"
#include "timetable/RDiaMan.h"
#include "timetable/RouteListSorting.h"
#include "timetable/RouteListView.h"

namespace kiv::reference {

namespace {

// A detail record under route number `number`.
struct NumberedRecord {
  int number;
  std::string operator()(work_files::RouteStop r) const {
    r.detection = number;
    return work_files::formatRouteStop(r);
  }
  std::string operator()(work_files::RouteRide r) const {
    r.detection = number;
    return work_files::formatRouteRide(r);
  }
  std::string operator()(work_files::RouteFareSection r) const {
    r.detection = number;
    return work_files::formatRouteFareSection(r);
  }
};

route_lists::RouteSortRecord plainSortRecord(const std::string& line) {
  const auto w = report_text::words(line);
  return route_lists::sortRecordFrom(
      [&](std::size_t k) { return std::string_view(route_lists::word(w, k)); });
}

bool writePlainSortedList(const std::filesystem::path& file, const std::vector<std::string>& header,
                          const std::vector<route_lists::RouteSortRecord>& records,
                          const std::vector<int>& order) {
  work_files::RouteList list;
  list.head = {header[0], header[1], {header[2], 0}};
  for (std::size_t k = 0; k < order.size(); ++k) {
    work_files::RouteSummary route;
    route_lists::fillSummary(records[static_cast<std::size_t>(order[k])], static_cast<int>(k), route);
    list.routes.push_back(std::move(route));
  }
  return work_files::writeRouteList(file, list, work_files::RouteListLayout::kSorted);
}

}  // namespace

int fastestRoute(RDiaMan& dia, TimetableSearchState& state, const FastestQuery& query,
                 FastestResult& result) {
  const TimetableNetwork net = dia.network();
  result = reference::searchFastest(net, state, query);
  if (!result.found()) return -1;
  const std::string text =
      fastestReportText(net.names, net.trains, result.path, query.start(), query.detailed);
  return work_files::writeWholeText(dia.workDirectory() / work_files::kFastestReport, text,
                                    work_files::WholeFile::kAfresh)
             ? 0
             : -1;
}

RouteSearchResult searchRoutes(RDiaMan& dia, TimetableSearchState& state, const RouteQuery& query) {
  const TimetableNetwork net = dia.network();
  RouteSearchResult result;
  const int fastest = reference::fastestMinutes(
      net, state, FastestQuery{query.from, query.to, query.hour, query.minute, query.day});
  if (fastest == -1) {
    // No route at all: no file touched.
  } else if (query.mode == kBestRoutesMode) {
    // The best-routes search has one form: its list is written again, line
    // by line.
    result = dia.findRouteList(query);
    if (result.found >= 0) {
      result.workFileProblem =
          reference::writeRouteList(dia.workDirectory(), net.names, query.from, query.to,
                                    askedTime(query.hour, query.minute), routesOf(result.journeys));
      if (!result.workFileProblem.empty()) result.found = -1;
    }
  } else {
    result = reference::searchClassicRoutes(net, state, query, fastest, {});
    writeClassicRoutes(dia.workDirectory(), net.names, query, result, reference::writeRouteList);
  }
  if (sortRouteLists(dia.workDirectory(), result.found, result.workFileProblem) < 0 && result.found > 0)
    result.found = -1;
  return result;
}

std::string writeRouteList(const std::filesystem::path& dir, const RStaName& names, StationNo from,
                           StationNo to, const work_files::ClockTime& asked, std::vector<FoundRoute> routes) {
  using namespace work_files;
  WorkFileWriter list(dir / kRouteListFound);
  WorkFileWriter details(dir / kRouteDetails);
  if (list.isOpen() && details.isOpen()) {
    list.line(formatRouteListHead(routeListHead(names, from, to, asked), RouteListLayout::kSorted));
    for (std::size_t k = 0; k < routes.size(); ++k) {
      const int number = static_cast<int>(k);
      RouteSummary& summary = routes[k].summary;
      summary.position = number;
      summary.detection = number;
      for (const auto& record : routes[k].details) details.line(std::visit(NumberedRecord{number}, record));
      list.line(formatRouteSummary(summary, RouteListLayout::kDetectionOrder));
    }
  }
  // The first file not opened or not written whole is the one named.
  const bool listWritten = list.close();
  const bool detailsWritten = details.close();
  if (!listWritten) return list.path().filename().string();
  if (!detailsWritten) return details.path().filename().string();
  return {};
}

int sortRouteLists(const std::filesystem::path& dir, int count, std::string& problem) {
  return route_lists::sortRouteListFiles(dir, count, {plainSortRecord, writePlainSortedList}, problem);
}

}  // namespace kiv::reference
