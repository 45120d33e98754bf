#include "Emitter.h"

#include <cstdint>
#include <system_error>

#include "data/BinaryIO.h"
#include "data/DataSetReplace.h"

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

}  // namespace

const std::vector<std::string>& dataFileNames() { return dataSetFileNames(); }

bool writeDataSet(const DataSet& data, const fs::path& outDirArg, std::string& error,
                  const std::function<bool(const fs::path&)>& verify) {
  fs::path outDir = outDirArg.lexically_normal();
  if (outDir.filename().empty()) outDir = outDir.parent_path();
  std::error_code ec;
  const bool existed = fs::exists(outDir, ec);
  if (existed && !fs::is_directory(outDir, ec)) {
    error = outDir.string() + " exists and is not a directory";
    return false;
  }
  if (!existed && !fs::create_directories(outDir, ec)) {
    error = "cannot create " + outDir.string() + ": " + ec.message();
    return false;
  }
  // A directory made here goes again when nothing comes of the build.
  const auto fail = [&](std::string text) {
    error = std::move(text);
    if (!existed) fs::remove(outDir, ec);
    return false;
  };
  // The output directory may be a working directory with settings and work
  // files of its own: only the data files are replaced, all of them or none.
  const fs::path unfinished = createUnfinishedSet(outDir, error);
  if (unfinished.empty()) return fail(error);
  const std::string failed = writeAll(data, unfinished);
  if (!failed.empty()) {
    fs::remove_all(unfinished, ec);
    return fail("cannot write " + (unfinished / failed).string());
  }
  if (verify && !verify(unfinished)) {
    fs::remove_all(unfinished, ec);
    return fail("the data set failed its checks");
  }
  if (!commitDataSet(unfinished, outDir, error)) return fail(error);
  return true;
}

}  // namespace kiv::data
