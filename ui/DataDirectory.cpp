#include "DataDirectory.h"

#include <cctype>
#include <cstdlib>
#include <regex>
#include <system_error>

namespace kiv::ui {
namespace {

// The station file is what every command needs first.
bool holdsData(const std::filesystem::path& dir) {
  std::error_code ec;
  return std::filesystem::is_regular_file(dir / "StaName.kv4", ec);
}

// Some of the network's files (not work files, which begin with '$'): a
// directory meant to hold the data.
bool holdsSomeData(const std::filesystem::path& dir) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    std::string ext = entry.path().extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!name.empty() && name[0] != '$' && name[0] != '.' && ext == ".kv4") return true;
  }
  return false;
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

DataChoice chooseData(const DataPlaces& places) {
  const std::string cwd = places.workingDir.string();
  if (holdsData(places.workingDir))
    return {places.workingDir, "現在のディレクトリのデータを使います: " + cwd, {}};
  if (holdsSomeData(places.workingDir)) {
    return {places.workingDir, "現在のディレクトリのデータを使います: " + cwd,
            "現在のディレクトリのデータは壊れています (StaName.kv4 がありません): " + cwd};
  }
  if (places.userDataHome.empty()) {
    return {places.workingDir, "現在のディレクトリを使います: " + cwd,
            "データを置くホームディレクトリがありません"};
  }
  const std::filesystem::path own = places.userDataHome / "kiv";
  const std::string why =
      "現在のディレクトリにデータがないため、利用者のデータディレクトリを使います: " + own.string();
  if (holdsData(own)) return {own, why, {}};
  std::error_code ec;
  std::filesystem::create_directories(own, ec);
  if (ec) {
    return {places.workingDir, "現在のディレクトリを使います: " + cwd,
            own.string() + " を作成できません: " + ec.message()};
  }
  if (!holdsData(places.sampleDir)) {
    return {own, why, "サンプルデータがインストールされていません (" + places.sampleDir.string() + ")"};
  }
  for (const auto& entry : std::filesystem::directory_iterator(places.sampleDir, ec)) {
    if (!entry.is_regular_file()) continue;
    std::filesystem::copy_file(entry.path(), own / entry.path().filename(),
                               std::filesystem::copy_options::skip_existing, ec);
    if (ec) return {own, why, entry.path().filename().string() + " をコピーできません: " + ec.message()};
  }
  return {own, why + " (サンプルデータから作成しました)", {}};
}

std::filesystem::path chooseDataDirectory(const DataPlaces& places, std::string& problem) {
  DataChoice choice = chooseData(places);
  problem = std::move(choice.problem);
  return choice.dir;
}

std::string problemInJapanese(const std::string& problem) {
  static const std::pair<std::regex, const char*> kForms[] = {
      {std::regex("^(.+) is missing$"), "$1 がありません"},
      {std::regex("^(.+) is empty$"), "$1 が空です"},
      {std::regex("^(.+) cannot be read: (.*)$"), "$1 を読めません: $2"},
      {std::regex("^(.+) is cut short: its header counts (\\d+) records, (\\d+) are whole$"),
       "$1 が途中で切れています: 見出しでは $2 件、完全なのは $3 件です"},
      {std::regex("^(.+) is cut short: (.*)$"), "$1 が途中で切れています: $2"},
  };
  for (const auto& [form, japanese] : kForms) {
    if (std::regex_match(problem, form)) return std::regex_replace(problem, form, japanese);
  }
  return problem;
}

}  // namespace kiv::ui
