#include "data/TransferFile.h"

#include "data/BinaryIO.h"

namespace kiv {

std::optional<TransferFile> readTransferFile(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  ByteReader in(*bytes);
  const std::int32_t count = in.i32();
  TransferFile file;
  in.bytes(file.reserved);
  const std::size_t n = in.completeRecords(count, kTransferRecordSize);
  file.records.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    TransferRecord r;
    r.station = in.i16();
    r.trainA = in.i16();
    r.trainB = in.i16();
    r.minutes = in.i16();
    file.records.push_back(r);
  }
  return file;
}

bool writeTransferFile(const std::filesystem::path& path, const TransferFile& file) {
  ByteWriter out;
  out.i32(static_cast<std::int32_t>(file.records.size()));
  out.bytes(file.reserved);
  for (const auto& r : file.records) {
    out.i16(r.station);
    out.i16(r.trainA);
    out.i16(r.trainB);
    out.i16(r.minutes);
  }
  return writeWholeFile(path, out.data());
}

}  // namespace kiv
