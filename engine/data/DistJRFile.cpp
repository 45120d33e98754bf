#include "data/DistJRFile.h"

#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat = recordFileFormat<std::int16_t>(
    &DistJRFile::edges, kDistJREdgeSize,
    recordLayout<DistJREdge>(&DistJREdge::from, &DistJREdge::to, &DistJREdge::distance,
                             &DistJREdge::fareDistance, &DistJREdge::kind));

std::optional<DistJRFile> readDistJRFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeDistJRFile(const std::filesystem::path& path, const DistJRFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
