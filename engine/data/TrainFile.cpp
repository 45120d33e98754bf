#include "data/TrainFile.h"

#include "data/BinaryIO.h"

namespace kiv {

std::optional<TrainFile> readTrainFile(const std::filesystem::path& path) {
  auto bytes = readWholeFile(path);
  if (!bytes) return std::nullopt;
  ByteReader in(*bytes);
  const std::int16_t count = in.i16();
  TrainFile file;
  const std::size_t n = in.completeRecords(count, kTrainRecordSize);
  file.trains.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    TrainRecord r;
    r.name = in.text(kTrainNameSize);
    r.networkCode = in.i16();
    file.trains.push_back(std::move(r));
  }
  return file;
}

bool writeTrainFile(const std::filesystem::path& path, const TrainFile& file) {
  if (file.trains.size() > 32767) return false;  // the count is a signed 16-bit field
  ByteWriter out;
  out.i16(static_cast<std::int16_t>(file.trains.size()));
  for (const auto& r : file.trains) {
    out.text(r.name, kTrainNameSize);
    out.i16(r.networkCode);
  }
  return writeWholeFile(path, out.data());
}

}  // namespace kiv
