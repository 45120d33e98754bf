// A kivdata build killed at any point of replacing a data set: the data
// directory ends with the whole old set or the whole new one once the next
// program has started there, and that program says it finished the replace.
// The kill comes from strace, at the n-th rename, fsync or file write; a
// file size limit stands for a disk that takes no more.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <map>

#include "KivdataTestSupport.h"
#include "data/DataDirLock.h"
#include "data/DataSetReplace.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;

using DataSetBytes = std::map<std::string, std::string>;

DataSetBytes dataSetIn(const fs::path& dir) {
  DataSetBytes set;
  for (const std::string& name : dataSetFileNames())
    set[name] = fs::exists(dir / name) ? readBytes(dir / name) : std::string("<missing>");
  return set;
}

// The shell's exit status of `command`, its standard error in `err`.
int shell(const std::string& command, std::string* err = nullptr, const fs::path& errFile = {}) {
  const int status = std::system(command.c_str());
  if (err && !errFile.empty()) *err = readBytes(errFile);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool straceUsable() { return shell("strace -f -o /dev/null true >/dev/null 2>&1") == 0; }

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

class KivdataKill : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFixture(tree_);
    ASSERT_EQ(tree_.build(out()).rc, 0);
    oldSet_ = dataSetIn(out());
    TempDir::writeTextTo(out() / "Kiv4.def", "settings of the user\n");
    // A new station changes every file of the set.
    tree_.write("jr/02-more.txt", "line 新線\nkind 幹線\n 0.0 甲\n 4.0 庚 こう\n");
    const fs::path probe = tree_.root() / "probe";
    ASSERT_EQ(runKivdataCommand({"build", tree_.src().string(), probe.string()}).rc, 0);
    newSet_ = dataSetIn(probe);
    fs::remove_all(probe);
    ASSERT_NE(oldSet_, newSet_);
  }

  fs::path out() const { return tree_.root() / "out"; }

  // Runs the build with `inject` (an strace injection) and yields its status.
  int buildUnder(const std::string& inject) const {
    return shell("strace -f -o /dev/null -e inject=" + inject + " " + KIVDATA_PATH + " build " +
                 quoted(tree_.src()) + " " + quoted(out()) + " >/dev/null 2>&1");
  }

  // What the next program to start there does first.
  std::vector<std::string> recover() const {
    DataDirLock lock;
    EXPECT_EQ(lock.acquire(out(), false), DataDirLock::Result::kLocked);
    return recoverDataDirectory(out());
  }

  void expectWholeSet(const std::string& when) const {
    const DataSetBytes now = dataSetIn(out());
    EXPECT_TRUE(now == oldSet_ || now == newSet_) << when << ": a mixed or incomplete data set";
    EXPECT_EQ(readBytes(out() / "Kiv4.def"), "settings of the user\n") << when;
    for (const auto& entry : fs::directory_iterator(out())) {
      const std::string name = entry.path().filename().string();
      EXPECT_FALSE(name.starts_with(".kivdata")) << when << ": " << name << " left behind";
    }
  }

  SourceTree tree_;
  DataSetBytes oldSet_;
  DataSetBytes newSet_;
};

TEST_F(KivdataKill, AKillAtAnyRenameOrFlushLeavesTheWholeOldOrNewSet) {
  if (!straceUsable()) GTEST_SKIP() << "strace is missing or may not trace here";
  // 1 commit and 17 moves; the flushes come before and after them.
  for (int n = 1; n <= 19; ++n) {
    const std::string when = "killed at rename " + std::to_string(n);
    EXPECT_NE(buildUnder("rename:signal=SIGKILL:when=" + std::to_string(n)), 0) << when;
    recover();
    expectWholeSet(when);
    // Back to the old set for the next round.
    if (dataSetIn(out()) != oldSet_) {
      SourceTree oldTree;
      writeFixture(oldTree);
      ASSERT_EQ(oldTree.build(out()).rc, 0) << when;
      ASSERT_EQ(dataSetIn(out()), oldSet_) << when;
    }
  }
  for (const char* call : {"fsync:signal=SIGKILL:when=3", "fsync:signal=SIGKILL:when=18",
                           "fsync:signal=SIGKILL:when=19", "write:signal=SIGKILL:when=5"}) {
    buildUnder(call);
    recover();
    expectWholeSet(call);
  }
}

TEST_F(KivdataKill, TheNextBuildFinishesACommittedReplaceAndSaysSo) {
  if (!straceUsable()) GTEST_SKIP() << "strace is missing or may not trace here";
  // Killed after the commit and 9 of the 17 moves: half the files are new.
  EXPECT_NE(buildUnder("rename:signal=SIGKILL:when=11"), 0);
  EXPECT_TRUE(fs::is_directory(out() / ".kivdata-new"));
  std::string err;
  const fs::path errFile = tree_.root() / "err.txt";
  EXPECT_EQ(shell(std::string(KIVDATA_PATH) + " dump " + quoted(out()) + " >/dev/null 2>" + quoted(errFile),
                  &err, errFile),
            0);
  EXPECT_NE(err.find("finished replacing the data set"), std::string::npos) << err;
  EXPECT_EQ(dataSetIn(out()), newSet_);
  expectWholeSet("after the dump");
}

TEST_F(KivdataKill, AnUnfinishedSetIsRemovedAndTheOldOneKept) {
  if (!straceUsable()) GTEST_SKIP() << "strace is missing or may not trace here";
  EXPECT_NE(buildUnder("fsync:signal=SIGKILL:when=4"), 0);
  const std::vector<std::string> done = recover();
  ASSERT_EQ(done.size(), 1u);
  EXPECT_NE(done[0].find("removed the unfinished data set"), std::string::npos) << done[0];
  EXPECT_EQ(dataSetIn(out()), oldSet_);
  expectWholeSet("after the recovery");
}

TEST_F(KivdataKill, AFileSizeLimitIsAFailedWriteNotAKill) {
  std::string err;
  const fs::path errFile = tree_.root() / "err.txt";
  const int rc = shell("ulimit -f 1; " + std::string(KIVDATA_PATH) + " build " + quoted(tree_.src()) + " " +
                           quoted(out()) + " >/dev/null 2>" + quoted(errFile),
                       &err, errFile);
  EXPECT_EQ(rc, 1) << err;
  EXPECT_NE(err.find("cannot write"), std::string::npos) << err;
  EXPECT_NE(err.find("nothing written"), std::string::npos) << err;
  EXPECT_EQ(dataSetIn(out()), oldSet_);
  expectWholeSet("after the short write");
  // Nothing beside the output directory either.
  EXPECT_EQ(tree_.rootEntries().size(), 3u);  // src, out, err.txt
}

}  // namespace
}  // namespace kiv::test
