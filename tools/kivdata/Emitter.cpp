#include "Emitter.h"

#include <cstdint>
#include <random>
#include <system_error>

#include "data/BinaryIO.h"

namespace kiv::data {

namespace fs = std::filesystem;

namespace {

bool writeLineList(const fs::path& path, const std::string& text) {
  return writeWholeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

// Writes every file of the data set into dir; the name of the first file
// that failed, or empty.
std::string writeAll(const DataSet& d, const fs::path& dir) {
  const std::vector<std::pair<std::string, bool>> results = {
      {"StaName.kv4", writeStaNameFile(dir / "StaName.kv4", d.staName)},
      {"StaAttr.kv4", writeStaAttrFile(dir / "StaAttr.kv4", d.staAttr)},
      {"StaIdx.kv4", writeStaIdxFile(dir / "StaIdx.kv4", d.staIdx)},
      {"StaFare.kv4", writeStaFareFile(dir / "StaFare.kv4", d.staFare)},
      {"Train.kv4", writeTrainFile(dir / "Train.kv4", d.train)},
      {"Transfer.kv4", writeTransferFile(dir / "Transfer.kv4", d.transfer)},
      {"DiaIdx1.kv4", writeDiaIdx1File(dir / "DiaIdx1.kv4", d.diaIdx1)},
      {"DiaIdx2.kv4", writeDiaIdx2File(dir / "DiaIdx2.kv4", d.diaIdx2)},
      {"Diagram2.kv4", writeDiagram2File(dir / "Diagram2.kv4", d.diagram2)},
      {"DistJR.kv4", writeDistJRFile(dir / "DistJR.kv4", d.distJR)},
      {"DistPR.kv4", writeDistPRFile(dir / "DistPR.kv4", d.distPR)},
      {"DistIdx.kv4", writeDistIdxFile(dir / "DistIdx.kv4", d.distIdx)},
      {"FAREIDX.KV4", writeFareIdxFile(dir / "FAREIDX.KV4", d.fareIdx)},
      {"FAREF.KV4", writeFareFFile(dir / "FAREF.KV4", d.fareF)},
      {"FARER.KV4", writeFareRFile(dir / "FARER.KV4", d.fareR)},
      {"FAREW.KV4", writeFareWFile(dir / "FAREW.KV4", d.fareW)},
      {"kiv4line.dat", writeLineList(dir / "kiv4line.dat", d.lineList)},
  };
  for (const auto& [name, ok] : results)
    if (!ok) return name;
  return {};
}

fs::path freshSibling(const fs::path& outDir, const std::string& tag) {
  std::random_device rd;
  fs::path parent = outDir.parent_path().empty() ? fs::path(".") : outDir.parent_path();
  for (;;) {
    fs::path p = parent / std::string(".")
                              .append(outDir.filename().string())
                              .append(".")
                              .append(tag)
                              .append("-")
                              .append(std::to_string(rd() % 1000000));
    std::error_code ec;
    if (!fs::exists(p, ec)) return p;
  }
}

// Moves each named file from `from` to `to`; on a failure, moves the ones
// already moved back and says which failed.
bool moveFiles(const std::vector<std::string>& names, const fs::path& from, const fs::path& to,
               std::string& error) {
  std::error_code ec;
  for (std::size_t i = 0; i < names.size(); ++i) {
    fs::rename(from / names[i], to / names[i], ec);
    if (!ec) continue;
    error = "cannot move " + (from / names[i]).string() + " to " + to.string() + ": " + ec.message();
    for (std::size_t k = i; k-- > 0;) fs::rename(to / names[k], from / names[k], ec);
    return false;
  }
  return true;
}

bool replaceDataFiles(const fs::path& fresh, const fs::path& outDir, std::string& error) {
  std::vector<std::string> present;
  for (const std::string& name : dataFileNames()) {
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(outDir / name, ec);
    if (!fs::exists(st)) continue;
    if (!fs::is_regular_file(st)) {
      error = (outDir / name).string() + " is in the way (not a regular file)";
      return false;
    }
    present.push_back(name);
  }
  const fs::path aside = freshSibling(outDir, "kivdata-old");
  std::error_code ec;
  if (!fs::create_directory(aside, ec)) {
    error = "cannot create the temporary directory " + aside.string() + ": " + ec.message();
    return false;
  }
  const auto removeAside = [&] {
    for (const std::string& name : present) fs::remove(aside / name, ec);
    fs::remove(aside, ec);
  };
  if (!moveFiles(present, outDir, aside, error)) {
    removeAside();
    return false;
  }
  if (!moveFiles(dataFileNames(), fresh, outDir, error)) {
    std::string restoreError;
    if (!moveFiles(present, aside, outDir, restoreError)) {
      error += "; the old data files could not be put back and are in " + aside.string();
      return false;
    }
    removeAside();
    return false;
  }
  removeAside();
  return true;
}

}  // namespace

const std::vector<std::string>& dataFileNames() {
  static const std::vector<std::string> names = {
      "StaName.kv4", "StaAttr.kv4", "StaIdx.kv4",   "StaFare.kv4", "Train.kv4",   "Transfer.kv4",
      "DiaIdx1.kv4", "DiaIdx2.kv4", "Diagram2.kv4", "DistJR.kv4",  "DistPR.kv4",  "DistIdx.kv4",
      "FAREIDX.KV4", "FAREF.KV4",   "FARER.KV4",    "FAREW.KV4",   "kiv4line.dat"};
  return names;
}

bool writeDataSet(const DataSet& data, const fs::path& outDirArg, std::string& error,
                  const std::function<bool(const fs::path&)>& verify) {
  fs::path outDir = outDirArg.lexically_normal();
  if (outDir.filename().empty()) outDir = outDir.parent_path();
  std::error_code ec;
  bool exists = fs::exists(outDir, ec);
  if (exists && !fs::is_directory(outDir, ec)) {
    error = outDir.string() + " exists and is not a directory";
    return false;
  }
  fs::path tmp = freshSibling(outDir, "kivdata-tmp");
  if (!fs::create_directories(tmp, ec)) {
    error = "cannot create the temporary directory " + tmp.string() + ": " + ec.message();
    return false;
  }
  std::string failed = writeAll(data, tmp);
  if (!failed.empty()) {
    error = "cannot write " + (tmp / failed).string();
    fs::remove_all(tmp, ec);
    return false;
  }
  if (verify && !verify(tmp)) {
    error = "the data set failed its checks";
    fs::remove_all(tmp, ec);
    return false;
  }
  if (!exists) {
    fs::rename(tmp, outDir, ec);
    if (ec) {
      error = "cannot move " + tmp.string() + " to " + outDir.string() + ": " + ec.message();
      fs::remove_all(tmp, ec);
      return false;
    }
    return true;
  }
  // The output directory may be a working directory with settings and work
  // files of its own: replace only the data files, each by a rename on the
  // same file system. The old files are moved aside first and put back on
  // any failure, so the directory holds either the whole old data set or
  // the whole new one.
  const bool replaced = replaceDataFiles(tmp, outDir, error);
  fs::remove_all(tmp, ec);
  return replaced;
}

}  // namespace kiv::data
