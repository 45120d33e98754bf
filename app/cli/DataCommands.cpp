// stations, jrcheap and tokyo101: the developer's data commands.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "CliErrors.h"
#include "Commands.h"
#include "Engine.h"
#include "Output.h"
#include "report/WorkFiles.h"

namespace kiv::cli {
namespace {

// The progress line of the JR table on standard error, one per origin, each
// ending in a carriage return so that it overwrites the last; the result
// on standard output stays clean.
bool showJrProgress(const TableProgress& p) {
  std::fprintf(stderr, "%3d/%3d done. Found:%3d Max-Depth:%3d\r", p.done, p.total, p.found, p.maxDepth);
  std::fflush(stderr);
  return true;
}

}  // namespace

void runStations(Engine& engine, const Invocation& inv) {
  // writeStationList is silent when it cannot create the file: remove the
  // old list first, so that a list that was not written is not printed.
  constexpr const char* kStationList = work_files::kStationList;
  std::error_code ec;
  std::filesystem::remove(kStationList, ec);
  bool written = false;
  if (!std::filesystem::exists(kStationList, ec)) {
    written = engine.staName.writeStationList() == 0 && std::filesystem::is_regular_file(kStationList, ec);
  }
  if (!written) throw CommandFailure(std::string("kiv4cli: cannot write ") + kStationList);
  printWorkFile(kStationList, inv.sjis);
}

void runJrCheapest(Engine& engine, const Invocation&) {
  const int pairs = engine.dist.buildJrCheapestTable(showJrProgress);
  // Closes off the progress line.
  std::fputc('\n', stderr);
  if (pairs < 0) {
    throw CommandFailure(std::string("kiv4cli: cannot write ") + work_files::kJrCheapestPairs + " or " +
                         work_files::kJrCheapestCsv);
  }
  printText(std::to_string(pairs) + "\n");
}

void runTokyoZone(Engine& engine, const Invocation&) {
  const int lines = engine.fare.buildTokyoZoneList();
  if (lines < 0) throw CommandFailure(std::string("kiv4cli: cannot write ") + work_files::kTokyoZoneList);
  printText(std::to_string(lines) + "\n");
}

}  // namespace kiv::cli
