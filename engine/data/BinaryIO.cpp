#include "data/BinaryIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>

namespace kiv {

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path) {
  // Not blocking, so that a FIFO in the place of a file does not hang the
  // open; only a regular file is read (a FIFO, /dev/zero or a directory of
  // that name is refused).
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  // Read in one go into a buffer of the file's size; a file that grows
  // meanwhile (or reports no size, as a pipe) is read on to its end.
  std::vector<std::uint8_t> bytes;
  std::size_t size = 0;
  bytes.resize(S_ISREG(st.st_mode) && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 65536);
  for (;;) {
    if (size == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = ::read(fd, bytes.data() + size, bytes.size() - size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    size += static_cast<std::size_t>(n);
  }
  ::close(fd);
  bytes.resize(size);
  return bytes;
}

bool writeWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

void ByteReader::bytes(std::span<std::uint8_t> out) {
  if (!take(out.size())) return;
  std::copy_n(data_ + pos_, out.size(), out.begin());
  pos_ += out.size();
}

std::string ByteReader::text(std::size_t width) {
  if (!take(width)) return {};
  const auto* begin = data_ + pos_;
  const auto* end = std::find(begin, begin + width, 0);
  pos_ += width;
  return std::string(begin, end);
}

std::size_t ByteReader::completeRecords(std::int64_t storedCount, std::size_t recordSize) const {
  if (storedCount <= 0 || recordSize == 0) return 0;
  const std::size_t fit = remaining() / recordSize;
  return std::min<std::size_t>(fit, static_cast<std::size_t>(storedCount));
}

void ByteWriter::text(std::string_view s, std::size_t width) {
  if (width == 0) return;
  const std::size_t n = std::min(s.size(), width - 1);
  out_.insert(out_.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
  out_.insert(out_.end(), width - n, 0);
}

}  // namespace kiv
