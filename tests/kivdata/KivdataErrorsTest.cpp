// Bad sources: every class of mistake is reported with its file and line,
// the command fails, and no output (not even a temporary directory) is left.
#include <gtest/gtest.h>

#include "KivdataTestSupport.h"

namespace kiv::test {
namespace {

namespace fs = std::filesystem;

// A valid three-station JR line, lines 1-5.
const std::string kLine =
    "line 本線\n"
    "kind 幹線\n"
    "  0.0 甲 こう\n"
    "  2.0 乙 おつ\n"
    "  5.0 丙 へい\n";

// A valid train on it, lines 6-9 after kLine.
const std::string kTrain =
    "train 下り\n"
    "terminal 丙\n"
    "every 10 hours 6-22\n"
    "along 本線 甲 丙\n";

struct BadSource {
  const char* what;
  std::vector<std::pair<std::string, std::string>> files;
  std::string expected;  // a part of the message, beginning with file:line
};

std::vector<BadSource> badSources() {
  return {
      {"unknown station",
       {{"a.txt", kLine + "train 下り\nterminal 丙\nspeed 60\nevery 10 hours 6-22\n甲\n戊\n"}},
       "a.txt:11: unknown station 戊"},
      {"name not in Shift-JIS",
       {{"a.txt", "line 本線\nkind 幹線\n 0.0 甲 こう\n 2.0 乙\xF0\x9F\x98\x80 おつ\n"}},
       "a.txt:4: station name '乙\xF0\x9F\x98\x80' cannot be written in Shift-JIS"},
      {"name over 24 bytes",
       {{"a.txt", "line 本線\nkind 幹線\n 0.0 甲 こう\n 2.0 一二三四五六七八九十壱弐参 いち\n"}},
       "a.txt:4: station name '一二三四五六七八九十壱弐参' is 26 Shift-JIS bytes long"},
      {"blank in a station row",
       {{"a.txt", "line 本線\nkind 幹線\n 0.0 甲 こう\n 2.0 乙 駅 おつ\n"}},
       "a.txt:4: unexpected word 'おつ' after the station (names cannot contain an ASCII blank)"},
      {"blank in a stop row",
       {{"a.txt", kLine + "train 下り\nterminal 丙\nevery 10 hours 6-22\n甲\n乙 駅 3\n"}},
       "a.txt:10: unexpected word '3' in a stop row (names cannot contain an ASCII blank)"},
      {"kilometres do not increase",
       {{"a.txt", "line 本線\nkind 幹線\n 0.0 甲 こう\n 2.0 乙 おつ\n 2.0 丙 へい\n"}},
       "a.txt:5: kilometres do not increase: 丙 2.0 after 乙 2.0"},
      {"train leaves its network",
       {{"a.txt", kLine},
        {"b.txt", "line 私鉄線\nnetwork 10\n 0.0 丙\n 3.0 丁 てい\n"},
        {"c.txt", "train 下り\nterminal 丁\nspeed 60\nevery 10 hours 6-22\n乙\n丙\n丁\n"}},
       "c.txt:7: 丁 is not a station of network 0"},
      {"stops not joined by a line",
       {{"a.txt", kLine},
        {"b.txt", "line 支線\nkind 幹線\n 0.0 戊 ぼ\n 1.0 己 き\n"},
        {"c.txt", "train 下り\nterminal 戊\nspeed 60\nevery 10 hours 6-22\n丙\n戊\n"}},
       "c.txt:6: no line of network 0 joins 丙 and 戊"},
      {"fare outside its network",
       {{"a.txt", kLine + "fare 10 甲 乙 200\n"}},
       "a.txt:6: 甲 is not a station of network 10"},
      {"hour outside 0..23",
       {{"a.txt", kLine + "train 下り\nterminal 丙\nevery 10 hours 5-24\n"}},
       "a.txt:8: hour 24 is outside 0..23"},
      {"missing terminal",
       {{"a.txt", kLine + "train 下り\nevery 10 hours 6-22\nspeed 60\nalong 本線 甲 丙\n"}},
       "a.txt:6: train 下り has no terminal"},
      {"missing service pattern",
       {{"a.txt", kLine + "train 下り\nterminal 丙\nspeed 60\nalong 本線 甲 丙\n"}},
       "a.txt:6: train 下り has no service pattern"},
      {"speed below 1 km/h",
       {{"a.txt", kLine + "train 下り\nterminal 丙\nevery 10 hours 6-22\nspeed 0.5\nalong 本線 甲 丙\n"}},
       "a.txt:9: speed must be 1..500 km/h, not '0.5'"},
      {"riding minutes from the speed beyond a stop row's 600",
       {{"a.txt",
         "line 本線\nkind 幹線\n 0.0 甲 こう\n 2.0 乙 おつ\n 3000.0 丙 へい\n"
         "train 下り\nterminal 丙\nevery 10 hours 6-22\nspeed 1\nalong 本線 甲 丙\n"}},
       "a.txt:10: riding minutes from 乙 to 丙 come to 179880 at the train's speed"},
      {"no riding minutes and no speed",
       {{"a.txt", kLine + kTrain}},
       "a.txt:9: no riding minutes from 甲 to 乙 and no speed"},
      {"minutes at the first stop",
       {{"a.txt", kLine + "train 下り\nterminal 丙\nevery 10 hours 6-22\n甲 2\n丙 5\n"}},
       "a.txt:9: riding minutes at the first stop"},
      {"standing minutes at the first stop",
       {{"a.txt", kLine + "train 下り\nterminal 丙\nevery 10 hours 6-22\n甲 wait=2\n丙 5\n"}},
       "a.txt:9: wait= at the first stop"},
      {"standing minutes at the last stop",
       {{"a.txt", kLine + "train 下り\nterminal 丙\nevery 10 hours 6-22\n甲\n丙 5 wait=2\n"}},
       "a.txt:10: wait= at the last stop: no departure follows it"},
      {"standing minutes not a count",
       {{"a.txt", kLine + "train 下り\nterminal 丙\nevery 10 hours 6-22\n甲\n乙 2 wait=0\n"}},
       "a.txt:10: minutes standing at a stop must be written like wait=2 (1..600), not 'wait=0'"},
      {"unknown setting in a stop row",
       {{"a.txt", kLine + "train 下り\nterminal 丙\nevery 10 hours 6-22\n甲\n乙 2 stand=1\n"}},
       "a.txt:10: unknown setting 'stand=1' (only wait= is known)"},
      {"oneway with a word after it",
       {{"a.txt", "line 本線\nkind 幹線\noneway 甲\n"}},
       "a.txt:3: 'oneway' expects: oneway"},
      {"kana disagree",
       {{"a.txt", kLine}, {"b.txt", "line 支線\nkind 幹線\n 0.0 甲 きのえ\n 1.0 戊 ぼ\n"}},
       "b.txt:3: kana of 甲 is きのえ here but こう at a.txt:3"},
      {"kana missing",
       {{"a.txt", "line 本線\nkind 幹線\n 0.0 甲\n 2.0 乙 おつ\n"}},
       "a.txt:3: station 甲 has no kana"},
      {"line kind missing",
       {{"a.txt", "line 本線\n 0.0 甲 こう\n 2.0 乙 おつ\n"}},
       "a.txt:3: no line kind for the section 甲-乙"},
      {"one section, two distances",
       {{"a.txt", kLine}, {"b.txt", "line 支線\nkind 幹線\n 0.0 甲\n 2.1 乙\n"}},
       "b.txt:4: section 甲-乙 differs from the same section at a.txt:4"},
      {"unknown line in along",
       {{"a.txt", kLine + "train 下り\nterminal 丙\nevery 10 hours 6-22\nalong 東線 甲 丙\n"}},
       "a.txt:9: unknown line 東線"},
      {"train defined twice",
       {{"a.txt", kLine + kTrain + "speed 60\n"}, {"b.txt", kTrain + "speed 60\n"}},
       "b.txt:1: train 下り is defined twice (first at a.txt:6)"},
      {"change with no pair",
       {{"a.txt", kLine + kTrain + "speed 60\nchange 甲 下り 下り 3\n"}},
       "a.txt:11: no two different trains of 下り and 下り stop at 甲"},
      {"fare not in tens of yen",
       {{"a.txt", kLine + "fare 0 甲 乙 205\n"}},
       "a.txt:6: amount must be a positive"},
      {"walk not named 徒歩",
       {{"a.txt", kLine + "walk 甲 乙 5 歩道\n"}},
       "a.txt:6: the name of a walking connection must begin with 徒歩"},
      {"in-fare walk with a bad network",
       {{"a.txt", kLine + "walk 甲 乙 5 徒歩（乗換） infare=900\n"}},
       "a.txt:6: infare= needs the network code of a railway (1..899), not 'infare=900'"},
      {"in-fare walk off its network",
       {{"a.txt", kLine + "walk 甲 乙 5 徒歩（乗換） infare=80\n"}},
       "a.txt:6: 甲 is not a station of network 80"},
      {"walks of one name in and out of a fare",
       {{"a.txt",
         "line 私線\nnetwork 10\n  0.0 甲 こう\n  2.0 乙 おつ\n  5.0 丙 へい\n"
         "walk 甲 乙 5 徒歩（乗換） infare=10\nwalk 乙 丙 5 徒歩（乗換）\n"}},
       "a.txt:7: all walks named 徒歩（乗換） must have the same infare= (see a.txt:6)"},
      {"invalid UTF-8", {{"a.txt", kLine + "# \xff\xfe\n"}}, "a.txt:6: the text line is not valid UTF-8"},
      {"carriage returns as line ends",
       {{"a.txt", "line 本線\rkind 幹線\r 0.0 甲 こう\r"}},
       "a.txt:1: carriage return inside the text line"},
      {"keyword outside a block",
       {{"a.txt", "terminal 甲\n"}},
       "a.txt:1: 'terminal' outside a line or train block"},
  };
}

TEST(KivdataErrors, EachMistakeIsReportedWithFileAndLineAndLeavesNoOutput) {
  for (const BadSource& bad : badSources()) {
    SCOPED_TRACE(bad.what);
    SourceTree tree;
    for (const auto& [name, text] : bad.files) tree.write(name, text);
    fs::path out = tree.root() / "out";
    KivdataRun run = tree.build(out);
    EXPECT_EQ(run.rc, 1);
    EXPECT_NE(run.err.find(bad.expected), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("nothing written"), std::string::npos);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(tree.rootEntries(), std::vector<std::string>{"src"});
  }
}

TEST(KivdataErrors, AllMistakesOfARunAreListed) {
  SourceTree tree;
  tree.write("a.txt", "line 本線\nkind 幹線\n 0.0 甲 こう\n 1.0 乙 おつ\n 0.5 丙 へい\nzone 1\n");
  KivdataRun run = tree.build(tree.root() / "out");
  EXPECT_EQ(run.rc, 1);
  EXPECT_NE(run.err.find("a.txt:5: kilometres do not increase"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("a.txt:6: zone is for private lines"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("2 errors"), std::string::npos) << run.err;
}

TEST(KivdataErrors, AFailedBuildLeavesAnEarlierDataSetUntouched) {
  SourceTree tree;
  writeFixture(tree);
  fs::path out = tree.root() / "out";
  ASSERT_EQ(tree.build(out).rc, 0);
  std::string before = readBytes(out / "StaName.kv4");

  tree.write("zz.txt", "line 壊線\nkind 幹線\n 0.0 甲\n 0.0 乙\n");
  EXPECT_EQ(tree.build(out).rc, 1);
  EXPECT_EQ(readBytes(out / "StaName.kv4"), before);
  EXPECT_EQ(tree.rootEntries().size(), 2u);  // src and out, no temporary directory
}

// An empty source directory (or one of comments only) is a mistake, not an
// empty data set that would replace the tables of a working directory.
TEST(KivdataErrors, NothingToCompileFailsAndKeepsAnEarlierDataSet) {
  SourceTree tree;
  writeFixture(tree);
  fs::path out = tree.root() / "out";
  ASSERT_EQ(tree.build(out).rc, 0);
  const std::string before = readBytes(out / "StaName.kv4");
  fs::remove_all(tree.src());

  tree.write("README.md", "no sources here\n");
  KivdataRun run = tree.build(out);
  EXPECT_EQ(run.rc, 1);
  EXPECT_NE(run.err.find("no source files (*.txt) in " + tree.src().string()), std::string::npos) << run.err;

  tree.write("a.txt", "# to be written\n");
  run = tree.build(out);
  EXPECT_EQ(run.rc, 1);
  EXPECT_NE(run.err.find("the sources define no line"), std::string::npos) << run.err;
  EXPECT_EQ(readBytes(out / "StaName.kv4"), before);
}

TEST(KivdataErrors, WrongUsageAndMissingDirectories) {
  EXPECT_EQ(runKivdataCommand({}).rc, 2);
  EXPECT_EQ(runKivdataCommand({"build", "only-one"}).rc, 2);
  EXPECT_EQ(runKivdataCommand({"compile", "a", "b"}).rc, 2);

  SourceTree tree;
  KivdataRun run = tree.build(tree.root() / "out");  // src does not exist
  EXPECT_EQ(run.rc, 1);
  EXPECT_NE(run.err.find("cannot read the source directory"), std::string::npos);
  EXPECT_FALSE(fs::exists(tree.root() / "out"));
  EXPECT_EQ(runKivdataCommand({"dump", (tree.root() / "nowhere").string()}).rc, 1);
}

}  // namespace
}  // namespace kiv::test
