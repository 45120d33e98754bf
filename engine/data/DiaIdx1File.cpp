#include "data/DiaIdx1File.h"

#include "data/BinaryIO.h"

namespace kiv {

std::optional<DiaIdx1File> readDiaIdx1File(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  ByteReader in(*bytes);
  const std::int32_t count = in.i32();
  DiaIdx1File file;
  const std::size_t n = in.completeRecords(count, kDiaStationRecordSize);
  file.records.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    DiaStationRecord r;
    r.station = in.i16();
    r.firstLink = in.i32();
    r.lastLink = in.i32();
    r.firstDeparture = in.i32();
    r.lastDeparture = in.i32();
    file.records.push_back(r);
  }
  return file;
}

bool writeDiaIdx1File(const std::filesystem::path& path, const DiaIdx1File& file) {
  ByteWriter out;
  out.i32(static_cast<std::int32_t>(file.records.size()));
  for (const auto& r : file.records) {
    out.i16(r.station);
    out.i32(r.firstLink);
    out.i32(r.lastLink);
    out.i32(r.firstDeparture);
    out.i32(r.lastDeparture);
  }
  return writeWholeFile(path, out.data());
}

}  // namespace kiv
