#include "DataDirectory.h"

#include <cstdlib>
#include <system_error>

namespace kiv::ui {
namespace {

// The station file is what every command needs first.
bool holdsData(const std::filesystem::path& dir) {
  std::error_code ec;
  return std::filesystem::is_regular_file(dir / "StaName.kv4", ec);
}

std::filesystem::path fromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}

// The sample data installed beside the program (prefix/share/kiv/sample),
// else where the build configured it.
std::filesystem::path installedSample() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const std::filesystem::path beside = exe.parent_path().parent_path() / "share" / "kiv" / "sample";
    if (holdsData(beside)) return beside;
  }
#ifdef KIV_INSTALLED_SAMPLE_DIR
  return KIV_INSTALLED_SAMPLE_DIR;
#else
  return {};
#endif
}

}  // namespace

DataPlaces dataPlacesOfThisRun() {
  DataPlaces places;
  std::error_code ec;
  places.workingDir = std::filesystem::current_path(ec);
  places.userDataHome = fromEnvironment("XDG_DATA_HOME");
  if (places.userDataHome.empty() || places.userDataHome.is_relative()) {
    const std::filesystem::path home = fromEnvironment("HOME");
    if (!home.empty()) places.userDataHome = home / ".local" / "share";
  }
  places.sampleDir = installedSample();
  return places;
}

std::filesystem::path chooseDataDirectory(const DataPlaces& places, std::string& problem) {
  problem.clear();
  if (holdsData(places.workingDir)) return places.workingDir;
  if (places.userDataHome.empty()) {
    problem = "no home directory for the data";
    return places.workingDir;
  }
  const std::filesystem::path own = places.userDataHome / "kiv";
  if (holdsData(own)) return own;
  std::error_code ec;
  std::filesystem::create_directories(own, ec);
  if (ec) {
    problem = "cannot create " + own.string() + ": " + ec.message();
    return places.workingDir;
  }
  if (!holdsData(places.sampleDir)) {
    problem = "no sample data installed at " + places.sampleDir.string();
    return own;
  }
  for (const auto& entry : std::filesystem::directory_iterator(places.sampleDir, ec)) {
    if (!entry.is_regular_file()) continue;
    std::filesystem::copy_file(entry.path(), own / entry.path().filename(),
                               std::filesystem::copy_options::skip_existing, ec);
    if (ec) {
      problem = "cannot copy " + entry.path().filename().string() + ": " + ec.message();
      return own;
    }
  }
  return own;
}

}  // namespace kiv::ui
