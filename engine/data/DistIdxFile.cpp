#include "data/DistIdxFile.h"

#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat =
    recordFileFormat<std::int16_t>(&DistIdxFile::entries, kDistIdxEntrySize,
                                   recordLayout<DistIdxEntry>(&DistIdxEntry::network, &DistIdxEntry::station,
                                                              &DistIdxEntry::first, &DistIdxEntry::last));

std::optional<DistIdxFile> readDistIdxFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeDistIdxFile(const std::filesystem::path& path, const DistIdxFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
