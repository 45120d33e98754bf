#include "data/StaAttrFile.h"

#include "data/BinaryIO.h"

namespace kiv {

std::optional<StaAttrFile> readStaAttrFile(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  ByteReader in(*bytes);
  const std::int16_t count = in.i16();
  StaAttrFile file;
  const std::size_t n = in.completeRecords(count, kStationEntrySize);
  file.entries.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    StaAttrEntry e;
    e.reserved0 = in.i16();
    e.station = in.i16();
    e.reserved4 = in.u32();
    file.entries.push_back(e);
  }
  return file;
}

bool writeStaAttrFile(const std::filesystem::path& path, const StaAttrFile& file) {
  if (file.entries.size() > 32767) return false;  // the count is a signed 16-bit field
  ByteWriter out;
  out.i16(static_cast<std::int16_t>(file.entries.size()));
  for (const auto& e : file.entries) {
    out.i16(e.reserved0);
    out.i16(e.station);
    out.u32(e.reserved4);
  }
  return writeWholeFile(path, out.data());
}

}  // namespace kiv
