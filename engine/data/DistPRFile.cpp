#include "data/DistPRFile.h"

#include <limits>

#include "data/BinaryIO.h"

namespace kiv {

std::optional<DistPRFile> readDistPRFile(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  ByteReader in(*bytes);
  DistPRFile file;
  const std::int16_t count = in.i16();
  const std::size_t complete = in.completeRecords(count, kDistPREdgeSize);
  file.edges.reserve(complete);
  for (std::size_t i = 0; i < complete; ++i) {
    DistPREdge e;
    e.reserved = in.i16();
    e.from = in.i16();
    e.to = in.i16();
    e.distance = in.i16();
    e.zone = in.i8();
    file.edges.push_back(e);
  }
  return file;
}

bool writeDistPRFile(const std::filesystem::path& path, const DistPRFile& file) {
  if (file.edges.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) return false;
  ByteWriter out;
  out.i16(static_cast<std::int16_t>(file.edges.size()));
  for (const auto& e : file.edges) {
    out.i16(e.reserved);
    out.i16(e.from);
    out.i16(e.to);
    out.i16(e.distance);
    out.i8(e.zone);
  }
  return writeWholeFile(path, out.data());
}

}  // namespace kiv
