// StaFare.kv4: for each station, the list of network codes that serve it.
// Variable-length: a 16-bit count and that many codes per station.
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "Types.h"

namespace kiv {

struct StaFareFile {
  std::vector<std::vector<NetworkCode>> stations;  // codes of station 1 first
};

// A station whose stored count is negative gets an empty list; a list cut
// short by the end of the file ends the table before that station.
std::optional<StaFareFile> readStaFareFile(const std::filesystem::path& path);
bool writeStaFareFile(const std::filesystem::path& path, const StaFareFile& file);

}  // namespace kiv
