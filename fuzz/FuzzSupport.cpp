#include "FuzzSupport.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <system_error>

#include "data/DataDirFiles.h"

namespace kiv::fuzz {

const std::filesystem::path& scratchDir() {
  static const std::filesystem::path dir = [] {
    std::error_code ec;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, ec) || access(base.c_str(), W_OK) != 0) {
      base = std::filesystem::temp_directory_path();
    }
    std::filesystem::path made = base / ("kivfuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(made);
    return made;
  }();
  return dir;
}

void clearScratchDir() {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(scratchDir(), ec)) {
    std::filesystem::remove_all(entry.path(), ec);
  }
}

void writeScratchFile(std::string_view name, std::span<const std::uint8_t> bytes) {
  std::ofstream out(scratchDir() / std::string(name), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void copyBaseData(const std::filesystem::path& dir) {
  for (std::string_view name : kDataFileNames) {
    std::error_code ec;
    std::filesystem::copy_file(std::filesystem::path(KIV_FUZZ_BASE_DIR) / std::string(name),
                               dir / std::string(name), std::filesystem::copy_options::overwrite_existing,
                               ec);
  }
}

std::span<const std::uint8_t> Pieces::next() {
  if (size_ - pos_ < 2) {
    pos_ = size_;
    return {};
  }
  const std::size_t length = data_[pos_] | (data_[pos_ + 1] << 8);
  pos_ += 2;
  const std::size_t taken = std::min(length, size_ - pos_);
  const std::span<const std::uint8_t> piece(data_ + pos_, taken);
  pos_ += taken;
  return piece;
}

}  // namespace kiv::fuzz
