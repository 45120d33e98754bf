// The route list files "$MltRtL1.kv4" (summaries in detection order) and
// "$MltRtDt.kv4" (details) of one route list: opened and headed, one route
// after another, closed. Their bytes are kept and written whole over the
// files' old bytes at the end.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Types.h"
#include "report/WorkFileWriter.h"
#include "report/WorkFiles.h"
#include "timetable/FoundRoute.h"

namespace kiv {

class RStaName;

class RouteFiles {
 public:
  // The files in `dir`.
  explicit RouteFiles(const std::filesystem::path& dir) : dir_(dir) {}
  ~RouteFiles();
  RouteFiles(const RouteFiles&) = delete;
  RouteFiles& operator=(const RouteFiles&) = delete;

  // Opens both files for a list from `from` to `to` asked for at `asked`
  // and puts the list's head line; false (the file named in problem()) when
  // one cannot be opened.
  bool begin(const RStaName& names, StationNo from, StationNo to, const work_files::ClockTime& asked);
  // Writes a route's records under route number `number`.
  void write(FoundRoute& route, int number);
  // Closes the files; false (the file named in problem()) when one could not
  // be opened or written whole.
  bool end();
  // The first file not opened or not written whole; empty when none.
  const std::string& problem() const { return problem_; }

 private:
  std::filesystem::path dir_;
  std::unique_ptr<work_files::WorkFileWriter> listFile_;    // "$MltRtL1.kv4"
  std::unique_ptr<work_files::WorkFileWriter> detailFile_;  // "$MltRtDt.kv4"
  // The bytes of the two files, lines ended by CR LF.
  std::string listText_;
  std::string detailText_;
  std::string problem_;
};

// Writes `routes` as routes 0, 1, 2 ... of a list from `from` to `to` asked
// for at `asked`: empty, or the first file not written whole.
std::string writeRouteList(const std::filesystem::path& dir, const RStaName& names, StationNo from,
                           StationNo to, const work_files::ClockTime& asked, std::vector<FoundRoute> routes);
// A writer of route lists as writeRouteList writes them.
using RouteListWriter = std::string (*)(const std::filesystem::path& dir, const RStaName& names,
                                        StationNo from, StationNo to, const work_files::ClockTime& asked,
                                        std::vector<FoundRoute> routes);

// Writes the search log "$vflg.kv4" (lines ended by CR LF) into dir; false
// only when it cannot be created.
bool writeRouteSearchLog(const std::filesystem::path& dir, std::string_view text);

}  // namespace kiv
