// A data directory that fails under the commands: read-only, a data file
// missing or unreadable, work files that are directories, a full disk. Every
// command then fails with a message and exit status 1 (a settings file that
// cannot be written only warns), and the user's files stay as they were.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <vector>

#include "CliNetwork.h"

namespace kiv::test {
namespace {

using Args = std::vector<std::string>;

const std::vector<Args> kCommands = {
    {"route", "東京", "上野"},
    {"fastest", "東京", "上野"},
    {"faretable", "東京"},
    {"faretable", "東京", "-o", "kept.txt"},
    {"reqtime", "東京"},
    {"reqtime", "東京", "-o", "kept.txt"},
    {"timetable", "東京", "--hour", "9"},
    {"stations"},
    {"jrcheap"},
    {"tokyo101"},
};
const Args kFare = {"fare", "東京", "上野"};

// Runs as an ordinary user, so that file permissions hold also for root.
void asOrdinaryUser() {
  if (geteuid() != 0) return;
  if (setgid(65534) != 0 || setuid(65534) != 0) _exit(125);
}

// A copy of kiv4cli that the ordinary user can start: the build tree may
// lie where only root can reach it (a clone in root's home, mode 700), so
// the copy goes into a fresh directory of the system's temporary directory,
// open to all. Removed when the tests end.
class ReachableProgram {
 public:
  ReachableProgram() {
    const std::filesystem::path copy = dir_ / "kiv4cli";
    std::error_code ec;
    std::filesystem::copy_file(KIV4CLI_PATH, copy, ec);
    if (ec || chmod(dir_.path().c_str(), 0755) != 0 || chmod(copy.c_str(), 0755) != 0) return;
    path_ = copy.string();
  }
  // Empty when no copy could be made.
  const std::string& path() const { return path_; }

 private:
  TempDir dir_;
  std::string path_;
};

const std::string& reachableProgram() {
  static const ReachableProgram program;
  return program.path();
}

// kiv4cli run as an ordinary user (see asOrdinaryUser).
CliResult runAsOrdinaryUser(const Args& args, const std::filesystem::path& cwd) {
  if (geteuid() != 0) return runCli(args, cwd);
  return runCliProgram(reachableProgram(), args, cwd, false, asOrdinaryUser);
}

// A disk that takes no more bytes: every write that grows a file fails.
void onFullDisk() {
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit none{0, 0};
  setrlimit(RLIMIT_FSIZE, &none);
}

class CliFaultTest : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    dir.writeText("kept.txt", "the user's own file\n");
    settings = dir.readText("Kiv4.def");
  }

  // Runs every command; each must fail with a message of kiv4cli, and the
  // settings file and the -o target must stay as they were (where the
  // settings can be written, a failed command still moves its stations to
  // the top of the recent lists, as the windowed program does: then the
  // file must be whole).
  void expectEveryCommandFails(const std::function<CliResult(const Args&)>& runOne, const std::string& why,
                               bool settingsWritable = false) {
    for (const Args& args : kCommands) {
      const CliResult r = runOne(args);
      const std::string what = why + ": " + args[0] + (args.size() > 2 ? " " + args[2] : "");
      EXPECT_EQ(r.status, 1) << what << "\n" << r.out << r.err;
      EXPECT_NE(r.err.find("kiv4cli: "), std::string::npos) << what << ": " << r.err;
      if (settingsWritable) {
        EXPECT_NE(settingOf(dir, "station_arv10"), "(missing)") << what;
        EXPECT_EQ(dir.readText("kept.txt"), "the user's own file\n") << what;
      } else {
        expectUserFilesKept(what);
      }
    }
  }
  void expectUserFilesKept(const std::string& what) {
    EXPECT_EQ(dir.readText("Kiv4.def"), settings) << what;
    EXPECT_EQ(dir.readText("kept.txt"), "the user's own file\n") << what;
  }

  std::string settings;
};

TEST_F(CliFaultTest, ReadOnlyDirectory) {
  chmod(dir.path().c_str(), 0555);
  expectEveryCommandFails([this](const Args& args) { return runAsOrdinaryUser(args, dir.path()); },
                          "read-only");
  // The fare writes no work file: it is printed, and the settings file that
  // cannot be written is named.
  const CliResult r = runAsOrdinaryUser(kFare, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("warning: cannot write Kiv4.def"), std::string::npos) << r.err;
  expectUserFilesKept("fare");
  chmod(dir.path().c_str(), 0755);
}

// A settings file made read-only keeps its content; the command works and
// says that the recent stations were not saved.
TEST_F(CliFaultTest, ReadOnlySettingsFile) {
  chmod(dir.path().c_str(), 0777);
  chmod((dir / "Kiv4.def").c_str(), 0444);
  const CliResult r = runAsOrdinaryUser({"faretable", "東京"}, dir.path());
  chmod(dir.path().c_str(), 0755);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("kiv4cli: warning: cannot write Kiv4.def in "), std::string::npos) << r.err;
  expectUserFilesKept("read-only settings");
}

TEST_F(CliFaultTest, FullDisk) {
  expectEveryCommandFails([this](const Args& args) { return runCli(args, dir.path(), false, onFullDisk); },
                          "full disk");
  const CliResult r = runCli(kFare, dir.path(), false, onFullDisk);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("cannot write the work files in "), std::string::npos) << r.err;
  expectUserFilesKept("fare");
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_NE(entry.path().filename().string()[0], '.') << "left over " << entry.path();
  }
}

