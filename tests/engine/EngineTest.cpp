#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "DistFareFixture.h"
#include "Engine.h"
#include "TempDir.h"
#include "TimetableFixture.h"
#include "text/Codec.h"

namespace kiv {
namespace {

using test::TempDir;

std::string sjis(const char* utf8) { return *utf8ToSjis(utf8); }

TEST(Engine, BuildsOnAnEmptyDirectory) {
  TempDir dir;
  {
    Engine e(dir.path());
    EXPECT_EQ(e.kiv.getCompanyCount(), 37);  // built in, needs no file
    EXPECT_EQ(e.trains.getTrainCount(), 0);
    EXPECT_EQ(e.trains.checkTrain(1), -1);
    EXPECT_EQ(e.def.getDepHour(), 12);
    EXPECT_EQ(e.staName.getCount(), 0);
    EXPECT_EQ(e.staName.findByName(sjis("東京")), -1);
    EXPECT_EQ(e.dia.getRecordCount(), 0);
    EXPECT_EQ(e.dia.searchStationCount(), 0);
    EXPECT_TRUE(e.dia.departuresOf(1).empty());
    EXPECT_EQ(e.cnct.getTransferCount(), 0);
    EXPECT_EQ(e.dist.getJrEdgeCount() + e.dist.getPrEdgeCount(), 0);
    std::int16_t first = 0, last = 0;
    EXPECT_EQ(e.dist.findEdges(0, 1, first, last), -1);
    EXPECT_EQ(e.staFare.getStationCount(), 0);
    EXPECT_EQ(e.staFare.getNetworkCount(1), -1);
    EXPECT_EQ(e.sta.getEntryCount(), 0);
    EXPECT_EQ(e.sta.findPosition(0, 1), -1);
    EXPECT_EQ(e.fare.specialFare(0, 1, 2), 0);
    // A fare across the objects: no network, no distances, no fare.
    EXPECT_EQ(e.fare.stationFare(0, 1, 2, 1), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "Kiv4.def"));
  }
  EXPECT_EQ(dir.readText("Kiv4.def").substr(0, 12), "dep_h = 12\r\n");
}

// Three stations on one JR line, two trains, one timed departure, one
// transfer record, and a fare record. Written byte by byte: a walking train
// without departures keeps every file's record count small and exact, which
// the tests of damaged files below count on.
void writeFixture(const TempDir& dir) {
  test::DistFareWorld dist(3);
  dist.network(0, {1, 2, 3});
  dist.setNetworks(3, {0, 10});
  dist.jrBoth(1, 2, 13, 1, 13);
  dist.jrBoth(2, 3, 7, 1, 7);
  dist.special(0, 1, 3, 15);
  dist.link(2, 3);
  dist.write(dir.path());

  test::TimetableWorld table({"東京", "神田", "秋葉原"});
  const TrainNo yamanote = table.train("山手線", 0);
  const TrainNo walk = table.train("徒歩", 0);
  table.timed(yamanote, 1, 2, 10, 2, test::servedHours(8, 8)).terminal = 3;
  table.transfer(2, yamanote, walk, 3);
  table.write(dir.path());

  dir.writeText("Kiv4.def", "dep_h = 9\r\ndep_m = 41\r\n");
}

TEST(Engine, EveryObjectSeesItsData) {
  TempDir dir;
  writeFixture(dir);
  {
    Engine e(dir.path());
    EXPECT_EQ(e.trains.getTrainCount(), 2);
    EXPECT_EQ(e.trains.isWalking(2), 1);
    EXPECT_EQ(e.def.getDepHour(), 9);
    EXPECT_EQ(e.def.getDepMinute(), 41);
    EXPECT_EQ(e.staName.getCount(), 3);
    EXPECT_EQ(e.staName.findByName(sjis("神田")), 2);
    // The timetable sized its search table by the station directory built before it.
    EXPECT_EQ(e.dia.searchStationCount(), 3);
    EXPECT_EQ(e.dia.getRecordCount(), 1);
    EXPECT_EQ(e.dia.departuresTowards(1, 2).size(), 1u);
    EXPECT_EQ(e.cnct.getTransferCount(), 1);
    EXPECT_EQ(e.dist.getJrEdgeCount(), 4);
    std::int16_t first = 0, last = 0;
    EXPECT_EQ(e.dist.findEdges(0, 2, first, last), 0);
    EXPECT_EQ(first, 2);
    EXPECT_EQ(last, 3);
    EXPECT_EQ(e.staFare.getNetworkCount(3), 2);
    EXPECT_EQ(e.sta.getNetworkSize(0), 3);
    EXPECT_EQ(e.sta.findPosition(0, 3), 3);
    EXPECT_EQ(e.fare.specialFare(0, 3, 1), 150);
    StationNo linked[4] = {};
    EXPECT_EQ(e.fare.linkedStations(3, 4, linked), 1);
    EXPECT_EQ(linked[0], 2);
    // The objects reach each other: a special fare over the station lists and distances.
    EXPECT_EQ(e.fare.stationFare(0, 1, 3, 0), 150);
    e.def.setDepHour(6);
  }
  EXPECT_EQ(dir.readText("Kiv4.def").substr(0, 11), "dep_h = 6\r\n");
}

// Cuts the last `bytes` bytes off a file.
void cutShort(const std::filesystem::path& file, std::uintmax_t bytes) {
  std::filesystem::resize_file(file, std::filesystem::file_size(file) - bytes);
}

bool hasProblem(const std::vector<std::string>& problems, const std::string& text) {
  return std::find(problems.begin(), problems.end(), text) != problems.end();
}

// The engine names every file it could not use whole, and only those; the
// objects keep their silent empty tables.
TEST(Engine, LoadProblemsNameEachFileThatIsNotWhole) {
  TempDir dir;
  writeFixture(dir);
  dir.writeText("kiv4line.dat", "line\n");
  EXPECT_EQ(Engine(dir.path()).loadProblems(), std::vector<std::string>{});
  // Bytes past the counted records: the count is too small (a changed bit),
  // and so is a negative one.
  const std::string transfers = dir.readText("Transfer.kv4");
  dir.writeText("Transfer.kv4", transfers + "xx");
  EXPECT_EQ(Engine(dir.path()).loadProblems(),
            std::vector<std::string>{"Transfer.kv4 is damaged: its header counts " +
                                     std::to_string(static_cast<unsigned char>(transfers[0])) +
                                     " records, the file holds 2 bytes after the last"});
  dir.writeText("Transfer.kv4", std::string("\xff\xff\xff\xff") + transfers.substr(4));
  EXPECT_EQ(Engine(dir.path()).loadProblems(),
            std::vector<std::string>{"Transfer.kv4 is damaged: its header counts -1 records"});
  dir.writeText("Transfer.kv4", transfers);

  std::filesystem::remove(dir / "StaName.kv4");
  std::filesystem::remove(dir / "kiv4line.dat");
  dir.writeText("Train.kv4", "");
  cutShort(dir / "Diagram2.kv4", 1);
  cutShort(dir / "StaFare.kv4", 2);  // the last station's list loses its second code
  cutShort(dir / "FAREF.KV4", 8);    // its one record
  dir.writeText("FAREIDX.KV4", dir.readText("FAREIDX.KV4") + "abc");
  dir.writeText("StaIdx.kv4", "\x01");  // not even its count
  std::filesystem::remove(dir / "DistJR.kv4");
  std::filesystem::create_directory(dir / "DistJR.kv4");
  std::filesystem::remove(dir / "Kiv4.def");
  const Engine e(dir.path());
  const std::vector<std::string> problems = e.loadProblems();
  for (const char* expected : {
           "StaName.kv4 is missing",
           "Train.kv4 is empty",
           "Diagram2.kv4 is cut short: its header counts 1 records, 0 are whole",
           "StaFare.kv4 is cut short: its header counts 3 records, the file ends before the last",
           "FAREF.KV4 is cut short: its header counts 1 records, 0 are whole",
           "FAREIDX.KV4 is cut short: its last record has 3 of 8 bytes",
           "StaIdx.kv4 is cut short: it is shorter than its header",
           "DistJR.kv4 cannot be read: it is not a regular file",
       }) {
    EXPECT_TRUE(hasProblem(problems, expected)) << expected;
  }
  // The line list is not the engine's to name; a missing settings file only
  // means the defaults; the rest are whole.
  EXPECT_FALSE(hasProblem(problems, "kiv4line.dat is missing"));
  ASSERT_EQ(e.dataFiles().size(), kDataFileNames.size() + 2);
  EXPECT_EQ(std::count_if(e.dataFiles().begin(), e.dataFiles().end(),
                          [](const DataFileStatus& f) { return !f.fine(); }),
            9);
  EXPECT_EQ(e.dataFiles().back().name, "Kiv4.def");
  EXPECT_TRUE(e.dataFiles().back().fine());
  // The objects are as silent as ever.
  EXPECT_EQ(e.staName.getCount(), 0);
  EXPECT_EQ(e.dia.getRecordCount(), 0);
}

// A FIFO or a directory in the place of a file is named without being
// opened for reading (a FIFO would block the program).
TEST(Engine, FilesThatAreNoRegularFilesAreUnreadable) {
  TempDir dir;
  ASSERT_EQ(mkfifo((dir / "Transfer.kv4").c_str(), 0600), 0);
  std::filesystem::create_directory(dir / "Kiv4.def");
  for (const char* name : {"Transfer.kv4", "Kiv4.def"}) {
    const DataFileStatus status = inspectDataFile(dir.path(), name);
    EXPECT_EQ(status.state, DataFileState::kUnreadable) << name;
    EXPECT_EQ(status.reason(), std::string(name) + " cannot be read: it is not a regular file");
  }
  EXPECT_FALSE(inspectDataFile(dir.path(), "Kiv4.def").required);
  EXPECT_EQ(inspectDataFile(dir.path(), "Train.kv4").state, DataFileState::kMissing);
}

TEST(Engine, ScopeGivesTheProcessItsOneEngine) {
  TempDir dir;
  {
    EngineScope scope(dir.path());
    scope.engine().def.pushRecentDep("A");
    // A second engine at the same time is refused; the first stays in place.
    EXPECT_THROW(EngineScope second(dir.path()), std::logic_error);
  }
  EXPECT_NE(dir.readText("Kiv4.def").find("station_dep1 = A\r\n"), std::string::npos);
  // A new scope may follow the ended one.
  EngineScope again(dir.path());
  char buffer[kStationNameSize];
  EXPECT_EQ(again.engine().def.getRecentDep(0, buffer), 0);
  EXPECT_STREQ(buffer, "A");
}

}  // namespace
}  // namespace kiv
