#include "data/FareRFile.h"

#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat =
    recordFileFormat<std::int16_t>(&FareRFile::records, kFarePairRecordSize, kFarePairLayout);

std::optional<FareRFile> readFareRFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeFareRFile(const std::filesystem::path& path, const FareRFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
