#include "data/FareWFile.h"

#include <limits>

#include "data/BinaryIO.h"

namespace kiv {

std::optional<FareWFile> readFareWFile(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  ByteReader in(*bytes);
  FareWFile file;
  const std::int16_t count = in.i16();
  const std::size_t complete = in.completeRecords(count, kFareWRecordSize);
  file.records.reserve(complete);
  for (std::size_t i = 0; i < complete; ++i) {
    FareWRecord r;
    r.reserved0 = in.i16();
    r.a = in.i16();
    r.b = in.i16();
    r.reserved6 = in.i16();
    file.records.push_back(r);
  }
  return file;
}

bool writeFareWFile(const std::filesystem::path& path, const FareWFile& file) {
  if (file.records.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) return false;
  ByteWriter out;
  out.i16(static_cast<std::int16_t>(file.records.size()));
  for (const auto& r : file.records) {
    out.i16(r.reserved0);
    out.i16(r.a);
    out.i16(r.b);
    out.i16(r.reserved6);
  }
  return writeWholeFile(path, out.data());
}

}  // namespace kiv
