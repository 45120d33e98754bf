// Data files whose index spans do not fit the records they index: the
// commands name the inconsistent file and fail at once (exit status 1)
// instead of searching over spans that claim far more than exists.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "CliNetwork.h"
#include "data/DiaIdx1File.h"
#include "data/DiaIdx2File.h"
#include "data/Diagram2File.h"
#include "data/DistIdxFile.h"
#include "data/StaIdxFile.h"

namespace kiv::test {
namespace {

using Args = std::vector<std::string>;

// Reads a data file, changes it and writes it back.
template <typename File>
void corrupt(const std::filesystem::path& path, std::optional<File> (*read)(const std::filesystem::path&),
             bool (*write)(const std::filesystem::path&, const File&),
             const std::function<void(File&)>& change) {
  std::optional<File> file = read(path);
  ASSERT_TRUE(file) << path;
  change(*file);
  ASSERT_TRUE(write(path, *file)) << path;
}

class CliCorruptDataTest : public CliTest {
 protected:
  void expectRefused(const std::vector<Args>& commands, const std::string& file) {
    for (const Args& args : commands) {
      const auto start = std::chrono::steady_clock::now();
      const CliResult r = run(args);
      EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << args[0];
      EXPECT_EQ(r.status, 1) << args[0] << ": " << r.out;
      EXPECT_EQ(r.err.rfind("kiv4cli: " + file + " does not fit ", 0), 0u) << args[0] << ": " << r.err;
      EXPECT_NE(r.err.find("build it again with kivdata"), std::string::npos) << r.err;
      EXPECT_EQ(r.out, "") << args[0];
    }
  }
};

TEST_F(CliCorruptDataTest, NetworkClaimingMorePlacesThanExist) {
  corrupt<StaIdxFile>(dir / "StaIdx.kv4", readStaIdxFile, writeStaIdxFile,
                      [](StaIdxFile& f) { f.networks[0].last = 32767; });
  expectRefused({{"fare", "東京", "上野"}, {"faretable", "東京"}, {"route", "東京", "上野"}, {"tokyo101"}},
                "StaIdx.kv4");
}

TEST_F(CliCorruptDataTest, StationsSpanningTheWholeTimetable) {
  const std::size_t departures = readDiagram2File(dir / "Diagram2.kv4")->records.size();
  corrupt<DiaIdx1File>(dir / "DiaIdx1.kv4", readDiaIdx1File, writeDiaIdx1File, [&](DiaIdx1File& f) {
    for (DiaStationRecord& r : f.records) {
      r.firstDeparture = 1;
      r.lastDeparture = static_cast<std::int32_t>(departures);
    }
  });
  expectRefused({{"route", "東京", "上野"}, {"reqtime", "東京"}, {"fastest", "東京", "上野"}}, "DiaIdx1.kv4");
}

TEST_F(CliCorruptDataTest, LinkSpanPastTheDepartures) {
  corrupt<DiaIdx2File>(dir / "DiaIdx2.kv4", readDiaIdx2File, writeDiaIdx2File,
                       [](DiaIdx2File& f) { f.records.back().lastDeparture = 1 << 30; });
  expectRefused({{"timetable", "東京", "--hour", "9"}}, "DiaIdx2.kv4");
}

TEST_F(CliCorruptDataTest, DistanceIndexPastTheEdges) {
  corrupt<DistIdxFile>(dir / "DistIdx.kv4", readDistIdxFile, writeDistIdxFile,
                       [](DistIdxFile& f) { f.entries[0].last = 32000; });
  expectRefused({{"fare", "東京", "上野"}, {"jrcheap"}}, "DistIdx.kv4");
}

}  // namespace
}  // namespace kiv::test
