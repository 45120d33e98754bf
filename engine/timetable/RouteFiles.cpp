// The route list files of one route list.
#include "timetable/RouteFiles.h"

#include <string>
#include <utility>
#include <variant>

#include "network/RStaName.h"
#include "text/ReportText.h"
#include "timetable/RouteListView.h"
#include "timetable/RouteSearch.h"

namespace kiv {

RouteFiles::~RouteFiles() = default;

bool RouteFiles::begin(const RStaName& names, StationNo from, StationNo to,
                       const work_files::ClockTime& asked) {
  listFile_ = std::make_unique<work_files::WorkFileWriter>(dir_ / work_files::kRouteListFound);
  detailFile_ = std::make_unique<work_files::WorkFileWriter>(dir_ / work_files::kRouteDetails);
  if (!listFile_->isOpen() || !detailFile_->isOpen()) {
    end();
    return false;
  }
  work_files::appendRouteListHead(listText_, routeListHead(names, from, to, asked),
                                  work_files::RouteListLayout::kSorted);
  listText_ += "\r\n";
  return true;
}

bool RouteFiles::end() {
  bool written = true;
  const std::pair<std::unique_ptr<work_files::WorkFileWriter>*, const std::string*> files[] = {
      {&listFile_, &listText_}, {&detailFile_, &detailText_}};
  for (const auto& [file, text] : files) {
    // Their bytes were kept since the file was emptied at the start, and
    // are written over it now.
    bool ok = !*file || (*file)->close();
    if (ok && *file)
      ok = work_files::writeWholeBytes((*file)->path(), *text, work_files::WholeFile::kOverOldBytes);
    // The first file not written whole (or not opened) is the one named.
    if (!ok && written) {
      problem_ = (*file)->path().filename().string();
      written = false;
    }
    file->reset();
  }
  return written;
}

void RouteFiles::write(FoundRoute& route, int number) {
  using namespace work_files;
  RouteSummary& summary = route.summary;
  summary.position = number;
  summary.detection = number;
  // Hundreds of routes per search: their records are appended to the
  // bytes of the files without printf.
  struct AppendNumbered {
    std::string& line;
    int number;
    void operator()(RouteStop& r) const { appendRouteStop(line, (r.detection = number, r)); }
    void operator()(RouteRide& r) const { appendRouteRide(line, (r.detection = number, r)); }
    void operator()(RouteFareSection& r) const { appendRouteFareSection(line, (r.detection = number, r)); }
  };
  for (auto& record : route.details) {
    std::visit(AppendNumbered{detailText_, number}, record);
    detailText_ += "\r\n";
  }
  appendRouteSummary(listText_, summary, RouteListLayout::kDetectionOrder);
  listText_ += "\r\n";
}

std::string writeRouteList(const std::filesystem::path& dir, const RStaName& names, StationNo from,
                           StationNo to, const work_files::ClockTime& asked, std::vector<FoundRoute> routes) {
  RouteFiles files(dir);
  if (!files.begin(names, from, to, asked)) return files.problem();
  for (std::size_t k = 0; k < routes.size(); ++k) files.write(routes[k], static_cast<int>(k));
  return files.end() ? std::string() : files.problem();
}

bool writeRouteSearchLog(const std::filesystem::path& dir, std::string_view text) {
  const std::filesystem::path logFile = dir / work_files::kRouteSearchLog;
  if (work_files::writeWholeBytes(logFile, text, work_files::WholeFile::kOverOldBytes)) return true;
  // Written as lines when it cannot be written whole: only a log that
  // cannot be created stops the route list.
  work_files::WorkFileWriter plain(logFile);
  if (!plain.isOpen()) return false;
  if (!text.empty()) plain.line(text.substr(0, text.size() - 2));
  plain.close();  // a log not written whole does not stop the route list
  return true;
}

void writeClassicRoutes(const std::filesystem::path& workDir, const RStaName& names, const RouteQuery& query,
                        RouteSearchResult& result, RouteListWriter writeList) {
  if (!writeRouteSearchLog(workDir, result.searchLog)) {
    result.found = -1;
    result.workFileProblem = work_files::kRouteSearchLog;
    return;
  }
  const work_files::ClockTime asked = askedTime(query.hour, query.minute);
  result.workFileProblem = writeList(workDir, names, query.from, query.to, asked, result.routes);
  // A route list that could not be written whole (a full disk) is no result.
  if (!result.workFileProblem.empty()) result.found = -1;
}

}  // namespace kiv
