#include "Run.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <optional>

#include "Arguments.h"
#include "CliErrors.h"
#include "CommandGuard.h"
#include "CommandTable.h"
#include "DataFiles.h"
#include "Engine.h"
#include "Output.h"
#include "RouteListEnd.h"
#include "Usage.h"

namespace kiv::cli {
namespace {

// Says why the command failed, after what it printed so far.
int reportFailure(const CommandFailure& e) {
  std::fflush(stdout);
  // Station names in the message come from the data files: escaped.
  if (*e.what() != '\0') std::fprintf(stderr, "%s\n", escapeControls(e.what()).c_str());
  return kExitFailure;
}

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
    return reportFailure(e);
  }
  return kExitSuccess;
}

// The command itself; its failure is reported here, so that the settings
// are saved after it all the same.
int runHandler(const CommandSpec& command, Engine& engine, const Invocation& inv) {
  try {
    command.handler(engine, inv);
  } catch (const CommandFailure& e) {
    return reportFailure(e);
  }
  return commandExitStatus();
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
  // A file size limit (ulimit -f) makes the write that passes it fail, which
  // is reported, instead of killing the command with its files half written.
  std::signal(SIGXFSZ, SIG_IGN);
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
    // A directory that is no data directory is named before a lock file is
    // made in it; a data set being replaced (or one a killed build left to
    // finish) counts as one.
    requireDataDirectory(command.data);
    // Every command writes Kiv4.def (and most write work files): one at a
    // time per data directory. The data files are looked at only with the
    // lock held, as a build may be replacing them meanwhile.
    CommandLock lock(inv.noWait);
    recoverAfterKilledPrograms();
    requireDataFiles(command.data, inspectDataDirectory("."));
    requireRoomForWorkFiles();
    // An interrupt from the settings save on is held back until the engine
    // has written Kiv4.def for the last time, so that it ends whole.
    std::optional<TerminationSignalsHeld> finishing;
    EngineScope scope(".");
    Engine& engine = scope.engine();
    // The files as the engine read them: they may have been rebuilt while
    // this command waited for the lock.
    requireDataFiles(command.data, engine.dataFiles());
    requireConsistentData(engine);
    requireLoadedData(engine, command.data);
    const int status = runHandler(command, engine, inv);
    // Also after a failed command: its stations moved to the top of the
    // recent lists, as in the windowed program.
    finishing.emplace();
    saveSettingsOrWarn(engine.def);
    return status;
  } catch (const CommandFailure& e) {
    return reportFailure(e);
  }
}

}  // namespace kiv::cli
