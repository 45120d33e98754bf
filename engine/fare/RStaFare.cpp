#include "fare/RStaFare.h"

#include "data/StaFareFile.h"

namespace kiv {

namespace {
// Station numbers are signed 16-bit: lists past this station cannot be asked for.
constexpr std::size_t kMaxStations = 32767;
}  // namespace

RStaFare::RStaFare(const std::filesystem::path& dataDir) {
  auto file = readStaFareFile(dataDir / "StaFare.kv4");
  if (!file) return;
  if (file->stations.size() > kMaxStations) file->stations.resize(kMaxStations);
  codes_.reserve(file->stations.size() + 1);
  codes_.emplace_back();
  for (auto& codes : file->stations) codes_.push_back(std::move(codes));
}

int RStaFare::getStationCount() const { return codes_.empty() ? 0 : static_cast<int>(codes_.size() - 1); }

int RStaFare::checkNumber(StationNo s) const { return s >= 1 && s <= getStationCount() ? 0 : -1; }

int RStaFare::getNetworkCount(StationNo s) const {
  if (checkNumber(s) != 0) return -1;
  return static_cast<int>(codes_[static_cast<std::size_t>(s)].size());
}

int RStaFare::checkEntry(StationNo s, int j) const {
  if (checkNumber(s) != 0) return -1;
  return j >= 0 && j < getNetworkCount(s) ? 0 : -1;
}

int RStaFare::getNetworkAt(StationNo s, int j) const {
  if (checkEntry(s, j) != 0) return -1;
  return codes_[static_cast<std::size_t>(s)][static_cast<std::size_t>(j)];
}

}  // namespace kiv
