// The window program's share of its data directory's locking. For its whole
// run it keeps the directory in use (kivdata build then waits or refuses
// instead of replacing the data set under the open window); while it works
// there (a search, a table written: the hourglass shows) it holds the
// directory's lock as a kiv4cli command does, so that the two never write
// the same work files at once.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "data/DataDirLock.h"

namespace kiv::ui {

// At start, before the engine reads the data files: finishes a data set
// replace a killed build left and removes what killed programs left (under
// the lock), then keeps the directory in use until the program ends. What
// was done, one sentence each, for the program to tell.
std::vector<std::string> holdDataDirectory(const std::filesystem::path& dataDir);

// The directory's lock for the life of the object, once the program holds
// its directory (none before, as in the window tests); nested holds take
// it once.
class DataDirWork {
 public:
  DataDirWork();
  ~DataDirWork();
  DataDirWork(const DataDirWork&) = delete;
  DataDirWork& operator=(const DataDirWork&) = delete;

 private:
  DataDirLock lock_;
};

}  // namespace kiv::ui
