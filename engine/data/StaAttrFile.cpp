#include "data/StaAttrFile.h"

#include "data/RecordFormat.h"

namespace kiv {
namespace {

constexpr auto kFormat = recordFileFormat<std::int16_t>(
    &StaAttrFile::entries,
    recordLayout<StaAttrEntry>(&StaAttrEntry::reserved0, &StaAttrEntry::station, &StaAttrEntry::reserved4));
static_assert(kFormat.recordSize() == kStationEntrySize);

}  // namespace

std::optional<StaAttrFile> readStaAttrFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeStaAttrFile(const std::filesystem::path& path, const StaAttrFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
