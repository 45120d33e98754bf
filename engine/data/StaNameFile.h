// StaName.kv4: the station directory, one record of kanji and kana name per
// station in station-number order.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kiv {

constexpr std::size_t kStationNameRecordSize = 74;  // kanji field (25) + kana field (49)

struct StaNameRecord {
  std::string kanji;  // Shift-JIS; the field's text up to its NUL (the whole field when it has none)
  std::string kana;
  friend bool operator==(const StaNameRecord&, const StaNameRecord&) = default;
};

struct StaNameFile {
  std::vector<StaNameRecord> stations;  // station 1 first
};

std::optional<StaNameFile> readStaNameFile(const std::filesystem::path& path);
bool writeStaNameFile(const std::filesystem::path& path, const StaNameFile& file);

}  // namespace kiv
