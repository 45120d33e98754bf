// Data files whose index spans do not fit the records they index, whose
// record counts do not fit their length or whose fields are out of range:
// the commands name the damaged file and fail at once (exit status 1)
// instead of searching over them or pricing with them.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <nlohmann/json.hpp>

#include "CliNetwork.h"
#include "data/DiaIdx1File.h"
#include "data/DiaIdx2File.h"
#include "data/Diagram2File.h"
#include "data/DistIdxFile.h"
#include "data/StaIdxFile.h"
#include "data/TrainFile.h"
#include "data/TransferFile.h"

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

// Writes the little-endian value over the bytes at `offset` of the file.
void patch(const TempDir& dir, const std::string& file, std::size_t offset, std::int64_t value, int width) {
  std::string bytes = dir.readText(file);
  ASSERT_LE(offset + static_cast<std::size_t>(width), bytes.size()) << file;
  for (int i = 0; i < width; ++i) bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  dir.writeText(file, bytes);
}

class CliCorruptDataTest : public CliTest {
 protected:
  // Every command fails at once, naming the file as damaged and `detail`.
  void expectDamaged(const std::vector<Args>& commands, const std::string& file, const std::string& detail) {
    for (const Args& args : commands) {
      const auto start = std::chrono::steady_clock::now();
      const CliResult r = run(args);
      EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << args[0];
      EXPECT_EQ(r.status, 1) << args[0] << ": " << r.out;
      // "F is damaged: ..." or "the data file F in DIR is damaged: ...".
      EXPECT_EQ(r.err.rfind("kiv4cli: ", 0), 0u) << r.err;
      EXPECT_NE(r.err.find(file), std::string::npos) << args[0] << ": " << r.err;
      EXPECT_NE(r.err.find(" is damaged: "), std::string::npos) << args[0] << ": " << r.err;
      EXPECT_NE(r.err.find(detail), std::string::npos) << args[0] << ": " << r.err;
      EXPECT_NE(r.err.find("build it again with kivdata"), std::string::npos) << r.err;
      EXPECT_EQ(r.out, "") << args[0];
    }
  }

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

TEST_F(CliCorruptDataTest, NetworkCodeChangedInTheStationIndex) {
  // Network 0 (JR) read as network 1: its stations had no fare any more.
  corrupt<StaIdxFile>(dir / "StaIdx.kv4", readStaIdxFile, writeStaIdxFile,
                      [](StaIdxFile& f) { f.networks[0].code ^= 1; });
  expectDamaged({{"route", "東京", "高崎"}, {"fastest", "東京", "高崎"}, {"fare", "東京", "高崎"}},
                "StaIdx.kv4", "record 1 names network 1 for entry 1, which DistIdx.kv4 gives network 0");
  // A station entry left out between two networks.
  compileNetworkInto(dir, kCliNetwork);
  corrupt<StaIdxFile>(dir / "StaIdx.kv4", readStaIdxFile, writeStaIdxFile, [](StaIdxFile& f) {
    ASSERT_GE(f.networks.size(), 2u);
    f.networks[1].first = static_cast<std::int16_t>(f.networks[1].first + 1);
  });
  expectDamaged({{"fare", "東京", "上野", "--network", "60"}}, "StaIdx.kv4", "record 2 gives first entry");
}

TEST_F(CliCorruptDataTest, CountsThatDoNotFitTheFileLength) {
  // A count of 0 read an empty distance index: an empty fare table, "0円".
  patch(dir, "DistIdx.kv4", 0, 0, 2);
  expectDamaged({{"faretable", "東京"}, {"fastest", "東京", "高崎"}}, "DistIdx.kv4",
                "its header counts 0 records, the file holds");
  compileNetworkInto(dir, kCliNetwork);
  patch(dir, "Transfer.kv4", 0, -1, 4);
  expectDamaged({{"route", "東京", "上野"}}, "Transfer.kv4", "its header counts -1 records");
}

TEST_F(CliCorruptDataTest, FieldsOutOfRange) {
  corrupt<Diagram2File>(dir / "Diagram2.kv4", readDiagram2File, writeDiagram2File,
                        [](Diagram2File& f) { f.records[1].rideMinutes = -32764; });
  expectDamaged({{"route", "東京", "高崎"}, {"reqtime", "東京"}}, "Diagram2.kv4",
                "record 2 gives riding minutes -32764 (0..32767)");
  compileNetworkInto(dir, kCliNetwork);
  corrupt<Diagram2File>(dir / "Diagram2.kv4", readDiagram2File, writeDiagram2File,
                        [](Diagram2File& f) { f.records[0].train = 3; });
  expectDamaged({{"timetable", "東京"}}, "Diagram2.kv4", "record 1 gives train 3 (1..2)");
  compileNetworkInto(dir, kCliNetwork);
  corrupt<TransferFile>(dir / "Transfer.kv4", readTransferFile, writeTransferFile, [](TransferFile& f) {
    f.records.insert(f.records.begin(), TransferRecord{6, 1, 2, 3});
  });
  expectDamaged({{"route", "東京", "上野"}}, "Transfer.kv4", "record 1 gives station 6 (1..5)");
}

// A fare the data give as 0 yen between two stations is no price: the
// fastest route shows it as unknown and says so. The 東急線 train is given
// a network that has no stations, and so no fares.
TEST_F(CliCorruptDataTest, AFareOfNothingIsShownAsUnknown) {
  corrupt<TrainFile>(dir / "Train.kv4", readTrainFile, writeTrainFile,
                     [](TrainFile& f) { f.trains[1].networkCode = 70; });
  const CliResult r = run({"fastest", "東京", "上野", "--time", "9:08", "--day", "月"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("東急線"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find(" 0円"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("運賃  不明"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("no fare from 東京 to 上野 on network 70: the fare is unknown"), std::string::npos)
      << r.err;
}

// The route list says so too: the route over the 東急線 has no price, in
// its section and in its total, while the 山手線 route keeps its fare; the
// JSON of route and fastest gives null with a note; the overview of the best
// routes says 不明.
TEST_F(CliCorruptDataTest, AFareOfNothingIsUnknownInTheRouteListAndTheJson) {
  corrupt<TrainFile>(dir / "Train.kv4", readTrainFile, writeTrainFile,
                     [](TrainFile& f) { f.trains[1].networkCode = 70; });
  // From 9:08 the 東急線 route comes first, the 山手線 one at 10:00 within the extra hour.
  const Args at{"--time", "9:08", "--day", "月", "--order", "found", "--extra", "60"};
  auto with = [&](Args args) {
    args.insert(args.end(), at.begin(), at.end());
    return args;
  };
  const CliResult text = run(with({"route", "東京", "上野", "--mode", "classic"}));
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("  運賃  不明\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("東京→上野  不明\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("  運賃  160円\n"), std::string::npos) << text.out;
  EXPECT_EQ(text.out.find(" 0円"), std::string::npos) << text.out;
  EXPECT_NE(text.err.find("no fare from 東京 to 上野 on network 70: the fare is unknown"), std::string::npos)
      << text.err;

  const CliResult best = run(with({"route", "東京", "上野", "--mode", "best"}));
  ASSERT_EQ(best.status, 0) << best.err;
  EXPECT_NE(best.out.find("乗換0回  不明\n"), std::string::npos) << best.out;
  EXPECT_EQ(best.out.find(" 0円"), std::string::npos) << best.out;

  const CliResult json = run(with({"route", "東京", "上野", "--mode", "classic", "--json"}));
  ASSERT_EQ(json.status, 0) << json.err;
  int unknown = 0;
  int known = 0;
  const auto routes = nlohmann::json::parse(json.out)["routes"];
  for (const auto& route : routes) {
    bool over70 = false;
    for (const auto& section : route["fares"]) {
      const bool sectionUnknown = section["network"] == 70;
      over70 = over70 || sectionUnknown;
      EXPECT_EQ(section["fare"].is_null(), sectionUnknown) << section.dump();
      EXPECT_EQ(section.contains("fare_note"), sectionUnknown) << section.dump();
    }
    (over70 ? unknown : known) += 1;
    EXPECT_EQ(route["fare"].is_null(), over70) << route.dump();
    EXPECT_EQ(route.contains("fare_note"), over70) << route.dump();
    if (!over70) {
      EXPECT_GT(route["fare"].get<int>(), 0) << route.dump();
    }
  }
  EXPECT_GE(unknown, 1) << json.out;
  EXPECT_GE(known, 1) << json.out;

  const CliResult fastest = run({"fastest", "東京", "上野", "--time", "9:08", "--day", "月", "--json"});
  ASSERT_EQ(fastest.status, 0) << fastest.err;
  const auto fastestJson = nlohmann::json::parse(fastest.out);
  EXPECT_TRUE(fastestJson["fare"].is_null()) << fastest.out;
  EXPECT_TRUE(fastestJson["fares"][0]["fare"].is_null()) << fastest.out;
  EXPECT_EQ(fastestJson["fares"][0]["fare_note"], "the fare data give no fare for this section")
      << fastest.out;
}

// The data set as built is sound: nothing is refused.
TEST_F(CliCorruptDataTest, SoundDataIsNotRefused) {
  const CliResult r = run({"fare", "東京", "高崎"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1890\n");
}

}  // namespace
}  // namespace kiv::test
