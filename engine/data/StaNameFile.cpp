#include "data/StaNameFile.h"

#include "Types.h"
#include "data/BinaryIO.h"

namespace kiv {

std::optional<StaNameFile> readStaNameFile(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  ByteReader in(*bytes);
  const std::int32_t count = in.i32();
  StaNameFile file;
  const std::size_t n = in.completeRecords(count, kStationNameRecordSize);
  file.stations.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    StaNameRecord r;
    r.kanji = in.text(kStationNameSize);
    r.kana = in.text(kStationKanaSize);
    file.stations.push_back(std::move(r));
  }
  return file;
}

bool writeStaNameFile(const std::filesystem::path& path, const StaNameFile& file) {
  ByteWriter out;
  out.i32(static_cast<std::int32_t>(file.stations.size()));
  for (const auto& r : file.stations) {
    out.text(r.kanji, kStationNameSize);
    out.text(r.kana, kStationKanaSize);
  }
  return writeWholeFile(path, out.data());
}

}  // namespace kiv
