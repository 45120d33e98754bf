#include "data/FareIdxFile.h"

#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat = recordFileFormat<NoCount>(&FareIdxFile::records, kFareIdxRecordSize,
                                                   recordLayout<FareIdxRecord>(&FareIdxRecord::bytes));

std::optional<FareIdxFile> readFareIdxFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeFareIdxFile(const std::filesystem::path& path, const FareIdxFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
