// What kiv4cli finds when it starts where another program was cut short or
// a data set is being replaced: it waits for the build, finishes a replace
// a killed build left, removes what killed runs left behind, and refuses a
// data file that is no regular file instead of blocking on it.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include "CliNetwork.h"
#include "data/DataDirLock.h"
#include "data/DataSetReplace.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;

// Makes a file look a few minutes old.
void backdate(const fs::path& file) {
  const timeval old[2] = {{time(nullptr) - 600, 0}, {time(nullptr) - 600, 0}};
  utimes(file.c_str(), old);
}

// A data file missing while a build holds the lock: the command waits for
// the build and answers from the data set it leaves, instead of failing
// on a look taken before the lock.
TEST_F(CliTest, ACommandLooksAtTheDataFilesOnlyOnceItHoldsTheLock) {
  DataDirLock build;
  ASSERT_EQ(build.acquire(dir.path(), false), DataDirLock::Result::kLocked);
  fs::rename(dir / "Diagram2.kv4", dir / "Diagram2.kv4.aside");
  auto waiting = std::async(std::launch::async, [this] { return run({"route", "東京", "上野"}); });
  EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(700)), std::future_status::timeout);
  fs::rename(dir / "Diagram2.kv4.aside", dir / "Diagram2.kv4");
  build.release();
  const CliResult r = waiting.get();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out, "");
}

// A directory without any data file is still named as no data directory,
// and gets no lock file.
TEST(CliDataDirectory, ADirectoryWithoutDataIsNamedAndGetsNoLockFile) {
  TempDir empty;
  const CliResult r = runCli({"stations"}, empty.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("missing or unreadable data file in"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(empty / DataDirLock::kLockFileName));
}

TEST_F(CliTest, ADataFileThatIsAFifoOrADeviceIsRefusedWithoutWaiting) {
  const std::vector<std::pair<const char*, std::vector<std::string>>> cases = {
      {"Train.kv4", {"route", "東京", "上野"}}, {"StaName.kv4", {"stations"}}};
  for (const auto& [file, args] : cases) {
    const std::string bytes = dir.readText(file);
    fs::remove(dir / file);
    ASSERT_EQ(mkfifo((dir / file).c_str(), 0644), 0);
    auto fifo = std::async(std::launch::async, [this, &args] { return run(args); });
    ASSERT_EQ(fifo.wait_for(std::chrono::seconds(20)), std::future_status::ready) << file << ": blocked";
    CliResult r = fifo.get();
    EXPECT_EQ(r.status, 1) << file << ": " << r.out;
    EXPECT_NE(r.err.find(std::string(file) + " cannot be read: it is not a regular file"), std::string::npos)
        << r.err;

    fs::remove(dir / file);
    fs::create_symlink("/dev/zero", dir / file);
    auto zero = std::async(std::launch::async, [this, &args] { return run(args); });
    ASSERT_EQ(zero.wait_for(std::chrono::seconds(20)), std::future_status::ready) << file << ": reads on";
    r = zero.get();
    EXPECT_EQ(r.status, 1) << file;
    EXPECT_NE(r.err.find("it is not a regular file"), std::string::npos) << r.err;
    fs::remove(dir / file);
    dir.writeText(file, bytes);
  }
}

TEST_F(CliTest, ACommandFinishesAReplaceAKilledBuildLeftAndSaysSo) {
  // The committed new set holds the station list still to be moved in.
  const std::string before = run({"stations"}).out;
  ASSERT_NE(before, "");
  const fs::path committed = dir / std::string(kCommittedSetDirName);
  fs::create_directory(committed);
  fs::copy_file(dir / "StaName.kv4", committed / "StaName.kv4");
  const std::string staName = dir.readText("StaName.kv4");
  fs::remove(dir / "StaName.kv4");  // not even there: the next start brings it
  const fs::path unfinished = dir / (std::string(kUnfinishedSetPrefix) + "123456");
  fs::create_directory(unfinished);
  dir.writeText(unfinished.filename().string() + "/Train.kv4", "half");

  const CliResult r = run({"stations"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, before);
  EXPECT_NE(r.err.find("kiv4cli: finished replacing the data set in "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("kiv4cli: removed the unfinished data set"), std::string::npos) << r.err;
  EXPECT_EQ(dir.readText("StaName.kv4"), staName);
  EXPECT_FALSE(fs::exists(committed));
  EXPECT_FALSE(fs::exists(unfinished));
  // Nothing left to do the next time.
  EXPECT_EQ(run({"stations"}).err, "");
}

TEST_F(CliTest, WhatKilledRunsLeftIsRemovedOnTheNextStart) {
  // A settings copy of a killed save, route lists a killed search left
  // empty, and a recent copy that may be a save going on right now.
  dir.writeText(".Kiv4.def.Ab12Cd", "half");
  backdate(dir / ".Kiv4.def.Ab12Cd");
  dir.writeText(".$FareTbl.kv4.Xy34Zw", "half");
  backdate(dir / ".$FareTbl.kv4.Xy34Zw");
  dir.writeText(".Kiv4.def.Ef56Gh", "being written");
  dir.writeText(".mine.txt.Ab12Cd", "the user's own");
  backdate(dir / ".mine.txt.Ab12Cd");
  dir.writeText("$MltRtL1.kv4", "");
  dir.writeText("$MltRtDt.kv4", "");

  // Scratch files in the temporary directory: one of a run that ended
  // (no such process), one of a running process (this one).
  const fs::path temp = fs::temp_directory_path();
  const fs::path ended = temp / "kiv4cli-999999999-Qw12Er";
  const fs::path running = temp / ("kiv4cli-" + std::to_string(getpid()) + "-Qw12Er");
  TempDir::writeTextTo(ended, "left");
  TempDir::writeTextTo(running, "in use");

  const CliResult r = run({"fare", "東京", "上野"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(fs::exists(dir / ".Kiv4.def.Ab12Cd"));
  EXPECT_FALSE(fs::exists(dir / ".$FareTbl.kv4.Xy34Zw"));
  EXPECT_TRUE(fs::exists(dir / ".Kiv4.def.Ef56Gh"));
  EXPECT_TRUE(fs::exists(dir / ".mine.txt.Ab12Cd"));
  EXPECT_FALSE(fs::exists(dir / "$MltRtL1.kv4"));
  EXPECT_FALSE(fs::exists(dir / "$MltRtDt.kv4"));
  EXPECT_NE(r.err.find("removed .Kiv4.def.Ab12Cd"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(ended));
  EXPECT_TRUE(fs::exists(running));
  fs::remove(running);
}

// Room for 4 KiB: the fare table of the sample passes it halfway.
TEST(CliFileSizeLimit, IsReportedNotAKill) {
  TempDir dir;
  fs::copy(KIV_SAMPLE_DIR, dir.path(), fs::copy_options::recursive);
  const CliResult r = runCli({"faretable", "東京"}, dir.path(), false, [] {
    const rlimit room{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &room);
  });
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("kiv4cli: cannot write "), std::string::npos) << r.err;
}

}  // namespace
}  // namespace kiv::test
