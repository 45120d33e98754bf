#include "data/FareFFile.h"

#include <limits>

#include "data/BinaryIO.h"

namespace kiv {

std::optional<std::vector<FarePairRecord>> readFarePairRecords(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  ByteReader in(*bytes);
  const std::int16_t count = in.i16();
  const std::size_t complete = in.completeRecords(count, kFarePairRecordSize);
  std::vector<FarePairRecord> records;
  records.reserve(complete);
  for (std::size_t i = 0; i < complete; ++i) {
    FarePairRecord r;
    r.network = in.i16();
    r.a = in.i16();
    r.b = in.i16();
    r.amount = in.i16();
    records.push_back(r);
  }
  return records;
}

bool writeFarePairRecords(const std::filesystem::path& path, const std::vector<FarePairRecord>& records) {
  if (records.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) return false;
  ByteWriter out;
  out.i16(static_cast<std::int16_t>(records.size()));
  for (const auto& r : records) {
    out.i16(r.network);
    out.i16(r.a);
    out.i16(r.b);
    out.i16(r.amount);
  }
  return writeWholeFile(path, out.data());
}

std::optional<FareFFile> readFareFFile(const std::filesystem::path& path) {
  auto records = readFarePairRecords(path);
  if (!records) return std::nullopt;
  return FareFFile{std::move(*records)};
}

bool writeFareFFile(const std::filesystem::path& path, const FareFFile& file) {
  return writeFarePairRecords(path, file.records);
}

}  // namespace kiv
