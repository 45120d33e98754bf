#include "Run.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "Arguments.h"
#include "CliErrors.h"
#include "CommandGuard.h"
#include "CommandTable.h"
#include "DataFiles.h"
#include "Engine.h"
#include "Output.h"
#include "Usage.h"

namespace kiv::cli {
namespace {

// Help and version go to standard output; a failed write fails the run.
int printHelp(const Invocation& inv) {
  try {
    if (inv.version) {
      printText(versionText());
    } else if (!inv.helpTopic.empty()) {
      printText(commandHelpText(inv.helpTopic));
    } else {
      printText(helpText());
    }
  } catch (const CommandFailure& e) {
    if (*e.what() != '\0') std::fprintf(stderr, "%s\n", e.what());
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace

void occupyClosedStandardStreams() {
  // Standard output read-only, so that printing fails and says so.
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
  if (inv.help || inv.version) return printHelp(inv);
  const CommandSpec& command = *findCommand(inv.command);
  try {
    if (inv.directory) enterDataDirectory(*inv.directory);
    requireDataFiles(command.data);
    // Every command writes Kiv4.def (and most write work files): one at a
    // time per data directory.
    CommandLock lock(inv.noWait);
    requireRoomForWorkFiles();
    // The engine lives for the command; its end writes Kiv4.def again.
    EngineScope scope(".");
    requireConsistentData(scope.engine());
    requireLoadedData(scope.engine(), command.data);
    command.handler(scope.engine(), inv);
    saveSettingsOrWarn(scope.engine().def);
  } catch (const CommandFailure& e) {
    std::fflush(stdout);
    if (*e.what() != '\0') std::fprintf(stderr, "%s\n", e.what());
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace kiv::cli
