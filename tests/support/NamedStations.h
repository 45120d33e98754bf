// Gives the stations of a test data directory real names: rewrites
// StaName.kv4 with the given UTF-8 names (station 1 first) in Shift-JIS, so
// that rules keyed on station names (the Tokyo-zone lists) can be exercised
// on a DistFareWorld, and reads work files back as UTF-8.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/StaNameFile.h"
#include "text/Codec.h"

namespace kiv::test {

inline void nameStations(const std::filesystem::path& dir, const std::vector<std::string>& utf8Names) {
  StaNameFile file;
  for (const std::string& name : utf8Names) file.stations.push_back({*utf8ToSjis(name), ""});
  writeStaNameFile(dir / "StaName.kv4", file);
}

// A Shift-JIS work file as UTF-8 (empty when it is missing).
inline std::string readUtf8(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return sjisToUtf8(text).value_or("<not Shift-JIS>");
}

}  // namespace kiv::test
