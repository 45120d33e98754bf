#include "data/StaNameFile.h"

#include "Types.h"
#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat = recordFileFormat<std::int32_t>(
    &StaNameFile::stations, kStationNameRecordSize,
    recordLayout<StaNameRecord>(TextField<StaNameRecord>{&StaNameRecord::kanji, kStationNameSize},
                                TextField<StaNameRecord>{&StaNameRecord::kana, kStationKanaSize}));

std::optional<StaNameFile> readStaNameFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeStaNameFile(const std::filesystem::path& path, const StaNameFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
