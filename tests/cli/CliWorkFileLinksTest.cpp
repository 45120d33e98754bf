// Work files and the settings file whose names are symbolic or hard links to
// other files (a data file, say): every command writes its files by
// replacing the name, so the file the link leads to keeps its bytes.
#include <gtest/gtest.h>

#include "CliNetwork.h"
#include "report/WorkFiles.h"

namespace kiv::test {
namespace {

struct Writer {
  std::vector<std::string> args;
  std::vector<std::string> files;  // the work files it writes
};

const std::vector<Writer>& writers() {
  using namespace work_files;
  static const std::vector<Writer> all = {
      {{"route", "東京", "上野"},
       {kRouteListFound, kRouteListTime, kRouteListFare, kRouteDetails, kRouteSearchLog}},
      {{"fastest", "東京", "上野"}, {kFastestReport}},
      {{"faretable", "東京"}, {kFareTable}},
      {{"reqtime", "東京"}, {kRequiredTimes}},
      {{"timetable", "東京", "--hour", "9"}, {kTimetableSource, kTimetableReport}},
      {{"stations"}, {kStationList}},
      {{"jrcheap"}, {kJrCheapestPairs, kJrCheapestCsv}},
      {{"tokyo101"}, {kTokyoZoneList}},
  };
  return all;
}

class CliWorkFileLinksTest : public CliTest {
 protected:
  // Puts a link to a file of its own in place of each work file (and of the
  // settings file), runs every command and checks that the linked files kept
  // their bytes and that each name now is a file of its own.
  void expectNeverWrittenThrough(bool symbolic) {
    std::vector<std::string> names = {"Kiv4.def"};
    for (const Writer& w : writers()) names.insert(names.end(), w.files.begin(), w.files.end());
    const std::string settings = dir.readText("Kiv4.def");
    for (std::size_t k = 0; k < names.size(); ++k) {
      const std::string target = "kept" + std::to_string(k) + ".txt";
      dir.writeText(target, k == 0 ? settings : "kept " + std::to_string(k));
      std::filesystem::remove(dir / names[k]);
      if (symbolic) {
        std::filesystem::create_symlink(target, dir / names[k]);
      } else {
        std::filesystem::create_hard_link(dir / target, dir / names[k]);
      }
    }
    for (const Writer& w : writers()) {
      const CliResult r = run(w.args);
      EXPECT_EQ(r.status, 0) << w.args[0] << ": " << r.err;
    }
    for (std::size_t k = 0; k < names.size(); ++k) {
      const std::string target = "kept" + std::to_string(k) + ".txt";
      EXPECT_EQ(dir.readText(target), k == 0 ? settings : "kept " + std::to_string(k)) << names[k];
      EXPECT_FALSE(std::filesystem::is_symlink(dir / names[k])) << names[k];
      EXPECT_EQ(std::filesystem::hard_link_count(dir / names[k]), 1u) << names[k];
    }
    // No new file was left beside a name.
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
  }
};

TEST_F(CliWorkFileLinksTest, SymbolicLinksAreReplacedNotWrittenThrough) { expectNeverWrittenThrough(true); }

TEST_F(CliWorkFileLinksTest, HardLinksAreReplacedNotWrittenThrough) { expectNeverWrittenThrough(false); }

// The files written by replacing a link are the same bytes as those written
// over a plain file.
TEST_F(CliWorkFileLinksTest, TheBytesAreThoseOfAPlainWrite) {
  for (const Writer& w : writers()) ASSERT_EQ(run(w.args).status, 0) << w.args[0];
  std::vector<std::pair<std::string, std::string>> plain;
  for (const Writer& w : writers())
    for (const std::string& f : w.files) plain.emplace_back(f, dir.readText(f));
  for (const auto& [name, bytes] : plain) {
    std::filesystem::remove(dir / name);
    std::filesystem::create_symlink("elsewhere.txt", dir / name);
  }
  for (const Writer& w : writers()) ASSERT_EQ(run(w.args).status, 0) << w.args[0];
  for (const auto& [name, bytes] : plain) EXPECT_EQ(dir.readText(name), bytes) << name;
  EXPECT_FALSE(std::filesystem::exists(dir / "elsewhere.txt"));
}

}  // namespace
}  // namespace kiv::test
