#include "data/FareFFile.h"

#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat =
    recordFileFormat<std::int16_t>(&FareFFile::records, kFarePairRecordSize, kFarePairLayout);

std::optional<FareFFile> readFareFFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeFareFFile(const std::filesystem::path& path, const FareFFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
