// kiv4cli: the searches and tables of Kiv for scripts and terminals, over
// the same engine objects as the windowed program, built in the same order
// in the data directory (the current directory, or the one of -C).
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "Arguments.h"
#include "CliErrors.h"
#include "CommandGuard.h"
#include "Commands.h"
#include "DataFiles.h"
#include "Engine.h"
#include "Usage.h"

namespace kiv::cli {

void runCommand(Engine& engine, const Invocation& inv) {
  const std::string& c = inv.command;
  if (c == "route") {
    runRoute(engine, inv);
  } else if (c == "fastest") {
    runFastest(engine, inv);
  } else if (c == "fare") {
    runFare(engine, inv);
  } else if (c == "faretable") {
    runFareTable(engine, inv);
  } else if (c == "reqtime") {
    runRequiredTime(engine, inv);
  } else if (c == "timetable") {
    runTimetable(engine, inv);
  } else if (c == "stations") {
    runStations(engine, inv);
  } else if (c == "jrcheap") {
    runJrCheapest(engine, inv);
  } else if (c == "tokyo101") {
    runTokyoZone(engine, inv);
  }
}

namespace {

// A standard stream the caller closed (kiv4cli ... >&-) would leave its file
// descriptor free for the next file the engine opens, and what is printed
// would then end up in a data or work file. Each closed one is taken by
// /dev/null: standard output read-only, so that printing fails and says so.
void occupyClosedStandardStreams() {
  const int modes[] = {O_RDONLY, O_RDONLY, O_WRONLY};
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    const int opened = open("/dev/null", modes[fd]);
    if (opened >= 0 && opened != fd) {
      dup2(opened, fd);
      close(opened);
    }
  }
}

int run(const std::vector<std::string>& args) {
  Invocation inv;
  try {
    inv = parseArguments(args);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "kiv4cli: %s\n%s", e.what(), std::string(usageText()).c_str());
    return kExitUsage;
  }
  if (inv.help) {
    std::fputs(std::string(helpText()).c_str(), stdout);
    return kExitSuccess;
  }
  try {
    if (inv.directory) enterDataDirectory(*inv.directory);
    requireDataFiles(inv.command);
    // Every command writes Kiv4.def (and most write work files): one at a
    // time per data directory.
    CommandLock lock(inv.noWait);
    requireRoomForWorkFiles();
    // The engine lives for the command; its end writes Kiv4.def again.
    EngineScope scope(".");
    requireConsistentData(scope.engine());
    runCommand(scope.engine(), inv);
    saveSettingsOrWarn(scope.engine().def);
  } catch (const CommandFailure& e) {
    std::fflush(stdout);
    if (*e.what() != '\0') std::fprintf(stderr, "%s\n", e.what());
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace
}  // namespace kiv::cli

int main(int argc, char** argv) {
  // A closed standard output is reported by the write, so that the engine
  // still ends in order and writes the settings file.
  std::signal(SIGPIPE, SIG_IGN);
  kiv::cli::occupyClosedStandardStreams();
  try {
    return kiv::cli::run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kiv4cli: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "kiv4cli: unexpected failure\n");
  }
  return kiv::cli::kExitFailure;
}
