// The files of a data directory by name: the binary data files the engine
// reads, and every file the programs keep there themselves (settings, line
// list, lock file, work files). Export targets must be none of these.
#pragma once

#include <array>
#include <filesystem>
#include <string_view>

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

// True when `target` names such a file inside the directory `dataDir`
// (following symbolic links of both).
bool isDataDirectoryFile(const std::filesystem::path& target, const std::filesystem::path& dataDir);

}  // namespace kiv
