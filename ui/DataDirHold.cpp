#include "DataDirHold.h"

#include "data/DataSetReplace.h"

namespace kiv::ui {

namespace {

struct Held {
  std::filesystem::path dir;
  DataDirUse use;
  int depth = 0;  // DataDirWork objects alive
};

Held& held() {
  static Held state;
  return state;
}

}  // namespace

std::vector<std::string> holdDataDirectory(const std::filesystem::path& dataDir) {
  std::vector<std::string> done;
  {
    DataDirLock lock;
    if (lock.acquire(dataDir, true) == DataDirLock::Result::kLocked) done = recoverDataDirectory(dataDir);
  }
  // A directory that cannot be locked (read-only, no lock file) has no
  // build that could replace its data either.
  held().use.acquire(dataDir, false, true);
  held().dir = dataDir;
  return done;
}

DataDirWork::DataDirWork() {
  Held& state = held();
  if (state.dir.empty() || state.depth++ > 0) return;
  lock_.acquire(state.dir, true);
}

DataDirWork::~DataDirWork() {
  Held& state = held();
  if (state.dir.empty()) return;
  --state.depth;
}

}  // namespace kiv::ui
