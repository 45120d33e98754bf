#include "data/DataDirLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kiv {

namespace {

// The lock file, opened for writing (created when missing) or reading; else
// the directory itself when the file is missing and cannot be created.
int openLockTarget(const std::filesystem::path& dataDir) {
  const std::filesystem::path file = dataDir / DataDirLock::kLockFileName;
  int fd = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd >= 0) return fd;
  fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd >= 0 || errno != ENOENT) return fd;
  return open(dataDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

int lockRetrying(int fd, int operation) {
  int rc;
  do {
    rc = flock(fd, operation);
  } while (rc != 0 && errno == EINTR);
  return rc;
}

// The use hold: an open file description lock on the lock file's first
// byte. It is apart from the flock of DataDirLock (the two kinds do not meet
// on Linux) and, like it, goes with the open file, also when the process is
// killed.
int holdUse(int fd, bool alone, bool wait) {
  struct flock range {};
  range.l_type = alone ? F_WRLCK : F_RDLCK;
  range.l_whence = SEEK_SET;
  range.l_start = 0;
  range.l_len = 1;
  int rc;
  do {
    rc = fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &range);
  } while (rc != 0 && errno == EINTR);
  return rc;
}

}  // namespace

DataDirLock::~DataDirLock() { release(); }

DataDirLock::Result DataDirLock::acquire(const std::filesystem::path& dataDir, bool wait,
                                         const std::function<void()>& onWaiting) {
  release();
  error_.clear();
  const int fd = openLockTarget(dataDir);
  if (fd < 0) {
    error_ = "cannot open the lock file " + (dataDir / kLockFileName).string() + ": " + std::strerror(errno);
    return Result::kFailed;
  }
  const auto fail = [&] {
    error_ = "cannot lock " + (dataDir / kLockFileName).string() + ": " + std::strerror(errno);
    close(fd);
    return Result::kFailed;
  };
  if (lockRetrying(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK) return fail();
    if (!wait) {
      close(fd);
      return Result::kBusy;
    }
    if (onWaiting) onWaiting();
    if (lockRetrying(fd, LOCK_EX) != 0) return fail();
  }
  fd_ = fd;
  return Result::kLocked;
}

void DataDirLock::release() {
  if (fd_ < 0) return;
  flock(fd_, LOCK_UN);
  close(fd_);
  fd_ = -1;
}

DataDirUse::~DataDirUse() { release(); }

DataDirLock::Result DataDirUse::acquire(const std::filesystem::path& dataDir, bool alone, bool wait,
                                        const std::function<void()>& onWaiting) {
  release();
  error_.clear();
  const std::filesystem::path file = dataDir / DataDirLock::kLockFileName;
  int fd = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0 && !alone) fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) {
    error_ = "cannot open the lock file " + file.string() + ": " + std::strerror(errno);
    return DataDirLock::Result::kFailed;
  }
  if (holdUse(fd, alone, false) != 0) {
    const bool busy = errno == EAGAIN || errno == EACCES;
    if (busy && !wait) {
      close(fd);
      return DataDirLock::Result::kBusy;
    }
    if (busy && onWaiting) onWaiting();
    if (!busy || holdUse(fd, alone, true) != 0) {
      error_ = "cannot lock " + file.string() + ": " + std::strerror(errno);
      close(fd);
      return DataDirLock::Result::kFailed;
    }
  }
  fd_ = fd;
  return DataDirLock::Result::kLocked;
}

void DataDirUse::release() {
  if (fd_ < 0) return;
  close(fd_);
  fd_ = -1;
}

}  // namespace kiv
