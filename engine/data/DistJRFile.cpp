#include "data/DistJRFile.h"

#include "data/RecordFormat.h"

namespace kiv {
namespace {

constexpr auto kFormat = recordFileFormat<std::int16_t>(
    &DistJRFile::edges, recordLayout<DistJREdge>(&DistJREdge::from, &DistJREdge::to, &DistJREdge::distance,
                                                 &DistJREdge::fareDistance, &DistJREdge::kind));
static_assert(kFormat.recordSize() == kDistJREdgeSize);

}  // namespace

std::optional<DistJRFile> readDistJRFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeDistJRFile(const std::filesystem::path& path, const DistJRFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
