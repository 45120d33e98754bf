#include "data/DataSetReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <system_error>

#include "data/DataDirFiles.h"

namespace kiv {

namespace fs = std::filesystem;

namespace {

std::function<void(std::string_view)>& probe() {
  static std::function<void(std::string_view)> p;
  return p;
}

void reached(std::string_view step) {
  if (probe()) probe()(step);
}

std::string withReason(const std::string& text, int err) { return text + ": " + std::strerror(err); }

// A temporary copy that the atomic writers leave beside a file when they
// are killed: "." + the file's name + "." + six characters.
bool isTemporaryCopyName(const std::string& name) {
  if (name.size() < 9 || name[0] != '.' || name[name.size() - 7] != '.') return false;
  return isDataDirectoryFileName(std::string_view(name).substr(1, name.size() - 8));
}

// Old enough that no running program is still writing it: a copy lives
// only for the moment of one write.
bool olderThanAMinute(const fs::path& file) {
  struct stat st {};
  if (lstat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return st.st_mtime + 60 < time(nullptr);
}

constexpr const char* kRouteWorkFiles[] = {"$MltRtL1.kv4", "$MltRtL2.kv4", "$MltRtL3.kv4", "$MltRtDt.kv4"};

bool emptyRegularFile(const fs::path& file) {
  struct stat st {};
  return lstat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0;
}

// Moves every file still in the committed set into dataDir, then removes
// the set's directory. Each move replaces one file by a rename, so a kill
// meanwhile leaves the rest for the next start.
bool rollForward(const fs::path& committed, const fs::path& dataDir, std::string& error) {
  std::error_code ec;
  for (const std::string& name : dataSetFileNames()) {
    if (!fs::exists(fs::symlink_status(committed / name, ec))) continue;
    if (std::rename((committed / name).c_str(), (dataDir / name).c_str()) != 0) {
      error = withReason("cannot move " + (committed / name).string() + " to " + dataDir.string(), errno);
      return false;
    }
    reached("moved " + name);
  }
  syncToDisk(dataDir);
  fs::remove_all(committed, ec);
  syncToDisk(dataDir);
  reached("done");
  return true;
}

}  // namespace

const std::vector<std::string>& dataSetFileNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all(kDataFileNames.begin(), kDataFileNames.end());
    all.emplace_back(kLineListFileName);
    return all;
  }();
  return names;
}

void setDataSetReplaceProbe(std::function<void(std::string_view)> p) { probe() = std::move(p); }

fs::path createUnfinishedSet(const fs::path& dataDir, std::string& error) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path dir = dataDir / (std::string(kUnfinishedSetPrefix) + std::to_string(random() % 1000000));
    if (mkdir(dir.c_str(), 0777) == 0) return dir;
    if (errno != EEXIST) {
      error = withReason("cannot create the temporary directory " + dir.string(), errno);
      return {};
    }
  }
  error = "cannot create a temporary directory in " + dataDir.string();
  return {};
}

bool commitDataSet(const fs::path& unfinished, const fs::path& dataDir, std::string& error) {
  std::error_code ec;
  const auto giveUp = [&](std::string text) {
    error = std::move(text);
    fs::remove_all(unfinished, ec);
    return false;
  };
  for (const std::string& name : dataSetFileNames()) {
    const fs::file_status st = fs::symlink_status(dataDir / name, ec);
    if (fs::exists(st) && !fs::is_regular_file(st))
      return giveUp((dataDir / name).string() + " is in the way (not a regular file)");
    if (!syncToDisk(unfinished / name))
      return giveUp(withReason("cannot write " + (unfinished / name).string(), errno));
  }
  if (!syncToDisk(unfinished)) return giveUp(withReason("cannot write " + unfinished.string(), errno));
  reached("synced");
  const fs::path committed = dataDir / kCommittedSetDirName;
  // A committed set of an earlier build is moved in by the recovery before
  // a build starts; one still here is in the way.
  if (std::rename(unfinished.c_str(), committed.c_str()) != 0)
    return giveUp(withReason("cannot move " + unfinished.string() + " to " + committed.string(), errno));
  if (!syncToDisk(dataDir)) {
    // The rename may not be on the disk yet; it is on the next flush, and
    // the recovery treats both states alike.
  }
  reached("committed");
  if (!rollForward(committed, dataDir, error)) {
    error += "; the rest of the new data set waits in " + committed.string() + " for the next start";
    return false;
  }
  return true;
}

std::vector<std::string> recoverDataDirectory(const fs::path& dataDir) {
  std::vector<std::string> done;
  std::error_code ec;
  const fs::path committed = dataDir / kCommittedSetDirName;
  if (fs::is_directory(fs::symlink_status(committed, ec))) {
    std::string error;
    if (rollForward(committed, dataDir, error)) {
      done.push_back("finished replacing the data set in " + dataDir.string() +
                     " (a data set build was cut short after it had written the new set)");
    } else {
      done.push_back("cannot finish replacing the data set in " + dataDir.string() + ": " + error);
    }
  }
  for (fs::directory_iterator it(dataDir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.starts_with(kUnfinishedSetPrefix)) {
      std::error_code removed;
      fs::remove_all(it->path(), removed);
      if (!removed)
        done.push_back("removed the unfinished data set " + name +
                       " of a data set build that was cut short; " + dataDir.string() +
                       " keeps its data set");
    } else if (isTemporaryCopyName(name) && olderThanAMinute(it->path())) {
      std::error_code removed;
      if (fs::remove(it->path(), removed))
        done.push_back("removed " + name + ", a temporary copy left by a program that was cut short");
    }
  }
  for (const char* name : kRouteWorkFiles) {
    std::error_code removed;
    if (emptyRegularFile(dataDir / name) && fs::remove(dataDir / name, removed))
      done.push_back(std::string("removed the empty ") + name + " of a route search that was cut short");
  }
  if (!done.empty()) syncToDisk(dataDir);
  return done;
}

}  // namespace kiv
