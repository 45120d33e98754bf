#include "DataFiles.h"

#include <unistd.h>

#include <array>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "CliErrors.h"
#include "CommandTable.h"
#include "Engine.h"

namespace kiv::cli {
namespace {

constexpr std::array<std::string_view, 1> kStationFiles = {"StaName.kv4"};
constexpr std::array<std::string_view, 5> kTimetableFiles = {"Train.kv4", "Transfer.kv4", "DiaIdx1.kv4",
                                                             "DiaIdx2.kv4", "Diagram2.kv4"};
constexpr std::array<std::string_view, 10> kFareFiles = {
    "StaAttr.kv4", "StaIdx.kv4",  "StaFare.kv4", "DistJR.kv4", "DistPR.kv4",
    "DistIdx.kv4", "FAREIDX.KV4", "FAREF.KV4",   "FARER.KV4",  "FAREW.KV4"};

std::vector<std::string_view> filesOf(unsigned needs) {
  std::vector<std::string_view> files;
  auto add = [&files](std::span<const std::string_view> group) {
    for (std::string_view file : group) files.push_back(file);
  };
  add(kStationFiles);
  if (needs & kTimetableData) add(kTimetableFiles);
  if (needs & kFareData) add(kFareFiles);
  return files;
}

std::string here() {
  std::error_code ec;
  return std::filesystem::current_path(ec).string();
}

void requireContent(std::string_view file) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(std::filesystem::path(file), ec);
  if (!ec && size == 0) {
    throw CommandFailure("kiv4cli: the data file " + std::string(file) + " in " + here() + " is empty");
  }
  std::ifstream in{std::filesystem::path(file), std::ios::binary};
  if (ec || !in) {
    throw CommandFailure("kiv4cli: cannot read the data file " + std::string(file) + " in " + here());
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

void requireDataFiles(unsigned needs) {
  const std::vector<std::string_view> files = filesOf(needs);
  std::vector<std::string_view> missing;
  for (std::string_view file : files) {
    std::error_code ec;
    const std::string name(file);
    if (!std::filesystem::is_regular_file(name, ec) || access(name.c_str(), R_OK) != 0)
      missing.push_back(file);
  }
  if (missing.empty()) {
    for (std::string_view file : files) requireContent(file);
    return;
  }
  std::string message = "kiv4cli: missing or unreadable data file";
  if (missing.size() > 1) message += "s";
  message += " in " + here() + ":";
  for (std::string_view file : missing) message.append(" ").append(file);
  message += " (is this the data directory? see -C)";
  throw CommandFailure(message);
}

void requireLoadedData(const Engine& engine, unsigned needs) {
  auto require = [](bool filled, const char* file, const char* what) {
    if (!filled) throw CommandFailure(std::string("kiv4cli: the data file ") + file + " holds no " + what);
  };
  require(engine.staName.getCount() > 0, "StaName.kv4", "station");
  if (needs & kTimetableData) {
    require(engine.trains.getTrainCount() > 0, "Train.kv4", "train");
    require(engine.dia.getRecordCount() > 0, "Diagram2.kv4", "departure");
  }
  if (needs & kFareData) {
    require(engine.staFare.getStationCount() > 0, "StaFare.kv4", "station");
    require(engine.sta.getNetworkRecordCount() > 0, "StaIdx.kv4", "network");
  }
}

}  // namespace kiv::cli
