#include "data/Diagram2File.h"

#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat = recordFileFormat<std::int32_t>(
    &Diagram2File::records, kDiaDepartureRecordSize,
    recordLayout<DiaDepartureRecord>(&DiaDepartureRecord::train, &DiaDepartureRecord::station,
                                     &DiaDepartureRecord::nextStation, &DiaDepartureRecord::terminal,
                                     &DiaDepartureRecord::minute, &DiaDepartureRecord::rideMinutes,
                                     &DiaDepartureRecord::interval, &DiaDepartureRecord::listOrder,
                                     &DiaDepartureRecord::days, &DiaDepartureRecord::hours),
    &Diagram2File::header);

std::optional<Diagram2File> readDiagram2File(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeDiagram2File(const std::filesystem::path& path, const Diagram2File& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
