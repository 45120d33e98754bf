// Where kiv4 works: the working directory when it already holds the data
// files, else a directory of the user's own under $XDG_DATA_HOME (or
// ~/.local/share), filled on first start with the installed sample data.
#pragma once

#include <filesystem>
#include <string>

namespace kiv::ui {

struct DataPlaces {
  std::filesystem::path workingDir;
  std::filesystem::path userDataHome;  // $XDG_DATA_HOME, or ~/.local/share
  std::filesystem::path sampleDir;     // the installed sample data
};

// The places of this run, from the environment and the install prefix.
DataPlaces dataPlacesOfThisRun();

// The data directory to use; creates and seeds the user's directory when
// needed (files already there are kept). On failure `problem` says why and
// the working directory is returned.
std::filesystem::path chooseDataDirectory(const DataPlaces& places, std::string& problem);

}  // namespace kiv::ui
