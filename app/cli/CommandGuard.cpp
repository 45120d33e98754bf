#include "CommandGuard.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

#include "CliErrors.h"
#include "Engine.h"
#include "data/AtomicFile.h"
#include "data/DataDirFiles.h"
#include "data/DataSetReplace.h"
#include "settings/RDefMan.h"

namespace kiv::cli {

std::string currentDirectory() {
  std::error_code ec;
  return std::filesystem::current_path(ec).string();
}

CommandLock::CommandLock(bool noWait) {
  const std::string dir = currentDirectory();
  const auto result = lock_.acquire(".", !noWait, [&dir] {
    std::fprintf(stderr, "kiv4cli: waiting for another command in %s to finish\n", dir.c_str());
  });
  if (result == DataDirLock::Result::kBusy) {
    throw CommandFailure("kiv4cli: another command is running in " + dir + " (--no-wait given)");
  }
  if (result == DataDirLock::Result::kFailed) throw CommandFailure("kiv4cli: " + lock_.errorText());
}

void recoverAfterKilledPrograms() {
  for (const std::string& done : recoverDataDirectory(currentDirectory()))
    std::fprintf(stderr, "kiv4cli: %s\n", done.c_str());
  std::error_code ec;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  removeScratchFilesOfEndedRuns(ec ? std::filesystem::path("/tmp") : temp);
}

void removeScratchFilesOfEndedRuns(const std::filesystem::path& tempDir) {
  constexpr std::string_view kPrefix = "kiv4cli-";
  std::error_code ec;
  for (std::filesystem::directory_iterator it(tempDir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!name.starts_with(kPrefix)) continue;
    const std::size_t dash = name.find('-', kPrefix.size());
    if (dash == std::string::npos || dash == kPrefix.size() || name.size() != dash + 7) continue;
    const std::string digits = name.substr(kPrefix.size(), dash - kPrefix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) continue;
    struct stat st {};
    if (lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) continue;
    const pid_t maker = static_cast<pid_t>(std::stol(digits));
    if (maker == getpid() || kill(maker, 0) == 0 || errno != ESRCH) continue;
    std::error_code removed;
    std::filesystem::remove(it->path(), removed);
  }
}

void requireRoomForWorkFiles() {
  // Less than this leaves no room for the smallest work file with its
  // file system block.
  constexpr unsigned long long kLeastRoom = 4096;
  rlimit limit{};
  if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
      limit.rlim_cur < kLeastRoom) {
    throw CommandFailure("kiv4cli: cannot write the work files in " + currentDirectory() +
                         ": the file size limit (ulimit -f) allows none");
  }
  struct statvfs disk {};
  if (statvfs(".", &disk) == 0 &&
      static_cast<unsigned long long>(disk.f_bavail) * disk.f_frsize < kLeastRoom) {
    throw CommandFailure("kiv4cli: cannot write the work files in " + currentDirectory() +
                         ": the disk is full");
  }
}

void requireConsistentData(const Engine& engine) {
  const std::vector<std::string> problems = engine.dataProblems();
  if (problems.empty()) return;
  std::string message;
  for (const std::string& problem : problems)
    message.append(message.empty() ? "" : "\n").append("kiv4cli: ").append(problem);
  throw CommandFailure(message + "\nkiv4cli: the data set in " + currentDirectory() +
                       " is damaged; build it again with kivdata");
}

void saveSettingsOrWarn(RDefMan& def) {
  if (def.saveSettings() == 0) return;
  std::fprintf(
      stderr,
      "kiv4cli: warning: cannot write Kiv4.def in %s: the settings and recent stations are not saved\n",
      currentDirectory().c_str());
}

TerminationSignalsHeld::TerminationSignalsHeld() {
  sigset_t held;
  sigemptyset(&held);
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&held, signal);
  sigprocmask(SIG_BLOCK, &held, &previous_);
}

TerminationSignalsHeld::~TerminationSignalsHeld() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }

void exportToFile(const std::filesystem::path& target,
                  const std::function<int(const std::filesystem::path&)>& save) {
  if (isDataDirectoryFile(target, ".")) {
    throw CommandFailure(
        "kiv4cli: " + target.string() +
        " is a file of the data directory (data, settings or work file); choose another -o file");
  }
  std::string error;
  const bool written = replaceFileAtomically(
      target, [&save](const std::filesystem::path& temp) { return save(temp) == 0; }, &error);
  if (!written) throw CommandFailure("kiv4cli: " + error);
}

}  // namespace kiv::cli
