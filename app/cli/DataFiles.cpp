#include "DataFiles.h"

#include <unistd.h>

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "CliErrors.h"

namespace kiv::cli {
namespace {

constexpr std::array<std::string_view, 1> kStationFiles = {"StaName.kv4"};
constexpr std::array<std::string_view, 5> kTimetableFiles = {"Train.kv4", "Transfer.kv4", "DiaIdx1.kv4",
                                                             "DiaIdx2.kv4", "Diagram2.kv4"};
constexpr std::array<std::string_view, 10> kFareFiles = {
    "StaAttr.kv4", "StaIdx.kv4",  "StaFare.kv4", "DistJR.kv4", "DistPR.kv4",
    "DistIdx.kv4", "FAREIDX.KV4", "FAREF.KV4",   "FARER.KV4",  "FAREW.KV4"};

void addMissing(std::span<const std::string_view> files, std::vector<std::string_view>& missing) {
  for (std::string_view file : files) {
    std::error_code ec;
    const std::string name(file);
    if (!std::filesystem::is_regular_file(name, ec) || access(name.c_str(), R_OK) != 0) missing.push_back(file);
  }
}

}  // namespace

void enterDataDirectory(const std::filesystem::path& dir) {
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) {
    throw CommandFailure("kiv4cli: no data directory " + dir.string());
  }
  std::filesystem::current_path(dir, ec);
  if (ec) throw CommandFailure("kiv4cli: cannot change into " + dir.string() + ": " + ec.message());
}

void requireDataFiles(const std::string& command) {
  const bool timetable =
      command == "route" || command == "fastest" || command == "reqtime" || command == "timetable";
  const bool fares = command == "route" || command == "fare" || command == "faretable" ||
                     command == "jrcheap" || command == "tokyo101";
  std::vector<std::string_view> missing;
  addMissing(kStationFiles, missing);
  if (timetable) addMissing(kTimetableFiles, missing);
  if (fares) addMissing(kFareFiles, missing);
  if (missing.empty()) return;

  std::error_code ec;
  std::string message = "kiv4cli: missing or unreadable data file";
  if (missing.size() > 1) message += "s";
  message += " in " + std::filesystem::current_path(ec).string() + ":";
  for (std::string_view file : missing) message += " " + std::string(file);
  message += " (is this the data directory? see -C)";
  throw CommandFailure(message);
}

}  // namespace kiv::cli
