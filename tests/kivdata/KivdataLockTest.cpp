// kivdata build and a command running in the same data directory: the build
// takes the directory's lock, so it never replaces the data files under a
// running command. The command is another process holding the lock.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include "KivdataTestSupport.h"
#include "data/DataDirLock.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;

// A process that holds the lock of a directory until release() (or its end).
class LockHolder {
 public:
  explicit LockHolder(const fs::path& dir) {
    if (pipe(toHolder_) != 0 || pipe(fromHolder_) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(toHolder_[1]);
      close(fromHolder_[0]);
      DataDirLock lock;
      char state = lock.acquire(dir, false) == DataDirLock::Result::kLocked ? 'L' : 'F';
      if (write(fromHolder_[1], &state, 1) != 1 || read(toHolder_[0], &state, 1) < 0) _exit(1);
      _exit(0);
    }
    close(toHolder_[0]);
    close(fromHolder_[1]);
    char state = 0;
    locked_ = read(fromHolder_[0], &state, 1) == 1 && state == 'L';
  }
  ~LockHolder() { release(); }

  bool locked() const { return locked_; }
  void release() {
    if (pid_ <= 0) return;
    close(toHolder_[1]);
    close(fromHolder_[0]);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  int toHolder_[2] = {-1, -1};
  int fromHolder_[2] = {-1, -1};
  pid_t pid_ = -1;
  bool locked_ = false;
};

TEST(KivdataLock, BuildWaitsForTheCommandInTheDirectoryOrWithNoWaitGivesUp) {
  SourceTree tree;
  writeFixture(tree);
  const fs::path out = tree.root() / "out";
  ASSERT_EQ(tree.build(out).rc, 0);
  const std::string before = readBytes(out / "StaName.kv4");
  tree.write("jr/02-more.txt", "line 新線\nkind 幹線\n 0.0 甲\n 4.0 庚 こう\n");

  LockHolder command(out);
  ASSERT_TRUE(command.locked());
  KivdataRun run = runKivdataCommand({"build", "--no-wait", tree.src().string(), out.string()});
  EXPECT_EQ(run.rc, 1);
  EXPECT_EQ(run.err,
            "kivdata: a command is running in " + out.string() + " (--no-wait given), nothing written\n");
  EXPECT_EQ(readBytes(out / "StaName.kv4"), before);

  auto waiting = std::async(std::launch::async, [&] {
    return runKivdataCommand({"build", tree.src().string(), out.string()});
  });
  EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(700)), std::future_status::timeout);
  EXPECT_EQ(readBytes(out / "StaName.kv4"), before);
  command.release();
  run = waiting.get();
  EXPECT_EQ(run.rc, 0) << run.err;
  EXPECT_EQ(run.err, "kivdata: waiting for the command running in " + out.string() + " to finish\n");
  EXPECT_NE(readBytes(out / "StaName.kv4"), before);

  // --no-wait stands anywhere after build; dump takes no such option.
  EXPECT_EQ(runKivdataCommand({"build", tree.src().string(), out.string(), "--no-wait"}).rc, 0);
  EXPECT_EQ(runKivdataCommand({"dump", "--no-wait", out.string()}).rc, 2);
}

// A window program that has the directory open keeps its data set: a
// build waits for the window to end, or with --no-wait gives up.
TEST(KivdataLock, BuildWaitsForAnOpenWindowOrWithNoWaitGivesUp) {
  SourceTree tree;
  writeFixture(tree);
  const fs::path out = tree.root() / "out";
  ASSERT_EQ(tree.build(out).rc, 0);
  const std::string before = readBytes(out / "StaName.kv4");
  tree.write("jr/02-more.txt", "line 新線\nkind 幹線\n 0.0 甲\n 4.0 庚 こう\n");

  DataDirUse window;
  ASSERT_EQ(window.acquire(out, false, false), DataDirLock::Result::kLocked);
  KivdataRun run = runKivdataCommand({"build", "--no-wait", tree.src().string(), out.string()});
  EXPECT_EQ(run.rc, 1);
  EXPECT_EQ(run.err,
            "kivdata: a window program has " + out.string() + " open (--no-wait given), nothing written\n");
  EXPECT_EQ(readBytes(out / "StaName.kv4"), before);

  auto waiting = std::async(std::launch::async, [&] {
    return runKivdataCommand({"build", tree.src().string(), out.string()});
  });
  EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(700)), std::future_status::timeout);
  window.release();
  run = waiting.get();
  EXPECT_EQ(run.rc, 0) << run.err;
  EXPECT_NE(run.err.find("waiting for the window program"), std::string::npos) << run.err;
  EXPECT_NE(readBytes(out / "StaName.kv4"), before);
}

}  // namespace
}  // namespace kiv::test
