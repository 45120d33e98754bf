#include "network/RStaName.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <utility>

#include "data/StaNameFile.h"
#include "report/WorkFiles.h"
#include "text/SjisText.h"

namespace kiv {

namespace {
// Station numbers are signed 16-bit: stations past this one cannot be named.
constexpr std::size_t kMaxStations = 32767;
}  // namespace

RStaName::RStaName(const std::filesystem::path& dataDir) : dataDir_(dataDir) {
  auto file = readStaNameFile(dataDir / "StaName.kv4");
  if (!file) return;
  const std::size_t n = std::min(file->stations.size(), kMaxStations);
  kanji_.reserve(n + 1);
  kana_.reserve(n + 1);
  kanji_.emplace_back();
  kana_.emplace_back();
  // A field without its NUL is cut so that the name still fits the
  // callers' buffers together with its NUL; a name that fits is moved.
  const auto fit = [](std::string& name, std::size_t width) {
    return name.size() < width ? std::move(name) : fitSjisField(name, width);
  };
  for (std::size_t k = 0; k < n; ++k) {
    kanji_.push_back(fit(file->stations[k].kanji, kStationNameSize));
    kana_.push_back(fit(file->stations[k].kana, kStationKanaSize));
  }
}

int RStaName::getCount() const { return kanji_.empty() ? 0 : static_cast<int>(kanji_.size() - 1); }

int RStaName::checkNumber(StationNo n) const { return n >= 1 && n <= getCount() ? 0 : -1; }

int RStaName::getName(StationNo n, char* buf) const {
  if (checkNumber(n) != 0) return -1;
  const std::string& s = kanji_[static_cast<std::size_t>(n)];
  std::memcpy(buf, s.c_str(), s.size() + 1);
  return 0;
}

int RStaName::getKana(StationNo n, char* buf) const {
  if (checkNumber(n) != 0) return -1;
  const std::string& s = kana_[static_cast<std::size_t>(n)];
  std::memcpy(buf, s.c_str(), s.size() + 1);
  return 0;
}

StationNo RStaName::findByName(std::string_view text) const {
  for (std::size_t k = 1; k < kanji_.size(); ++k) {
    if (kanji_[k] == text) return static_cast<StationNo>(k);
  }
  return -1;
}

int RStaName::writeStationList() const {
  const std::span<const std::string> names =
      kanji_.empty() ? std::span<const std::string>() : std::span(kanji_).subspan(1);
  return work_files::writeStationList(dataDir_ / work_files::kStationList, names) ? 0 : -1;
}

}  // namespace kiv
