// Work files that cannot be written whole after the room check passed (the
// file size limit, or a disk that fills during the search): the route
// commands name the files and fail, and never say that there is no route.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "CliRunner.h"
#include "TempDir.h"

#ifdef KIV_SAMPLE_DIR

namespace kiv::test {
namespace {

// Files may grow to 4 KiB, which the room check accepts; longer ones are cut.
void withSmallFileLimit() {
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit small{4096, 4096};
  setrlimit(RLIMIT_FSIZE, &small);
}

// The sample network's data files, without the work files of earlier runs.
void copySampleData(const TempDir& dir) {
  for (const auto& file : std::filesystem::directory_iterator(KIV_SAMPLE_DIR)) {
    if (file.path().filename().string()[0] != '$')
      std::filesystem::copy(file.path(), dir / file.path().filename().string());
  }
}

TEST(CliWriteFailure, RouteListsCutShortAreNamedNotTakenForNoRoute) {
  TempDir dir;
  copySampleData(dir);
  const std::vector<std::string> route = {"route", "東京", "高崎", "--time", "9:00", "--day", "月"};
  ASSERT_EQ(runCli(route, dir.path()).status, 0);
  ASSERT_GT(std::filesystem::file_size(dir / "$MltRtDt.kv4"), 4096u) << "the details must outgrow the limit";

  CliResult r = runCli(route, dir.path(), false, withSmallFileLimit);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "kiv4cli: cannot write $MltRtL1.kv4 and $MltRtDt.kv4 in " + dir.path().string() +
                       " whole (is the disk full?); the route search has no result\n");
}

TEST(CliWriteFailure, ASortedRouteListThatCannotBeWrittenIsNamed) {
  TempDir dir;
  copySampleData(dir);
  std::filesystem::create_directory(dir / "$MltRtL3.kv4");
  CliResult r = runCli({"route", "東京", "高崎", "--time", "9:00", "--day", "月"}, dir.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "kiv4cli: cannot write $MltRtL3.kv4 in " + dir.path().string() + "\n");
}

}  // namespace
}  // namespace kiv::test

#endif
