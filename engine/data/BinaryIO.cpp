#include "data/BinaryIO.h"

#include <algorithm>
#include <fstream>

namespace kiv {

std::optional<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path) {
  // A directory of that name opens on some systems but cannot be read.
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.insert(bytes.end(), buffer, buffer + in.gcount());
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool writeWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

bool ByteReader::take(std::size_t n) {
  if (!ok_ || size_ - pos_ < n) {
    ok_ = false;
    return false;
  }
  return true;
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
