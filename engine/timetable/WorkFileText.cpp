#include "timetable/WorkFileText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "text/ReportText.h"

namespace kiv {

namespace {

bool writeAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

enum class Written { yes, no, notPlainFile };

// Writes over a regular file of one name that already holds bytes; any
// other file is left untouched. A failed write leaves the file empty.
Written writeOver(const std::filesystem::path& file, const std::string& text) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return Written::notPlainFile;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1 || st.st_size == 0) {
    ::close(fd);
    return Written::notPlainFile;
  }
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  bool ok = writeAll(fd, crlf) && ::ftruncate(fd, static_cast<off_t>(crlf.size())) == 0;
  if (!ok) (void)::ftruncate(fd, 0);
  ok = ::close(fd) == 0 && ok;
  return ok ? Written::yes : Written::no;
}

}  // namespace

bool overwriteText(const std::filesystem::path& file, const std::string& text) {
  if (text.empty()) return report_text::writeText(file, text);
  const Written w = writeOver(file, text);
  return w == Written::notPlainFile ? report_text::writeText(file, text) : w == Written::yes;
}

bool replaceText(const std::filesystem::path& file, const std::string& text) {
  if (!text.empty()) {
    const Written w = writeOver(file, text);
    if (w != Written::notPlainFile) return w == Written::yes;
  }
  std::error_code ec;
  std::filesystem::remove(file, ec);
  return report_text::writeText(file, text);
}

}  // namespace kiv
