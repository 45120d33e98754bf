// The data directory of a run: changing into it and checking that the data
// files a command reads are there and hold something, so that a wrong
// directory or a broken data set is named as such instead of surfacing as an
// unknown station or an empty result.
#pragma once

#include <filesystem>

namespace kiv {
class Engine;
}

namespace kiv::cli {

// Changes the working directory to dir; throws CommandFailure when it
// cannot.
void enterDataDirectory(const std::filesystem::path& dir);

// Throws CommandFailure naming the data files of the groups `needs`
// (DataNeed bits) that the current directory lacks, or the first that is
// empty or cannot be read.
void requireDataFiles(unsigned needs);

// Throws CommandFailure naming the data file whose table the engine found
// empty (a file of a header alone, or one it could not read).
void requireLoadedData(const Engine& engine, unsigned needs);

}  // namespace kiv::cli
