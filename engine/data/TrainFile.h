// Train.kv4: the trains and walking links of the timetable, one fixed-size
// record per train in train-number order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Types.h"

namespace kiv {

constexpr std::size_t kTrainRecordSize = 35;  // name field (33) + network code (2)

struct TrainRecord {
  std::string name;  // Shift-JIS; the field's text up to its NUL (the whole field when it has none)
  NetworkCode networkCode = 0;
  friend bool operator==(const TrainRecord&, const TrainRecord&) = default;
};

struct TrainFile {
  std::vector<TrainRecord> trains;  // train 1 first
};

std::optional<TrainFile> readTrainFile(const std::filesystem::path& path);
bool writeTrainFile(const std::filesystem::path& path, const TrainFile& file);

}  // namespace kiv
