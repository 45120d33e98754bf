#include "data/DistIdxFile.h"

#include <limits>

#include "data/BinaryIO.h"

namespace kiv {

std::optional<DistIdxFile> readDistIdxFile(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  ByteReader in(*bytes);
  DistIdxFile file;
  const std::int16_t count = in.i16();
  const std::size_t complete = in.completeRecords(count, kDistIdxEntrySize);
  file.entries.reserve(complete);
  for (std::size_t i = 0; i < complete; ++i) {
    DistIdxEntry e;
    e.network = in.i16();
    e.station = in.i16();
    e.first = in.i16();
    e.last = in.i16();
    file.entries.push_back(e);
  }
  return file;
}

bool writeDistIdxFile(const std::filesystem::path& path, const DistIdxFile& file) {
  if (file.entries.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) return false;
  ByteWriter out;
  out.i16(static_cast<std::int16_t>(file.entries.size()));
  for (const auto& e : file.entries) {
    out.i16(e.network);
    out.i16(e.station);
    out.i16(e.first);
    out.i16(e.last);
  }
  return writeWholeFile(path, out.data());
}

}  // namespace kiv
