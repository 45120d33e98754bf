#include "data/TrainFile.h"

#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat = recordFileFormat<std::int16_t>(
    &TrainFile::trains, kTrainRecordSize,
    recordLayout<TrainRecord>(TextField<TrainRecord>{&TrainRecord::name, kTrainNameSize},
                              &TrainRecord::networkCode));

std::optional<TrainFile> readTrainFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeTrainFile(const std::filesystem::path& path, const TrainFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
