// The data compiler never leaves a data set half replaced, never passes off
// a failed dump as done, and refuses sources that would silently lose part
// of the network or price a journey below nothing.
#include <gtest/gtest.h>

#include <streambuf>

#include "KivdataTestSupport.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;

TEST(KivdataSafety, ADataFileThatCannotBeReplacedKeepsTheWholeOldSet) {
  SourceTree tree;
  writeFixture(tree);
  const fs::path out = tree.root() / "out";
  ASSERT_EQ(tree.build(out).rc, 0);
  std::vector<std::string> before;
  for (const char* name : {"StaName.kv4", "Train.kv4", "DistJR.kv4", "FAREF.KV4"}) {
    before.push_back(readBytes(out / name));
  }

  // A new station changes every file; the last data file is a directory.
  tree.write("jr/02-more.txt", "line 新線\nkind 幹線\n 0.0 甲\n 4.0 庚 こう\n");
  fs::remove(out / "FAREW.KV4");
  fs::create_directory(out / "FAREW.KV4");
  const KivdataRun run = tree.build(out);
  EXPECT_EQ(run.rc, 1);
  EXPECT_NE(run.err.find("FAREW.KV4 is in the way"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("nothing written"), std::string::npos) << run.err;
  int i = 0;
  for (const char* name : {"StaName.kv4", "Train.kv4", "DistJR.kv4", "FAREF.KV4"}) {
    EXPECT_EQ(readBytes(out / name), before[i++]) << name;
  }
  EXPECT_EQ(tree.rootEntries().size(), 2u);  // src and out, nothing set aside

  fs::remove(out / "FAREW.KV4");
  ASSERT_EQ(tree.build(out).rc, 0);
  EXPECT_NE(readBytes(out / "StaName.kv4"), before[0]);
  EXPECT_EQ(tree.rootEntries().size(), 2u);
}

TEST(KivdataSafety, DanglingSourceLinkIsAnError) {
  SourceTree tree;
  writeFixture(tree);
  fs::create_symlink(tree.root() / "gone.txt", tree.src() / "pr" / "02-gone.txt");
  const KivdataRun run = tree.build(tree.root() / "out");
  EXPECT_EQ(run.rc, 1);
  EXPECT_NE(run.err.find("pr/02-gone.txt: is a link to a file that does not exist"), std::string::npos)
      << run.err;
  EXPECT_FALSE(fs::exists(tree.root() / "out"));
}

TEST(KivdataSafety, ReductionLargerThanTheFareIsRefused) {
  SourceTree tree;
  writeFixture(tree);
  tree.write("zz-fares.txt", "reduce 0 甲 乙 9990\nreduce 10 戊 己 20\n");
  const KivdataRun run = tree.build(tree.root() / "out");
  EXPECT_EQ(run.rc, 1);
  EXPECT_NE(run.err.find("reduce 0 甲 乙 9990: larger than the fare of "), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("戊 己"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("kivdata: 1 error, nothing written"), std::string::npos) << run.err;
  EXPECT_EQ(tree.rootEntries().size(), 1u);  // src only
}

// A stream buffer that takes nothing, as a full disk or a closed standard
// output.
class FullDisk : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(KivdataSafety, DumpThatCannotBeWrittenFails) {
  SourceTree tree;
  writeFixture(tree);
  const fs::path out = tree.root() / "out";
  ASSERT_EQ(tree.build(out).rc, 0);
  FullDisk full;
  std::ostream stream(&full);
  std::ostringstream err;
  EXPECT_EQ(kiv::data::runKivdata({"dump", out.string()}, stream, err), 1);
  EXPECT_EQ(err.str(), "kivdata: cannot write the dump to standard output\n");
}

}  // namespace
}  // namespace kiv::test
