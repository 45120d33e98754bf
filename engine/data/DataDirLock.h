// One command at a time per data directory: an exclusive advisory lock
// (flock) on the lock file "Kiv4.lck" of the data directory, held from the
// start of a command that writes work files or settings to its end. Another
// process that wants the same directory waits for it, or gives up at once.
// The lock goes with the process, also when it is killed.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace kiv {

class DataDirLock {
 public:
  static constexpr const char* kLockFileName = "Kiv4.lck";

  enum class Result {
    kLocked,  // this object holds the lock
    kBusy,    // another process holds it and the caller did not want to wait
    kFailed,  // the lock file could not be opened or locked (errorText says why)
  };

  DataDirLock() = default;
  ~DataDirLock();
  DataDirLock(const DataDirLock&) = delete;
  DataDirLock& operator=(const DataDirLock&) = delete;

  // Takes the lock of `dataDir`. When another process holds it: with `wait`,
  // calls `onWaiting` once (if given) and blocks until the lock is free; else
  // yields kBusy at once. A directory where the lock file can neither be
  // opened nor created (read-only) is locked through the directory itself,
  // which every process then does alike.
  Result acquire(const std::filesystem::path& dataDir, bool wait,
                 const std::function<void()>& onWaiting = {});
  // Gives the lock up; also done by the destructor.
  void release();

  bool locked() const { return fd_ >= 0; }
  // Why the last acquire failed.
  const std::string& errorText() const { return error_; }

 private:
  int fd_ = -1;
  std::string error_;
};

// The window program keeps its data directory in use for as long as it
// runs: a shared hold on the lock file, apart from the lock above, that any
// number of windows can have at once. kivdata build replaces the data set
// only when it can hold the directory alone, so never under an open window.
class DataDirUse {
 public:
  DataDirUse() = default;
  ~DataDirUse();
  DataDirUse(const DataDirUse&) = delete;
  DataDirUse& operator=(const DataDirUse&) = delete;

  // Shared (a window) or alone (a build); waiting as DataDirLock::acquire.
  DataDirLock::Result acquire(const std::filesystem::path& dataDir, bool alone, bool wait,
                              const std::function<void()>& onWaiting = {});
  void release();
  const std::string& errorText() const { return error_; }

 private:
  int fd_ = -1;
  std::string error_;
};

}  // namespace kiv
