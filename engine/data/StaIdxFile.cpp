#include "data/StaIdxFile.h"

#include "data/RecordFormat.h"

namespace kiv {
namespace {

constexpr auto kFormat = recordFileFormat<std::int16_t>(
    &StaIdxFile::networks,
    recordLayout<StaIdxRecord>(&StaIdxRecord::code, &StaIdxRecord::first, &StaIdxRecord::last));
static_assert(kFormat.recordSize() == kNetworkRecordSize);

}  // namespace

std::optional<StaIdxFile> readStaIdxFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeStaIdxFile(const std::filesystem::path& path, const StaIdxFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
