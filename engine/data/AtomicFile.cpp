#include "data/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

#include "data/BinaryIO.h"

namespace kiv {

namespace {

void setError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

std::string withReason(const std::string& text, int err) { return text + ": " + std::strerror(err); }

mode_t currentUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

}  // namespace

bool syncToDisk(const std::filesystem::path& fileOrDirectory) {
  const int fd = open(fileOrDirectory.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
  if (fd < 0) return false;
  const bool synced = fsync(fd) == 0;
  const int err = errno;
  close(fd);
  errno = err;
  return synced;
}

std::filesystem::path followLinks(const std::filesystem::path& target) {
  std::filesystem::path file = target;
  std::error_code ec;
  for (int hops = 0; hops < 40 && std::filesystem::is_symlink(file, ec); ++hops) {
    const std::filesystem::path next = std::filesystem::read_symlink(file, ec);
    if (ec) break;
    file = next.is_absolute() ? next : file.parent_path() / next;
  }
  return file;
}

bool replaceFileAtomically(const std::filesystem::path& target,
                           const std::function<bool(const std::filesystem::path&)>& write, std::string* error,
                           TargetLink link) {
  const bool follow = link == TargetLink::kFollow;
  const std::filesystem::path file = follow ? followLinks(target) : target;
  const std::string shown = target.string();
  struct stat old {};
  bool exists = (follow ? stat(file.c_str(), &old) : lstat(file.c_str(), &old)) == 0;
  // A link replaced by a file: the new file gets the usual modes.
  if (exists && S_ISLNK(old.st_mode)) exists = false;
  if (exists && S_ISDIR(old.st_mode)) {
    setError(error, shown + " is a directory");
    return false;
  }
  if (exists && !S_ISREG(old.st_mode)) {
    setError(error, shown + " is not a regular file");
    return false;
  }
  // The rename would replace a file its owner made read-only.
  if (exists && access(file.c_str(), W_OK) != 0) {
    setError(error, withReason("cannot write " + shown, errno));
    return false;
  }
  const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
  // A hidden name beside the file: ".NAME.XXXXXX" (appended piece by piece:
  // "." + std::string trips GCC 12's -Wrestrict false positive in Release).
  std::string hidden(".");
  hidden.append(file.filename().string()).append(".XXXXXX");
  const std::string pattern = (dir / hidden).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) {
    setError(error, withReason("cannot write " + shown, errno));
    return false;
  }
  const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~currentUmask());
  fchmod(fd, mode);
  close(fd);
  const std::filesystem::path temp(name.data());

  const auto discard = [&](const std::string& text) {
    std::error_code ec;
    std::filesystem::remove(temp, ec);
    setError(error, text);
    return false;
  };
  errno = 0;
  if (!write(temp)) {
    return discard(errno != 0 ? withReason("cannot write " + shown, errno) : "cannot write " + shown);
  }
  if (!syncToDisk(temp)) return discard(withReason("cannot write " + shown, errno));
  if (std::rename(temp.c_str(), file.c_str()) != 0)
    return discard(withReason("cannot replace " + shown, errno));
  // Makes the rename itself durable; a failure here loses nothing.
  syncToDisk(dir);
  return true;
}

bool writeFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                         std::string* error, TargetLink link) {
  const std::vector<std::uint8_t> content(bytes.begin(), bytes.end());
  return replaceFileAtomically(
      target, [&](const std::filesystem::path& temp) { return writeWholeFile(temp, content); }, error, link);
}

}  // namespace kiv
