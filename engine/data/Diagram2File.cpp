#include "data/Diagram2File.h"

#include "data/BinaryIO.h"

namespace kiv {

std::optional<Diagram2File> readDiagram2File(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  ByteReader in(*bytes);
  const std::int32_t count = in.i32();
  Diagram2File file;
  in.bytes(file.header);
  const std::size_t n = in.completeRecords(count, kDiaDepartureRecordSize);
  file.records.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    DiaDepartureRecord r;
    r.train = in.i16();
    r.station = in.i16();
    r.nextStation = in.i16();
    r.terminal = in.i16();
    r.minute = in.i16();
    r.rideMinutes = in.i16();
    r.interval = in.i16();
    r.listOrder = in.i8();
    r.days = in.u8();
    r.hours = in.u32();
    file.records.push_back(r);
  }
  return file;
}

bool writeDiagram2File(const std::filesystem::path& path, const Diagram2File& file) {
  ByteWriter out;
  out.i32(static_cast<std::int32_t>(file.records.size()));
  out.bytes(file.header);
  for (const auto& r : file.records) {
    out.i16(r.train);
    out.i16(r.station);
    out.i16(r.nextStation);
    out.i16(r.terminal);
    out.i16(r.minute);
    out.i16(r.rideMinutes);
    out.i16(r.interval);
    out.i8(r.listOrder);
    out.u8(r.days);
    out.u32(r.hours);
  }
  return writeWholeFile(path, out.data());
}

}  // namespace kiv
