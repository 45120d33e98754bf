#include "data/DiaIdx2File.h"

#include "data/RecordFormat.h"

namespace kiv {
namespace {

constexpr auto kFormat = recordFileFormat<std::int32_t>(
    &DiaIdx2File::records,
    recordLayout<DiaLinkRecord>(&DiaLinkRecord::from, &DiaLinkRecord::to, &DiaLinkRecord::firstDeparture,
                                &DiaLinkRecord::lastDeparture));
static_assert(kFormat.recordSize() == kDiaLinkRecordSize);

}  // namespace

std::optional<DiaIdx2File> readDiaIdx2File(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeDiaIdx2File(const std::filesystem::path& path, const DiaIdx2File& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
