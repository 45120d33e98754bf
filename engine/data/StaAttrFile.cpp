#include "data/StaAttrFile.h"

#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat = recordFileFormat<std::int16_t>(
    &StaAttrFile::entries, kStationEntrySize,
    recordLayout<StaAttrEntry>(&StaAttrEntry::reserved0, &StaAttrEntry::station, &StaAttrEntry::reserved4));

std::optional<StaAttrFile> readStaAttrFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeStaAttrFile(const std::filesystem::path& path, const StaAttrFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
