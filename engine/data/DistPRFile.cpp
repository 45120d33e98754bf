#include "data/DistPRFile.h"

#include "data/RecordFormat.h"

namespace kiv {

constexpr auto kFormat = recordFileFormat<std::int16_t>(
    &DistPRFile::edges, kDistPREdgeSize,
    recordLayout<DistPREdge>(&DistPREdge::reserved, &DistPREdge::from, &DistPREdge::to, &DistPREdge::distance,
                             &DistPREdge::zone));

std::optional<DistPRFile> readDistPRFile(const std::filesystem::path& path) { return kFormat.read(path); }

bool writeDistPRFile(const std::filesystem::path& path, const DistPRFile& file) {
  return kFormat.write(path, file);
}

}  // namespace kiv
