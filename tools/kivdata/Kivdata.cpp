#include "Kivdata.h"

#include <algorithm>
#include <system_error>

#include "Compiler.h"
#include "Dump.h"
#include "Emitter.h"
#include "FareCheck.h"
#include "data/DataDirLock.h"
#include "data/DataSetReplace.h"

namespace kiv::data {

namespace {

constexpr std::size_t kMaxShownErrors = 100;

void usage(std::ostream& err) {
  err << "usage: kivdata build [--no-wait] SRC_DIR OUT_DIR   compile the text sources into the data files\n"
         "       kivdata dump DATA_DIR                       print every table of a data set as text\n";
}

void reportErrors(const std::vector<std::string>& messages, std::ostream& err) {
  for (std::size_t i = 0; i < messages.size() && i < kMaxShownErrors; ++i) err << messages[i] << "\n";
  if (messages.size() > kMaxShownErrors)
    err << "... and " << (messages.size() - kMaxShownErrors) << " more errors\n";
  err << "kivdata: " << messages.size() << " error" << (messages.size() == 1 ? "" : "s")
      << ", nothing written\n";
}

// Takes the lock of the output directory, the one kiv4cli holds while a
// command runs there, so that the data files are never replaced under a
// running command. A directory that does not exist yet has no command
// running in it (the data set is moved there whole), and anything else in
// its place is named by the write. With the lock held, finishes a replace
// an earlier build left cut short, and says so. False, with a message, when
// it cannot be locked, or is busy and noWait is given.
bool lockOutput(const std::filesystem::path& outDir, bool noWait, DataDirLock& lock, DataDirUse& use,
                std::ostream& err) {
  std::error_code ec;
  if (!std::filesystem::is_directory(outDir, ec)) return true;
  const auto result = lock.acquire(outDir, !noWait, [&] {
    err << "kivdata: waiting for the command running in " << outDir.string() << " to finish\n";
    err.flush();
  });
  if (result == DataDirLock::Result::kBusy) {
    err << "kivdata: a command is running in " << outDir.string() << " (--no-wait given), nothing written\n";
    return false;
  }
  if (result == DataDirLock::Result::kFailed) {
    err << "kivdata: " << lock.errorText() << ", nothing written\n";
    return false;
  }
  // A window program that shows the directory reads its data files
  // whenever it searches: the set is replaced only once it has ended.
  const auto inUse = use.acquire(outDir, true, !noWait, [&] {
    err << "kivdata: waiting for the window program that has " << outDir.string() << " open to end\n";
    err.flush();
  });
  if (inUse == DataDirLock::Result::kBusy) {
    err << "kivdata: a window program has " << outDir.string()
        << " open (--no-wait given), nothing written\n";
    return false;
  }
  if (inUse == DataDirLock::Result::kFailed) {
    err << "kivdata: " << use.errorText() << ", nothing written\n";
    return false;
  }
  for (const std::string& done : recoverDataDirectory(outDir)) err << "kivdata: " << done << "\n";
  return true;
}

int build(const std::string& srcDir, const std::string& outDir, bool noWait, std::ostream& out,
          std::ostream& err) {
  Diagnostics diag;
  std::optional<DataSet> data = compileDirectory(srcDir, diag);
  if (!data) {
    reportErrors(diag.messages(), err);
    return 1;
  }
  DataDirLock lock;
  DataDirUse use;
  if (!lockOutput(outDir, noWait, lock, use, err)) return 1;
  std::string error;
  std::vector<std::string> fareProblems;
  const auto verify = [&](const std::filesystem::path& written) {
    fareProblems = checkReductions(*data, written);
    return fareProblems.empty();
  };
  if (!writeDataSet(*data, outDir, error, verify)) {
    if (!fareProblems.empty()) {
      reportErrors(fareProblems, err);
    } else {
      // Past the commit the new set is moved in on the next start.
      std::error_code ec;
      const bool committed =
          std::filesystem::exists(std::filesystem::path(outDir) / kCommittedSetDirName, ec);
      err << "kivdata: " << error << (committed ? "\n" : ", nothing written\n");
    }
    return 1;
  }
  out << "kivdata: " << data->staName.stations.size() << " stations, " << data->train.trains.size()
      << " trains, " << data->diagram2.records.size() << " departures, " << data->distJR.edges.size()
      << " JR and " << data->distPR.edges.size() << " private edges written to " << outDir << "\n";
  return 0;
}

}  // namespace

int runKivdata(const std::vector<std::string>& argsGiven, std::ostream& out, std::ostream& err) {
  std::vector<std::string> args = argsGiven;
  const auto noWait = std::find(args.begin(), args.end(), "--no-wait");
  const bool buildNoWait = !args.empty() && args[0] == "build" && noWait != args.end();
  if (buildNoWait) args.erase(noWait);
  if (args.size() == 3 && args[0] == "build") return build(args[1], args[2], buildNoWait, out, err);
  if (args.size() == 2 && args[0] == "dump") {
    // A replace a killed build left half done is finished first, so that
    // the dump shows one whole data set; a directory busy with a command is
    // dumped as it is.
    DataDirLock lock;
    std::error_code ec;
    if (std::filesystem::is_directory(args[1], ec) &&
        lock.acquire(args[1], false) == DataDirLock::Result::kLocked)
      for (const std::string& done : recoverDataDirectory(args[1])) err << "kivdata: " << done << "\n";
    if (!dumpDataDir(args[1], out)) {
      err << "kivdata: " << args[1] << " is not a directory\n";
      return 1;
    }
    // A full disk or a closed standard output must not pass for a dump.
    out.flush();
    if (!out) {
      err << "kivdata: cannot write the dump to standard output\n";
      return 1;
    }
    return 0;
  }
  usage(err);
  return 2;
}

}  // namespace kiv::data
