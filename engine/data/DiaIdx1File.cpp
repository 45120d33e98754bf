#include "data/DiaIdx1File.h"

#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat = recordFileFormat<std::int32_t>(
    &DiaIdx1File::records, kDiaStationRecordSize,
    recordLayout<DiaStationRecord>(&DiaStationRecord::station, &DiaStationRecord::firstLink,
                                   &DiaStationRecord::lastLink, &DiaStationRecord::firstDeparture,
                                   &DiaStationRecord::lastDeparture));

std::optional<DiaIdx1File> readDiaIdx1File(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeDiaIdx1File(const std::filesystem::path& path, const DiaIdx1File& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
