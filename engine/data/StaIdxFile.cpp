#include "data/StaIdxFile.h"

#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat = recordFileFormat<std::int16_t>(
    &StaIdxFile::networks, kNetworkRecordSize,
    recordLayout<StaIdxRecord>(&StaIdxRecord::code, &StaIdxRecord::first, &StaIdxRecord::last));

std::optional<StaIdxFile> readStaIdxFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeStaIdxFile(const std::filesystem::path& path, const StaIdxFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
