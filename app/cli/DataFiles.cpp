#include "DataFiles.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "CliErrors.h"
#include "CommandGuard.h"
#include "CommandTable.h"
#include "Engine.h"
#include "data/DataSetReplace.h"

namespace kiv::cli {
namespace {

constexpr std::array<std::string_view, 1> kStationFiles = {"StaName.kv4"};
constexpr std::array<std::string_view, 5> kTimetableFiles = {"Train.kv4", "Transfer.kv4", "DiaIdx1.kv4",
                                                             "DiaIdx2.kv4", "Diagram2.kv4"};
constexpr std::array<std::string_view, 10> kFareFiles = {
    "StaAttr.kv4", "StaIdx.kv4",  "StaFare.kv4", "DistJR.kv4", "DistPR.kv4",
    "DistIdx.kv4", "FAREIDX.KV4", "FAREF.KV4",   "FARER.KV4",  "FAREW.KV4"};

bool needed(std::string_view file, unsigned needs) {
  const auto in = [file](std::span<const std::string_view> group) {
    return std::find(group.begin(), group.end(), file) != group.end();
  };
  return in(kStationFiles) || ((needs & kTimetableData) && in(kTimetableFiles)) ||
         ((needs & kFareData) && in(kFareFiles));
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

void requireDataDirectory(unsigned needs) {
  std::error_code ec;
  for (const std::string& name : dataSetFileNames())
    if (std::filesystem::exists(std::filesystem::symlink_status(name, ec))) return;
  for (std::filesystem::directory_iterator it(".", ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name == kCommittedSetDirName || name.starts_with(kUnfinishedSetPrefix)) return;
  }
  requireDataFiles(needs, inspectDataDirectory("."));
}

void requireDataFiles(unsigned needs, const std::vector<DataFileStatus>& files) {
  std::vector<const DataFileStatus*> absent;
  const DataFileStatus* damaged = nullptr;
  for (const DataFileStatus& file : files) {
    if (file.fine() || !needed(file.name, needs)) continue;
    if (file.state == DataFileState::kMissing || file.state == DataFileState::kUnreadable) {
      absent.push_back(&file);
    } else if (!damaged) {
      damaged = &file;
    }
  }
  if (!absent.empty()) {
    std::string message = "kiv4cli: missing or unreadable data file";
    if (absent.size() > 1) message += "s";
    message += " in " + currentDirectory() + ":";
    for (const DataFileStatus* file : absent) message.append(" ").append(file->name);
    message += " (is this the data directory? see -C)";
    for (const DataFileStatus* file : absent)
      if (file->state == DataFileState::kUnreadable) message.append("\nkiv4cli: ").append(file->reason());
    throw CommandFailure(message);
  }
  if (!damaged) return;
  if (damaged->state == DataFileState::kEmpty) {
    throw CommandFailure("kiv4cli: the data file " + damaged->name + " in " + currentDirectory() +
                         " is empty");
  }
  throw CommandFailure("kiv4cli: the data file " + damaged->name + " in " + currentDirectory() +
                       (damaged->state == DataFileState::kDamaged ? " is damaged: " : " is cut short: ") +
                       damaged->detail + "; build it again with kivdata");
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
