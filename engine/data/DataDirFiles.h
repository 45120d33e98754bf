// The files of a data directory by name: the binary data files the engine
// reads, and every file the programs keep there themselves (settings, line
// list, lock file, work files). Export targets must be none of these.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// The binary data files, in the order the engine objects read them.
inline constexpr std::array<std::string_view, 16> kDataFileNames = {
    "Train.kv4",   "StaName.kv4", "DiaIdx1.kv4", "DiaIdx2.kv4", "Diagram2.kv4", "Transfer.kv4",
    "DistJR.kv4",  "DistPR.kv4",  "DistIdx.kv4", "StaFare.kv4", "StaAttr.kv4",  "StaIdx.kv4",
    "FAREIDX.KV4", "FAREF.KV4",   "FARER.KV4",   "FAREW.KV4"};

// True when `name` (a bare file name) is a data file, the settings file, the
// line list, the lock file or a work file of the programs ("$....kv4",
// "TTSrc.kv4", "jrregu.dat", "$jrregu.csv"). Letter case is ignored, as the
// names were made for a file system that ignores it.
bool isDataDirectoryFileName(std::string_view name);

// What a look at one file of the data directory found, before the engine
// objects read it. The objects themselves stay silent (a file they cannot
// read leaves their table empty); this is what the programs can tell the
// user instead.
enum class DataFileState {
  kFine,
  kMissing,     // no file of that name
  kUnreadable,  // there, but not a regular file or not readable
  kEmpty,       // zero bytes
  kTooShort,    // fewer bytes than its header and record count call for
  kDamaged,     // a negative record count, or more bytes than the count calls for
};

struct DataFileStatus {
  std::string name;
  DataFileState state = DataFileState::kFine;
  // False for the settings file, which may be missing (the defaults then
  // hold) and is only wrong when it is there but cannot be read.
  bool required = true;
  // With kUnreadable: the system's reason; with kTooShort and kDamaged: what
  // the header claims and what is there.
  std::string detail;

  bool fine() const { return state == DataFileState::kFine; }
  // One sentence naming the file and what is wrong with it ("StaName.kv4 is
  // missing"); empty when the file is fine.
  std::string reason() const;
};

// The line list of the station selection dialog and the settings file.
inline constexpr std::string_view kLineListFileName = "kiv4line.dat";
inline constexpr std::string_view kSettingsFileName = "Kiv4.def";

// Looks at one file of dataDir: whether it is there and readable, and for a
// binary data file whether its length fits the record count of its header.
DataFileStatus inspectDataFile(const std::filesystem::path& dataDir, std::string_view name);

// Every binary data file (in the order of kDataFileNames), then the line
// list and the settings file.
std::vector<DataFileStatus> inspectDataDirectory(const std::filesystem::path& dataDir);

// True when `target` names such a file inside the directory `dataDir`
// (following symbolic links of both).
bool isDataDirectoryFile(const std::filesystem::path& target, const std::filesystem::path& dataDir);

}  // namespace kiv