// A disk that fills up in the middle of a table (room for 4 KiB, enough
// to start): the table is reported by the name of its file, never printed
// as a table with fewer lines.
TEST(CliFullDisk, NamesTheTableThatWasCutShort) {
  TempDir dir;
  std::filesystem::copy(KIV_SAMPLE_DIR, dir.path(), std::filesystem::copy_options::recursive);
  const auto fillsUp = [] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit room{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &room);
  };
  const std::vector<std::pair<Args, std::string>> cases = {
      {{"faretable", "東京"}, "$FareTbl.kv4"}, {{"stations"}, "$stalist.kv4"}, {{"jrcheap"}, "jrregu.dat"}};
  for (const auto& [args, file] : cases) {
    const CliResult r = runCli(args, dir.path(), false, fillsUp);
    EXPECT_EQ(r.status, 1) << file;
    EXPECT_EQ(r.out, "") << file;
    EXPECT_NE(r.err.find("kiv4cli: cannot write " + file), std::string::npos) << file << ": " << r.err;
  }
}

TEST_F(CliFaultTest, WorkFilesThatAreDirectories) {
  for (const char* file :
       {"$MltRtL1.kv4", "$MltRtDt.kv4", "$TT$.kv4", "$FareTbl.kv4", "$RqTmTbl.kv4", "TTSrc.kv4", "$VTT.kv4",
        "$stalist.kv4", "jrregu.dat", "$jrregu.csv", "$TKY101.KV4"}) {
    std::filesystem::create_directories(dir / file / "keep");
  }
  expectEveryCommandFails([this](const Args& args) { return runCli(args, dir.path()); },
                          "work file is a directory", true);
}

TEST_F(CliFaultTest, MissingOrUnreadableDataFile) {
  for (const char* file : {"StaName.kv4", "Diagram2.kv4", "FAREF.KV4"}) {
    const std::filesystem::path path = dir / file;
    const std::string bytes = dir.readText(file);
    std::filesystem::remove(path);
    CliResult r = run({"route", "東京", "上野"});
    EXPECT_EQ(r.status, 1) << file;
    EXPECT_NE(r.err.find(file), std::string::npos) << r.err;

    dir.writeText(file, bytes);
    chmod(path.c_str(), 0);
    r = runAsOrdinaryUser({"route", "東京", "上野"}, dir.path());
    EXPECT_EQ(r.status, 1) << file;
    EXPECT_NE(r.err.find(std::string("\nkiv4cli: ") + file + " cannot be read: Permission denied\n"),
              std::string::npos)
        << r.err;
    chmod(path.c_str(), 0644);
    expectUserFilesKept(file);
  }
}

// A data file shorter than its record count (a copy cut off) is named
// before any command that reads it answers; the settings stay untouched.
TEST_F(CliFaultTest, DataFileCutShortIsNamed) {
  const std::string bytes = dir.readText("Diagram2.kv4");
  dir.writeText("Diagram2.kv4", bytes.substr(0, bytes.size() - 3));
  const std::string whole = std::to_string((bytes.size() - 12) / 20);
  for (const Args& args : {Args{"route", "東京", "上野"}, Args{"timetable", "東京", "--hour", "9"}}) {
    const CliResult r = run(args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_EQ(r.out, "") << args[0];
    EXPECT_EQ(r.err, "kiv4cli: the data file Diagram2.kv4 in " + dir.path().string() +
                         " is cut short: its header counts " + whole + " records, " +
                         std::to_string(std::stoi(whole) - 1) + " are whole; build it again with kivdata\n");
    expectUserFilesKept(args[0]);
  }
}

// -o never replaces a file of the data directory: data files, the settings
// file, the work files, also when named by another path or through a link.
TEST_F(CliFaultTest, ExportsNeverReplaceTheDataDirectorysOwnFiles) {
  std::filesystem::create_directory(dir / "sub");
  std::filesystem::create_symlink("../Kiv4.def", dir / "sub" / "link.txt");
  const std::string names = dir.readText("StaName.kv4");
  ASSERT_EQ(run({"reqtime", "東京"}).status, 0);
  const std::string reqtimes = dir.readText("$RqTmTbl.kv4");
  const std::string settingsNow = dir.readText("Kiv4.def");
  for (const char* target :
       {"StaName.kv4", "Kiv4.def", "$RqTmTbl.kv4", "sub/../FAREF.KV4", "sub/link.txt", "fareidx.kv4"}) {
    for (const Args& args :
         {Args{"faretable", "東京", "-o", target}, Args{"reqtime", "東京", "-o", target}}) {
      const CliResult r = run(args);
      EXPECT_EQ(r.status, 1) << target;
      EXPECT_NE(r.err.find(" is a file of the data directory"), std::string::npos) << target << ": " << r.err;
    }
  }
  EXPECT_EQ(dir.readText("StaName.kv4"), names);
  EXPECT_EQ(dir.readText("$RqTmTbl.kv4"), reqtimes);
  EXPECT_FALSE(std::filesystem::exists(dir / "fareidx.kv4"));
  EXPECT_EQ(dir.readText("Kiv4.def"), settingsNow);

  // Elsewhere the export replaces the old file whole.
  const CliResult r = run({"reqtime", "東京", "-o", "sub/times.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(dir.readText("sub/times.txt"), "");
}

}  // namespace
}  // namespace kiv::test
