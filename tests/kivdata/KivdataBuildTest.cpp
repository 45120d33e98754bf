// Building and dumping: the output is reproducible, the dump is stable, an
// existing working directory keeps its own files, and the generated line list
// and tables follow the order of the sources.
#include <gtest/gtest.h>

#include "Compiler.h"
#include "Emitter.h"
#include "KivdataTestSupport.h"
#include "text/Codec.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;

TEST(KivdataBuild, BuildIsReproducibleAndDumpIsStable) {
  SourceTree tree;
  writeFixture(tree);
  fs::path out1 = tree.root() / "out1";
  fs::path out2 = tree.root() / "out2";
  KivdataRun first = tree.build(out1);
  ASSERT_EQ(first.rc, 0) << first.err;
  EXPECT_NE(first.out.find("6 stations, 4 trains"), std::string::npos) << first.out;
  ASSERT_EQ(tree.build(out2).rc, 0);

  for (const std::string& name : data::dataFileNames()) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(fs::exists(out1 / name));
    EXPECT_EQ(readBytes(out1 / name), readBytes(out2 / name));
  }
  KivdataRun dump1 = runKivdataCommand({"dump", out1.string()});
  KivdataRun dump2 = runKivdataCommand({"dump", out2.string()});
  ASSERT_EQ(dump1.rc, 0);
  EXPECT_EQ(dump1.out, dump2.out);
  for (const char* expected :
       {"== StaName.kv4: 6 stations\n1 甲 こう\n", "5 3:丙 -> 4:丁 7.5 km fare 8.2 km kind 4\n",
        "network 0 1:甲 - 4:丁 500 yen\n", "#本線（甲～丁）\n甲\n乙\n丙\n丁\n", "4:丁 = 5:戊",
        "2:乙 1:本線(下り) <-> 2:本線(上り) 4 min"}) {
    EXPECT_NE(dump1.out.find(expected), std::string::npos) << expected << "\n" << dump1.out;
  }
  for (const std::string& name : data::dataFileNames())
    EXPECT_NE(dump1.out.find("== " + name + ":"), std::string::npos) << name;
}

TEST(KivdataBuild, LineListIsShiftJisWithCrLfInSourceOrder) {
  SourceTree tree;
  writeFixture(tree);
  tree.write("jr/02-hidden.txt", "line 側線\nnolist\nkind 幹線\n 0.0 丁\n 1.0 庚 こう\n");
  fs::path out = tree.root() / "out";
  ASSERT_EQ(tree.build(out).rc, 0);
  std::string expected = "#本線（甲～丁）\r\n甲\r\n乙\r\n丙\r\n丁\r\n#私鉄線\r\n戊\r\n丙\r\n己\r\n";
  EXPECT_EQ(readBytes(out / "kiv4line.dat"), *utf8ToSjis(expected));
}

TEST(KivdataBuild, RebuildIntoAWorkingDirectoryReplacesOnlyTheDataFiles) {
  SourceTree tree;
  writeFixture(tree);
  fs::path out = tree.root() / "out";
  ASSERT_EQ(tree.build(out).rc, 0);
  std::ofstream(out / "Kiv4.def") << "settings";

  tree.write("pr/02-more.txt", "line 支線\nnetwork 10\n 0.0 己\n 1.0 辛 しん\n");
  ASSERT_EQ(tree.build(out).rc, 0);
  EXPECT_EQ(readBytes(out / "Kiv4.def"), "settings");
  auto names = readStaNameFile(out / "StaName.kv4");
  ASSERT_TRUE(names);
  EXPECT_EQ(names->stations.size(), 7u);
  EXPECT_EQ(tree.rootEntries().size(), 2u);
}

TEST(KivdataBuild, StationsAreNumberedByFirstRowInPathOrder) {
  SourceTree tree;
  // Written in the opposite order of their paths; a train in the first file
  // uses a line of the second.
  tree.write("b/line.txt", "line 後線\nkind 幹線\n 0.0 乙 おつ\n 1.0 甲 こう\n");
  tree.write("a/line.txt",
             "line 前線\nkind 幹線\n 0.0 丙 へい\n 1.0 乙\n"
             "train 直通\nterminal 甲\nevery 20 hours 7\n丙\n乙 2\n甲 2\n");
  tree.write("a/.hidden/skip.txt", "this is not parsed\n");
  tree.write("a/notes.md", "nor is this\n");
  data::Diagnostics diag;
  auto set = data::compileDirectory(tree.src(), diag);
  ASSERT_TRUE(set) << (diag.messages().empty() ? "" : diag.messages()[0]);
  ASSERT_EQ(set->staName.stations.size(), 3u);
  EXPECT_EQ(set->staName.stations[0].kanji, *utf8ToSjis("丙"));
  EXPECT_EQ(set->staName.stations[1].kanji, *utf8ToSjis("乙"));
  EXPECT_EQ(set->staName.stations[2].kanji, *utf8ToSjis("甲"));
  EXPECT_EQ(set->staName.stations[2].kana, *utf8ToSjis("こう"));
}

TEST(KivdataBuild, SharedSectionsAreStoredOnceAndRingsClose) {
  SourceTree tree;
  tree.write("a.txt",
             "line 環状線\nkind 山手線内\n 0.0 甲 こう\n 1.0 乙 おつ\n 2.5 丙 へい\n 4.0 甲\n"
             "line 並行線\nkind 山手線内\n 0.0 甲\n 1.0 乙\n");
  data::Diagnostics diag;
  auto set = data::compileDirectory(tree.src(), diag);
  ASSERT_TRUE(set) << (diag.messages().empty() ? "" : diag.messages()[0]);
  EXPECT_EQ(set->distJR.edges.size(), 6u);  // three sections, both directions
  // The ring's closing section 丙-甲 is 1.5 km.
  bool found = false;
  for (const auto& e : set->distJR.edges) found |= e.from == 3 && e.to == 1 && e.distance == 15;
  EXPECT_TRUE(found);
  EXPECT_EQ(set->lineList, *utf8ToSjis("#環状線\r\n甲\r\n乙\r\n丙\r\n#並行線\r\n甲\r\n乙\r\n"));
}

}  // namespace
}  // namespace kiv::test
