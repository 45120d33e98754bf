#include "data/FareIdxFile.h"

#include "data/BinaryIO.h"

namespace kiv {

std::optional<FareIdxFile> readFareIdxFile(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  ByteReader in(*bytes);
  FareIdxFile file;
  const std::size_t complete = in.remaining() / kFareIdxRecordSize;
  file.records.reserve(complete);
  for (std::size_t i = 0; i < complete; ++i) {
    FareIdxRecord r;
    in.bytes(r.bytes);
    file.records.push_back(r);
  }
  return file;
}

bool writeFareIdxFile(const std::filesystem::path& path, const FareIdxFile& file) {
  ByteWriter out;
  for (const auto& r : file.records) out.bytes(r.bytes);
  return writeWholeFile(path, out.data());
}

}  // namespace kiv
