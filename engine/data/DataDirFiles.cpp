#include "data/DataDirFiles.h"

#include <algorithm>
#include <system_error>

#include "data/AtomicFile.h"
#include "data/DataDirLock.h"

namespace kiv {

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

bool endsWithIgnoringCase(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && sameIgnoringCase(text.substr(text.size() - tail.size()), tail);
}

constexpr std::string_view kOwnFiles[] = {"Kiv4.def", "kiv4line.dat", DataDirLock::kLockFileName, "TTSrc.kv4",
                                          "jrregu.dat"};

}  // namespace

bool isDataDirectoryFileName(std::string_view name) {
  const auto matches = [name](std::string_view known) { return sameIgnoringCase(name, known); };
  if (std::any_of(kDataFileNames.begin(), kDataFileNames.end(), matches)) return true;
  if (std::any_of(std::begin(kOwnFiles), std::end(kOwnFiles), matches)) return true;
  return name.starts_with('$') && (endsWithIgnoringCase(name, ".kv4") || endsWithIgnoringCase(name, ".csv"));
}

bool isDataDirectoryFile(const std::filesystem::path& target, const std::filesystem::path& dataDir) {
  std::error_code ec;
  const std::filesystem::path dir = std::filesystem::weakly_canonical(dataDir, ec);
  if (ec) return false;
  const auto inDataDir = [&dir](const std::filesystem::path& dirOfFile, const std::filesystem::path& name) {
    std::error_code e;
    return std::filesystem::weakly_canonical(dirOfFile, e) == dir && !e &&
           isDataDirectoryFileName(name.string());
  };
  // The name as given (a data file may itself be a link elsewhere) and the
  // file a link as target leads to.
  const std::filesystem::path given = std::filesystem::absolute(target, ec).lexically_normal();
  if (!ec && inDataDir(given.parent_path(), given.filename())) return true;
  const std::filesystem::path resolved = followLinks(target);
  return inDataDir(resolved.parent_path().empty() ? "." : resolved.parent_path(), resolved.filename());
}

}  // namespace kiv
