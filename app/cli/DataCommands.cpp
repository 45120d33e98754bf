// stations, jrcheap and tokyo101: the developer's data commands.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "CliErrors.h"
#include "Commands.h"
#include "Engine.h"
#include "Output.h"
#include "report/WorkFiles.h"

namespace kiv::cli {
namespace {

// While it lives, what is written to standard output goes to standard error,
// so that the progress line of a table build does not mix with the result.
class StdoutToStderr {
 public:
  StdoutToStderr() {
    std::cout.flush();
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    if (saved_ >= 0) dup2(STDERR_FILENO, STDOUT_FILENO);
  }
  ~StdoutToStderr() {
    std::cout.flush();
    std::fflush(stdout);
    if (saved_ < 0) return;
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
    // The progress line ends in a carriage return; close it off.
    std::fputc('\n', stderr);
  }
  StdoutToStderr(const StdoutToStderr&) = delete;
  StdoutToStderr& operator=(const StdoutToStderr&) = delete;

 private:
  int saved_ = -1;
};

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
  int pairs = 0;
  {
    StdoutToStderr progress;
    pairs = engine.dist.buildJrCheapestTable();
  }
  if (pairs < 0) throw CommandFailure("kiv4cli: cannot write jrregu.dat or $jrregu.csv");
  printText(std::to_string(pairs) + "\n");
}

void runTokyoZone(Engine& engine, const Invocation&) {
  const int lines = engine.fare.buildTokyoZoneList();
  if (lines < 0) throw CommandFailure("kiv4cli: cannot write $TKY101.KV4");
  printText(std::to_string(lines) + "\n");
}

}  // namespace kiv::cli
