// What keeps a kiv4cli command from harming the data directory: the lock
// that lets one command at a time work there, the settings write that warns
// when it fails, and the -o export that never replaces a file of the data
// directory and never leaves a half-written file.
#pragma once

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>

#include "data/DataDirLock.h"

namespace kiv {
class Engine;
class RDefMan;
}  // namespace kiv

namespace kiv::cli {

// The current (data) directory, for messages.
std::string currentDirectory();

// Takes the lock of the current (data) directory for the life of the object.
// When another command holds it, says on standard error that it waits and
// waits; with noWait, throws CommandFailure at once instead.
class CommandLock {
 public:
  explicit CommandLock(bool noWait);

 private:
  DataDirLock lock_;
};

// With the lock held: finishes a data set replace that a killed kivdata
// build left, removes what killed programs left in the data directory and
// the scratch files of kiv4cli runs that have ended, and says on standard
// error what it did.
void recoverAfterKilledPrograms();

// Removes the scratch files ("kiv4cli-PID-XXXXXX") in `tempDir` that this
// user's runs left when they were killed: those whose process is gone.
void removeScratchFilesOfEndedRuns(const std::filesystem::path& tempDir);

// Throws CommandFailure when no work file can be written in the current
// (data) directory: the disk is full or the file size limit allows nothing.
// Run before the command, so that it fails before it changes anything.
void requireRoomForWorkFiles();

// Throws CommandFailure naming every data file the engine found
// inconsistent at load, so that no command answers from a corrupt data set.
void requireConsistentData(const Engine& engine);

// Writes Kiv4.def now; when it cannot be written, warns on standard error
// that the settings and recent stations were not saved.
void saveSettingsOrWarn(RDefMan& def);

// Holds back the signals that end a command from the terminal or the system
// (SIGINT, SIGTERM, SIGHUP, SIGQUIT) for the life of the object; one that
// came meanwhile takes effect when it ends. A command interrupted before
// keeps the old Kiv4.def; one interrupted while saving finishes the write.
class TerminationSignalsHeld {
 public:
  TerminationSignalsHeld();
  ~TerminationSignalsHeld();
  TerminationSignalsHeld(const TerminationSignalsHeld&) = delete;
  TerminationSignalsHeld& operator=(const TerminationSignalsHeld&) = delete;

 private:
  sigset_t previous_;
};

// Writes an export through `save` into `target` by way of a temporary file
// renamed into place. Throws CommandFailure when the target is a file of the
// data directory or the write fails; the old target is then left as it was.
void exportToFile(const std::filesystem::path& target,
                  const std::function<int(const std::filesystem::path&)>& save);

}  // namespace kiv::cli
