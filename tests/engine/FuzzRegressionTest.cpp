// The inputs with which the fuzz targets once found a crash, a hang or a
// sanitizer report (fuzz/regressions/<target>/), replayed as the targets
// run them: each must finish in time.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <string>

#include "Engine.h"
#include "EngineQueries.h"
#include "FuzzSupport.h"
#include "TempDir.h"
#include "data/BinaryIO.h"
#include "data/DataDirFiles.h"

namespace kiv {
namespace {

namespace fs = std::filesystem;

const fs::path kRegressions = KIV_FUZZ_REGRESSIONS;

// Builds the engine on the directory and asks the fuzz targets' queries;
// fails when that takes more than a few seconds.
void expectQueriesInTime(const fs::path& dataDir, const fs::path& input) {
  const auto start = std::chrono::steady_clock::now();
  {
    Engine engine(dataDir);
    fuzz::runEngineQueries(engine);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << input;
}

TEST(FuzzRegression, EngineStartUpInputs) {
  for (const auto& entry : fs::directory_iterator(kRegressions / "engine_startup")) {
    const std::vector<std::uint8_t> bytes = *readWholeFile(entry.path());
    test::TempDir dir;
    fuzz::Pieces pieces(bytes.data(), bytes.size());
    for (std::string_view name : kDataFileNames) {
      const auto piece = pieces.next();
      writeWholeFile(dir / std::string(name), {piece.begin(), piece.end()});
    }
    const auto settings = pieces.next();
    writeWholeFile(dir / "Kiv4.def", {settings.begin(), settings.end()});
    expectQueriesInTime(dir.path(), entry.path());
  }
}

// The data-file targets replace one file of the base data set.
TEST(FuzzRegression, DataFileInputs) {
  for (std::string_view name : kDataFileNames) {
    std::string target(name);
    for (char& c : target)
      c = c == '.' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!fs::is_directory(kRegressions / target)) continue;
    for (const auto& entry : fs::directory_iterator(kRegressions / target)) {
      test::TempDir dir;
      fuzz::copyBaseData(dir.path());
      fs::copy_file(entry.path(), dir / std::string(name), fs::copy_options::overwrite_existing);
      expectQueriesInTime(dir.path(), entry.path());
    }
  }
}

}  // namespace
}  // namespace kiv
