#include "data/StaFareFile.h"

#include "data/BinaryIO.h"

namespace kiv {

std::optional<StaFareFile> readStaFareFile(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  ByteReader in(*bytes);
  const std::int32_t count = in.i32();
  StaFareFile file;
  for (std::int32_t s = 0; s < count; ++s) {
    if (!in.has(2)) break;
    const std::int16_t k = in.i16();
    const std::size_t n = k > 0 ? static_cast<std::size_t>(k) : 0;
    if (!in.has(2 * n)) break;  // the list is cut short: keep only the complete ones
    std::vector<NetworkCode> codes;
    codes.reserve(n);
    for (std::size_t j = 0; j < n; ++j) codes.push_back(in.i16());
    file.stations.push_back(std::move(codes));
  }
  return file;
}

bool writeStaFareFile(const std::filesystem::path& path, const StaFareFile& file) {
  ByteWriter out;
  out.i32(static_cast<std::int32_t>(file.stations.size()));
  for (const auto& codes : file.stations) {
    if (codes.size() > 32767) return false;  // the count is a signed 16-bit field
    out.i16(static_cast<std::int16_t>(codes.size()));
    for (NetworkCode c : codes) out.i16(c);
  }
  return writeWholeFile(path, out.data());
}

}  // namespace kiv
