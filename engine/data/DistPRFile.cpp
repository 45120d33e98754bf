#include "data/DistPRFile.h"

#include "data/RecordFormat.h"

namespace kiv {
namespace {

constexpr auto kFormat = recordFileFormat<std::int16_t>(
    &DistPRFile::edges, recordLayout<DistPREdge>(&DistPREdge::reserved, &DistPREdge::from, &DistPREdge::to,
                                                 &DistPREdge::distance, &DistPREdge::zone));
static_assert(kFormat.recordSize() == kDistPREdgeSize);

}  // namespace

std::optional<DistPRFile> readDistPRFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeDistPRFile(const std::filesystem::path& path, const DistPRFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
