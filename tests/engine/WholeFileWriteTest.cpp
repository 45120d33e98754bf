// Work files written over their old bytes must hold exactly what a fresh
// write gives, and must never write through a second name of the file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "TempDir.h"
#include "report/WorkFileWriter.h"

namespace kiv::work_files {
namespace {

bool overwriteText(const std::filesystem::path& file, const std::string& text) {
  return writeWholeText(file, text, WholeFile::kOverOldBytes);
}
bool replaceText(const std::filesystem::path& file, const std::string& text) {
  return writeWholeText(file, text, WholeFile::kReplacing);
}

TEST(WholeFileWrite, WritingOverALongerOrShorterFileGivesOnlyTheNewText) {
  test::TempDir dir;
  const auto file = dir / "$RqTmTbl.kv4";
  ASSERT_TRUE(overwriteText(file, "0 a\n1 0 long line\n2 0 b 5\n"));
  EXPECT_EQ(dir.readText("$RqTmTbl.kv4"), "0 a\r\n1 0 long line\r\n2 0 b 5\r\n");
  ASSERT_TRUE(overwriteText(file, "0 x\n"));
  EXPECT_EQ(dir.readText("$RqTmTbl.kv4"), "0 x\r\n");
  ASSERT_TRUE(replaceText(file, "a longer text than before\n"));
  EXPECT_EQ(dir.readText("$RqTmTbl.kv4"), "a longer text than before\r\n");
  ASSERT_TRUE(replaceText(file, ""));
  EXPECT_EQ(dir.readText("$RqTmTbl.kv4"), "");
  EXPECT_TRUE(replaceText(dir / "new.kv4", "n\n"));
  EXPECT_EQ(dir.readText("new.kv4"), "n\r\n");
}

TEST(WholeFileWrite, ReplacingALinkedFileLeavesTheOtherNameAlone) {
  test::TempDir dir;
  dir.writeText("StaName.kv4", "station data");
  std::filesystem::create_symlink(dir / "StaName.kv4", dir / "TTSrc.kv4");
  std::filesystem::create_hard_link(dir / "StaName.kv4", dir / "$VTT.kv4");
  ASSERT_TRUE(replaceText(dir / "TTSrc.kv4", "source\n"));
  ASSERT_TRUE(replaceText(dir / "$VTT.kv4", "report\n"));
  EXPECT_EQ(dir.readText("StaName.kv4"), "station data");
  EXPECT_FALSE(std::filesystem::is_symlink(dir / "TTSrc.kv4"));
  EXPECT_EQ(dir.readText("TTSrc.kv4"), "source\r\n");
  EXPECT_EQ(dir.readText("$VTT.kv4"), "report\r\n");
}

TEST(WholeFileWrite, AFileThatCannotBeWrittenFails) {
  test::TempDir dir;
  std::filesystem::create_directory(dir / "sub");
  dir.writeText("sub/x", "keep");
  EXPECT_FALSE(overwriteText(dir / "sub", "text\n"));
  EXPECT_FALSE(replaceText(dir / "sub", "text\n"));
  EXPECT_FALSE(overwriteText(dir / "missing" / "file.kv4", "text\n"));
  EXPECT_EQ(dir.readText("sub/x"), "keep");
}

// A kept work file is written over through its open file while the name
// names it, and written anew as a replacing write does once the name names
// another file: removed, replaced, linked a second time, or a directory.
TEST(WholeFileWrite, AKeptFileFollowsWhatTheNameNamesBetweenWrites) {
  test::TempDir dir;
  const auto file = dir / "$VTT.kv4";
  KeptWorkFile kept(file);
  ASSERT_TRUE(kept.write("a long first text\r\n"));
  ASSERT_TRUE(kept.write("short\r\n"));
  EXPECT_EQ(dir.readText("$VTT.kv4"), "short\r\n");
  ASSERT_TRUE(kept.write("longer than short\r\n"));
  EXPECT_EQ(dir.readText("$VTT.kv4"), "longer than short\r\n");

  std::filesystem::remove(file);
  ASSERT_TRUE(kept.write("after removal\r\n"));
  EXPECT_EQ(dir.readText("$VTT.kv4"), "after removal\r\n");

  dir.writeText("other", "someone else's file");
  std::filesystem::rename(dir / "other", file);
  ASSERT_TRUE(kept.write("x\r\n"));
  EXPECT_EQ(dir.readText("$VTT.kv4"), "x\r\n");

  std::filesystem::create_hard_link(file, dir / "second");
  ASSERT_TRUE(kept.write("not through the link\r\n"));
  EXPECT_EQ(dir.readText("$VTT.kv4"), "not through the link\r\n");
  EXPECT_EQ(dir.readText("second"), "x\r\n");

  kept.remove();
  EXPECT_FALSE(std::filesystem::exists(file));
  std::filesystem::create_directory(file);
  dir.writeText("$VTT.kv4/inside", "keep");
  EXPECT_FALSE(kept.write("text\r\n"));
  EXPECT_EQ(dir.readText("$VTT.kv4/inside"), "keep");
}

// Every way a work file is written replaces a link under its name (never
// writing through it), and refuses a FIFO or a device there (never writing
// to it, never replacing it).
TEST(WholeFileWrite, LinksAreReplacedFifosAndDevicesRefused) {
  test::TempDir dir;
  const auto linkTo = [&](const std::string& name, const std::filesystem::path& target) {
    std::filesystem::remove(dir / name);
    std::filesystem::create_symlink(target, dir / name);
  };
  const std::filesystem::path file = dir / "$FareTbl.kv4";
  linkTo("$FareTbl.kv4", "/dev/null");
  ASSERT_TRUE(writeWholeBytes(file, "a\r\n", WholeFile::kOverOldBytes));
  EXPECT_FALSE(std::filesystem::is_symlink(file));
  linkTo("$FareTbl.kv4", "/dev/null");
  {
    WorkFileWriter out(file, WorkFileWriter::Mode::kAppend);
    out.line("b");
    EXPECT_TRUE(out.close());
  }
  EXPECT_EQ(dir.readText("$FareTbl.kv4"), "b\r\n");
  dir.writeText("data.kv4", "data");
  linkTo("$FareTbl.kv4", "data.kv4");
  {
    WorkFileWriter out(file, WorkFileWriter::Mode::kAppend);
    out.line("+");
    EXPECT_TRUE(out.close());
  }
  EXPECT_EQ(dir.readText("$FareTbl.kv4"), "data+\r\n");
  EXPECT_EQ(dir.readText("data.kv4"), "data");
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));

  std::filesystem::remove(file);
  ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
  EXPECT_FALSE(WorkFileWriter(file).isOpen());
  EXPECT_FALSE(writeWholeBytes(file, "x\r\n"));
  EXPECT_FALSE(writeWholeText(file, "x\n", WholeFile::kOverOldBytes));
  EXPECT_TRUE(std::filesystem::is_fifo(file));
  // A device by its own name (as a path given outside the data directory).
  EXPECT_FALSE(WorkFileWriter("/dev/null").isOpen());
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

}  // namespace
}  // namespace kiv::work_files
