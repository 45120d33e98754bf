#include "report/WorkFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <utility>

#include "data/NameWrite.h"

namespace kiv::work_files {
namespace {

// Writes the bytes at the start of the file.
bool writeAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

enum class Written { yes, no, notPlainFile };

// True when st is a regular file of one name, the only kind written over.
bool plainFile(const struct stat& st) { return S_ISREG(st.st_mode) && st.st_nlink == 1; }

// Writes over the open file fd, whose state is st, and cuts it to the new
// length where it was longer; an empty file that is to stay empty is not
// touched at all. A failed write leaves the file empty.
bool writeOverOpen(int fd, const struct stat& st, std::string_view bytes) {
  const auto size = static_cast<off_t>(bytes.size());
  const bool ok = writeAll(fd, bytes) && (st.st_size <= size || ::ftruncate(fd, size) == 0);
  if (!ok) (void)::ftruncate(fd, 0);
  return ok;
}

// Opens a regular file of one name to be written over; -1 (and nothing
// touched) for any other file. Not blocking, so that a FIFO under the name
// does not hang the program.
int openPlainFile(const std::filesystem::path& file, struct stat& st) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  if (::fstat(fd, &st) != 0 || !plainFile(st)) {
    ::close(fd);
    return -1;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

// Writes over a regular file of one name; any other file is left untouched.
Written writeOver(const std::filesystem::path& file, std::string_view bytes) {
  struct stat st {};
  const int fd = openPlainFile(file, st);
  if (fd < 0) return Written::notPlainFile;
  bool ok = writeOverOpen(fd, st, bytes);
  ok = ::close(fd) == 0 && ok;
  return ok ? Written::yes : Written::no;
}

// Creates the file under a name that is not there; the open file, or -1.
// O_EXCL: a link made under the name meanwhile is never followed.
int createAfresh(const std::filesystem::path& file) {
  return ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

// Writes the file whole by its name (NameWrite): in place when the name is a
// regular file of its own, else as a new file renamed over the name.
bool writeAfresh(const std::filesystem::path& file, std::string_view bytes) {
  NameWrite out(file, NameWrite::Start::kEmpty);
  if (!out.isOpen()) return false;
  return out.commit(writeAll(out.fd(), bytes));
}

}  // namespace

WorkFileWriter::WorkFileWriter(std::filesystem::path file, Mode mode)
    : path_(std::move(file)),
      name_(std::make_unique<NameWrite>(
          path_, mode == Mode::kAppend ? NameWrite::Start::kOldBytes : NameWrite::Start::kEmpty)) {
  if (name_->isOpen()) {
    file_ = ::fdopen(name_->release(), mode == Mode::kAppend ? "ab" : "wb");
    if (!file_) ::close(name_->fd());
  }
  if (!file_) name_->commit(false);
  failed_ = file_ == nullptr;
}

WorkFileWriter::~WorkFileWriter() { close(); }

void WorkFileWriter::put(std::string_view bytes) {
  if (!file_ || bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
}

void WorkFileWriter::line(std::string_view text) {
  put(text);
  put("\r\n");
}

void WorkFileWriter::text(std::string_view text) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      put(text);
      return;
    }
    line(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
}

bool WorkFileWriter::close() {
  if (!file_) return false;
  const bool flushed = std::fclose(file_) == 0;
  file_ = nullptr;
  // A new file beside the name takes the name now.
  return name_->commit(flushed && !failed_);
}

std::string withCrLf(std::string_view text) {
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 16 + 2);
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      crlf.append(text);
      break;
    }
    crlf.append(text.substr(0, end)).append("\r\n");
    text.remove_prefix(end + 1);
  }
  return crlf;
}

bool writeWholeBytes(const std::filesystem::path& file, std::string_view bytes, WholeFile how) {
  if (how != WholeFile::kAfresh) {
    const Written w = writeOver(file, bytes);
    if (w != Written::notPlainFile) return w == Written::yes;
  }
  if (how == WholeFile::kReplacing) {
    std::error_code ec;
    std::filesystem::remove(file, ec);
  }
  return writeAfresh(file, bytes);
}

KeptWorkFile::~KeptWorkFile() { forget(); }

void KeptWorkFile::forget() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void KeptWorkFile::remove() {
  forget();
  std::error_code ec;
  std::filesystem::remove(path_, ec);
}

bool KeptWorkFile::write(std::string_view bytes) {
  struct stat st {};
  if (fd_ >= 0) {
    // The name still names the kept file, of one name: written over.
    if (::lstat(path_.c_str(), &st) == 0 && plainFile(st) && st.st_dev == device_ && st.st_ino == inode_)
      return writeOverOpen(fd_, st, bytes);
    forget();
  }
  int fd = openPlainFile(path_, st);
  if (fd >= 0) {
    if (!writeOverOpen(fd, st, bytes)) {
      ::close(fd);
      return false;
    }
  } else {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
    fd = createAfresh(path_);
    if (fd < 0) return false;
    if (!writeAll(fd, bytes) || ::fstat(fd, &st) != 0) {
      ::close(fd);
      return false;
    }
  }
  fd_ = fd;
  device_ = st.st_dev;
  inode_ = st.st_ino;
  return true;
}

bool writeWholeText(const std::filesystem::path& file, std::string_view text, WholeFile how) {
  if (how == WholeFile::kAfresh) {
    // Line by line through the writer, as the plain ways of the tables write.
    WorkFileWriter out(file);
    out.text(text);
    return out.close();
  }
  return writeWholeBytes(file, withCrLf(text), how);
}

}  // namespace kiv::work_files
