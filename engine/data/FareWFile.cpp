#include "data/FareWFile.h"

#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat =
    recordFileFormat<std::int16_t>(&FareWFile::records, kFareWRecordSize,
                                   recordLayout<FareWRecord>(&FareWRecord::reserved0, &FareWRecord::a,
                                                             &FareWRecord::b, &FareWRecord::reserved6));

std::optional<FareWFile> readFareWFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeFareWFile(const std::filesystem::path& path, const FareWFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
