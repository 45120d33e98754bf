// Where kiv4 works: the working directory when it already holds the data
// files, else a directory of the user's own under $XDG_DATA_HOME (or
// ~/.local/share), filled on first start with the installed sample data.
// A working directory that holds some data files but not the station file
// is broken: it is used (and its missing files reported), never silently
// replaced by the user's directory.
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

struct DataChoice {
  std::filesystem::path dir;
  std::string why;      // which directory is used and why, for the user
  std::string problem;  // what keeps it from holding the data; empty when nothing
};

// The data directory to use; creates and seeds the user's directory when
// needed (files already there are kept). On failure `problem` says why.
DataChoice chooseData(const DataPlaces& places);
// The same, the directory alone.
std::filesystem::path chooseDataDirectory(const DataPlaces& places, std::string& problem);

// A start-up problem of the engine ("X is missing", ...) as the window says it.
std::string problemInJapanese(const std::string& problem);

}  // namespace kiv::ui
