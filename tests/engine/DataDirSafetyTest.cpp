// The data directory's lock, the atomic replacement of kept files and the
// names of the directory's own files.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "TempDir.h"
#include "data/AtomicFile.h"
#include "data/DataDirFiles.h"
#include "data/DataDirLock.h"
#include "data/DataSetReplace.h"

namespace kiv {
namespace {

using test::TempDir;

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<std::string> namesIn(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    names.push_back(entry.path().filename().string());
  return names;
}

TEST(DataDirLock, SecondHolderWaitsOrGivesUp) {
  TempDir dir;
  DataDirLock first;
  ASSERT_EQ(first.acquire(dir.path(), false), DataDirLock::Result::kLocked);

  // flock locks belong to the open file, so a second open in this process
  // meets the first lock as another process would.
  DataDirLock second;
  EXPECT_EQ(second.acquire(dir.path(), false), DataDirLock::Result::kBusy);
  EXPECT_FALSE(second.locked());

  // A waiting child says so, and gets the lock once the first one goes.
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  if (child == 0) {
    DataDirLock waiting;
    const auto result = waiting.acquire(dir.path(), true, [&] { (void)!write(ready[1], "w", 1); });
    _exit(result == DataDirLock::Result::kLocked ? 0 : 1);
  }
  char said = 0;
  ASSERT_EQ(read(ready[0], &said, 1), 1);
  EXPECT_EQ(said, 'w');
  first.release();
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  close(ready[0]);
  close(ready[1]);

  EXPECT_EQ(second.acquire(dir.path(), false), DataDirLock::Result::kLocked);
}

// Where the lock file can neither be opened nor created, the directory
// itself is locked. Run as an ordinary user, for whom the directory is
// read-only also when the tests run as root.
TEST(DataDirLock, ReadOnlyDirectoryIsLockedThroughItself) {
  TempDir dir;
  chmod(dir.path().c_str(), 0555);
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
    DataDirLock first;
    DataDirLock second;
    const bool ok = first.acquire(dir.path(), false) == DataDirLock::Result::kLocked &&
                    second.acquire(dir.path(), false) == DataDirLock::Result::kBusy &&
                    !std::filesystem::exists(dir / DataDirLock::kLockFileName);
    _exit(ok ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  chmod(dir.path().c_str(), 0755);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

TEST(DataDirLock, MissingDirectoryFails) {
  TempDir dir;
  DataDirLock lock;
  EXPECT_EQ(lock.acquire(dir / "nowhere", true), DataDirLock::Result::kFailed);
  EXPECT_NE(lock.errorText().find("Kiv4.lck"), std::string::npos);
}

TEST(AtomicFile, ReplacesWholeAndKeepsPermissions) {
  TempDir dir;
  dir.writeText("table.txt", "old");
  chmod((dir / "table.txt").c_str(), 0640);
  std::string error;
  ASSERT_TRUE(writeFileAtomically(dir / "table.txt", bytesOf("new content"), &error)) << error;
  EXPECT_EQ(dir.readText("table.txt"), "new content");
  struct stat st {};
  stat((dir / "table.txt").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(namesIn(dir), std::vector<std::string>{"table.txt"});
}

TEST(AtomicFile, FailedWritesKeepTheOldFile) {
  TempDir dir;
  dir.writeText("table.txt", "old");
  std::string error;
  // The writer fails halfway: the old file stays, the temporary one goes.
  EXPECT_FALSE(replaceFileAtomically(
      dir / "table.txt",
      [](const std::filesystem::path& temp) {
        test::TempDir::writeTextTo(temp, "half");
        return false;
      },
      &error));
  EXPECT_EQ(error, "cannot write " + (dir / "table.txt").string());
  EXPECT_EQ(dir.readText("table.txt"), "old");
  EXPECT_EQ(namesIn(dir), std::vector<std::string>{"table.txt"});

  // A full disk, as a file size limit: the write fails and says why.
  const pid_t child = fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4, 4};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(writeFileAtomically(dir / "table.txt", bytesOf("longer than four bytes"), &error) ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
  EXPECT_EQ(dir.readText("table.txt"), "old");
  EXPECT_EQ(namesIn(dir), std::vector<std::string>{"table.txt"});

  // Not a regular file: refused, never written through.
  std::filesystem::create_directory(dir / "sub");
  EXPECT_FALSE(writeFileAtomically(dir / "sub", bytesOf("x"), &error));
  EXPECT_EQ(error, (dir / "sub").string() + " is a directory");
  EXPECT_FALSE(writeFileAtomically("/dev/null", bytesOf("x"), &error));
  EXPECT_EQ(error, "/dev/null is not a regular file");
  EXPECT_FALSE(writeFileAtomically(dir / "none" / "t.txt", bytesOf("x"), &error));
  EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

TEST(DataDirFiles, OwnFilesAreKnownByName) {
  for (const char* name :
       {"StaName.kv4", "staname.KV4", "FAREIDX.KV4", "fareidx.kv4", "Kiv4.def", "kiv4line.dat", "Kiv4.lck",
        "$MltRtL1.kv4", "$FareTbl.kv4", "$jrregu.csv", "TTSrc.kv4", "jrregu.dat"}) {
    EXPECT_TRUE(isDataDirectoryFileName(name)) << name;
  }
  for (const char* name : {"fares.csv", "StaName.txt", "Kiv4.def.bak", "$notes.txt", "table.kv4"}) {
    EXPECT_FALSE(isDataDirectoryFileName(name)) << name;
  }
  TempDir dir;
  std::filesystem::create_directory(dir / "out");
  std::filesystem::create_symlink(dir / "StaName.kv4", dir / "out" / "link.txt");
  EXPECT_TRUE(isDataDirectoryFile(dir / "StaName.kv4", dir.path()));
  EXPECT_TRUE(isDataDirectoryFile(dir / "out" / ".." / "Kiv4.def", dir.path()));
  EXPECT_TRUE(isDataDirectoryFile(dir / "out" / "link.txt", dir.path()));
  EXPECT_FALSE(isDataDirectoryFile(dir / "out" / "StaName.kv4", dir.path()));
  EXPECT_FALSE(isDataDirectoryFile(dir / "table.csv", dir.path()));
}

// A committed set whose move cannot finish (a directory in the place of a
// data file) is kept and named; once the way is free the next start moves
// the rest in, and a start with nothing to do says nothing.
TEST(DataSetReplace, ACommittedSetIsMovedInWhenTheWayIsFree) {
  TempDir dir;
  const std::filesystem::path committed = dir / std::string(kCommittedSetDirName);
  std::filesystem::create_directory(committed);
  for (const std::string& name : dataSetFileNames()) {
    dir.writeText(name, "old " + name);
    TempDir::writeTextTo(committed / name, "new " + name);
  }
  std::filesystem::remove(dir / "FAREW.KV4");
  std::filesystem::create_directories(dir / "FAREW.KV4" / "inside");

  std::vector<std::string> done = recoverDataDirectory(dir.path());
  ASSERT_EQ(done.size(), 1u);
  EXPECT_NE(done[0].find("cannot finish replacing the data set"), std::string::npos) << done[0];
  EXPECT_TRUE(std::filesystem::exists(committed / "FAREW.KV4"));

  std::filesystem::remove_all(dir / "FAREW.KV4");
  done = recoverDataDirectory(dir.path());
  ASSERT_EQ(done.size(), 1u);
  EXPECT_NE(done[0].find("finished replacing the data set"), std::string::npos) << done[0];
  for (const std::string& name : dataSetFileNames()) EXPECT_EQ(dir.readText(name), "new " + name);
  EXPECT_FALSE(std::filesystem::exists(committed));
  EXPECT_TRUE(recoverDataDirectory(dir.path()).empty());
}

}  // namespace
}  // namespace kiv
