// The data directory of a run: changing into it and checking that the data
// files a command reads are there, so that a wrong directory is named as
// such instead of surfacing as an unknown station or an empty result.
#pragma once

#include <filesystem>
#include <string>

namespace kiv::cli {

// Changes the working directory to dir; throws CommandFailure when it
// cannot.
void enterDataDirectory(const std::filesystem::path& dir);

// Throws CommandFailure naming the data files of the command that the
// current directory lacks.
void requireDataFiles(const std::string& command);

}  // namespace kiv::cli
