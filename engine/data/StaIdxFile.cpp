#include "data/StaIdxFile.h"

#include "data/BinaryIO.h"

namespace kiv {

std::optional<StaIdxFile> readStaIdxFile(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  ByteReader in(*bytes);
  const std::int16_t count = in.i16();
  StaIdxFile file;
  const std::size_t n = in.completeRecords(count, kNetworkRecordSize);
  file.networks.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    StaIdxRecord r;
    r.code = in.i16();
    r.first = in.i16();
    r.last = in.i16();
    file.networks.push_back(r);
  }
  return file;
}

bool writeStaIdxFile(const std::filesystem::path& path, const StaIdxFile& file) {
  if (file.networks.size() > 32767) return false;  // the count is a signed 16-bit field
  ByteWriter out;
  out.i16(static_cast<std::int16_t>(file.networks.size()));
  for (const auto& r : file.networks) {
    out.i16(r.code);
    out.i16(r.first);
    out.i16(r.last);
  }
  return writeWholeFile(path, out.data());
}

}  // namespace kiv
