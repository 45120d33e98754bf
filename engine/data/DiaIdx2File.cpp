#include "data/DiaIdx2File.h"

#include "data/BinaryIO.h"

namespace kiv {

std::optional<DiaIdx2File> readDiaIdx2File(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  ByteReader in(*bytes);
  const std::int32_t count = in.i32();
  DiaIdx2File file;
  const std::size_t n = in.completeRecords(count, kDiaLinkRecordSize);
  file.records.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    DiaLinkRecord r;
    r.from = in.i16();
    r.to = in.i16();
    r.firstDeparture = in.i32();
    r.lastDeparture = in.i32();
    file.records.push_back(r);
  }
  return file;
}

bool writeDiaIdx2File(const std::filesystem::path& path, const DiaIdx2File& file) {
  ByteWriter out;
  out.i32(static_cast<std::int32_t>(file.records.size()));
  for (const auto& r : file.records) {
    out.i16(r.from);
    out.i16(r.to);
    out.i32(r.firstDeparture);
    out.i32(r.lastDeparture);
  }
  return writeWholeFile(path, out.data());
}

}  // namespace kiv
