#include "data/DiaIdx2File.h"

#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat = recordFileFormat<std::int32_t>(
    &DiaIdx2File::records, kDiaLinkRecordSize,
    recordLayout<DiaLinkRecord>(&DiaLinkRecord::from, &DiaLinkRecord::to, &DiaLinkRecord::firstDeparture,
                                &DiaLinkRecord::lastDeparture));

std::optional<DiaIdx2File> readDiaIdx2File(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeDiaIdx2File(const std::filesystem::path& path, const DiaIdx2File& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
