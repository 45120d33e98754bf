#include "data/NameWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "data/BinaryIO.h"

namespace kiv {
namespace {

mode_t usualMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Opens the regular file of one name for writing; -1 with errno, or with
// errno EMLINK when the name is a link (a symbolic link, or a second name of
// a regular file), which is replaced. Anything else that is not a regular
// file (a FIFO, a device, a directory) is refused (EINVAL, or the open's
// own errno): it is never written to nor replaced.
int openPlainFile(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ELOOP) errno = EMLINK;  // O_NOFOLLOW on a symbolic link
    return -1;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1) {
    const bool linked = S_ISREG(st.st_mode) && st.st_nlink > 1;
    ::close(fd);
    errno = linked ? EMLINK : EINVAL;
    return -1;
  }
  // Writes to a regular file do not block; the flag only kept a FIFO from
  // blocking the open.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

NameWrite::NameWrite(std::filesystem::path file, Start start) : file_(std::move(file)) {
  fd_ = openPlainFile(file_);
  if (fd_ >= 0) {
    if (start == Start::kEmpty ? ::ftruncate(fd_, 0) != 0 : ::lseek(fd_, 0, SEEK_END) < 0) {
      ::close(fd_);
      fd_ = -1;
    }
    return;
  }
  if (errno == ENOENT) {
    // A new name; O_EXCL never follows a dangling link.
    fd_ = ::open(file_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd_ >= 0 || errno != EEXIST) return;
  } else if (errno != EMLINK) {
    return;  // a directory, a device, a FIFO, a file the user may not write, ...
  }
  // A link under the name: a new file beside it, ".NAME.XXXXXX".
  const std::filesystem::path dir =
      file_.has_parent_path() ? file_.parent_path() : std::filesystem::path(".");
  std::string hidden(".");
  hidden.append(file_.filename().string()).append(".XXXXXX");
  const std::string pattern = (dir / hidden).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0) return;
  temp_ = name.data();
  ::fchmod(fd_, usualMode());
  if (start == Start::kOldBytes) {
    // What the name held, read through the link: the appended lines follow it.
    const auto old = readWholeFile(file_);
    if (old && !writeAll(fd_, *old)) {
      ::close(fd_);
      fd_ = -1;
      ::unlink(temp_.c_str());
      temp_.clear();
    }
  }
}

NameWrite::~NameWrite() {
  if (!done_) commit();
}

int NameWrite::release() {
  released_ = true;
  return fd_;
}

bool NameWrite::commit(bool written) {
  if (done_) return false;
  done_ = true;
  if (fd_ < 0) return false;
  bool ok = written;
  if (!released_) ok = ::close(fd_) == 0 && ok;
  if (temp_.empty()) return ok;
  if (ok && ::rename(temp_.c_str(), file_.c_str()) == 0) return true;
  ::unlink(temp_.c_str());
  return false;
}

}  // namespace kiv
