#include "data/FareRFile.h"

namespace kiv {

std::optional<FareRFile> readFareRFile(const std::filesystem::path& path) {
  auto records = readFarePairRecords(path);
  if (!records) return std::nullopt;
  return FareRFile{std::move(*records)};
}

bool writeFareRFile(const std::filesystem::path& path, const FareRFile& file) {
  return writeFarePairRecords(path, file.records);
}

}  // namespace kiv
