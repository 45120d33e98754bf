// The data directory of a run: changing into it and checking, from the
// engine's report, that the data files a command reads are there and whole, so that a wrong
// directory or a broken data set is named as such instead of surfacing as an
// unknown station or an empty result.
#pragma once

#include <filesystem>
#include <vector>

#include "data/DataDirFiles.h"

namespace kiv {
class Engine;
}

namespace kiv::cli {

// Changes the working directory to dir; throws CommandFailure when it
// cannot.
void enterDataDirectory(const std::filesystem::path& dir);

// Throws CommandFailure naming the missing data files when the current
// directory holds none of the data set (nor a new set on its way in): it is
// no data directory, and no lock file is made in it.
void requireDataDirectory(unsigned needs);

// Throws CommandFailure naming the data files of the groups `needs`
// (DataNeed bits) that `files` (the engine's look at the data directory)
// found missing or unreadable, or else the first that is empty or cut short.
void requireDataFiles(unsigned needs, const std::vector<DataFileStatus>& files);

// Throws CommandFailure naming the data file whose table the engine found
// empty (a file of a header alone, or one it could not read).
void requireLoadedData(const Engine& engine, unsigned needs);

}  // namespace kiv::cli
